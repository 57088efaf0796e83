#pragma once
// A private X desktop for tests: an Xvfb on a display number it picks itself,
// with openbox as its EWMH window manager, both ended with the object; and a
// small X client of our own that puts up windows with a class and a process
// identifier, the way apps do.

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include "Platform/Geometry.h"

namespace velorin::testing {

// The first of these programs that is not on PATH; absent when all are.
std::optional<std::string> missingProgram(const std::vector<std::string>& programs);

class XSession {
public:
    XSession();
    ~XSession();  // ends the window manager and the server
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts both and waits (bounded) until the window manager is running;
    // the reason when that failed.
    std::optional<std::string> start();
    const std::string& display() const { return display_; }
    // Ends the X server alone, as when it crashes under its clients.
    void killServer();
    // Ends the window manager alone: the windows stay, nobody manages them.
    void endWindowManager();

private:
    std::string folder_;
    std::string display_;
    std::string displayNumber_;
    pid_t server_ = -1;
    pid_t windowManager_ = -1;
};

class XClient {
public:
    explicit XClient(const std::string& display);
    ~XClient();
    XClient(const XClient&) = delete;
    XClient& operator=(const XClient&) = delete;

    bool isConnected() const { return connection_ != nullptr; }
    // Maps a top-level window with WM_CLASS (instance, class) and _NET_WM_PID,
    // and the startup id of the launch it answers when one is given.
    xcb_window_t openWindow(const std::string& instance, const std::string& windowClass, std::uint32_t pid,
                            std::uint16_t width = 320, std::uint16_t height = 240, const std::string& startupId = {});
    void closeWindow(xcb_window_t window);

    // What the window manager says, read on this client's own connection.
    std::vector<xcb_window_t> clientList();
    std::optional<xcb_window_t> activeWindow();
    bool supportingWindowManager();
    bool showingDesktop();
    // Changes a property of the root window that nobody reads. openbox can
    // leave requests that came during its start-up unread until its next
    // event; this is one.
    void nudgeWindowManager();
    // The window manager's frame around a client: its top-level ancestor, in
    // root-window pixels with its border.
    std::optional<Rect> outerFrame(xcb_window_t window);
    // The client area itself, in root-window pixels.
    std::optional<Rect> clientArea(xcb_window_t window);
    // The frame the user sees: the client area grown by the decorations the
    // window manager declares (_NET_FRAME_EXTENTS), which leave out the
    // invisible borders some keep in their frame window for resizing.
    std::optional<Rect> visibleFrame(xcb_window_t window);
    // What the window manager leaves to windows (_NET_WORKAREA) of the first
    // desktop: the screen without its panels.
    std::optional<Rect> workArea();

    // What apps ask of the window manager and tell it.
    void requestState(xcb_window_t window, bool add, xcb_atom_t first, xcb_atom_t second = XCB_ATOM_NONE);
    bool hasState(xcb_window_t window, xcb_atom_t state);
    const xcb_ewmh_connection_t& ewmh() const { return ewmh_; }
    // _GTK_FRAME_EXTENTS (left, right, top, bottom) and, as GTK does with
    // client-side decorations, no decorations from the window manager.
    void drawOwnDecorations(xcb_window_t window, std::uint32_t left, std::uint32_t right, std::uint32_t top,
                            std::uint32_t bottom);

private:
    xcb_connection_t* connection_ = nullptr;
    xcb_ewmh_connection_t ewmh_{};
    xcb_window_t root_ = 0;
};

// What a desktop hears of launches: the startup notification messages
// broadcast to the root window, put together from their pieces, on a
// connection of its own.
class StartupListener {
public:
    explicit StartupListener(const std::string& display);
    ~StartupListener();
    StartupListener(const StartupListener&) = delete;
    StartupListener& operator=(const StartupListener&) = delete;

    bool isConnected() const { return connection_ != nullptr; }
    // Every message complete so far, in the order they ended, with the
    // window that names its sender (a window manager may send some too).
    struct Received {
        xcb_window_t sender;
        std::string text;
    };
    const std::vector<Received>& messages();

private:
    xcb_connection_t* connection_ = nullptr;
    xcb_atom_t begin_ = XCB_ATOM_NONE, info_ = XCB_ATOM_NONE;
    std::vector<Received> partial_;
    std::vector<Received> messages_;
};

// A message's type ("new") and its keys with their values, quoting and
// escapes undone.
struct StartupMessage {
    std::string type;
    std::vector<std::pair<std::string, std::string>> fields;
    std::optional<std::string> field(const std::string& key) const;
};
std::optional<StartupMessage> parseStartupMessage(const std::string& text);

// Waits until `done` holds, at most `timeoutMs` of real time; `step` runs
// between the checks (it should wait for something, briefly). Whether it held.
bool waitFor(const std::function<bool()>& done, const std::function<void()>& step, int timeoutMs = 10000);

}  // namespace velorin::testing
