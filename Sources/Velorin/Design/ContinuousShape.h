#pragma once
// Rounded rectangles and capsules with continuous corners: the curvature
// eases in along each edge instead of jumping from straight to circular, the
// corner style every rounded shape of the interface uses.

#include <QPainterPath>
#include <QRectF>

namespace velorin {

// How far along each edge a continuous corner of radius 1 reaches.
inline constexpr double continuousCornerReach = 1.52866483;

// A rounded rectangle whose corners of `radius` are continuous. When the
// rectangle is too small for continuous corners of that radius, the corners
// become circular arcs of at most half the shorter side (a capsule at the limit).
QPainterPath continuousRoundedRect(const QRectF& rect, double radius);

// The capsule that fits `rect`: semicircular ends along its longer side.
QPainterPath continuousCapsule(const QRectF& rect);

}  // namespace velorin
