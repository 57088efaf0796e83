#pragma once
// Observations a widget holds for as long as it lives: each ends when the
// holder is destroyed, and one whose observable went first ends quietly, so
// no observer outlives its widget and no widget reaches a freed observable.

#include <utility>
#include <vector>

#include "Support/Observable.h"

namespace velorin {

class Observations {
public:
    Observations() = default;
    Observations(const Observations&) = delete;
    Observations& operator=(const Observations&) = delete;

    template <typename T, typename F>
    void add(const Observable<T>& observable, F&& callback) {
        observations_.push_back(observable.subscribe(std::forward<F>(callback)));
    }

    void clear() { observations_.clear(); }

private:
    std::vector<Observation> observations_;
};

}  // namespace velorin
