#include "MultitouchSupport/EvdevTranslator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "EventScript.h"

using namespace velorin::multitouch;
using velorin::testing::EventScript;

namespace {

// A pad 1000 units wide and 500 deep with five slots; no pressure, no touch size.
TouchpadAxes padAxes() {
    TouchpadAxes axes;
    axes.x = {0, 1000};
    axes.y = {0, 500};
    axes.slotCount = 5;
    return axes;
}

TouchpadSnapshot emptyPad(TouchpadAxes axes = padAxes()) {
    TouchpadSnapshot snapshot;
    snapshot.axes = axes;
    snapshot.slots.resize(static_cast<std::size_t>(axes.slotCount));
    return snapshot;
}

std::vector<ContactFrame> feedAll(EvdevTranslator& translator, const std::vector<input_event>& events) {
    std::vector<ContactFrame> frames;
    for (const auto& e : events) {
        for (auto& f : translator.feed(e)) frames.push_back(std::move(f));
    }
    return frames;
}

// A frame's records as "slot:state" words, e.g. "0:3 1:4".
std::string shape(const ContactFrame& frame) {
    std::string out;
    for (const auto& t : frame.touches) {
        if (!out.empty()) out += ' ';
        out += std::to_string(t.pathIndex) + ":" + std::to_string(t.state);
    }
    return out;
}

std::vector<std::string> shapes(const std::vector<ContactFrame>& frames) {
    std::vector<std::string> out;
    for (const auto& f : frames) out.push_back(shape(f));
    return out;
}

using Shapes = std::vector<std::string>;

}  // namespace

TEST(EvdevTranslator, oneFingerTap_landsTouchesAndLiftsWithOneFramePerReport) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(0.000).land(0, 41, 250, 100).report();
    s.at(0.007).report();
    s.at(0.060).lift(0).report();
    const auto frames = feedAll(translator, s.events());

    EXPECT_EQ(shapes(frames), (Shapes{"0:3", "0:4", "0:5"}));
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_DOUBLE_EQ(frames[0].timestamp, 0.0);
    EXPECT_DOUBLE_EQ(frames[2].timestamp, 0.060);
    for (const auto& f : frames) {
        EXPECT_FLOAT_EQ(f.touches[0].normalized.position.x, 0.25f);
        EXPECT_FLOAT_EQ(f.touches[0].normalized.position.y, 0.8f);  // y flipped: 100 of 500 from the far edge
        EXPECT_EQ(f.touches[0].frame, f.frameNumber);
        EXPECT_DOUBLE_EQ(f.touches[0].timestamp, f.timestamp);
    }
    EXPECT_EQ(frames[1].frameNumber, frames[0].frameNumber + 1);
    EXPECT_EQ(frames[2].frameNumber, frames[1].frameNumber + 1);
    EXPECT_FALSE(translator.anyDown());
    EXPECT_FALSE(translator.nextRepeatTime());
}

TEST(EvdevTranslator, threeFingerTap_reportsEverySlotInSlotOrder) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(0.0).land(2, 12, 700, 200).land(0, 10, 300, 200).land(1, 11, 500, 200).report();
    s.at(0.008).report();
    s.at(0.080).lift(0).lift(1).lift(2).report();
    EXPECT_EQ(shapes(feedAll(translator, s.events())), (Shapes{"0:3 1:3 2:3", "0:4 1:4 2:4", "0:5 1:5 2:5"}));
}

TEST(EvdevTranslator, fingersComingAndGoing_eachLiftsInTheFrameItLeaves) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(0.00).land(0, 1, 100, 100).report();
    s.at(0.01).land(1, 2, 600, 100).report();
    s.at(0.02).lift(0).report();
    s.at(0.03).report();
    s.at(0.04).lift(1).report();
    s.at(0.05).report();  // nothing down: an empty frame
    EXPECT_EQ(shapes(feedAll(translator, s.events())), (Shapes{"0:3", "0:4 1:3", "0:5 1:4", "1:4", "1:5", ""}));
}

TEST(EvdevTranslator, lift_keepsTheLastPositionAndStopsTheVelocity) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(0.00).land(0, 1, 100, 100).report();
    s.at(0.01).x(200).report();
    s.at(0.02).lift(0).report();
    const auto frames = feedAll(translator, s.events());
    ASSERT_EQ(frames.size(), 3u);
    const MTTouch& lifted = frames[2].touches.at(0);
    EXPECT_EQ(lifted.state, MTTouchStateBreakTouch);
    EXPECT_FLOAT_EQ(lifted.normalized.position.x, 0.2f);
    EXPECT_FLOAT_EQ(lifted.normalized.velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(lifted.normalized.velocity.y, 0.0f);
}

TEST(EvdevTranslator, velocity_isPadFractionsPerSecondWithYTowardsTheFarEdge) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(0.00).land(0, 1, 100, 400).report();
    s.at(0.01).x(200).y(350).report();  // 0.1 of the width and 0.1 of the depth, away from the user
    s.at(0.02).report();                // still
    const auto frames = feedAll(translator, s.events());
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_FLOAT_EQ(frames[0].touches[0].normalized.velocity.x, 0.0f);  // a new finger has none yet
    EXPECT_NEAR(frames[1].touches[0].normalized.velocity.x, 10.0f, 1e-3);
    EXPECT_NEAR(frames[1].touches[0].normalized.velocity.y, 10.0f, 1e-3);
    EXPECT_FLOAT_EQ(frames[2].touches[0].normalized.velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(frames[2].touches[0].normalized.velocity.y, 0.0f);
}

TEST(EvdevTranslator, positions_areClampedToThePad) {
    TouchpadAxes axes = padAxes();
    axes.x = {100, 1100};
    EvdevTranslator translator(emptyPad(axes));
    EventScript s;
    s.at(0).land(0, 1, 50, -20).land(1, 2, 1200, 600).land(2, 3, 600, 250).report();
    const auto frames = feedAll(translator, s.events());
    ASSERT_EQ(frames.size(), 1u);
    const auto& t = frames[0].touches;
    EXPECT_FLOAT_EQ(t[0].normalized.position.x, 0.0f);
    EXPECT_FLOAT_EQ(t[0].normalized.position.y, 1.0f);
    EXPECT_FLOAT_EQ(t[1].normalized.position.x, 1.0f);
    EXPECT_FLOAT_EQ(t[1].normalized.position.y, 0.0f);
    EXPECT_FLOAT_EQ(t[2].normalized.position.x, 0.5f);  // measured from the axis minimum
    EXPECT_FLOAT_EQ(t[2].normalized.position.y, 0.5f);
}

TEST(EvdevTranslator, size_comesFromPressureElseTouchSizeElseANominalValue) {
    struct Case {
        const char* name;
        std::optional<AxisRange> pressure;
        std::optional<AxisRange> touchMajor;
        float expected;
    };
    const Case cases[] = {
        {"pressure", AxisRange{0, 255}, AxisRange{0, 40}, 51.0f / 255.0f},
        {"pressure with an offset range", AxisRange{50, 150}, std::nullopt, 0.01f},
        {"touch size", std::nullopt, AxisRange{0, 40}, 10.0f / 40.0f},
        {"neither", std::nullopt, std::nullopt, nominalContactSize},
    };
    for (const auto& c : cases) {
        TouchpadAxes axes = padAxes();
        axes.pressure = c.pressure;
        axes.touchMajor = c.touchMajor;
        EvdevTranslator translator(emptyPad(axes));
        EventScript s;
        s.at(0).land(0, 1, 10, 10).pressure(51).major(10).report();
        const auto frames = feedAll(translator, s.events());
        ASSERT_EQ(frames.size(), 1u) << c.name;
        EXPECT_NEAR(frames[0].touches[0].zTotal, c.expected, 1e-6) << c.name;
    }
}

TEST(EvdevTranslator, fingerHeldStill_isRepeatedWhileTheDeviceIsSilent) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(1.000).land(0, 1, 500, 250).report();
    ASSERT_EQ(feedAll(translator, s.take()).size(), 1u);

    ASSERT_TRUE(translator.nextRepeatTime());
    EXPECT_DOUBLE_EQ(*translator.nextRepeatTime(), 1.000 + repeatIntervalSeconds);
    EXPECT_FALSE(translator.repeat(1.000 + repeatIntervalSeconds - 1e-6));  // just before: nothing

    const auto first = translator.repeat(1.000 + repeatIntervalSeconds);  // exactly at
    ASSERT_TRUE(first);
    EXPECT_EQ(shape(*first), "0:4");
    EXPECT_DOUBLE_EQ(first->timestamp, 1.000 + repeatIntervalSeconds);
    EXPECT_FLOAT_EQ(first->touches[0].normalized.position.x, 0.5f);
    EXPECT_FLOAT_EQ(first->touches[0].normalized.velocity.x, 0.0f);

    const auto late = translator.repeat(1.035);  // well after: one frame, stamped now
    ASSERT_TRUE(late);
    EXPECT_DOUBLE_EQ(late->timestamp, 1.035);
    EXPECT_EQ(late->frameNumber, first->frameNumber + 1);
    EXPECT_DOUBLE_EQ(*translator.nextRepeatTime(), 1.035 + repeatIntervalSeconds);

    s.at(1.040).lift(0).report();
    EXPECT_EQ(shapes(feedAll(translator, s.take())), (Shapes{"0:5"}));
    EXPECT_FALSE(translator.nextRepeatTime());
    EXPECT_FALSE(translator.repeat(5.0));
}

TEST(EvdevTranslator, repeat_neverShowsAHalfReceivedReport) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(0).land(0, 1, 500, 250).report();
    feedAll(translator, s.take());
    s.at(0.005).x(900).lift(0);  // the report's SYN_REPORT has not come yet
    EXPECT_TRUE(feedAll(translator, s.take()).empty());
    const auto frame = translator.repeat(0.011);
    ASSERT_TRUE(frame);
    EXPECT_EQ(shape(*frame), "0:4");
    EXPECT_FLOAT_EQ(frame->touches[0].normalized.position.x, 0.5f);
}

TEST(EvdevTranslator, frameTimes_neverRunBackwards) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(0).land(0, 1, 500, 250).report();
    feedAll(translator, s.take());
    ASSERT_TRUE(translator.repeat(0.012));
    s.at(0.011).x(510).report();  // stamped by the kernel before the repeat was made
    const auto frames = feedAll(translator, s.take());
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_DOUBLE_EQ(frames[0].timestamp, 0.012);
    EXPECT_TRUE(std::isfinite(frames[0].touches[0].normalized.velocity.x));
}

TEST(EvdevTranslator, synDropped_takesLibevdevsResyncAsOneFrame) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(0.00).land(0, 1, 100, 100).report();
    s.at(0.01).x(120);  // part of a report, then the kernel's buffer overflowed
    s.at(0.05).dropped();
    // libevdev's resync: the state as it is now, then a SYN_REPORT.
    s.at(0.05).slot(0).id(-1).land(1, 2, 800, 400).report();
    const auto frames = feedAll(translator, s.events());
    EXPECT_EQ(shapes(frames), (Shapes{"0:3", "0:5 1:3"}));
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_DOUBLE_EQ(frames[1].timestamp, 0.05);
    EXPECT_FLOAT_EQ(frames[1].touches[1].normalized.position.x, 0.8f);
}

TEST(EvdevTranslator, fingerReplacedInTheSameSlot_liftsTheOldOneInAFrameOfItsOwn) {
    struct Case {
        const char* name;
        EventScript replacement;
    };
    Case cases[] = {
        {"new tracking id", EventScript().at(0.02).slot(0).id(6).x(900).y(400).report()},
        {"lift and land within one report", EventScript().at(0.02).slot(0).id(-1).id(6).x(900).y(400).report()},
    };
    for (auto& c : cases) {
        EvdevTranslator translator(emptyPad());
        EventScript s;
        s.at(0.00).land(0, 5, 100, 100).land(1, 7, 500, 100).report();
        s.at(0.01).slot(1).x(510).report();
        feedAll(translator, s.take());
        const auto frames = feedAll(translator, c.replacement.events());
        EXPECT_EQ(shapes(frames), (Shapes{"0:5 1:4", "0:3 1:4"})) << c.name;
        ASSERT_EQ(frames.size(), 2u) << c.name;
        EXPECT_DOUBLE_EQ(frames[0].timestamp, frames[1].timestamp) << c.name;
        EXPECT_FLOAT_EQ(frames[0].touches[0].normalized.position.x, 0.1f) << c.name;  // the old finger
        EXPECT_FLOAT_EQ(frames[1].touches[0].normalized.position.x, 0.9f) << c.name;  // the new one
        EXPECT_FLOAT_EQ(frames[1].touches[0].normalized.velocity.x, 0.0f) << c.name;
        EXPECT_EQ(frames[1].frameNumber, frames[0].frameNumber + 1) << c.name;
        EXPECT_NEAR(frames[1].touches[1].normalized.velocity.x, frames[0].touches[1].normalized.velocity.x, 1e-6)
            << c.name;  // no time passed between the two
    }
}

TEST(EvdevTranslator, eventsForSlotsThePadDoesNotHave_areDropped) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(0).land(0, 1, 100, 100).slot(9).id(3).x(5).slot(-1).id(4).report();
    EXPECT_EQ(shapes(feedAll(translator, s.events())), (Shapes{"0:3"}));
}

TEST(EvdevTranslator, fingersDownWhenOpened_areReportedAtOnce) {
    TouchpadSnapshot snapshot = emptyPad();
    snapshot.currentSlot = 1;
    snapshot.slots[1] = SlotValues{3, 750, 125, 0, 0};
    EvdevTranslator translator(snapshot);
    ASSERT_TRUE(translator.nextRepeatTime());
    EXPECT_EQ(*translator.nextRepeatTime(), -std::numeric_limits<double>::infinity());
    const auto frame = translator.repeat(42.0);
    ASSERT_TRUE(frame);
    EXPECT_EQ(shape(*frame), "1:3");
    EXPECT_DOUBLE_EQ(frame->timestamp, 42.0);
    EXPECT_FLOAT_EQ(frame->touches[0].normalized.position.x, 0.75f);
    EXPECT_FLOAT_EQ(frame->touches[0].normalized.position.y, 0.75f);

    // The current slot came with the snapshot: this moves slot 1.
    EventScript s;
    s.at(42.01).x(800).report();
    const auto frames = feedAll(translator, s.events());
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(shape(frames[0]), "1:4");
    EXPECT_FLOAT_EQ(frames[0].touches[0].normalized.position.x, 0.8f);
}

TEST(EvdevTranslator, deviceGone_liftsEveryFingerStillDown) {
    EvdevTranslator translator(emptyPad());
    EXPECT_FALSE(translator.liftAll(1.0));  // nothing down: no frame
    EventScript s;
    s.at(0).land(0, 1, 100, 100).land(3, 2, 200, 200).report();
    feedAll(translator, s.take());
    const auto frame = translator.liftAll(0.5);
    ASSERT_TRUE(frame);
    EXPECT_EQ(shape(*frame), "0:5 3:5");
    EXPECT_DOUBLE_EQ(frame->timestamp, 0.5);
    EXPECT_FALSE(translator.anyDown());
    EXPECT_FALSE(translator.nextRepeatTime());
}

namespace {

// A two-slot pad that counts up to five fingers with BTN_TOOL_*, as many older pads are.
TouchpadAxes twoSlotAxes(bool semiMultitouch = false) {
    TouchpadAxes axes = padAxes();
    axes.slotCount = 2;
    axes.touchButton = true;
    axes.semiMultitouch = semiMultitouch;
    return axes;
}

}  // namespace

TEST(EvdevTranslator, fingers_areCountedFromSlotsAndFromToolKeysAboveThem) {
    struct Case {
        const char* name;
        TouchpadAxes axes;
        EventScript script;
        Shapes expected;
    };
    Case cases[] = {
        {"count from slots: the tool keys agree",
         padAxes(),
         EventScript().at(0).land(0, 1, 100, 100).land(1, 2, 300, 100).fingers(2).report()
             .at(0.01).lift(0).lift(1).fingers(0).report(),
         {"0:3 1:3", "0:5 1:5"}},
        {"a pad without tool keys counts its slots",
         twoSlotAxes(),
         EventScript().at(0).land(0, 1, 100, 100).land(1, 2, 300, 100).key(BTN_TOUCH, true).report(),
         {"0:3 1:3"}},
        {"count above the slots rising and falling within a contact",
         twoSlotAxes(),
         EventScript().at(0).land(0, 1, 100, 100).land(1, 2, 300, 100).fingers(2).report()
             .at(0.01).fingers(3).report()
             .at(0.02).fingers(4).report()
             .at(0.03).report()
             .at(0.04).fingers(3).report()
             .at(0.05).fingers(2).report()
             .at(0.06).lift(0).lift(1).fingers(0).report(),
         {"0:3 1:3", "0:4 1:4 2:3", "0:4 1:4 2:4 3:3", "0:4 1:4 2:4 3:4", "0:4 1:4 2:4 3:5", "0:4 1:4 2:5",
          "0:5 1:5"}},
        {"all at once: the counted fingers land and lift with the slots",
         twoSlotAxes(),
         EventScript().at(0).land(0, 1, 100, 100).land(1, 2, 300, 100).fingers(5).report()
             .at(0.05).lift(0).lift(1).fingers(0).report(),
         {"0:3 1:3 2:3 3:3 4:3", "0:5 1:5 2:5 3:5 4:5"}},
        {"a slot with an id but no position is no finger",
         padAxes(),
         EventScript().at(0).land(0, 1, 100, 100).slot(1).id(2).report()
             .at(0.01).slot(1).x(600).y(200).report(),
         {"0:3", "0:4 1:3"}},
        {"a slot with an id but no position: the tool key counts it",
         twoSlotAxes(),
         EventScript().at(0).land(0, 1, 100, 100).slot(1).id(2).fingers(3).report()
             .at(0.01).fingers(0).lift(0).lift(1).report(),
         {"0:3 2:3 3:3", "0:5 2:5 3:5"}},
        {"hovering (BTN_TOUCH up) counts no more fingers",
         twoSlotAxes(),
         EventScript().at(0).land(0, 1, 100, 100).key(BTN_TOOL_DOUBLETAP, true).report(),
         {"0:3"}},
        {"a tool count without a tracked finger has nowhere to put them",
         twoSlotAxes(),
         EventScript().at(0).fingers(3).report(),
         {""}},
        {"semi-MT: the box's two corners are two fingers, a third is counted",
         twoSlotAxes(true),
         EventScript().at(0).land(0, 1, 200, 100).land(1, 2, 600, 300).fingers(3).report()
             .at(0.01).lift(0).lift(1).fingers(0).report(),
         {"0:3 1:3 2:3", "0:5 1:5 2:5"}},
    };
    for (auto& c : cases) {
        EvdevTranslator translator(emptyPad(c.axes));
        EXPECT_EQ(shapes(feedAll(translator, c.script.events())), c.expected) << c.name;
    }
}

TEST(EvdevTranslator, countedFingers_sitAtTheCentroidAndMoveWithIt) {
    EvdevTranslator translator(emptyPad(twoSlotAxes()));
    EventScript s;
    s.at(0.00).land(0, 1, 200, 100).land(1, 2, 600, 300).fingers(4).report();
    s.at(0.01).slot(0).x(300).slot(1).x(700).report();  // both move 0.1 of the width in 10 ms
    s.at(0.02).fingers(3).report();
    const auto frames = feedAll(translator, s.events());
    ASSERT_EQ(shapes(frames), (Shapes{"0:3 1:3 2:3 3:3", "0:4 1:4 2:4 3:4", "0:4 1:4 2:4 3:5"}));
    for (std::size_t i : {2u, 3u}) {
        const MTTouch& counted = frames[0].touches[i];
        EXPECT_FLOAT_EQ(counted.normalized.position.x, 0.4f);
        EXPECT_FLOAT_EQ(counted.normalized.position.y, 0.6f);
        EXPECT_FLOAT_EQ(counted.normalized.velocity.x, 0.0f);
        EXPECT_FLOAT_EQ(counted.zTotal, nominalContactSize);
        const MTTouch& moved = frames[1].touches[i];
        EXPECT_FLOAT_EQ(moved.normalized.position.x, 0.5f);
        EXPECT_NEAR(moved.normalized.velocity.x, 10.0f, 1e-3);
        EXPECT_FLOAT_EQ(moved.normalized.velocity.y, 0.0f);
    }
    // The finger that lifts keeps its place; the one that stays keeps its path index.
    EXPECT_FLOAT_EQ(frames[2].touches[3].normalized.position.x, 0.5f);
    EXPECT_EQ(frames[2].touches[2].pathIndex, 2);
    EXPECT_EQ(frames[2].touches[2].state, MTTouchStateTouching);

    // A still hand sends nothing: the counted fingers are repeated with the slots.
    const auto repeated = translator.repeat(0.02 + repeatIntervalSeconds);
    ASSERT_TRUE(repeated);
    EXPECT_EQ(shape(*repeated), "0:4 1:4 2:4");
}

TEST(EvdevTranslator, countedFingers_stayWhileASlotsFingerIsReplaced) {
    EvdevTranslator translator(emptyPad(twoSlotAxes()));
    EventScript s;
    s.at(0.00).land(0, 1, 200, 100).land(1, 2, 600, 300).fingers(3).report();
    s.at(0.01).slot(1).id(3).x(500).report();
    EXPECT_EQ(shapes(feedAll(translator, s.events())), (Shapes{"0:3 1:3 2:3", "0:4 1:5 2:4", "0:4 1:3 2:4"}));
}

TEST(EvdevTranslator, toolKeysHeldWhenOpened_countFromTheStart) {
    TouchpadSnapshot snapshot = emptyPad(twoSlotAxes());
    snapshot.slots[0] = SlotValues{4, 500, 250, 0, 0};
    snapshot.toolFingers = 3;
    snapshot.touching = true;
    EvdevTranslator translator(snapshot);
    const auto frame = translator.repeat(1.0);
    ASSERT_TRUE(frame);
    EXPECT_EQ(shape(*frame), "0:3 2:3 3:3");
}

TEST(EvdevTranslator, axesWithANonZeroMinimum_normaliseFromTheirMinimum) {
    // The ranges of a Synaptics PS/2 pad: X 1472…5590, Y 1408…4710.
    TouchpadAxes axes = padAxes();
    axes.x = {1472, 5590};
    axes.y = {1408, 4710};
    EvdevTranslator translator(emptyPad(axes));
    EventScript s;
    s.at(0).land(0, 1, 1472, 4710).land(1, 2, 5590, 1408).land(2, 3, 3531, 3059).report();
    const auto frames = feedAll(translator, s.events());
    ASSERT_EQ(frames.size(), 1u);
    const auto& t = frames[0].touches;
    ASSERT_EQ(t.size(), 3u);
    EXPECT_FLOAT_EQ(t[0].normalized.position.x, 0.0f);
    EXPECT_FLOAT_EQ(t[0].normalized.position.y, 0.0f);  // the edge near the user
    EXPECT_FLOAT_EQ(t[1].normalized.position.x, 1.0f);
    EXPECT_FLOAT_EQ(t[1].normalized.position.y, 1.0f);
    EXPECT_FLOAT_EQ(t[2].normalized.position.x, 0.5f);
    EXPECT_FLOAT_EQ(t[2].normalized.position.y, 0.5f);
}

TEST(EvdevTranslator, palms_areNoFingers) {
    TouchpadAxes withPressure = twoSlotAxes();
    withPressure.pressure = AxisRange{0, 255};
    struct Case {
        const char* name;
        TouchpadAxes axes;
        EventScript script;
        Shapes expected;
    };
    Case cases[] = {
        {"a palm by tool type never lands",
         twoSlotAxes(),
         EventScript().at(0).land(0, 1, 100, 100).land(1, 2, 600, 300).toolType(MT_TOOL_PALM).fingers(2).report()
             .at(0.01).lift(0).lift(1).fingers(0).report(),
         {"0:3", "0:5"}},
        {"a finger that turns out to be a palm lifts",
         twoSlotAxes(),
         EventScript().at(0).land(0, 1, 100, 100).land(1, 2, 600, 300).fingers(2).report()
             .at(0.01).slot(1).toolType(MT_TOOL_PALM).report()
             .at(0.02).slot(1).toolType(MT_TOOL_FINGER).report(),  // still the same contact: still a palm
         {"0:3 1:3", "0:4 1:5", "0:4"}},
        {"the next contact in a palm's slot is a finger again",
         twoSlotAxes(),
         EventScript().at(0).land(1, 2, 600, 300).toolType(MT_TOOL_PALM).fingers(1).report()
             .at(0.01).slot(1).id(-1).fingers(0).report()
             .at(0.02).slot(1).id(3).toolType(MT_TOOL_FINGER).fingers(1).report(),
         {"", "", "1:3"}},
        {"pressing at the palm threshold is a finger, past it a palm",
         withPressure,
         EventScript().at(0).land(0, 1, 100, 100).pressure(palmPressureThreshold).report()
             .at(0.01).pressure(palmPressureThreshold + 1).report()
             .at(0.02).pressure(40).report(),
         {"0:3", "0:5", ""}},
        {"a palm the tool keys count comes back as no counted finger",
         twoSlotAxes(),
         EventScript().at(0).land(0, 1, 100, 100).land(1, 2, 600, 300).toolType(MT_TOOL_PALM).fingers(3).report(),
         {"0:3 2:3"}},
    };
    for (auto& c : cases) {
        EvdevTranslator translator(emptyPad(c.axes));
        EXPECT_EQ(shapes(feedAll(translator, c.script.events())), c.expected) << c.name;
    }
}

TEST(EvdevTranslator, repeats_endAtTheSilenceLimitAndResumeWithTheNextReport) {
    EvdevTranslator translator(emptyPad());
    EventScript s;
    s.at(1.0).land(0, 1, 500, 250).report();
    feedAll(translator, s.take());
    EXPECT_EQ(translator.lastReportTime(), 1.0);
    double last = 1.0;
    while (const auto due = translator.nextRepeatTime()) {
        ASSERT_TRUE(translator.repeat(*due));
        last = *due;
    }
    // The last repeat falls at the limit (within one interval), none after it.
    EXPECT_LE(last, 1.0 + silentRepeatLimitSeconds);
    EXPECT_GT(last, 1.0 + silentRepeatLimitSeconds - repeatIntervalSeconds);
    EXPECT_FALSE(translator.repeat(1.0 + silentRepeatLimitSeconds + 1.0));
    EXPECT_TRUE(translator.anyDown());  // still down: nothing said it lifted

    s.at(5.0).x(510).report();
    EXPECT_EQ(shapes(feedAll(translator, s.take())), (Shapes{"0:4"}));
    EXPECT_EQ(translator.lastReportTime(), 5.0);
    EXPECT_DOUBLE_EQ(*translator.nextRepeatTime(), 5.0 + repeatIntervalSeconds);
}

TEST(TypingGuard, keepsNewTouchesQuietForAShortTimeAfterTyping) {
    struct Press {
        unsigned code;
        int value;
        double time;
    };
    struct Case {
        const char* name;
        std::vector<Press> keys;
        double touch;
        bool quiet;
    };
    const double once = typingQuietAfterKeySeconds;
    const double typing = typingQuietWhileTypingSeconds;
    const Case cases[] = {
        {"no key", {}, 0.0, false},
        {"a touch that began before the key", {{KEY_A, 1, 1.0}}, 0.99, false},
        {"a touch at the key press", {{KEY_A, 1, 1.0}}, 1.0, true},
        {"just inside the time after one key", {{KEY_A, 1, 1.0}}, 1.0 + once - 0.001, true},
        {"at the end of the time after one key", {{KEY_A, 1, 1.0}}, 1.0 + once, false},
        {"while typing: just inside the longer time", {{KEY_A, 1, 1.0}, {KEY_B, 1, 1.1}}, 1.1 + typing - 0.001, true},
        {"while typing: at its end", {{KEY_A, 1, 1.0}, {KEY_B, 1, 1.1}}, 1.1 + typing, false},
        {"a second key after the first time ended is a single key again", {{KEY_A, 1, 1.0}, {KEY_B, 1, 1.3}},
         1.3 + once, false},
        {"a key's release is no typing", {{KEY_A, 0, 1.0}}, 1.01, false},
        {"auto-repeat is typing", {{KEY_A, 2, 1.0}}, 1.01, true},
        {"Shift with a letter is typing", {{KEY_LEFTSHIFT, 1, 1.0}, {KEY_A, 1, 1.0}}, 1.01, true},
        {"modifiers alone are no typing", {{KEY_LEFTCTRL, 1, 1.0}, {KEY_LEFTSHIFT, 1, 1.0}, {KEY_LEFTMETA, 1, 1.0}},
         1.01, false},
        {"a shortcut is no typing", {{KEY_LEFTCTRL, 1, 1.0}, {KEY_C, 1, 1.05}}, 1.06, false},
        {"after the shortcut's modifier is up, typing counts again",
         {{KEY_LEFTCTRL, 1, 1.0}, {KEY_LEFTCTRL, 0, 1.02}, {KEY_C, 1, 1.05}}, 1.06, true},
        {"Escape, function and media keys are no typing", {{KEY_ESC, 1, 1.0}, {KEY_F5, 1, 1.0}, {KEY_VOLUMEUP, 1, 1.0}},
         1.01, false},
    };
    for (const auto& c : cases) {
        TypingGuard guard;
        for (const auto& k : c.keys) guard.key(7, k.code, k.value, k.time);
        EXPECT_EQ(guard.quiet(c.touch), c.quiet) << c.name;
    }
}

TEST(EvdevTranslator, touchesBeginningWhileTyping_areIgnoredUntilTheyLift) {
    TypingGuard guard;
    EvdevTranslator translator(emptyPad(), &guard);
    EventScript s;
    s.at(0.00).land(0, 1, 100, 100).report();  // before any key: a finger
    guard.key(1, KEY_A, 1, 0.05);
    s.at(0.10).land(1, 2, 500, 100).report();  // a thumb while typing: ignored
    s.at(0.30).slot(1).x(520).report();        // typing is over, but it is the same touch
    s.at(0.31).lift(1).report();
    s.at(0.32).land(1, 3, 600, 100).report();  // a new touch after typing: a finger
    EXPECT_EQ(shapes(feedAll(translator, s.events())), (Shapes{"0:3", "0:4", "0:4", "0:4", "0:4 1:3"}));
}
