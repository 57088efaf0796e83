#pragma once
// Where the stand-in's touchpads come from: listing them, opening one as a stream
// of events, and being told when devices come and go. The evdev backend is the
// real one; tests give the registry a backend of their own.

#include <linux/input.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MultitouchSupport/EvdevTranslator.h"
#include "MultitouchSupport/Touchpad.h"
#include "MultitouchSupport/TouchpadSwitch.h"

namespace velorin::multitouch {

// One open touchpad.
class EventStream {
public:
    enum class Outcome {
        events,       // `events` holds what arrived
        deadline,     // the deadline passed
        gone,         // the device went away (unplugged, suspended); nothing more comes
        interrupted,  // interrupt() was called
    };
    struct Read {
        Outcome outcome = Outcome::events;
        std::vector<input_event> events;
        double now = 0;  // seconds on CLOCK_MONOTONIC, the clock of the events' times
    };

    virtual ~EventStream() = default;
    virtual DeviceIdentity identity() const = 0;
    // The axes and the slots as they were when the device was opened.
    virtual TouchpadSnapshot snapshot() const = 0;
    // Waits for events, until `deadline` (CLOCK_MONOTONIC seconds; none: no limit), for the
    // device to go, or for interrupt(). Called by one thread at a time.
    virtual Read next(std::optional<double> deadline) = 0;
    // Wakes next() from any thread; the next call to next() returns `interrupted`.
    virtual void interrupt() = 0;
    // Whether another program holds the device grabbed: it then gets every event and we none.
    virtual bool grabbedElsewhere() = 0;
};

// Tells that devices may have come or gone.
class ChangeWatch {
public:
    enum class Outcome { changed, closed };
    virtual ~ChangeWatch() = default;
    // Waits for a change, a nudge() or close(); `closed` once close() was called.
    virtual Outcome wait() = 0;
    virtual void nudge() = 0;  // from any thread: wait() returns `changed`
    virtual void close() = 0;  // from any thread
};

// Feeds the typing guard from the built-in keyboards until destroyed.
class KeyboardWatch {
public:
    virtual ~KeyboardWatch() = default;
};

// Tells the registry whether this login session is the active one of its seat
// (another user's session may be on the screen), until destroyed.
class SessionWatch {
public:
    virtual ~SessionWatch() = default;
};

// Tells the registry what the desktop's own touchpad switch says, until destroyed.
class TouchpadSwitchWatch {
public:
    virtual ~TouchpadSwitchWatch() = default;
};

struct FoundDevice {
    DeviceIdentity identity;
    std::string node;
    bool operator==(const FoundDevice&) const = default;
};

class DeviceBackend {
public:
    virtual ~DeviceBackend() = default;
    // The touchpads present now, in a stable order; one that another program holds grabbed
    // is not available to us and not listed.
    virtual std::vector<FoundDevice> scan() = 0;
    // Opens a touchpad found by scan(); null when it cannot be opened (or is not one any more).
    virtual std::unique_ptr<EventStream> open(const std::string& node) = 0;
    virtual std::unique_ptr<ChangeWatch> watch() = 0;
    // Starts telling `guard` the key presses of the built-in keyboards; none where there is
    // no way to read them.
    virtual std::unique_ptr<KeyboardWatch> watchKeyboards(TypingGuard&) { return nullptr; }
    // Calls `changed` with whether this session is active: once at once, then on every
    // change, from any thread. None where sessions can't be told apart (always active).
    virtual std::unique_ptr<SessionWatch> watchSession(std::function<void(bool active)>) { return nullptr; }
    // Calls `changed` with what the desktop's touchpad switch says: once at once, then on
    // every change, from any thread. None where the desktop's switch can't be read (all on).
    virtual std::unique_ptr<TouchpadSwitchWatch> watchTouchpadSwitch(std::function<void(const TouchpadSwitch&)>) {
        return nullptr;
    }
};

}  // namespace velorin::multitouch
