#pragma once
// Which desktop this session runs, from its environment, and the window system
// that tells the workspace and the window commands about its windows: the X11
// window manager on X11; on Wayland the compositor's own way where it has one
// (Sway's and Hyprland's IPC sockets, a KWin script, a GNOME Shell extension);
// none elsewhere, so there is no front app.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Linux/DesktopGeometry.h"
#include "Platform/Linux/WindowSystem.h"

namespace velorin::linux_platform {

enum class SessionDesktop { x11, sway, hyprland, kwin, gnomeShell, otherWayland };

// `variable` reads the environment (absent for a variable that is not set).
SessionDesktop sessionDesktop(const std::function<std::optional<std::string>(const char*)>& variable);
SessionDesktop sessionDesktop();  // of this process

// The window system for a Wayland desktop; X11 sessions use X11WindowSystem.
std::shared_ptr<WindowSystem> makeWaylandWindowSystem(SessionDesktop desktop);

// Compositors place windows in logical pixels, as Qt's screen geometry on
// Wayland is: the primary screen's logical rectangle at scale 1.
DesktopUnits logicalDesktopUnits();

}  // namespace velorin::linux_platform
