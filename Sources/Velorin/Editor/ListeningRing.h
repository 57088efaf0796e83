#pragma once
// The small pulsing mark shown while the system waits for a gesture on the
// touchpad: a dot with two rings that grow out of it and fade, one after the
// other, over and over. It takes 22 × 22 points in its layout; the rings grow
// beyond that and are drawn above the window's content.

#include <QWidget>

#include <memory>

#include "Velorin/Design/Pulse.h"

namespace velorin {

class ListeningRing : public QWidget {
    Q_OBJECT
public:
    static constexpr double side = 22;           // points
    static constexpr double dotSide = 8;         // points
    static constexpr double lineWidth = 2;       // points
    static constexpr double periodSeconds = 1.2;
    static constexpr double ringDelaySeconds = 0.6;  // the second ring runs half a period behind
    static constexpr double restingScale = 0.6;
    static constexpr double restingOpacity = 0.9;
    static constexpr double grownScale = 1.8;
    // The moment of the pulse shown while motion is instant: the first ring
    // well out, the second just leaving the dot.
    static constexpr double stillElapsedSeconds = 0.75;

    struct Ring {
        double scale = restingScale;
        double opacity = restingOpacity;
        bool operator==(const Ring&) const = default;
    };
    // Ring `index` (0 or 1) `elapsed` seconds after the pulse began: at rest
    // before its delay, then growing and fading with an ease-out, again and again.
    static Ring ring(int index, double elapsed);

    explicit ListeningRing(QWidget* parent = nullptr);
    ~ListeningRing() override;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Whether the pulse has begun (it begins when first shown and never stops).
    bool isOn() const { return pulse_.hasBegun(); }
    // The rings as drawn now.
    Ring ringNow(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    class Rings;

    std::unique_ptr<Rings> rings_;
    Pulse pulse_;
};

}  // namespace velorin
