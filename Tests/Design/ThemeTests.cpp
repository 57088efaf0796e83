#include "Platform/Sim/SimPlatform.h"
#include "QtApp.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Design/Theme.h"

#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velorin {
namespace {

const ColorEnvironment light{Appearance::light, QColor(0x00, 0x7A, 0xFF)};
const ColorEnvironment dark{Appearance::dark, QColor(0x00, 0x7A, 0xFF)};

void expectRgba(const Rgba& actual, const Rgba& expected, const std::string& what) {
    EXPECT_NEAR(actual.red, expected.red, 1e-4) << what;
    EXPECT_NEAR(actual.green, expected.green, 1e-4) << what;
    EXPECT_NEAR(actual.blue, expected.blue, 1e-4) << what;
    EXPECT_NEAR(actual.alpha, expected.alpha, 1e-4) << what;
}

struct ThemeCase {
    const char* name;
    ThemeColor color;
    std::uint32_t light;
    double lightOpacity;
    std::uint32_t dark;
    double darkOpacity;
};

TEST(Theme, everyFixedColourHasItsLightAndDarkValue) {
    const std::vector<ThemeCase> cases = {
        {"milk", Theme::milk, 0xD5DAE2, 1, 0x0E1014, 1},
        {"cream", Theme::cream, 0xC6CCD6, 1, 0x2B3038, 1},
        {"onAccent", Theme::onAccent, 0xFFFFFF, 1, 0xFFFFFF, 1},
        {"warmWhite", Theme::warmWhite, 0xF5F7FA, 1, 0x1D2027, 1},
        {"ink", Theme::ink, 0x0D0F12, 1, 0xF2F3F5, 1},
        {"inkMuted", Theme::inkMuted, 0x0D0F12, 0.70, 0xF2F3F5, 0.62},
        {"inkFaint", Theme::inkFaint, 0x0D0F12, 0.15, 0xFFFFFF, 0.12},
        {"rim", Theme::rim, 0xFFFFFF, 0.90, 0xFFFFFF, 0.16},
        {"shadow", Theme::shadow, 0x1B2230, 0.60, 0x000000, 0.90},
        {"success", Theme::success, 0x2E8B4E, 1, 0x58C47C, 1},
        {"warning", Theme::warning, 0xD0700F, 1, 0xF0A04A, 1},
    };
    for (const ThemeCase& c : cases) {
        expectRgba(c.color.resolveRgba(light), Rgba::hex(c.light, c.lightOpacity), std::string(c.name) + " light");
        expectRgba(c.color.resolveRgba(dark), Rgba::hex(c.dark, c.darkOpacity), std::string(c.name) + " dark");
    }
}

TEST(Theme, honeyIsTheAccentAndButterItsBlendTowardWhite) {
    ColorEnvironment env = light;
    env.accent = QColor(0x20, 0x80, 0xC0);
    const Rgba accent = Rgba::from(env.accent);
    expectRgba(Theme::honey.resolveRgba(env), accent, "honey light");

    auto towardWhite = [&](double f) {
        return Rgba{accent.red + (1 - accent.red) * f, accent.green + (1 - accent.green) * f,
                    accent.blue + (1 - accent.blue) * f, 1};
    };
    expectRgba(Theme::butter.resolveRgba(env), towardWhite(0.28), "butter light");
    env.appearance = Appearance::dark;
    expectRgba(Theme::honey.resolveRgba(env), accent, "honey dark");
    expectRgba(Theme::butter.resolveRgba(env), towardWhite(0.12), "butter dark");

    // A new accent reaches both on the next resolve.
    env.accent = QColor(0xFF, 0x00, 0x00);
    EXPECT_EQ(Theme::honey.resolve(env), QColor(0xFF, 0x00, 0x00));
    EXPECT_NEAR(Theme::butter.resolveRgba(env).green, 0.12, 1e-9);
}

TEST(Theme, opacityMultipliesTheResolvedAlpha) {
    expectRgba(Theme::inkFaint.opacity(0.5).resolveRgba(dark), Rgba::hex(0xFFFFFF, 0.06), "faint half");
    expectRgba(Theme::shadow.opacity(0.18).resolveRgba(light), Rgba::hex(0x1B2230, 0.108), "shadow");
    expectRgba(Theme::honey.opacity(0.35).resolveRgba(light), Rgba::hex(0x007AFF, 0.35), "honey");
}

TEST(Theme, springsAreTheSnappyAndTheWobbly) {
    EXPECT_EQ(Theme::snappy, (Spring{0.32, 0.78, 0}));
    EXPECT_EQ(Theme::wobble, (Spring{0.45, 0.6, 0}));
}

class DisplayFixture : public ::testing::Test {
protected:
    sim::SimPlatform sim;
};

TEST_F(DisplayFixture, readsThePlatformsDisplaySettings) {
    EXPECT_EQ(Display::colorEnvironment(), (ColorEnvironment{Appearance::light, QColor(0x00, 0x7A, 0xFF)}));
    EXPECT_FALSE(Display::reduceMotion());
    sim.displaySettings().setDarkAppearance(true);
    sim.displaySettings().setAccentColor(0xFF9500);
    sim.displaySettings().setReduceMotion(true);
    sim.displaySettings().setReduceTransparency(true);
    EXPECT_EQ(Display::colorEnvironment(), (ColorEnvironment{Appearance::dark, QColor(0xFF, 0x95, 0x00)}));
    EXPECT_TRUE(Display::reduceMotion());
    EXPECT_TRUE(Display::reduceTransparency());
    // The accent reaches honey on its next resolve.
    EXPECT_EQ(Theme::honey.resolve(Display::colorEnvironment()), QColor(0xFF, 0x95, 0x00));
}

TEST_F(DisplayFixture, observersHearEveryChangeWhileTheyLive) {
    int told = 0;
    {
        DisplayObserver observer([&] { ++told; });
        sim.displaySettings().setDarkAppearance(true);
        sim.displaySettings().setAccentColor(0x123456);
        EXPECT_EQ(told, 2);
    }
    sim.displaySettings().setDarkAppearance(false);
    EXPECT_EQ(told, 2);
}

TEST_F(DisplayFixture, aViewForcedDarkDrawsDarkBesideALightSibling) {
    test::qtApp();
    QWidget window;
    auto* forced = new QWidget(&window);
    auto* inner = new QWidget(forced);
    auto* sibling = new QWidget(&window);
    forceAppearance(forced, Appearance::dark);

    EXPECT_EQ(Theme::milk.resolve(colorEnvironmentFor(inner)), QColor(0x0E, 0x10, 0x14));
    EXPECT_EQ(Theme::milk.resolve(colorEnvironmentFor(sibling)), QColor(0xD5, 0xDA, 0xE2));

    // The rest follows the display; the forced view does not.
    sim.displaySettings().setDarkAppearance(true);
    EXPECT_EQ(colorEnvironmentFor(sibling).appearance, Appearance::dark);
    forceAppearance(forced, Appearance::light);
    EXPECT_EQ(colorEnvironmentFor(inner).appearance, Appearance::light);
    forceAppearance(forced, std::nullopt);
    EXPECT_EQ(colorEnvironmentFor(inner).appearance, Appearance::dark);
}

TEST_F(DisplayFixture, aHapticPlaysAtOnceThroughThePlatform) {
    playHaptic(HapticPattern::alignment);
    playHaptic(HapticPattern::levelChange);
    EXPECT_EQ(sim.haptics().performed(),
              (std::vector<sim::HapticFeedback>{{HapticPattern::alignment, HapticPerformanceTime::now},
                                                {HapticPattern::levelChange, HapticPerformanceTime::now}}));
}

}  // namespace
}  // namespace velorin
