#pragma once
// The report of windows that our KWin script and our GNOME Shell extension
// give, as JSON text: {"active": id, "windows": [{"id", "pid", "appId",
// "title", "hidden", "frame": [x, y, width, height]}]}, and the commands the
// KWin script takes. Pure functions, so bad input is tested without a desktop.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Linux/CompositorWindowSystem.h"

namespace velorin::linux_platform::shell {

struct Report {
    std::vector<CompositorWindow> windows;
    std::optional<std::string> active;
};
// Absent when the text is not such a report. Windows without an id are left out.
std::optional<Report> parseReport(std::string_view json);

// Commands for the KWin script: {"op": "activate"|"minimize", "id"}, and
// {"op": "place", "id", "x", "y", "width", "height", "serial"} in whole
// pixels, the serial (as text) naming the placement in the script's answer
// when it refuses.
std::string command(const std::string& op, const std::string& id);
std::string placeCommand(const std::string& id, const Rect& frame, std::uint64_t serial);

}  // namespace velorin::linux_platform::shell
