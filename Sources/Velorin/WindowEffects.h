#pragma once
// What the desktop can do behind the settings window, supplied by the
// composition (the Linux adapters know the desktop; tests and the offscreen
// platform supply nothing, which is an opaque window).

#include <functional>

class QWidget;

namespace velorin {

struct WindowEffects {
    enum class Backdrop {
        opaque,       // nothing composites: transparent pixels would show black
        translucent,  // a compositor blends the window over the desktop
        blurred,      // and blurs the desktop behind it when asked
    };

    // Asked once, when the window is built (translucency is chosen before the
    // native window exists). Absent: opaque.
    std::function<Backdrop()> backdrop;
    // Asks the compositor to blur behind the whole window, or stop; called
    // with a window that has its native handle. Absent: no blur.
    std::function<void(QWidget* window, bool on)> setBlurBehind;
};

}  // namespace velorin
