#pragma once
// The X11 window manager (EWMH) as a window system: X11Desktop's queries, and
// its notices read from the X connection on the Qt event loop.

#include <memory>

#include "Platform/Linux/WindowSystem.h"
#include "Platform/Linux/X11Desktop.h"

class QSocketNotifier;

namespace velorin::linux_platform {

class X11WindowSystem : public WindowSystem {
public:
    explicit X11WindowSystem(std::shared_ptr<X11Desktop> desktop);
    ~X11WindowSystem() override;

    bool isConnected() const override;
    std::optional<DesktopWindow> activeWindow() override;
    std::vector<DesktopWindow> clientWindows() override;
    std::optional<Rect> frame(std::uint32_t window) override;
    // The window manager's answer is waited for: a failure shows now, never later.
    bool moveFrame(std::uint32_t window, Point topLeft, PlacementFailure failedLater) override;
    bool resizeFrame(std::uint32_t window, Size size, PlacementFailure failedLater) override;
    bool activate(std::uint32_t window) override;
    bool iconify(std::uint32_t window) override;
    bool toggleShowingDesktop() override;
    void setChangeHandler(ChangeHandler handler) override;
    std::optional<StartupContext> startupContext() override;
    bool broadcastStartupMessage(const std::string& message) override;

private:
    void processEvents(bool readSocket);

    std::shared_ptr<X11Desktop> desktop_;
    ChangeHandler changed_;
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace velorin::linux_platform
