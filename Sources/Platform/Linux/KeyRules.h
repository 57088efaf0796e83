#pragma once
// What a key combination written for macOS presses on Linux, so that it does
// the same thing: in ordinary apps command and control both press Ctrl (a
// combination that holds both presses control as Super, so the two stay
// distinct), option Alt, shift Shift; in terminal emulators command presses
// Ctrl+Shift and control Ctrl; and the system's own combinations (Mission
// Control, Spotlight, screenshots, lock screen, …) press the desktop's own
// shortcut for the same thing where the desktop is known.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velorin::linux_platform {

// The desktops whose default shortcuts we know.
enum class DesktopKind { gnome, kde, other };

// From $XDG_CURRENT_DESKTOP, a colon-separated list ("ubuntu:GNOME", "KDE").
DesktopKind desktopKind(std::string_view xdgCurrentDesktop);

// How the app in front reads command and control.
enum class KeyStyle { ordinary, terminal };

// The kind of the app reported under `bundleIdentifier`; no app in front is
// an ordinary one.
KeyStyle keyStyle(const std::optional<std::string>& bundleIdentifier);

// Linux keys pressed together: the modifiers in pressing order, then the key.
struct LinuxCombination {
    std::vector<int> modifiers;
    int key = 0;
    bool operator==(const LinuxCombination&) const = default;
};

// What the macOS key `macVirtualKey` with the macOS modifier `flags` presses
// with `app` in front on `desktop`. Function and numeric-pad flags mean
// nothing here. Absent when the key has no Linux counterpart.
std::optional<LinuxCombination> linuxCombination(std::uint16_t macVirtualKey, std::uint64_t flags, KeyStyle app,
                                                 DesktopKind desktop);

// The desktop's own shortcut for a system combination of macOS, absent when
// the combination is not one or the desktop is not known.
std::optional<LinuxCombination> desktopShortcut(std::uint16_t macVirtualKey, std::uint64_t flags,
                                                DesktopKind desktop);

}  // namespace velorin::linux_platform
