#pragma once

#include <cstdint>

namespace velorin {

// Names one registered observer so that it can be removed again. 0 is never
// handed out.
using ObserverToken = std::uint64_t;

}  // namespace velorin
