#pragma once
// The desktop's display settings that views follow: Reduce Motion, Reduce
// Transparency, the dark appearance and the accent colour.

#include "Platform/ObserverToken.h"

#include <cstdint>
#include <functional>

namespace velorin {

class DisplaySettings {
public:
    // Told on the main thread after any of the settings changed.
    using Observer = std::function<void()>;

    virtual ~DisplaySettings() = default;

    virtual bool reduceMotion() = 0;
    virtual bool reduceTransparency() = 0;
    virtual bool darkAppearance() = 0;
    // 0xRRGGBB, sRGB.
    virtual std::uint32_t accentColor() = 0;

    virtual ObserverToken addObserver(Observer observer) = 0;
    virtual void removeObserver(ObserverToken token) = 0;
};

}  // namespace velorin
