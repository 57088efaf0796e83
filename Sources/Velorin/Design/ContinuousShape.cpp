#include "Velorin/Design/ContinuousShape.h"

#include <algorithm>

namespace velorin {

namespace {
// Control points of one continuous corner of radius 1, measured from the
// corner: the curve leaves the top edge at `reach` and meets the side edge at
// `reach`, through two intermediate points, in three cubic segments.
constexpr double a = continuousCornerReach;
constexpr double b = 1.08849323;
constexpr double c = 0.86840689;
constexpr double d = 0.63149399;
constexpr double e = 0.07491100;
constexpr double f = 0.37282392;
constexpr double g = 0.16906013;
}  // namespace

QPainterPath continuousRoundedRect(const QRectF& rect, double radius) {
    QPainterPath path;
    const QRectF r = rect.normalized();
    if (r.isEmpty()) return path;
    const double halfShort = std::min(r.width(), r.height()) / 2;
    double radiusLimit = std::max(0.0, radius);
    if (radiusLimit <= 0) {
        path.addRect(r);
        return path;
    }
    if (radiusLimit * a > halfShort) {
        // No room for the eased corner: circular corners, capped at a capsule.
        const double circular = std::min(radiusLimit, halfShort);
        path.addRoundedRect(r, circular, circular);
        return path;
    }
    const double k = radiusLimit;
    const double l = r.left(), t = r.top(), rt = r.right(), bm = r.bottom();

    path.moveTo(l + a * k, t);
    // Top edge, then the top-right corner.
    path.lineTo(rt - a * k, t);
    path.cubicTo(rt - b * k, t, rt - c * k, t, rt - d * k, t + e * k);
    path.cubicTo(rt - f * k, t + g * k, rt - g * k, t + f * k, rt - e * k, t + d * k);
    path.cubicTo(rt, t + c * k, rt, t + b * k, rt, t + a * k);
    // Right edge, bottom-right corner.
    path.lineTo(rt, bm - a * k);
    path.cubicTo(rt, bm - b * k, rt, bm - c * k, rt - e * k, bm - d * k);
    path.cubicTo(rt - g * k, bm - f * k, rt - f * k, bm - g * k, rt - d * k, bm - e * k);
    path.cubicTo(rt - c * k, bm, rt - b * k, bm, rt - a * k, bm);
    // Bottom edge, bottom-left corner.
    path.lineTo(l + a * k, bm);
    path.cubicTo(l + b * k, bm, l + c * k, bm, l + d * k, bm - e * k);
    path.cubicTo(l + f * k, bm - g * k, l + g * k, bm - f * k, l + e * k, bm - d * k);
    path.cubicTo(l, bm - c * k, l, bm - b * k, l, bm - a * k);
    // Left edge, top-left corner.
    path.lineTo(l, t + a * k);
    path.cubicTo(l, t + b * k, l, t + c * k, l + e * k, t + d * k);
    path.cubicTo(l + g * k, t + f * k, l + f * k, t + g * k, l + d * k, t + e * k);
    path.cubicTo(l + c * k, t, l + b * k, t, l + a * k, t);
    path.closeSubpath();
    return path;
}

QPainterPath continuousCapsule(const QRectF& rect) {
    const QRectF r = rect.normalized();
    return continuousRoundedRect(r, std::min(r.width(), r.height()) / 2);
}

}  // namespace velorin
