#include "Velorin/DisplayNames.h"

#include <array>
#include <type_traits>

#include "Actions/OpenTarget.h"
#include "Platform/FileManager.h"
#include "Platform/Platform.h"
#include "Velorin/AppInfo.h"

namespace velorin {

namespace {

// A hand-edited file can hold any count; anything up to one reads as a single tap.
std::string_view tapCountWord(int count) {
    if (count <= 1) return "tap";
    if (count == 2) return "double tap";
    return "triple tap";
}

std::string_view cornerWords(Gesture::Corner corner) {
    switch (corner) {
        case Gesture::Corner::topLeft:
            return "top left";
        case Gesture::Corner::topRight:
            return "top right";
        case Gesture::Corner::bottomLeft:
            return "bottom left";
        case Gesture::Corner::bottomRight:
            return "bottom right";
    }
    return "";
}

std::string openDisplayName(const std::string& text) {
    const auto url = OpenTarget::url(text, platform::current().fileManager().homeDirectory());
    if (!url) return "Open a website or file";
    if (url->isFile()) return "Open " + url->lastPathComponent();
    if (auto host = url->host()) return "Open " + *host;
    return "Open " + text;
}

}  // namespace

std::string displayName(const Gesture& gesture) {
    return std::visit(
        [](const auto& g) -> std::string {
            using T = std::decay_t<decltype(g)>;
            if constexpr (std::is_same_v<T, Gesture::Tap>) {
                return std::to_string(g.fingers) + "-finger " + std::string(tapCountWord(g.count));
            } else if constexpr (std::is_same_v<T, Gesture::Hold>) {
                return std::to_string(g.fingers) + "-finger hold";
            } else {
                return "Corner tap: " + std::string(cornerWords(g.corner));
            }
        },
        gesture.payload());
}

std::string displayName(const Action& action) {
    return std::visit(
        [](const auto& a) -> std::string {
            using T = std::decay_t<decltype(a)>;
            if constexpr (std::is_same_v<T, Action::OpenApp>) {
                return std::string(a.toggle ? "Toggle " : "Open ") + AppInfo::name(a.bundleID);
            } else if constexpr (std::is_same_v<T, Action::Keystroke>) {
                return "Press " + a.combo.description();
            } else if constexpr (std::is_same_v<T, Action::Window>) {
                return std::string(displayName(a.command));
            } else if constexpr (std::is_same_v<T, Action::Media>) {
                return std::string(displayName(a.key));
            } else if constexpr (std::is_same_v<T, Action::MenuItem>) {
                return a.command.title();
            } else if constexpr (std::is_same_v<T, Action::System>) {
                return std::string(displayName(a.command));
            } else if constexpr (std::is_same_v<T, Action::Open>) {
                return openDisplayName(a.url);
            } else {
                static_assert(std::is_same_v<T, Action::Shortcut>);
                if (a.name.empty()) return "Run a shortcut";
                return "Run \u201C" + a.name + "\u201D";
            }
        },
        action.payload());
}

std::string_view displayName(WindowCommand command) {
    switch (command) {
        case WindowCommand::leftHalf:
            return "Window \u2192 left half";
        case WindowCommand::rightHalf:
            return "Window \u2192 right half";
        case WindowCommand::topHalf:
            return "Window \u2192 top half";
        case WindowCommand::bottomHalf:
            return "Window \u2192 bottom half";
        case WindowCommand::maximize:
            return "Window \u2192 fill screen";
        case WindowCommand::center:
            return "Window \u2192 center";
        case WindowCommand::nextDisplay:
            return "Window \u2192 next display";
    }
    return "";
}

std::string_view displayName(MediaKey key) {
    switch (key) {
        case MediaKey::playPause:
            return "Play / Pause";
        case MediaKey::next:
            return "Next track";
        case MediaKey::previous:
            return "Previous track";
        case MediaKey::volumeUp:
            return "Volume up";
        case MediaKey::volumeDown:
            return "Volume down";
        case MediaKey::mute:
            return "Mute";
    }
    return "";
}

std::string_view displayName(SystemCommand command) {
    switch (command) {
        case SystemCommand::lockScreen:
            return "Lock screen";
        case SystemCommand::showDesktop:
            return "Show desktop";
        case SystemCommand::missionControl:
            return "Mission Control";
        case SystemCommand::appWindows:
            return "App windows";
        case SystemCommand::spaceLeft:
            return "Space to the left";
        case SystemCommand::spaceRight:
            return "Space to the right";
        case SystemCommand::sleepDisplay:
            return "Sleep display";
        case SystemCommand::screenSaver:
            return "Screen saver";
        case SystemCommand::darkMode:
            return "Light / dark mode";
        case SystemCommand::brightnessUp:
            return "Brightness up";
        case SystemCommand::brightnessDown:
            return "Brightness down";
    }
    return "";
}

std::string_view symbol(SystemCommand command) {
    switch (command) {
        case SystemCommand::lockScreen:
            return "lock.fill";
        case SystemCommand::showDesktop:
            return "menubar.dock.rectangle";
        case SystemCommand::missionControl:
            return "rectangle.3.group";
        case SystemCommand::appWindows:
            return "macwindow.on.rectangle";
        case SystemCommand::spaceLeft:
            return "arrow.left.square.fill";
        case SystemCommand::spaceRight:
            return "arrow.right.square.fill";
        case SystemCommand::sleepDisplay:
            return "moon.zzz.fill";
        case SystemCommand::screenSaver:
            return "sparkles.tv";
        case SystemCommand::darkMode:
            return "circle.lefthalf.filled";
        case SystemCommand::brightnessUp:
            return "sun.max.fill";
        case SystemCommand::brightnessDown:
            return "sun.min.fill";
    }
    return "";
}

std::string_view symbol(const Gesture& gesture) {
    if (gesture.asTap()) return "hand.tap";
    if (gesture.asHold()) return "hand.raised";
    return "arrow.up.left.and.arrow.down.right";
}

}  // namespace velorin
