#include "Platform/Sim/SimPlatform.h"
#include "QtApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/RainbowViews.h"
#include "Velorin/Design/Theme.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace velorin {
namespace {

// A window of plain white on the simulated desktop; frames come from the
// default clock, so the desktop's virtual time drives them.
class RainbowViewFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(240, 160);
        setBackground(Qt::white);
        window.setAutoFillBackground(true);
    }
    void TearDown() override { Motion::setInstant(false); }

    void setBackground(const QColor& color) {
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, color);
        window.setPalette(palette);
    }
    QImage grab() { return window.grab().toImage(); }
    FrameClock& clock() { return FrameClock::current(); }

    QApplication& app = test::qtApp();
    sim::SimPlatform sim;
    QWidget window;
};

double turnsApart(double a, double b) {
    double d = std::fmod(b - a, 2 * std::numbers::pi);
    return d < 0 ? d + 2 * std::numbers::pi : d;
}

// --- The liquid as a view. ---

TEST_F(RainbowViewFixture, aLiquidsLevelSpringsToItsTargetOnTheClock) {
    auto* liquid = new RainbowLiquidView(0.2, &window);
    liquid->setGeometry(20, 20, 60, 100);
    window.show();
    liquid->setLevel(0.8);
    EXPECT_EQ(liquid->level(), 0.8);
    EXPECT_NEAR(liquid->liquid().level(), 0.2, 1e-9);  // it starts where it stood

    sim.advance(0.1);
    const double early = liquid->liquid().level();
    EXPECT_GT(early, 0.2);
    EXPECT_LT(early, 0.8);
    // A spring of damping 0.62 swings past its target before it settles.
    double highest = early;
    for (int i = 0; i < 60; ++i) {
        sim.advance(1.0 / 60);
        highest = std::max(highest, liquid->liquid().level());
    }
    EXPECT_GT(highest, 0.8);
    sim.advance(3);
    EXPECT_NEAR(liquid->liquid().level(), 0.8, 1e-3);
}

TEST_F(RainbowViewFixture, withInstantMotionTheLevelIsThereAtOnce) {
    Motion::setInstant(true);
    auto* liquid = new RainbowLiquidView(0.2, &window);
    window.show();
    liquid->setLevel(0.7);
    EXPECT_EQ(liquid->liquid().level(), 0.7);
}

TEST_F(RainbowViewFixture, theWaveStepsAtMostThirtyTimesASecond) {
    auto* liquid = new RainbowLiquidView(0.5, &window);
    liquid->setGeometry(20, 20, 60, 100);
    window.show();
    ASSERT_TRUE(liquid->liquid().isWaving());
    // Sixty frames in one second; the wave moves on about every other one,
    // never by less than a thirtieth of a second's worth.
    sim.advance(1.0 / 60);  // the first step catches up with the time since the view was made
    int steps = 0;
    double last = liquid->liquid().phase();
    for (int i = 0; i < 60; ++i) {
        sim.advance(1.0 / 60);
        const double now = liquid->liquid().phase();
        if (now != last) {
            ++steps;
            EXPECT_GE(turnsApart(last, now), RainbowLiquid::phaseRate / 30 - 1e-3);
        }
        last = now;
    }
    EXPECT_GE(steps, 20);
    EXPECT_LE(steps, 30);
}

TEST_F(RainbowViewFixture, theWaveStandsStillWhenEmptyHiddenOrUnderReduceMotion) {
    auto* liquid = new RainbowLiquidView(0.5, &window);
    liquid->setGeometry(20, 20, 60, 100);
    EXPECT_FALSE(liquid->liquid().isWaving());  // not shown yet
    window.show();
    EXPECT_TRUE(liquid->liquid().isWaving());

    sim.displaySettings().setReduceMotion(true);
    EXPECT_FALSE(liquid->liquid().isWaving());
    const double still = liquid->liquid().phase();
    sim.advance(0.5);
    EXPECT_EQ(liquid->liquid().phase(), still);
    sim.displaySettings().setReduceMotion(false);
    EXPECT_TRUE(liquid->liquid().isWaving());

    liquid->hide();
    EXPECT_FALSE(liquid->liquid().isWaving());
    liquid->show();
    EXPECT_TRUE(liquid->liquid().isWaving());

    Motion::setInstant(true);
    liquid->setLevel(0);
    EXPECT_FALSE(liquid->liquid().isWaving());
    EXPECT_FALSE(clock().hasListeners());
}

TEST_F(RainbowViewFixture, aLiquidPaintsItsBandsUpToItsLevel) {
    Motion::setInstant(true);
    auto* liquid = new RainbowLiquidView(0.5, &window);
    liquid->setGeometry(20, 20, 60, 120);
    window.show();
    const QImage image = grab();
    // Above the level the window shows through; near the bottom lies the last band, blue.
    EXPECT_EQ(image.pixelColor(50, 30), QColor(Qt::white));
    const QColor bottom = image.pixelColor(50, 135);
    const QColor blue = Rainbow::colors[5].toQColor();
    EXPECT_NEAR(bottom.red(), blue.red(), 2);
    EXPECT_NEAR(bottom.green(), blue.green(), 2);
    EXPECT_NEAR(bottom.blue(), blue.blue(), 2);
    // The six bands span the liquid's own height (half the view and 3 points):
    // the fourth, red, lies at 3.5 sixths of it from its top.
    const QColor middle = image.pixelColor(50, 20 + 120 - 63 + 37);
    EXPECT_NEAR(middle.red(), Rainbow::colors[3].toQColor().red(), 2);
    EXPECT_NEAR(middle.green(), Rainbow::colors[3].toQColor().green(), 2);
}

// --- The grain. ---

TEST_F(RainbowViewFixture, theGrainLightensWhatLiesBelowAndTakesNoClicks) {
    setBackground(Qt::black);
    auto* grain = new PixelGrainView(0.5, &window);
    grain->setGeometry(0, 0, 40, 10);
    window.show();
    EXPECT_TRUE(grain->testAttribute(Qt::WA_TransparentForMouseEvents));
    const QImage image = grab();
    // Screened onto black, each stripe shows its own subpixel colour at half strength.
    const QColor red = image.pixelColor(0, 5);
    EXPECT_GT(red.red(), 100);
    EXPECT_LT(red.green(), 60);
    const QColor green = image.pixelColor(1, 5);
    EXPECT_GT(green.green(), 100);
    EXPECT_LT(green.red(), 60);
    EXPECT_EQ(image.pixelColor(3, 5), QColor(Qt::black));  // the gap of each triple

    grain->setStrength(0);
    EXPECT_EQ(grab().pixelColor(0, 5), QColor(Qt::black));
}

// --- The capsule glass. ---

TEST_F(RainbowViewFixture, theGlassTakesItsContentsSizeAndStandsBehindIt) {
    auto* glass = new RainbowGlass(false, true, &window);
    auto* layout = new QHBoxLayout(glass);
    layout->setContentsMargins(14, 10, 14, 10);
    auto* label = new QLabel(QStringLiteral("Search"), glass);
    layout->addWidget(label);
    EXPECT_EQ(glass->sizeHint().height(), label->sizeHint().height() + 20);
    glass->setGeometry(40, 40, 120, 40);
    window.show();

    const QImage image = grab();
    // The capsule's ends are round: its bounding corner is the window.
    EXPECT_EQ(image.pixelColor(41, 41), QColor(Qt::white));
    // Inside, the solid glass is near the raised surface colour.
    const QColor inside = image.pixelColor(150, 64);
    const QColor raised = Theme::warmWhite.resolve(Display::colorEnvironment());
    EXPECT_NEAR(inside.red(), raised.red(), 24);
    EXPECT_NEAR(inside.blue(), raised.blue(), 24);
    // The shadow falls below the capsule, beyond its bounds.
    const QColor below = image.pixelColor(100, 83);
    EXPECT_LT(below.lightness(), 255);
}

TEST_F(RainbowViewFixture, darkGlassIsDarkerThanClearGlass) {
    auto* clear = new RainbowGlass(false, false, &window);
    clear->setGeometry(10, 10, 100, 30);
    auto* dark = new RainbowGlass(true, false, &window);
    dark->setGeometry(10, 80, 100, 30);
    window.show();
    const QImage image = grab();
    EXPECT_LT(image.pixelColor(60, 97).lightness() + 20, image.pixelColor(60, 27).lightness());

    dark->setDark(false);
    const QImage after = grab();
    EXPECT_NEAR(after.pixelColor(60, 97).lightness(), after.pixelColor(60, 27).lightness(), 2);
}

// --- A view's pixel splash. ---

TEST_F(RainbowViewFixture, aViewsSplashFliesEachTimeItsTriggerChanges) {
    auto* host = new QWidget(&window);
    host->setGeometry(80, 60, 60, 30);
    window.show();
    EXPECT_EQ(pixelSplashOf(host), nullptr);

    pixelSplash(host, 5, false, false);  // the first value only sets the start
    ASSERT_NE(pixelSplashOf(host), nullptr);
    EXPECT_FALSE(pixelSplashOf(host)->burst().start().has_value());
    EXPECT_FALSE(clock().hasListeners());

    pixelSplash(host, 6, false, false);
    ASSERT_TRUE(pixelSplashOf(host)->burst().start().has_value());
    EXPECT_EQ(pixelSplashOf(host)->burst().seeds().size(), std::size_t(PixelBurst::splashCount));
    EXPECT_TRUE(clock().hasListeners());
    sim.advance(0.2);
    const QImage image = grab();
    int coloured = 0;
    for (int y = 24; y < 126; ++y)
        for (int x = 44; x < 176; ++x) coloured += image.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_GT(coloured, 0);

    // The same value again starts nothing new; a drain of a new value does.
    const double started = *pixelSplashOf(host)->burst().start();
    pixelSplash(host, 6, false, false);
    EXPECT_EQ(*pixelSplashOf(host)->burst().start(), started);
    pixelSplash(host, 7, true, false);
    EXPECT_EQ(pixelSplashOf(host)->burst().seeds().size(), std::size_t(PixelBurst::drainCount));

    sim.advance(1);
    EXPECT_FALSE(clock().hasListeners());
    delete host;  // the splash goes with its host
    EXPECT_TRUE(EffectsOverlay::of(&window)->effects().empty());
}

TEST_F(RainbowViewFixture, underReduceMotionAViewsSplashDrawsNothing) {
    sim.displaySettings().setReduceMotion(true);
    auto* host = new QWidget(&window);
    window.show();
    pixelSplash(host, 0, false, false);
    pixelSplash(host, 1, false, true);
    EXPECT_FALSE(pixelSplashOf(host)->burst().start().has_value());
    EXPECT_FALSE(clock().hasListeners());
}

}  // namespace
}  // namespace velorin
