#include "Velorin/Editor/SymbolPill.h"

#include <QPainter>

#include <cmath>

#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

SymbolPill::SymbolPill(std::string symbol, double symbolPoints, const QString& title, bool primary, QWidget* parent)
    : PillButton(QString(), primary, parent),
      symbol_(std::move(symbol)),
      symbolPoints_(symbolPoints),
      turn_(0.0, [this] { update(); }) {
    setTitle(title);
}

void SymbolPill::setTitle(const QString& title) {
    title_ = title;
    setAccessibleName(title);
    if (title.isEmpty()) {
        setText(QString());
        return;
    }
    // The pill centres its text; leading spaces leave the symbol its room.
    const QFontMetricsF metrics(font());
    const double space = std::max(1.0, metrics.horizontalAdvance(QLatin1Char(' ')));
    const int spaces = int(std::ceil((symbolPoints_ + gap) / space));
    setText(QString(spaces, QLatin1Char(' ')) + title);
}

void SymbolPill::setTurn(double degrees) { turn_.animateTo(degrees, Animation::spring(Theme::wobble)); }

QSize SymbolPill::sizeHint() const {
    QSize size = PillButton::sizeHint();
    if (title_.isEmpty()) {
        size.setWidth(size.width() + int(std::ceil(symbolPoints_)));
        size.setHeight(std::max(size.height(), int(std::ceil(symbolPoints_ + 2 * PillButtonStyle::verticalPadding))));
    }
    return size;
}

QRectF SymbolPill::symbolRect() const {
    const QRectF pill = pillRect();
    const QFontMetricsF metrics(font());
    const double textWidth = title_.isEmpty() ? 0 : metrics.horizontalAdvance(text());
    const double x = pill.center().x() - (title_.isEmpty() ? symbolPoints_ : textWidth) / 2;
    return QRectF(x, pill.center().y() - symbolPoints_ / 2, symbolPoints_, symbolPoints_);
}

void SymbolPill::paintEvent(QPaintEvent* event) {
    PillButton::paintEvent(event);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(paintOpacity());
    const QRectF mark = symbolRect();
    painter.translate(mark.center());
    painter.rotate(turn_.value());
    painter.translate(-mark.center());
    const QColor color = pillStyle().textColor(isDown()).resolve(colorEnvironmentFor(this));
    Symbols::draw(painter, mark, symbol_, color, symbolPoints_);
}

}  // namespace velorin
