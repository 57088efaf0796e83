#pragma once
// What every Wayland compositor adapter shares: the windows it last heard of,
// handles for them, and notices when the active window or the list changed.
// Each adapter feeds it from its compositor (a socket, D-Bus) and carries out
// the window commands its own way. It knows nothing until its compositor
// answered, and nothing again once the compositor went away.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Linux/WindowSystem.h"

class QObject;

namespace velorin::linux_platform {

// A window as a compositor reports it, under the compositor's own key (Sway's
// container id, Hyprland's address, KWin's internal id, Mutter's window id).
struct CompositorWindow {
    std::string key;
    std::int32_t pid = 0;
    std::string appId;  // the Wayland app id, or the X11 class of an XWayland window
    std::string title;
    bool hidden = false;
    std::optional<Rect> frame;  // the outer frame in layout pixels, when reported
    bool operator==(const CompositorWindow&) const = default;
};

class CompositorWindowSystem : public WindowSystem {
public:
    CompositorWindowSystem();
    ~CompositorWindowSystem() override;

    bool isConnected() const override { return known_; }
    std::optional<DesktopWindow> activeWindow() override;
    std::vector<DesktopWindow> clientWindows() override;
    // The frame the adapter reads afresh where it can, else the last reported.
    std::optional<Rect> frame(std::uint32_t window) override;
    // The placement is carried out on the next turn; whether it held is told
    // through `failedLater` (see settling below).
    bool moveFrame(std::uint32_t window, Point topLeft, PlacementFailure failedLater) override;
    bool resizeFrame(std::uint32_t window, Size size, PlacementFailure failedLater) override;
    bool activate(std::uint32_t window) override;
    bool iconify(std::uint32_t window) override;
    bool toggleShowingDesktop() override { return false; }
    void setChangeHandler(ChangeHandler handler) override { changed_ = std::move(handler); }

    // What is known now, for tests.
    const std::vector<CompositorWindow>& windows() const { return windows_; }
    const std::optional<std::string>& activeKey() const { return active_; }

protected:
    // Replaces what is known, and tells what changed: the list (apps, their
    // processes, hidden or not) and the active window.
    void update(std::vector<CompositorWindow> windows, std::optional<std::string> activeKey);
    // Only the active window changed (it must be among the known windows,
    // else nothing changes).
    void updateActive(std::optional<std::string> activeKey);
    // The compositor went away: no windows, no front app, and the placements
    // not yet settled failed.
    void forget();

    const CompositorWindow* window(std::uint32_t handle) const;

    // A window command sets the size, the position and the size again, one
    // call after another. A compositor places a window when its client
    // answers the configure that carried the change, and a client that draws
    // slowly answers late, so an earlier request can undo a later one. What
    // one turn of the event loop asks of a window's frame is therefore
    // carried out as one placement, on the next turn (or before the next
    // read or command); what was not asked for is the frame as it is. A
    // compositor that refuses it then leaves the window where it was.
    struct Placement {
        std::string key;
        Rect frame;
        std::uint64_t serial = 0;  // one per placement, so a late answer finds its own
    };
    void flushPlacement();
    // Looks 250, 500, 1000 and 2000 ms apart whether a placement held, asking
    // for it again while it has not. At the last look it failed when the
    // window is not there and has not moved from where it stood before (one
    // that moved elsewhere was placed the compositor's own way, keeping a
    // client's smallest size, say). A newer placement of the same window ends
    // the looking, and so does the window closing.
    static constexpr int firstSettleCheckMs = 250;
    static constexpr int settleChecks = 4;
    // The compositor answered after the placement was sent that it would not
    // carry it out; an answer about a placement superseded since is dropped.
    void refused(std::uint64_t serial);

    // The adapter's own ways; false when the compositor refused or is gone.
    virtual std::optional<Rect> readFrame(const CompositorWindow& window) { return window.frame; }
    virtual bool placeWindow(const Placement& placement) = 0;
    virtual bool activateWindow(const CompositorWindow& window) = 0;
    virtual bool minimizeWindow(const CompositorWindow& window) = 0;

private:
    struct Asked {
        std::string key;
        std::optional<Point> topLeft;
        std::optional<Size> size;
        PlacementFailure failed;  // of the command that asked last
    };
    // A placement sent and not yet settled, one per window: the latest.
    struct Watch {
        Placement placement;
        std::optional<Rect> before;  // where the window stood, as last reported
        PlacementFailure failed;
    };
    bool ask(std::uint32_t handle, std::optional<Point> topLeft, std::optional<Size> size, PlacementFailure failed);
    void settle(const std::string& key, std::uint64_t serial, int check);
    Watch* watching(const std::string& key, std::uint64_t serial);
    void stopWatching(const std::string& key, std::uint64_t serial);
    void fail(const std::string& key, std::uint64_t serial);
    void tellFailure(PlacementFailure failed);
    const CompositorWindow* windowWithKey(const std::string& key) const;
    std::uint32_t handleOf(const std::string& key);
    DesktopWindow desktopWindow(const CompositorWindow& w);
    void tell(Change change);

    bool known_ = false;
    std::vector<CompositorWindow> windows_;
    std::optional<std::string> active_;
    std::map<std::string, std::uint32_t> handles_;
    std::map<std::uint32_t, std::string> keys_;
    std::uint32_t nextHandle_ = 1;
    ChangeHandler changed_;
    std::optional<Asked> asked_;
    std::map<std::string, Watch> watches_;
    std::uint64_t lastSerial_ = 0;
    std::unique_ptr<QObject> context_;  // of the timer that carries out a placement
};

// A frame whose pixels a compositor takes: whole, positive and of a sane size.
std::optional<Size> wholeSize(Size size);
std::optional<Point> wholePoint(Point point);

}  // namespace velorin::linux_platform
