#pragma once
// Disable-while-typing, as libinput does it for the desktop: touches that begin just after
// a key press on a built-in keyboard are a thumb or a palm brushing the pad, not a gesture.
// Keys come from the keyboard reader's thread, touches from the pads' readers.

#include <cstdint>
#include <limits>
#include <map>
#include <mutex>

namespace velorin::multitouch {

// New touches are ignored this long after a key press (libinput's figures)...
inline constexpr double typingQuietAfterKeySeconds = 0.2;
// ...and this long after a press that came while already typing.
inline constexpr double typingQuietWhileTypingSeconds = 0.5;

class TypingGuard {
public:
    // One EV_KEY event of built-in keyboard `keyboard` (value 1 pressed, 2 repeated, 0 released),
    // at `time` on the touch frames' clock. Modifiers, Escape, function and media keys are no
    // typing, and neither is a key pressed while Ctrl, Alt or Super is held (a shortcut, such
    // as Ctrl+click).
    void key(int keyboard, unsigned code, int value, double time);
    // A keyboard went away: its held modifiers are up.
    void forget(int keyboard);
    // Whether a touch beginning at `time` is ignored: it began after a key press of the
    // typing and before the quiet time after it ended.
    bool quiet(double time) const;

private:
    mutable std::mutex mutex_;
    std::map<int, unsigned> shortcutModifiers_;  // keyboard → bit per held Ctrl, Alt or Super key
    double since_ = std::numeric_limits<double>::infinity();  // the first key press of the typing
    double until_ = -std::numeric_limits<double>::infinity();  // when the quiet time ends
};

}  // namespace velorin::multitouch
