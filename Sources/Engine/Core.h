#pragma once
// The one part of the engine that two threads share: a recogniser per
// touchpad and what the recognisers need, behind one lock. The touchpad
// framework's thread brings frames; the main thread brings clicks, ticks and
// new settings. Every operation does its recogniser work under the lock and
// hands back what the caller must deliver; nothing is called out while the
// lock is held, and no other lock is ever taken with it.

#include <map>
#include <mutex>
#include <optional>
#include <vector>

#include "Recognizer/GestureRecognizer.h"
#include "Recognizer/RecognizerConfig.h"
#include "TouchInput/Touch.h"

namespace velorin {

class Clock;

class Core {
public:
    using GestureSet = GestureRecognizer::GestureSet;
    using Events = GestureRecognizer::Events;

    // Live touches reach the main thread at most this often (frame-clock
    // seconds), except the empty list, which always goes at once.
    static constexpr double liveTouchInterval = 1.0 / 60.0;

    struct FrameResult {
        Events events;
        // The frame's down touches, when live touches are wanted and the
        // throttle let them through.
        std::optional<std::vector<Touch>> liveTouches;
        // The next deadline of this frame's touchpad alone.
        std::optional<double> deadline;

        // Whether there is anything to hand to the main thread.
        bool isEmpty() const { return events.empty() && !liveTouches && !deadline; }
    };

    struct Result {
        Events events;
        // The earliest deadline over every touchpad.
        std::optional<double> deadline;
    };

    // `clock` gives the system uptime; it must outlive the core.
    explicit Core(const Clock& clock);
    Core(const Core&) = delete;
    Core& operator=(const Core&) = delete;

    // One contact frame, on the framework's thread. A touchpad's first frame
    // makes its recogniser with the current settings and bound set.
    FrameResult frame(const TouchFrame& frame);

    // A physical click, handed to every touchpad's recogniser. `dragFingers`
    // is the system's drag finger count, read by the caller beforehand.
    Result click(std::optional<int> dragFingers);

    // The deadline has come: every recogniser looks at its waiting sequence.
    // `due` is the deadline the tick was set for: a clock that reads a hair
    // before it (rounding through the clock's offset) counts as there, or the
    // tick would be set again, a hair later, without end.
    Result tick(std::optional<double> due = std::nullopt);

    // New settings and bound set for every recogniser, now and later; an
    // absent set lets every sequence grow. Contacts and waiting sequences
    // carry on under the new values.
    void rearm(const RecognizerConfig& config, std::optional<GestureSet> bound);

    // Whether frames collect live touches.
    void setWantsTouches(bool wants);

    // The touch-frame clock's reading now: the uptime minus the offset that
    // the latest frame left (the uptime itself before the first frame).
    double now() const;

    // Whether the system's three-finger drag is on, read afresh from the
    // trackpad preferences (built-in, then Bluetooth). Never under the lock.
    static bool threeFingerDragOn();

    // How many touchpads have a recogniser.
    std::size_t recognizerCount() const;

private:
    double nowLocked() const;
    std::optional<double> earliestDeadlineLocked() const;

    const Clock& clock_;
    mutable std::mutex lock_;
    // By touchpad index; std::map so that clicks and ticks visit them in one
    // fixed order.
    std::map<long, GestureRecognizer> recognizers_;
    RecognizerConfig recognizerConfig_;
    std::optional<GestureSet> bound_ = GestureSet{};
    std::optional<double> clockOffset_;
    bool wantsTouches_ = false;
    double lastLiveSent_ = 0;
};

}  // namespace velorin
