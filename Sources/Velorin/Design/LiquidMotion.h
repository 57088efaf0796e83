#pragma once
// A rainbow liquid in motion inside a widget (a pill, the tab bar's blob):
// its level moves with the liquid's own spring, and while its wave can be
// seen moving (the host shown, the level above 0 and below full, motion
// allowed) it repaints the host on the liquid's timeline, at most every
// 1/30 second. The host calls `refresh()` from its show and hide events.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Color.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/Rainbow.h"

#include <QRectF>

class QPainter;
class QWidget;

namespace velorin {

class LiquidMotion {
public:
    explicit LiquidMotion(QWidget* host, double level = 0);
    ~LiquidMotion();
    LiquidMotion(const LiquidMotion&) = delete;
    LiquidMotion& operator=(const LiquidMotion&) = delete;

    double level() const { return level_.value(); }
    double targetLevel() const { return level_.target(); }
    // Moves to `level` with the liquid's spring (at once under instant motion).
    void setLevel(double level);
    // Whether the wave is asking for frames.
    bool isWaving() const { return clock_ != nullptr; }
    double phase() const { return liquid_.phase(); }

    // Starts or stops the wave's frames as the host's visibility, the level
    // and Reduce Motion allow.
    void refresh();
    void paint(QPainter& painter, const QRectF& rect, const ColorEnvironment& environment);

private:
    bool wantsFrames() const;
    void frame(double now);
    void stopFrames();

    QWidget* host_;
    AnimatedValue<double> level_;
    RainbowLiquid liquid_;
    FrameClock* clock_ = nullptr;
    FrameClock::Token token_ = 0;
    double lastTick_ = -1;
};

}  // namespace velorin
