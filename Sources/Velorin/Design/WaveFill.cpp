#include "Velorin/Design/WaveFill.h"

#include <cmath>
#include <numbers>

namespace velorin {

QPainterPath WaveFill::path(const QRectF& rect) const {
    QPainterPath p;
    const double x = rect.left() + level * rect.width();
    p.moveTo(rect.left(), rect.top());
    p.lineTo(x, rect.top());
    for (int i = 0; i <= segments; ++i) {
        const double share = double(i) / segments;
        p.lineTo(x + amplitude * std::sin(phase + share * 2 * std::numbers::pi), rect.top() + rect.height() * share);
    }
    p.lineTo(rect.left(), rect.bottom());
    p.closeSubpath();
    return p;
}

}  // namespace velorin
