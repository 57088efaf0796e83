#pragma once
// The simulated event system: records every posted event in order, keeps the
// mouse buttons' state as the test sets it, and lets the test send input
// events to the taps.

#include "Platform/EventSystem.h"
#include "Platform/Sim/SimFailures.h"
#include "Platform/Sim/SimJournal.h"

#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace velorin::sim {

struct PostedEvent {
    EventTapLocation location = EventTapLocation::hid;
    Event event;
    bool operator==(const PostedEvent&) const = default;
};

struct TapDescription {
    EventTapLocation location = EventTapLocation::session;
    EventTapPlacement placement = EventTapPlacement::headInsert;
    EventTapOptions options = EventTapOptions::listenOnly;
    std::uint64_t eventsOfInterest = 0;
    bool enabled = false;
    bool inRunLoop = false;
    bool operator==(const TapDescription&) const = default;
};

class SimEventSystem : public EventSystem {
public:
    SimEventSystem(SimFailures& failures, SimJournal& journal);
    ~SimEventSystem() override;

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

    // The test side.

    // Everything posted, in order.
    std::vector<PostedEvent> postedEvents() const;
    std::vector<KeyboardEvent> postedKeyboardEvents() const;
    std::vector<SystemDefinedEvent> postedSystemDefinedEvents() const;
    void clearPostedEvents();

    // The physical keys the simulated keyboard reports: a native scan code
    // and its virtual key code (none removes it). No key is known at first.
    void setScanCode(std::uint32_t nativeScanCode, std::optional<std::uint16_t> virtualKey);

    // The same state whatever state ID is asked.
    void setButtonDown(MouseButton button, bool down);
    // How often a button's state was asked.
    int buttonStateQueries() const;

    // The taps that exist, in order of creation.
    std::vector<TapDescription> taps() const;
    // An input event of `type` reaches every tap that is enabled, in the run
    // loop and interested in the type. Gives how many taps it reached.
    int sendEvent(EventType type);
    // The system switches every enabled tap off and sends each in the run
    // loop the notice (`tapDisabledByTimeout` or `tapDisabledByUserInput`).
    void disableTaps(EventType notice = event_type::tapDisabledByTimeout);

private:
    struct TapState;
    struct Taps;
    class Tap;

    SimFailures& failures_;
    SimJournal& journal_;
    mutable std::mutex mutex_;
    std::vector<PostedEvent> posted_;
    std::map<MouseButton, bool> buttons_;
    std::map<std::uint32_t, std::uint16_t> scanCodes_;
    int buttonQueries_ = 0;
    std::shared_ptr<Taps> taps_;
};

}  // namespace velorin::sim
