#pragma once
// The sideways shake of a chip that wants attention (a duplicate shortcut):
// three full swings whose amplitude falls from 4 points to rest over half a
// second, eased out. The widget that shakes reads `offset()` when it paints
// (or moves by it); `Shake` calls back on every frame while it runs.

#include <functional>

#include "Velorin/Design/Animated.h"

namespace velorin {

struct ShakeEffect {
    static constexpr double amplitude = 4;  // points
    static constexpr double duration = 0.5;  // seconds

    // The sideways offset at phase p (0…1): (1 − p) · sin(6πp) · 4.
    static double offset(double phase);
};

class Shake {
public:
    explicit Shake(std::function<void()> onFrame = {});

    // Call when the view comes into view and whenever its trigger changes:
    // a true trigger shakes from the start again, a false one does nothing.
    void trigger(bool on);

    double phase() const { return phase_.value(); }
    double offset() const { return ShakeEffect::offset(phase()); }

private:
    AnimatedValue<double> phase_;
};

}  // namespace velorin
