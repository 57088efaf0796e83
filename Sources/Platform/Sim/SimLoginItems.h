#pragma once
// A simulated login item: not registered at first; registering enables it
// unless the test makes the next call fail.

#include "Platform/LoginItems.h"
#include "Platform/Sim/SimJournal.h"

#include <mutex>
#include <optional>
#include <vector>

namespace velorin::sim {

enum class LoginItemCall { registerMainApp, unregisterMainApp };

class SimLoginItems : public LoginItems {
public:
    explicit SimLoginItems(SimJournal& journal) : journal_(journal) {}

    LoginItemStatus status() override {
        std::lock_guard lock(mutex_);
        return status_;
    }
    void registerMainApp() override { change(LoginItemCall::registerMainApp, LoginItemStatus::enabled); }
    void unregisterMainApp() override { change(LoginItemCall::unregisterMainApp, LoginItemStatus::notRegistered); }

    // The test side.
    void setStatus(LoginItemStatus status) {
        std::lock_guard lock(mutex_);
        status_ = status;
    }
    // The next registration or unregistration throws with this description
    // and changes nothing.
    void failNext(std::string description) {
        std::lock_guard lock(mutex_);
        failure_ = std::move(description);
    }
    std::vector<LoginItemCall> calls() const {
        std::lock_guard lock(mutex_);
        return calls_;
    }

private:
    void change(LoginItemCall call, LoginItemStatus result) {
        std::lock_guard lock(mutex_);
        calls_.push_back(call);
        const std::string line = std::string("login item ") +
                                 (call == LoginItemCall::registerMainApp ? "register" : "unregister");
        if (failure_) {
            journal_.write(line + " failed");
            auto description = std::move(*failure_);
            failure_.reset();
            throw LoginItemError(std::move(description));
        }
        journal_.write(line);
        status_ = result;
    }

    SimJournal& journal_;
    mutable std::mutex mutex_;
    LoginItemStatus status_ = LoginItemStatus::notRegistered;
    std::optional<std::string> failure_;
    std::vector<LoginItemCall> calls_;
};

}  // namespace velorin::sim
