#include "Velorin/Editor/ListeningRing.h"

#include <QPainter>


#include "Velorin/Design/Display.h"
#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/Fade.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

class ListeningRing::Rings final : public OverlayEffect {
public:
    explicit Rings(ListeningRing* ring) : OverlayEffect(ring), ring_(ring) {}

    QRectF area() const override {
        const double reach = side * grownScale / 2 + lineWidth;
        const QPointF centre = QRectF(ring_->rect()).center();
        return {centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach};
    }

    void paint(QPainter& painter) override {
        if (!ring_->isVisible()) return;
        const QColor colour = Theme::inkMuted.resolve(colorEnvironmentFor(ring_));
        const QPointF centre = QRectF(ring_->rect()).center();
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setBrush(Qt::NoBrush);
        for (int i = 0; i < 2; ++i) {
            const Ring r = ring_->ringNow(i);
            if (r.opacity <= 0) continue;
            QColor c = colour;
            c.setAlphaF(float(c.alphaF() * r.opacity));
            // The outline scales with its ring, as a scaled circle's would.
            painter.setPen(QPen(c, lineWidth * r.scale));
            const double radius = (side - lineWidth) / 2 * r.scale;
            painter.drawEllipse(centre, radius, radius);
        }
        painter.restore();
    }

private:
    ListeningRing* ring_;
};

ListeningRing::Ring ListeningRing::ring(int index, double elapsed) {
    const double t = elapsed - ringDelaySeconds * index;
    if (t < 0) return {};
    const double p = Pulse::progress(t, periodSeconds);
    return {restingScale + (grownScale - restingScale) * p, restingOpacity * (1 - p)};
}

ListeningRing::ListeningRing(QWidget* parent)
    : QWidget(parent), rings_(std::make_unique<Rings>(this)), pulse_(stillElapsedSeconds, [this] {
          if (rings_) rings_->refresh();
      }) {
    setObjectName("listeningRing");
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

ListeningRing::~ListeningRing() = default;

QSize ListeningRing::sizeHint() const { return {int(side), int(side)}; }

ListeningRing::Ring ListeningRing::ringNow(int index) const {
    // Without motion the pulse stands still at one moment of it, both rings
    // out and apart (its end would show no ring at all); Reduce Motion keeps
    // them at rest around the dot.
    const auto elapsed = pulse_.elapsed();
    return elapsed ? ring(index, *elapsed) : Ring{};
}

void ListeningRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    applyFade(painter, this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::inkMuted.resolve(colorEnvironmentFor(this)));
    const QPointF centre = QRectF(rect()).center();
    painter.drawEllipse(centre, dotSide / 2, dotSide / 2);
}

void ListeningRing::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    pulse_.setShown(true);
    pulse_.begin(false);
}

void ListeningRing::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    pulse_.setShown(false);
    rings_->refresh();
}

}  // namespace velorin
