#pragma once
// A small status dot with a halo that keeps growing out of it and fading,
// once every 1.4 seconds, from the moment it is shown. Under Reduce Motion
// the dot stands still with its halo at rest (hidden under the dot); with
// instant motion the halo stands still partway out, as it is 0.75 seconds
// into a pulse.

#include "Velorin/Design/Color.h"
#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/Pulse.h"

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
    static constexpr double stillSeconds = 0.75;     // the moment shown while motion is instant

    explicit PulseDot(ThemeColor color = ThemeColor::accent(), QWidget* parent = nullptr);
    ~PulseDot() override;

    ThemeColor color() const { return color_; }
    void setColor(ThemeColor color);

    // Whether the halo is pulsing (shown, and Reduce Motion off).
    bool isPulsing() const { return pulse_.isMoving(); }
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
    // 0 at rest, toward 1 at the end of a pulse.
    double progress() const;

    ThemeColor color_;
    std::unique_ptr<Halo> halo_;
    Pulse pulse_;
};

}  // namespace velorin
