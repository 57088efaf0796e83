#include "Velorin/Design/ControlGlass.h"

#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Theme.h"

#include <QPainter>

namespace velorin {

namespace {
constexpr double rimWidth = 1;
constexpr double shadowRadius = 16;
constexpr QPointF shadowOffset{0, 6};
}  // namespace

void paintControlGlass(QPainter& painter, const QPainterPath& shape, const ColorEnvironment& environment) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(shape, ultraThinMaterial.resolve(environment));
    painter.fillPath(shape, Theme::warmWhite.opacity(controlGlassVeilOpacity).resolve(environment));
    // The rim inside the edge: the shape clipped to itself keeps the inner half of a doubled stroke.
    painter.setClipPath(shape, Qt::IntersectClip);
    painter.setPen(QPen(Theme::rim.resolve(environment), 2 * rimWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(shape);
    painter.restore();
}

ShadowStyle controlGlassShadow(const ColorEnvironment& environment) {
    return {Theme::shadow.opacity(controlGlassShadowOpacity).resolve(environment), shadowRadius, shadowOffset};
}

}  // namespace velorin
