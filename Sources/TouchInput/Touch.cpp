#include "TouchInput/Touch.h"

#include <algorithm>

namespace velorin {

std::optional<TouchState> touchStateFromRaw(std::int32_t raw) {
    if (raw < 0 || raw > 7) return std::nullopt;
    return static_cast<TouchState>(raw);
}

int TouchFrame::fingersDown() const {
    return static_cast<int>(std::count_if(touches.begin(), touches.end(), [](const Touch& t) { return t.isDown(); }));
}

}  // namespace velorin
