#pragma once
// The settings window as the application model drives it: built once on first
// use, then shown again and again, and telling the model when it is closed,
// minimised or restored. The Qt window implements it; tests use a fake.

#include <functional>

namespace velorin {

enum class WindowNotice { willClose, didMiniaturize, didDeminiaturize };

class SettingsWindow {
public:
    virtual ~SettingsWindow() = default;

    // Observers are never removed: the window lives as long as the process.
    virtual void addObserver(WindowNotice notice, std::function<void()> observer) = 0;
    // Brings the application to the front.
    virtual void activateApplication() = 0;
    // Shows the window (restoring it when minimised), in front, with the focus.
    virtual void makeKeyAndOrderFront() = 0;
};

}  // namespace velorin
