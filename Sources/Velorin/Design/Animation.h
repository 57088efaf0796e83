#pragma once
// How a change of value moves: a spring, or the ease-out curve over a fixed
// duration, optionally repeated forever (a pulse). `Motion` holds the
// process-wide "instant motion" switch that makes every animation jump to its
// end, so that tests see end states at once.

#include "Velorin/Design/Spring.h"

#include <variant>

namespace velorin {

// The standard ease-out timing curve: cubic Bézier (0, 0) (0.58, 1).
struct EaseOut {
    double duration = 0.25;  // seconds

    // Share of the way travelled at `fraction` (0…1) of the duration.
    static double progress(double fraction);
    bool operator==(const EaseOut&) const = default;
};

class Animation {
public:
    using Curve = std::variant<Spring, EaseOut>;

    static Animation spring(const Spring& spring) { return Animation(spring); }
    static Animation spring(double response, double dampingFraction) {
        return Animation(Spring{response, dampingFraction, 0});
    }
    static Animation easeOut(double duration) { return Animation(EaseOut{duration}); }

    // Runs from the start value to the target again and again, without
    // reversing; never ends by itself.
    Animation repeatForever() const {
        Animation copy = *this;
        copy.repeats_ = true;
        return copy;
    }

    const Curve& curve() const { return curve_; }
    bool repeats() const { return repeats_; }
    bool operator==(const Animation&) const = default;

private:
    explicit Animation(Curve curve) : curve_(curve) {}

    Curve curve_;
    bool repeats_ = false;
};

struct Motion {
    Motion() = delete;

    // While on, every animation jumps straight to its end value.
    static bool instant();
    static void setInstant(bool on);
};

}  // namespace velorin
