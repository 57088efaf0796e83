#include "Velorin/Settings/WindowLayers.h"

#include <algorithm>
#include <cmath>

#include "Velorin/Design/PackStyle.h"

namespace velorin {

double SeeThrough::effective(double stored, bool reduceTransparency) {
    if (reduceTransparency) return 0;
    if (!std::isfinite(stored) || stored <= 0) return 0;
    return std::min(stored, maximum);
}

double SeeThrough::sanitized(double stored) { return std::isfinite(stored) ? stored : 0; }

WindowLayers WindowLayers::forStrength(double s) {
    return WindowLayers{s > 0 ? Backdrop::desktop : Backdrop::fill, 1 - s};
}

WaterInput WaterFeed::input() const {
    WaterInput input;
    const bool ownPad = tab == SettingsTab::trackpad || studioOpen;
    if (!ownPad) {
        if (liveTouches) input.touches = *liveTouches;
        if (lastFired && *lastFired) input.fired = (*lastFired)->date;
    }
    if (config) input.blobs = PackStyle::floorBlobs(config->enabledPacks, config->allPacks());
    input.opacity = opacity;
    input.dark = dark;
    input.reduceMotion = reduceMotion;
    return input;
}

}  // namespace velorin
