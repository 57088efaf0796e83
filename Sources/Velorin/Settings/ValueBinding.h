#pragma once
// A two-way binding of a value: read through `get`, written through `set`.
// `widened` lets a control of 64-bit floats (the liquid slider) edit a 32-bit
// tuning value of the recogniser: reading widens exactly, writing narrows to
// the nearest 32-bit float.

#include <functional>
#include <utility>

namespace velorin {

template <typename T>
struct ValueBinding {
    std::function<T()> get;
    std::function<void(T)> set;
};

inline ValueBinding<double> widened(ValueBinding<float> binding) {
    return ValueBinding<double>{
        [get = binding.get] { return static_cast<double>(get()); },
        // Out-of-range values narrow to ±infinity, as a conversion to the
        // nearest float does; the slider never writes one (its range is small).
        [set = std::move(binding.set)](double value) { set(static_cast<float>(value)); },
    };
}

}  // namespace velorin
