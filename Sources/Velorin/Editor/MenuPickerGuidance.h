#pragma once
// Which body the menu-command picker shows, and the guidance screens it shows
// instead of commands: no permission, menus not read, app not running, app not
// installed. Plain data, so every screen's texts are tested without a display.

#include <optional>
#include <string>
#include <vector>

namespace velorin {

enum class MenuPickerBody { permission, commands, unread, notRunning, notInstalled };

// What a guidance screen's button does.
enum class GuidanceAction { openSystemSettings, tryAgain, openApp };

struct GuidanceButton {
    std::string title;
    bool primary = true;
    GuidanceAction action = GuidanceAction::tryAgain;
    bool operator==(const GuidanceButton&) const = default;
};

struct GuidanceScreen {
    std::string symbol;
    std::string title;
    std::vector<std::string> steps;
    std::optional<GuidanceButton> button;

    // Steps carry numbers ("1.", "2.", …) only when there are three or more.
    bool numbersSteps() const { return steps.size() >= 3; }
    bool operator==(const GuidanceScreen&) const = default;
};

struct MenuPickerGuidance {
    MenuPickerGuidance() = delete;

    // In this order: no permission, then commands, then the unread screen
    // while an app runs; with none running, the not-running screen unless
    // `anyInstalled` is false (no allowed app is installed).
    static MenuPickerBody body(bool trusted, bool anyRunning, bool anyCommands, bool anyInstalled);

    // The screen for a body other than `commands`. `name` is the app the screen
    // speaks of; `canOpen` whether the not-running and not-installed screens
    // get the button that opens it.
    static GuidanceScreen screen(MenuPickerBody body, const std::string& name, bool canOpen);

    // The header's title: "Menu commands" with no app chosen, else "<name>'s menus".
    static std::string title(const std::string& appName);
};

}  // namespace velorin
