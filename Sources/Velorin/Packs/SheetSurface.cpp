#include "Velorin/Packs/SheetSurface.h"

#include <QPainter>
#include <QVBoxLayout>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

SheetSurface::SheetSurface(int padding, int spacing, QWidget* parent)
    : QWidget(parent), display_([this] { update(); }) {
    setAttribute(Qt::WA_TranslucentBackground);
    column_ = new QVBoxLayout(this);
    column_->setContentsMargins(padding, padding, padding, padding);
    column_->setSpacing(spacing);
}

void SheetSurface::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QPainterPath shape = continuousRoundedRect(QRectF(rect()).adjusted(0.25, 0.25, -0.25, -0.25), radius);
    painter.fillPath(shape, Theme::milk.resolve(env));
    painter.setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
    painter.drawPath(shape);
}

}  // namespace velorin
