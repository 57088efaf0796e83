#pragma once
// The gesture picker's menus as data: the three kinds, the finger, count and
// corner items with their texts, which menus a kind shows and how wide, and
// the gesture each pick gives. The picker keeps no gesture of its own; every
// pick turns the current gesture into a whole new one.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Recognizer/Gesture.h"

namespace velorin {

struct GestureChoices {
    GestureChoices() = delete;

    enum class Kind { tap, hold, corner };
    static constexpr std::array<Kind, 3> allKinds{Kind::tap, Kind::hold, Kind::corner};

    enum class Menu { kind, fingers, count, corner };
    struct MenuSlot {
        Menu menu;
        int width;  // points
        bool operator==(const MenuSlot&) const = default;
    };

    static constexpr int kindMenuWidth = 130;
    static constexpr int fingerMenuWidth = 110;
    static constexpr int countMenuWidth = 130;
    static constexpr int cornerMenuWidth = 150;

    // What a newly chosen kind starts with.
    static constexpr int startingFingers = 3;
    static constexpr Gesture::Corner startingCorner = Gesture::Corner::topRight;

    static constexpr int maxFingers = 5;
    static constexpr int maxCount = 3;

    static std::string_view text(Kind kind);  // "Tap", "Hold", "Corner tap"
    static Kind kind(const Gesture& gesture);

    // The menus beside the kind menu for a kind, in order.
    static std::vector<MenuSlot> detailMenus(Kind kind);

    // "1 finger", "2 fingers", … for any count.
    static std::string fingerText(int fingers);
    // "once", "twice", "three times"; "N times" for counts outside 1–3.
    static std::string countText(int count);
    // "Top Left", "Top Right", "Bottom Left", "Bottom Right".
    static std::string cornerText(Gesture::Corner corner);

    // The finger count and tap count a gesture shows; absent where its kind has none.
    static std::optional<int> fingers(const Gesture& gesture);
    static std::optional<int> count(const Gesture& gesture);
    static std::optional<Gesture::Corner> corner(const Gesture& gesture);

    // The gesture each pick gives. Picking the kind the gesture already has
    // changes nothing; another kind gives that kind's starting gesture. The
    // finger and count picks keep every other part of the gesture, and change
    // nothing for a gesture whose kind has no such menu.
    static Gesture pickingKind(const Gesture& current, Kind kind);
    static Gesture pickingFingers(const Gesture& current, int fingers);
    static Gesture pickingCount(const Gesture& current, int count);
    static Gesture pickingCorner(const Gesture& current, Gesture::Corner corner);
};

}  // namespace velorin
