#pragma once
// One unit system for screens and windows. The X server places everything in
// root-window pixels (origin at the top left of the whole desktop, y down);
// the system wants points with the origin at the primary screen: its top left
// for window frames, its bottom left for screens. Device pixels become points
// by the primary screen's scale.

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

}  // namespace velorin::linux_platform
