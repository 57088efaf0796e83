// The real touchpad recordings, through the evdev translation, into the recogniser.

#include <gtest/gtest.h>

#include "RecordingLoader.h"
#include "Recognizer/GestureRecognizer.h"

using namespace velorin;

namespace {

// Feeds every frame, ticking at each deadline that falls before the next frame (as the
// engine's deadline work item would), then at the last deadline.
GestureRecognizer::Events recognise(const std::vector<TouchFrame>& frames,
                                    std::optional<GestureRecognizer::GestureSet> bound) {
    GestureRecognizer r({}, std::move(bound));
    GestureRecognizer::Events all;
    auto append = [&](const GestureRecognizer::Events& e) { all.insert(all.end(), e.begin(), e.end()); };
    for (const auto& frame : frames) {
        if (auto d = r.nextDeadline(); d && *d <= frame.timestamp) append(r.tick(*d));
        append(r.process(frame));
    }
    if (auto d = r.nextDeadline()) append(r.tick(*d));
    return all;
}

// The times at which the recording's contacts end: the frames where the last finger lifts.
std::vector<double> liftTimes(const std::vector<TouchFrame>& frames) {
    std::vector<double> lifts;
    bool down = false;
    for (const auto& f : frames) {
        const bool now = f.fingersDown() > 0;
        if (down && !now) lifts.push_back(f.timestamp);
        down = now;
    }
    return lifts;
}

}  // namespace

TEST(RecordedTaps, sixOneFingerSingleTaps_eachAtItsLift) {
    const auto frames = velorin::testing::touchFrames(velorin::testing::loadRecording("synaptics-one-finger-taps.yml"));
    const auto lifts = liftTimes(frames);
    ASSERT_EQ(lifts.size(), 6u);
    const auto events = recognise(frames, GestureRecognizer::GestureSet{Gesture::tap(1, 1)});
    ASSERT_EQ(events.size(), 6u);
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i], (GestureEvent{Gesture::tap(1, 1), lifts[i]})) << "tap " << i;
    }
}

TEST(RecordedTaps, whileRecording_theyStaySingleTaps_pausesAreTooLongForADouble) {
    const auto frames = velorin::testing::touchFrames(velorin::testing::loadRecording("synaptics-one-finger-taps.yml"));
    const auto lifts = liftTimes(frames);
    const auto events = recognise(frames, std::nullopt);
    ASSERT_EQ(events.size(), 6u);
    for (std::size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].gesture, Gesture::tap(1, 1)) << "tap " << i;
        EXPECT_DOUBLE_EQ(events[i].time, lifts[i] + RecognizerConfig().multiTapInterval) << "tap " << i;
    }
}

TEST(RecordedSwipe, twoFingersMovingTooFar_giveNoGesture) {
    const auto frames = velorin::testing::touchFrames(velorin::testing::loadRecording("two-finger-swipe.yml"));
    ASSERT_FALSE(frames.empty());
    EXPECT_TRUE(recognise(frames, GestureRecognizer::GestureSet{Gesture::tap(2, 1), Gesture::hold(2)}).empty());
    EXPECT_TRUE(recognise(frames, std::nullopt).empty());
}

TEST(RecordedTaps, threeFingersOnATwoSlotPad_giveOneThreeFingerSingleTapAtTheLift) {
    const auto frames =
        velorin::testing::touchFrames(velorin::testing::loadRecording("cypress-semimt-three-finger-tap.yml"));
    const auto lifts = liftTimes(frames);
    ASSERT_EQ(lifts.size(), 1u);
    const GestureRecognizer::GestureSet bound{Gesture::tap(1, 1), Gesture::tap(2, 1), Gesture::tap(3, 1),
                                              Gesture::hold(3)};
    EXPECT_EQ(recognise(frames, bound), (GestureRecognizer::Events{{Gesture::tap(3, 1), lifts[0]}}));
}

TEST(RecordedSwipe, semiMultitouchTwoFingerScrolls_giveNoGesture) {
    const auto frames =
        velorin::testing::touchFrames(velorin::testing::loadRecording("synaptics-semimt-two-finger-scrolls.yml"));
    ASSERT_FALSE(frames.empty());
    const GestureRecognizer::GestureSet bound{Gesture::tap(2, 1), Gesture::tap(2, 2), Gesture::hold(1),
                                              Gesture::hold(2), Gesture::tap(1, 1)};
    EXPECT_TRUE(recognise(frames, bound).empty());
    EXPECT_TRUE(recognise(frames, std::nullopt).empty());
}
