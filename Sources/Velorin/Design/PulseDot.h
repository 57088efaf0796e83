#pragma once
// A small status dot with a halo that keeps growing out of it and fading,
// once every 1.4 seconds, from the moment it is shown. Under Reduce Motion
// the dot stands still with its halo at rest (hidden under the dot).

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Color.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/EffectsOverlay.h"

#include <QWidget>

#include <memory>

namespace velorin {

class PulseDot : public QWidget {
    Q_OBJECT

public:
    static constexpr double diameter = 7;            // points
    static constexpr double haloOpacity = 0.35;
    static constexpr double haloGrowth = 2.4;        // the halo's scale at the end of a pulse
    static constexpr double pulseDuration = 1.4;     // seconds

    explicit PulseDot(ThemeColor color = ThemeColor::accent(), QWidget* parent = nullptr);
    ~PulseDot() override;

    ThemeColor color() const { return color_; }
    void setColor(ThemeColor color);

    // Whether the halo is pulsing.
    bool isPulsing() const { return pulsing_; }
    // The halo now: its scale (1 at rest) and its opacity factor (1 at rest).
    double haloScale() const;
    double haloFade() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    class Halo;
    void startOrStop();

    ThemeColor color_;
    bool pulsing_ = false;
    AnimatedValue<double> pulse_;  // 0 at rest, 1 at the end of a pulse
    std::unique_ptr<Halo> halo_;
    DisplayObserver display_;
};

}  // namespace velorin
