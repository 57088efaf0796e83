#pragma once
// A source of contact frames, as the engine drives it.

#include <functional>

#include "TouchInput/Touch.h"

namespace velorin {

// Called with every frame, on whatever thread the source delivers on.
using TouchFrameHandler = std::function<void(const TouchFrame&)>;

class TouchSource {
public:
    virtual ~TouchSource() = default;
    // Throws the source's error when it cannot deliver.
    virtual void start(TouchFrameHandler handler) = 0;
    virtual void stop() = 0;
};

}  // namespace velorin
