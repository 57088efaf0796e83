#pragma once
// How the gesture studio moves, as plain decisions: the springs of its
// changes, how each of its parts comes and goes, and the Save button's swell.
// Under Reduce Motion every one of these changes happens at once.

#include <optional>

#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Transition.h"

namespace velorin {

struct GestureStudioMotion {
    GestureStudioMotion() = delete;

    // Every change of the caught gesture: the pad's marks, the hint and the line.
    static constexpr Spring flow{0.62, 0.84, 0};
    // The "Saved" card coming.
    static constexpr Spring savedSpring{0.45, 0.7, 0};
    // A target chosen, and a chip's new title.
    static constexpr Spring choiceSpring{0.4, 0.8, 0};
    // The Save button swelling, and going back.
    static constexpr Spring swellSpring{0.25, 0.45, 0};
    static constexpr Spring unswellSpring{0.35, 0.6, 0};
    static constexpr double swollenScale = 1.08;

    // How each part comes and goes.
    static constexpr Transition listening = Transition::opacity();
    static constexpr Transition capsule = Transition::scaled(0.6);
    static constexpr Transition retry = Transition::opacity();
    static constexpr Transition hint = Transition::opacity();
    static constexpr Transition line = Transition::moving(Transition::Edge::bottom);
    static constexpr Transition clash = Transition::opacity();
    static constexpr Transition savedCard = Transition::scaled(0.6);
    // A chip's title: the new one comes up from below, the old one leaves upwards.
    static constexpr Transition chipTitle{1, Transition::Edge::bottom, Transition::Edge::top};

    // `spring`, or none (at once) under Reduce Motion.
    static std::optional<Animation> moving(const Spring& spring, bool reduceMotion);

    // The Save button's scale while `bump` is on or off, and how it gets there.
    struct Swell {
        double scale = 1;
        Spring spring;
        bool operator==(const Swell&) const = default;
    };
    static Swell swell(bool bump);

    // The clash warning comes and goes with what brought it: a new gesture
    // with `flow`, a new target with the choice's spring; a change of the
    // configuration alone, at once.
    static std::optional<Animation> clashMotion(bool gestureChanged, bool targetChanged, bool reduceMotion);
};

}  // namespace velorin
