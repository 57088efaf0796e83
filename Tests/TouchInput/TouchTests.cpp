#include "TouchInput/Touch.h"

#include <gtest/gtest.h>

using namespace velorin;

TEST(TouchState, rawNumbersOutsideTheStagesGiveNothing) {
    EXPECT_EQ(touchStateFromRaw(4), TouchState::touching);
    EXPECT_EQ(touchStateFromRaw(0), TouchState::notTracking);
    EXPECT_EQ(touchStateFromRaw(7), TouchState::outOfRange);
    EXPECT_FALSE(touchStateFromRaw(8));
    EXPECT_FALSE(touchStateFromRaw(-1));
}

TEST(TouchState, onlyMakeTouchAndTouchingAreDown) {
    for (int raw = 0; raw <= 7; ++raw) {
        const auto s = *touchStateFromRaw(raw);
        EXPECT_EQ(isDown(s), raw == 3 || raw == 4) << raw;
    }
}

TEST(TouchFrame, fingersDownCountsOnlyDownTouches) {
    TouchFrame frame{0, 1.0, {{1, TouchState::touching}, {2, TouchState::breakTouch}, {3, TouchState::hoverInRange}}};
    EXPECT_EQ(frame.fingersDown(), 1);
    EXPECT_EQ(TouchFrame{}.fingersDown(), 0);
}

TEST(Touch, equalityComparesEveryField) {
    Touch a{1, TouchState::touching, 0.5f, 0.5f, 0, 0, 1.0f};
    Touch b = a;
    EXPECT_EQ(a, b);
    b.size = 1.5f;
    EXPECT_NE(a, b);
}
