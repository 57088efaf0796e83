#pragma once
// What the water background is fed: the live touches, the date of the last
// fired gesture, the floor's light patches, how solid the water is, the
// appearance and Reduce Motion. Views hand it to a `WaterSurface`; the GPU
// surface is one implementation, tests use a recording one.

#include "Platform/Clock.h"
#include "TouchInput/Touch.h"
#include "Velorin/Design/FloorBlob.h"

#include <optional>
#include <vector>

namespace velorin {

struct WaterInput {
    std::vector<Touch> touches;  // the engine's live touches
    std::optional<Date> fired;   // when the last gesture fired
    std::vector<FloorBlob> blobs;
    double opacity = 1;  // 0…1; lower lets the window's backdrop show through the floor
    bool dark = false;
    bool reduceMotion = false;

    bool operator==(const WaterInput&) const = default;
};

class WaterSurface {
public:
    virtual ~WaterSurface() = default;
    virtual void update(const WaterInput& input) = 0;
};

}  // namespace velorin
