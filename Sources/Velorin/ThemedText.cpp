#include "Velorin/ThemedText.h"

#include <QPainter>

#include <cmath>

#include "Velorin/Design/Display.h"
#include "Velorin/Design/Fade.h"
#include "Velorin/Design/ReadableOnWater.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

namespace {
constexpr double symbolGap = 6;
}

ThemedText::ThemedText(const QString& text, QFont font, ThemeColor color, QWidget* parent)
    : QWidget(parent), text_(text), font_(std::move(font)), color_(color) {
    setAccessibleName(text_);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ThemedText::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    setAccessibleName(text_);
    updateGeometry();
    update();
}

void ThemedText::setColor(ThemeColor color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void ThemedText::setWrapping(bool wraps) {
    if (wraps == wraps_) return;
    wraps_ = wraps;
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(wraps_);
    if (wraps_) policy.setHorizontalPolicy(QSizePolicy::Expanding);
    setSizePolicy(policy);
    updateGeometry();
    update();
}

void ThemedText::setCentred(bool centred) {
    if (centred == centred_) return;
    centred_ = centred;
    update();
}

void ThemedText::setSymbol(std::optional<std::string> symbol, std::optional<ThemeColor> symbolColor) {
    symbol_ = std::move(symbol);
    symbolColor_ = symbolColor;
    updateGeometry();
    update();
}

void ThemedText::setReadableOnWater(bool on) {
    if (on == readable_) return;
    readable_ = on;
    update();
}

double ThemedText::symbolRoom() const { return symbol_ ? QFontMetricsF(font_).height() * 0.95 + symbolGap : 0; }

int ThemedText::heightForWidth(int width) const {
    const QFontMetricsF metrics(font_);
    if (!wraps_) return int(std::ceil(metrics.height()));
    const double room = std::max(1.0, width - symbolRoom());
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, room, 1e6), Qt::TextWordWrap | Qt::AlignLeft, text_);
    return int(std::ceil(std::max(bounds.height(), metrics.height())));
}

QSize ThemedText::sizeHint() const {
    const QFontMetricsF metrics(font_);
    const double width = symbolRoom() + metrics.horizontalAdvance(text_) + 1;
    if (wraps_) {
        const int w = int(std::ceil(std::min(width, 420.0)));
        return QSize(w, heightForWidth(w));
    }
    return QSize(int(std::ceil(width)), int(std::ceil(metrics.height())));
}

QSize ThemedText::minimumSizeHint() const {
    const QFontMetricsF metrics(font_);
    if (wraps_) return QSize(int(std::ceil(symbolRoom() + metrics.averageCharWidth() * 8)), heightForWidth(120));
    return QSize(int(std::ceil(symbolRoom() + metrics.horizontalAdvance(QStringLiteral("…")) * 4)),
                 int(std::ceil(metrics.height())));
}

QRectF ThemedText::textRect() const { return QRectF(rect()).adjusted(symbolRoom(), 0, 0, 0); }

void ThemedText::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    applyFade(painter, this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ColorEnvironment environment = colorEnvironmentFor(this);
    const QColor color = color_.resolve(environment);
    const QFontMetricsF metrics(font_);
    if (symbol_) {
        const double size = metrics.height() * 0.95;
        const double top = wraps_ ? 0 : (height() - size) / 2;
        Symbols::draw(painter, QRectF(0, top, size, size), *symbol_,
                      (symbolColor_ ? *symbolColor_ : color_).resolve(environment), size * 0.9);
    }
    const QRectF area = textRect();
    const int across = centred_ ? int(Qt::AlignHCenter) : int(Qt::AlignLeft);
    const int flags = wraps_ ? int(Qt::TextWordWrap) | across | int(Qt::AlignTop) : across | int(Qt::AlignVCenter);
    const QString shown = wraps_ ? text_ : metrics.elidedText(text_, Qt::ElideRight, area.width());
    if (readable_) {
        HaloText::draw(painter, area, flags, shown, font_, color, environment);
        return;
    }
    painter.setFont(font_);
    painter.setPen(color);
    painter.drawText(area, flags, shown);
}

}  // namespace velorin
