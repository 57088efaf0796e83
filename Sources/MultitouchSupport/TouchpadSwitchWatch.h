#pragma once
// Follows the desktop's touchpad switch on a thread of its own. GNOME's setting comes
// through GSettings' "changed" signal, which GLib emits in the main context the settings
// were made in: that is a context of ours, iterated by our thread, so nothing depends on
// whether (or on which thread) the host application runs GLib's loop. kcminputrc (which
// Plasma rewrites by renaming a new file over it) and the input devices (for an external
// mouse) are inotify sources on the same context, and so is the X server's connection,
// which tells of its input devices' property changes.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "MultitouchSupport/DeviceBackend.h"
#include "MultitouchSupport/TouchpadSwitch.h"

namespace velorin::multitouch {

struct TouchpadSwitchSetup {
    SwitchSources sources;
    std::string configFolder;  // where kcminputrc is; empty: none
    std::string inputFolder;   // the input devices, looked through for an external mouse
    std::string schemaFolder;  // compiled GSettings schemas; empty: the system's
    std::string display;       // the X server whose input devices are read; empty: none
    // Which pad an X device's node is; by default the evdev device there (identityAtNode).
    std::function<std::optional<DeviceIdentity>(const std::string& node)> identify;
};

// The evdev device at `node` (as an X driver names it), when that is one of the event
// nodes of `inputFolder`, symbolic links followed; none for any other file.
std::optional<DeviceIdentity> identityAtNode(const std::string& inputFolder, const std::string& node);

// This session's setup: XDG_CURRENT_DESKTOP, XDG_SESSION_TYPE (with WAYLAND_DISPLAY and
// DISPLAY), XDG_CONFIG_HOME or ~/.config.
TouchpadSwitchSetup touchpadSwitchSetupOfSession(std::string inputFolder);

// Calls `changed` at once with what the switch says, then from the watch's thread on every
// change, until the watch is destroyed. None when there is nothing to follow: no source for
// this desktop, or only sources that can't be read (a schema that is not installed, no X
// server with XInput 2).
std::unique_ptr<TouchpadSwitchWatch> followTouchpadSwitch(TouchpadSwitchSetup setup,
                                                          std::function<void(const TouchpadSwitch&)> changed);

}  // namespace velorin::multitouch
