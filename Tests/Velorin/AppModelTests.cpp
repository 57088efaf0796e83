#include <gtest/gtest.h>

#include <fstream>

#include "AppModelFixture.h"
#include "Velorin/DisplayNames.h"
#include "Velorin/MenuContent.h"

namespace velorin {
namespace {

using testing::AppModelFixture;

class AppModelTest : public AppModelFixture {};

TEST_F(AppModelTest, startUp_opensTheSettingsWindowOnGeneralOnlyWithoutAccessibility) {
    for (const bool trusted : {true, false}) {
        sim.accessibility().setTrusted(trusted);
        windowsMade = 0;
        window = nullptr;
        auto& m = makeModel();
        // Nothing opens while the model is being made.
        EXPECT_EQ(m.settingsWindow(), nullptr) << trusted;
        sim.runUntilIdle();
        sim.advance(10);
        if (trusted) {
            EXPECT_EQ(windowsMade, 0);
            EXPECT_EQ(m.selectedTab.get(), SettingsTab::packs);
            EXPECT_FALSE(m.engine().showsLiveTouches().get());
        } else {
            EXPECT_EQ(windowsMade, 1);
            ASSERT_NE(window, nullptr);
            EXPECT_EQ(window->shown, 1);
            EXPECT_EQ(m.selectedTab.get(), SettingsTab::general);
            EXPECT_TRUE(m.engine().showsLiveTouches().get());
        }
        model.reset();
    }
}

TEST_F(AppModelTest, missingConfigFile_runsTheStarterAndWritesNothingUntilTheFirstChange) {
    auto& m = makeModel();
    sim.runUntilIdle();
    sim.advance(5);
    EXPECT_EQ(m.config(), AppConfig::starter());
    EXPECT_EQ(m.engine().config().get(), AppConfig::starter());
    EXPECT_EQ(m.store().url(), configFile());
    EXPECT_FALSE(std::filesystem::exists(configFile()));
    EXPECT_FALSE(std::filesystem::exists(folder / "Velorin"));

    auto changed = m.config();
    changed.isEnabled = false;
    m.setConfig(changed);
    ASSERT_TRUE(std::filesystem::exists(configFile()));
    EXPECT_EQ(ConfigStore(configFile()).load(), changed);
    EXPECT_EQ(m.saveError.get(), std::nullopt);
}

TEST_F(AppModelTest, savedConfig_isLoadedAndRunByTheEngine) {
    auto config = AppConfig::starter();
    config.bindings.push_back(testing::binding(Gesture::tap(4, 2), Action::media(MediaKey::mute)));
    writeConfig(config);
    auto& m = makeModel();
    EXPECT_EQ(m.config(), config);
}

TEST_F(AppModelTest, failedSave_setsTheSharedErrorWhileTheEngineFollowsTheNewConfig) {
    // A file where the configuration folder should be: the folder can't be made.
    const auto blocked = folder / "blocked";
    std::ofstream(blocked) << "not a folder";
    setConfigFolder(blocked);
    auto& m = makeModel();

    auto off = m.config();
    off.isEnabled = false;
    m.setConfig(off);
    ASSERT_TRUE(m.saveError.get());
    const std::string prefix = "Couldn't save settings: ";
    EXPECT_EQ(m.saveError.get()->substr(0, prefix.size()), prefix);
    EXPECT_GT(m.saveError.get()->size(), prefix.size());
    EXPECT_EQ(m.engine().config().get(), off);
    EXPECT_EQ(m.config(), off);

    std::filesystem::remove(blocked);
    auto on = m.config();
    on.isEnabled = true;
    m.setConfig(on);
    EXPECT_EQ(m.saveError.get(), std::nullopt);
    EXPECT_EQ(ConfigStore(blocked / "Velorin" / "config.json").load(), on);
}

TEST_F(AppModelTest, launchAtLogin_sharesTheErrorSlotWithSaving) {
    const auto blocked = folder / "blocked";
    setConfigFolder(blocked);
    auto& m = makeModel();
    auto saveFails = [&] {
        std::filesystem::remove_all(blocked);
        std::ofstream(blocked) << "not a folder";
        m.setConfig(m.config());
    };
    auto saveWorks = [&] {
        std::filesystem::remove_all(blocked);
        m.setConfig(m.config());
    };
    auto loginFails = [&] {
        sim.loginItems().failNext("Operation not permitted");
        m.setLaunchAtLogin(true);
    };
    auto loginWorks = [&] { m.setLaunchAtLogin(!m.launchAtLogin()); };
    const std::string saveText = "Couldn't save settings: ";
    const std::string loginText = "Launch at login: Operation not permitted";

    struct Step {
        const char* name;
        std::function<void()> act;
        std::optional<std::string> error;  // the exact text, or the save message's beginning
    };
    const Step steps[] = {
        {"a failed save", saveFails, saveText},
        {"a failed login change replaces it", loginFails, loginText},
        {"a successful save clears it", saveWorks, std::nullopt},
        {"a failed save again", saveFails, saveText},
        {"a successful login change clears it", loginWorks, std::nullopt},
        {"a failed login change", loginFails, loginText},
        {"a successful login change clears its own", loginWorks, std::nullopt},
    };
    for (const auto& step : steps) {
        step.act();
        const auto& error = m.saveError.get();
        if (!step.error) {
            EXPECT_EQ(error, std::nullopt) << step.name;
        } else if (*step.error == saveText) {
            ASSERT_TRUE(error) << step.name;
            EXPECT_EQ(error->substr(0, saveText.size()), saveText) << step.name;
            EXPECT_GT(error->size(), saveText.size()) << step.name;
        } else {
            EXPECT_EQ(error, step.error) << step.name;
        }
    }
    // A failed registration leaves the item as it was.
    EXPECT_FALSE(m.launchAtLogin());
}

TEST_F(AppModelTest, launchAtLogin_readsTheServiceEveryTime) {
    auto& m = makeModel();
    const std::pair<LoginItemStatus, bool> cases[] = {
        {LoginItemStatus::enabled, true},
        {LoginItemStatus::notRegistered, false},
        {LoginItemStatus::requiresApproval, false},
        {LoginItemStatus::notFound, false},
    };
    for (const auto& [status, on] : cases) {
        sim.loginItems().setStatus(status);
        EXPECT_EQ(m.launchAtLogin(), on);
    }
}

TEST_F(AppModelTest, trackpadThatCannotStart_leavesTheModelWorking) {
    touchpad->failure = MultitouchError::noDevices();
    auto& m = makeModel();
    EXPECT_FALSE(m.engine().isRunning().get());
    ASSERT_TRUE(m.engine().startError().get());
    auto off = m.config();
    off.isEnabled = false;
    m.setConfig(off);
    EXPECT_EQ(m.saveError.get(), std::nullopt);
    m.showSettings(SettingsTab::about);
    EXPECT_EQ(windowsMade, 1);
}

TEST_F(AppModelTest, showSettings_buildsOneWindowAndFollowsTheTabRules) {
    auto& m = makeModel();
    struct Step {
        std::optional<SettingsTab> tab;
        SettingsTab shown;
    };
    const Step steps[] = {
        {std::nullopt, SettingsTab::packs},  // the initial tab
        {SettingsTab::trackpad, SettingsTab::trackpad},
        {std::nullopt, SettingsTab::trackpad},  // the tab it showed last
        {SettingsTab::general, SettingsTab::general},
        {SettingsTab::packs, SettingsTab::packs},
    };
    int shown = 0;
    for (const auto& step : steps) {
        m.showSettings(step.tab);
        EXPECT_EQ(m.selectedTab.get(), step.shown);
        EXPECT_EQ(window->shown, ++shown);
    }
    EXPECT_EQ(windowsMade, 1);
    EXPECT_EQ(window->activations, shown);
}

TEST_F(AppModelTest, windowVisibility_switchesLiveTouches) {
    auto& m = makeModel();
    auto lives = [&] { return m.engine().showsLiveTouches().get(); };
    m.showSettings(std::nullopt);
    EXPECT_TRUE(lives());
    window->send(WindowNotice::willClose);
    EXPECT_FALSE(lives());
    m.showSettings(std::nullopt);
    EXPECT_TRUE(lives());
    window->send(WindowNotice::didMiniaturize);
    EXPECT_FALSE(lives());
    window->send(WindowNotice::didDeminiaturize);
    EXPECT_TRUE(lives());
    // Shown again while already on screen: re-asserted.
    m.engine().setShowsLiveTouches(false);
    m.showSettings(std::nullopt);
    EXPECT_TRUE(lives());
}

class FiredGestures : public AppModelFixture {
protected:
    AppModel& start() {
        auto config = AppConfig::starter();
        config.bindings = {testing::binding(Gesture::tap(3, 1), Action::media(MediaKey::mute)),
                           testing::binding(Gesture::tap(2, 1), Action::media(MediaKey::playPause))};
        writeConfig(config);
        auto& m = makeModel();
        sim.runUntilIdle();
        return m;
    }
    void showTaps(bool on) { sim.defaults().set("showTapsOnScreen", PropertyValue(on)); }
};

TEST_F(FiredGestures, eachRecord_reachesTheOverlay) {
    auto& m = start();
    showTaps(true);
    tapFrames(100, 3);
    sim.runUntilIdle();
    ASSERT_TRUE(m.engine().lastFired().get());
    EXPECT_EQ(m.overlay().state().count.get(), 1);
    EXPECT_EQ(m.overlay().state().gesture.get(), "3-finger tap");
    EXPECT_EQ(m.overlay().state().action.get(), "Mute");
    ASSERT_NE(panel, nullptr);
    EXPECT_TRUE(panel->visible);
}

TEST_F(FiredGestures, severalRecordsInOneTurn_showOnlyTheLatest) {
    auto& m = start();
    showTaps(true);
    tapFrames(100, 3);
    tapFrames(100.3, 2);
    sim.runUntilIdle();
    ASSERT_TRUE(m.engine().lastFired().get());
    EXPECT_EQ(m.engine().lastFired().get()->gesture, Gesture::tap(2, 1));
    EXPECT_EQ(m.overlay().state().count.get(), 1);
    EXPECT_EQ(m.overlay().state().gesture.get(), "2-finger tap");
    EXPECT_EQ(m.overlay().state().action.get(), "Play / Pause");

    tapFrames(101, 3);
    sim.runUntilIdle();
    EXPECT_EQ(m.overlay().state().count.get(), 2);
    EXPECT_EQ(m.overlay().state().gesture.get(), "3-finger tap");
}

// A failure the desktop tells after the action returned (a link no app
// opens, a window it did not place) shows the gesture's badge again, failed.
TEST_F(FiredGestures, aFailureToldLater_showsTheBadgeAgainAsFailed) {
    struct Case {
        const char* name;
        Action action;
        std::function<void()> failLater;
    };
    const Case cases[] = {
        {"an opening", Action::open("unhandled:thing"), [&] { sim.workspace().failStartedOpenings(); }},
        {"a window placement", Action::window(WindowCommand::leftHalf),
         [&] { sim.accessibility().failStartedWindowChanges(); }},
    };
    sim.workspace().addRunningApp({300, "com.example.Editor", "Editor", true, false}, false);
    sim.workspace().setFrontApp(300, false);
    const AXElement window =
        sim.accessibility().addElement({{"AXPosition", Point{100, 100}}, {"AXSize", Size{400, 300}}});
    sim.accessibility().setAttribute(sim.accessibility().addApplication(300), "AXFocusedWindow", window);
    for (const auto& c : cases) {
        auto config = AppConfig::starter();
        config.bindings = {testing::binding(Gesture::tap(3, 1), c.action)};
        writeConfig(config);
        auto& m = makeModel();
        showTaps(true);
        sim.runUntilIdle();
        tapFrames(100, 3);
        sim.runUntilIdle();
        const auto& state = m.overlay().state();
        ASSERT_EQ(state.count.get(), 1) << c.name;
        EXPECT_FALSE(state.failed.get()) << c.name;
        c.failLater();
        sim.runUntilIdle();
        EXPECT_EQ(state.count.get(), 2) << c.name;
        EXPECT_TRUE(state.failed.get()) << c.name;
        EXPECT_EQ(state.action.get(), displayName(c.action)) << c.name;
        model.reset();
    }
}

TEST_F(FiredGestures, whileShowTapsIsOff_nothingIsShown) {
    auto& m = start();
    tapFrames(100, 3);
    sim.runUntilIdle();
    ASSERT_TRUE(m.engine().lastFired().get());
    EXPECT_EQ(m.overlay().state().count.get(), 0);
    EXPECT_EQ(panel, nullptr);
}

TEST_F(FiredGestures, aModelGoneBeforeItsBlockRuns_doesNothing) {
    start();
    showTaps(true);
    tapFrames(100, 3);
    model.reset();
    EXPECT_NO_THROW(sim.runUntilIdle());
}

}  // namespace
}  // namespace velorin
