#include "Velorin/Design/Chip.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Symbols.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

namespace velorin {

namespace {
QFont chipFont() { return Fonts::system(Chip::fontPoints, QFont::DemiBold); }
}  // namespace

Chip::Chip(QWidget* parent) : Chip(QString(), std::nullopt, Theme::inkFaint, Theme::ink, parent) {}

Chip::Chip(const QString& text, std::optional<std::string> systemImage, ShapeFill tint, ThemeColor foreground,
           QWidget* parent)
    : QWidget(parent),
      text_(text),
      systemImage_(std::move(systemImage)),
      tint_(std::move(tint)),
      foreground_(foreground),
      display_([this] { update(); }) {
    setFont(chipFont());
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    setAccessibleName(text_);
}

void Chip::setText(const QString& text) {
    if (text == text_) return;
    text_ = text;
    setAccessibleName(text_);
    updateGeometry();
    update();
}

void Chip::setSystemImage(std::optional<std::string> symbol) {
    if (symbol == systemImage_) return;
    systemImage_ = std::move(symbol);
    updateGeometry();
    update();
}

void Chip::setTint(const ShapeFill& tint) {
    if (tint == tint_) return;
    tint_ = tint;
    update();
}

void Chip::setForeground(ThemeColor color) {
    if (color == foreground_) return;
    foreground_ = color;
    update();
}

double Chip::symbolWidth() const {
    // The symbol's glyph is a square one em wide.
    return systemImage_ ? symbolPoints + spacing : 0;
}

QString Chip::shownText() const {
    const double room = width() - 2 * horizontalPadding - symbolWidth();
    return QFontMetricsF(font()).elidedText(text_, Qt::ElideMiddle, std::max(0.0, room));
}

QSize Chip::sizeHint() const {
    const QFontMetricsF metrics(font());
    const double w = 2 * horizontalPadding + symbolWidth() + metrics.horizontalAdvance(text_);
    const double h = 2 * verticalPadding + metrics.height();
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

QSize Chip::minimumSizeHint() const {
    // Room for the symbol and an ellipsis with a letter either side.
    const QFontMetricsF metrics(font());
    const double w = 2 * horizontalPadding + symbolWidth() + metrics.horizontalAdvance(QStringLiteral("M…M"));
    return QSize(int(std::ceil(std::min(w, double(sizeHint().width())))), sizeHint().height());
}

void Chip::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF r(rect());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillPath(continuousCapsule(r), brush(tint_, r, env));

    const QColor ink = foreground_.resolve(env);
    const QFontMetricsF metrics(font());
    const QString shown = shownText();
    // The row is centred: symbol, spacing, text.
    const double content = symbolWidth() + metrics.horizontalAdvance(shown);
    double x = r.center().x() - content / 2;
    if (systemImage_) {
        QFont symbolFont = Symbols::font(symbolPoints);
        symbolFont.setWeight(QFont::Bold);
        painter.setFont(symbolFont);
        painter.setPen(ink);
        painter.drawText(QRectF(x, r.top(), symbolPoints, r.height()), Qt::AlignCenter,
                         Symbols::text(*systemImage_));
        x += symbolPoints + spacing;
    }
    painter.setFont(font());
    painter.setPen(ink);
    painter.drawText(QRectF(x, r.top(), r.right() - x, r.height()), Qt::AlignVCenter | Qt::AlignLeft, shown);
}

}  // namespace velorin
