#include <gtest/gtest.h>

#include "AppModelFixture.h"
#include "QtTestApp.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/PadStage.h"
#include "Velorin/LivePadFeed.h"

namespace velorin {
namespace {

class LivePadFeedTest : public testing::AppModelFixture {
protected:
    LivePadFeedTest() { testing::qtApp(); }

    void frame(double t, int fingers) {
        touchpad->deliver(TouchFrame{0, t, testing::fingersDown(fingers)});
        sim.runUntilIdle();
    }
};

TEST_F(LivePadFeedTest, liveTouchesAppearOnThePadWhileTheWindowShowsThemAndLeaveOnLift) {
    AppModel& m = makeModel();
    sim.runUntilIdle();
    m.showSettings(SettingsTab::trackpad);
    PadStage pad;
    LivePadFeed feed(m, &pad);

    frame(1.0, 3);
    EXPECT_EQ(pad.fingers(), 3);
    EXPECT_EQ(pad.input().touches, testing::fingersDown(3));
    frame(1.1, 0);
    EXPECT_EQ(pad.fingers(), 0);

    // Closed (or minimised), the engine publishes nothing and the pad stays empty.
    window->send(WindowNotice::willClose);
    frame(2.0, 2);
    EXPECT_EQ(pad.fingers(), 0);
    window->send(WindowNotice::didMiniaturize);
    frame(3.0, 4);
    EXPECT_EQ(pad.fingers(), 0);
}

TEST_F(LivePadFeedTest, theWaterGetsTheFiredDateAndTheSwitchedOnPacksAndTheZonesTheCornerSize) {
    AppConfig config;
    config.enabledPacks = {"everyday-mac"};
    config.recognizer.cornerSize = 0.2f;
    config.bindings = {testing::binding(Gesture::tap(2, 1), Action::media(MediaKey::playPause))};
    writeConfig(config);
    AppModel& m = makeModel();
    sim.runUntilIdle();
    m.showSettings(SettingsTab::trackpad);
    PadStage pad;
    LivePadFeed feed(m, &pad);

    EXPECT_FALSE(pad.input().fired);
    EXPECT_FLOAT_EQ(float(pad.cornerSize()), 0.2f);
    EXPECT_EQ(pad.input().blobs, PackStyle::floorBlobs(config.enabledPacks, m.config().allPacks()));
    EXPECT_FALSE(pad.input().blobs.empty());
    EXPECT_EQ(pad.input().opacity, 1);

    tapFrames(5, 2);
    sim.runUntilIdle();
    ASSERT_TRUE(m.engine().lastFired().get());
    EXPECT_EQ(pad.input().fired, m.engine().lastFired().get()->date);

    AppConfig changed = m.config();
    changed.recognizer.cornerSize = 0.1f;
    changed.enabledPacks.clear();
    m.setConfig(changed);
    sim.runUntilIdle();
    EXPECT_FLOAT_EQ(float(pad.cornerSize()), 0.1f);
    EXPECT_TRUE(pad.input().blobs.empty());
}

}  // namespace
}  // namespace velorin
