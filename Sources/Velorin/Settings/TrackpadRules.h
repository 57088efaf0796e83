#pragma once
// What the trackpad tab shows, decided without a display: the finger guide's
// four rows for a number of fingers (what each gesture does in every app and
// the colour of its source), how the guide follows the fingers, and the texts
// and symbol of the card with the last gesture that ran.

#include <array>
#include <optional>
#include <string>

#include "Config/AppConfig.h"
#include "Engine/Engine.h"
#include "Recognizer/Gesture.h"
#include "Velorin/Design/Color.h"

namespace velorin {

struct FingerGuideRow {
    std::string label;
    Gesture gesture;
    // What the gesture does in every app, and the colour of its dot; none: "Nothing yet".
    struct Entry {
        std::string action;
        ThemeColor dot;
        bool operator==(const Entry&) const = default;
    };
    std::optional<Entry> entry;
    bool operator==(const FingerGuideRow&) const = default;
};

// The last gesture card's content.
struct LastGestureCard {
    std::string symbol;
    std::string gesture;
    std::string action;                 // "no action" for a record without one
    std::optional<std::string> source;  // "from " and the source
    std::optional<std::string> error;
    bool operator==(const LastGestureCard&) const = default;
};

struct TrackpadRules {
    TrackpadRules() = delete;

    static constexpr int maxGuideFingers = 5;
    static constexpr int initialGuideFingers = 3;
    static constexpr const char* noGestureText = "No gesture yet. Try a three-finger tap.";
    static constexpr const char* nothingYetText = "Nothing yet";

    // "Tap", "Double tap", "Triple tap" and "Hold" with `fingers`, looked up in
    // the configuration's bindings for every app (none while it is switched off).
    static std::array<FingerGuideRow, 4> guideRows(const AppConfig& config, int fingers);

    // The number the guide describes after the live touches changed to
    // `touches`: their number (at most 5) while any are down, else unchanged.
    static int shownFingers(int shown, int touches);

    static std::string fingerWord(int count) { return count == 1 ? "finger" : "fingers"; }

    // Taps "hand.tap", holds "hand.raised", corner taps "arrow.up.left.and.arrow.down.right".
    static std::string symbol(const Gesture& gesture);

    static LastGestureCard card(const Engine::Fired& fired);
};

}  // namespace velorin
