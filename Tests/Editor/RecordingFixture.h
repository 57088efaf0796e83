#pragma once
// The application model on the simulated desktop, with taps on its fake
// touchpad that the engine emits exactly: frame times are binary fractions,
// so every deadline computed from them falls on the virtual clock.

#include "AppModelFixture.h"

namespace velorin::testing {

class RecordingFixture : public AppModelFixture {
protected:
    // `count` taps of `fingers`, a quarter second apart, and time enough for
    // the engine to emit them.
    void tap(int fingers, int count = 1) {
        for (int i = 0; i < count; ++i) {
            touchpad->deliver(TouchFrame{0, t, fingersDown(fingers)});
            touchpad->deliver(TouchFrame{0, t + 0.125, {}});
            t += 0.25;
        }
        t += 2;
        sim.advance(1);
    }
    // One finger in the top-left corner.
    void cornerTap() {
        touchpad->deliver(TouchFrame{0, t, {Touch{1, TouchState::touching, 0.02f, 0.98f, 0, 0, 1}}});
        touchpad->deliver(TouchFrame{0, t + 0.125, {}});
        t += 2;
        sim.advance(1);
    }
    // Whether the last gesture that ran a shortcut ran `action`.
    bool ran(const Action& action) const {
        const auto& fired = model->engine().lastFired().get();
        return fired && fired->action == action;
    }

    double t = 100;
};

}  // namespace velorin::testing
