#pragma once
// Observations a widget holds for as long as it lives: each is removed again
// when the holder is destroyed, so no observer outlives its widget.

#include <functional>
#include <utility>
#include <vector>

#include "Support/Observable.h"

namespace velorin {

class Observations {
public:
    Observations() = default;
    Observations(const Observations&) = delete;
    Observations& operator=(const Observations&) = delete;
    ~Observations() { clear(); }

    template <typename T, typename F>
    void add(const Observable<T>& observable, F&& callback) {
        auto token = observable.observe(std::forward<F>(callback));
        removers_.push_back([&observable, token] { observable.unobserve(token); });
    }

    void clear() {
        for (auto& remove : removers_) remove();
        removers_.clear();
    }

private:
    std::vector<std::function<void()>> removers_;
};

}  // namespace velorin
