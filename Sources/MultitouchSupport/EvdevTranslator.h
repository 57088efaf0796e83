#pragma once
// Turns a touchpad's evdev events (multitouch protocol B) into contact frames.
// Slot state is updated event by event and one frame is built per SYN_REPORT, so
// a frame is never half-updated. No clock and no device: times come with the
// events, and the silent-finger repeat is asked for with the caller's time.

#include <linux/input.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "MultitouchSupport/MultitouchSupport.h"
#include "MultitouchSupport/TypingGuard.h"

namespace velorin::multitouch {

struct AxisRange {
    int minimum = 0;
    int maximum = 0;
    bool operator==(const AxisRange&) const = default;
};

// What a touchpad reports its axes as (from its absinfo).
struct TouchpadAxes {
    AxisRange x;
    AxisRange y;
    std::optional<AxisRange> pressure;    // ABS_MT_PRESSURE, when the pad has it
    std::optional<AxisRange> touchMajor;  // ABS_MT_TOUCH_MAJOR, when the pad has it
    int slotCount = 1;
    // INPUT_PROP_SEMI_MT: the slots are the corners of a box around the fingers, not fingers.
    bool semiMultitouch = false;
    // BTN_TOUCH: the pad says when something touches rather than hovers.
    bool touchButton = false;
    bool operator==(const TouchpadAxes&) const = default;
};

// One slot's values as evdev last set them.
struct SlotValues {
    int trackingId = -1;  // -1: no contact in the slot
    int x = 0;
    int y = 0;
    int pressure = 0;
    int touchMajor = 0;
    int toolType = 0;  // ABS_MT_TOOL_TYPE: MT_TOOL_FINGER, MT_TOOL_PALM, …
    bool operator==(const SlotValues&) const = default;
};

// The device's state when it was opened: fingers may already be down.
struct TouchpadSnapshot {
    TouchpadAxes axes;
    int currentSlot = 0;
    std::vector<SlotValues> slots;  // one per slot; missing ones read as empty
    int toolFingers = 0;            // the fingers BTN_TOOL_* counts now (0: none, or it does not count)
    bool touching = false;          // BTN_TOUCH is down
};

// The records of one frame, ready for the contact-frame callback.
struct ContactFrame {
    double timestamp = 0;  // seconds, on the events' clock
    int frameNumber = 0;
    std::vector<MTTouch> touches;
};

// While a finger is down and the device sends nothing, the frame is repeated this often
// (a finger held perfectly still sends nothing, and holds must still be seen).
inline constexpr double repeatIntervalSeconds = 0.010;

// Repeats end this long after the device's last report: long enough for a hold of the
// usual durations under a finger that rests perfectly still, short of a phantom hold going
// on for ever when the device falls silent for another reason. A finger that really rests
// is seen again with the device's next report (any change of position, pressure or size).
inline constexpr double silentRepeatLimitSeconds = 2.0;

// Size given to a contact when the pad reports neither pressure nor touch size.
inline constexpr float nominalContactSize = 1.0f;

// The most fingers BTN_TOOL_* can count (BTN_TOOL_QUINTTAP).
inline constexpr int maxToolFingers = 5;

// A contact pressing harder than this (in the pad's own ABS_MT_PRESSURE units) is a palm,
// as libinput takes it where no device quirk says otherwise.
inline constexpr int palmPressureThreshold = 130;

// How fingers are counted: every slot with a tracking id and a position is a finger, unless
// it is a palm (ABS_MT_TOOL_TYPE is MT_TOOL_PALM, or it pressed past palmPressureThreshold);
// a slot that has an id but no position yet is not delivered. When BTN_TOOL_* counts more
// fingers than that (the pad tracks fewer fingers than touch it), the missing ones are
// delivered too, after the slots: at the centroid of the tracked fingers, moving with it,
// with path indices from slotCount up, kept while the count holds and lifted when it falls.
// A contact that begins while the typing guard is quiet is ignored until it lifts.
class EvdevTranslator {
public:
    // `typing`, when given, must outlive the translator.
    explicit EvdevTranslator(TouchpadSnapshot snapshot, const TypingGuard* typing = nullptr);

    // Applies one event. A SYN_REPORT completes a frame; when a slot's finger was replaced
    // by another within one report, the old one lifts in a frame of its own first, so it
    // gives two frames with the same time.
    std::vector<ContactFrame> feed(const input_event& event);

    // When a repeat frame is due (no frame for repeatIntervalSeconds while a finger is down,
    // within silentRepeatLimitSeconds of the device's last report).
    std::optional<double> nextRepeatTime() const;
    // While a finger is down: when the device last reported.
    std::optional<double> lastReportTime() const;
    // The repeat frame at `now`, when one is due by then: the down fingers, unmoved.
    std::optional<ContactFrame> repeat(double now);
    // The device went away: every finger still down lifts at `now`.
    std::optional<ContactFrame> liftAll(double now);

    bool anyDown() const;

private:
    struct Contact {
        int trackingId = -1;  // -1: nothing reported in this slot last frame
        float x = 0;
        float y = 0;
        float vx = 0;
        float vy = 0;
        float size = 0;
    };
    enum class Pass { liftReplaced, full };

    ContactFrame build(double timestamp, Pass pass);
    void buildCounted(ContactFrame& frame, double timestamp, Pass pass, int tracked, int fingers);
    MTTouch record(int slot, const Contact& contact, std::int32_t state, double timestamp) const;
    float normalisedX(int value) const;
    float normalisedY(int value) const;
    float sizeOf(const SlotValues& values) const;
    bool replaced(int slot) const;
    bool isPalm(int slot) const;
    int toolCount() const;

    TouchpadAxes axes_;
    int currentSlot_;
    std::vector<SlotValues> slots_;     // as the events set them
    std::vector<bool> liftedInReport_;  // the slot's contact ended during the current report
    std::vector<bool> positioned_;      // the slot has had a position since the device opened
    std::vector<bool> ignored_;         // the slot's contact is a palm, or began while typing; until it lifts
    const TypingGuard* typing_;
    std::vector<Contact> reported_;     // as the last frame reported them: the slots, then the counted fingers
    unsigned toolKeys_ = 0;             // BTN_TOOL_FINGER … BTN_TOOL_QUINTTAP held, bit 0 for one finger
    bool touching_ = false;             // BTN_TOUCH
    bool openPending_ = false;          // fingers were down at open and no event came since
    double lastFrameTime_ = 0;
    double lastReportTime_ = 0;         // the device's last SYN_REPORT, or the first frame after opening
    int frameNumber_ = 0;
};

}  // namespace velorin::multitouch
