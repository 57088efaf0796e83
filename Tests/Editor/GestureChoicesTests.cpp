#include <gtest/gtest.h>

#include "Velorin/Editor/GestureChoices.h"

namespace velorin {
namespace {

using Kind = GestureChoices::Kind;
using Menu = GestureChoices::Menu;
using Corner = Gesture::Corner;

TEST(GestureChoicesTest, kinds_inOrder_withTheirTexts_andTheKindOfEachGesture) {
    ASSERT_EQ(GestureChoices::allKinds.size(), 3u);
    EXPECT_EQ(GestureChoices::text(GestureChoices::allKinds[0]), "Tap");
    EXPECT_EQ(GestureChoices::text(GestureChoices::allKinds[1]), "Hold");
    EXPECT_EQ(GestureChoices::text(GestureChoices::allKinds[2]), "Corner tap");
    EXPECT_EQ(GestureChoices::kind(Gesture::tap(2, 3)), Kind::tap);
    EXPECT_EQ(GestureChoices::kind(Gesture::hold(4)), Kind::hold);
    EXPECT_EQ(GestureChoices::kind(Gesture::cornerTap(Corner::bottomLeft)), Kind::corner);
}

TEST(GestureChoicesTest, detailMenus_followTheKind_atTheirWidths) {
    using Slots = std::vector<GestureChoices::MenuSlot>;
    EXPECT_EQ(GestureChoices::detailMenus(Kind::tap), (Slots{{Menu::fingers, 110}, {Menu::count, 130}}));
    EXPECT_EQ(GestureChoices::detailMenus(Kind::hold), (Slots{{Menu::fingers, 110}}));
    EXPECT_EQ(GestureChoices::detailMenus(Kind::corner), (Slots{{Menu::corner, 150}}));
    EXPECT_EQ(GestureChoices::kindMenuWidth, 130);
}

TEST(GestureChoicesTest, itemTexts) {
    EXPECT_EQ(GestureChoices::fingerText(1), "1 finger");
    for (int n = 2; n <= 5; ++n) EXPECT_EQ(GestureChoices::fingerText(n), std::to_string(n) + " fingers");
    EXPECT_EQ(GestureChoices::fingerText(7), "7 fingers");  // recorded from a larger pad
    EXPECT_EQ(GestureChoices::countText(1), "once");
    EXPECT_EQ(GestureChoices::countText(2), "twice");
    EXPECT_EQ(GestureChoices::countText(3), "three times");
    EXPECT_EQ(GestureChoices::countText(4), "4 times");
    EXPECT_EQ(GestureChoices::countText(0), "0 times");
    const std::string corners[] = {"Top Left", "Top Right", "Bottom Left", "Bottom Right"};
    for (std::size_t i = 0; i < Gesture::allCorners.size(); ++i) {
        EXPECT_EQ(GestureChoices::cornerText(Gesture::allCorners[i]), corners[i]);
    }
}

TEST(GestureChoicesTest, picks_giveWholeNewGestures) {
    enum class Pick { kind, fingers, count, corner };
    const struct {
        const char* name;
        Gesture current;
        Pick pick;
        int number;  // kind index, fingers or count
        Corner corner;
        Gesture expected;
    } cases[] = {
        {"hold from a triple tap starts at three fingers", Gesture::tap(2, 3), Pick::kind, 1, {}, Gesture::hold(3)},
        {"tap from a hold starts at three fingers once", Gesture::hold(2), Pick::kind, 0, {}, Gesture::tap(3, 1)},
        {"corner from a tap starts top right", Gesture::tap(5, 2), Pick::kind, 2, {}, Gesture::cornerTap(Corner::topRight)},
        {"tap from a corner", Gesture::cornerTap(Corner::bottomLeft), Pick::kind, 0, {}, Gesture::tap(3, 1)},
        {"the same kind again changes nothing", Gesture::tap(2, 3), Pick::kind, 0, {}, Gesture::tap(2, 3)},
        {"the same hold again", Gesture::hold(5), Pick::kind, 1, {}, Gesture::hold(5)},
        {"the same corner kind again", Gesture::cornerTap(Corner::bottomLeft), Pick::kind, 2, {},
         Gesture::cornerTap(Corner::bottomLeft)},
        {"count keeps the fingers", Gesture::tap(4, 2), Pick::count, 3, {}, Gesture::tap(4, 3)},
        {"fingers keep the count", Gesture::tap(4, 3), Pick::fingers, 1, {}, Gesture::tap(1, 3)},
        {"fingers of a hold", Gesture::hold(3), Pick::fingers, 5, {}, Gesture::hold(5)},
        {"fingers of a corner tap change nothing", Gesture::cornerTap(Corner::topLeft), Pick::fingers, 2, {},
         Gesture::cornerTap(Corner::topLeft)},
        {"count of a hold changes nothing", Gesture::hold(2), Pick::count, 2, {}, Gesture::hold(2)},
        {"a corner", Gesture::cornerTap(Corner::topRight), Pick::corner, 0, Corner::bottomRight,
         Gesture::cornerTap(Corner::bottomRight)},
        {"fingers beyond five keep working", Gesture::tap(8, 4), Pick::fingers, 2, {}, Gesture::tap(2, 4)},
    };
    for (const auto& c : cases) {
        Gesture got;
        switch (c.pick) {
            case Pick::kind: got = GestureChoices::pickingKind(c.current, GestureChoices::allKinds[std::size_t(c.number)]); break;
            case Pick::fingers: got = GestureChoices::pickingFingers(c.current, c.number); break;
            case Pick::count: got = GestureChoices::pickingCount(c.current, c.number); break;
            case Pick::corner: got = GestureChoices::pickingCorner(c.current, c.corner); break;
        }
        EXPECT_EQ(got, c.expected) << c.name;
    }
}

TEST(GestureChoicesTest, shownParts_ofEachKind) {
    EXPECT_EQ(GestureChoices::fingers(Gesture::tap(2, 3)), 2);
    EXPECT_EQ(GestureChoices::count(Gesture::tap(2, 3)), 3);
    EXPECT_EQ(GestureChoices::fingers(Gesture::hold(4)), 4);
    EXPECT_EQ(GestureChoices::count(Gesture::hold(4)), std::nullopt);
    EXPECT_EQ(GestureChoices::corner(Gesture::hold(4)), std::nullopt);
    EXPECT_EQ(GestureChoices::corner(Gesture::cornerTap(Corner::bottomLeft)), Corner::bottomLeft);
    EXPECT_EQ(GestureChoices::fingers(Gesture::cornerTap(Corner::bottomLeft)), std::nullopt);
}

}  // namespace
}  // namespace velorin
