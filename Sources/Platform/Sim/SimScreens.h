#pragma once
// Simulated screens and pointer. By default one screen of 1440 × 900 points
// with a 25-point menu bar at the top, and the pointer at its centre.

#include "Platform/Screens.h"

#include <mutex>

namespace velorin::sim {

class SimScreens : public Screens {
public:
    static constexpr Screen defaultScreen{Rect{{0, 0}, {1440, 900}}, Rect{{0, 0}, {1440, 875}}};

    std::vector<Screen> screens() override {
        std::lock_guard lock(mutex_);
        return screens_;
    }
    std::optional<Screen> mainScreen() override {
        std::lock_guard lock(mutex_);
        if (mainIndex_ && *mainIndex_ < screens_.size()) return screens_[*mainIndex_];
        return std::nullopt;
    }
    Point mouseLocation() override {
        std::lock_guard lock(mutex_);
        return mouse_;
    }

    // The test side. Setting the screens makes the first the main screen.
    void setScreens(std::vector<Screen> screens) {
        std::lock_guard lock(mutex_);
        screens_ = std::move(screens);
        mainIndex_ = screens_.empty() ? std::nullopt : std::optional<std::size_t>(0);
    }
    // Absent: no main screen (as when no window has the keyboard).
    void setMainScreen(std::optional<std::size_t> index) {
        std::lock_guard lock(mutex_);
        mainIndex_ = index;
    }
    void setMouseLocation(Point location) {
        std::lock_guard lock(mutex_);
        mouse_ = location;
    }

private:
    std::mutex mutex_;
    std::vector<Screen> screens_{defaultScreen};
    std::optional<std::size_t> mainIndex_{0};
    Point mouse_{720, 450};
};

}  // namespace velorin::sim
