#pragma once
// Which touchpads this process cannot read. What each input device is, sysfs tells
// everyone; whether its event node opens, only the node's permissions do. A touchpad
// that exists but can't be read is a missing permission, not a missing touchpad.

#include <functional>
#include <string>
#include <vector>

namespace velorin::linux_platform {

// Whether a device with these sysfs capability masks (the contents of capabilities/abs,
// capabilities/key and properties: hexadecimal words, most significant first) is a
// multitouch touchpad as the touchpad framework takes one.
bool isTouchpadCapabilities(const std::string& abs, const std::string& key, const std::string& properties);

// The event nodes (under `devInput`) of the touchpads listed under `sysClassInput` that
// `readable` says can't be read (by default: access(2) for reading).
std::vector<std::string> unreadableTouchpads(const std::string& sysClassInput = "/sys/class/input",
                                             const std::string& devInput = "/dev/input",
                                             const std::function<bool(const std::string&)>& readable = {});

}  // namespace velorin::linux_platform
