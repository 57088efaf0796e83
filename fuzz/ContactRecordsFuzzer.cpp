// Any bytes as the framework's contact records (96 bytes each): every touch
// they give is finite, in a known state, one per record at most and in record
// order, whatever NaNs, infinities, negative sizes or stage numbers they hold.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "TouchInput/ContactRecords.h"

using namespace velorin;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t count = size / sizeof(MTTouch);
    // Records as the framework hands them over: aligned, back to back.
    std::vector<MTTouch> records(count);
    if (count > 0) std::memcpy(records.data(), data, count * sizeof(MTTouch));
    const auto touches = touchesFromRecords(count ? records.data() : nullptr, static_cast<std::int32_t>(count));
    if (touches.size() > count) std::abort();
    std::size_t next = 0;  // the next record a touch may come from
    for (const Touch& t : touches) {
        if (!std::isfinite(t.x) || !std::isfinite(t.y) || !std::isfinite(t.vx) || !std::isfinite(t.vy) ||
            !std::isfinite(t.size)) {
            std::abort();
        }
        const auto raw = static_cast<int>(t.state);
        if (raw < 0 || raw > 7) std::abort();
        while (next < count && records[next].pathIndex != t.id) ++next;
        if (next == count) std::abort();  // out of record order, or from nowhere
        ++next;
    }
    return 0;
}
