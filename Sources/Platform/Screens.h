#pragma once
// The screens, in the bottom-left convention: the origin is the bottom left of
// the primary screen (the first in the list) and y grows upward.

#include "Platform/Geometry.h"

#include <optional>
#include <vector>

namespace velorin {

struct Screen {
    Rect frame;
    // The part not covered by the menu bar and the Dock (panels on Linux).
    Rect visibleFrame;
    bool operator==(const Screen&) const = default;
};

class Screens {
public:
    virtual ~Screens() = default;

    // In the system's order; the first is the primary screen.
    virtual std::vector<Screen> screens() = 0;
    // The screen with the key window, else the primary one; absent without screens.
    virtual std::optional<Screen> mainScreen() = 0;
    // The mouse pointer in global screen coordinates.
    virtual Point mouseLocation() = 0;
};

}  // namespace velorin
