#pragma once
// What the settings window's layers show, decided without a display: how
// strongly the desktop shows through, which backdrop lies at the back, how
// solid the water is, and what the water is fed for the tab on screen.

#include <optional>
#include <vector>

#include "Config/AppConfig.h"
#include "Engine/Engine.h"
#include "Velorin/Design/WaterInput.h"
#include "Velorin/SettingsTab.h"

namespace velorin {

struct SeeThrough {
    SeeThrough() = delete;

    static constexpr const char* defaultsKey = "windowSeeThrough";
    static constexpr double maximum = 0.6;

    // The strength the window draws with: 0 under Reduce Transparency, else the
    // stored value limited to 0…0.6. A value that is not a finite number (a
    // hand-edited preferences file) counts as 0.
    static double effective(double stored, bool reduceTransparency);
    // The stored value as a slider can hold it: not finite gives 0; finite
    // values are kept as they are (the label shows them unclamped).
    static double sanitized(double stored);
};

enum class Backdrop {
    fill,     // Theme.milk
    desktop,  // the (blurred) desktop behind the window
};

struct WindowLayers {
    Backdrop backdrop = Backdrop::fill;
    double waterOpacity = 1;

    // For an effective strength `s`: the desktop while s > 0, the water at 1 − s.
    static WindowLayers forStrength(double s);
    bool operator==(const WindowLayers&) const = default;
};

// What the window's water is fed, from the engine's live state.
struct WaterFeed {
    SettingsTab tab = SettingsTab::packs;
    bool studioOpen = false;
    const std::vector<Touch>* liveTouches = nullptr;
    const std::optional<Engine::Fired>* lastFired = nullptr;
    const AppConfig* config = nullptr;
    double opacity = 1;
    bool dark = false;
    bool reduceMotion = false;

    // The trackpad tab shows touches on its own pad and the studio on its own:
    // there, the water gets no touches and no fired date. The floor spots are
    // those of the switched-on packs.
    WaterInput input() const;
};

}  // namespace velorin
