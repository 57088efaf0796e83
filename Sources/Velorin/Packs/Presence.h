#pragma once
// How a view comes on screen and goes: a progress from 0 (gone) to 1 (shown)
// that moves along an animation, optionally after a delay on the frame clock,
// and a look worked out from it (opacity, scale about the centre, a drop from
// above). While the progress is short of 1 the view is drawn through an effect
// with that look; at rest it is drawn as it is, with no effect. Under Reduce
// Motion a view only fades, at once and without scaling or sliding; under
// instant motion it is at its end at once.

#include <QGraphicsEffect>
#include <QPointer>

#include <functional>
#include <optional>

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/Transition.h"

class QWidget;

namespace velorin {

// The same look as a view that stays in its layout while it comes and goes.
using PresenceLook = TransitionLook;

// How a view looks when it is gone; shown, it is as it is.
struct PresenceStyle {
    double scale = 1;  // 0.96: grows from 96 % of its size
    double dy = 0;     // -6: drops from 6 points above

    // The look at `progress`; without motion only the opacity follows it.
    PresenceLook lookAt(double progress, bool reduceMotion) const;
};

// Draws a view with a `PresenceLook`.
class PresenceEffect : public QGraphicsEffect {
public:
    explicit PresenceEffect(QObject* parent = nullptr) : QGraphicsEffect(parent) {}
    void setLook(const PresenceLook& look);
    const PresenceLook& look() const { return look_; }

protected:
    void draw(QPainter* painter) override;

private:
    PresenceLook look_;
};

class Presence {
public:
    Presence(QWidget* view, PresenceStyle style);
    ~Presence();
    Presence(const Presence&) = delete;
    Presence& operator=(const Presence&) = delete;

    // Comes on screen: from wherever it stands (0 when it was at rest, gone or
    // shown), `delay` seconds from now.
    void appear(const Animation& animation, double delay = 0);
    // Goes: fades toward 0, then calls `gone` (the caller hides the view).
    void leave(const Animation& animation, std::function<void()> gone = {});
    // Stands shown at once, forgetting any motion and any pending `gone`.
    void show();

    double progress() const;
    bool isMoving() const { return clock_ != nullptr; }
    bool isLeaving() const { return target_ == 0 && isMoving(); }
    PresenceLook look() const;

private:
    void start(double target, const Animation& animation, double delay);
    void frame(double now);
    void apply();
    void stop();

    QPointer<QWidget> view_;
    PresenceStyle style_;
    Animated<double> progress_{1.0};
    double target_ = 1;
    bool pending_ = false;  // waiting out the delay
    Animation pendingAnimation_ = Animation::easeOut(0);
    double beginAt_ = 0;
    double held_ = 1;  // the progress during the delay
    std::function<void()> gone_;
    FrameClock* clock_ = nullptr;
    FrameClock::Token token_ = 0;
};

// Whether `view` is on screen and not on its way out.
bool isPresent(const QWidget* view, const Presence& presence);
// Shows or hides `view`: along `animation` when one is given, else at once.
void setPresent(QWidget* view, Presence& presence, bool present, const std::optional<Animation>& animation);

}  // namespace velorin
