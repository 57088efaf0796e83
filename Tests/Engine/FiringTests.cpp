// A gesture on the simulated desktop, end to end: frames in through the fake
// touchpad, the real recogniser, resolution and action runner, events out.

#include <gtest/gtest.h>

#include "EngineFixture.h"

namespace velorin::test {
namespace {

using namespace std::chrono_literals;

class EngineFiring : public EngineFixture {
protected:
    static constexpr std::uint64_t commandFlag = 0x100000;

    RunningApplication app(std::int32_t pid, std::optional<std::string> bundle, bool active = true) {
        return RunningApplication{pid, std::move(bundle), std::string("App"), active, false, ActivationPolicy::regular};
    }

    Date nowDate() const { return sim.clock().now(); }
};

TEST_F(EngineFiring, threeFingerTap_postsCommandC_andPublishesTheRecord) {
    startEngine(configWith({binding(Gesture::tap(3, 1), copyAction)}));
    tapAt(100.0, 100.125, 3);

    const auto events = sim.eventSystem().postedKeyboardEvents();
    ASSERT_EQ(events.size(), 2u);
    EXPECT_TRUE(events[0].keyDown);
    EXPECT_FALSE(events[1].keyDown);
    for (const auto& e : events) {
        EXPECT_EQ(e.virtualKey, 8);
        EXPECT_EQ(e.flags, commandFlag);
    }
    EXPECT_EQ(engine->lastFired().get(),
              (Engine::Fired{Gesture::tap(3, 1), copyAction, std::string("My shortcut"), std::nullopt, nowDate()}));
}

// Work the desktop finishes after the action returned fails then (a handler
// that gave up on the link, a window the desktop did not place): the record
// of that gesture shows the failure; a later gesture's record is kept.
TEST_F(EngineFiring, aFailureToldLaterShowsOnItsOwnRecordOnly) {
    struct Case {
        const char* name;
        Action action;
        std::function<void(sim::SimPlatform&)> failLater;
        std::string error;
    };
    const Case cases[] = {
        {"an opening", Action::open("unhandled:thing"),
         [](sim::SimPlatform& s) { s.workspace().failStartedOpenings(); }, "Couldn't open unhandled:thing"},
        {"a window placement", Action::window(WindowCommand::leftHalf),
         [](sim::SimPlatform& s) { s.accessibility().failStartedWindowChanges(); },
         "That window can't be moved or resized"},
    };
    // The front app's window, for window commands.
    sim.workspace().addRunningApp(app(300, "com.example.Editor"));
    sim.workspace().setFrontApp(300);
    const AXElement window =
        sim.accessibility().addElement({{"AXPosition", Point{100, 100}}, {"AXSize", Size{400, 300}}});
    sim.accessibility().setAttribute(sim.accessibility().addApplication(300), "AXFocusedWindow", window);
    double t = 100;
    for (const auto& c : cases) {
        startEngine(configWith({binding(Gesture::tap(3, 1), c.action), binding(Gesture::tap(2, 1), copyAction)}));
        tapAt(t, t + 0.125, 3);
        ASSERT_TRUE(engine->lastFired().get()) << c.name;
        ASSERT_EQ(engine->lastFired().get()->error, std::nullopt) << c.name;
        c.failLater(sim);
        sim.runUntilIdle();
        const auto fired = engine->lastFired().get();
        ASSERT_TRUE(fired) << c.name;
        EXPECT_EQ(fired->action, c.action) << c.name;
        EXPECT_EQ(fired->error, c.error) << c.name;

        tapAt(t + 1, t + 1.125, 3);
        tapAt(t + 2, t + 2.125, 2);
        c.failLater(sim);
        sim.runUntilIdle();
        EXPECT_EQ(engine->lastFired().get()->action, copyAction) << c.name;
        EXPECT_EQ(engine->lastFired().get()->error, std::nullopt) << c.name;
        engine->stop();
        t += 10;
    }
}

// An app that could not be started (or asked to come up) once the action had
// returned: its record shows the failure, by the app's identifier.
TEST_F(EngineFiring, anAppThatFailsToStartLaterShowsOnItsRecord) {
    sim.workspace().installApp("com.example.Notes", "/Applications/Notes.app");
    startEngine(configWith({binding(Gesture::tap(3, 1), Action::openApp("com.example.Notes"))}));
    tapAt(100.0, 100.125, 3);
    ASSERT_EQ(engine->lastFired().get()->error, std::nullopt);
    sim.workspace().failStartedOpenings();
    sim.runUntilIdle();
    EXPECT_EQ(engine->lastFired().get()->error, "Couldn't open com.example.Notes");
}

TEST_F(EngineFiring, singleTapWaitsOutTheIntervalOnlyWhileALongerTapIsBound) {
    startEngine(
        configWith({binding(Gesture::tap(3, 1), copyAction),
                    binding(Gesture::tap(3, 2), Action::keystroke(KeyCombo{9, KeyCombo::Modifiers::command}))}));
    tapAt(100.0, 100.125, 3);
    EXPECT_TRUE(keysDown().empty());

    advanceToFrameTime(100.125 + 0.25 - 0.001);
    EXPECT_TRUE(keysDown().empty());
    advanceToFrameTime(100.375);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8}));
    EXPECT_EQ(engine->lastFired().get()->gesture, Gesture::tap(3, 1));
}

TEST_F(EngineFiring, doubleTapWithinTheInterval_runsTheDoubleTapsAction) {
    startEngine(
        configWith({binding(Gesture::tap(3, 1), copyAction),
                    binding(Gesture::tap(3, 2), Action::keystroke(KeyCombo{9, KeyCombo::Modifiers::command}))}));
    tapAt(100.0, 100.125, 3);
    tapAt(100.25, 100.375, 3);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{9}));
}

TEST_F(EngineFiring, keystrokeWhileLeftButtonHeld_isPostedAtTheFirstPollAfterRelease) {
    startEngine(configWith({binding(Gesture::tap(3, 1), copyAction)}));
    sim.eventSystem().setButtonDown(MouseButton::left, true);
    tapAt(100.0, 100.125, 3);  // fires at frame time 100.125
    EXPECT_TRUE(keysDown().empty());

    advanceToFrameTime(100.125 + 0.1);  // polls at +0.03, +0.06, +0.09 found the button down
    EXPECT_TRUE(keysDown().empty());
    sim.eventSystem().setButtonDown(MouseButton::left, false);
    advanceToFrameTime(100.125 + 0.11);
    EXPECT_TRUE(keysDown().empty());
    advanceToFrameTime(100.125 + 0.12 + 1e-9);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8}));
}

TEST_F(EngineFiring, severalGesturesWhileAButtonIsHeld_eachWaits_andRunsAtItsOwnFirstPollAfterRelease) {
    startEngine(configWith(
        {binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(3, 1), Action::keystroke(KeyCombo{9, {}}))}));
    sim.eventSystem().setButtonDown(MouseButton::left, true);
    tapAt(100.0, 100.125, 2);
    tapAt(100.2, 100.3, 3);
    advanceToFrameTime(101.0);
    EXPECT_TRUE(keysDown().empty());
    sim.eventSystem().setButtonDown(MouseButton::left, false);
    // The first wait polls at 100.125 + 0.03 k, the second at 100.3 + 0.03 k: the
    // second's poll at 101.02 comes before the first's at 101.025.
    advanceToFrameTime(101.021);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{9}));
    advanceToFrameTime(101.1);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{9, 8}));
}

TEST_F(EngineFiring, keystrokeWhileRightButtonHeldThroughout_runsAtTheFirstPollAfterFiveSeconds) {
    startEngine(configWith({binding(Gesture::tap(3, 1), copyAction)}));
    sim.eventSystem().setButtonDown(MouseButton::right, true);
    tapAt(100.0, 100.125, 3);
    const Date firedAt = nowDate();

    advanceToFrameTime(100.125 + 4.98);
    EXPECT_TRUE(keysDown().empty());
    advanceToFrameTime(100.125 + 5.04);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8}));
    const Date ranAt = engine->lastFired().get()->date;
    EXPECT_GE(ranAt - firedAt, 5.0s);
    EXPECT_LT(ranAt - firedAt, 5.0s + 0.03s + 1ms);
}

TEST_F(EngineFiring, onlyKeystrokeWindowAndMenuActionsWaitForTheButtons) {
    struct Case {
        const char* name;
        Action action;
        bool waits;
    };
    const std::vector<Case> cases = {
        {"keystroke", copyAction, true},
        {"window", Action::window(WindowCommand::leftHalf), true},
        {"menu", Action::menuItem(MenuCommand{{"Edit", "Copy"}, commandC}), true},
        {"openApp", Action::openApp("com.example.Notes"), false},
        {"media", Action::media(MediaKey::playPause), false},
        {"system", Action::system(SystemCommand::sleepDisplay), false},
        {"open", Action::open("https://example.com"), false},
        {"shortcut", Action::shortcut("Morning"), false},
    };
    sim.workspace().installApp("com.example.Notes", "/Applications/Notes.app");
    sim.eventSystem().setButtonDown(MouseButton::left, true);
    double t = 100;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startEngine(configWith({binding(Gesture::tap(2, 1), c.action)}));
        tapAt(t, t + 0.125, 2);
        EXPECT_EQ(engine->lastFired().get().has_value(), !c.waits);
        advanceToFrameTime(t + 0.125 + 5.1);
        ASSERT_TRUE(engine->lastFired().get().has_value());
        EXPECT_EQ(engine->lastFired().get()->action, c.action);
        engine.reset();
        t += 10;
    }
}

TEST_F(EngineFiring, packBinding_reportsThePacksName) {
    AppConfig config;
    Pack pack = Pack::newCustom({});
    pack.name = "Writing";
    pack.bindings = {binding(Gesture::tap(4, 1), copyAction)};
    config.customPacks = {pack};
    config.enabledPacks = {pack.id};
    startEngine(config);
    tapAt(100.0, 100.125, 4);
    ASSERT_TRUE(engine->lastFired().get());
    EXPECT_EQ(engine->lastFired().get()->source, std::optional<std::string>("Writing"));
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8}));
}

TEST_F(EngineFiring, failedAction_carriesItsErrorText_withActionAndSource) {
    const Action missing = Action::openApp("com.example.Missing");
    startEngine(configWith({binding(Gesture::tap(2, 1), missing)}));
    tapAt(100.0, 100.125, 2);
    EXPECT_EQ(engine->lastFired().get(),
              (Engine::Fired{Gesture::tap(2, 1), missing, std::string("My shortcut"),
                             std::string("No app with bundle ID com.example.Missing"), nowDate()}));
}

TEST_F(EngineFiring, everyRunIsPublished_evenTheSameGestureAgain) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction)}));
    int told = 0;
    engine->lastFired().observe([&](const auto&) { ++told; });
    tapAt(100.0, 100.125, 2);
    tapAt(101.0, 101.125, 2);
    EXPECT_EQ(told, 2);
}

TEST_F(EngineFiring, unboundGesture_runsNothingAndMakesNoRecord) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction)}));
    tapAt(100.0, 100.125, 3);
    EXPECT_TRUE(sim.eventSystem().postedEvents().empty());
    EXPECT_FALSE(engine->lastFired().get());
}

TEST_F(EngineFiring, switchedOff_runsNothing_andTapsDoNotWait_butRecordingWorks) {
    AppConfig config = configWith({binding(Gesture::tap(3, 1), copyAction), binding(Gesture::tap(3, 2), copyAction)});
    config.isEnabled = false;
    startEngine(config);
    std::vector<Gesture> recorded;
    tapAt(100.0, 100.125, 3);
    EXPECT_TRUE(sim.eventSystem().postedEvents().empty());
    // Emitted at the lift: nothing waits but the permission timer, due 2 s after the start.
    EXPECT_EQ(sim.mainQueue().nextDeadline(), std::optional<double>(1002.0));

    engine->recordNextGesture([&](const Gesture& g) { recorded.push_back(g); });
    tapAt(101.0, 101.125, 3);
    advanceToFrameTime(102.0);
    EXPECT_EQ(recorded, (std::vector<Gesture>{Gesture::tap(3, 1)}));
}

// ---- Recording

TEST_F(EngineFiring, recording_takesTheGesture_runsNothing_andTheNextGestureRunsAgain) {
    startEngine(configWith({binding(Gesture::tap(3, 1), copyAction)}));
    std::vector<Gesture> recorded;
    engine->recordNextGesture([&](const Gesture& g) { recorded.push_back(g); });

    tapAt(100.0, 100.125, 3);
    advanceToFrameTime(100.125 + 0.25);  // while recording every tap waits for a longer one
    EXPECT_EQ(recorded, (std::vector<Gesture>{Gesture::tap(3, 1)}));
    EXPECT_TRUE(sim.eventSystem().postedEvents().empty());
    EXPECT_FALSE(engine->lastFired().get());

    tapAt(101.0, 101.125, 3);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8}));  // bound set is back: no wait
    EXPECT_EQ(recorded.size(), 1u);
}

TEST_F(EngineFiring, recording_capturesADoubleTapEvenWhenOnlySingleTapsAreBound) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction)}));
    std::optional<Gesture> recorded;
    engine->recordNextGesture([&](const Gesture& g) { recorded = g; });
    tapAt(100.0, 100.125, 2);
    tapAt(100.25, 100.375, 2);
    advanceToFrameTime(101.0);
    EXPECT_EQ(recorded, Gesture::tap(2, 2));
}

TEST_F(EngineFiring, twoGesturesInOneHandOver_theFirstIsRecorded_theSecondRuns) {
    startEngine(configWith({binding(Gesture::cornerTap(Gesture::Corner::topLeft), copyAction)}));
    std::vector<Gesture> recorded;
    engine->recordNextGesture([&](const Gesture& g) { recorded.push_back(g); });
    tapAt(100.0, 100.125, 2);                    // waits: recording lets every tap grow
    tapAt(100.25, 100.375, 1, 0, 0.05f, 0.95f);  // a corner tap ends the sequence: two gestures at once
    EXPECT_EQ(recorded, (std::vector<Gesture>{Gesture::tap(2, 1)}));
    ASSERT_TRUE(engine->lastFired().get());
    EXPECT_EQ(engine->lastFired().get()->gesture, Gesture::cornerTap(Gesture::Corner::topLeft));
}

TEST_F(EngineFiring, replacedRecordingRequest_onlyTheSecondIsCalled) {
    startEngine(configWith({}));
    int first = 0;
    int second = 0;
    engine->recordNextGesture([&](const Gesture&) { ++first; });
    engine->recordNextGesture([&](const Gesture&) { ++second; });
    tapAt(100.0, 100.125, 2);
    advanceToFrameTime(101.0);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
}

TEST_F(EngineFiring, recorderMayAskForTheFollowingGesture) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction)}));
    std::vector<Gesture> recorded;
    std::function<void(const Gesture&)> again = [&](const Gesture& g) {
        recorded.push_back(g);
        if (recorded.size() < 2) engine->recordNextGesture(again);
    };
    engine->recordNextGesture(again);
    tapAt(100.0, 100.125, 2);
    advanceToFrameTime(100.5);
    tapAt(101.0, 101.125, 3);
    advanceToFrameTime(101.5);
    EXPECT_EQ(recorded, (std::vector<Gesture>{Gesture::tap(2, 1), Gesture::tap(3, 1)}));
    tapAt(102.0, 102.125, 2);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8}));
}

TEST_F(EngineFiring, cancelRecording_dropsTheRequest_andHarmlessWithoutOne) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction)}));
    engine->cancelRecording();
    int recorded = 0;
    engine->recordNextGesture([&](const Gesture&) { ++recorded; });
    engine->cancelRecording();
    tapAt(100.0, 100.125, 2);
    EXPECT_EQ(recorded, 0);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8}));  // and no wait: the bound set is back
}

// ---- The front app at the moment of firing

TEST_F(EngineFiring, firingAsksTheWorkspaceForTheFrontApp) {
    sim.workspace().addRunningApp(app(10, "com.apple.TextEdit"), false);
    sim.workspace().addRunningApp(app(11, "com.apple.Safari", false), false);
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction, {"com.apple.Safari"}),
                            binding(Gesture::tap(2, 1), Action::keystroke(KeyCombo{9, {}}))}));
    ASSERT_EQ(engine->frontApp().get(), std::optional<std::string>("com.apple.TextEdit"));
    sim.workspace().setFrontApp(11, false);  // no notice reaches the engine
    tapAt(100.0, 100.125, 2);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8}));
}

TEST_F(EngineFiring, noFrontmostApp_orOneWithoutIdentifier_usesTheAppLastSeenActivated) {
    for (bool withoutIdentifier : {false, true}) {
        SCOPED_TRACE(withoutIdentifier ? "front app without identifier" : "no front app");
        startEngine(configWith({binding(Gesture::tap(2, 1), copyAction, {"com.apple.Safari"})}));
        sim.workspace().sendNotice(WorkspaceNotice::didActivateApplication, app(11, "com.apple.Safari"));
        sim.runUntilIdle();
        ASSERT_EQ(engine->frontApp().get(), std::optional<std::string>("com.apple.Safari"));
        if (withoutIdentifier) sim.workspace().addRunningApp(app(12, std::nullopt), false);
        sim.eventSystem().clearPostedEvents();
        const double t = withoutIdentifier ? 110 : 100;
        tapAt(t, t + 0.125, 2);
        EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8}));
        engine.reset();
    }
}

}  // namespace
}  // namespace velorin::test
