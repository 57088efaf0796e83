#include "Velorin/Design/Transition.h"

#include <algorithm>

namespace velorin {

namespace {
// Points down for a view `height` high that stands beside `edge`, `away` of the way out.
double slide(Transition::Edge edge, double height, double away) {
    switch (edge) {
        case Transition::Edge::none:
            return 0;
        case Transition::Edge::top:
            return -height * away;
        case Transition::Edge::bottom:
            return height * away;
    }
    return 0;
}
}  // namespace

TransitionLook Transition::lookAt(double progress, double height, bool leaving) const {
    const double away = 1 - progress;
    return TransitionLook{std::clamp(progress, 0.0, 1.0), scale + (1 - scale) * progress,
                          slide(leaving ? removal : insertion, height, away)};
}

Presentation::Presentation(bool present, std::function<void()> onFrame)
    : progress_(present ? 1.0 : 0.0, std::move(onFrame)) {}

void Presentation::set(bool present, const std::optional<Animation>& animation) {
    const double target = present ? 1.0 : 0.0;
    if (target == progress_.target()) return;
    if (animation) {
        progress_.animateTo(target, *animation);
    } else {
        progress_.setValue(target);
    }
}

}  // namespace velorin
