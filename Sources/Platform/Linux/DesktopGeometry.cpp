#include "Platform/Linux/DesktopGeometry.h"

namespace velorin::linux_platform {
namespace {
double usable(double scale) { return scale > 0 ? scale : 1; }
}  // namespace

Point DesktopUnits::topLeftPoint(Point p) const {
    const double s = usable(scale);
    return {(p.x - primary.origin.x) / s, (p.y - primary.origin.y) / s};
}

Point DesktopUnits::rootPixel(Point p) const {
    const double s = usable(scale);
    return {p.x * s + primary.origin.x, p.y * s + primary.origin.y};
}

Size DesktopUnits::points(Size z) const {
    const double s = usable(scale);
    return {z.width / s, z.height / s};
}

Size DesktopUnits::pixels(Size z) const {
    const double s = usable(scale);
    return {z.width * s, z.height * s};
}

Point DesktopUnits::bottomLeftPoint(Point p) const {
    const Point t = topLeftPoint(p);
    return {t.x, primary.size.height / usable(scale) - t.y};
}

Rect DesktopUnits::bottomLeftRect(const Rect& r) const {
    const Point topLeft = topLeftPoint(r.origin);
    const Size size = points(r.size);
    return {{topLeft.x, primary.size.height / usable(scale) - (topLeft.y + size.height)}, size};
}

}  // namespace velorin::linux_platform
