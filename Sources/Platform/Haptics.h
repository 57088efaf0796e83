#pragma once
// The default haptic feedback performer.

namespace velorin {

enum class HapticPattern { generic, alignment, levelChange };
enum class HapticPerformanceTime { defaultTime, now, drawCompleted };

class Haptics {
public:
    virtual ~Haptics() = default;
    virtual void perform(HapticPattern pattern, HapticPerformanceTime time) = 0;
};

}  // namespace velorin
