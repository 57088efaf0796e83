#pragma once
// A simulated pasteboard holding at most one text.

#include "Platform/Pasteboard.h"
#include "Platform/Sim/SimJournal.h"

#include <mutex>

namespace velorin::sim {

class SimPasteboard : public Pasteboard {
public:
    explicit SimPasteboard(SimJournal& journal) : journal_(journal) {}

    void clearContents() override {
        std::lock_guard lock(mutex_);
        text_.reset();
        ++changeCount_;
        journal_.write("pasteboard clear");
    }
    bool setString(const std::string& text) override {
        std::lock_guard lock(mutex_);
        if (refuses_) return false;
        text_ = text;
        ++changeCount_;
        journal_.write("pasteboard set " + text);
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
    SimJournal& journal_;
    mutable std::mutex mutex_;
    std::optional<std::string> text_;
    int changeCount_ = 0;
    bool refuses_ = false;
};

}  // namespace velorin::sim
