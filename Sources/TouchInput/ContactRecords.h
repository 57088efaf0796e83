#pragma once
// The framework's contact records as touches.

#include <cstdint>
#include <vector>

#include "MultitouchSupport/MultitouchSupport.h"
#include "TouchInput/Touch.h"

namespace velorin {

// One touch per record, in record order; none for a null pointer or a count of 0 or less.
// Stage numbers outside 0…7 read as notTracking. A record whose position is not a finite
// number is dropped; a velocity or size that is not finite reads as 0.
std::vector<Touch> touchesFromRecords(const MTTouch* records, std::int32_t count);

}  // namespace velorin
