#pragma once
// What the General tab shows, decided without a display: the permission part
// for the trust flag, the command that removes a stale permission entry, the
// trackpad's state, and the see-through card under Reduce Transparency.

#include <optional>
#include <string>

namespace velorin {

class Bundle;

struct GeneralRules {
    GeneralRules() = delete;

    static constexpr const char* fallbackIdentifier = "com.quillmere.velorin";

    // "tccutil reset Accessibility " and the bundle's identifier (the
    // fallback identifier when it has none).
    static std::string resetCommand(Bundle& bundle);

    // Untrusted: the banner and the "Still not working?" card; trusted: the
    // granted card alone.
    enum class AccessibilityPart { granted, missing };
    static AccessibilityPart accessibilityPart(bool trusted) {
        return trusted ? AccessibilityPart::granted : AccessibilityPart::missing;
    }

    // The Trackpad card: "Listening" while running, else the start error, or
    // "Stopped" when there is none.
    struct TrackpadStatus {
        bool listening = false;
        std::string text;
        bool operator==(const TrackpadStatus&) const = default;
    };
    static TrackpadStatus trackpadStatus(bool running, const std::optional<std::string>& startError);

    // The note under the see-through slider.
    static std::string seeThroughNote(bool reduceTransparency);
};

}  // namespace velorin
