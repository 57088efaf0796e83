#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTemporaryDir>

#include "Platform/Sim/SimPlatform.h"
#include "Velorin/AppIcons.h"
#include "Velorin/AppInfo.h"

namespace velorin {
namespace {

// The icon caches live for the whole process: every test asks about
// identifiers of its own.
class AppNamesAndIcons : public ::testing::Test {
protected:
    static QImage image(QColor color) {
        QImage img(8, 8, QImage::Format_ARGB32);
        img.fill(color);
        return img;
    }
    std::string pngFile(const QString& name, QColor color) {
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image(color).save(path, "PNG"));
        return path.toStdString();
    }
    static std::vector<std::uint8_t> pngData(QColor color) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image(color).save(&buffer, "PNG");
        return {bytes.begin(), bytes.end()};
    }
    std::size_t queriesFor(const std::string& bundleID) const {
        const auto all = sim.workspace().locationQueries();
        return std::size_t(std::count(all.begin(), all.end(), bundleID));
    }

    sim::SimPlatform sim;
    QTemporaryDir dir;
};

TEST_F(AppNamesAndIcons, names_comeFromTheTableThenTheAppThenTheIdentifier) {
    sim.workspace().installApp("com.google.Chrome", "/opt/google/chrome.desktop");
    sim.fileManager().setDisplayName("/opt/google/chrome.desktop", "Google Chrome.app");
    sim.workspace().installApp("org.example.Tools", "/apps/tools.desktop");
    sim.fileManager().setDisplayName("/apps/tools.desktop", "My.app Tools.app");
    sim.workspace().installApp("org.example.Plain", "/apps/plain.desktop");

    const std::pair<const char*, const char*> cases[] = {
        {"com.google.Chrome", "Chrome"},  // known, installed under another name
        {"com.apple.Safari", "Safari"},   // known, not installed
        {"com.openai.chat", "ChatGPT"},
        {"org.example.Tools", "My Tools"},       // every ".app" removed
        {"org.example.Plain", "plain.desktop"},  // the file manager's own name
        {"com.example.Writer", "Writer"},        // last piece
        {"com.example.Writer.", "Writer"},       // empty pieces dropped
        {"nodots", "nodots"},
        {"...", "..."},  // no piece left: the identifier
        {"", ""},
    };
    for (const auto& [bundleID, name] : cases) EXPECT_EQ(AppInfo::name(bundleID), name) << bundleID;
}

TEST_F(AppNamesAndIcons, knownNames_holdEveryRow) {
    EXPECT_EQ(AppInfo::knownNames().size(), 49u);
    EXPECT_EQ(AppInfo::knownNames().at("com.todesktop.230313mzl4w4u92"), "Cursor");
    EXPECT_EQ(AppIcons::bundledFiles().size(), 14u);
    EXPECT_EQ(AppIcons::bundledFiles().at("com.blackmagic-design.DaVinciResolve"), "davinci");
}

TEST_F(AppNamesAndIcons, installedAppIcon_isReadFromFileOrDataEveryTime) {
    sim.workspace().installApp("test.icon.file", "/apps/file.desktop");
    sim.workspace().setIcon("/apps/file.desktop", Icon{pngFile("file.png", Qt::red), {}});
    sim.workspace().installApp("test.icon.data", "/apps/data.desktop");
    sim.workspace().setIcon("/apps/data.desktop", Icon{{}, pngData(Qt::blue)});
    sim.workspace().installApp("test.icon.broken", "/apps/broken.desktop");
    sim.workspace().setIcon("/apps/broken.desktop", Icon{{}, {1, 2, 3}});

    const auto fromFile = AppInfo::icon("test.icon.file");
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->pixelColor(0, 0), QColor(Qt::red));
    const auto fromData = AppInfo::icon("test.icon.data");
    ASSERT_TRUE(fromData);
    EXPECT_EQ(fromData->pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_FALSE(AppInfo::icon("test.icon.broken"));
    EXPECT_FALSE(AppInfo::icon("test.icon.absent"));

    AppInfo::icon("test.icon.file");
    EXPECT_EQ(queriesFor("test.icon.file"), 2u);  // not cached
}

TEST_F(AppNamesAndIcons, appIcons_preferTheInstalledAppThenTheBundledImage) {
    sim.bundle().addResource("linear", "png", "PackIcons", pngFile("linear.png", Qt::green));
    sim.bundle().addResource("figma", "png", "PackIcons", pngFile("figma.png", Qt::green));
    sim.workspace().installApp("com.figma.Desktop", "/apps/figma.desktop");
    sim.workspace().setIcon("/apps/figma.desktop", Icon{pngFile("installed.png", Qt::yellow), {}});

    const auto linear = AppIcons::icon("com.linear");
    ASSERT_TRUE(linear);
    EXPECT_EQ(linear->pixelColor(0, 0), QColor(Qt::green));
    const auto figma = AppIcons::icon("com.figma.Desktop");
    ASSERT_TRUE(figma);
    EXPECT_EQ(figma->pixelColor(0, 0), QColor(Qt::yellow));
    // A bundled row whose image is not among the resources.
    EXPECT_FALSE(AppIcons::icon("com.apple.logic10"));
}

TEST_F(AppNamesAndIcons, appIcons_keepEveryAnswerIncludingNone) {
    EXPECT_FALSE(AppIcons::icon("test.cache.none"));
    EXPECT_FALSE(AppIcons::icon("test.cache.none"));
    EXPECT_EQ(queriesFor("test.cache.none"), 1u);

    sim.workspace().installApp("test.cache.none", "/apps/late.desktop");
    sim.workspace().setIcon("/apps/late.desktop", Icon{pngFile("late.png", Qt::red), {}});
    EXPECT_FALSE(AppIcons::icon("test.cache.none"));  // the first answer stays
}

TEST_F(AppNamesAndIcons, isInstalled_keepsItsFirstAnswer) {
    EXPECT_FALSE(AppIcons::isInstalled("test.installed.late"));
    sim.workspace().installApp("test.installed.late", "/apps/late.desktop");
    EXPECT_FALSE(AppIcons::isInstalled("test.installed.late"));
    EXPECT_EQ(queriesFor("test.installed.late"), 1u);

    sim.workspace().installApp("test.installed.early", "/apps/early.desktop");
    EXPECT_TRUE(AppIcons::isInstalled("test.installed.early"));
    sim.workspace().uninstallApp("test.installed.early");
    EXPECT_TRUE(AppIcons::isInstalled("test.installed.early"));
}

}  // namespace
}  // namespace velorin
