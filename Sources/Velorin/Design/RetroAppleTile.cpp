#include "Velorin/Design/RetroAppleTile.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Saturation.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velorin {

namespace {
constexpr const char* logoSymbol = "apple.logo";
constexpr double rimWidth = 0.5;  // points

// The logo glyph's outline, fitted into `frame` keeping its proportions, centred.
QPainterPath fittedGlyph(const QRectF& frame) {
    static const QPainterPath glyph = [] {
        QPainterPath path;
        path.addText(QPointF(0, 0), Symbols::font(100), Symbols::text(logoSymbol));
        return path;
    }();
    const QRectF bounds = glyph.boundingRect();
    if (bounds.isEmpty() || frame.isEmpty()) return {};
    const double scale = std::min(frame.width() / bounds.width(), frame.height() / bounds.height());
    QTransform fit;
    fit.translate(frame.center().x(), frame.center().y());
    fit.scale(scale, scale);
    fit.translate(-bounds.center().x(), -bounds.center().y());
    return fit.map(glyph);
}

ShadowStyle glow(int stripe, double amount, double radius, QPointF offset) {
    Rgba color = RetroAppleTile::stripes[std::size_t(stripe)];
    color.alpha = std::clamp(RetroAppleTile::glowOpacity * amount, 0.0, 1.0);
    return {color.toQColor(), radius, offset};
}
}  // namespace

RetroAppleTile::RetroAppleTile(QWidget* parent) : RetroAppleTile(false, 44, parent) {}

RetroAppleTile::RetroAppleTile(bool active, double size, QWidget* parent)
    : QWidget(parent),
      active_(active),
      size_(size),
      activeAmount_(active ? 1.0 : 0.0),
      blueGlow_(
          this, [this] { return tileShape(origin(), size_); },
          [this] { return glow(5, activeAmount_.value(), 7, QPointF(0, 2)); }),
      yellowGlow_(
          this, [this] { return tileShape(origin(), size_); },
          [this] { return glow(1, activeAmount_.value(), 5, QPointF(0, -1)); }),
      display_([this] { update(); }) {
    setObjectName(QStringLiteral("retroAppleTile"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    activeAmount_.setOnFrame([this] {
        update();
        refreshGlow();
    });
}

void RetroAppleTile::setActive(bool active) {
    if (active == active_) return;
    active_ = active;
    activeAmount_.animateTo(active ? 1.0 : 0.0, Animation::spring(Theme::wobble));
}

void RetroAppleTile::setEdge(double size) {
    if (size == size_) return;
    size_ = size;
    updateGeometry();
    update();
    refreshGlow();
}

QPainterPath RetroAppleTile::tileShape(const QPointF& origin, double size) {
    return continuousRoundedRect(QRectF(origin, QSizeF(size, size)), size * cornerShare);
}

QPainterPath RetroAppleTile::logoShape(const QPointF& origin, double size) {
    const QSizeF frame(size * logoWidthShare, size * logoHeightShare);
    const QPointF centre = origin + QPointF(size / 2, size / 2);
    return fittedGlyph(QRectF(centre - QPointF(frame.width() / 2, frame.height() / 2), frame));
}

QPointF RetroAppleTile::origin() const { return QPointF((width() - size_) / 2, (height() - size_) / 2); }

QSize RetroAppleTile::sizeHint() const {
    const int edge = int(std::ceil(size_));
    return QSize(edge, edge);
}

void RetroAppleTile::refreshGlow() {
    blueGlow_.refresh();
    yellowGlow_.refresh();
}

void RetroAppleTile::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refreshGlow();
}

void RetroAppleTile::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    refreshGlow();
}

void RetroAppleTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment environment = colorEnvironmentFor(this);
    const QPointF at = origin();

    // The white square, the same in both appearances, with a faint rim inside its edge.
    const QPainterPath tile = tileShape(at, size_);
    painter.fillPath(tile, Qt::white);
    const double half = rimWidth / 2;
    painter.setPen(QPen(Theme::inkFaint.resolve(environment), rimWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousRoundedRect(QRectF(at, QSizeF(size_, size_)).adjusted(half, half, -half, -half),
                                           size_ * cornerShare - half));

    // Six equal bands over the logo's frame, top to bottom, showing through the logo only.
    const double saturation = idleSaturation + (1 - idleSaturation) * activeAmount_.value();
    const QSizeF frame(size_ * logoWidthShare, size_ * logoHeightShare);
    const QRectF bands(at + QPointF((size_ - frame.width()) / 2, (size_ - frame.height()) / 2), frame);
    painter.setClipPath(logoShape(at, size_));
    painter.setPen(Qt::NoPen);
    for (int i = 0; i < 6; ++i) {
        const QRectF band(bands.left(), bands.top() + bands.height() * i / 6, bands.width(), bands.height() / 6);
        // Each band reaches a hair into the next, so no seam of background shows between them.
        painter.fillRect(band.adjusted(0, 0, 0, i < 5 ? 0.5 : 0),
                         saturated(stripes[std::size_t(i)], saturation).toQColor());
    }
}

}  // namespace velorin
