#include <gtest/gtest.h>

#include <QImage>
#include <QImageWriter>

#include <filesystem>
#include <fstream>

#include "Platform/Sim/SimPlatform.h"
#include "QtTestApp.h"
#include "Support/Uuid.h"
#include "Velorin/Packs/PackArt.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Packs/PackArtLayer.h"
#include "Velorin/Packs/PackArtLayout.h"

namespace velorin {
namespace {

namespace fs = std::filesystem;

TEST(PackArtNames, takesPictureExtensionsInAnyCase) {
    const auto names = PackArtLibrary::pictureNames(
        {"Photo.JPG", "b.HEIC", "c.jpeg", "d.png", "e.WebP", "photo.gif", "photo.tiff", "noextension", ".png", "x.jpg.txt"});
    EXPECT_EQ(names, (std::vector<std::string>{"Photo.JPG", "b.HEIC", "c.jpeg", "d.png", "e.WebP"}));
}

TEST(PackArtNames, sortsByCodePoints) {
    EXPECT_EQ(PackArtLibrary::pictureNames({"a.jpg", "B.jpg"}), (std::vector<std::string>{"B.jpg", "a.jpg"}));
    EXPECT_EQ(PackArtLibrary::pictureNames({"9.jpg", "10.jpg"}), (std::vector<std::string>{"10.jpg", "9.jpg"}));
    EXPECT_EQ(PackArtLibrary::pictureNames({"b.png", "1.png", "A.png"}),
              (std::vector<std::string>{"1.png", "A.png", "b.png"}));
    // A decomposed "é" sorts as the composed one does: after "f".
    EXPECT_EQ(PackArtLibrary::pictureNames({"e\u0301.png", "f.png"}), (std::vector<std::string>{"f.png", "e\u0301.png"}));
}

class PackArtLibraryTest : public ::testing::Test {
protected:
    PackArtLibraryTest() {
        testing::qtApp();
        root = fs::temp_directory_path() / ("velorin-art-" + Uuid::generate().lowercased());
        fs::create_directories(root / "pack");
    }
    ~PackArtLibraryTest() override {
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }
    void picture(const std::string& name, QColor color, QSize size = {8, 4}, const char* format = nullptr) {
        QImage image(size, QImage::Format_ARGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(QString::fromStdString((root / "pack" / name).string()), format));
    }
    void listFolder() {
        std::vector<std::string> entries;
        for (const auto& e : fs::directory_iterator(root / "pack")) entries.push_back(e.path().filename().string());
        sim.fileManager().setContents((root / "pack").string(), entries);
    }

    sim::SimPlatform sim;
    fs::path root;
};

TEST_F(PackArtLibraryTest, readsPicturesInNameOrder_skipsWhatDoesNotLoad) {
    picture("b.png", Qt::red);
    picture("A.PNG", Qt::green, {8, 4}, "PNG");
    picture("c.webp", Qt::blue, {8, 4}, "WEBP");
    std::ofstream(root / "pack" / "broken.jpg") << "not a picture";
    picture("skip.gif", Qt::black, {8, 4}, "PNG");
    listFolder();

    PackArtLibrary library(root.string());
    const auto& images = library.images("pack");
    ASSERT_EQ(images.size(), 3u);
    EXPECT_EQ(images[0].pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(images[1].pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(images[2].pixelColor(0, 0).blue(), 255);
}

TEST_F(PackArtLibraryTest, readsEachFolderOnce_andCachesAnEmptyList) {
    PackArtLibrary library(root.string());
    EXPECT_TRUE(library.images("pack").empty()) << "the folder can't be listed yet";
    picture("a.png", Qt::red);
    listFolder();
    EXPECT_TRUE(library.images("pack").empty()) << "seen only after a restart";
    EXPECT_TRUE(library.images("no-such-pack").empty());
    EXPECT_EQ(PackArtLibrary(root.string()).images("pack").size(), 1u);
}

TEST_F(PackArtLibraryTest, bigPicturesAreScaledDownOnceAsTheyAreRead) {
    picture("big.png", Qt::red, {3000, 1500});
    listFolder();
    PackArtLibrary library(root.string());
    ASSERT_EQ(library.images("pack").size(), 1u);
    EXPECT_EQ(library.images("pack")[0].size(), QSize(1200, 600));
}

TEST_F(PackArtLibraryTest, idsThatLeaveTheFolderHaveNoPictures) {
    picture("a.png", Qt::red);
    fs::create_directories(root / "pack" / "inner");
    const std::string inner = (root / "pack" / "inner").string();
    sim.fileManager().setContents(inner + "/..", std::vector<std::string>{"a.png"});
    sim.fileManager().setContents(inner + "/../inner", std::vector<std::string>{"../a.png"});
    PackArtLibrary library(inner);
    EXPECT_TRUE(library.images("..").empty());
    EXPECT_TRUE(library.images("../inner").empty());
    EXPECT_TRUE(PackArtLibrary(std::nullopt).images("pack").empty());
}

TEST_F(PackArtLibraryTest, standardFolderIsBesideTheConfiguration) {
    sim.fileManager().setApplicationSupportDirectory("/home/u/.config");
    EXPECT_EQ(PackArtLibrary::standardFolder(), "/home/u/.config/Velorin/PackArt");
    sim.fileManager().setApplicationSupportDirectory(std::nullopt);
    EXPECT_EQ(PackArtLibrary::standardFolder(), std::nullopt);
}

TEST(PackArtLayout, frames) {
    using F = PackArtLayout::Frame;
    EXPECT_TRUE(PackArtLayout::frames(0, 330).empty());
    EXPECT_EQ(PackArtLayout::frames(1, 330), (std::vector<F>{{0, 330, false, false}}));
    EXPECT_EQ(PackArtLayout::frames(3, 330),
              (std::vector<F>{{0, 150, false, true}, {90, 150, true, true}, {200, 150, true, false}}));
    const auto two = PackArtLayout::frames(2, 200);
    EXPECT_EQ(two[0].x + two[0].width - two[1].x, 60) << "the first pair overlaps by 60 points";
}

TEST(PackArtLayout, easeInOut) {
    EXPECT_DOUBLE_EQ(PackArtLayout::easeInOut(0), 0);
    EXPECT_NEAR(PackArtLayout::easeInOut(0.5), 0.5, 1e-9);
    EXPECT_NEAR(PackArtLayout::easeInOut(1), 1, 1e-9);
    EXPECT_LT(PackArtLayout::easeInOut(0.1), 0.1);
    EXPECT_GT(PackArtLayout::easeInOut(0.9), 0.9);
}

}  // namespace
}  // namespace velorin

namespace velorin {
namespace {

QImage solid(QColor color, QSize size = {40, 20}) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

TEST(PackArtLayer, onePictureFillsTheWholeWidth_fadingTowardsTheLeadingEdge) {
    testing::qtApp();
    const QImage strip = PackArtLayer::render({solid(Qt::red)}, {200, 40}, 1, 1);
    ASSERT_EQ(strip.size(), QSize(200, 40));
    const QColor leading = strip.pixelColor(1, 20);
    const QColor trailing = strip.pixelColor(198, 20);
    EXPECT_NEAR(leading.alphaF(), 0.45, 0.03);
    EXPECT_NEAR(trailing.alphaF(), 1.0, 0.02);
    EXPECT_NEAR(strip.pixelColor(150, 20).alphaF(), 1.0, 0.02) << "full from 60 % of the width";
    EXPECT_EQ(trailing.red(), 255);
}

TEST(PackArtLayer, picturesSideBySideFirstFileAtTheLeadingEdge) {
    testing::qtApp();
    const QImage strip = PackArtLayer::render({solid(Qt::red), solid(Qt::green), solid(Qt::blue)}, {330, 40}, 2, 1);
    EXPECT_EQ(strip.size(), QSize(660, 80));
    auto at = [&](double x) { return strip.pixelColor(int(x * 2), 40); };
    EXPECT_GT(at(40).red(), 200);      // picture 0 alone
    EXPECT_GT(at(165).green(), 200);   // picture 1 alone
    EXPECT_GT(at(300).blue(), 200);    // picture 2 alone
    EXPECT_GT(at(329).blue(), 200) << "the last picture reaches past the trailing edge";
}

TEST(PackArtLayer, saturationTakesColourOut) {
    testing::qtApp();
    const QImage idle = PackArtLayer::render({solid(QColor(255, 0, 0))}, {50, 10}, 1, PackArtLayout::idleSaturation);
    const QColor c = idle.pixelColor(45, 5);
    EXPECT_LT(c.red(), 255);
    EXPECT_GT(c.green(), 20);
}

TEST(PackArtLayer, switchingOnEasesBetweenTheTwoLooks) {
    testing::qtApp();
    sim::SimPlatform sim;
    ManualFrameClock clock(10);
    FrameClock::install(&clock);
    int repaints = 0;
    {
        PackArtLayer layer({solid(Qt::red)}, false, [&] { ++repaints; });
        EXPECT_DOUBLE_EQ(layer.opacity(), 0.14);
        EXPECT_DOUBLE_EQ(layer.saturation(), 0.35);
        layer.setActive(true);
        clock.advance(0.3);
        EXPECT_NEAR(layer.activeness(), 0.5, 0.02) << "half way through the ease-in-out";
        EXPECT_GT(repaints, 10);
        clock.advance(0.31);
        EXPECT_DOUBLE_EQ(layer.opacity(), 0.3);
        EXPECT_DOUBLE_EQ(layer.saturation(), 1.15);
        EXPECT_FALSE(clock.hasListeners()) << "stops listening once there";
        layer.setActive(false);
        clock.advance(0.1);
        EXPECT_LT(layer.activeness(), 1);
        EXPECT_GT(layer.activeness(), 0.9);
    }
    EXPECT_FALSE(clock.hasListeners()) << "a layer that goes away mid-switch leaves nothing behind";
    Motion::setInstant(true);
    PackArtLayer instant({solid(Qt::red)}, false);
    instant.setActive(true);
    EXPECT_DOUBLE_EQ(instant.opacity(), 0.3);
    Motion::setInstant(false);
    FrameClock::install(nullptr);
}

}  // namespace
}  // namespace velorin
