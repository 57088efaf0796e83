// App icons from the user's icon theme: a small theme tree in a temporary
// folder, a theme that inherits another (which inherits it back), hicolor
// and the pixmaps folder behind them.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include <QIcon>
#include <QImage>

#include "Platform/Linux/IconTheme.h"
#include "QtTestApp.h"

using namespace velorin;
using namespace velorin::linux_platform;
namespace fs = std::filesystem;

namespace {

class IconThemeTest : public ::testing::Test {
protected:
    void SetUp() override {
        velorin::testing::qtApp();
        saved_ = {QIcon::themeName(), QIcon::themeSearchPaths(), QIcon::fallbackSearchPaths()};
        theme("Child", "Inherits=Parent\nDirectories=64x64/apps\n[64x64/apps]\nSize=64\nType=Fixed\n");
        theme("Parent",
              "Inherits=Child\nDirectories=32x32/apps,48x48/apps,scalable/apps\n"
              "[32x32/apps]\nSize=32\nType=Fixed\n[48x48/apps]\nSize=48\nType=Fixed\n"
              "[scalable/apps]\nSize=64\nMinSize=8\nMaxSize=16\nType=Scalable\n");
        theme("hicolor", "Directories=48x48/apps\n[48x48/apps]\nSize=48\nType=Threshold\nThreshold=2\n");
        picture("icons/Child/64x64/apps/both.png", 64, Qt::white);
        picture("icons/Parent/48x48/apps/both.png", 48, Qt::red);
        picture("icons/Parent/48x48/apps/tool.png", 48, Qt::red);
        picture("icons/Parent/32x32/apps/tool.png", 32, Qt::blue);
        picture("icons/hicolor/48x48/apps/plain.png", 48, Qt::green);
        picture("icons/Parent/32x32/apps/plain.png", 32, Qt::cyan);
        picture("pixmaps/old.png", 20, Qt::yellow);
        picture("logo.png", 24, Qt::magenta);
        std::ofstream(root_ / "icons/Parent/48x48/apps/broken.png") << "not a picture";
    }
    void TearDown() override {
        QIcon::setThemeSearchPaths(saved_.paths);
        QIcon::setFallbackSearchPaths(saved_.fallback);
        QIcon::setThemeName(saved_.theme);
        fs::remove_all(root_);
    }

    void theme(const std::string& name, const std::string& body) {
        fs::create_directories(root_ / "icons" / name);
        std::ofstream(root_ / "icons" / name / "index.theme") << "[Icon Theme]\nName=" << name << "\n" << body;
    }
    void picture(const std::string& path, int side, QColor colour) {
        fs::create_directories((root_ / path).parent_path());
        QImage image(side, side, QImage::Format_ARGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(QString::fromStdString((root_ / path).string())));
    }

    struct Saved {
        QString theme;
        QStringList paths;
        QStringList fallback;
    } saved_;
    fs::path root_ = fs::temp_directory_path() / ("velorin-icons-" + std::to_string(getpid()));
};

TEST_F(IconThemeTest, namesAreFoundInTheThemeItsParentsHicolorAndThePixmaps) {
    const IconSearch search = IconSearch::forSession({root_.string()}, "", "Child");
    struct Case {
        const char* what;
        std::string icon;
        int pixels;
        std::optional<QColor> colour;  // none: no icon found
        int side = 0;
    };
    const Case cases[] = {
        {"the theme's own icon wins over its parent's", "both", 128, QColor(Qt::white), 64},
        {"an icon only in the parent theme, the closest size to a large one", "tool", 128, QColor(Qt::red), 48},
        {"the closest size to a small one, drawn down to it", "tool", 30, QColor(Qt::blue), 30},
        {"the parents' chain before hicolor", "plain", 48, QColor(Qt::cyan), 32},
        {"an icon of no theme, from the pixmaps", "old", 128, QColor(Qt::yellow), 20},
        {"an unreadable picture", "broken", 48, std::nullopt},
        {"a missing icon", "nothing", 48, std::nullopt},
        {"no icon at all", "", 48, std::nullopt},
    };
    for (const Case& c : cases) {
        const auto icon = findIcon(c.icon, search, c.pixels);
        if (!c.colour) {
            EXPECT_EQ(icon, std::nullopt) << c.what;
            continue;
        }
        ASSERT_TRUE(icon) << c.what;
        EXPECT_TRUE(icon->filePath.empty()) << c.what;
        const QImage image = QImage::fromData(icon->encodedData.data(), int(icon->encodedData.size()));
        ASSERT_FALSE(image.isNull()) << c.what;
        EXPECT_EQ(image.width(), c.side) << c.what;
        EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), *c.colour) << c.what;
    }
}

TEST_F(IconThemeTest, hicolorServesAThemeThatLacksTheIcon_andAnAbsolutePathIsTakenAsItIs) {
    // A theme that inherits nothing still falls back to hicolor.
    theme("Lone", "Directories=\n");
    const IconSearch lone = IconSearch::forSession({root_.string()}, "", "Lone");
    const auto icon = findIcon("plain", lone, 48);
    ASSERT_TRUE(icon);
    const QImage image = QImage::fromData(icon->encodedData.data(), int(icon->encodedData.size()));
    EXPECT_EQ(image.pixelColor(24, 24), QColor(Qt::green));

    const std::string logo = (root_ / "logo.png").string();
    EXPECT_EQ(findIcon(logo, lone, 48), (Icon{logo, {}}));
    EXPECT_EQ(findIcon((root_ / "gone.png").string(), lone, 48), std::nullopt);
}

TEST(IconSearchTest, homeIconsComeFirstThenEachDataFolder) {
    const IconSearch search = IconSearch::forSession({"/home/u/.local/share", "/usr/share"}, "/home/u", "Adwaita");
    EXPECT_EQ(search.themeFolders,
              (std::vector<std::string>{"/home/u/.icons", "/home/u/.local/share/icons", "/usr/share/icons"}));
    EXPECT_EQ(search.pixmapFolders, (std::vector<std::string>{"/home/u/.local/share/pixmaps", "/usr/share/pixmaps"}));
    EXPECT_EQ(search.theme, "Adwaita");
}

}  // namespace
