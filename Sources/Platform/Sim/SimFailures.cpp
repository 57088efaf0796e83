#include "Platform/Sim/SimFailures.h"

#include <algorithm>
#include <stdexcept>

namespace velorin::sim {

std::string_view name(FailurePoint point) {
    switch (point) {
        case FailurePoint::eventSource: return "eventSource";
        case FailurePoint::keyboardEvent: return "keyboardEvent";
        case FailurePoint::systemDefinedEvent: return "systemDefinedEvent";
        case FailurePoint::quartzEvent: return "quartzEvent";
        case FailurePoint::eventTap: return "eventTap";
        case FailurePoint::accessibilityValue: return "accessibilityValue";
        case FailurePoint::openURL: return "openURL";
        case FailurePoint::processStart: return "processStart";
        case FailurePoint::scriptCreation: return "scriptCreation";
    }
    return "unknown";
}

void SimFailures::failNext(FailurePoint point, int skip) {
    if (skip < 0) throw std::invalid_argument("failNext: skip must not be negative");
    std::lock_guard lock(mutex_);
    pending_[point].push_back(skip);
}

void SimFailures::setFailing(FailurePoint point, bool failing) {
    std::lock_guard lock(mutex_);
    failing_[point] = failing;
}

void SimFailures::reset() {
    std::lock_guard lock(mutex_);
    pending_.clear();
    failing_.clear();
    attempts_.clear();
}

int SimFailures::attempts(FailurePoint point) const {
    std::lock_guard lock(mutex_);
    auto it = attempts_.find(point);
    return it == attempts_.end() ? 0 : it->second;
}

bool SimFailures::shouldFail(FailurePoint point) {
    std::lock_guard lock(mutex_);
    ++attempts_[point];
    bool fails = failing_[point];
    auto& countdowns = pending_[point];
    // Every pending failure sees this attempt; the first that has let enough
    // attempts through takes it.
    bool taken = false;
    for (auto it = countdowns.begin(); it != countdowns.end();) {
        if (*it == 0 && !taken) {
            taken = true;
            it = countdowns.erase(it);
        } else {
            if (*it > 0) --*it;
            ++it;
        }
    }
    return fails || taken;
}

}  // namespace velorin::sim
