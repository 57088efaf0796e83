#pragma once
// The palette and the two springs every window, sheet and panel draws and
// moves with. Every colour but `honey` (the accent), `butter` (derived from
// it) and `onAccent` (white) has a light and a dark value.

#include "Velorin/Design/Color.h"
#include "Velorin/Design/Spring.h"

namespace velorin {

struct Theme {
    Theme() = delete;

    static constexpr ThemeColor milk = ThemeColor::dynamic(0xD5DAE2, 0x0E1014);       // window floor
    static constexpr ThemeColor cream = ThemeColor::dynamic(0xC6CCD6, 0x2B3038);      // second surface
    static constexpr ThemeColor butter = ThemeColor::butter();                        // light form of the accent
    static constexpr ThemeColor honey = ThemeColor::accent();                         // the accent
    static constexpr ThemeColor onAccent = ThemeColor::plain(0xFFFFFF);               // drawn on honey
    static constexpr ThemeColor warmWhite = ThemeColor::dynamic(0xF5F7FA, 0x1D2027);  // raised surface
    static constexpr ThemeColor ink = ThemeColor::dynamic(0x0D0F12, 0xF2F3F5);        // primary text
    static constexpr ThemeColor inkMuted = ThemeColor::dynamic(0x0D0F12, 0xF2F3F5, 0.70, 0.62);
    static constexpr ThemeColor inkFaint = ThemeColor::dynamic(0x0D0F12, 0xFFFFFF, 0.15, 0.12);
    static constexpr ThemeColor rim = ThemeColor::dynamic(0xFFFFFF, 0xFFFFFF, 0.90, 0.16);
    static constexpr ThemeColor shadow = ThemeColor::dynamic(0x1B2230, 0x000000, 0.60, 0.90);
    static constexpr ThemeColor success = ThemeColor::dynamic(0x2E8B4E, 0x58C47C);
    static constexpr ThemeColor warning = ThemeColor::dynamic(0xD0700F, 0xF0A04A);

    static constexpr Spring snappy{0.32, 0.78, 0};  // quick state changes
    static constexpr Spring wobble{0.45, 0.6, 0};   // bouncy toggles and selections
};

}  // namespace velorin
