#pragma once
// A value that tells its observers when it changes. Setting an equal value
// stores it without notifying; `assign` notifies in every case, for the
// properties whose every assignment matters. Observing is open to readers
// that hold it as const; only its owner sets it.

#include <cstdint>
#include <functional>
#include <map>
#include <utility>

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
        const Token token = next_++;
        observers_.emplace(token, std::move(callback));
        return token;
    }

    void unobserve(Token token) const { observers_.erase(token); }

private:
    void notify() {
        // Observers may add or remove observers while being told: tell a snapshot.
        auto snapshot = observers_;
        for (auto& [token, cb] : snapshot) {
            if (observers_.count(token)) cb(value_);
        }
    }

    T value_{};
    mutable std::map<Token, Callback> observers_;
    mutable Token next_ = 1;
};

}  // namespace velorin
