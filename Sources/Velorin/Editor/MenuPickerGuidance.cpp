#include "Velorin/Editor/MenuPickerGuidance.h"

namespace velorin {

MenuPickerBody MenuPickerGuidance::body(bool trusted, bool anyRunning, bool anyCommands, bool anyInstalled) {
    if (!trusted) return MenuPickerBody::permission;
    if (anyRunning) return anyCommands ? MenuPickerBody::commands : MenuPickerBody::unread;
    return anyInstalled ? MenuPickerBody::notRunning : MenuPickerBody::notInstalled;
}

GuidanceScreen MenuPickerGuidance::screen(MenuPickerBody body, const std::string& name, bool canOpen) {
    std::optional<GuidanceButton> open;
    if (canOpen) open = GuidanceButton{"Open " + name, true, GuidanceAction::openApp};
    switch (body) {
        case MenuPickerBody::permission:
            return {"lock.shield",
                    "Allow Velorin to read menus",
                    {"Click Open System Settings below.",
                     "In Privacy & Security \u203A Accessibility, turn Velorin on. If it's not in the list, click +, "
                     "choose Velorin in Applications and turn it on.",
                     "Come back here. The menus appear by themselves."},
                    GuidanceButton{"Open System Settings", true, GuidanceAction::openSystemSettings}};
        case MenuPickerBody::unread:
            return {"menubar.rectangle",
                    "Couldn't read " + name + "'s menus yet",
                    {"Some apps build their menus a moment after they open. Click Try Again.",
                     "If it stays empty, click the app once so its menu bar shows, then try again."},
                    GuidanceButton{"Try Again", true, GuidanceAction::tryAgain}};
        case MenuPickerBody::notRunning:
            return {"macwindow",
                    "Open " + name + " to see its menus",
                    {"Velorin reads the commands from an app's menu bar while it's running.",
                     "Open " + name +
                         ". Its menus appear here as soon as it's running; you don't need to come back and reopen "
                         "this."},
                    open};
        case MenuPickerBody::notInstalled:
            return {"arrow.down.app",
                    name + " isn't on this Mac",
                    {"Velorin reads commands from an app's menus, so the app needs to be installed and open.",
                     "Install " + name + ", open it, and its menus appear here."},
                    open};
        case MenuPickerBody::commands:
            break;
    }
    return {};
}

std::string MenuPickerGuidance::title(const std::string& appName) {
    return appName.empty() ? std::string("Menu commands") : appName + "'s menus";
}

}  // namespace velorin
