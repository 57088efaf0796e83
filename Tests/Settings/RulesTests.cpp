// The settings window's decisions, without a display: the see-through rule,
// the water's feed, the three roundings of value texts, the widening
// adapter, the shake, the About tab's cheat sheet and the General tab's texts.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Config/AppConfig.h"
#include "Config/PackCatalog.h"
#include "Platform/Sim/SimPlatform.h"
#include "Support/Uuid.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Settings/AboutRules.h"
#include "Velorin/Settings/GeneralRules.h"
#include "Velorin/Settings/Shake.h"
#include "Velorin/Settings/ValueBinding.h"
#include "Velorin/Settings/ValueText.h"
#include "Velorin/Settings/WindowLayers.h"

namespace velorin {
namespace {

constexpr double inf = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();

TEST(SeeThroughRule, storedValue_givesBackdropAndWaterOpacity) {
    struct Case {
        double stored;
        bool reduceTransparency;
        double strength;
        Backdrop backdrop;
    };
    const Case cases[] = {
        {0.8, false, 0.6, Backdrop::desktop},  // limited to 0.6: water at 0.4
        {0.6, false, 0.6, Backdrop::desktop},
        {0.35, false, 0.35, Backdrop::desktop},
        {0, false, 0, Backdrop::fill},
        {-1, false, 0, Backdrop::fill},
        {0.8, true, 0, Backdrop::fill},  // Reduce Transparency wins whatever is stored
        {nan, false, 0, Backdrop::fill},  // not finite: treated as 0
        {inf, false, 0, Backdrop::fill},
        {-inf, false, 0, Backdrop::fill},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        const double s = SeeThrough::effective(c.stored, c.reduceTransparency);
        EXPECT_DOUBLE_EQ(s, c.strength);
        const auto layers = WindowLayers::forStrength(s);
        EXPECT_EQ(layers.backdrop, c.backdrop);
        EXPECT_DOUBLE_EQ(layers.waterOpacity, 1 - c.strength);
    }
    EXPECT_EQ(SeeThrough::sanitized(nan), 0);
    EXPECT_EQ(SeeThrough::sanitized(0.8), 0.8);  // the label shows it unclamped
}

class WaterFeedTest : public ::testing::Test {
protected:
    WaterFeedTest() {
        config.enabledPacks = {PackCatalog::all().at(0).id, PackCatalog::all().at(1).id};
        fired = Engine::Fired{Gesture::tap(3, 1), std::nullopt, std::nullopt, std::nullopt,
                              dateFromSecondsSince1970(1000)};
        touches = {Touch{1, TouchState::touching, 0.2f, 0.3f, 0, 0, 1}};
    }
    WaterFeed feed(SettingsTab tab, bool studioOpen) const {
        WaterFeed f;
        f.tab = tab;
        f.studioOpen = studioOpen;
        f.liveTouches = &touches;
        f.lastFired = &fired;
        f.config = &config;
        f.opacity = 0.4;
        f.dark = true;
        return f;
    }
    sim::SimPlatform sim;
    AppConfig config;
    std::optional<Engine::Fired> fired;
    std::vector<Touch> touches;
};

TEST_F(WaterFeedTest, touchesAndSplash_reachTheWaterExceptWhereAPadShowsThem) {
    const auto blobs = PackStyle::floorBlobs(config.enabledPacks, config.allPacks());
    ASSERT_EQ(blobs.size(), 2u);
    for (SettingsTab tab : allSettingsTabs) {
        for (bool studio : {false, true}) {
            SCOPED_TRACE(int(tab) * 10 + studio);
            const WaterInput input = feed(tab, studio).input();
            const bool ownPad = tab == SettingsTab::trackpad || studio;
            EXPECT_EQ(input.touches.empty(), ownPad);
            EXPECT_EQ(input.fired.has_value(), !ownPad);
            if (!ownPad) {
                EXPECT_EQ(input.fired, fired->date);
            }
            // The floor keeps the packs' colours everywhere.
            EXPECT_EQ(input.blobs, blobs);
            EXPECT_EQ(input.opacity, 0.4);
            EXPECT_TRUE(input.dark);
        }
    }
}

TEST_F(WaterFeedTest, noPackOn_noFloorSpots_andNothingFired_noSplash) {
    config.enabledPacks.clear();
    fired.reset();
    const WaterInput input = feed(SettingsTab::general, false).input();
    EXPECT_TRUE(input.blobs.empty());
    EXPECT_FALSE(input.fired);
    EXPECT_EQ(input.touches.size(), 1u);
}

TEST(ValueTexts, seeThrough_roundsHalvesAwayFromZero) {
    const std::pair<double, const char*> cases[] = {
        {0.004, "Off"}, {0.005, "Off"}, {0.0099, "Off"}, {0.01, "1%"},    {0.355, "36%"}, {0.35, "35%"},
        {0.6, "60%"},   {0.125, "13%"}, {0.8, "80%"},    {-0.3, "Off"},   {nan, "Off"},   {inf, "Off"},
        {-inf, "Off"},  {1e300, std::nullptr_t{}},
    };
    for (const auto& [v, text] : cases) {
        SCOPED_TRACE(v);
        if (!text) {
            // Far beyond any integer: written out, never converted.
            const std::string shown = ValueText::seeThrough(v);
            EXPECT_EQ(shown.back(), '%');
            EXPECT_GT(shown.size(), 300u);
            continue;
        }
        EXPECT_EQ(ValueText::seeThrough(v), text);
    }
}

TEST(ValueTexts, percent_roundsLikePrintf_halvesToEven) {
    const std::pair<double, const char*> cases[] = {
        {double(0.03f), "3%"}, {double(0.15f), "15%"}, {0.125, "12%"}, {0.135, "14%"}, {0.025, "2%"},
        {0.08, "8%"},          {2.0, "200%"},           {-0.05, "-5%"}, {nan, "–"},      {inf, "∞%"},
    };
    for (const auto& [v, text] : cases) {
        SCOPED_TRACE(v);
        EXPECT_EQ(ValueText::percent(v), text);
    }
}

TEST(ValueTexts, milliseconds_truncate_andNeverOverflow) {
    const std::pair<double, const char*> cases[] = {
        {0.3, "300 ms"},   {1.2, "1200 ms"}, {0.25, "250 ms"}, {0.0019, "1 ms"},     {0.2999, "299 ms"},
        {-0.0019, "-1 ms"}, {nan, "– ms"},   {inf, "∞ ms"},    {-inf, "-∞ ms"},
    };
    for (const auto& [v, text] : cases) {
        SCOPED_TRACE(v);
        EXPECT_EQ(ValueText::milliseconds(v), text);
    }
    // Beyond a 64-bit integer: the digits, without an integer conversion.
    EXPECT_EQ(ValueText::milliseconds(1e16), "10000000000000000000 ms");
    EXPECT_EQ(ValueText::truncated(9.2233720368547748e18), 9223372036854774784LL);  // the last double below 2^63
    EXPECT_EQ(ValueText::truncated(9.2233720368547758e18), std::nullopt);          // 2^63
    EXPECT_EQ(ValueText::truncated(-9.2233720368547758e18), std::numeric_limits<long long>::min());
    EXPECT_EQ(ValueText::truncated(-2.5), -2);
}

TEST(WidenedBinding, readsExactly_writesTheNearestFloat) {
    float stored = 0.03f;
    int writes = 0;
    ValueBinding<double> wide = widened(ValueBinding<float>{[&] { return stored; }, [&](float v) {
                                                                 stored = v;
                                                                 ++writes;
                                                             }});
    EXPECT_EQ(wide.get(), double(0.03f));
    EXPECT_NE(wide.get(), 0.03);
    wide.set(0.15);
    EXPECT_EQ(stored, 0.15f);
    EXPECT_EQ(writes, 1);
    wide.set(wide.get());  // a round trip keeps the stored float
    EXPECT_EQ(stored, 0.15f);
}

TEST(ShakeMotion, threeSwingsFallingToRest) {
    const std::pair<double, double> cases[] = {
        {0, 0}, {1.0 / 12, (11.0 / 12) * 4}, {1.0 / 6, 0}, {0.25, -0.75 * 4}, {0.5, 0}, {1, 0},
    };
    for (const auto& [p, x] : cases) {
        SCOPED_TRACE(p);
        EXPECT_NEAR(ShakeEffect::offset(p), x, 1e-9);
    }
}

TEST(ShakeMotion, trueTriggerShakesAgain_falseDoesNothing) {
    ManualFrameClock clock;
    FrameClock::install(&clock);
    Motion::setInstant(false);
    {
        Shake shake;
        EXPECT_EQ(shake.phase(), 1);  // at rest
        shake.trigger(false);
        EXPECT_EQ(shake.phase(), 1);
        shake.trigger(true);
        EXPECT_EQ(shake.phase(), 0);
        clock.advance(0.25);
        EXPECT_GT(shake.phase(), 0.5);  // eased out
        EXPECT_LT(shake.phase(), 1);
        clock.advance(0.3);
        EXPECT_EQ(shake.phase(), 1);
        shake.trigger(true);  // shown again: shakes again
        EXPECT_EQ(shake.phase(), 0);
    }
    FrameClock::install(nullptr);
}

class CheatSheetTest : public ::testing::Test {
protected:
    static Binding own(Gesture gesture, Action action, std::vector<std::string> apps = {}) {
        return Binding{Uuid::generate(), gesture, std::move(action), true, std::move(apps), std::nullopt};
    }
    static Pack pack(std::string id, std::string name, std::vector<Binding> bindings) {
        Pack p;
        p.id = std::move(id);
        p.name = std::move(name);
        p.bindings = std::move(bindings);
        p.custom = true;
        return p;
    }
    sim::SimPlatform sim;
};

TEST_F(CheatSheetTest, everywhere_sortsByDisplayNameLikeFileNames) {
    AppConfig config;
    config.bindings = {
        own(Gesture::cornerTap(Gesture::Corner::topLeft), Action::media(MediaKey::mute)),
        own(Gesture::tap(3, 3), Action::media(MediaKey::next)),
        own(Gesture::tap(3, 1), Action::media(MediaKey::previous)),
        own(Gesture::hold(3), Action::media(MediaKey::volumeUp)),
        own(Gesture::tap(3, 2), Action::media(MediaKey::volumeDown)),
        own(Gesture::tap(2, 1), Action::media(MediaKey::playPause)),
        own(Gesture::tap(10 - 7, 1), Action::media(MediaKey::playPause)),  // same gesture again: one entry
    };
    std::vector<Gesture> order;
    for (const auto& e : AboutRules::everywhere(config)) order.push_back(e.gesture);
    const std::vector<Gesture> expected = {Gesture::tap(2, 1), Gesture::tap(3, 2), Gesture::hold(3),
                                           Gesture::tap(3, 1), Gesture::tap(3, 3),
                                           Gesture::cornerTap(Gesture::Corner::topLeft)};
    EXPECT_EQ(order, expected);
}

TEST_F(CheatSheetTest, everywhere_onlyEveryAppShortcuts_ownBeforePacks_earlierPackFirst) {
    AppConfig config;
    config.bindings = {own(Gesture::tap(4, 1), Action::media(MediaKey::mute)),
                       own(Gesture::tap(5, 1), Action::media(MediaKey::next), {"com.apple.Safari"})};
    config.customPacks = {
        pack("custom-a", "Alpha", {own(Gesture::tap(4, 1), Action::media(MediaKey::playPause)),
                                   own(Gesture::hold(4), Action::media(MediaKey::previous))}),
        pack("custom-b", "Beta", {own(Gesture::hold(4), Action::media(MediaKey::volumeUp)),
                                  own(Gesture::tap(3, 2), Action::media(MediaKey::volumeDown))}),
    };
    config.enabledPacks = {"custom-a", "custom-b"};
    const auto entries = AboutRules::everywhere(config);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0], (CheatSheetEntry{Gesture::tap(3, 2), Action::media(MediaKey::volumeDown),
                                           BindingSource::pack("custom-b", "Beta")}));
    EXPECT_EQ(entries[1], (CheatSheetEntry{Gesture::hold(4), Action::media(MediaKey::previous),
                                           BindingSource::pack("custom-a", "Alpha")}));
    EXPECT_EQ(entries[2], (CheatSheetEntry{Gesture::tap(4, 1), Action::media(MediaKey::mute), BindingSource::mine()}));

    config.isEnabled = false;
    EXPECT_TRUE(AboutRules::everywhere(config).empty());
}

TEST_F(CheatSheetTest, sourceChip_mineOnHoney_packOnItsAccent) {
    AppConfig config;
    Pack accented = pack("custom-a", "Alpha", {});
    accented.accent = 0x112233;
    config.customPacks = {accented};
    EXPECT_EQ(AboutRules::sourceChip(BindingSource::mine(), config), (SourceChip{"Mine", Theme::honey.opacity(0.2)}));
    EXPECT_EQ(AboutRules::sourceChip(BindingSource::pack("custom-a", "Alpha"), config),
              (SourceChip{"Alpha", ThemeColor::plain(0x112233).opacity(0.22)}));
    // A pack the configuration no longer holds: the accent's fallback tint.
    EXPECT_EQ(AboutRules::sourceChip(BindingSource::pack("custom-gone", "Gone"), config),
              (SourceChip{"Gone", Theme::honey.opacity(0.22)}));
}

TEST(LocalizedStandardOrder, caseIgnored_digitRunsByValue) {
    EXPECT_TRUE(AboutRules::localizedStandardLess("file2", "file10"));
    EXPECT_FALSE(AboutRules::localizedStandardLess("file10", "file2"));
    EXPECT_TRUE(AboutRules::localizedStandardLess("apple", "Banana"));
    EXPECT_TRUE(AboutRules::localizedStandardLess("5-finger hold", "Corner tap: top left"));
    EXPECT_TRUE(AboutRules::localizedStandardLess("x007", "x8"));
    EXPECT_FALSE(AboutRules::localizedStandardLess("same", "same"));
}

TEST(AboutVersion, shortVersionText_elseDev) {
    sim::SimPlatform sim;
    EXPECT_EQ(AboutRules::version(sim.bundle()), "dev");  // the information list lacks it
    sim.bundle().setInfo("CFBundleShortVersionString", PropertyValue(std::string("2.4.1")));
    EXPECT_EQ(AboutRules::version(sim.bundle()), "2.4.1");
    sim.bundle().setInfo("CFBundleShortVersionString", PropertyValue(2.4));  // not text
    EXPECT_EQ(AboutRules::version(sim.bundle()), "dev");
}

TEST(GeneralTexts, resetCommandAndTrackpadStatus) {
    sim::SimPlatform sim;
    EXPECT_EQ(GeneralRules::resetCommand(sim.bundle()), "tccutil reset Accessibility com.quillmere.velorin");
    sim.bundle().setBundleIdentifier("org.example.other");
    EXPECT_EQ(GeneralRules::resetCommand(sim.bundle()), "tccutil reset Accessibility org.example.other");
    sim.bundle().setBundleIdentifier(std::nullopt);
    EXPECT_EQ(GeneralRules::resetCommand(sim.bundle()), "tccutil reset Accessibility com.quillmere.velorin");

    using Status = GeneralRules::TrackpadStatus;
    EXPECT_EQ(GeneralRules::trackpadStatus(true, "ignored"), (Status{true, "Listening"}));
    EXPECT_EQ(GeneralRules::trackpadStatus(false, std::nullopt), (Status{false, "Stopped"}));
    EXPECT_EQ(GeneralRules::trackpadStatus(false, "No trackpad found"), (Status{false, "No trackpad found"}));
    EXPECT_EQ(GeneralRules::accessibilityPart(false), GeneralRules::AccessibilityPart::missing);
}

}  // namespace
}  // namespace velorin
