#include "Velorin/Design/OverlayShadow.h"

#include <QPainter>

namespace velorin {

OverlayShadow::OverlayShadow(QWidget* host, Shape shape, Style style)
    : OverlayEffect(host), shape_(std::move(shape)), style_(std::move(style)) {}

QRectF OverlayShadow::area() const {
    const QPainterPath shape = shape_();
    if (shape.isEmpty()) return {};
    return shape.boundingRect().marginsAdded(QMarginsF(shadowMargins(style_())));
}

void OverlayShadow::paint(QPainter& painter) {
    if (!host() || !host()->isVisible()) return;
    const ShadowStyle style = style_();
    if (style.color.alpha() == 0) return;
    paintShadow(painter, shape_(), style, true);
}

}  // namespace velorin
