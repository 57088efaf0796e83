#include "ControlFixture.h"
#include "Velorin/Design/LiquidMotion.h"

namespace velorin {
namespace {

using test::ControlTest;

class LiquidMotionTest : public ControlTest {
protected:
    LiquidMotionTest() { window.resize(100, 40); }
    // Moves the wall clock (the wave's time) and the frame clock together.
    void frameAt(double time) {
        sim.clock().setUptime(sim::SimClock::initialUptimeSeconds + time);
        clock.frameAt(100 + time);
    }
};

TEST_F(LiquidMotionTest, theLevelMovesWithTheLiquidsSpring) {
    LiquidMotion liquid(&window, 0);
    liquid.setLevel(1);
    EXPECT_DOUBLE_EQ(liquid.targetLevel(), 1);
    clock.advance(0.1);
    EXPECT_GT(liquid.level(), 0);
    EXPECT_LT(liquid.level(), 1);
    settle();
    EXPECT_DOUBLE_EQ(liquid.level(), 1);
    Motion::setInstant(true);
    liquid.setLevel(0.3);
    EXPECT_DOUBLE_EQ(liquid.level(), 0.3);
}

TEST_F(LiquidMotionTest, theWaveMovesAtMostEveryThirtiethOfASecondWhileShown) {
    LiquidMotion liquid(&window, 0.4);
    liquid.refresh();
    EXPECT_FALSE(liquid.isWaving()) << "hidden";
    window.show();
    liquid.refresh();
    ASSERT_TRUE(liquid.isWaving());
    frameAt(0.5);
    const double first = liquid.phase();
    frameAt(0.52);  // sooner than 1/30 s after the last tick
    EXPECT_DOUBLE_EQ(liquid.phase(), first);
    frameAt(0.54);
    EXPECT_NE(liquid.phase(), first);
    window.hide();
    liquid.refresh();
    EXPECT_FALSE(liquid.isWaving());
}

TEST_F(LiquidMotionTest, anEmptyOrFullLiquidOrReduceMotionStopsTheWave) {
    window.show();
    LiquidMotion empty(&window, 0);
    empty.refresh();
    EXPECT_FALSE(empty.isWaving());

    Motion::setInstant(true);
    LiquidMotion full(&window, 1.2);
    full.refresh();
    EXPECT_FALSE(full.isWaving()) << "a brim-full liquid has a flat top";

    LiquidMotion half(&window, 0.5);
    half.refresh();
    EXPECT_TRUE(half.isWaving());
    sim.displaySettings().setReduceMotion(true);
    half.refresh();
    EXPECT_FALSE(half.isWaving());
    const double still = half.phase();
    frameAt(2);
    EXPECT_DOUBLE_EQ(half.phase(), still);
}

}  // namespace
}  // namespace velorin
