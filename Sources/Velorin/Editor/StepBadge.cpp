#include "Velorin/Editor/StepBadge.h"

#include <QPainter>

#include "Velorin/Design/Display.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

StepBadge::StepBadge(int step, QWidget* parent) : QWidget(parent), step_(step) { setFixedSize(side, side); }

void StepBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment environment = colorEnvironmentFor(this);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::honey.resolve(environment));
    painter.drawEllipse(QRectF(rect()));
    painter.setFont(Fonts::system(11, QFont::Bold));
    painter.setPen(Theme::onAccent.resolve(environment));
    painter.drawText(QRectF(rect()), Qt::AlignCenter, QString::number(step_));
}

}  // namespace velorin
