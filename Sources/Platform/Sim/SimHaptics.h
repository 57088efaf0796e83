#pragma once
// Simulated haptics: records what was performed.

#include "Platform/Haptics.h"
#include "Platform/Sim/SimJournal.h"

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
    explicit SimHaptics(SimJournal& journal) : journal_(journal) {}

    void perform(HapticPattern pattern, HapticPerformanceTime time) override {
        std::lock_guard lock(mutex_);
        performed_.push_back({pattern, time});
        journal_.write("haptic " + describe(pattern) + " " + describe(time));
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
    static std::string describe(HapticPattern pattern) {
        switch (pattern) {
            case HapticPattern::generic: return "generic";
            case HapticPattern::alignment: return "alignment";
            case HapticPattern::levelChange: return "levelChange";
        }
        return "unknown";
    }
    static std::string describe(HapticPerformanceTime time) {
        switch (time) {
            case HapticPerformanceTime::defaultTime: return "default";
            case HapticPerformanceTime::now: return "now";
            case HapticPerformanceTime::drawCompleted: return "drawCompleted";
        }
        return "unknown";
    }

    SimJournal& journal_;
    mutable std::mutex mutex_;
    std::vector<HapticFeedback> performed_;
};

}  // namespace velorin::sim
