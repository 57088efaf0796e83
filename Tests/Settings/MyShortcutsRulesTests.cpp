// The My shortcuts tab's grouping and headings, and its writes aimed at a
// shortcut by id.

#include <gtest/gtest.h>

#include "Velorin/Settings/MyShortcutsRules.h"

namespace velorin {
namespace {

using Apps = std::vector<std::string>;
using Rules = MyShortcutsRules;

Binding shortcut(Apps apps, bool enabled = true) {
    return Binding{Uuid::generate(), Gesture::tap(3, 1), Action::media(MediaKey::mute),
                   enabled,          std::move(apps),    std::nullopt};
}

TEST(MyShortcutsRulesTest, groups_bySortedApps_everyAppFirst_othersInOrderOfFirstAppearance) {
    const std::vector<Binding> list = {
        shortcut({"com.b", "com.a"}),  // 0
        shortcut({"com.z"}),           // 1
        shortcut({"com.a", "com.b"}),  // 2: the group of 0
        shortcut({"com.a", "com.a"}),  // 3: repeats are kept, so a group of its own
        shortcut({}),                  // 4: every app, last in the list but first among groups
        shortcut({"com.z"}),           // 5
    };
    const auto id = [&](int i) { return list[std::size_t(i)].id; };
    EXPECT_EQ(Rules::groups(list), (std::vector<ShortcutGroup>{
                                       {{}, {id(4)}},
                                       {{"com.a", "com.b"}, {id(0), id(2)}},
                                       {{"com.z"}, {id(1), id(5)}},
                                       {{"com.a", "com.a"}, {id(3)}},
                                   }));
    EXPECT_TRUE(Rules::groups({}).empty());
    // Code-point order: upper case before lower case, "é" after every ASCII letter.
    EXPECT_EQ(Rules::groups({shortcut({"\u00e9t\u00e9", "b", "Z"})}).front().apps, (Apps{"Z", "b", "\u00e9t\u00e9"}));
}

TEST(MyShortcutsRulesTest, heading_namesEveryAppButBadgesOnlyTheFirstFive) {
    const auto name = [](const std::string& id) { return "N" + id; };
    EXPECT_EQ(Rules::headingText({}, name), "Everywhere");
    EXPECT_EQ(Rules::headingText({"a", "b"}, name), "Only in Na, Nb");
    const Apps seven = {"1", "2", "3", "4", "5", "6", "7"};
    EXPECT_EQ(Rules::headingText(seven, name), "Only in N1, N2, N3, N4, N5, N6, N7");
    EXPECT_EQ(Rules::headingBadgeApps(seven), (Apps{"1", "2", "3", "4", "5"}));
    EXPECT_EQ(Rules::headingBadgeApps({"1"}), (Apps{"1"}));
}

TEST(MyShortcutsRulesTest, writes_aimAtTheShortcutsId_andChangeNothingWhenItIsGone) {
    AppConfig config;
    config.bindings = {shortcut({}), shortcut({"com.a"}), shortcut({})};
    const Uuid middle = config.bindings[1].id;
    const Uuid gone = Uuid::generate();

    const auto off = Rules::settingEnabled(config, middle, false);
    ASSERT_TRUE(off);
    EXPECT_FALSE(off->bindings[1].enabled);
    EXPECT_TRUE(off->bindings[0].enabled && off->bindings[2].enabled);
    EXPECT_FALSE(Rules::settingEnabled(config, middle, true)) << "already on";
    EXPECT_FALSE(Rules::settingEnabled(config, gone, false));

    const auto deleted = Rules::deleting(config, middle);
    ASSERT_TRUE(deleted);
    EXPECT_EQ(deleted->bindings, (std::vector<Binding>{config.bindings[0], config.bindings[2]}));
    EXPECT_FALSE(Rules::deleting(config, gone));
    EXPECT_TRUE(Rules::isNew(config, gone));
    EXPECT_FALSE(Rules::isNew(config, middle));
}

TEST(MyShortcutsRulesTest, storing_replacesInPlace_orAppendsWhenDeletedMeanwhile) {
    AppConfig config;
    config.bindings = {shortcut({}), shortcut({"com.a"}), shortcut({})};
    Binding edited = config.bindings[1];
    edited.gesture = Gesture::hold(4);
    edited.apps = {"com.b"};
    const AppConfig stored = Rules::storing(config, edited);
    EXPECT_EQ(stored.bindings, (std::vector<Binding>{config.bindings[0], edited, config.bindings[2]}));

    const AppConfig withoutIt = *Rules::deleting(config, edited.id);
    EXPECT_EQ(Rules::storing(withoutIt, edited).bindings,
              (std::vector<Binding>{config.bindings[0], config.bindings[2], edited}));
}

}  // namespace
}  // namespace velorin
