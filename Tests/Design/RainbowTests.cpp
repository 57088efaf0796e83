#include "QtApp.h"
#include "Velorin/Design/Rainbow.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace velorin {
namespace {

TEST(RainbowPalette, holdsTheSixColoursAndTheThreeSubpixels) {
    EXPECT_EQ(Rainbow::colors[0], (Rgba{0.38, 0.73, 0.27, 1}));
    EXPECT_EQ(Rainbow::colors[1], (Rgba{0.99, 0.72, 0.15, 1}));
    EXPECT_EQ(Rainbow::colors[5], (Rgba{0.01, 0.62, 0.86, 1}));
    EXPECT_EQ(Rainbow::rgb[0], (Rgba{1.0, 0.24, 0.28, 1}));
    EXPECT_EQ(Rainbow::rgb[2], (Rgba{0.24, 0.47, 1.0, 1}));
    // Indexes wrap round, also below zero.
    EXPECT_EQ(Rainbow::color(6), Rainbow::color(0));
    EXPECT_EQ(Rainbow::color(-1), Rainbow::color(5));
    EXPECT_EQ(Rainbow::subpixel(4), Rainbow::subpixel(1));
    const LinearFill bands = Rainbow::bands();
    EXPECT_EQ(bands.start, UnitPoint::top());
    EXPECT_EQ(bands.end, UnitPoint::bottom());
    ASSERT_EQ(bands.stops.size(), 12u);
    EXPECT_EQ(bands.stops[2].location, 1.0 / 6);
    EXPECT_EQ(bands.stops[3].location, 2.0 / 6);
    EXPECT_EQ(bands.stops[3].color, Rainbow::color(1));
}

TEST(PixelGrainTest, drawsOneTripleEveryFourPoints) {
    EXPECT_TRUE(pixelGrainStripes(QSizeF(0, 20)).empty());
    const auto stripes = pixelGrainStripes(QSizeF(10, 20));
    ASSERT_EQ(stripes.size(), 9u);
    const std::vector<GrainStripe> expected = {
        {QRectF(0, 0, 0.8, 20), 0}, {QRectF(1, 0, 0.8, 20), 1}, {QRectF(2, 0, 0.8, 20), 2},
        {QRectF(4, 0, 0.8, 20), 0}, {QRectF(5, 0, 0.8, 20), 1}, {QRectF(6, 0, 0.8, 20), 2},
        {QRectF(8, 0, 0.8, 20), 0}, {QRectF(9, 0, 0.8, 20), 1}, {QRectF(10, 0, 0.8, 20), 2},
    };
    EXPECT_EQ(stripes, expected);
    EXPECT_EQ(pixelGrainStripes(QSizeF(8, 1)).size(), 6u);  // x = 0 and 4; 8 is not below the width
}

TEST(PixelGrainTest, screensItsStripesOntoWhatLiesBelow) {
    test::qtApp();
    QImage image(8, 2, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(0, 0, 0));
    {
        QPainter p(&image);
        paintPixelGrain(p, QRectF(0, 0, 8, 2), 0.5);
    }
    // The red stripe at x = 0 lightens its column toward red; x = 3 stays untouched.
    const QColor red = image.pixelColor(0, 0);
    EXPECT_GT(red.red(), red.green());
    EXPECT_GT(red.red(), 60);
    EXPECT_EQ(image.pixelColor(3, 0), QColor(0, 0, 0));
    EXPECT_GT(image.pixelColor(2, 1).blue(), image.pixelColor(2, 1).red());
}

TEST(WaveTopTest, runsTwentyFivePointsOfSineAcrossTheTop) {
    const QRectF rect(0, 0, 240, 100);
    const QPainterPath path = waveTopPath(rect, 0.5, 0.3, 2.5);
    // Move to the bottom left, 25 wave points, the bottom right, and the close.
    ASSERT_GE(path.elementCount(), 27);
    EXPECT_EQ(QPointF(path.elementAt(0)), QPointF(0, 100));
    for (int i = 0; i <= 24; ++i) {
        const QPointF p = path.elementAt(1 + i);
        EXPECT_NEAR(p.x(), 10 * i, 1e-9);
        EXPECT_NEAR(p.y(), 50 + 2.5 * std::sin(0.3 + 2.2 * std::numbers::pi * i / 24), 1e-9);
    }
    EXPECT_EQ(QPointF(path.elementAt(26)), QPointF(240, 100));
    EXPECT_TRUE(path.contains(QPointF(120, 90)));
    EXPECT_FALSE(path.contains(QPointF(120, 40)));
}

TEST(RainbowLiquidTest, itsClockIsSecondsSince2001InDoublePrecision) {
    EXPECT_EQ(secondsSinceReferenceDate(dateFromSecondsSince1970(978307200)), 0);
    EXPECT_DOUBLE_EQ(secondsSinceReferenceDate(dateFromSecondsSince1970(978307200 + 800'000'000.25)), 800'000'000.25);

    // A quarter second apart, about 8·10⁸ seconds in: the wave moves by 0.55 radians,
    // which a float clock could not tell apart.
    RainbowLiquid liquid(0.5, 800'000'000.0);
    const double before = liquid.phase();
    liquid.tick(800'000'000.25);
    double moved = liquid.phase() - before;
    if (moved < 0) moved += 2 * std::numbers::pi;
    EXPECT_NEAR(moved, 0.55, 1e-5);
}

TEST(RainbowLiquidTest, standsStillWhenEmptyOrUnderReduceMotion) {
    RainbowLiquid liquid(0.4, 1000);
    EXPECT_TRUE(liquid.isRunning());
    liquid.tick(1001);
    const double phase = liquid.phase();
    liquid.setReduceMotion(true);
    EXPECT_FALSE(liquid.isRunning());
    liquid.tick(1002);
    EXPECT_EQ(liquid.phase(), phase);
    liquid.setReduceMotion(false);
    liquid.setLevel(0);
    EXPECT_FALSE(liquid.isRunning());
    liquid.tick(1003);
    EXPECT_EQ(liquid.phase(), phase);
    liquid.setLevel(-0.2);
    EXPECT_FALSE(liquid.isRunning());
}

TEST(RainbowLiquidTest, fillsToItsLevelWithAFlatTopWhenFull) {
    struct Case {
        double level;
        QRectF bands;
        double amplitude;
    };
    const std::vector<Case> cases = {
        {0.4, QRectF(0, 100 - 43, 50, 43), 2.5},
        {0, QRectF(0, 100 - 4, 50, 4), 2.5},
        {1, QRectF(0, -3, 50, 103), 0},
        {1.15, QRectF(0, -3, 50, 103), 0},
    };
    for (const Case& c : cases) {
        RainbowLiquid liquid(c.level, 0);
        const QRectF bands = liquid.bandsRect(QSizeF(50, 100));
        EXPECT_NEAR(bands.y(), c.bands.y(), 1e-9) << c.level;
        EXPECT_NEAR(bands.height(), c.bands.height(), 1e-9) << c.level;
        EXPECT_EQ(bands.width(), 50);
        EXPECT_EQ(liquid.amplitude(), c.amplitude) << c.level;
    }
    EXPECT_EQ(RainbowLiquid::levelSpring, (Spring{0.5, 0.62, 0}));
}

TEST(RainbowLiquidTest, paintsBandsOnlyBelowItsTop) {
    test::qtApp();
    QImage image(12, 60, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        RainbowLiquid(0.5, 0).paint(p, QRectF(0, 0, 12, 60), ColorEnvironment{});
    }
    EXPECT_EQ(image.pixelColor(6, 5).alpha(), 0);
    // Near the bottom: the last band, blue.
    const QColor bottom = image.pixelColor(6, 58);
    const QColor blue = Rgba(Rainbow::colors[5]).toQColor();
    EXPECT_NEAR(bottom.red(), blue.red(), 1);
    EXPECT_NEAR(bottom.green(), blue.green(), 1);
    EXPECT_NEAR(bottom.blue(), blue.blue(), 1);
}

}  // namespace
}  // namespace velorin
