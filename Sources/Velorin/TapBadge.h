#pragma once
// The badge: a dark capsule with the gesture's symbol in a rippling ring, the
// gesture's name, an arrow and the action's name (orange when it failed).
// Painted from its state only; every new badge replays the ripple.

#include <QWidget>

#include "Velorin/Design/Animated.h"
#include "Velorin/Observations.h"
#include "Velorin/TapOverlay.h"

namespace velorin {

class TapBadge : public QWidget {
    Q_OBJECT
public:
    static constexpr double rippleSeconds = 0.6;

    explicit TapBadge(TapBadgeState& state, QWidget* parent = nullptr);
    ~TapBadge() override;

    // 0 at the start of the ripple, 1 at its end (ring grown and faded out).
    double rippleProgress() const { return ripple_.value(); }
    QSize sizeHint() const override;

    // The gesture's name and the action's name.
    static QFont gestureFont();
    static QFont actionFont();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void replayRipple();
    QRect capsuleRect() const;

    TapBadgeState& state_;
    AnimatedValue<double> ripple_{1};
    Observations observations_;
};

}  // namespace velorin
