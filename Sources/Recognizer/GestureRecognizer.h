#pragma once
// Turns one touchpad's contact frames and physical clicks into taps, holds and
// corner taps. A plain value: no clock, no lock, no thread. Every call carries
// its own time (seconds on the touch-frame clock); a deadline is reported
// through `nextDeadline` and delivered back as `tick`.

#include <cstdint>
#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

#include "Recognizer/Gesture.h"
#include "Recognizer/RecognizerConfig.h"
#include "TouchInput/Touch.h"

namespace velorin {

class GestureRecognizer {
public:
    using GestureSet = std::unordered_set<Gesture>;
    using Events = std::vector<GestureEvent>;

    // Read afresh by every operation; changing them keeps the contact and the waiting sequence.
    RecognizerConfig config;
    // Gestures bound for the front app. Absent: every sequence may still grow (recording).
    std::optional<GestureSet> bound;
    // The finger count the system drags with; a click with exactly that count is ignored.
    std::optional<int> dragFingers;

    explicit GestureRecognizer(RecognizerConfig config = {}, std::optional<GestureSet> bound = std::nullopt);

    Events process(const TouchFrame& frame);
    Events click(double time);
    Events tick(double now);
    std::optional<double> nextDeadline() const;

    static float median(std::vector<float>& values);  // sorts `values` in place

private:
    struct Point {
        float x = 0;
        float y = 0;
    };
    struct Contact {
        double start = 0;
        int peakFingers = 0;
        std::vector<std::pair<std::int32_t, Point>> origins;  // few fingers: a flat list beats a map
        float travel = 0;
        std::optional<Point> firstPosition;
        bool disqualified = false;
        bool movedForTap = false;
        bool clicked = false;
    };
    struct Pending {
        int fingers = 0;
        int count = 0;
        std::optional<double> releaseTime;
    };

    void emitPending(double t, Events& out);
    void release(const Contact& contact, double t, Events& out);
    // Counts a tap of `fingers` that began at `start` into the sequence; gives the new
    // count, or nothing when the sequence reached its longest and was emitted.
    std::optional<int> count(int fingers, double start, double t, Events& out);
    bool wantsLongerSequence(int fingers, int than) const;
    float updateTravel(Contact& contact, const TouchFrame& frame);
    bool expired(double t) const;

    std::optional<Contact> contact_;
    std::optional<Pending> pending_;
    std::vector<float> distances_;  // scratch, kept to avoid allocating per frame
    Contact spare_;                 // a finished contact, kept for its origins' storage
};

}  // namespace velorin
