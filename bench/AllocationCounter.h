#pragma once
// Counts heap allocations made by this process, so benchmarks can show a steady
// state that allocates nothing.

#include <cstddef>

namespace velorin::bench {
std::size_t allocationCount();
}
