#include "Velorin/Editor/ListeningRing.h"

#include <QPainter>

#include <cmath>

#include "Velorin/Design/Animation.h"
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
    const double fraction = t / periodSeconds - std::floor(t / periodSeconds);
    const double p = EaseOut::progress(fraction);
    return {restingScale + (grownScale - restingScale) * p, restingOpacity * (1 - p)};
}

ListeningRing::ListeningRing(QWidget* parent) : QWidget(parent), rings_(std::make_unique<Rings>(this)) {
    setObjectName("listeningRing");
    setFixedSize(sizeHint());
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

ListeningRing::~ListeningRing() { listen(false); }

QSize ListeningRing::sizeHint() const { return {int(side), int(side)}; }

ListeningRing::Ring ListeningRing::ringNow(int index) const {
    if (!on_) return {};
    // Without motion the pulse stands still at one moment of it, both rings
    // out and apart (its end would show no ring at all); Reduce Motion keeps
    // them at rest around the dot.
    if (Motion::instant()) return ring(index, stillElapsedSeconds);
    if (Display::reduceMotion()) return {};
    const double now = clock_ ? clock_->now() : FrameClock::current().now();
    return ring(index, now - start_);
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
    if (!on_) {
        on_ = true;
        start_ = FrameClock::current().now();
    }
    listen(true);
    rings_->refresh();
}

void ListeningRing::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    listen(false);
    rings_->refresh();
}

void ListeningRing::listen(bool on) {
    if (on == (clock_ != nullptr)) return;
    if (on) {
        // A still ring needs no frames.
        if (Motion::instant() || Display::reduceMotion()) return;
        clock_ = &FrameClock::current();
        token_ = clock_->addListener([this](double) { rings_->refresh(); });
    } else {
        clock_->removeListener(token_);
        clock_ = nullptr;
    }
}

}  // namespace velorin
