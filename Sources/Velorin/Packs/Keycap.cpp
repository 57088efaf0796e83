#include "Velorin/Packs/Keycap.h"

#include <QFontMetricsF>
#include <QPainter>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

namespace {

constexpr double horizontalPadding = 5;
constexpr double verticalPadding = 1;
constexpr double cornerRadius = 4;

QFont keycapFont() { return Fonts::rounded(10.5, QFont::Medium); }

}  // namespace

Keycap::Keycap(QWidget* parent) : QWidget(parent), display_([this] { update(); }) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Keycap::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    updateGeometry();
    update();
}

QSize Keycap::sizeHint() const {
    const QFontMetricsF m(keycapFont());
    return QSize(int(std::ceil(m.horizontalAdvance(text_) + 2 * horizontalPadding)),
                 int(std::ceil(m.height() + 2 * verticalPadding)));
}

void Keycap::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF r(0, 0, width(), height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::inkFaint.resolve(env));
    painter.drawPath(continuousRoundedRect(r, cornerRadius));
    painter.setFont(keycapFont());
    painter.setPen(Theme::inkMuted.resolve(env));
    painter.drawText(r, Qt::AlignCenter, text_);
}

}  // namespace velorin
