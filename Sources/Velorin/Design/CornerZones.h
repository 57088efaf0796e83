#pragma once
// The four corner-tap zones drawn over a pad: rounded rectangles of the
// corner size (a fraction of the pad's width and height), each kept 8 points
// in from the two edges of its corner, faintly filled and outlined with a
// dashed line. Geometry is a pure function; the pad paints it.

#include "Velorin/Design/Color.h"

#include <QRectF>
#include <QSizeF>

#include <array>

class QPainter;

namespace velorin {

struct CornerZones {
    static constexpr double inset = 8;            // points from each edge of the corner
    static constexpr double radius = 14;          // points, continuous corners
    static constexpr double fillOpacity = 0.18;   // of Theme.warmWhite
    static constexpr double strokeOpacity = 0.3;  // of Theme.ink
    static constexpr double strokeWidth = 1;
    static constexpr double dash = 4;  // points on, then as many off

    // The corner size as a fraction of the pad (the configuration's `cornerSize`).
    double size = 0;

    // Zones 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right, in the
    // pad's coordinates (origin at its top-left corner). A size that is not a
    // finite number, or is negative, draws no zones (empty rectangles).
    std::array<QRectF, 4> zones(const QSizeF& pad) const;

    // Paints the zones over a pad at `pad`.
    void paint(QPainter& painter, const QRectF& pad, const ColorEnvironment& environment) const;
};

}  // namespace velorin
