#include "Velorin/Packs/ThemedLabel.h"

#include <QEvent>
#include <QLineEdit>
#include <QPainter>

#include "Velorin/Design/ReadableOnWater.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

ThemedLabel::ThemedLabel(const QString& text, const QFont& font, ThemeColor color, QWidget* parent)
    : QLabel(text, parent), color_(color), display_([this] { recolor(); }) {
    setFont(font);
    setTextFormat(Qt::PlainText);
    recolor();
}

void ThemedLabel::setColor(ThemeColor color) {
    if (color == color_) return;
    color_ = color;
    recolor();
}

void ThemedLabel::setTextIfChanged(const QString& text) {
    if (text != this->text()) setText(text);
}

void ThemedLabel::setReadableOnWater(bool on) {
    if (on == (graphicsEffect() != nullptr)) return;
    setGraphicsEffect(on ? new ReadableOnWaterEffect(this) : nullptr);
}

void ThemedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::ParentChange) recolor();
}

void ThemedLabel::showEvent(QShowEvent* event) {
    recolor();
    QLabel::showEvent(event);
}

void ThemedLabel::recolor() {
    QPalette p = palette();
    const QColor c = color_.resolve(colorEnvironmentFor(this));
    if (p.color(QPalette::WindowText) == c) return;
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::Text, c);
    p.setColor(QPalette::ButtonText, c);  // inside a button, labels draw in this role
    setPalette(p);
}

SymbolView::SymbolView(std::string symbol, double points, ThemeColor color, double side, QWidget* parent)
    : QWidget(parent), symbol_(std::move(symbol)), points_(points), color_(color), side_(side),
      display_([this] { update(); }) {
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolView::setSymbol(std::string symbol) {
    if (symbol == symbol_) return;
    symbol_ = std::move(symbol);
    update();
}

void SymbolView::setColor(ThemeColor color) {
    if (color == color_) return;
    color_ = color;
    update();
}

void SymbolView::setDisc(std::optional<ThemeColor> disc) {
    if (disc == disc_) return;
    disc_ = disc;
    update();
}

void SymbolView::setRotation(double degrees) {
    if (degrees == rotation_) return;
    rotation_ = degrees;
    update();
}

QSize SymbolView::sizeHint() const { return QSize(int(std::ceil(side_)), int(std::ceil(side_))); }

void SymbolView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF box(0, 0, width(), height());
    if (disc_) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(disc_->resolve(env));
        const double d = std::min(box.width(), box.height());
        painter.drawEllipse(QRectF(box.center().x() - d / 2, box.center().y() - d / 2, d, d));
    }
    if (rotation_ != 0) {
        painter.translate(box.center());
        painter.rotate(rotation_);
        painter.translate(-box.center());
    }
    Symbols::draw(painter, box, symbol_, color_.resolve(env), points_);
}

void themeTextField(QLineEdit* edit, const QWidget* host) {
    if (!edit) return;
    const ColorEnvironment env = colorEnvironmentFor(host);
    QPalette p = edit->palette();
    p.setColor(QPalette::Base, Qt::transparent);
    p.setColor(QPalette::Text, Theme::ink.resolve(env));
    p.setColor(QPalette::PlaceholderText, Theme::inkMuted.resolve(env));
    if (p != edit->palette()) edit->setPalette(p);
}

}  // namespace velorin
