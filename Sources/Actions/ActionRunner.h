#pragma once
// Runs one action on the desktop: key presses, menu presses and window moves through
// the Accessibility interface, media and brightness keys as system-defined events,
// apps, links and files through the workspace, a few system tools and one script.
// It keeps nothing between actions. It never waits for the mouse buttons: whoever
// fires a keystroke, window or menu action waits for `mouseButtonDown` to clear.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>

#include "Actions/Action.h"
#include "Actions/ActionError.h"
#include "Actions/KeyCombo.h"

namespace velorin {

class ActionRunner {
public:
    ActionRunner() = default;

    // Main thread only. Throws ActionError.
    void run(const Action& action) const;
    // The same; `failedLater` hears, on the main thread and once at most, of a
    // failure that shows only after the run returned (a link no app opens, a
    // window the desktop would not place).
    using LateFailure = std::function<void(const ActionError&)>;
    void run(const Action& action, const LateFailure& failedLater) const;

    // The left or the right button is down in the combined state of all sources.
    static bool mouseButtonDown();

    // The control character a combination types (control-A → 1 … control-Z → 26):
    // only for the letter keys, with control and neither command nor option.
    static std::optional<std::uint16_t> controlCharacter(const KeyCombo& combo);

    // Arrow keys always travel with the numeric-pad and function flags, and the
    // function and navigation keys (arrows included) with the function flag.
    static const std::set<std::uint16_t>& arrowKeys();
    static const std::set<std::uint16_t>& fnKeys();
};

}  // namespace velorin
