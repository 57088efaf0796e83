#pragma once
// How the system's key events become Linux input events: macOS virtual key
// codes map to Linux key codes (which modifiers a combination presses is
// KeyRules' to say), the keys of a combination are written around each other,
// and system-defined events carry media and brightness keys in their data word.

#include <cstdint>
#include <optional>
#include <vector>

#include "Platform/EventSystem.h"
#include "Platform/Linux/KeyRules.h"

namespace velorin::linux_platform {

// The Linux key (KEY_*) for a macOS virtual key code; absent for codes with no counterpart.
std::optional<int> linuxKeyCode(std::uint16_t macVirtualKey);

// The macOS virtual key code at the position of a Linux key; absent for keys
// with no counterpart.
std::optional<std::uint16_t> macVirtualKey(int linuxKey);

// X11 and Wayland toolkits report a key by its XKB keycode: the Linux key
// code plus 8.
inline constexpr std::uint32_t xkbKeycodeOffset = 8;
// The macOS virtual key code of a key event's native scan code (an XKB
// keycode); absent for codes below the offset or keys with no counterpart.
std::optional<std::uint16_t> macVirtualKeyForScanCode(std::uint32_t nativeScanCode);

// One write to the virtual keyboard: a key and its value (1 press, 0 release).
struct KeyWrite {
    int code = 0;
    int value = 0;
    bool operator==(const KeyWrite&) const = default;
};

// The writes of one combination, in order: going down presses the modifiers
// and then the key; going up releases the key and then the modifiers in reverse.
std::vector<KeyWrite> keyWrites(const LinuxCombination& combination, bool down);

// The media or brightness key of a system-defined event (subtype 8, data word
// (keyType << 16) | 0xA00 for down or 0xB00 for up); absent for anything else.
std::optional<KeyWrite> systemKeyWrite(const SystemDefinedEvent& event);

// Every Linux key the virtual keyboard has to announce: the keys of the
// table, the modifiers, the media keys and the keys only the desktop's own
// shortcuts press.
std::vector<int> allLinuxKeys();

}  // namespace velorin::linux_platform
