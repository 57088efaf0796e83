#pragma once
// The rainbow effects as views of their own: the liquid filling the view, the
// subpixel grain over it, and the capsule glass that stands behind its
// content. Widgets that draw these inside shapes of their own paint them
// directly (`LiquidMotion`, `paintPixelGrain`, `paintRainbowGlass`).

#include "Velorin/Design/Display.h"
#include "Velorin/Design/LiquidMotion.h"
#include "Velorin/Design/OverlayShadow.h"

#include <QWidget>

namespace velorin {

// The rainbow liquid filling the whole view to `level` (0…1; above 1 is
// brim-full). Level changes spring; the wave moves while the view is shown.
class RainbowLiquidView final : public QWidget {
    Q_OBJECT

public:
    explicit RainbowLiquidView(double level = 0, QWidget* parent = nullptr);

    double level() const { return liquid_.targetLevel(); }
    void setLevel(double level);
    const LiquidMotion& liquid() const { return liquid_; }

    // A fill for whatever room it is given; it needs none of its own.
    QSize sizeHint() const override { return QSize(0, 0); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    LiquidMotion liquid_;
    DisplayObserver display_;  // Reduce Motion starts and stops the wave
};

// The faint subpixel grain over the whole view, screen-blended onto what lies
// below; `strength` is the stripes' opacity. It takes no clicks.
class PixelGrainView final : public QWidget {
    Q_OBJECT

public:
    explicit PixelGrainView(double strength = 0.12, QWidget* parent = nullptr);

    double strength() const { return strength_; }
    void setStrength(double strength);

    QSize sizeHint() const override { return QSize(0, 0); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double strength_;
};

// The capsule glass behind its content: lay the content out inside it (its
// size follows the layout, and the capsule takes the whole widget). `dark`
// darkens the glass for light content; `solid` makes it nearly opaque.
// Its shadow spreads beyond it on the window's effects overlay.
class RainbowGlass final : public QWidget {
    Q_OBJECT

public:
    explicit RainbowGlass(bool dark = false, bool solid = false, QWidget* parent = nullptr);

    bool dark() const { return dark_; }
    void setDark(bool dark);
    bool solid() const { return solid_; }
    void setSolid(bool solid);

    const OverlayShadow& shadow() const { return shadow_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool dark_;
    bool solid_;
    OverlayShadow shadow_;
    DisplayObserver display_;  // the shadow's colour follows the appearance
};

}  // namespace velorin
