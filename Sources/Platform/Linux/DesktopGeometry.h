#pragma once
// One unit system for screens and windows. The X server places everything in
// root-window pixels (origin at the top left of the whole desktop, y down);
// the system wants points with the origin at the primary screen: its top left
// for window frames, its bottom left for screens. Device pixels become points
// by the primary screen's scale.

#include <optional>

#include "Platform/Geometry.h"

namespace velorin::linux_platform {

struct DesktopUnits {
    Rect primary{{0, 0}, {0, 0}};  // the primary screen, root-window pixels
    double scale = 1;              // device pixels per point
    bool operator==(const DesktopUnits&) const = default;

    // Root-window pixels ↔ points from the primary screen's top left, y down.
    Point topLeftPoint(Point rootPixel) const;
    Point rootPixel(Point topLeftPoint) const;
    Size points(Size pixels) const;
    Size pixels(Size points) const;
    // A rectangle of root-window pixels in points from the primary screen's
    // bottom left, y up.
    Rect bottomLeftRect(const Rect& rootPixels) const;
    Point bottomLeftPoint(Point rootPixel) const;
};

// How far a window's frame reaches past its client area on each side.
struct FrameEdges {
    double left = 0, right = 0, top = 0, bottom = 0;
    bool operator==(const FrameEdges&) const = default;
};

// A client window as the window manager frames it, in root-window pixels. The
// window manager's decorations lie outside the client area; a client that
// draws its own decorations (GTK's client-side ones) keeps an invisible
// shadow inside it. The frame the user sees, and the one laid out, is the
// client grown by the decorations and shrunk by the shadow.
struct WindowParts {
    Rect client;
    FrameEdges decorations;  // _NET_FRAME_EXTENTS
    FrameEdges shadow;       // _GTK_FRAME_EXTENTS

    Rect visibleFrame() const;
    // Where the window manager's outer frame goes for the visible frame to
    // start at `visibleTopLeft`; what the client measures for it to be `visible`.
    Point outerOrigin(Point visibleTopLeft) const;
    Size clientSize(Size visible) const;
    Size visibleSize(Size client) const;
};

// The decorations around a client that its window manager's frame window
// `outer` holds: what _NET_FRAME_EXTENTS declares, which leaves out the
// invisible borders some window managers keep for resizing, yet never more
// than the frame window reaches past the client, since a declaration can
// outlive the decorations it names; the frame window's reach where nothing
// is declared.
FrameEdges decorationsWithin(const Rect& client, const Rect& outer, const std::optional<FrameEdges>& declared);

// The client's WM_NORMAL_HINTS on size, in pixels.
struct SizeHints {
    std::optional<Size> minimum, maximum, base, increment;
};

// The client size a window manager gives for a requested one: within the
// minimum and maximum, and a whole number of increments above the base.
Size constrainedClientSize(Size requested, const SizeHints& hints);

}  // namespace velorin::linux_platform
