#pragma once
// The opacity of a view taken as a whole, with everything inside it, for
// views that come and go inside a layer that already draws through a
// graphics effect (the studio over the settings window): Qt can't nest
// graphics effects, so each widget that paints itself multiplies its painting
// by `fadeOf(this)`, and the effects overlay does the same for the effects of
// a host (its shadow, its splash).

class QPainter;
class QWidget;

namespace velorin {

// Sets `widget`'s own fade (0…1, 1 by default) and repaints it, everything
// inside it and their effects on the overlay.
void setFade(QWidget* widget, double opacity);
// `widget`'s own fade.
double ownFade(const QWidget* widget);
// The fades of `widget` and all its parents, multiplied.
double fadeOf(const QWidget* widget);
// Multiplies `painter`'s opacity by `fadeOf(widget)`.
void applyFade(QPainter& painter, const QWidget* widget);

}  // namespace velorin
