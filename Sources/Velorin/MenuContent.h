#pragma once
// The menu-bar menu as rows worked out from the state it shows. The tray
// renders the rows; choosing one performs its effect through the model.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Engine/Engine.h"
#include "Velorin/TapOverlay.h"

namespace velorin {

class AppModel;

// What choosing a row does.
enum class MenuEffect {
    none,                // a text row
    toggleEnabled,       // the configuration's isEnabled, through the model's write path
    grantAccessibility,  // the settings window on General
    toggleShowTaps,      // the user default "showTapsOnScreen"
    showPacks,           // the settings window on Packs
    showSettings,        // the settings window on the tab it showed last
    checkForUpdates,     // the updater's check
    quit,
};

struct MenuRow {
    enum class Kind { toggle, button, text, separator };

    Kind kind = Kind::text;
    std::string title;
    bool checked = false;  // toggles only
    // A key equivalent with the Command modifier alone (Ctrl on Linux); 0 for none.
    char commandKey = 0;
    MenuEffect effect = MenuEffect::none;

    bool operator==(const MenuRow&) const = default;
};

// Everything the menu reads.
struct MenuState {
    bool isEnabled = true;
    bool accessibilityTrusted = true;
    std::optional<std::string> startError;
    std::optional<Engine::Fired> lastFired;
    bool showTaps = false;
    bool canCheckForUpdates = false;

    bool operator==(const MenuState&) const = default;
};

struct MenuContent {
    MenuContent() = delete;

    static constexpr const char* showTapsKey = TapOverlay::showTapsKey;

    // The menu-bar icon: "hand.tap.fill" while gestures are on, "hand.tap" while off.
    static std::string_view iconSymbol(bool isEnabled) { return isEnabled ? "hand.tap.fill" : "hand.tap"; }

    // The rows top to bottom, with their exact texts.
    static std::vector<MenuRow> rows(const MenuState& state);
    // "Last: 3-finger double tap → Mission Control", " (failed)" appended for a
    // failed action, "–" for a missing one.
    static std::string lastLine(const Engine::Fired& fired);

    // What the menu shows for this model now.
    static MenuState state(AppModel& model);
    // Performs a row's effect. `quit` is left to the caller, which owns the event loop.
    static void perform(MenuEffect effect, AppModel& model);
};

}  // namespace velorin
