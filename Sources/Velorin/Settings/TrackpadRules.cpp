#include "Velorin/Settings/TrackpadRules.h"

#include <algorithm>

#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/DisplayNames.h"

namespace velorin {

std::array<FingerGuideRow, 4> TrackpadRules::guideRows(const AppConfig& config, int fingers) {
    std::array<FingerGuideRow, 4> rows{{
        {"Tap", Gesture::tap(fingers, 1), std::nullopt},
        {"Double tap", Gesture::tap(fingers, 2), std::nullopt},
        {"Triple tap", Gesture::tap(fingers, 3), std::nullopt},
        {"Hold", Gesture::hold(fingers), std::nullopt},
    }};
    const AppConfig::Resolution resolved = config.resolved(std::nullopt, nullptr);
    for (FingerGuideRow& row : rows) {
        const auto found = resolved.find(row.gesture);
        if (found == resolved.end()) continue;
        ThemeColor dot = Theme::honey;
        if (const auto* pack = found->second.source.asPack()) {
            const std::optional<Pack> known = config.pack(pack->id);
            dot = PackStyle::accent(known ? &*known : nullptr);
        }
        row.entry = FingerGuideRow::Entry{displayName(found->second.action), dot};
    }
    return rows;
}

int TrackpadRules::shownFingers(int shown, int touches) {
    return touches >= 1 ? std::min(touches, maxGuideFingers) : shown;
}

std::string TrackpadRules::symbol(const Gesture& gesture) {
    if (gesture.asTap()) return "hand.tap";
    if (gesture.asHold()) return "hand.raised";
    return "arrow.up.left.and.arrow.down.right";
}

LastGestureCard TrackpadRules::card(const Engine::Fired& fired) {
    LastGestureCard card;
    card.symbol = symbol(fired.gesture);
    card.gesture = displayName(fired.gesture);
    card.action = fired.action ? displayName(*fired.action) : "no action";
    if (fired.source) card.source = "from " + *fired.source;
    card.error = fired.error;
    return card;
}

}  // namespace velorin
