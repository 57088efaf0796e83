// The shared recordings of real touchpads, through the evdev stand-in's translation.

#include <gtest/gtest.h>
#include <libevdev/libevdev.h>

#include "MultitouchSupport/Touchpad.h"
#include "RecordingLoader.h"

using namespace velorin;
using namespace velorin::testing;

namespace {

// One finger's stay on the pad: from its makeTouch frame to its breakTouch frame.
struct Contact {
    std::vector<TouchFrame> frames;
    double start() const { return frames.front().timestamp; }
    double end() const { return frames.back().timestamp; }
};

std::vector<Contact> contactsOf(const std::vector<TouchFrame>& frames) {
    std::vector<Contact> contacts;
    bool open = false;
    for (const auto& frame : frames) {
        if (frame.touches.empty()) continue;
        if (!open) contacts.emplace_back();
        contacts.back().frames.push_back(frame);
        open = frame.fingersDown() > 0;
    }
    return contacts;
}

std::size_t reportCount(const Recording& r) { return r.reports.size(); }

}  // namespace

TEST(Recordings, everyDeviceIsATouchpad) {
    for (const char* file : {"synaptics-one-finger-taps.yml", "two-finger-swipe.yml",
                             "cypress-semimt-three-finger-tap.yml", "synaptics-semimt-two-finger-scrolls.yml"}) {
        const Recording recording = loadRecording(file);
        const auto device = describeDevice(recording);
        EXPECT_TRUE(multitouch::isMultitouchTouchpad(device.get())) << file;
    }
}

TEST(Recordings, missingFile_failsWithItsName) {
    try {
        loadRecording("no-such-recording.yml");
        ADD_FAILURE() << "loaded";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("no-such-recording.yml"), std::string::npos) << e.what();
    }
}

TEST(Recordings, synapticsTaps_areSixStillOneFingerContacts) {
    const Recording recording = loadRecording("synaptics-one-finger-taps.yml");
    EXPECT_EQ(recording.axes.x, (multitouch::AxisRange{0, 1212}));
    EXPECT_EQ(recording.axes.y, (multitouch::AxisRange{0, 792}));
    EXPECT_EQ(recording.axes.slotCount, 5);

    const auto frames = touchFrames(recording);
    // The pad reports every ~7 ms while touched, so no repeat frame is needed: one frame per report.
    EXPECT_EQ(frames.size(), reportCount(recording));
    EXPECT_EQ(frames.size(), 63u);

    struct Tap {
        std::size_t frames;
        int x;  // in pad units, as recorded
        int y;
    };
    const Tap taps[] = {{10, 206, 311}, {10, 599, 327}, {11, 1014, 317}, {10, 1006, 514}, {14, 996, 686}, {8, 993, 691}};
    const auto contacts = contactsOf(frames);
    ASSERT_EQ(contacts.size(), 6u);
    for (std::size_t i = 0; i < contacts.size(); ++i) {
        const Contact& c = contacts[i];
        ASSERT_EQ(c.frames.size(), taps[i].frames) << "tap " << i;
        const float x = static_cast<float>(taps[i].x) / 1212.0f;
        const float y = 1.0f - static_cast<float>(taps[i].y) / 792.0f;
        for (std::size_t f = 0; f < c.frames.size(); ++f) {
            const TouchFrame& frame = c.frames[f];
            ASSERT_EQ(frame.touches.size(), 1u) << "tap " << i << " frame " << f;
            const Touch& t = frame.touches[0];
            const TouchState expected = f == 0 ? TouchState::makeTouch
                                        : f + 1 == c.frames.size() ? TouchState::breakTouch
                                                                   : TouchState::touching;
            EXPECT_EQ(t.state, expected) << "tap " << i << " frame " << f;
            EXPECT_EQ(t.id, 0);
            EXPECT_FLOAT_EQ(t.x, x) << "tap " << i;
            EXPECT_FLOAT_EQ(t.y, y) << "tap " << i;
            EXPECT_FLOAT_EQ(t.vx, 0.0f);
            EXPECT_FLOAT_EQ(t.vy, 0.0f);
            EXPECT_FLOAT_EQ(t.size, multitouch::nominalContactSize);  // the pad reports no pressure
        }
        const double duration = c.end() - c.start();
        EXPECT_GE(duration, 0.050) << "tap " << i;
        EXPECT_LE(duration, 0.095) << "tap " << i;
        if (i > 0) {
            EXPECT_GE(c.start() - contacts[i - 1].end(), 0.57) << "pause before tap " << i;
        }
    }
    EXPECT_EQ(frames.back().fingersDown(), 0);
}

TEST(Recordings, twoFingerSwipe_landsTenMillisecondsApartAndSlides) {
    const Recording recording = loadRecording("two-finger-swipe.yml");
    EXPECT_EQ(recording.axes.slotCount, 3);
    const auto frames = touchFrames(recording, 1);
    ASSERT_EQ(frames.size(), reportCount(recording));
    ASSERT_EQ(frames.size(), 13u);

    std::vector<int> fingers;
    for (const auto& f : frames) {
        EXPECT_EQ(f.device, 1);
        fingers.push_back(f.fingersDown());
    }
    EXPECT_EQ(fingers, (std::vector<int>{1, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 0}));
    EXPECT_NEAR(frames[1].timestamp - frames[0].timestamp, 0.010, 0.0005);
    EXPECT_NEAR(frames.back().timestamp - frames[1].timestamp, 0.080, 0.001);

    const Touch first = frames[0].touches[0];
    EXPECT_EQ(first.state, TouchState::makeTouch);
    EXPECT_FLOAT_EQ(first.x, 608.0f / 1051.0f);
    EXPECT_FLOAT_EQ(first.y, 1.0f - 255.0f / 571.0f);
    const Touch second = frames[1].touches[1];
    EXPECT_EQ(second.id, 1);
    EXPECT_EQ(second.state, TouchState::makeTouch);
    EXPECT_FLOAT_EQ(second.x, 326.0f / 1051.0f);
    EXPECT_FLOAT_EQ(second.y, 1.0f - 324.0f / 571.0f);

    // Both lift in the last frame, where they were last seen.
    const TouchFrame& last = frames.back();
    ASSERT_EQ(last.touches.size(), 2u);
    EXPECT_EQ(last.touches[0].state, TouchState::breakTouch);
    EXPECT_EQ(last.touches[1].state, TouchState::breakTouch);
    // The recorded y values fall (192 from 255, 241 from 324): along the pad's depth the
    // fingers travel about 0.11 and 0.15 of it; on our axis, where y grows away from the
    // user, that is upwards.
    EXPECT_NEAR(last.touches[0].y - first.y, 63.0f / 571.0f, 1e-5);
    EXPECT_NEAR(last.touches[1].y - second.y, 83.0f / 571.0f, 1e-5);
    EXPECT_NEAR(last.touches[0].y - first.y, 0.11, 0.005);
    EXPECT_NEAR(last.touches[1].y - second.y, 0.15, 0.006);

    // Velocities follow the motion: slot 1 moves every frame, slot 0 once it is in motion.
    for (std::size_t i = 2; i + 1 < frames.size(); ++i) {
        EXPECT_GT(frames[i].touches[1].vy, 0.0f) << "frame " << i;
        EXPECT_GE(frames[i].touches[0].vy, 0.0f) << "frame " << i;
    }
}

TEST(Recordings, padThatFallsSilentUnderAStillFinger_isRepeatedEveryInterval) {
    Recording recording = loadRecording("synaptics-one-finger-taps.yml");
    // The first tap as a pad would send it that reports only changes: landing and lifting.
    std::vector<std::vector<input_event>> reports{recording.reports[0], recording.reports[9]};
    recording.reports = reports;
    const auto frames = touchFrames(recording);
    // Landing at 0, repeats at 10, 20, …, 60 ms, lifting at 65.119 ms.
    ASSERT_EQ(frames.size(), 8u);
    for (std::size_t i = 1; i + 1 < frames.size(); ++i) {
        EXPECT_NEAR(frames[i].timestamp, static_cast<double>(i) * multitouch::repeatIntervalSeconds, 1e-9);
        EXPECT_EQ(frames[i].touches.at(0).state, TouchState::touching);
    }
    EXPECT_EQ(frames.back().touches.at(0).state, TouchState::breakTouch);
    EXPECT_NEAR(frames.back().timestamp, 0.065119, 1e-9);
}

TEST(Recordings, cypressThreeFingerTap_countsThreeFingersOnTwoSlots) {
    const Recording recording = loadRecording("cypress-semimt-three-finger-tap.yml");
    EXPECT_EQ(recording.axes.slotCount, 2);
    EXPECT_TRUE(recording.axes.semiMultitouch);
    const auto frames = touchFrames(recording);
    // A report every ~16 ms, so the silent stretches between them are repeated.
    ASSERT_GT(frames.size(), reportCount(recording));

    std::vector<int> fingers;
    for (const auto& f : frames) fingers.push_back(f.fingersDown());
    std::vector<int> expected(frames.size(), 3);
    expected.back() = 0;
    EXPECT_EQ(fingers, expected);
    // Slot 1 has a tracking id but no position: it is not delivered (no finger at a corner);
    // slot 0 and the two fingers that BTN_TOOL_TRIPLETAP counts beyond it are.
    for (const auto& f : frames) {
        ASSERT_EQ(f.touches.size(), 3u);
        EXPECT_EQ(f.touches[0].id, 0);
        EXPECT_EQ(f.touches[1].id, 2);
        EXPECT_EQ(f.touches[2].id, 3);
        for (const Touch& t : f.touches) {
            EXPECT_NEAR(t.x, 641.5f / 1600.0f, 0.75f / 1600.0f);  // 642, then 641
            EXPECT_NEAR(t.y, 1.0f - 252.0f / 900.0f, 1e-6);
        }
    }
    EXPECT_NEAR(frames.back().timestamp - frames.front().timestamp, 0.105571, 1e-9);
}

TEST(Recordings, synapticsSemiMultitouchScrolls_areFourTwoFingerContactsOnAnOffsetRange) {
    const Recording recording = loadRecording("synaptics-semimt-two-finger-scrolls.yml");
    EXPECT_EQ(recording.axes.x, (multitouch::AxisRange{1472, 5590}));
    EXPECT_EQ(recording.axes.y, (multitouch::AxisRange{1408, 4710}));
    EXPECT_EQ(recording.axes.slotCount, 2);
    EXPECT_TRUE(recording.axes.semiMultitouch);
    const auto frames = touchFrames(recording);
    const auto contacts = contactsOf(frames);
    ASSERT_EQ(contacts.size(), 4u);
    for (const Contact& c : contacts) {
        int peak = 0;
        for (const auto& f : c.frames) {
            peak = std::max(peak, f.fingersDown());
            for (const Touch& t : f.touches) {
                EXPECT_GE(t.x, 0.0f);
                EXPECT_LE(t.x, 1.0f);
                EXPECT_GE(t.y, 0.0f);
                EXPECT_LE(t.y, 1.0f);
                EXPECT_LT(t.id, 2);  // the tool keys never count more fingers than the box has
            }
        }
        EXPECT_EQ(peak, 2);
        EXPECT_GE(c.end() - c.start(), 1.2);
    }
}
