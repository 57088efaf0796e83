#include "Platform/Linux/DesktopGeometry.h"

#include <algorithm>
#include <cmath>

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

Rect WindowParts::visibleFrame() const {
    return {{client.origin.x - decorations.left + shadow.left, client.origin.y - decorations.top + shadow.top},
            visibleSize(client.size)};
}

Point WindowParts::outerOrigin(Point visibleTopLeft) const {
    return {visibleTopLeft.x - shadow.left, visibleTopLeft.y - shadow.top};
}

Size WindowParts::clientSize(Size visible) const {
    return {visible.width - decorations.left - decorations.right + shadow.left + shadow.right,
            visible.height - decorations.top - decorations.bottom + shadow.top + shadow.bottom};
}

Size WindowParts::visibleSize(Size c) const {
    return {c.width + decorations.left + decorations.right - shadow.left - shadow.right,
            c.height + decorations.top + decorations.bottom - shadow.top - shadow.bottom};
}

FrameEdges decorationsWithin(const Rect& client, const Rect& outer, const std::optional<FrameEdges>& declared) {
    auto reach = [](double v) { return std::max(0.0, v); };
    const FrameEdges margins{reach(client.origin.x - outer.origin.x),
                             reach(outer.origin.x + outer.size.width - client.origin.x - client.size.width),
                             reach(client.origin.y - outer.origin.y),
                             reach(outer.origin.y + outer.size.height - client.origin.y - client.size.height)};
    if (!declared) return margins;
    return {std::min(declared->left, margins.left), std::min(declared->right, margins.right),
            std::min(declared->top, margins.top), std::min(declared->bottom, margins.bottom)};
}

namespace {
double constrained(double v, std::optional<double> min, std::optional<double> max, std::optional<double> base,
                   std::optional<double> inc) {
    if (max && *max > 0) v = std::min(v, *max);
    if (min) v = std::max(v, *min);
    if (inc && *inc > 1) {
        const double from = base ? *base : min ? *min : 0;
        if (v > from) v = from + std::floor((v - from) / *inc) * *inc;
        if (min && v < *min) v += *inc;  // the step below the minimum is not allowed
    }
    return v;
}
}  // namespace

Size constrainedClientSize(Size r, const SizeHints& h) {
    auto part = [](const std::optional<Size>& s, bool width) -> std::optional<double> {
        if (!s) return std::nullopt;
        return width ? s->width : s->height;
    };
    return {constrained(r.width, part(h.minimum, true), part(h.maximum, true), part(h.base, true),
                        part(h.increment, true)),
            constrained(r.height, part(h.minimum, false), part(h.maximum, false), part(h.base, false),
                        part(h.increment, false))};
}

}  // namespace velorin::linux_platform
