#pragma once
// Key and media events through a uinput virtual keyboard (works under X11 and
// Wayland alike); mouse-button state and the mouse-down tap from the evdev
// pointer devices.

#include <memory>
#include <mutex>
#include <vector>

#include "Platform/EventSystem.h"
#include "Platform/MainQueue.h"

struct libevdev_uinput;

namespace velorin::linux_platform {

class PointerButtons;

class LinuxEventSystem : public EventSystem {
public:
    // `uinputPath`: the uinput node; `inputFolder`: where the evdev devices are.
    explicit LinuxEventSystem(MainQueue& mainQueue, std::string uinputPath = "/dev/uinput",
                              std::string inputFolder = "/dev/input");
    ~LinuxEventSystem() override;

    std::optional<EventSource> createEventSource(EventSourceStateID stateID) override;
    std::optional<KeyboardEvent> createKeyboardEvent(const std::optional<EventSource>& source,
                                                     std::uint16_t virtualKey, bool keyDown) override;
    std::optional<SystemDefinedEvent> createSystemDefinedEvent(const SystemDefinedEvent& fields) override;
    std::optional<Event> quartzEvent(const SystemDefinedEvent& event) override;
    void post(EventTapLocation location, const Event& event) override;
    bool buttonState(EventSourceStateID stateID, MouseButton button) override;
    std::unique_ptr<EventTap> createEventTap(EventTapLocation location, EventTapPlacement placement,
                                             EventTapOptions options, std::uint64_t eventsOfInterest,
                                             TapCallback callback) override;

    // Whether the virtual keyboard exists (the process may post input).
    bool canPost();

    struct Taps;  // the live taps, shared with the blocks that deliver to them

private:
    void ensureDevices();

    MainQueue& mainQueue_;
    std::string uinputPath_;
    std::string inputFolder_;
    std::mutex mutex_;
    libevdev_uinput* keyboard_ = nullptr;
    bool triedKeyboard_ = false;
    std::unique_ptr<PointerButtons> buttons_;
    std::shared_ptr<Taps> taps_;
};

}  // namespace velorin::linux_platform
