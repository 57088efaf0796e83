#pragma once
// How the system's key events become Linux input events: macOS virtual key
// codes map to Linux key codes, the macOS modifier flags become modifier key
// presses around the key (command → Ctrl, control → Meta, option → Alt,
// shift → Shift, as Qt maps the two systems), and system-defined events carry
// media and brightness keys in their data word.

#include <cstdint>
#include <optional>
#include <vector>

#include "Platform/EventSystem.h"

namespace velorin::linux_platform {

// The Linux key (KEY_*) for a macOS virtual key code; absent for codes with no counterpart.
std::optional<int> linuxKeyCode(std::uint16_t macVirtualKey);

// One write to the virtual keyboard: a key and its value (1 press, 0 release).
struct KeyWrite {
    int code = 0;
    int value = 0;
    bool operator==(const KeyWrite&) const = default;
};

// The writes of one keyboard event, in order: a key-down presses the modifiers
// and then the key; a key-up releases the key and then the modifiers in reverse.
// Function, numeric-pad and the Unicode text have no meaning here and are
// ignored. Empty when the key has no Linux counterpart.
std::vector<KeyWrite> keyWrites(const KeyboardEvent& event);

// The media or brightness key of a system-defined event (subtype 8, data word
// (keyType << 16) | 0xA00 for down or 0xB00 for up); absent for anything else.
std::optional<KeyWrite> systemKeyWrite(const SystemDefinedEvent& event);

// Every Linux key the virtual keyboard has to announce.
std::vector<int> allLinuxKeys();

}  // namespace velorin::linux_platform
