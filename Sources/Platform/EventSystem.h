#pragma once
// The event system: event sources, synthetic keyboard and system-defined
// events, posting them, the mouse buttons' state, and listen-only taps on the
// stream of input events. Codes, flags and types are the event system's own
// numbers, so the layers above state them exactly.

#include "Platform/Geometry.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace velorin {

// Which combined key and button state a source reads or posts from.
enum class EventSourceStateID : std::int32_t {
    privateState = -1,
    combinedSessionState = 0,
    hidSystemState = 1,
};

struct EventSource {
    EventSourceStateID stateID = EventSourceStateID::hidSystemState;
    bool operator==(const EventSource&) const = default;
};

// Event flags, the event system's bit values.
namespace event_flags {
inline constexpr std::uint64_t alphaShift = 0x10000;
inline constexpr std::uint64_t shift = 0x20000;
inline constexpr std::uint64_t control = 0x40000;
inline constexpr std::uint64_t alternate = 0x80000;
inline constexpr std::uint64_t command = 0x100000;
inline constexpr std::uint64_t numericPad = 0x200000;
inline constexpr std::uint64_t help = 0x400000;
inline constexpr std::uint64_t secondaryFn = 0x800000;
}  // namespace event_flags

// A key-down or key-up event for a virtual key code (the macOS key codes,
// 0 = A … 126 = up arrow).
struct KeyboardEvent {
    // The source it was made from; absent when made without one.
    std::optional<EventSource> source;
    std::uint16_t virtualKey = 0;
    bool keyDown = true;
    std::uint64_t flags = 0;
    // The text the key types, in UTF-16 code units; empty unless set.
    std::u16string unicodeString;
    bool operator==(const KeyboardEvent&) const = default;
};

// An application-kit "other" event; with type 14 (system-defined) and
// subtype 8 it carries a media or brightness key in `data1`.
struct SystemDefinedEvent {
    std::uint32_t type = 14;
    Point location;
    std::uint64_t modifierFlags = 0;
    double timestamp = 0;
    std::int64_t windowNumber = 0;
    std::int16_t subtype = 0;
    std::int64_t data1 = 0;
    std::int64_t data2 = 0;
    bool operator==(const SystemDefinedEvent&) const = default;
};

// An event ready to post.
using Event = std::variant<KeyboardEvent, SystemDefinedEvent>;

enum class EventTapLocation : std::uint32_t { hid = 0, session = 1, annotatedSession = 2 };
enum class EventTapPlacement : std::uint32_t { headInsert = 0, tailAppend = 1 };
enum class EventTapOptions : std::uint32_t { defaultTap = 0, listenOnly = 1 };
enum class MouseButton : std::uint32_t { left = 0, right = 1, center = 2 };

// Event types as the event system numbers them, including the two notices a
// tap receives when the system has switched it off.
using EventType = std::uint32_t;
namespace event_type {
inline constexpr EventType leftMouseDown = 1;
inline constexpr EventType leftMouseUp = 2;
inline constexpr EventType rightMouseDown = 3;
inline constexpr EventType rightMouseUp = 4;
inline constexpr EventType mouseMoved = 5;
inline constexpr EventType leftMouseDragged = 6;
inline constexpr EventType rightMouseDragged = 7;
inline constexpr EventType keyDown = 10;
inline constexpr EventType keyUp = 11;
inline constexpr EventType flagsChanged = 12;
inline constexpr EventType scrollWheel = 22;
inline constexpr EventType otherMouseDown = 25;
inline constexpr EventType otherMouseUp = 26;
inline constexpr EventType tapDisabledByTimeout = 0xFFFFFFFE;
inline constexpr EventType tapDisabledByUserInput = 0xFFFFFFFF;
}  // namespace event_type

// The event mask bit of one event type.
constexpr std::uint64_t eventMaskBit(EventType type) { return std::uint64_t{1} << type; }

// A tap on the event stream. It delivers to its callback only while it is
// enabled and added to the main run loop; destroying it ends it.
class EventTap {
public:
    virtual ~EventTap() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    // Delivery happens on the main thread's run loop.
    virtual void addToRunLoop() = 0;
    virtual void removeFromRunLoop() = 0;
};

class EventSystem {
public:
    // Called on the main thread for each event of a type in the tap's mask,
    // and for the "tap disabled" notices (whatever the mask says). A
    // listen-only tap sees events; it cannot change them.
    using TapCallback = std::function<void(EventType type)>;

    virtual ~EventSystem() = default;

    // Absent when the source cannot be made.
    virtual std::optional<EventSource> createEventSource(EventSourceStateID stateID) = 0;
    // Absent when the event cannot be made. `source` may be absent.
    virtual std::optional<KeyboardEvent> createKeyboardEvent(const std::optional<EventSource>& source,
                                                             std::uint16_t virtualKey, bool keyDown) = 0;
    // Makes an application-kit event with exactly these fields; absent when
    // it cannot be made.
    virtual std::optional<SystemDefinedEvent> createSystemDefinedEvent(const SystemDefinedEvent& fields) = 0;
    // The postable event of an application-kit event; absent when there is none.
    virtual std::optional<Event> quartzEvent(const SystemDefinedEvent& event) = 0;

    virtual void post(EventTapLocation location, const Event& event) = 0;

    // The virtual key code of the physical key behind a key event's native
    // scan code, as the desktop's toolkit reports it; absent when the code
    // names no key with a virtual code (or the desktop gives none).
    virtual std::optional<std::uint16_t> virtualKeyForScanCode(std::uint32_t nativeScanCode) {
        (void)nativeScanCode;
        return std::nullopt;
    }

    // Whether the button is down in the given state (0, the combined state of
    // every source, is what callers normally ask).
    virtual bool buttonState(EventSourceStateID stateID, MouseButton button) = 0;

    // Null when the system refuses the tap (typically for lack of permission).
    virtual std::unique_ptr<EventTap> createEventTap(EventTapLocation location, EventTapPlacement placement,
                                                     EventTapOptions options, std::uint64_t eventsOfInterest,
                                                     TapCallback callback) = 0;
};

}  // namespace velorin
