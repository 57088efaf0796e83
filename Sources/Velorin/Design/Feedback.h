#pragma once
// The one haptic a control plays when it changes a value, at once, through
// the platform's haptic performer.

#include "Platform/Haptics.h"

namespace velorin {

void playHaptic(HapticPattern pattern);

}  // namespace velorin
