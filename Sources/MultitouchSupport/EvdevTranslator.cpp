#include "MultitouchSupport/EvdevTranslator.h"

#include <algorithm>
#include <limits>

namespace velorin::multitouch {

namespace {

// More slots than any touchpad has; guards against a bogus axis range.
constexpr int maxSlots = 64;

float fraction(int value, const AxisRange& range) {
    const double span = static_cast<double>(range.maximum) - range.minimum;
    if (span <= 0) return 0;
    return static_cast<float>(std::clamp((value - static_cast<double>(range.minimum)) / span, 0.0, 1.0));
}

// The finger count a BTN_TOOL_* key stands for; 0 for other keys.
int toolFingersOf(unsigned code) {
    switch (code) {
        case BTN_TOOL_FINGER: return 1;
        case BTN_TOOL_DOUBLETAP: return 2;
        case BTN_TOOL_TRIPLETAP: return 3;
        case BTN_TOOL_QUADTAP: return 4;
        case BTN_TOOL_QUINTTAP: return 5;
        default: return 0;
    }
}

double secondsOf(const input_event& event) {
    return static_cast<double>(event.input_event_sec) + static_cast<double>(event.input_event_usec) * 1e-6;
}

}  // namespace

EvdevTranslator::EvdevTranslator(TouchpadSnapshot snapshot, const TypingGuard* typing)
    : axes_(snapshot.axes), currentSlot_(snapshot.currentSlot), typing_(typing) {
    const int count = std::clamp(axes_.slotCount, 1, maxSlots);
    axes_.slotCount = count;
    slots_ = std::move(snapshot.slots);
    slots_.resize(static_cast<std::size_t>(count));
    liftedInReport_.assign(static_cast<std::size_t>(count), false);
    // The kernel keeps a slot's last position; zeroes in both mean none was ever reported.
    for (const SlotValues& values : slots_) positioned_.push_back(values.x != 0 || values.y != 0);
    ignored_.assign(static_cast<std::size_t>(count), false);
    reported_.assign(static_cast<std::size_t>(count + maxToolFingers - 1), Contact{});
    const int held = std::clamp(snapshot.toolFingers, 0, maxToolFingers);
    if (held > 0) toolKeys_ = 1u << (held - 1);
    touching_ = snapshot.touching;
    openPending_ = std::any_of(slots_.begin(), slots_.end(), [](const SlotValues& s) { return s.trackingId >= 0; });
}

std::vector<ContactFrame> EvdevTranslator::feed(const input_event& event) {
    std::vector<ContactFrame> frames;
    if (event.type == EV_KEY) {
        if (event.code == BTN_TOUCH) touching_ = event.value != 0;
        const int fingers = toolFingersOf(event.code);
        if (fingers > 0) {
            const unsigned bit = 1u << (fingers - 1);
            toolKeys_ = event.value != 0 ? (toolKeys_ | bit) : (toolKeys_ & ~bit);
        }
        return frames;
    }
    if (event.type == EV_ABS) {
        openPending_ = false;
        if (event.code == ABS_MT_SLOT) {
            currentSlot_ = event.value;
            return frames;
        }
        // Events for a slot the pad did not announce are dropped, as the kernel would.
        if (currentSlot_ < 0 || currentSlot_ >= axes_.slotCount) return frames;
        const auto slot = static_cast<std::size_t>(currentSlot_);
        SlotValues& values = slots_[slot];
        switch (event.code) {
            case ABS_MT_TRACKING_ID:
                if (event.value < 0) {
                    if (reported_[slot].trackingId >= 0) liftedInReport_[slot] = true;
                    values.trackingId = -1;
                } else {
                    values.trackingId = event.value;
                }
                ignored_[slot] = false;  // a palm is one contact; whatever touches next starts afresh
                break;
            case ABS_MT_POSITION_X:
                values.x = event.value;
                positioned_[slot] = true;
                break;
            case ABS_MT_POSITION_Y:
                values.y = event.value;
                positioned_[slot] = true;
                break;
            case ABS_MT_PRESSURE: values.pressure = event.value; break;
            case ABS_MT_TOUCH_MAJOR: values.touchMajor = event.value; break;
            case ABS_MT_TOOL_TYPE: values.toolType = event.value; break;
            default: break;
        }
        return frames;
    }
    // SYN_DROPPED needs nothing here: libevdev follows it with the events that bring the
    // state up to date, ended by a SYN_REPORT.
    if (event.type != EV_SYN || event.code != SYN_REPORT) return frames;
    openPending_ = false;

    // Frame times never run backwards, even when a repeat frame was stamped just after
    // an event that the kernel had already timestamped.
    const double time = std::max(secondsOf(event), lastFrameTime_);
    lastReportTime_ = time;
    bool anyReplaced = false;
    for (int s = 0; s < axes_.slotCount; ++s) anyReplaced = anyReplaced || replaced(s);
    if (anyReplaced) frames.push_back(build(time, Pass::liftReplaced));
    frames.push_back(build(time, Pass::full));
    std::fill(liftedInReport_.begin(), liftedInReport_.end(), false);
    return frames;
}

bool EvdevTranslator::replaced(int slot) const {
    const auto s = static_cast<std::size_t>(slot);
    const int now = slots_[s].trackingId;
    const int before = reported_[s].trackingId;
    return before >= 0 && now >= 0 && (now != before || liftedInReport_[s]);
}

bool EvdevTranslator::anyDown() const {
    return std::any_of(reported_.begin(), reported_.end(), [](const Contact& c) { return c.trackingId >= 0; });
}

std::optional<double> EvdevTranslator::nextRepeatTime() const {
    // Fingers that were down when the device was opened are reported at once.
    if (openPending_) return -std::numeric_limits<double>::infinity();
    if (!anyDown()) return std::nullopt;
    const double due = lastFrameTime_ + repeatIntervalSeconds;
    if (due > lastReportTime_ + silentRepeatLimitSeconds) return std::nullopt;
    return due;
}

std::optional<double> EvdevTranslator::lastReportTime() const {
    if (!anyDown()) return std::nullopt;
    return lastReportTime_;
}

std::optional<ContactFrame> EvdevTranslator::repeat(double now) {
    if (openPending_) {
        openPending_ = false;
        lastReportTime_ = std::max(now, lastFrameTime_);
        return build(lastReportTime_, Pass::full);
    }
    const auto due = nextRepeatTime();
    if (!due || now < *due) return std::nullopt;
    ContactFrame frame;
    frame.timestamp = now;
    frame.frameNumber = ++frameNumber_;
    for (std::size_t i = 0; i < reported_.size(); ++i) {
        Contact& contact = reported_[i];
        if (contact.trackingId < 0) continue;
        contact.vx = 0;
        contact.vy = 0;
        frame.touches.push_back(record(static_cast<int>(i), contact, MTTouchStateTouching, now));
    }
    lastFrameTime_ = now;
    return frame;
}

std::optional<ContactFrame> EvdevTranslator::liftAll(double now) {
    for (auto& values : slots_) values.trackingId = -1;
    toolKeys_ = 0;
    touching_ = false;
    std::fill(liftedInReport_.begin(), liftedInReport_.end(), false);
    openPending_ = false;
    if (!anyDown()) return std::nullopt;
    return build(std::max(now, lastFrameTime_), Pass::full);
}

ContactFrame EvdevTranslator::build(double timestamp, Pass pass) {
    ContactFrame frame;
    frame.timestamp = timestamp;
    frame.frameNumber = ++frameNumber_;
    const double dt = timestamp - lastFrameTime_;
    int tracked = 0;  // slots with a contact and a position, palms included: what BTN_TOOL_* counts too
    int fingers = 0;  // of those, the fingers
    for (int s = 0; s < axes_.slotCount; ++s) {
        const auto slot = static_cast<std::size_t>(s);
        const SlotValues& values = slots_[slot];
        Contact& contact = reported_[slot];
        int current = positioned_[slot] ? values.trackingId : -1;
        switch (pass) {
            case Pass::liftReplaced:
                if (replaced(s)) current = -1;
                break;
            case Pass::full: break;
        }
        const bool wasDown = contact.trackingId >= 0;
        if (current >= 0) {
            ++tracked;
            if (isPalm(s)) ignored_[slot] = true;
            // A touch that begins just after a key press is a hand brushing the pad.
            if (!wasDown && typing_ && typing_->quiet(timestamp)) ignored_[slot] = true;
            if (ignored_[slot]) current = -1;  // no finger: lifts if it was one, never lands otherwise
        }
        if (!wasDown && current < 0) continue;
        if (current < 0) {
            contact.vx = 0;
            contact.vy = 0;
            frame.touches.push_back(record(s, contact, MTTouchStateBreakTouch, timestamp));
            contact.trackingId = -1;
            continue;
        }
        ++fingers;
        Contact next;
        next.trackingId = current;
        next.x = normalisedX(values.x);
        next.y = normalisedY(values.y);
        next.size = sizeOf(values);
        if (wasDown && dt > 0) {
            next.vx = static_cast<float>((next.x - contact.x) / dt);
            next.vy = static_cast<float>((next.y - contact.y) / dt);
        } else if (wasDown) {
            next.vx = contact.vx;
            next.vy = contact.vy;
        }
        contact = next;
        const std::int32_t state = wasDown ? MTTouchStateTouching : MTTouchStateMakeTouch;
        frame.touches.push_back(record(s, contact, state, timestamp));
    }
    buildCounted(frame, timestamp, pass, tracked, fingers);
    lastFrameTime_ = timestamp;
    return frame;
}

// The fingers BTN_TOOL_* counts beyond the tracked ones. On a semi-MT pad the two slots are
// the corners of the box around the fingers: they serve as they are, for the count (a third
// finger is counted here) and for the travel (the box's corners move as the hand does), and
// the centroid below is the box's centre.
void EvdevTranslator::buildCounted(ContactFrame& frame, double timestamp, Pass pass, int tracked, int fingers) {
    int wanted = 0;
    switch (pass) {
        case Pass::liftReplaced: {
            // The slots' replacement is no change of count: the counted fingers stay as they are.
            for (std::size_t i = static_cast<std::size_t>(axes_.slotCount); i < reported_.size(); ++i) {
                if (reported_[i].trackingId >= 0) ++wanted;
            }
            break;
        }
        case Pass::full:
            // Without a tracked finger there is nowhere to put them; while only hovering, none.
            if (fingers > 0 && (touching_ || !axes_.touchButton)) wanted = std::max(0, toolCount() - tracked);
            break;
    }
    float x = 0, y = 0, vx = 0, vy = 0, size = 0;
    for (int s = 0; s < axes_.slotCount; ++s) {
        const Contact& c = reported_[static_cast<std::size_t>(s)];
        if (c.trackingId < 0) continue;
        x += c.x;
        y += c.y;
        vx += c.vx;
        vy += c.vy;
        size += c.size;
    }
    const float n = static_cast<float>(std::max(fingers, 1));
    for (std::size_t i = static_cast<std::size_t>(axes_.slotCount); i < reported_.size(); ++i) {
        Contact& contact = reported_[i];
        const int index = static_cast<int>(i);
        const bool wasDown = contact.trackingId >= 0;
        const bool down = index - axes_.slotCount < wanted;
        if (!down) {
            if (!wasDown) continue;
            contact.vx = 0;
            contact.vy = 0;
            frame.touches.push_back(record(index, contact, MTTouchStateBreakTouch, timestamp));
            contact.trackingId = -1;
            continue;
        }
        if (pass == Pass::full || !wasDown) {
            contact.trackingId = index;
            contact.x = x / n;
            contact.y = y / n;
            contact.vx = vx / n;
            contact.vy = vy / n;
            contact.size = size / n;
        }
        frame.touches.push_back(record(index, contact, wasDown ? MTTouchStateTouching : MTTouchStateMakeTouch, timestamp));
    }
}

bool EvdevTranslator::isPalm(int slot) const {
    const auto s = static_cast<std::size_t>(slot);
    if (slots_[s].toolType == MT_TOOL_PALM) return true;
    return axes_.pressure && slots_[s].pressure > palmPressureThreshold;
}

int EvdevTranslator::toolCount() const {
    for (int fingers = maxToolFingers; fingers > 0; --fingers) {
        if (toolKeys_ & (1u << (fingers - 1))) return fingers;
    }
    return 0;
}

MTTouch EvdevTranslator::record(int slot, const Contact& contact, std::int32_t state, double timestamp) const {
    MTTouch t{};
    t.frame = frameNumber_;
    t.timestamp = timestamp;
    t.pathIndex = slot;
    t.state = state;
    t.normalized.position = {contact.x, contact.y};
    t.normalized.velocity = {contact.vx, contact.vy};
    t.zTotal = contact.size;
    return t;
}

float EvdevTranslator::normalisedX(int value) const { return fraction(value, axes_.x); }

// evdev's y grows towards the user; the frame's origin is at the edge near the user.
float EvdevTranslator::normalisedY(int value) const { return 1.0f - fraction(value, axes_.y); }

float EvdevTranslator::sizeOf(const SlotValues& values) const {
    if (axes_.pressure && axes_.pressure->maximum > axes_.pressure->minimum) {
        return fraction(values.pressure, *axes_.pressure);
    }
    if (axes_.touchMajor && axes_.touchMajor->maximum > 0) {
        return fraction(values.touchMajor, AxisRange{0, axes_.touchMajor->maximum});
    }
    return nominalContactSize;
}

}  // namespace velorin::multitouch
