#include "Velorin/Packs/SheetSurface.h"

#include <QPainter>
#include <QVBoxLayout>

#include <algorithm>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

SheetSurface::SheetSurface(int padding, int spacing, QWidget* parent)
    : QWidget(parent), padding_(padding), display_([this] { update(); }) {
    setAttribute(Qt::WA_TranslucentBackground);
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(padding, padding, padding, padding);
    column_->setSpacing(spacing);
}

void SheetSurface::pointAt(QWidget* anchor) {
    anchor_ = anchor;
    column_->setContentsMargins(padding_, padding_ + arrowHeight, padding_, padding_);
    update();
}

std::optional<double> SheetSurface::arrowX() const {
    if (!anchor_ || !anchor_->window() || anchor_->window() != window()) return std::nullopt;
    const double x = mapFrom(window(), anchor_->mapTo(window(), QPointF(anchor_->width() / 2.0, 0))).x();
    return std::clamp(x, radius + arrowHeight, width() - radius - arrowHeight);
}

void SheetSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    QRectF card = QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25);
    QPainterPath shape;
    if (anchor_) {
        card.setTop(card.top() + arrowHeight);
        shape = continuousRoundedRect(card, radius);
        if (const auto x = arrowX()) {
            QPainterPath arrow;
            arrow.moveTo(*x - arrowHeight - 1, card.top() + 1);
            arrow.lineTo(*x, card.top() - arrowHeight);
            arrow.lineTo(*x + arrowHeight + 1, card.top() + 1);
            arrow.closeSubpath();
            shape = shape.united(arrow);
        }
    } else {
        shape = continuousRoundedRect(card, radius);
    }
    painter.fillPath(shape, Theme::milk.resolve(env));
    painter.setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
    painter.drawPath(shape);
}

}  // namespace velorin
