#include "Actions/Permissions.h"

#include "Actions/Url.h"
#include "Platform/Platform.h"

namespace velorin {

bool Permissions::isAccessibilityTrusted() { return platform::current().accessibility().isProcessTrusted(); }

bool Permissions::requestAccessibility() {
    return platform::current().accessibility().isProcessTrustedWithPrompt();
}

void Permissions::openAccessibilitySettings() {
    const auto url = Url::parse("x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility");
    if (!url) return;
    // Nothing to tell the user if the page doesn't open: the settings window shows the state.
    (void)platform::current().workspace().open(url->text());
}

}  // namespace velorin
