// The real touchpad recordings, through the evdev translation, into the recogniser.

#include <gtest/gtest.h>

#include "MultitouchSupport/DeviceRegistry.h"
#include "RecordingLoader.h"
#include "TouchInput/ContactRecords.h"
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

TEST(RecordedTaps, aFingerOnAPadThatFallsSilent_holdsOnlyWhileItMayStillRest) {
    // The first recorded tap's landing, then the device says nothing more.
    const auto recording = velorin::testing::loadRecording("synaptics-one-finger-taps.yml");
    struct Case {
        const char* name;
        double holdDuration;
        std::optional<double> grabbedAfter;  // another program grabs the pad this long into the silence
        bool holds;
    };
    const Case cases[] = {
        {"rests: the repeats give the hold", 1.2, std::nullopt, true},
        {"grabbed: no phantom hold, and no tap", 1.2, velorin::multitouch::silenceCheckSeconds, false},
        {"silent past the repeat limit: no hold after it", velorin::multitouch::silentRepeatLimitSeconds + 0.5,
         std::nullopt, false},
    };
    for (const auto& c : cases) {
        velorin::multitouch::TouchpadSnapshot snapshot;
        snapshot.axes = recording.axes;
        snapshot.slots.resize(static_cast<std::size_t>(recording.axes.slotCount));
        velorin::multitouch::EvdevTranslator translator(snapshot);
        RecognizerConfig config;
        config.holdDuration = c.holdDuration;
        GestureRecognizer recognizer(config, GestureRecognizer::GestureSet{Gesture::hold(1), Gesture::tap(1, 1)});
        GestureRecognizer::Events events;
        auto process = [&](const velorin::multitouch::ContactFrame& frame) {
            const TouchFrame touchFrame{0, frame.timestamp,
                                        touchesFromRecords(frame.touches.data(),
                                                           static_cast<std::int32_t>(frame.touches.size()))};
            const auto e = recognizer.process(touchFrame);
            events.insert(events.end(), e.begin(), e.end());
        };
        double start = 0;
        for (const auto& event : recording.reports[0]) {
            for (const auto& frame : translator.feed(event)) {
                start = frame.timestamp;
                process(frame);
            }
        }
        // As the reader does: repeats while due; a grab ends them, and the stale finger lifts
        // when the device next speaks (here 3 s in).
        while (const auto due = translator.nextRepeatTime()) {
            if (c.grabbedAfter && *due >= start + *c.grabbedAfter) {
                if (auto frame = translator.liftAll(start + 3.0)) process(*frame);
                break;
            }
            process(*translator.repeat(*due));
        }
        if (c.holds) {
            ASSERT_EQ(events.size(), 1u) << c.name;
            EXPECT_EQ(events[0].gesture, Gesture::hold(1)) << c.name;
            EXPECT_NEAR(events[0].time, start + c.holdDuration, velorin::multitouch::repeatIntervalSeconds) << c.name;
        } else {
            EXPECT_TRUE(events.empty()) << c.name;
        }
    }
}

TEST(RecordedTaps, aTapJustAfterTyping_isIgnored_oneAfterTheQuietTimeIsNot) {
    using velorin::multitouch::typingQuietAfterKeySeconds;
    using velorin::multitouch::typingQuietWhileTypingSeconds;
    const auto recording = velorin::testing::loadRecording("synaptics-one-finger-taps.yml");
    const auto& first = recording.reports[0].front();
    const double landing = static_cast<double>(first.input_event_sec) + static_cast<double>(first.input_event_usec) * 1e-6;
    struct Case {
        const char* name;
        std::vector<double> keysBefore;  // seconds before the landing
        bool taps;
    };
    const Case cases[] = {
        {"one key, just inside its time", {typingQuietAfterKeySeconds - 0.001}, false},
        {"one key, its time just over", {typingQuietAfterKeySeconds}, true},
        {"typing, just inside the longer time", {typingQuietWhileTypingSeconds + 0.1, typingQuietWhileTypingSeconds - 0.001}, false},
        {"typing, the longer time just over", {typingQuietWhileTypingSeconds + 0.1, typingQuietWhileTypingSeconds}, true},
    };
    for (const auto& c : cases) {
        velorin::multitouch::TypingGuard guard;
        for (double before : c.keysBefore) guard.key(1, KEY_J, 1, landing - before);
        velorin::multitouch::TouchpadSnapshot snapshot;
        snapshot.axes = recording.axes;
        snapshot.slots.resize(static_cast<std::size_t>(recording.axes.slotCount));
        velorin::multitouch::EvdevTranslator translator(snapshot, &guard);
        std::vector<TouchFrame> frames;
        for (std::size_t r = 0; r < 10; ++r) {  // the first tap
            for (const auto& event : recording.reports[r]) {
                for (const auto& frame : translator.feed(event)) {
                    frames.push_back({0, frame.timestamp,
                                      touchesFromRecords(frame.touches.data(),
                                                         static_cast<std::int32_t>(frame.touches.size()))});
                }
            }
        }
        const auto events = recognise(frames, GestureRecognizer::GestureSet{Gesture::tap(1, 1)});
        EXPECT_EQ(events.size(), c.taps ? 1u : 0u) << c.name;
    }
}
