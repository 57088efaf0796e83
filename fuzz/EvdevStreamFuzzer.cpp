// Any event stream a touchpad's driver can send, into the evdev translation:
// out-of-range slots and axis values, tracking ids that repeat, reports that
// never come, SYN_DROPPED anywhere. Whatever it is, every frame delivered keeps
// the framework's promises: positions on the pad and finite, sizes and
// velocities finite, times never going backwards, no more fingers down than
// the pad can count, and every finger that went down lifts when the device goes.
//
// Input: a 16-byte description of the pad, then 8-byte events
// (type, code: one byte each; value: int32; time step in ms: uint16).

#include <linux/input.h>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>

#include "MultitouchSupport/EvdevTranslator.h"

using namespace velorin::multitouch;

namespace {

struct Bytes {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;
    template <typename T>
    T take() {
        T value{};
        if (at + sizeof value <= size) std::memcpy(&value, data + at, sizeof value);
        at += sizeof value;
        return value;
    }
    bool more(std::size_t n) const { return at + n <= size; }
};

// The event types and codes a touchpad sends, chosen by one byte each so the
// fuzzer reaches them quickly.
constexpr std::uint16_t types[] = {EV_SYN, EV_KEY, EV_ABS, EV_MSC};
constexpr std::uint16_t absCodes[] = {ABS_MT_SLOT,     ABS_MT_TRACKING_ID, ABS_MT_POSITION_X, ABS_MT_POSITION_Y,
                                      ABS_MT_PRESSURE, ABS_MT_TOUCH_MAJOR, ABS_MT_TOOL_TYPE,  ABS_X,
                                      ABS_Y,           ABS_PRESSURE};
constexpr std::uint16_t keyCodes[] = {BTN_TOUCH,          BTN_TOOL_FINGER,    BTN_TOOL_DOUBLETAP, BTN_TOOL_TRIPLETAP,
                                      BTN_TOOL_QUADTAP,   BTN_TOOL_QUINTTAP,  BTN_LEFT,           BTN_TOOL_PEN};
constexpr std::uint16_t synCodes[] = {SYN_REPORT, SYN_DROPPED, SYN_CONFIG, SYN_MT_REPORT};

template <typename T, std::size_t N>
T pick(const T (&table)[N], std::uint8_t byte) {
    return table[byte % N];
}

struct Checker {
    int slotCount = 1;
    double lastTime = -INFINITY;
    std::set<std::int32_t> down;  // path indices down after the last frame

    void check(const ContactFrame& frame) {
        if (!std::isfinite(frame.timestamp) || frame.timestamp < lastTime) std::abort();
        lastTime = frame.timestamp;
        int fingersDown = 0;
        std::set<std::int32_t> seen;
        for (const MTTouch& t : frame.touches) {
            const float values[] = {t.normalized.position.x, t.normalized.position.y, t.normalized.velocity.x,
                                    t.normalized.velocity.y, t.zTotal};
            for (float v : values) {
                if (!std::isfinite(v)) std::abort();
            }
            if (t.normalized.position.x < 0 || t.normalized.position.x > 1) std::abort();
            if (t.normalized.position.y < 0 || t.normalized.position.y > 1) std::abort();
            if (!seen.insert(t.pathIndex).second) std::abort();  // one record per contact
            if (t.state == 3 || t.state == 4) {
                ++fingersDown;
                down.insert(t.pathIndex);
            } else {
                down.erase(t.pathIndex);
            }
        }
        if (fingersDown > std::max(slotCount, maxToolFingers)) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in{data, size};
    if (!in.more(16)) return 0;
    TouchpadSnapshot snapshot;
    snapshot.axes.slotCount = 1 + in.take<std::uint8_t>() % 12;
    const auto flags = in.take<std::uint8_t>();
    snapshot.axes.semiMultitouch = flags & 1;
    snapshot.axes.touchButton = flags & 2;
    snapshot.axes.x = {in.take<std::int16_t>(), in.take<std::int16_t>()};
    snapshot.axes.y = {in.take<std::int16_t>(), in.take<std::int16_t>()};
    const auto pressureMax = in.take<std::int16_t>();
    if (flags & 4) snapshot.axes.pressure = AxisRange{0, pressureMax};
    const auto majorMax = in.take<std::int16_t>();
    if (flags & 8) snapshot.axes.touchMajor = AxisRange{0, majorMax};
    snapshot.toolFingers = in.take<std::uint8_t>() % 7;
    (void)in.take<std::uint8_t>();

    EvdevTranslator translator(snapshot);
    Checker checker;
    checker.slotCount = std::clamp(snapshot.axes.slotCount, 1, 64);
    double now = 0;
    while (in.more(8)) {
        const auto typeByte = in.take<std::uint8_t>();
        const auto codeByte = in.take<std::uint8_t>();
        const auto value = in.take<std::int32_t>();
        const auto stepMs = in.take<std::uint16_t>();
        // A step of 0xFFFF stands for the device staying silent: ask for the repeat instead.
        if (stepMs == 0xFFFF) {
            if (auto at = translator.nextRepeatTime()) {
                if (!std::isfinite(*at)) std::abort();
                if (auto frame = translator.repeat(std::max(now, *at))) checker.check(*frame);
            }
            continue;
        }
        now += stepMs / 1000.0;
        input_event event{};
        event.input_event_sec = static_cast<decltype(event.input_event_sec)>(now);
        event.input_event_usec =
            static_cast<decltype(event.input_event_usec)>((now - std::floor(now)) * 1e6);
        event.type = pick(types, typeByte);
        switch (event.type) {
            case EV_ABS: event.code = pick(absCodes, codeByte); break;
            case EV_KEY: event.code = pick(keyCodes, codeByte); break;
            case EV_SYN: event.code = pick(synCodes, codeByte); break;
            default: event.code = codeByte; break;
        }
        event.value = value;
        for (const auto& frame : translator.feed(event)) checker.check(frame);
    }
    // The device goes away: whatever is down lifts.
    if (auto frame = translator.liftAll(now + 1)) checker.check(*frame);
    if (translator.anyDown() || !checker.down.empty()) std::abort();
    return 0;
}
