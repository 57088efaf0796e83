#include <gtest/gtest.h>

#include <map>

#include "Velorin/Editor/AppScope.h"

namespace velorin {
namespace {

using Ids = std::vector<std::string>;

TEST(AppScopeTest, opensOnTheChoiceTheListStandsFor) {
    const AppScope some(Ids{"com.a", "com.b"});
    EXPECT_TRUE(some.onlySome());
    EXPECT_TRUE(some.showsList());
    EXPECT_FALSE(some.showsWarning({"com.a", "com.b"}));
    const AppScope every(Ids{});
    EXPECT_FALSE(every.onlySome());
    EXPECT_FALSE(every.showsList());
    EXPECT_FALSE(every.showsWarning({}));
}

TEST(AppScopeTest, everyAppEmptiesTheList_onlyTheseWritesNothing_andWarnsWhileEmpty) {
    AppScope scope(Ids{"com.a", "com.b", "com.c"});
    EXPECT_EQ(scope.choose(true), std::nullopt);  // already chosen
    EXPECT_EQ(scope.choose(false), Ids{});
    EXPECT_FALSE(scope.showsList());
    EXPECT_EQ(scope.choose(false), std::nullopt);
    EXPECT_EQ(scope.choose(true), std::nullopt);
    EXPECT_TRUE(scope.showsList());
    EXPECT_TRUE(scope.showsWarning({}));
    EXPECT_FALSE(scope.showsWarning({"com.a"}));
}

TEST(AppScopeTest, removing_dropsEveryEqualEntry_keepingTheOthersInOrder) {
    EXPECT_EQ(AppScope::removing({"com.a", "com.b", "com.a", "com.c"}, "com.a"), (Ids{"com.b", "com.c"}));
    EXPECT_EQ(AppScope::removing({"com.a"}, "com.a"), Ids{});
    EXPECT_EQ(AppScope::removing({"com.a"}, "com.A"), Ids{"com.a"});
}

TEST(AppScopeTest, adding_appendsNewIdentifiersInPanelOrder_once) {
    const std::map<std::string, std::optional<std::string>> disk{
        {"/Applications/Notes.app", "com.apple.Notes"},
        {"/Applications/Safari.app", "com.apple.Safari"},
        {"/Applications/Mail.app", "com.apple.mail"},
        {"/Applications/NoId.app", std::nullopt},
        {"/Users/tester/readme.txt", std::nullopt},
    };
    const auto lookup = [&](const std::string& path) -> std::optional<std::string> {
        auto it = disk.find(path);
        return it == disk.end() ? std::nullopt : it->second;
    };
    const struct {
        const char* name;
        Ids apps;
        Ids chosen;
        Ids expected;
    } cases[] = {
        {"three new, in panel order", {}, {"/Applications/Safari.app", "/Applications/Notes.app",
                                           "/Applications/Mail.app"}, {"com.apple.Safari", "com.apple.Notes",
                                                                       "com.apple.mail"}},
        {"already listed", {"com.apple.Notes"}, {"/Applications/Notes.app"}, {"com.apple.Notes"}},
        {"twice in one panel", {}, {"/Applications/Notes.app", "/Applications/Notes.app"}, {"com.apple.Notes"}},
        {"unreadable ones skipped", {"com.x"}, {"/Applications/NoId.app", "/Users/tester/readme.txt",
                                                "/Applications/Mail.app", "/gone"}, {"com.x", "com.apple.mail"}},
        {"nothing chosen", {"com.x"}, {}, {"com.x"}},
    };
    for (const auto& c : cases) EXPECT_EQ(AppScope::adding(c.apps, c.chosen, lookup), c.expected) << c.name;
}

}  // namespace
}  // namespace velorin
