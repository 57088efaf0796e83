#pragma once
// The one spring every animation of the interface runs on, given as a
// response (roughly how long one swing takes, in seconds) and a damping
// fraction (1 settles without overshoot, less swings past the target).

namespace velorin {

struct Spring {
    double response = 0.5;  // seconds
    double dampingFraction = 0.825;
    double blendDuration = 0;  // seconds; kept for completeness, no animation blends

    bool operator==(const Spring&) const = default;
};

struct SpringState {
    double value = 0;
    double velocity = 0;  // units per second

    bool operator==(const SpringState&) const = default;
};

// Where a spring released at `from` with `velocity` stands `t` seconds later,
// on its way to `target`. A spring of no response is at its target at once.
SpringState evaluateSpring(const Spring& spring, double from, double target, double velocity, double t);

// Whether a spring's motion has died away: its distance from the target and
// its speed are both negligible against `span` (the size of the move).
bool springSettled(const SpringState& state, double target, double span);

}  // namespace velorin
