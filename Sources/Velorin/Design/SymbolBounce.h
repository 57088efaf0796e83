#pragma once
// A symbol's bounce: its scale drops to 80 % and springs back to full size
// with the wobble spring. Without motion (instant motion, Reduce Motion) the
// symbol stays as it is.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Theme.h"

#include <functional>

namespace velorin {

class SymbolBounce {
public:
    static constexpr double start = 0.8;  // the symbol's scale when a bounce starts
    static constexpr Spring spring = Theme::wobble;

    // `onFrame` is called on every frame of a bounce.
    explicit SymbolBounce(std::function<void()> onFrame = {}) : scale_(1.0, std::move(onFrame)) {}

    void play();
    // The symbol's scale now, about its centre.
    double scale() const { return scale_.value(); }
    bool isBouncing() const { return scale_.isAnimating(); }

private:
    AnimatedValue<double> scale_;
};

}  // namespace velorin
