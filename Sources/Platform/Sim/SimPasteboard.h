#pragma once
// A simulated pasteboard holding at most one text.

#include "Platform/Pasteboard.h"

#include <mutex>

namespace velorin::sim {

class SimPasteboard : public Pasteboard {
public:
    void clearContents() override {
        std::lock_guard lock(mutex_);
        text_.reset();
        ++changeCount_;
    }
    bool setString(const std::string& text) override {
        std::lock_guard lock(mutex_);
        if (refuses_) return false;
        text_ = text;
        ++changeCount_;
        return true;
    }
    std::optional<std::string> string() override {
        std::lock_guard lock(mutex_);
        return text_;
    }

    // The test side.
    // Every change (clearing or setting) counts once.
    int changeCount() const {
        std::lock_guard lock(mutex_);
        return changeCount_;
    }
    void setRefusesText(bool refuses) {
        std::lock_guard lock(mutex_);
        refuses_ = refuses;
    }

private:
    mutable std::mutex mutex_;
    std::optional<std::string> text_;
    int changeCount_ = 0;
    bool refuses_ = false;
};

}  // namespace velorin::sim
