#pragma once
// Soft shadows of shapes. A shadow reaches beyond its widget, so it is drawn
// by the effects overlay (or by a parent) with these helpers.

#include <QColor>
#include <QMargins>
#include <QPainterPath>
#include <QPointF>

class QPainter;

namespace velorin {

struct ShadowStyle {
    QColor color;
    double radius = 0;  // blur radius, points
    QPointF offset;     // points

    bool operator==(const ShadowStyle&) const = default;
};

// How far a shadow of `radius` moved by `offset` reaches beyond each edge of
// its shape (never negative), rounded up to whole points.
QMargins shadowMargins(double radius, QPointF offset);
QMargins shadowMargins(const ShadowStyle& shadow);

// Paints the shadow `shape` casts, in the painter's coordinates. With
// `outsideOnly` the shape itself is left untouched, for shadows painted over
// the content that casts them. Blurred masks are cached by shape and radius.
void paintShadow(QPainter& painter, const QPainterPath& shape, const ShadowStyle& shadow, bool outsideOnly = true);

}  // namespace velorin
