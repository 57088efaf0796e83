// The engine's life cycle, its observable state and the three input paths
// (frames, clicks, ticks) on the simulated desktop.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "EngineFixture.h"

namespace velorin::test {
namespace {

RunningApplication runningApp(std::int32_t pid, std::optional<std::string> bundle, bool active = true) {
    return RunningApplication{pid, std::move(bundle), std::string("App"), active, false, ActivationPolicy::regular};
}

class EngineLife : public EngineFixture {
protected:
    void activate(std::optional<RunningApplication> app) {
        sim.workspace().sendNotice(WorkspaceNotice::didActivateApplication, std::move(app));
        sim.runUntilIdle();
    }
    // Click taps that deliver: enabled and in the run loop.
    std::size_t liveClickTaps() const {
        std::size_t n = 0;
        for (const auto& tap : sim.eventSystem().taps()) n += tap.enabled && tap.inRunLoop;
        return n;
    }
    // Counts the changes an observable reports.
    template <typename T>
    std::shared_ptr<int> countChanges(const Observable<T>& value) {
        auto count = std::make_shared<int>(0);
        value.observe([count](const T&) { ++*count; });
        return count;
    }
};

// ---- Creation and start

TEST_F(EngineLife, creation_takesTheFrontAppAndPermission_andStartsNothing) {
    sim.workspace().addRunningApp(runningApp(7, "com.apple.Safari"), false);
    sim.accessibility().setTrusted(false);
    Engine& e = makeEngine();
    EXPECT_FALSE(e.isRunning().get());
    EXPECT_FALSE(e.startError().get());
    EXPECT_FALSE(e.lastFired().get());
    EXPECT_FALSE(e.accessibilityTrusted().get());
    EXPECT_TRUE(e.liveTouches().get().empty());
    EXPECT_FALSE(e.showsLiveTouches().get());
    EXPECT_EQ(e.frontApp().get(), std::optional<std::string>("com.apple.Safari"));
    EXPECT_EQ(framework->starts, 0);
    EXPECT_EQ(sim.workspace().observerCount(), 0u);
    EXPECT_EQ(sim.mainQueue().pendingCount(), 0u);
}

struct StartCase {
    const char* name;
    bool touchFails;
    bool clickFails;
    bool running;
    std::optional<std::string> error;
    std::size_t clickTaps;
    std::size_t observers;
    std::size_t timers;
};

class StartMatrix : public EngineLife, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartMatrix, startsWhatItCan) {
    const StartCase& c = GetParam();
    if (c.touchFails) framework->failure = MultitouchError::noDevices();
    if (c.clickFails) sim.setFailing(sim::FailurePoint::eventTap, true);
    Engine& e = startEngine(configWith({binding(Gesture::tap(2, 1), copyAction)}));
    EXPECT_EQ(e.isRunning().get(), c.running);
    EXPECT_EQ(e.startError().get(), c.error);
    EXPECT_EQ(liveClickTaps(), c.clickTaps);
    EXPECT_EQ(sim.workspace().observerCount(), c.observers);
    EXPECT_EQ(sim.mainQueue().pendingCount(), c.timers);

    // Clicks count only when the click source started: a two-finger press is a tap.
    frameAt(100.0, fingersAt(2));
    frameAt(100.5, fingersAt(2));
    click();
    frameAt(100.6, {});
    EXPECT_EQ(keysDown().size(), c.running && !c.clickFails ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Engine, StartMatrix,
    ::testing::Values(StartCase{"bothStart", false, false, true, std::nullopt, 1, 1, 1},
                      StartCase{"clickSourceFails", false, true, true, std::nullopt, 0, 1, 1},
                      StartCase{"touchSourceFails", true, false, false, "No multitouch trackpads found", 0, 0, 0},
                      StartCase{"bothFail", true, true, false, "No multitouch trackpads found", 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineLife, failedStart_leavesNoPermissionTimer_andALaterStartClearsTheError) {
    framework->failure = MultitouchError::symbolMissing("MTDeviceStart");
    Engine& e = startEngine();
    EXPECT_EQ(e.startError().get(), std::optional<std::string>("MultitouchSupport symbol missing: MTDeviceStart"));

    sim.accessibility().setTrusted(false);
    sim.advance(10);
    EXPECT_TRUE(e.accessibilityTrusted().get());  // no timer: only refreshPermissions changes it
    e.refreshPermissions();
    EXPECT_FALSE(e.accessibilityTrusted().get());

    framework->failure.reset();
    e.start();
    EXPECT_TRUE(e.isRunning().get());
    EXPECT_FALSE(e.startError().get());
}

TEST_F(EngineLife, failedStart_isTriedAgainWhenThePermissionArrives) {
    sim.accessibility().setTrusted(false);
    framework->failure = MultitouchError::noDevices();  // the touchpad can't be read yet
    Engine& e = startEngine();
    EXPECT_FALSE(e.isRunning().get());

    e.refreshPermissions();  // still missing: nothing is tried
    EXPECT_EQ(framework->starts, 0);
    framework->failure.reset();
    e.refreshPermissions();
    EXPECT_EQ(framework->starts, 0);

    sim.accessibility().setTrusted(true);
    e.refreshPermissions();  // granted: started at once
    EXPECT_TRUE(e.isRunning().get());
    EXPECT_FALSE(e.startError().get());
    EXPECT_EQ(framework->starts, 1);
}

TEST_F(EngineLife, secondStartWhileRunning_changesNothing) {
    Engine& e = startEngine();
    e.start();
    EXPECT_EQ(framework->starts, 1);
    EXPECT_EQ(sim.eventSystem().taps().size(), 1u);
    EXPECT_EQ(sim.workspace().observerCount(), 1u);
    EXPECT_EQ(sim.mainQueue().pendingCount(), 1u);
}

TEST_F(EngineLife, stop_endsInputAndObservation_keepsState_andStartStartsAgain) {
    Engine& e =
        startEngine(configWith({binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction)}));
    tapAt(100.0, 100.125, 2);                       // a tap waits for its double
    ASSERT_EQ(sim.mainQueue().pendingCount(), 2u);  // the tick and the permission timer
    e.stop();
    EXPECT_FALSE(e.isRunning().get());
    EXPECT_EQ(framework->stops, 1);
    EXPECT_FALSE(framework->hasHandler());
    EXPECT_EQ(liveClickTaps(), 0u);
    EXPECT_EQ(sim.workspace().observerCount(), 0u);
    EXPECT_EQ(sim.mainQueue().pendingCount(), 0u);

    e.start();
    EXPECT_TRUE(e.isRunning().get());
    EXPECT_EQ(liveClickTaps(), 1u);
    EXPECT_EQ(sim.workspace().observerCount(), 1u);
    tapAt(101.0, 101.125, 2);  // the recogniser still holds the old tap: it ends it
    advanceToFrameTime(102.0);
    EXPECT_EQ(keysDown().size(), 2u);
}

// ---- Permission

TEST_F(EngineLife, permissionTimer_readsEveryTwoSeconds_andNotifiesOnlyOnChange) {
    Engine& e = startEngine();  // at uptime 1000: the timer fires at 1002, 1004, ...
    auto changes = countChanges(e.accessibilityTrusted());
    sim.mainQueue().advanceTo(1001.5);
    sim.accessibility().setTrusted(false);
    EXPECT_TRUE(e.accessibilityTrusted().get());
    sim.mainQueue().advanceTo(1002.0);
    EXPECT_FALSE(e.accessibilityTrusted().get());
    sim.mainQueue().advanceTo(1004.0);
    EXPECT_EQ(*changes, 1);
    sim.accessibility().setTrusted(true);
    sim.mainQueue().advanceTo(1005.5);
    EXPECT_FALSE(e.accessibilityTrusted().get());
    sim.mainQueue().advanceTo(1006.0);
    EXPECT_TRUE(e.accessibilityTrusted().get());
    EXPECT_EQ(*changes, 2);
}

// ---- Configuration

TEST_F(EngineLife, equalConfiguration_notifiesNobody_differentOneDoes) {
    const AppConfig config = configWith({binding(Gesture::tap(2, 1), copyAction)});
    Engine& e = makeEngine(config);
    auto changes = countChanges(e.config());
    e.setConfig(config);
    EXPECT_EQ(*changes, 0);
    AppConfig other = config;
    other.isEnabled = false;
    e.setConfig(other);
    EXPECT_EQ(*changes, 1);
    EXPECT_EQ(e.config().get(), other);
}

TEST_F(EngineLife, newConfiguration_appliesToTheNextTap) {
    Engine& e = startEngine(configWith({binding(Gesture::tap(2, 1), copyAction)}));
    e.setConfig(configWith({binding(Gesture::tap(3, 1), copyAction)}));
    tapAt(100.0, 100.125, 2);
    EXPECT_TRUE(keysDown().empty());
    tapAt(101.0, 101.125, 3);
    EXPECT_EQ(keysDown().size(), 1u);
}

TEST_F(EngineLife, rearmWhileASequenceIsPending_decidesItWithTheNewSettings) {
    AppConfig config = configWith({binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction)});
    Engine& e = startEngine(config);
    tapAt(100.0, 100.125, 2);  // waits until 100.375
    config.recognizer.multiTapInterval = 0.5;
    e.setConfig(config);  // the pending tap now waits until 100.625

    advanceToFrameTime(100.6);
    EXPECT_TRUE(keysDown().empty());
    advanceToFrameTime(100.625);
    EXPECT_EQ(keysDown().size(), 1u);
    EXPECT_EQ(e.lastFired().get()->gesture, Gesture::tap(2, 1));
}

// The deadline goes through the frame clock's offset to the main queue and back:
// a tick that reads the clock a rounding error short of it still decides the tap,
// rather than setting itself again a hair later without end.
TEST_F(EngineLife, aTickAHairBeforeItsDeadline_stillDecidesTheTap) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction)}));
    std::size_t fired = 0;
    for (const double down : {100.1, 101.3, 103.9, 123.45, 177.77, 200.2, 300.3}) {
        SCOPED_TRACE(down);
        tapAt(down, down + 0.1, 2);
        advanceToFrameTime(down + 1);
        EXPECT_EQ(keysDown().size(), ++fired);
    }
}

TEST_F(EngineLife, rearmWhileASequenceIsPending_newBoundSetStillLetsItGrow) {
    AppConfig config = configWith({binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction)});
    Engine& e = startEngine(config);
    tapAt(100.0, 100.125, 2);
    e.setConfig(configWith({binding(Gesture::tap(2, 2), copyAction)}));
    tapAt(100.25, 100.375, 2);  // joins the waiting tap: a double tap, bound in the new set
    EXPECT_EQ(keysDown().size(), 1u);
    EXPECT_EQ(e.lastFired().get()->gesture, Gesture::tap(2, 2));
}

// ---- Front app

TEST_F(EngineLife, activationNotices_changeTheFrontAppAndItsBoundSet) {
    Engine& e = startEngine(configWith(
        {binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction, {"com.apple.Safari"})}));
    auto changes = countChanges(e.frontApp());

    activate(runningApp(3, "com.apple.Safari"));
    EXPECT_EQ(e.frontApp().get(), std::optional<std::string>("com.apple.Safari"));
    activate(runningApp(3, "com.apple.Safari"));  // already in front: nothing
    EXPECT_EQ(*changes, 1);
    tapAt(100.0, 100.125, 2);  // the Safari double tap is bound: the single waits
    EXPECT_TRUE(keysDown().empty());
    advanceToFrameTime(100.375);
    EXPECT_EQ(keysDown().size(), 1u);

    activate(runningApp(4, std::nullopt));  // an app without identifier
    EXPECT_EQ(e.frontApp().get(), std::nullopt);
    EXPECT_EQ(*changes, 2);
    tapAt(101.0, 101.125, 2);  // nothing longer bound any more: no wait
    EXPECT_EQ(keysDown().size(), 2u);

    activate(std::nullopt);  // a notice without an app: still absent, nothing changes
    EXPECT_EQ(*changes, 2);
}

// ---- Live touches

TEST_F(EngineLife, liveTouches_onlyWhileShown_andSwitchingOffEmptiesThem) {
    Engine& e = startEngine();
    frameAt(100.0, fingersAt(2));
    EXPECT_TRUE(e.liveTouches().get().empty());

    e.setShowsLiveTouches(true);
    frameAt(100.1, fingersAt(2));
    EXPECT_EQ(e.liveTouches().get(), fingersAt(2));

    e.setShowsLiveTouches(false);
    EXPECT_TRUE(e.liveTouches().get().empty());
    frameAt(100.2, fingersAt(3));
    EXPECT_TRUE(e.liveTouches().get().empty());
}

TEST_F(EngineLife, liveTouches_onlyDownTouches_inFrameOrder) {
    Engine& e = startEngine();
    e.setShowsLiveTouches(true);
    std::vector<Touch> touches = fingersAt(4);
    touches[0].state = TouchState::hoverInRange;
    touches[2].state = TouchState::makeTouch;
    touches[3].state = TouchState::breakTouch;
    frameAt(100.0, touches);
    EXPECT_EQ(e.liveTouches().get(), (std::vector<Touch>{touches[1], touches[2]}));
}

TEST_F(EngineLife, liveTouchesSwitchedOffBetweenFrameAndDelivery_areDropped) {
    Engine& e = startEngine();
    e.setShowsLiveTouches(true);
    advanceToFrameTime(100.0);
    framework->deliver(TouchFrame{0, 100.0, fingersAt(2)});  // posted, not yet run
    e.setShowsLiveTouches(false);
    sim.runUntilIdle();
    EXPECT_TRUE(e.liveTouches().get().empty());
}

TEST_F(EngineLife, equalLiveTouchList_notifiesNobody) {
    Engine& e = startEngine();
    e.setShowsLiveTouches(true);
    auto changes = countChanges(e.liveTouches());
    frameAt(100.0, fingersAt(2));
    frameAt(100.1, fingersAt(2));
    EXPECT_EQ(*changes, 1);
}

TEST_F(EngineLife, twoTrackpads_liveTouchesShowTheLastFrameThatPassed_notMerged) {
    Engine& e = startEngine();
    e.setShowsLiveTouches(true);
    frameAt(100.0, fingersAt(2), 0);
    frameAt(100.1, fingersAt(3, 0.2f), 1);
    EXPECT_EQ(e.liveTouches().get(), fingersAt(3, 0.2f));
}

// ---- Frames, clicks and ticks

TEST_F(EngineLife, frameWithNothingToDeliver_postsNothing) {
    startEngine();
    advanceToFrameTime(100.0);
    const std::size_t before = sim.mainQueue().pendingCount();
    framework->deliver(TouchFrame{0, 100.0, fingersAt(2)});
    EXPECT_EQ(sim.mainQueue().pendingCount(), before);
}

TEST_F(EngineLife, clickBeforeTheFirstFrame_firesNothing) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction)}));
    click();
    EXPECT_TRUE(sim.eventSystem().postedEvents().empty());
    EXPECT_EQ(sim.mainQueue().pendingCount(), 1u);  // only the permission timer
}

TEST_F(EngineLife, click_countsAsATapOnEveryTrackpadWithAContact) {
    startEngine(configWith(
        {binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(3, 1), Action::keystroke(KeyCombo{9, {}}))}));
    frameAt(100.0, fingersAt(2), 0);
    frameAt(100.0, fingersAt(3), 1);
    frameAt(100.5, fingersAt(2), 0);  // long past a tap's duration: only the click makes it one
    click();
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8, 9}));  // in trackpad order
    frameAt(100.6, {}, 0);
    frameAt(100.6, {}, 1);
    EXPECT_EQ(keysDown().size(), 2u);  // each contact counts one click
}

struct DragCase {
    const char* name;
    std::optional<bool> builtIn;    // "com.apple.AppleMultitouchTrackpad"
    std::optional<bool> bluetooth;  // "com.apple.driver.AppleBluetoothMultitouch.trackpad"
    bool dragOn;
};

class ThreeFingerDrag : public EngineLife, public ::testing::WithParamInterface<DragCase> {};

TEST_P(ThreeFingerDrag, threeFingerClickIsIgnoredOnlyWhileDragIsOn_twoFingerClickAlwaysCounts) {
    const DragCase& c = GetParam();
    const std::string key = "TrackpadThreeFingerDrag";
    if (c.builtIn) sim.defaults().setInDomain("com.apple.AppleMultitouchTrackpad", key, *c.builtIn);
    if (c.bluetooth)
        sim.defaults().setInDomain("com.apple.driver.AppleBluetoothMultitouch.trackpad", key, *c.bluetooth);
    startEngine(configWith(
        {binding(Gesture::tap(3, 1), copyAction), binding(Gesture::tap(2, 1), Action::keystroke(KeyCombo{9, {}}))}));

    frameAt(100.0, fingersAt(3));
    frameAt(100.5, fingersAt(3));
    click();
    frameAt(100.6, {});
    EXPECT_EQ(keysDown().size(), c.dragOn ? 0u : 1u);

    frameAt(101.0, fingersAt(2));
    frameAt(101.5, fingersAt(2));
    click();
    frameAt(101.6, {});
    EXPECT_EQ(keysDown().back(), 9);
}

INSTANTIATE_TEST_SUITE_P(Engine, ThreeFingerDrag,
                         ::testing::Values(DragCase{"absent", std::nullopt, std::nullopt, false},
                                           DragCase{"builtInOn", true, std::nullopt, true},
                                           DragCase{"bluetoothOn", std::nullopt, true, true},
                                           DragCase{"builtInOffBluetoothOn", false, true, true},
                                           DragCase{"bothOff", false, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EngineLife, dragPreference_isReadAtEveryClick) {
    startEngine(configWith({binding(Gesture::tap(3, 1), copyAction)}));
    sim.defaults().setInDomain("com.apple.AppleMultitouchTrackpad", "TrackpadThreeFingerDrag", true);
    frameAt(100.0, fingersAt(3));
    frameAt(100.5, fingersAt(3));
    click();
    frameAt(100.6, {});
    sim.defaults().setInDomain("com.apple.AppleMultitouchTrackpad", "TrackpadThreeFingerDrag", std::nullopt);
    frameAt(101.0, fingersAt(3));
    frameAt(101.5, fingersAt(3));
    click();
    EXPECT_EQ(keysDown().size(), 1u);
}

TEST_F(EngineLife, twoTrackpads_theLaterDeadlineReplacesTheTick_andTheTickServesBoth) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction),
                            binding(Gesture::tap(3, 1), Action::keystroke(KeyCombo{9, {}})),
                            binding(Gesture::tap(3, 2), copyAction)}));
    frameAt(100.0, fingersAt(2), 0);
    frameAt(100.1, fingersAt(3), 1);
    frameAt(100.125, {}, 0);  // trackpad 0 waits until 100.375
    frameAt(100.25, {}, 1);   // trackpad 1 waits until 100.5 and takes the one tick
    advanceToFrameTime(100.49);
    EXPECT_TRUE(keysDown().empty());  // trackpad 0's tap is late, not lost
    advanceToFrameTime(100.5);
    EXPECT_EQ(keysDown(), (std::vector<std::uint16_t>{8, 9}));
}

TEST_F(EngineLife, pastDeadline_runsTheTickOnTheNextTurn) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction)}));
    advanceToFrameTime(100.0);
    framework->deliver(TouchFrame{0, 100.0, fingersAt(2)});
    framework->deliver(TouchFrame{0, 100.125, {}});  // waits until 100.375
    // The main thread was busy: the frame's block runs after the deadline.
    sim.clock().setUptime(100.5 + frameClockOffset);
    sim.runUntilIdle();
    EXPECT_EQ(keysDown().size(), 1u);
}

// Sound behaviour: a multi-tap interval that is not a finite number (possible in
// memory) gives no deadline, so nothing spins; a huge finite one is woken for
// at the longest delay and asked again.
TEST_F(EngineLife, nonFiniteInterval_schedulesNoTick_andHugeOneIsClamped) {
    for (double interval : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(interval);
        AppConfig config =
            configWith({binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction)});
        config.recognizer.multiTapInterval = interval;
        startEngine(config);
        const double t = sim.clock().systemUptime() - frameClockOffset + 1;
        tapAt(t, t + 0.125, 2);
        EXPECT_EQ(sim.mainQueue().pendingCount(), 1u);  // the permission timer only
        engine.reset();
    }

    AppConfig config = configWith({binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction)});
    config.recognizer.multiTapInterval = 1e300;
    startEngine(config);
    const double t = sim.clock().systemUptime() - frameClockOffset + 1;
    tapAt(t, t + 0.125, 2);
    EXPECT_EQ(sim.mainQueue().pendingCount(), 2u);
    sim.advance(Engine::maxTickDelaySeconds);
    EXPECT_TRUE(keysDown().empty());
    EXPECT_EQ(sim.mainQueue().pendingCount(), 2u);  // woken, nothing due, asked again
}

// ---- Lifetime

TEST_F(EngineLife, workPostedBeforeTheEngineEnds_doesNothingAfterwards) {
    startEngine(configWith({binding(Gesture::tap(2, 1), copyAction), binding(Gesture::tap(2, 2), copyAction),
                            binding(Gesture::tap(3, 1), copyAction)}));
    engine->setShowsLiveTouches(true);
    tapAt(100.0, 100.125, 2);  // a tick waits
    sim.eventSystem().setButtonDown(MouseButton::left, true);
    tapAt(100.5, 100.625, 3);                                // a mouse-up wait polls
    framework->deliver(TouchFrame{0, 100.7, fingersAt(2)});  // a frame's block is queued
    sim.eventSystem().sendEvent(event_type::leftMouseDown);  // and a click's
    engine.reset();

    // The framework still holds the handler, as a real one may for a moment.
    framework->deliver(TouchFrame{0, 100.8, {}});
    sim.eventSystem().setButtonDown(MouseButton::left, false);
    sim.advance(10);
    EXPECT_TRUE(sim.eventSystem().postedEvents().empty());
}

}  // namespace
}  // namespace velorin::test
