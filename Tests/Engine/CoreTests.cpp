// The locked core on its own: clocks, the live-touch throttle, deadlines.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Engine/Core.h"
#include "EngineFixture.h"
#include "Platform/Sim/SimClock.h"

namespace velorin::test {
namespace {

class EngineCore : public ::testing::Test {
protected:
    sim::SimClock clock;  // uptime 1000
    Core core{clock};
};

TEST_F(EngineCore, frameClock_isTheUptimeBeforeAnyFrame_thenFollowsTheLatestFrame) {
    EXPECT_EQ(core.now(), 1000.0);
    (void)core.frame(TouchFrame{0, 40.0, {}});
    EXPECT_EQ(core.now(), 40.0);
    clock.setUptime(1000.5);
    EXPECT_EQ(core.now(), 40.5);
    (void)core.frame(TouchFrame{3, 60.0, {}});  // any trackpad's frame sets the offset
    EXPECT_EQ(core.now(), 60.0);
}

TEST_F(EngineCore, recognisers_areMadeOnATrackpadsFirstFrame_andKept) {
    EXPECT_EQ(core.recognizerCount(), 0u);
    (void)core.frame(TouchFrame{0, 40.0, {}});
    (void)core.frame(TouchFrame{-1, 40.0, {}});
    (void)core.frame(TouchFrame{0, 41.0, {}});
    EXPECT_EQ(core.recognizerCount(), 2u);
}

TEST_F(EngineCore, clickAndTickBeforeAnyFrame_giveNothing) {
    auto clicked = core.click(std::nullopt);
    EXPECT_TRUE(clicked.events.empty());
    EXPECT_FALSE(clicked.deadline);
    auto ticked = core.tick();
    EXPECT_TRUE(ticked.events.empty());
    EXPECT_FALSE(ticked.deadline);
}

TEST_F(EngineCore, liveTouchThrottle) {
    const double interval = Core::liveTouchInterval;
    const double justOver = std::nextafter(interval, 1.0);
    struct Step {
        const char* name;
        double timestamp;
        int fingers;
        TouchState state;
        std::size_t passes;  // the list's length when it passes
        bool passed;
    };
    // The last sending starts at 0.
    const std::vector<Step> steps = {
        {"exactly 1/60 s after the last sending", interval, 2, TouchState::touching, 0, false},
        {"just over 1/60 s", justOver, 2, TouchState::touching, 2, true},
        {"within 1/60 s", justOver + 0.01, 2, TouchState::touching, 0, false},
        {"the empty list always passes", justOver + 0.011, 0, TouchState::touching, 0, true},
        {"measured from the empty list", justOver + 0.011 + 0.0166, 1, TouchState::touching, 0, false},
        {"well past", 1.0, 1, TouchState::makeTouch, 1, true},
        {"only hovering touches make an empty list", 1.001, 2, TouchState::hoverInRange, 0, true},
    };
    core.setWantsTouches(true);
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        auto result = core.frame(TouchFrame{0, step.timestamp, fingersAt(step.fingers, 0.5f, 0.5f, step.state)});
        ASSERT_EQ(result.liveTouches.has_value(), step.passed);
        if (step.passed) {
            EXPECT_EQ(result.liveTouches->size(), step.passes);
        }
    }
}

TEST_F(EngineCore, liveTouchesOff_noListAndTheThrottleDoesNotMove) {
    auto off = core.frame(TouchFrame{0, 5.0, fingersAt(2)});
    EXPECT_FALSE(off.liveTouches);
    EXPECT_TRUE(off.isEmpty());
    core.setWantsTouches(true);
    EXPECT_TRUE(core.frame(TouchFrame{0, 5.001, fingersAt(2)}).liveTouches);  // 5 s since the last sending (0)
}

TEST_F(EngineCore, frameDeadline_isItsOwnTrackpads_clickAndTickGiveTheEarliest) {
    core.rearm(RecognizerConfig{}, Core::GestureSet{Gesture::tap(2, 1), Gesture::tap(2, 2)});
    (void)core.frame(TouchFrame{0, 10.0, fingersAt(2)});
    EXPECT_EQ(core.frame(TouchFrame{0, 10.125, {}}).deadline, std::optional<double>(10.375));
    (void)core.frame(TouchFrame{1, 10.25, fingersAt(2)});
    auto later = core.frame(TouchFrame{1, 10.5, {}});
    EXPECT_EQ(later.deadline, std::optional<double>(10.75));
    EXPECT_EQ(core.click(std::nullopt).deadline, std::optional<double>(10.375));
    auto ticked = core.tick();  // now is 10.5: trackpad 0's tap ends, trackpad 1's waits on
    EXPECT_EQ(ticked.events, (Core::Events{GestureEvent{Gesture::tap(2, 1), 10.5}}));
    EXPECT_EQ(ticked.deadline, std::optional<double>(10.75));
}

TEST_F(EngineCore, nonFiniteDeadline_isNoDeadline) {
    for (double interval : {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(interval);
        sim::SimClock ownClock;
        Core own(ownClock);
        RecognizerConfig config;
        config.multiTapInterval = interval;
        own.rearm(config, std::nullopt);
        (void)own.frame(TouchFrame{0, 10.0, fingersAt(2)});
        auto lifted = own.frame(TouchFrame{0, 10.125, {}});
        EXPECT_FALSE(lifted.deadline);
        EXPECT_FALSE(own.click(std::nullopt).deadline);
        EXPECT_FALSE(own.tick().deadline);
    }
}

}  // namespace
}  // namespace velorin::test
