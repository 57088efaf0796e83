#pragma once
// The window of the tap overlay: frameless, translucent, always on top,
// click-through and never taking the focus, 560 by 120, holding one badge.

#include <QRect>
#include <QWidget>

#include <vector>

#include "Velorin/Design/Animated.h"
#include "Velorin/TapOverlay.h"

namespace velorin {

class TapBadge;

// A screen as Qt reports it: its top left in device pixels of the whole
// desktop, its size in Qt's scaled pixels.
struct QtScreenGeometry {
    QRect geometry;
    double devicePixelRatio = 1;
};

// Where Qt must place a window of `window` size (Qt's pixels) whose bottom
// left lies at `origin` in the screens' convention (points from the primary
// screen's bottom left). `screens` lists the primary screen first; it need
// not sit at Qt's origin.
QPoint qtWindowPosition(Point origin, QSize window, const std::vector<QtScreenGeometry>& screens);

class TapOverlayWindow : public QWidget, public OverlayPanel {
    Q_OBJECT
public:
    explicit TapOverlayWindow(TapBadgeState& state);
    ~TapOverlayWindow() override;

    Size size() const override;
    void setFrameOrigin(Point origin) override;
    double alphaValue() const override { return alpha_; }
    void setAlphaValue(double alpha) override;
    void fadeAlphaValue(double alpha, double durationSeconds) override;
    void orderFrontRegardless() override;
    void orderOut() override;
    bool isVisible() const override { return QWidget::isVisible(); }

    TapBadge* badge() const { return badge_; }

private:
    TapBadge* badge_ = nullptr;
    // The opacity on screen; alphaValue() is where it is going.
    AnimatedValue<double> opacity_{1};
    double alpha_ = 1;
};

}  // namespace velorin
