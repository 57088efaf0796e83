#pragma once
// Small evdev event sequences written the way a touchpad sends them.

#include <linux/input.h>

#include <vector>

namespace velorin::testing {

class EventScript {
public:
    EventScript& at(double seconds) {
        time_ = seconds;
        return *this;
    }
    EventScript& slot(int s) { return abs(ABS_MT_SLOT, s); }
    EventScript& id(int trackingId) { return abs(ABS_MT_TRACKING_ID, trackingId); }
    EventScript& x(int v) { return abs(ABS_MT_POSITION_X, v); }
    EventScript& y(int v) { return abs(ABS_MT_POSITION_Y, v); }
    EventScript& pressure(int v) { return abs(ABS_MT_PRESSURE, v); }
    EventScript& major(int v) { return abs(ABS_MT_TOUCH_MAJOR, v); }
    // A new finger in the current slot.
    EventScript& land(int slotIndex, int trackingId, int px, int py) { return slot(slotIndex).id(trackingId).x(px).y(py); }
    EventScript& lift(int slotIndex) { return slot(slotIndex).id(-1); }
    EventScript& toolType(int v) { return abs(ABS_MT_TOOL_TYPE, v); }
    EventScript& key(int code, bool down) { return event(EV_KEY, code, down ? 1 : 0); }
    // BTN_TOUCH and the BTN_TOOL_* key for `fingers` (0: none), the others up, as the kernel sends them.
    EventScript& fingers(int count) {
        const int tools[] = {BTN_TOOL_FINGER, BTN_TOOL_DOUBLETAP, BTN_TOOL_TRIPLETAP, BTN_TOOL_QUADTAP, BTN_TOOL_QUINTTAP};
        for (int i = 0; i < 5; ++i) {
            if (i + 1 != count) key(tools[i], false);
        }
        if (count > 0) key(tools[count - 1], true);
        return key(BTN_TOUCH, count > 0);
    }
    EventScript& report() { return event(EV_SYN, SYN_REPORT, 0); }
    EventScript& dropped() { return event(EV_SYN, SYN_DROPPED, 0); }
    EventScript& event(int type, int code, int value) {
        input_event e{};
        const auto micros = static_cast<long long>(time_ * 1e6 + 0.5);
        e.input_event_sec = static_cast<decltype(e.input_event_sec)>(micros / 1000000);
        e.input_event_usec = static_cast<decltype(e.input_event_usec)>(micros % 1000000);
        e.type = static_cast<decltype(e.type)>(type);
        e.code = static_cast<decltype(e.code)>(code);
        e.value = value;
        events_.push_back(e);
        return *this;
    }

    const std::vector<input_event>& events() const { return events_; }
    std::vector<input_event> take() {
        auto out = std::move(events_);
        events_.clear();
        return out;
    }

private:
    EventScript& abs(int code, int value) { return event(EV_ABS, code, value); }

    double time_ = 0;
    std::vector<input_event> events_;
};

}  // namespace velorin::testing
