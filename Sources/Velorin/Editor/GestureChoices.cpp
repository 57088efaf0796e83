#include "Velorin/Editor/GestureChoices.h"

namespace velorin {

std::string_view GestureChoices::text(Kind kind) {
    switch (kind) {
        case Kind::tap: return "Tap";
        case Kind::hold: return "Hold";
        case Kind::corner: return "Corner tap";
    }
    return "";
}

GestureChoices::Kind GestureChoices::kind(const Gesture& gesture) {
    if (gesture.asHold()) return Kind::hold;
    if (gesture.asCornerTap()) return Kind::corner;
    return Kind::tap;
}

std::vector<GestureChoices::MenuSlot> GestureChoices::detailMenus(Kind kind) {
    switch (kind) {
        case Kind::tap: return {{Menu::fingers, fingerMenuWidth}, {Menu::count, countMenuWidth}};
        case Kind::hold: return {{Menu::fingers, fingerMenuWidth}};
        case Kind::corner: return {{Menu::corner, cornerMenuWidth}};
    }
    return {};
}

std::string GestureChoices::fingerText(int fingers) {
    return std::to_string(fingers) + " finger" + (fingers == 1 ? "" : "s");
}

std::string GestureChoices::countText(int count) {
    switch (count) {
        case 1: return "once";
        case 2: return "twice";
        case 3: return "three times";
        default: return std::to_string(count) + " times";
    }
}

std::string GestureChoices::cornerText(Gesture::Corner corner) {
    switch (corner) {
        case Gesture::Corner::topLeft: return "Top Left";
        case Gesture::Corner::topRight: return "Top Right";
        case Gesture::Corner::bottomLeft: return "Bottom Left";
        case Gesture::Corner::bottomRight: return "Bottom Right";
    }
    return "";
}

std::optional<int> GestureChoices::fingers(const Gesture& gesture) {
    if (const auto* tap = gesture.asTap()) return tap->fingers;
    if (const auto* hold = gesture.asHold()) return hold->fingers;
    return std::nullopt;
}

std::optional<int> GestureChoices::count(const Gesture& gesture) {
    if (const auto* tap = gesture.asTap()) return tap->count;
    return std::nullopt;
}

std::optional<Gesture::Corner> GestureChoices::corner(const Gesture& gesture) {
    if (const auto* corner = gesture.asCornerTap()) return corner->corner;
    return std::nullopt;
}

Gesture GestureChoices::pickingKind(const Gesture& current, Kind picked) {
    if (kind(current) == picked) return current;  // a triple tap stays a triple tap
    switch (picked) {
        case Kind::tap: return Gesture::tap(startingFingers, 1);
        case Kind::hold: return Gesture::hold(startingFingers);
        case Kind::corner: return Gesture::cornerTap(startingCorner);
    }
    return current;
}

Gesture GestureChoices::pickingFingers(const Gesture& current, int fingers) {
    if (const auto* tap = current.asTap()) return Gesture::tap(fingers, tap->count);
    if (current.asHold()) return Gesture::hold(fingers);
    return current;
}

Gesture GestureChoices::pickingCount(const Gesture& current, int count) {
    if (const auto* tap = current.asTap()) return Gesture::tap(tap->fingers, count);
    return current;
}

Gesture GestureChoices::pickingCorner(const Gesture&, Gesture::Corner corner) { return Gesture::cornerTap(corner); }

}  // namespace velorin
