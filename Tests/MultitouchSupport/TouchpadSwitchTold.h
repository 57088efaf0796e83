#pragma once
// What a touchpad switch watch told, for tests to wait on.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <vector>

#include "MultitouchSupport/TouchpadSwitch.h"

namespace velorin::testing {

// What the watch told, in order.
class Told {
public:
    std::function<void(const multitouch::TouchpadSwitch&)> callback() {
        return [this](const multitouch::TouchpadSwitch& state) {
            std::lock_guard lock(mutex_);
            states_.push_back(state);
            cv_.notify_all();
        };
    }
    // Waits (for the watch's thread, never for time) until the last state told is `expected`.
    bool waitFor(const multitouch::TouchpadSwitch& expected) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, std::chrono::seconds(20),
                            [&] { return !states_.empty() && states_.back() == expected; });
    }
    std::vector<multitouch::TouchpadSwitch> states() {
        std::lock_guard lock(mutex_);
        return states_;
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<multitouch::TouchpadSwitch> states_;
};

}  // namespace velorin::testing
