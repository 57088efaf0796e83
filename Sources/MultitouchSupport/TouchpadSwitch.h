#pragma once
// The desktop's own "touchpad off" switch. We read the pads' raw events, below the
// desktop's input stack, so its switch does not reach us by itself: we read its
// setting and stay silent on the pads it has switched off. Plain functions here (the
// settings' text and values in, the switch out); following them is TouchpadSwitchWatch.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "MultitouchSupport/Touchpad.h"

namespace velorin::multitouch {

// How KDE Plasma names a touchpad in its settings.
struct PadName {
    int vendor = 0;
    int product = 0;
    std::string name;
    bool operator==(const PadName&) const = default;
};

// What the desktop's switch says now.
struct TouchpadSwitch {
    bool allOff = false;          // every touchpad (GNOME's switch is one for all)
    std::vector<PadName> padsOff;  // these touchpads (Plasma switches each on its own)

    bool isOff(const DeviceIdentity& pad) const;
    bool operator==(const TouchpadSwitch&) const = default;
};

// Where the running desktop keeps its switch, from XDG_CURRENT_DESKTOP (a list separated
// by ':') and the session's type (XDG_SESSION_TYPE). GNOME and the desktops built on its
// settings (Unity, Budgie) keep it in GNOME's GSettings schema; Cinnamon in its own copy of
// that schema; Plasma's Wayland session in kcminputrc. Plasma on X11 keeps its touchpad
// settings elsewhere, and a kcminputrc left from a Wayland session does not hold there.
// Other desktops: nowhere we know, so nothing is followed.
struct SwitchSources {
    std::optional<std::string> schema;  // a GSettings schema with a "send-events" key
    bool kcminputrc = false;
    bool operator==(const SwitchSources&) const = default;
};
SwitchSources switchSourcesFor(std::string_view currentDesktop, std::string_view sessionType);

inline constexpr const char* gnomeTouchpadSchema = "org.gnome.desktop.peripherals.touchpad";
inline constexpr const char* cinnamonTouchpadSchema = "org.cinnamon.desktop.peripherals.touchpad";
inline constexpr const char* sendEventsKey = "send-events";
inline constexpr const char* disabledOnExternalMouse = "disabled-on-external-mouse";

// Whether GNOME's "send-events" value switches the touchpads off: "disabled" always,
// "disabled-on-external-mouse" while an external mouse is present. Anything else is on.
bool sendEventsSwitchesOff(std::string_view value, bool externalMousePresent);

// The touchpads kcminputrc switches off: those whose group
// [Libinput][<vendor>][<product>][<name>] (numbers in decimal) says Enabled=false. The file is
// read as KConfig reads it: a line that can't be read is skipped, and the keys under a group
// header that can't be read belong to no group, so nothing unreadable switches a pad off.
std::vector<PadName> kcminputrcPadsOff(std::string_view text);

}  // namespace velorin::multitouch
