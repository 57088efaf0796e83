#include "Velorin/Design/CornerZones.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Theme.h"

#include <QPainter>
#include <QPen>

#include <cmath>

namespace velorin {

std::array<QRectF, 4> CornerZones::zones(const QSizeF& pad) const {
    std::array<QRectF, 4> out{};
    if (!std::isfinite(size) || size <= 0) return out;
    const double w = size * pad.width();
    const double h = size * pad.height();
    for (int i = 0; i < 4; ++i) {
        const double cx = i % 2 == 0 ? w / 2 + inset : pad.width() - w / 2 - inset;
        const double cy = i < 2 ? h / 2 + inset : pad.height() - h / 2 - inset;
        out[std::size_t(i)] = QRectF(cx - w / 2, cy - h / 2, w, h);
    }
    return out;
}

void CornerZones::paint(QPainter& painter, const QRectF& pad, const ColorEnvironment& environment) const {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(Theme::ink.opacity(strokeOpacity).resolve(environment), strokeWidth);
    pen.setDashPattern({dash / strokeWidth, dash / strokeWidth});
    const QColor fill = Theme::warmWhite.opacity(fillOpacity).resolve(environment);
    for (const QRectF& zone : zones(pad.size())) {
        if (zone.isEmpty()) continue;
        const QRectF r = zone.translated(pad.topLeft());
        painter.setPen(Qt::NoPen);
        painter.setBrush(fill);
        painter.drawPath(continuousRoundedRect(r, radius));
        // Stroked on the inside of the edge.
        const double half = strokeWidth / 2;
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(continuousRoundedRect(r.adjusted(half, half, -half, -half), radius - half));
    }
    painter.restore();
}

}  // namespace velorin
