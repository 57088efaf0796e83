#include "Platform/Linux/KeyRules.h"

#include <algorithm>
#include <cctype>

#include <linux/input-event-codes.h>

#include "Platform/EventSystem.h"
#include "Platform/Linux/AppIdentity.h"
#include "Platform/Linux/KeyMap.h"

namespace velorin::linux_platform {
namespace {

constexpr std::uint64_t command = event_flags::command;
constexpr std::uint64_t control = event_flags::control;
constexpr std::uint64_t option = event_flags::alternate;
constexpr std::uint64_t shift = event_flags::shift;
constexpr std::uint64_t modifierFlags = command | control | option | shift;

// macOS key codes of the system combinations.
constexpr std::uint16_t macSpace = 49, macQ = 12, mac3 = 20, mac4 = 21, mac5 = 23;
constexpr std::uint16_t macLeft = 123, macRight = 124, macDown = 125, macUp = 126;

struct SystemShortcut {
    std::uint16_t macKey;
    std::uint64_t macFlags;  // exactly these modifiers
    LinuxCombination gnome;
    LinuxCombination kde;
};

// GNOME: the defaults of GNOME Shell 42 and later, as its gsettings schemas
// ship them (org.gnome.mutter overlay-key, org.gnome.shell.keybindings,
// org.gnome.desktop.wm.keybindings, org.gnome.settings-daemon.plugins.media-keys)
// and IBus's default emoji hotkey. KDE: Plasma 5.25 and later, as KWin,
// KRunner, Spectacle, ksmserver and the emoji selector ship their global
// shortcuts.
const std::vector<SystemShortcut>& systemShortcuts() {
    static const std::vector<SystemShortcut> table{
        // Mission Control: GNOME's overview is the overlay key on its own;
        // KWin's Overview effect is Meta+W.
        {macUp, control, {{}, KEY_LEFTMETA}, {{KEY_LEFTMETA}, KEY_W}},
        // App Exposé: GNOME cycles the app's windows (switch-group, Super+`);
        // KWin shows the windows of the app's class (Ctrl+F7).
        {macDown, control, {{KEY_LEFTMETA}, KEY_GRAVE}, {{KEY_LEFTCTRL}, KEY_F7}},
        // Spotlight: GNOME searches from the overview; KDE has KRunner (Alt+Space).
        {macSpace, command, {{}, KEY_LEFTMETA}, {{KEY_LEFTALT}, KEY_SPACE}},
        // Screenshots. Whole screen: GNOME's screenshot (Shift+Print), Spectacle's
        // full screen (Shift+Print). Area: GNOME's screenshot tool opens on an
        // area (Print); Spectacle's rectangular region (Meta+Shift+Print). The
        // panel: GNOME's screenshot tool, with recording (Print); Spectacle (Print).
        {mac3, command | shift, {{KEY_LEFTSHIFT}, KEY_SYSRQ}, {{KEY_LEFTSHIFT}, KEY_SYSRQ}},
        {mac4, command | shift, {{}, KEY_SYSRQ}, {{KEY_LEFTMETA, KEY_LEFTSHIFT}, KEY_SYSRQ}},
        {mac5, command | shift, {{}, KEY_SYSRQ}, {{}, KEY_SYSRQ}},
        // Lock screen: Super+L on both (media-keys screensaver; ksmserver's Lock Session).
        {macQ, control | command, {{KEY_LEFTMETA}, KEY_L}, {{KEY_LEFTMETA}, KEY_L}},
        // Emoji & symbols: IBus's emoji choice (Super+.); Plasma's emoji selector (Meta+.).
        {macSpace, control | command, {{KEY_LEFTMETA}, KEY_DOT}, {{KEY_LEFTMETA}, KEY_DOT}},
        // Input sources, next (⌃⌥Space) and previous (⌃Space): GNOME's
        // switch-input-source (Super+Space) and its backward twin
        // (Shift+Super+Space); KDE's next keyboard layout (Meta+Alt+K) for both.
        {macSpace, control | option, {{KEY_LEFTMETA}, KEY_SPACE}, {{KEY_LEFTMETA, KEY_LEFTALT}, KEY_K}},
        {macSpace, control, {{KEY_LEFTMETA, KEY_LEFTSHIFT}, KEY_SPACE}, {{KEY_LEFTMETA, KEY_LEFTALT}, KEY_K}},
        // Spaces: GNOME's switch-to-workspace-left/right (Super+Page Up/Down);
        // KWin's Switch One Desktop to the Left/Right (Ctrl+Meta+Left/Right).
        {macLeft, control, {{KEY_LEFTMETA}, KEY_PAGEUP}, {{KEY_LEFTCTRL, KEY_LEFTMETA}, KEY_LEFT}},
        {macRight, control, {{KEY_LEFTMETA}, KEY_PAGEDOWN}, {{KEY_LEFTCTRL, KEY_LEFTMETA}, KEY_RIGHT}},
    };
    return table;
}

void add(std::vector<int>& modifiers, int key) {
    if (std::find(modifiers.begin(), modifiers.end(), key) == modifiers.end()) modifiers.push_back(key);
}

}  // namespace

DesktopKind desktopKind(std::string_view xdgCurrentDesktop) {
    std::size_t start = 0;
    while (start <= xdgCurrentDesktop.size()) {
        const std::size_t end = std::min(xdgCurrentDesktop.find(':', start), xdgCurrentDesktop.size());
        std::string name(xdgCurrentDesktop.substr(start, end - start));
        for (auto& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (name == "GNOME") return DesktopKind::gnome;
        if (name == "KDE") return DesktopKind::kde;
        start = end + 1;
    }
    return DesktopKind::other;
}

KeyStyle keyStyle(const std::optional<std::string>& bundleIdentifier) {
    return bundleIdentifier && isTerminalIdentifier(*bundleIdentifier) ? KeyStyle::terminal : KeyStyle::ordinary;
}

std::optional<LinuxCombination> desktopShortcut(std::uint16_t macVirtualKey, std::uint64_t flags,
                                                DesktopKind desktop) {
    if (desktop == DesktopKind::other) return std::nullopt;
    const std::uint64_t modifiers = flags & modifierFlags;
    for (const auto& s : systemShortcuts()) {
        if (s.macKey == macVirtualKey && s.macFlags == modifiers) {
            return desktop == DesktopKind::gnome ? s.gnome : s.kde;
        }
    }
    return std::nullopt;
}

std::optional<LinuxCombination> linuxCombination(std::uint16_t macVirtualKey, std::uint64_t flags, KeyStyle app,
                                                 DesktopKind desktop) {
    // The desktop's own shortcuts come first, whatever app is in front, as
    // the system's do on macOS.
    if (auto shortcut = desktopShortcut(macVirtualKey, flags, desktop)) return shortcut;
    const auto key = linuxKeyCode(macVirtualKey);
    if (!key) return std::nullopt;

    const bool both = (flags & command) && (flags & control);
    std::vector<int> modifiers;
    if (flags & command) {
        add(modifiers, KEY_LEFTCTRL);
        if (app == KeyStyle::terminal) add(modifiers, KEY_LEFTSHIFT);
    }
    if (flags & control) add(modifiers, both ? KEY_LEFTMETA : KEY_LEFTCTRL);
    if (flags & option) add(modifiers, KEY_LEFTALT);
    if (flags & shift) add(modifiers, KEY_LEFTSHIFT);
    // A modifier key's own event needs no extra press of itself.
    std::erase(modifiers, *key);
    return LinuxCombination{std::move(modifiers), *key};
}

}  // namespace velorin::linux_platform
