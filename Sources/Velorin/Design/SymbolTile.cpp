#include "Velorin/Design/SymbolTile.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fill.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"

#include <QPainter>

#include <cmath>

namespace velorin {

SymbolTile::SymbolTile(QWidget* parent) : SymbolTile("questionmark", false, 40, parent) {}

SymbolTile::SymbolTile(std::string symbol, bool active, double size, QWidget* parent)
    : QWidget(parent),
      symbol_(std::move(symbol)),
      active_(active),
      size_(size),
      activeAmount_(active ? 1 : 0),
      bounce_([this] { update(); }),
      display_([this] { update(); }) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    activeAmount_.setOnFrame([this] { update(); });
}

void SymbolTile::setSymbol(std::string symbol) {
    if (symbol == symbol_) return;
    symbol_ = std::move(symbol);
    update();
}

void SymbolTile::setActive(bool active) {
    if (active == active_) return;
    active_ = active;
    activeAmount_.animateTo(active ? 1 : 0, Animation::spring(Theme::wobble));
    bounce_.play();
}

void SymbolTile::setEdge(double size) {
    if (size == size_) return;
    size_ = size;
    updateGeometry();
    update();
}

QSize SymbolTile::sizeHint() const {
    const int edge = int(std::ceil(size_));
    return QSize(edge, edge);
}

void SymbolTile::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    const double a = std::clamp(activeAmount_.value(), 0.0, 1.0);
    const QRectF tile(0, 0, size_, size_);
    const QPainterPath shape = continuousRoundedRect(tile, cornerRadius());
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    if (a < 1) {
        painter.setOpacity(1 - a);
        painter.fillPath(shape, Theme::cream.resolve(env));
    }
    if (a > 0) {
        painter.setOpacity(a);
        const LinearFill accent{evenStops({Theme::butter, Theme::honey}), UnitPoint::topLeading(),
                                UnitPoint::bottomTrailing()};
        painter.fillPath(shape, brush(accent, tile, env));
    }
    painter.setOpacity(1);

    const Rgba ink = blended(Theme::inkMuted.resolveRgba(env), a, Theme::onAccent.resolveRgba(env));
    painter.translate(tile.center());
    painter.scale(symbolScale(), symbolScale());
    painter.translate(-tile.center());
    Symbols::draw(painter, tile, symbol_, ink.toQColor(), symbolPixelSize());
}

}  // namespace velorin
