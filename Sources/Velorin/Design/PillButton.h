#pragma once
// The capsule button used for nearly every action. `PillButtonStyle` is its
// look as plain decisions (liquid level, text colour, squash, fade);
// `PillButton` is the button drawn in it: rainbow liquid that fills the pill
// while pressed (a primary pill stands 40 % full at rest), on capsule glass,
// squashing under the press and letting go with one haptic and a splash of
// pixels. A pill may also swell (be drawn larger about its centre) when its
// owner asks, inside room kept around it for that; it fades with its parents
// (`fadeOf`).

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/FocusRing.h"
#include "Velorin/Design/LiquidMotion.h"
#include "Velorin/Design/OverlayShadow.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/Spring.h"
#include "Velorin/Design/Theme.h"

#include <QAbstractButton>
#include <QMarginsF>
#include <QSizeF>

#include <optional>
#include <string>

namespace velorin {

struct PillButtonStyle {
    bool primary = false;  // the default or most important action of a group

    static constexpr double pressedLevel = 1.15;
    static constexpr double primaryLevel = 0.4;
    static constexpr double fontPoints = 13;
    static constexpr double horizontalPadding = 15;  // points
    static constexpr double verticalPadding = 8;     // points
    static constexpr double grainStrength = 0.18;
    static constexpr double disabledOpacity = 0.45;
    static constexpr double textShadowOpacity = 0.45;
    static constexpr QSizeF pressedScale{1.05, 0.9};
    static constexpr Spring pressSpring{0.32, 0.5, 0};

    double liquidLevel(bool pressed) const { return pressed ? pressedLevel : (primary ? primaryLevel : 0); }
    // White text (with its shadow) while pressed or on a primary pill, else ink.
    bool whiteText(bool pressed) const { return pressed || primary; }
    ThemeColor textColor(bool pressed) const { return whiteText(pressed) ? Theme::onAccent : Theme::ink; }
    QSizeF scale(bool pressed) const { return pressed ? pressedScale : QSizeF(1, 1); }
    static double opacity(bool enabled) { return enabled ? 1 : disabledOpacity; }

    bool operator==(const PillButtonStyle&) const = default;
};

class PillButton : public QAbstractButton {
    Q_OBJECT

public:
    explicit PillButton(QWidget* parent = nullptr);
    explicit PillButton(const QString& text, bool primary = false, QWidget* parent = nullptr);
    ~PillButton() override;

    // A symbol before the text, at the text's size.
    const std::optional<std::string>& symbol() const { return symbol_; }
    void setSymbol(std::optional<std::string> symbol);
    static constexpr double symbolSpacing = 6;  // points between symbol and text

    // Whether letting go ticks; off for a button whose action plays its own haptic.
    bool ticks() const { return ticks_; }
    void setTicks(bool ticks) { ticks_ = ticks; }

    // Changes the text and lets the pill's width follow it from the width shown
    // now along `spring`, as the pill's neighbours move; at once under instant
    // motion, under Reduce Motion and while the pill is off screen.
    void setTextGliding(const QString& text, const Spring& spring);
    bool isGlidingWidth() const { return width_.isAnimating(); }

    bool isPrimary() const { return style_.primary; }
    void setPrimary(bool primary);
    const PillButtonStyle& pillStyle() const { return style_; }
    // The text's colour while it isn't white (at rest, not primary), as for a
    // destructive action; none: ink.
    void setTextColor(std::optional<ThemeColor> color);
    const std::optional<ThemeColor>& textColor() const { return textColor_; }

    // Keeps room around the pill for it to be drawn up to `largest` times its
    // size; `swellMargins` is that room, for an owner that takes it out of its own padding.
    void setSwellRoom(double largest);
    QMarginsF swellMargins() const;
    // Draws the pill at `scale` about its centre (1: its own size), moving
    // there along `animation`, else at once.
    void swellTo(double scale, const std::optional<Animation>& animation);

    // Where the pill stands now, for tests and the gallery.
    double liquidLevel() const { return liquid_.level(); }
    QSizeF squash() const { return squash_.value(); }
    double swell() const { return swell_.value(); }
    double swellTarget() const { return swell_.target(); }
    // The pill's size and place as drawn now: squashed and swollen.
    QRectF drawnPillRect() const;
    // The opacity the pill paints with: its enabled look, faded with its parents.
    double paintOpacity() const;
    int splashes() const { return splashes_; }
    const PixelSplash& splash() const { return splash_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    // The capsule, inside the room the squash needs.
    QRectF pillRect() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool hitButton(const QPoint& position) const override;

private:
    void pressChanged(bool pressed);

    double symbolRoom() const;
    QSizeF contentSize() const;
    double naturalWidth() const;
    QMarginsF room() const;

    PillButtonStyle style_;
    double swellRoom_ = 1;
    FocusRing focusRing_{this};
    std::optional<ThemeColor> textColor_;
    std::optional<std::string> symbol_;
    bool ticks_ = true;
    int splashes_ = 0;
    LiquidMotion liquid_;
    AnimatedValue<QSizeF> squash_;
    AnimatedValue<double> swell_;
    AnimatedValue<double> width_;  // the content's width while it glides
    PixelSplash splash_;
    OverlayShadow shadow_;
    DisplayObserver display_;
};

}  // namespace velorin
