#pragma once
// What the desktop's compositor does behind a translucent window: whether
// anything composites at all (X11: a compositing manager owns the screen's
// _NET_WM_CM_S0 selection; Wayland always composites), and, on KWin, the
// blur behind a window that its blur effect offers through the
// _KDE_NET_WM_BLUR_BEHIND_REGION property.

#include <cstdint>

namespace velorin::linux_platform {

enum class CompositorBackdrop {
    none,         // nothing composites: a translucent window would show black
    translucent,  // windows are blended over the desktop
    blurred,      // and the compositor blurs behind a window that asks
};

struct DesktopEffects {
    DesktopEffects() = delete;

    // Asked of the running Qt application's display.
    static CompositorBackdrop backdrop();
    // Asks for (or stops) the blur behind the whole of the X11 window `window`;
    // false where it can't be asked (no X11 display).
    static bool setBlurBehind(std::uintptr_t window, bool on);
};

}  // namespace velorin::linux_platform
