#include "Velorin/Design/Fade.h"

#include "Velorin/Design/EffectsOverlay.h"

#include <QPainter>
#include <QVariant>
#include <QWidget>

#include <algorithm>

namespace velorin {

namespace {
constexpr const char* fadeProperty = "velorinFade";
}

double ownFade(const QWidget* widget) {
    if (!widget) return 1;
    const QVariant value = widget->property(fadeProperty);
    return value.isValid() ? value.toDouble() : 1.0;
}

void setFade(QWidget* widget, double opacity) {
    if (!widget) return;
    opacity = std::clamp(opacity, 0.0, 1.0);
    if (opacity == ownFade(widget)) return;
    // Fully there is no fade at all: nothing is left to read on each paint.
    widget->setProperty(fadeProperty, opacity >= 1 ? QVariant() : QVariant(opacity));
    widget->update();
    if (EffectsOverlay* overlay = EffectsOverlay::existing(widget)) overlay->refreshWithin(widget);
}

double fadeOf(const QWidget* widget) {
    double opacity = 1;
    for (const QWidget* w = widget; w; w = w->isWindow() ? nullptr : w->parentWidget()) opacity *= ownFade(w);
    return opacity;
}

void applyFade(QPainter& painter, const QWidget* widget) { painter.setOpacity(painter.opacity() * fadeOf(widget)); }

}  // namespace velorin
