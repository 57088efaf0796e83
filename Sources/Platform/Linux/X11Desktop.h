#pragma once
// The X11 window manager's view of the desktop (EWMH): the active window,
// the client windows with their process and class, frames, moving and
// resizing, activating, iconifying, showing the desktop, and notices when
// the active window or the client list changes. Without an X server (Wayland,
// or no display) every query answers "nothing".

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Geometry.h"
#include "Platform/Linux/DesktopGeometry.h"

namespace velorin::linux_platform {

struct X11Window {
    std::uint32_t id = 0;
    std::int32_t pid = 0;         // 0 when the window does not say
    std::string instance;         // WM_CLASS instance name
    std::string windowClass;      // WM_CLASS class name
    std::string title;
    bool hidden = false;          // _NET_WM_STATE_HIDDEN (iconified)
    std::string startupId{};      // _NET_STARTUP_ID: the launch it came from
    bool operator==(const X11Window&) const = default;
};

class X11Desktop {
public:
    // Connects to $DISPLAY (or `display`; "" for none); stays unconnected when
    // there is no X server or its window manager names no screens.
    explicit X11Desktop(const char* display = nullptr);
    ~X11Desktop();
    X11Desktop(const X11Desktop&) = delete;
    X11Desktop& operator=(const X11Desktop&) = delete;

    // False as well once the connection broke (the X server went away).
    bool isConnected() const;
    int fileDescriptor() const;  // -1 when unconnected

    std::optional<X11Window> activeWindow();
    // Client windows, bottom of the stack first.
    std::vector<X11Window> clientWindows();

    // The frame the user sees, in root-window pixels, y down: the window
    // manager's decorations included, a client-drawn shadow left out.
    std::optional<Rect> frame(std::uint32_t window);
    std::optional<WindowParts> parts(std::uint32_t window);
    // Moves that frame's top-left corner, or gives it a size; a maximised or
    // full-screen window leaves that state first. Waits (briefly) for the
    // window manager, and is false when the window stayed as it was.
    bool moveFrame(std::uint32_t window, Point topLeft);
    bool resizeFrame(std::uint32_t window, Size size);
    // How long the window manager gets to carry out a request.
    std::chrono::milliseconds settleTime{500};
    bool activate(std::uint32_t window);
    bool iconify(std::uint32_t window);
    // The window manager's own showing of the desktop; where it has none,
    // every window is iconified and the next toggle gives them back.
    bool toggleShowingDesktop();

    // Startup notification, on a connection of its own: the server's time now
    // (from the event of a property change it answers; absent when it does
    // not), the screen and the current desktop, and broadcasting a message to
    // the root window.
    std::optional<std::uint32_t> serverTime();
    int screenNumber() const;
    std::optional<std::uint32_t> currentDesktop();
    bool broadcastStartupMessage(std::string_view message);

    // Handles the X events there are; tells `changed` when the active window
    // or the client list changed (on the calling thread). `readSocket` false
    // takes only the events already read off the socket, which waiting for a
    // reply leaves queued where a socket notifier never sees them.
    enum class Change { activeWindow, clientList };
    void processEvents(const std::function<void(Change)>& changed, bool readSocket = true);

private:
    struct State;
    std::unique_ptr<State> state_;
    struct DescribeCookies;
    DescribeCookies requestDescription(std::uint32_t window);
    X11Window collectDescription(const DescribeCookies& cookies);
    std::optional<X11Window> describe(std::uint32_t window);
    std::optional<Rect> outerFrame(std::uint32_t window);
    bool leaveFixedStates(std::uint32_t window);
    bool supports(std::uint32_t hint);
    bool toggleDesktopByIconifying();
    bool settles(std::uint32_t window, const Rect& before, const std::function<bool(const Rect&)>& reached);
    SizeHints sizeHints(std::uint32_t window);
    bool openFeedbackConnection();
};

}  // namespace velorin::linux_platform
