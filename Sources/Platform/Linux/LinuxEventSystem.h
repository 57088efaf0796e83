#pragma once
// Key and media events through a uinput virtual keyboard (works under X11 and
// Wayland alike); mouse-button state and the mouse-down tap from the evdev
// pointer devices.

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "Platform/EventSystem.h"
#include "Platform/Linux/KeyRules.h"
#include "Platform/MainQueue.h"

namespace velorin::linux_platform {

class PointerButtons;
class KeyOutput;

class LinuxEventSystem : public EventSystem {
public:
    // The bundle identifier of the app in front, asked as each key goes down.
    using FrontApp = std::function<std::optional<std::string>()>;

    // `keyboard`: the virtual keyboard, shared with the trust test;
    // `frontApp` and `desktop`: what a combination presses depends on them;
    // `inputFolder`: where the evdev devices are. The mouse buttons are read
    // from the start, so the first question about them already has the answer.
    LinuxEventSystem(std::shared_ptr<MainQueue> mainQueue, std::shared_ptr<KeyOutput> keyboard,
                     FrontApp frontApp = {}, DesktopKind desktop = DesktopKind::other,
                     std::string inputFolder = "/dev/input");
    ~LinuxEventSystem() override;

    std::optional<EventSource> createEventSource(EventSourceStateID stateID) override;
    std::optional<KeyboardEvent> createKeyboardEvent(const std::optional<EventSource>& source,
                                                     std::uint16_t virtualKey, bool keyDown) override;
    std::optional<SystemDefinedEvent> createSystemDefinedEvent(const SystemDefinedEvent& fields) override;
    std::optional<Event> quartzEvent(const SystemDefinedEvent& event) override;
    void post(EventTapLocation location, const Event& event) override;
    std::optional<std::uint16_t> virtualKeyForScanCode(std::uint32_t nativeScanCode) override;
    bool buttonState(EventSourceStateID stateID, MouseButton button) override;
    std::unique_ptr<EventTap> createEventTap(EventTapLocation location, EventTapPlacement placement,
                                             EventTapOptions options, std::uint64_t eventsOfInterest,
                                             TapCallback callback) override;

    struct Taps;  // the live taps, shared with the blocks that deliver to them

private:
    std::optional<LinuxCombination> combinationFor(const KeyboardEvent& event);

    std::shared_ptr<KeyOutput> keyboard_;
    FrontApp frontApp_;
    DesktopKind desktop_;
    // What each key still down pressed, so its key-up releases exactly that
    // even when the app in front changed in between.
    std::map<std::uint16_t, LinuxCombination> pressed_;
    std::shared_ptr<Taps> taps_;
    std::unique_ptr<PointerButtons> buttons_;
};

}  // namespace velorin::linux_platform
