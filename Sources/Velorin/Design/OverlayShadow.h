#pragma once
// The soft shadow a widget casts, drawn on the window's effects overlay
// because it reaches beyond the widget. It is drawn around the shape only,
// never over it, so it reads as lying beneath the widget. The host calls
// `refresh()` whenever its shape or the shadow changes (never from its own
// paint event: repainting the overlay repaints what lies beneath it).

#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/Shadow.h"

#include <QPainterPath>

#include <functional>

namespace velorin {

class OverlayShadow final : public OverlayEffect {
public:
    using Shape = std::function<QPainterPath()>;  // in host coordinates
    using Style = std::function<ShadowStyle()>;

    OverlayShadow(QWidget* host, Shape shape, Style style);

    QRectF area() const override;
    void paint(QPainter& painter) override;

private:
    Shape shape_;
    Style style_;
};

}  // namespace velorin
