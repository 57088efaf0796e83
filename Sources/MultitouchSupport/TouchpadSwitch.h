#pragma once
// The desktop's own "touchpad off" switch. We read the pads' raw events, below the
// desktop's input stack, so its switch does not reach us by itself: we read its
// setting and stay silent on the pads it has switched off. Plain functions here (the
// settings' text and values in, the switch out); following them is TouchpadSwitchWatch.

#include <cstdint>
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
    std::vector<DeviceIdentity> devicesOff;  // the devices the X server was told to leave alone

    bool isOff(const DeviceIdentity& pad) const;
    bool operator==(const TouchpadSwitch&) const = default;
};

// Where the running desktop keeps its switch, from XDG_CURRENT_DESKTOP (a list separated
// by ':') and the session's type ("x11", "wayland"). GNOME and the desktops built on its
// settings (Unity, Budgie) keep it in GNOME's GSettings schema; Cinnamon in its own copy of
// that schema; Plasma's Wayland session in kcminputrc. In any X11 session the X server's
// input devices tell it too: a desktop (Plasma among them) or `xinput` switches a pad off
// there through the device's XInput properties, and a kcminputrc left from a Wayland
// session does not hold. Other sessions: nowhere we know, so nothing is followed.
struct SwitchSources {
    std::optional<std::string> schema;  // a GSettings schema with a "send-events" key
    bool kcminputrc = false;
    bool xinput = false;  // the X server's input device properties
    bool operator==(const SwitchSources&) const = default;
};
SwitchSources switchSourcesFor(std::string_view currentDesktop, std::string_view sessionType);

// The session's type from XDG_SESSION_TYPE and whether WAYLAND_DISPLAY and DISPLAY are set.
// "x11" and "wayland" hold as given; otherwise (unset, or "tty" for a desktop started from
// a console) the displays tell, Wayland's first, since its X server is only a guest there.
std::string sessionTypeOf(std::string_view xdgSessionType, bool waylandDisplay, bool display);

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

// One property of an X input device as XIGetProperty gives it.
struct DeviceProperty {
    enum class Type { integer, string, other };
    Type type = Type::other;
    int format = 0;                    // bits an item: 8, 16 or 32
    std::vector<std::uint32_t> items;  // a string's bytes, for a string
    bool operator==(const DeviceProperty&) const = default;
};

// What an X input device's properties say of its events: XInput's "Device Enabled" (one
// 8-bit integer, 0 when the server was told to stop reading the device) and
// xf86-input-libinput's "libinput Send Events Mode Enabled" (8-bit integers: disabled, then
// disabled on external mouse). A property that is absent or not of that form says nothing,
// so the device counts as enabled: a pad is silenced only on a plain word.
enum class DeviceEvents { enabled, disabled, disabledOnExternalMouse };
DeviceEvents deviceEventsOf(const std::optional<DeviceProperty>& deviceEnabled,
                            const std::optional<DeviceProperty>& sendEventsModeEnabled);

// The evdev node an X driver reads the device from, its "Device Node" (an 8-bit string
// holding an absolute path, perhaps ending in NULs); none for anything else.
std::optional<std::string> deviceNodeOf(const std::optional<DeviceProperty>& deviceNode);

}  // namespace velorin::multitouch
