#pragma once
// What makes an evdev device one of our touchpads, and what we read of it when it
// opens. Pure functions of libevdev's view of a device, so they run on devices
// described in memory (libevdev_new and libevdev_enable_event_code) as well.

#include <string>

#include "MultitouchSupport/EvdevTranslator.h"

struct libevdev;

namespace velorin::multitouch {

// A touchpad: multitouch protocol B (slots with tracking ids and positions), a pointer
// device that is not a touchscreen (INPUT_PROP_POINTER, not INPUT_PROP_DIRECT), and
// position axes with a usable range.
bool isMultitouchTouchpad(const libevdev* device);

// A mouse plugged into the computer (USB or Bluetooth), as libinput counts one when a
// touchpad is to be off while an external mouse is present: relative motion and a left
// button, not a touchpad. A trackpoint (on the laptop's own bus) and virtual pointers are not.
bool isExternalMouse(const libevdev* device);

// What recognises the same touchpad when it comes back under another node.
struct DeviceIdentity {
    std::string name;
    std::string phys;
    std::string uniq;
    int bustype = 0;
    int vendor = 0;
    int product = 0;
    bool operator==(const DeviceIdentity&) const = default;
};

DeviceIdentity identityOf(const libevdev* device);
// The same touchpad wherever it is plugged in: everything but the port (`phys`).
bool samePad(const DeviceIdentity& a, const DeviceIdentity& b);

// The axes and the slots' current values.
TouchpadSnapshot snapshotOf(const libevdev* device);

}  // namespace velorin::multitouch
