#pragma once
// How a view comes and goes while it stays in place in its layout: it fades,
// and may grow from a smaller scale about its centre or slide in from an
// edge by its own height. `Presentation` is whether the view is there, as a
// progress from 0 (gone) to 1 (there) moving on the frame clock; the view
// reads its look from the progress on every frame.

#include "Velorin/Design/Animated.h"

#include <functional>
#include <optional>

namespace velorin {

struct TransitionLook {
    double opacity = 1;
    double scale = 1;  // about the view's centre
    double dy = 0;     // points down from where the view stands

    bool operator==(const TransitionLook&) const = default;
};

struct Transition {
    enum class Edge { none, top, bottom };

    double scale = 1;             // the scale it grows from and shrinks to (0.6)
    Edge insertion = Edge::none;  // the edge it comes in from, moving by its own height
    Edge removal = Edge::none;    // the edge it leaves towards

    static constexpr Transition opacity() { return {}; }
    static constexpr Transition scaled(double from) { return {from, Edge::none, Edge::none}; }
    static constexpr Transition moving(Edge edge) { return {1, edge, edge}; }

    // The look of a view `height` points high at `progress`, on its way in
    // (`leaving` false) or out. A spring may overshoot: the scale and the slide
    // follow it past the end, the opacity stops at 1.
    TransitionLook lookAt(double progress, double height, bool leaving) const;
};

class Presentation {
public:
    // `onFrame` is called on every frame of a move and once when it ends.
    explicit Presentation(bool present = false, std::function<void()> onFrame = {});

    // Comes (true) or goes (false) along `animation`, from wherever the move
    // stands; without an animation, or under instant motion, at once.
    void set(bool present, const std::optional<Animation>& animation);

    bool isPresent() const { return progress_.target() >= 1; }
    double progress() const { return progress_.value(); }
    // Whether any of the view can be seen: there, or still on its way out.
    bool isShown() const { return isPresent() || progress_.isAnimating(); }
    bool isLeaving() const { return !isPresent() && progress_.isAnimating(); }
    bool isMoving() const { return progress_.isAnimating(); }
    TransitionLook look(const Transition& transition, double height) const {
        return transition.lookAt(progress(), height, !isPresent());
    }

private:
    AnimatedValue<double> progress_;
};

}  // namespace velorin
