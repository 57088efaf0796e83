#include "Velorin/Design/Feedback.h"

#include "Platform/Platform.h"

namespace velorin {

void playHaptic(HapticPattern pattern) { platform::current().haptics().perform(pattern, HapticPerformanceTime::now); }

}  // namespace velorin
