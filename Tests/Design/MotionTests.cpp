#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/Spring.h"
#include "Velorin/Design/Theme.h"

#include <gtest/gtest.h>

#include <vector>

namespace velorin {
namespace {

// Values from a numerical integration of the spring's equation of motion
// (unit mass, stiffness (2π/response)², damping 4πζ/response), moving 0 → 1.
struct SpringSample {
    const char* name;
    Spring spring;
    double velocity;
    double t;
    double value;
    double speed;
};

TEST(SpringFunction, matchesTheEquationOfMotionAtChosenTimes) {
    const Spring critical{0.5, 1.0, 0};
    const Spring overdamped{0.5, 1.5, 0};
    const std::vector<SpringSample> samples = {
        {"snappy", Theme::snappy, 0, 0.05, 0.285961, 8.409907},
        {"snappy", Theme::snappy, 0, 0.1, 0.673601, 6.390767},
        {"snappy", Theme::snappy, 0, 0.2, 0.999400, 0.926990},
        {"snappy", Theme::snappy, 0, 0.32, 1.011824, -0.165876},
        {"snappy", Theme::snappy, 0, 0.8, 1.000007, -0.000059},
        {"wobble", Theme::wobble, 0, 0.1, 0.518658, 6.787407},
        {"wobble", Theme::wobble, 0, 0.32, 1.083740, -0.501524},
        {"wobble", Theme::wobble, 0, 0.45, 1.009320, -0.382677},
        {"wobble", Theme::wobble, 0, 0.8, 1.000652, 0.010065},
        {"wobble with a push", Theme::wobble, 5, 0.1, 0.692735, 6.277441},
        {"wobble with a push", Theme::wobble, 5, 0.3, 1.084325, -0.626945},
        {"critical", critical, 0, 0.1, 0.357740, 4.494374},
        {"critical", critical, 0, 0.45, 0.976705, 0.248745},
        {"overdamped", overdamped, 0, 0.2, 0.551932, 2.144032},
        {"overdamped", overdamped, 0, 0.8, 0.974833, 0.120798},
    };
    for (const SpringSample& s : samples) {
        const SpringState state = evaluateSpring(s.spring, 0, 1, s.velocity, s.t);
        EXPECT_NEAR(state.value, s.value, 1e-5) << s.name << " at " << s.t;
        EXPECT_NEAR(state.velocity, s.speed, 1e-4) << s.name << " at " << s.t;
    }
}

TEST(SpringFunction, scalesWithTheDistanceAndStartsWhereItIsReleased) {
    const SpringState unit = evaluateSpring(Theme::wobble, 0, 1, 0, 0.2);
    const SpringState big = evaluateSpring(Theme::wobble, 10, 110, 0, 0.2);
    EXPECT_NEAR(big.value, 10 + 100 * unit.value, 1e-9);
    EXPECT_NEAR(big.velocity, 100 * unit.velocity, 1e-9);
    EXPECT_EQ(evaluateSpring(Theme::snappy, 3, 7, 2, 0), (SpringState{3, 2}));
    // A spring with no response is already there.
    EXPECT_EQ(evaluateSpring(Spring{0, 0.5, 0}, 3, 7, 2, 0.01), (SpringState{7, 0}));
}

TEST(SpringFunction, settlesOnceDistanceAndSpeedAreNegligible) {
    EXPECT_FALSE(springSettled(evaluateSpring(Theme::wobble, 0, 1, 0, 0.32), 1, 1));
    EXPECT_TRUE(springSettled(evaluateSpring(Theme::wobble, 0, 1, 0, 1.5), 1, 1));
    // Passing through the target at speed is not rest.
    EXPECT_FALSE(springSettled(SpringState{1, 3}, 1, 1));
}

TEST(EaseOutCurve, isTheBezierFromOriginThroughPointFiveEightOne) {
    const std::vector<std::pair<double, double>> samples = {
        {0, 0}, {0.1, 0.160572}, {0.25, 0.378138}, {0.5, 0.684643}, {0.75, 0.906535}, {0.9, 0.982973}, {1, 1},
    };
    for (auto [x, y] : samples) EXPECT_NEAR(EaseOut::progress(x), y, 2e-3) << x;
    EXPECT_EQ(EaseOut::progress(-1), 0);
    EXPECT_EQ(EaseOut::progress(2), 1);
}

TEST(AnimatedTest, easeOutRunsItsDurationThenStands) {
    Animated<double> a(0);
    a.animate(10, Animation::easeOut(0.4), 1.0);
    EXPECT_DOUBLE_EQ(a.value(1.0), 0);
    EXPECT_NEAR(a.value(1.2), 10 * EaseOut::progress(0.5), 1e-9);
    EXPECT_TRUE(a.isAnimating(1.39));
    EXPECT_FALSE(a.isAnimating(1.41));
    EXPECT_DOUBLE_EQ(a.value(5), 10);
}

TEST(AnimatedTest, retargetedSpringKeepsPositionAndVelocity) {
    Animated<double> a(0);
    a.animate(100, Animation::spring(Theme::wobble), 0);
    const SpringState before = evaluateSpring(Theme::wobble, 0, 100, 0, 0.1);
    a.animate(-50, Animation::spring(Theme::wobble), 0.1);
    EXPECT_NEAR(a.value(0.1), before.value, 1e-9);
    const SpringState after = evaluateSpring(Theme::wobble, before.value, -50, before.velocity, 0.05);
    EXPECT_NEAR(a.value(0.15), after.value, 1e-9);
    EXPECT_EQ(a.target(), -50);
}

TEST(AnimatedTest, movesEveryComponentOfACompoundValue) {
    Animated<QRectF> r(QRectF(0, 0, 10, 10));
    r.animate(QRectF(100, 50, 20, 10), Animation::spring(Theme::snappy), 0);
    const QRectF mid = r.value(0.1);
    const double p = evaluateSpring(Theme::snappy, 0, 1, 0, 0.1).value;
    EXPECT_NEAR(mid.x(), 100 * p, 1e-9);
    EXPECT_NEAR(mid.y(), 50 * p, 1e-9);
    EXPECT_NEAR(mid.width(), 10 + 10 * p, 1e-9);
    EXPECT_NEAR(mid.height(), 10, 1e-9);
    EXPECT_FALSE(r.isAnimating(3));
}

TEST(AnimatedTest, aPulseRepeatsWithoutReversingAndNeverEnds) {
    Animated<double> pulse(1);
    pulse.animate(2.4, Animation::easeOut(1.4).repeatForever(), 0);
    EXPECT_NEAR(pulse.value(0.7), 1 + 1.4 * EaseOut::progress(0.5), 1e-9);
    EXPECT_NEAR(pulse.value(2.1), 1 + 1.4 * EaseOut::progress(0.5), 1e-9);
    EXPECT_NEAR(pulse.value(1.4), 1, 1e-9);  // back at the start, not reversing
    EXPECT_TRUE(pulse.isAnimating(1000));
}

class InstantMotion : public ::testing::Test {
protected:
    void TearDown() override { Motion::setInstant(false); }
};

TEST_F(InstantMotion, makesEveryAnimationJumpToItsEnd) {
    Motion::setInstant(true);
    Animated<double> a(0);
    a.animate(1, Animation::spring(Theme::wobble), 0);
    EXPECT_EQ(a.value(0), 1);
    EXPECT_FALSE(a.isAnimating(0));
    a.animate(3, Animation::easeOut(1.4).repeatForever(), 0);
    EXPECT_EQ(a.value(0.3), 3);
    EXPECT_FALSE(a.isAnimating(0.3));
}

class ClockFixture : public ::testing::Test {
protected:
    void SetUp() override { FrameClock::install(&clock); }
    void TearDown() override {
        FrameClock::install(nullptr);
        Motion::setInstant(false);
    }
    ManualFrameClock clock{100};
};

TEST_F(ClockFixture, animatedValueListensOnlyWhileMoving) {
    int frames = 0;
    AnimatedValue<double> v(0, [&] { ++frames; });
    EXPECT_FALSE(clock.hasListeners());
    v.animateTo(1, Animation::spring(Theme::snappy));
    EXPECT_TRUE(clock.hasListeners());
    EXPECT_TRUE(v.isAnimating());
    clock.advance(0.1);
    EXPECT_NEAR(v.value(), evaluateSpring(Theme::snappy, 0, 1, 0, 0.1).value, 1e-6);
    clock.advance(3);
    EXPECT_FALSE(clock.hasListeners());
    EXPECT_FALSE(v.isAnimating());
    EXPECT_EQ(v.value(), 1);
    const int atRest = frames;
    clock.advance(1);
    EXPECT_EQ(frames, atRest);
}

TEST_F(ClockFixture, animatedValueJumpsUnderInstantMotionWithoutListening) {
    Motion::setInstant(true);
    int frames = 0;
    AnimatedValue<QPointF> v(QPointF(0, 0), [&] { ++frames; });
    v.animateTo(QPointF(5, 6), Animation::spring(Theme::wobble));
    EXPECT_EQ(v.value(), QPointF(5, 6));
    EXPECT_FALSE(clock.hasListeners());
    EXPECT_EQ(frames, 1);
}

TEST_F(ClockFixture, settingAValueStopsAMotion) {
    AnimatedValue<double> v(0);
    v.animateTo(1, Animation::easeOut(1));
    clock.advance(0.5);
    v.setValue(-2);
    EXPECT_FALSE(clock.hasListeners());
    EXPECT_EQ(v.value(), -2);
}

TEST_F(ClockFixture, destroyingAMovingValueLetsGoOfTheClock) {
    {
        AnimatedValue<double> v(0);
        v.animateTo(1, Animation::easeOut(1));
        EXPECT_EQ(clock.listenerCount(), 1u);
    }
    EXPECT_EQ(clock.listenerCount(), 0u);
    clock.advance(1);
}

TEST(PlatformFrameClockTest, runsAnimationsOnTheMainQueueInVirtualTime) {
    sim::SimPlatform sim;
    FrameClock& clock = FrameClock::current();
    int frames = 0;
    AnimatedValue<double> v(0, [&] { ++frames; });
    v.animateTo(10, Animation::easeOut(0.5));
    const double start = clock.now();
    EXPECT_EQ(start, sim.clock().systemUptime());
    sim.advance(0.25);
    EXPECT_NEAR(v.value(), 10 * EaseOut::progress((clock.now() - start) / 0.5), 1e-9);
    EXPECT_GE(frames, 14);  // about 60 a second
    sim.advance(0.5);
    EXPECT_FALSE(clock.hasListeners());
    EXPECT_EQ(v.value(), 10);
    const int atRest = frames;
    sim.advance(1);
    EXPECT_EQ(frames, atRest);
}

TEST(ManualFrameClockTest, advancesInFramesAndListenersMayLeaveWhileTold) {
    ManualFrameClock clock(0);
    std::vector<double> times;
    FrameClock::Token self = 0;
    self = clock.addListener([&](double now) {
        times.push_back(now);
        if (times.size() == 3) clock.removeListener(self);
    });
    clock.advance(0.1, 0.025);
    ASSERT_EQ(times.size(), 3u);
    EXPECT_DOUBLE_EQ(times[0], 0.025);
    EXPECT_DOUBLE_EQ(times[2], 0.075);
    EXPECT_DOUBLE_EQ(clock.now(), 0.1);
}

}  // namespace
}  // namespace velorin
