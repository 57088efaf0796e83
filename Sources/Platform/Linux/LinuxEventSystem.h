#pragma once
// Key and media events through a uinput virtual keyboard (works under X11 and
// Wayland alike); mouse-button state and the mouse-down tap from the evdev
// pointer devices.

#include <memory>
#include <string>

#include "Platform/EventSystem.h"
#include "Platform/MainQueue.h"

namespace velorin::linux_platform {

class PointerButtons;
class VirtualKeyboard;

class LinuxEventSystem : public EventSystem {
public:
    // `keyboard`: the virtual keyboard, shared with the trust test;
    // `inputFolder`: where the evdev devices are. The mouse buttons are read
    // from the start, so the first question about them already has the answer.
    LinuxEventSystem(std::shared_ptr<MainQueue> mainQueue, std::shared_ptr<VirtualKeyboard> keyboard,
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

    struct Taps;  // the live taps, shared with the blocks that deliver to them

private:
    std::shared_ptr<VirtualKeyboard> keyboard_;
    std::shared_ptr<Taps> taps_;
    std::unique_ptr<PointerButtons> buttons_;
};

}  // namespace velorin::linux_platform
