#pragma once
// The on/off switch of the whole interface: a capsule whose liquid runs in
// from the left when it turns on and drains out when it turns off, sloshing
// for a moment afterwards, with a round knob that stretches under the finger
// and slides between the ends. Without a fill of its own it has the rainbow
// look (a shaded well, rainbow bands, grain, a pearl knob and a splash of
// pixels on each toggle); with one (a pack's gradient) a cream well, a white
// knob, a faint rim and no splash.
//
// A press that ends anywhere, on the switch or off it, toggles it once;
// space does the same from the keyboard.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Fill.h"
#include "Velorin/Design/FocusRing.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/Spring.h"
#include "Velorin/Design/WaveFill.h"

#include <QAbstractButton>
#include <QSizeF>

#include <optional>

namespace velorin {

class LiquidSwitch : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr double width = 46;   // points
    static constexpr double height = 26;  // points
    static constexpr QSizeF knobSize{21, 21};
    static constexpr QSizeF pressedKnobSize{27, 18};
    static constexpr double knobInset = 2.5;       // points from the switch's edges
    static constexpr double sloshAmplitude = 3;    // points of wave at full slosh
    static constexpr double sloshPhase = 6;        // radians of wave at full slosh
    static constexpr Spring sloshSpring{0.9, 0.35, 0};

    // Off, in the rainbow look.
    explicit LiquidSwitch(QWidget* parent = nullptr);
    // No fill: the rainbow look.
    explicit LiquidSwitch(bool on, std::optional<ShapeFill> fill = std::nullopt, QWidget* parent = nullptr);
    ~LiquidSwitch() override;

    bool isOn() const { return isChecked(); }
    // Sets the value from outside: the liquid and knob move, but no haptic
    // plays and nothing splashes (those answer the user's own toggle).
    void setOn(bool on) { setChecked(on); }

    const std::optional<ShapeFill>& fill() const { return fill_; }
    void setFill(const std::optional<ShapeFill>& fill);
    bool isRainbow() const { return !fill_.has_value(); }

    // Where the switch stands now, for tests and the gallery.
    double level() const { return level_.value(); }
    double slosh() const { return slosh_.value(); }
    QSizeF currentKnobSize() const { return knob_.value(); }
    int splashes() const { return splashes_; }
    const PixelSplash& splash() const { return splash_; }
    // The liquid's outline in the switch's frame (before its capsule clip).
    WaveFill wave() const;
    QRectF switchRect() const;
    QRectF knobRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& position) const override;
    void nextCheckState() override;

private:
    void paintWell(QPainter& painter, const QRectF& frame, const ColorEnvironment& environment);

    std::optional<ShapeFill> fill_;
    FocusRing focusRing_{this};
    int splashes_ = 0;
    AnimatedValue<double> level_;
    AnimatedValue<QSizeF> knob_;
    AnimatedValue<double> slosh_;
    PixelSplash splash_;
    DisplayObserver display_;
};

}  // namespace velorin
