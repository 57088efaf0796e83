#pragma once
// What the workspace and the window commands need of a desktop's windows: the
// active one, the list of client windows with their app, frames, moving,
// resizing, activating and minimising, and notices when the active window or
// the list changes. The X11 window manager is one such desktop; each Wayland
// compositor that tells clients about other windows is another. A window
// system that is not connected answers "nothing" everywhere.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Geometry.h"

namespace velorin::linux_platform {

struct DesktopWindow {
    std::uint32_t id = 0;       // the window system's handle, never 0
    std::int32_t pid = 0;       // 0 when the window does not say
    std::string instance;       // X11: WM_CLASS instance; Wayland: empty
    std::string windowClass;    // X11: WM_CLASS class; Wayland: the app id
    std::string title;
    bool hidden = false;        // minimised, or put away where it can't be seen
    std::string startupId{};    // X11: the launch the window came from; Wayland: empty
    bool operator==(const DesktopWindow&) const = default;
};

class WindowSystem {
public:
    enum class Change { activeWindow, clientList };
    using ChangeHandler = std::function<void(Change)>;

    virtual ~WindowSystem() = default;

    virtual bool isConnected() const = 0;
    virtual std::optional<DesktopWindow> activeWindow() = 0;
    // Client windows, bottom of the stack first where the desktop knows a stack.
    virtual std::vector<DesktopWindow> clientWindows() = 0;

    // The outer frame (decorations included), in the desktop's own pixels:
    // origin at the top left of the whole desktop, y down.
    virtual std::optional<Rect> frame(std::uint32_t window) = 0;
    // False when the desktop refused at once. A desktop that carries the
    // change out after the call returned runs `failedLater` (when given) on
    // the main thread, at most once, if the change then did not hold; not
    // once a later move or resize of the same window took its place.
    using PlacementFailure = std::function<void()>;
    virtual bool moveFrame(std::uint32_t window, Point topLeft, PlacementFailure failedLater) = 0;
    virtual bool resizeFrame(std::uint32_t window, Size size, PlacementFailure failedLater) = 0;
    virtual bool activate(std::uint32_t window) = 0;
    virtual bool iconify(std::uint32_t window) = 0;
    // False where the desktop has no show-desktop mode.
    virtual bool toggleShowingDesktop() = 0;

    // Launch feedback, where the desktop has it (X11 startup notification):
    // the server's time now, the screen and the current desktop, and a
    // message broadcast to the desktop. Wayland gives ordinary clients no
    // such thing (its activation tokens come only over a connection of its
    // own), so there none.
    struct StartupContext {
        std::uint32_t serverTime = 0;
        int screen = 0;
        std::optional<std::uint32_t> desktop;
    };
    virtual std::optional<StartupContext> startupContext() { return std::nullopt; }
    virtual bool broadcastStartupMessage(const std::string& message) {
        (void)message;
        return false;
    }

    // Told on the main thread, from the Qt event loop, when the active window
    // or the client list changed. One handler; a later one replaces it.
    virtual void setChangeHandler(ChangeHandler handler) = 0;
};

}  // namespace velorin::linux_platform
