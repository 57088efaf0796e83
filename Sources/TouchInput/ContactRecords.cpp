#include "TouchInput/ContactRecords.h"

#include <cmath>
#include <cstddef>
#include <cstring>

namespace velorin {

namespace {

// Fields are read at their byte offsets (the layout's static_asserts pin them), so a
// record need not be aligned.
template <typename T>
T readAt(const unsigned char* record, std::size_t offset) {
    T value;
    std::memcpy(&value, record + offset, sizeof value);
    return value;
}

float finiteOrZero(float value) { return std::isfinite(value) ? value : 0.0f; }

}  // namespace

std::vector<Touch> touchesFromRecords(const MTTouch* records, std::int32_t count) {
    std::vector<Touch> touches;
    if (!records || count <= 0) return touches;
    const auto* bytes = reinterpret_cast<const unsigned char*>(records);
    touches.reserve(static_cast<std::size_t>(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const unsigned char* record = bytes + static_cast<std::size_t>(i) * sizeof(MTTouch);
        const auto position = readAt<MTPoint>(record, offsetof(MTTouch, normalized) + offsetof(MTVector, position));
        const auto velocity = readAt<MTPoint>(record, offsetof(MTTouch, normalized) + offsetof(MTVector, velocity));
        if (!std::isfinite(position.x) || !std::isfinite(position.y)) continue;
        Touch touch;
        touch.id = readAt<std::int32_t>(record, offsetof(MTTouch, pathIndex));
        touch.state = touchStateFromRaw(readAt<std::int32_t>(record, offsetof(MTTouch, state)))
                          .value_or(TouchState::notTracking);
        touch.x = position.x;
        touch.y = position.y;
        touch.vx = finiteOrZero(velocity.x);
        touch.vy = finiteOrZero(velocity.y);
        touch.size = finiteOrZero(readAt<float>(record, offsetof(MTTouch, zTotal)));
        touches.push_back(touch);
    }
    return touches;
}

}  // namespace velorin
