#pragma once
// A value that tells its observers when it changes. Setting an equal value
// stores it without notifying; `assign` notifies in every case, for the
// properties whose every assignment matters. Observing is open to readers
// that hold it as const; only its owner sets it.
//
// `subscribe` gives the observer an Observation that it keeps for as long as
// it wants to be told; it is safe whichever of the two is destroyed first.
// `observe` registers for the observable's whole life (or until `unobserve`).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "Support/Observation.h"

namespace velorin {

template <typename T>
class Observable {
public:
    using Callback = std::function<void(const T&)>;
    using Token = std::uint64_t;

    Observable() = default;
    explicit Observable(T initial) : value_(std::move(initial)) {}
    Observable(const Observable&) = delete;
    Observable& operator=(const Observable&) = delete;
    ~Observable() { observers_->alive = false; }

    const T& get() const { return value_; }
    const T& operator()() const { return value_; }

    // Returns whether observers were told.
    bool set(T value) {
        if (value == value_) {
            value_ = std::move(value);
            return false;
        }
        value_ = std::move(value);
        notify();
        return true;
    }

    void assign(T value) {
        value_ = std::move(value);
        notify();
    }

    Token observe(Callback callback) const {
        const Token token = observers_->next++;
        observers_->callbacks.emplace(token, std::move(callback));
        return token;
    }

    void unobserve(Token token) const { observers_->remove(token); }

    Observation subscribe(Callback callback) const {
        const Token token = observe(std::move(callback));
        return Observation(observers_, token);
    }

private:
    struct List : detail::ObserverList {
        void remove(std::uint64_t token) override { callbacks.erase(token); }
        bool contains(std::uint64_t token) const override { return alive && callbacks.count(token) > 0; }
        std::map<Token, Callback> callbacks;
        Token next = 1;
        bool alive = true;
    };

    void notify() {
        // Observers may add or remove observers, or end the observable, while
        // being told: tell a snapshot, and stop once the observable is gone.
        const auto list = observers_;
        auto snapshot = list->callbacks;
        for (auto& [token, cb] : snapshot) {
            if (!list->contains(token)) continue;
            cb(value_);
            if (!list->alive) return;
        }
    }

    T value_{};
    std::shared_ptr<List> observers_ = std::make_shared<List>();
};

}  // namespace velorin
