#include "Velorin/Settings/Shake.h"

#include <cmath>
#include <numbers>

namespace velorin {

double ShakeEffect::offset(double phase) { return (1 - phase) * std::sin(6 * std::numbers::pi * phase) * amplitude; }

// At rest a shake stands at phase 1, where the offset is 0.
Shake::Shake(std::function<void()> onFrame) : phase_(1.0, std::move(onFrame)) {}

void Shake::trigger(bool on) {
    if (!on) return;
    phase_.setValue(0);
    phase_.animateTo(1, Animation::easeOut(ShakeEffect::duration));
}

}  // namespace velorin
