#pragma once
// Simulated haptics: records what was performed.

#include "Platform/Haptics.h"

#include <mutex>
#include <vector>

namespace velorin::sim {

struct HapticFeedback {
    HapticPattern pattern = HapticPattern::generic;
    HapticPerformanceTime time = HapticPerformanceTime::defaultTime;
    bool operator==(const HapticFeedback&) const = default;
};

class SimHaptics : public Haptics {
public:
    void perform(HapticPattern pattern, HapticPerformanceTime time) override {
        std::lock_guard lock(mutex_);
        performed_.push_back({pattern, time});
    }

    std::vector<HapticFeedback> performed() const {
        std::lock_guard lock(mutex_);
        return performed_;
    }
    void clearRecords() {
        std::lock_guard lock(mutex_);
        performed_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<HapticFeedback> performed_;
};

}  // namespace velorin::sim
