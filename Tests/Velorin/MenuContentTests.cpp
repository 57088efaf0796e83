#include <gtest/gtest.h>

#include "AppModelFixture.h"
#include "Velorin/MenuContent.h"

namespace velorin {
namespace {

std::vector<std::string> titles(const std::vector<MenuRow>& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(row.kind == MenuRow::Kind::separator ? "---" : row.title);
    return out;
}

Engine::Fired record(Gesture gesture, std::optional<Action> action, std::optional<std::string> source,
                     std::optional<std::string> error = std::nullopt) {
    return Engine::Fired{gesture, std::move(action), std::move(source), std::move(error), Date{}};
}

TEST(MenuRows, perEngineState) {
    const std::string enabled = "Velorin Enabled";
    const std::string grant = "\u26A0\uFE0F Grant Accessibility\u2026";
    const std::string taps = "Show Taps on Screen";
    const std::string packs = "Shortcut Packs\u2026";
    const std::string settings = "Settings\u2026";
    const std::string updates = "Check for Updates\u2026";
    const std::string quit = "Quit Velorin";

    MenuState running;
    MenuState withUpdates = running;
    withUpdates.canCheckForUpdates = true;
    MenuState untrusted = running;
    untrusted.accessibilityTrusted = false;
    MenuState noTrackpad = running;
    noTrackpad.startError = "No multitouch devices found";
    MenuState fired = running;
    fired.lastFired = record(Gesture::tap(3, 2), Action::system(SystemCommand::missionControl), "My shortcut");
    MenuState failed = running;
    failed.lastFired =
        record(Gesture::hold(2), Action::window(WindowCommand::leftHalf), "Everyday Mac", "Couldn't move the window");
    MenuState bare = running;
    bare.lastFired = record(Gesture::cornerTap(Gesture::Corner::topLeft), std::nullopt, std::nullopt);
    MenuState everything = untrusted;
    everything.startError = "No multitouch devices found";
    everything.lastFired = fired.lastFired;
    everything.canCheckForUpdates = true;

    struct Case {
        const char* name;
        MenuState state;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {"running, nothing fired", running, {enabled, taps, "---", packs, settings, quit}},
        {"an update feed adds the check", withUpdates, {enabled, taps, "---", packs, settings, updates, quit}},
        {"missing permission", untrusted, {enabled, grant, taps, "---", packs, settings, quit}},
        {"trackpad unavailable",
         noTrackpad,
         {enabled, "Trackpad unavailable: No multitouch devices found", taps, "---", packs, settings, quit}},
        {"last fired with its source",
         fired,
         {enabled, "Last: 3-finger double tap \u2192 Mission Control", "   from My shortcut", taps, "---", packs,
          settings, quit}},
        {"a failed action shows only that it failed",
         failed,
         {enabled, "Last: 2-finger hold \u2192 Window \u2192 left half (failed)", "   from Everyday Mac", taps, "---",
          packs, settings, quit}},
        {"no action and no source",
         bare,
         {enabled, "Last: Corner tap: top left \u2192 \u2013", taps, "---", packs, settings, quit}},
        {"everything at once, in order",
         everything,
         {enabled, grant, "Trackpad unavailable: No multitouch devices found",
          "Last: 3-finger double tap \u2192 Mission Control", "   from My shortcut", taps, "---", packs, settings,
          updates, quit}},
    };
    for (const auto& c : cases) EXPECT_EQ(titles(MenuContent::rows(c.state)), c.titles) << c.name;
}

TEST(MenuRows, kindsKeysAndChecks) {
    MenuState state;
    state.isEnabled = false;
    state.showTaps = true;
    state.accessibilityTrusted = false;
    state.startError = "x";
    state.canCheckForUpdates = true;
    using K = MenuRow::Kind;
    const std::vector<MenuRow> expected = {
        {K::toggle, "Velorin Enabled", false, 'E', MenuEffect::toggleEnabled},
        {K::button, "\u26A0\uFE0F Grant Accessibility\u2026", false, 0, MenuEffect::grantAccessibility},
        {K::text, "Trackpad unavailable: x", false, 0, MenuEffect::none},
        {K::toggle, "Show Taps on Screen", true, 0, MenuEffect::toggleShowTaps},
        {K::separator, "", false, 0, MenuEffect::none},
        {K::button, "Shortcut Packs\u2026", false, 0, MenuEffect::showPacks},
        {K::button, "Settings\u2026", false, ',', MenuEffect::showSettings},
        {K::button, "Check for Updates\u2026", false, 0, MenuEffect::checkForUpdates},
        {K::button, "Quit Velorin", false, 'Q', MenuEffect::quit},
    };
    EXPECT_EQ(MenuContent::rows(state), expected);
}

TEST(MenuRows, iconFollowsIsEnabled) {
    EXPECT_EQ(MenuContent::iconSymbol(true), "hand.tap.fill");
    EXPECT_EQ(MenuContent::iconSymbol(false), "hand.tap");
}

struct FakeUpdater : UpdateController {
    explicit FakeUpdater(int& checks) : checks(checks) {}
    void checkForUpdates() override { ++checks; }
    int& checks;
};

class MenuEffects : public testing::AppModelFixture {};

TEST_F(MenuEffects, state_readsTheModelTheEngineAndTheDefaults) {
    sim.accessibility().setTrusted(false);
    touchpad->failure = MultitouchError::noDevices();
    auto& m = makeModel();
    auto state = MenuContent::state(m);
    EXPECT_TRUE(state.isEnabled);
    EXPECT_FALSE(state.accessibilityTrusted);
    EXPECT_EQ(state.startError, m.engine().startError().get());
    EXPECT_FALSE(state.showTaps);
    EXPECT_FALSE(state.canCheckForUpdates);
    const auto rows = titles(MenuContent::rows(state));
    EXPECT_EQ(rows[2], "Trackpad unavailable: " + *m.engine().startError().get());
}

TEST_F(MenuEffects, eachRow_doesWhatItSays) {
    int checks = 0;
    sim.bundle().setInfo("SUFeedURL", PropertyValue(std::string("https://example.org/appcast.xml")));
    updateFramework = [&checks] { return std::make_unique<FakeUpdater>(checks); };
    auto& m = makeModel();
    ASSERT_TRUE(MenuContent::state(m).canCheckForUpdates);

    MenuContent::perform(MenuEffect::toggleEnabled, m);
    EXPECT_FALSE(m.config().isEnabled);
    EXPECT_FALSE(ConfigStore(configFile()).load().isEnabled);  // saved
    EXPECT_EQ(MenuContent::rows(MenuContent::state(m))[0].checked, false);
    MenuContent::perform(MenuEffect::toggleEnabled, m);
    EXPECT_TRUE(m.config().isEnabled);

    MenuContent::perform(MenuEffect::toggleShowTaps, m);
    EXPECT_TRUE(sim.defaults().boolForKey("showTapsOnScreen"));
    EXPECT_TRUE(MenuContent::state(m).showTaps);
    MenuContent::perform(MenuEffect::toggleShowTaps, m);
    EXPECT_FALSE(sim.defaults().boolForKey("showTapsOnScreen"));

    m.selectedTab.set(SettingsTab::trackpad);
    MenuContent::perform(MenuEffect::showSettings, m);
    EXPECT_EQ(m.selectedTab.get(), SettingsTab::trackpad);
    MenuContent::perform(MenuEffect::showPacks, m);
    EXPECT_EQ(m.selectedTab.get(), SettingsTab::packs);
    MenuContent::perform(MenuEffect::grantAccessibility, m);
    EXPECT_EQ(m.selectedTab.get(), SettingsTab::general);
    EXPECT_EQ(windowsMade, 1);
    EXPECT_EQ(window->shown, 3);

    MenuContent::perform(MenuEffect::checkForUpdates, m);
    EXPECT_EQ(checks, 1);
}

TEST_F(MenuEffects, updaterIsMadeAtStartUpBeforeAnyWindow) {
    int made = 0;
    int checks = 0;
    sim.bundle().setInfo("SUFeedURL", PropertyValue(std::string()));
    sim.accessibility().setTrusted(false);
    updateFramework = [&] {
        ++made;
        EXPECT_EQ(windowsMade, 0);
        return std::make_unique<FakeUpdater>(checks);
    };
    auto& m = makeModel();
    EXPECT_EQ(made, 1);
    sim.runUntilIdle();
    EXPECT_EQ(windowsMade, 1);
    EXPECT_NE(m.updates().controller(), nullptr);
}

}  // namespace
}  // namespace velorin
