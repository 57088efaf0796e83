#include "Velorin/Design/PulseDot.h"

#include <QPainter>

namespace velorin {

// The halo grows beyond the dot, so it is drawn on the overlay; at rest it
// lies exactly under the dot in the dot's own colour.
class PulseDot::Halo final : public OverlayEffect {
public:
    explicit Halo(PulseDot* dot) : OverlayEffect(dot), dot_(dot) {}

    QRectF area() const override {
        const double r = diameter / 2 * haloGrowth;
        const QPointF c = QRectF(dot_->rect()).center();
        return QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r);
    }

    void paint(QPainter& painter) override {
        const double fade = dot_->haloFade();
        if (fade <= 0) return;
        QColor color = dot_->color_.resolve(colorEnvironmentFor(dot_));
        color.setAlphaF(float(color.alphaF() * haloOpacity * fade));
        const double r = diameter / 2 * dot_->haloScale();
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(QRectF(dot_->rect()).center(), r, r);
    }

private:
    PulseDot* dot_;
};

PulseDot::PulseDot(ThemeColor color, QWidget* parent)
    : QWidget(parent), color_(color), halo_(std::make_unique<Halo>(this)), pulse_(stillSeconds, [this] {
          // The dot too: an appearance change recolours it.
          update();
          if (halo_) halo_->refresh();
      }) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

PulseDot::~PulseDot() = default;

void PulseDot::setColor(ThemeColor color) {
    if (color == color_) return;
    color_ = color;
    update();
    halo_->refresh();
}

double PulseDot::progress() const {
    const auto elapsed = pulse_.elapsed();
    return elapsed ? Pulse::progress(*elapsed, pulseDuration) : 0;
}

double PulseDot::haloScale() const { return 1 + (haloGrowth - 1) * progress(); }
double PulseDot::haloFade() const { return 1 - progress(); }

QSize PulseDot::sizeHint() const { return QSize(int(diameter), int(diameter)); }

void PulseDot::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Each showing starts the halo from the dot again.
    pulse_.setShown(true);
    pulse_.begin(true);
}

void PulseDot::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    pulse_.setShown(false);
    halo_->refresh();
}

void PulseDot::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(color_.resolve(colorEnvironmentFor(this)));
    const QRectF r(rect());
    painter.drawEllipse(r.center(), diameter / 2, diameter / 2);
}

}  // namespace velorin
