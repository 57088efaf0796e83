#pragma once
// The process's Accessibility permission, which key presses, system keys, window
// moves and menu presses need.

namespace velorin {

struct Permissions {
    // Asked afresh each time, without a prompt.
    static bool isAccessibilityTrusted();
    // The same test with the system's prompt shown when not trusted; the trust now.
    static bool requestAccessibility();
    // Opens the Accessibility page of the system's privacy settings.
    static void openAccessibilitySettings();
};

}  // namespace velorin
