#include "Velorin/Packs/Presence.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

#include "Velorin/Design/Display.h"

namespace velorin {

PresenceLook PresenceStyle::lookAt(double progress, bool reduceMotion) const {
    PresenceLook look;
    look.opacity = std::clamp(progress, 0.0, 1.0);
    if (reduceMotion) return look;
    // A spring may overshoot: the scale and the drop follow it past the end.
    look.scale = scale + (1 - scale) * progress;
    look.dy = dy * (1 - progress);
    return look;
}

void PresenceEffect::setLook(const PresenceLook& look) {
    if (look == look_) return;
    look_ = look;
    update();
}

void PresenceEffect::draw(QPainter* painter) {
    if (look_.opacity <= 0.001) return;
    QPoint offset;
    const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &offset, QGraphicsEffect::NoPad);
    if (pixmap.isNull()) return;
    painter->save();
    const QPointF centre = sourceBoundingRect(Qt::LogicalCoordinates).center();
    painter->translate(centre.x(), centre.y() + look_.dy);
    painter->scale(look_.scale, look_.scale);
    painter->translate(-centre);
    painter->setOpacity(painter->opacity() * look_.opacity);
    painter->setRenderHint(QPainter::SmoothPixmapTransform);
    painter->drawPixmap(offset, pixmap);
    painter->restore();
}

Presence::Presence(QWidget* view, PresenceStyle style) : view_(view), style_(style) {}

Presence::~Presence() { stop(); }

double Presence::progress() const {
    if (!clock_) return progress_.target();
    const double now = clock_->now();
    return pending_ ? held_ : progress_.value(now);
}

PresenceLook Presence::look() const { return style_.lookAt(progress(), Display::reduceMotion()); }

void Presence::appear(const Animation& animation, double delay) {
    gone_ = {};
    const bool fromRest = !isMoving();
    if (fromRest) progress_.jump(0);
    start(1, animation, Display::reduceMotion() ? 0 : delay);
}

void Presence::leave(const Animation& animation, std::function<void()> gone) {
    gone_ = std::move(gone);
    start(0, animation, 0);
}

void Presence::show() {
    gone_ = {};
    stop();
    progress_.jump(1);
    target_ = 1;
    apply();
}

void Presence::start(double target, const Animation& animation, double delay) {
    target_ = target;
    FrameClock& clock = clock_ ? *clock_ : FrameClock::current();
    const double now = clock.now();
    held_ = clock_ ? progress() : progress_.target();
    if (Motion::instant()) {
        stop();
        progress_.jump(target);
        apply();
        if (target == 0 && gone_) std::exchange(gone_, {})();
        return;
    }
    // The value stands still through the delay, then moves from there.
    progress_.jump(held_);
    pending_ = delay > 0;
    pendingAnimation_ = animation;
    beginAt_ = now + delay;
    if (!pending_) progress_.animate(target, animation, now);
    if (!clock_) {
        clock_ = &clock;
        token_ = clock.addListener([this](double t) { frame(t); });
    }
    apply();
}

void Presence::frame(double now) {
    if (pending_ && now >= beginAt_) {
        pending_ = false;
        progress_.animate(target_, pendingAnimation_, beginAt_);
    }
    if (!pending_ && !progress_.isAnimating(now)) {
        progress_.settle();
        stop();
        apply();
        if (target_ == 0 && gone_) std::exchange(gone_, {})();
        return;
    }
    apply();
}

void Presence::stop() {
    if (!clock_) return;
    clock_->removeListener(token_);
    clock_ = nullptr;
    pending_ = false;
}

void Presence::apply() {
    if (!view_) return;
    const PresenceLook look = this->look();
    auto* effect = dynamic_cast<PresenceEffect*>(view_->graphicsEffect());
    if (look == PresenceLook{}) {
        if (effect) view_->setGraphicsEffect(nullptr);  // deletes it
        return;
    }
    if (!effect) {
        effect = new PresenceEffect(view_);
        view_->setGraphicsEffect(effect);
    }
    effect->setLook(look);
}

bool isPresent(const QWidget* view, const Presence& presence) { return !view->isHidden() && !presence.isLeaving(); }

void setPresent(QWidget* view, Presence& presence, bool present, const std::optional<Animation>& animation) {
    if (present == isPresent(view, presence)) return;
    if (!animation) {
        presence.show();
        view->setVisible(present);
    } else if (present) {
        view->show();
        presence.appear(*animation);
    } else {
        presence.leave(*animation, [view] { view->hide(); });
    }
}

}  // namespace velorin
