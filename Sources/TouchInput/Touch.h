#pragma once
// What a touchpad reports: the stage of one contact, one contact in one frame,
// and everything one touchpad reported at one instant. Plain values, safe to
// hand from the framework's thread to any other.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace velorin {

// The framework's contact stage numbers.
enum class TouchState : std::int32_t {
    notTracking = 0,
    startInRange = 1,
    hoverInRange = 2,
    makeTouch = 3,
    touching = 4,
    breakTouch = 5,
    lingerInRange = 6,
    outOfRange = 7,
};

// The stage for a framework number; nothing for numbers outside 0…7.
std::optional<TouchState> touchStateFromRaw(std::int32_t raw);
constexpr std::int32_t rawValue(TouchState s) { return static_cast<std::int32_t>(s); }
constexpr bool isDown(TouchState s) { return s == TouchState::makeTouch || s == TouchState::touching; }

struct Touch {
    std::int32_t id = 0;  // the contact's path index, stable while it stays in range
    TouchState state = TouchState::notTracking;
    float x = 0;  // 0 at the left edge, 1 at the right
    float y = 0;  // 0 at the edge near the user, 1 at the far edge
    float vx = 0;
    float vy = 0;
    float size = 0;

    bool isDown() const { return velorin::isDown(state); }
    bool operator==(const Touch&) const = default;
};

struct TouchFrame {
    long device = -1;        // index in the device list at start; -1 when not in it
    double timestamp = 0;    // seconds on the framework's clock
    std::vector<Touch> touches;  // every contact reported, down or not

    int fingersDown() const;
    bool operator==(const TouchFrame&) const = default;
};

}  // namespace velorin
