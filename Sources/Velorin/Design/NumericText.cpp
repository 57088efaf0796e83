#include "Velorin/Design/NumericText.h"

#include "Velorin/Design/Display.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velorin {

NumericText::NumericText(QFont font, ThemeColor color, QWidget* parent)
    : QWidget(parent),
      font_(std::move(font)),
      color_(color),
      progress_(1, [this] { update(); }),
      fading_(QColor(), [this] { update(); }) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void NumericText::setText(const QString& text) {
    if (text == text_) return;
    previous_ = text_;
    text_ = text;
    setAccessibleName(text_);
    updateGeometry();
    progress_.setValue(1);
}

void NumericText::rollTo(const QString& text, const Spring& spring) {
    if (text == text_) return;
    const bool rolls = isVisible() && !text_.isEmpty();
    setText(text);
    if (!rolls) return;
    progress_.setValue(0);
    progress_.animateTo(1, Animation::spring(spring));
}

void NumericText::setColor(ThemeColor color) {
    fading_.setValue(QColor());
    if (color == color_) return;
    color_ = color;
    update();
}

void NumericText::fadeColorTo(ThemeColor color, const Spring& spring) {
    if (color == color_) return;
    if (!isVisible() || Motion::instant() || Display::reduceMotion()) {
        setColor(color);
        return;
    }
    const QColor from = drawnColor();
    color_ = color;
    // From wherever a fade under way has got to, keeping its speed.
    if (!fading_.isAnimating()) fading_.setValue(from);
    fading_.animateTo(color_.resolve(colorEnvironmentFor(this)), Animation::spring(spring));
}

QColor NumericText::drawnColor() const {
    // At rest the colour follows the appearance as it is now.
    return fading_.isAnimating() ? fading_.value() : color_.resolve(colorEnvironmentFor(this));
}

double NumericText::baseline() const { return QFontMetricsF(font_).ascent(); }

QSize NumericText::sizeHint() const {
    const QFontMetricsF metrics(font_);
    return QSize(int(std::ceil(metrics.horizontalAdvance(text_))) + 1, int(std::ceil(metrics.height())));
}

void NumericText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font_);
    painter.setPen(drawnColor());
    const double p = progress_.value();
    const double rise = height() * 0.6;
    const QRectF area(rect());
    const int flags = Qt::AlignRight | Qt::AlignVCenter;
    if (p < 1 && !previous_.isEmpty()) {
        // The old text rises and fades; the new one comes up from below.
        painter.setOpacity(std::clamp(1 - p, 0.0, 1.0));
        painter.drawText(area.translated(0, -rise * p), flags, previous_);
        painter.setOpacity(std::clamp(p, 0.0, 1.0));
        painter.drawText(area.translated(0, rise * (1 - p)), flags, text_);
        return;
    }
    painter.drawText(area, flags, text_);
}

}  // namespace velorin
