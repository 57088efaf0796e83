#pragma once
// The geometry of window actions: which screen a window is on, and the rectangle a
// window command asks for. Everything is in Accessibility coordinates (origin at the
// top left of the primary screen, y growing downward); screens are given by their
// visible frames, in the system's order, the primary screen first.

#include <cstddef>
#include <optional>
#include <vector>

#include "Actions/Commands.h"
#include "Platform/Geometry.h"

namespace velorin {

struct WindowLayout {
    // From the screens' convention (origin bottom left, y up) to Accessibility coordinates.
    static Rect axRect(const Rect& appKitRect, double primaryHeight);

    // The screen the window overlaps most (the earliest on a tie); for a window on no
    // screen, the one whose centre is nearest. Nothing for an empty list.
    static std::optional<std::size_t> screenIndex(const Rect& window, const std::vector<Rect>& screens);

    // The target rectangle, or nothing: no screens, one screen for `nextDisplay`, or a
    // screen of no area (which has no layout to give).
    static std::optional<Rect> frame(WindowCommand command, const Rect& window, const std::vector<Rect>& screens);
};

}  // namespace velorin
