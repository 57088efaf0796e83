#include "Velorin/Design/RainbowViews.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Rainbow.h"

#include <QPainter>

namespace velorin {

// --- RainbowLiquidView ---

RainbowLiquidView::RainbowLiquidView(double level, QWidget* parent)
    : QWidget(parent), liquid_(this, level), display_([this] {
          liquid_.refresh();
          update();
      }) {
    setObjectName(QStringLiteral("rainbowLiquid"));
    setAttribute(Qt::WA_NoSystemBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void RainbowLiquidView::setLevel(double level) {
    if (level == liquid_.targetLevel()) return;
    liquid_.setLevel(level);
    liquid_.refresh();
    update();
}

void RainbowLiquidView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    liquid_.paint(painter, QRectF(rect()), colorEnvironmentFor(this));
}

void RainbowLiquidView::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    liquid_.refresh();
}

void RainbowLiquidView::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    liquid_.refresh();
}

// --- PixelGrainView ---

PixelGrainView::PixelGrainView(double strength, QWidget* parent) : QWidget(parent), strength_(strength) {
    setObjectName(QStringLiteral("pixelGrain"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PixelGrainView::setStrength(double strength) {
    if (strength == strength_) return;
    strength_ = strength;
    update();
}

void PixelGrainView::paintEvent(QPaintEvent*) {
    // Screen-blended in the shared backing store, so it lightens what the parent painted below.
    QPainter painter(this);
    paintPixelGrain(painter, QRectF(rect()), strength_);
}

// --- RainbowGlass ---

RainbowGlass::RainbowGlass(bool dark, bool solid, QWidget* parent)
    : QWidget(parent),
      dark_(dark),
      solid_(solid),
      shadow_(
          this, [this] { return continuousCapsule(QRectF(rect())); },
          [this] { return rainbowGlassShadow(colorEnvironmentFor(this)); }),
      display_([this] {
          update();
          shadow_.refresh();
      }) {
    setObjectName(QStringLiteral("rainbowGlass"));
    setAttribute(Qt::WA_NoSystemBackground);
}

void RainbowGlass::setDark(bool dark) {
    if (dark == dark_) return;
    dark_ = dark;
    update();
}

void RainbowGlass::setSolid(bool solid) {
    if (solid == solid_) return;
    solid_ = solid;
    update();
}

void RainbowGlass::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintRainbowGlass(painter, QRectF(rect()), dark_, solid_, colorEnvironmentFor(this));
}

void RainbowGlass::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shadow_.refresh();  // joins the effects overlay of the window it is shown in
}

void RainbowGlass::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    shadow_.refresh();
}

}  // namespace velorin
