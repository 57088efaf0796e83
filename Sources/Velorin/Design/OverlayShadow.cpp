#include "Velorin/Design/OverlayShadow.h"

#include <QPainter>

namespace velorin {

OverlayShadow::OverlayShadow(QWidget* host, Shape shape, Spec spec)
    : OverlayEffect(host), shape_(std::move(shape)), spec_(std::move(spec)) {}

QRectF OverlayShadow::area() const {
    const QPainterPath shape = shape_();
    if (shape.isEmpty()) return {};
    return shape.boundingRect().marginsAdded(QMarginsF(shadowMargins(spec_())));
}

void OverlayShadow::paint(QPainter& painter) {
    if (!host() || !host()->isVisible()) return;
    const ShadowSpec spec = spec_();
    if (spec.color.alpha() == 0) return;
    paintShadow(painter, shape_(), spec, true);
}

}  // namespace velorin
