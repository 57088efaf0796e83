#pragma once
// The beat of a decoration that repeats forever (a status dot's halo, the
// rings of the listening mark): the seconds since it began, on the frame
// clock, asking for frames only while its view is shown and moving. With
// instant motion (tests, the gallery) it stands still at one chosen moment,
// so that a picture shows what the motion looks like; under Reduce Motion it
// stays at rest.

#include "Velorin/Design/Display.h"
#include "Velorin/Design/FrameClock.h"

#include <functional>
#include <optional>

namespace velorin {

class Pulse {
public:
    // `stillSeconds`: the moment shown while motion is instant. `changed`:
    // called on every frame while it moves, and whenever what it shows may
    // have changed otherwise (it starts, stops, Reduce Motion switches).
    Pulse(double stillSeconds, std::function<void()> changed);
    ~Pulse();
    Pulse(const Pulse&) = delete;
    Pulse& operator=(const Pulse&) = delete;

    // The share of the way an ease-out repeated every `period` seconds has
    // come `elapsed` seconds after it began: 0 at each start, nearly 1 just
    // before each end, without reversing.
    static double progress(double elapsed, double period);

    // Begins the pulse now; with `restart` false a pulse already begun keeps
    // its time.
    void begin(bool restart);
    // Frames are asked for only while shown.
    void setShown(bool shown);

    bool hasBegun() const { return begun_; }
    // Begun, shown and not held at rest by Reduce Motion.
    bool isMoving() const;
    // Seconds into the pulse as drawn now; none at rest (not begun yet, or
    // Reduce Motion).
    std::optional<double> elapsed() const;

private:
    void listen();
    double now() const;

    double stillSeconds_;
    std::function<void()> changed_;
    bool begun_ = false;
    bool shown_ = false;
    double start_ = 0;
    bool reduced_ = false;  // Reduce Motion as last seen
    FrameClock* clock_ = nullptr;
    FrameClock::Token token_ = 0;
    DisplayObserver display_;
};

}  // namespace velorin
