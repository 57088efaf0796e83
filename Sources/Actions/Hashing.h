#pragma once
// Feeding values into one hash in order, the way the stored types hash their fields.

#include <cstddef>
#include <functional>

namespace velorin::detail {

inline void hashCombine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2);
}

template <class T>
void hashFeed(std::size_t& seed, const T& value) {
    hashCombine(seed, std::hash<T>{}(value));
}

}  // namespace velorin::detail
