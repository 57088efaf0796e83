#include "Config/AppConfig.h"

#include <gtest/gtest.h>

#include "Config/PackCatalog.h"
#include "ConfigTestSupport.h"

using namespace velorin;
using fixtures::binding;
using fixtures::press;

namespace {

const std::string safari = "com.apple.Safari";

std::vector<Binding> catalogList(const Pack& p) {
    std::vector<Binding> list = p.bindings;
    list.insert(list.end(), p.library.begin(), p.library.end());
    return list;
}

}  // namespace

TEST(PackOperations, allPacksListsTheCatalogWithEditsThenTheUsersPacks) {
    AppConfig c;
    const std::vector<Binding> edited{binding(Gesture::tap(3, 1), press(1), {"com.anthropic.claudefordesktop"})};
    c.packOverrides["claude"] = edited;
    c.packOverrides["custom-1"] = {binding(Gesture::hold(2), press(2))};  // never applied to a custom pack
    c.packOverrides["gone"] = edited;                                      // names no pack: no effect
    c.customPacks = {fixtures::pack("custom-1", {binding(Gesture::tap(4, 1), press(3))}),
                     fixtures::pack("custom-2", {})};

    const std::vector<Pack> all = c.allPacks();
    const auto& catalog = PackCatalog::all();
    ASSERT_EQ(all.size(), catalog.size() + 2);
    for (std::size_t i = 0; i < catalog.size(); ++i) {
        if (catalog[i].id == "claude") {
            Pack expected = catalog[i];
            expected.bindings = edited;
            expected.library.clear();
            EXPECT_EQ(all[i], expected);
        } else {
            EXPECT_EQ(all[i], catalog[i]) << catalog[i].id;
        }
    }
    EXPECT_EQ(all[catalog.size()], c.customPacks[0]);
    EXPECT_EQ(all[catalog.size() + 1], c.customPacks[1]);
}

TEST(PackOperations, packFindsABuiltInPackBeforeACustomOneWithTheSameId) {
    AppConfig c;
    c.customPacks = {fixtures::pack("claude", {}), fixtures::pack("custom-1", {}), fixtures::pack("custom-1", {})};
    c.customPacks[2].name = "second";
    EXPECT_EQ(c.pack("claude"), PackCatalog::claude());
    EXPECT_EQ(c.pack("custom-1"), c.customPacks[1]);
    EXPECT_FALSE(c.pack("nothing"));
    EXPECT_FALSE(c.pack("browser"));
}

TEST(PackOperations, shortcutsOfABuiltInPackFollowEditsAndReset) {
    AppConfig c;
    const Pack& claude = PackCatalog::claude();
    EXPECT_EQ(c.shortcuts("claude"), catalogList(claude));
    EXPECT_FALSE(c.isCustomized("claude"));

    std::vector<Binding> edited = catalogList(claude);
    edited.push_back(binding(Gesture::tap(5, 3), press(4), {"com.anthropic.claudefordesktop"}));
    c.setShortcuts(edited, "claude");
    EXPECT_TRUE(c.isCustomized("claude"));
    EXPECT_EQ(c.shortcuts("claude"), edited);
    EXPECT_EQ(c.pack("claude")->bindings, edited);
    EXPECT_TRUE(c.pack("claude")->library.empty());

    c.resetPack("claude");
    EXPECT_FALSE(c.isCustomized("claude"));
    EXPECT_EQ(c.shortcuts("claude"), catalogList(claude));
    c.resetPack("claude");  // nothing to reset: no change
    EXPECT_TRUE(c.packOverrides.empty());
}

TEST(PackOperations, writingBackTheCatalogsOwnListDropsTheEdit) {
    AppConfig c;
    c.setShortcuts({binding(Gesture::hold(3), press(5))}, "claude");
    ASSERT_TRUE(c.isCustomized("claude"));
    c.setShortcuts(catalogList(PackCatalog::claude()), "claude");
    EXPECT_FALSE(c.isCustomized("claude"));
    c.setShortcuts(catalogList(PackCatalog::claude()), "claude");  // already unedited: stays so
    EXPECT_FALSE(c.isCustomized("claude"));
}

TEST(PackOperations, anyDifferenceFromTheCatalogIsStored) {
    const std::vector<Binding> original = catalogList(PackCatalog::everydayMac());
    if (original.size() < 2) GTEST_SKIP() << "needs the rows of the everyday-mac pack";
    struct Case {
        const char* name;
        std::function<void(std::vector<Binding>&)> change;
    };
    const Case cases[] = {
        {"one enabled flag", [](auto& l) { l[0].enabled = !l[0].enabled; }},
        {"one gesture", [](auto& l) { l[0].gesture = Gesture::tap(2, 3); }},
        {"the order", [](auto& l) { std::swap(l[0], l[1]); }},
        {"an id", [](auto& l) { l[0].id = Uuid::generate(); }},
        {"one row fewer", [](auto& l) { l.pop_back(); }},
    };
    for (const auto& c : cases) {
        AppConfig config;
        std::vector<Binding> list = original;
        c.change(list);
        config.setShortcuts(list, "everyday-mac");
        EXPECT_TRUE(config.isCustomized("everyday-mac")) << c.name;
        EXPECT_EQ(config.shortcuts("everyday-mac"), list) << c.name;
    }
}

TEST(PackOperations, setShortcutsOfAnUnknownIdChangesNothing) {
    AppConfig c = AppConfig::starter();
    c.setShortcuts({binding(Gesture::hold(3), press(5))}, "browser");
    c.setShortcuts({binding(Gesture::hold(3), press(5))}, "Claude");
    EXPECT_EQ(c, AppConfig::starter());
    EXPECT_TRUE(c.shortcuts("no-such-pack").empty());
}

TEST(PackOperations, customPackTakesTheEditedListAsItsShortcutsWithoutRepeatingSpares) {
    AppConfig c;
    const Binding on = binding(Gesture::tap(3, 1), press(1));
    const Binding spare = binding(Gesture::tap(5, 1), press(2), {}, false);
    c.savePack(fixtures::pack("custom-1", {on}, {spare}));

    std::vector<Binding> list = c.shortcuts("custom-1");
    EXPECT_EQ(list, (std::vector<Binding>{on, spare}));

    // The editor gives a spare a gesture and writes the whole list back, twice.
    list[1].enabled = true;
    c.setShortcuts(list, "custom-1");
    c.setShortcuts(c.shortcuts("custom-1"), "custom-1");
    EXPECT_EQ(c.shortcuts("custom-1"), list);  // each row once
    EXPECT_EQ(c.customPacks[0].bindings, list);
    EXPECT_TRUE(c.customPacks[0].library.empty());
    EXPECT_TRUE(c.packOverrides.empty());
}

TEST(PackOperations, setShortcutsChangesOnlyTheFirstCustomPackWithTheId) {
    AppConfig c;
    c.customPacks = {fixtures::pack("custom-1", {}), fixtures::pack("custom-1", {})};
    const std::vector<Binding> list{binding(Gesture::hold(3), press(1))};
    c.setShortcuts(list, "custom-1");
    EXPECT_EQ(c.customPacks[0].bindings, list);
    EXPECT_TRUE(c.customPacks[1].bindings.empty());
}

TEST(PackOperations, savePackReplacesInPlaceOrAppends) {
    AppConfig c;
    c.enabledPacks = {"custom-2"};
    c.savePack(fixtures::pack("custom-1", {}));
    c.savePack(fixtures::pack("custom-2", {}));
    Pack renamed = fixtures::pack("custom-1", {binding(Gesture::hold(3), press(1))});
    renamed.name = "Renamed";
    renamed.custom = false;  // saved as given
    c.savePack(renamed);
    ASSERT_EQ(c.customPacks.size(), 2u);
    EXPECT_EQ(c.customPacks[0], renamed);
    EXPECT_EQ(c.customPacks[1].id, "custom-2");
    EXPECT_EQ(c.enabledPacks, std::vector<std::string>{"custom-2"});
}

TEST(PackOperations, removePackTakesEveryOccurrenceOffBothLists) {
    AppConfig c;
    c.customPacks = {fixtures::pack("custom-1", {}), fixtures::pack("custom-2", {}), fixtures::pack("custom-1", {})};
    c.enabledPacks = {"custom-1", "claude", "custom-1", "custom-2"};
    c.packOverrides["custom-1"] = {};
    c.removePack("custom-1");
    ASSERT_EQ(c.customPacks.size(), 1u);
    EXPECT_EQ(c.customPacks[0].id, "custom-2");
    EXPECT_EQ(c.enabledPacks, (std::vector<std::string>{"claude", "custom-2"}));
    EXPECT_EQ(c.packOverrides.size(), 1u);  // untouched

    c.removePack("claude");  // a built-in pack is only switched off
    EXPECT_EQ(c.enabledPacks, std::vector<std::string>{"custom-2"});
    EXPECT_NE(PackCatalog::pack("claude"), nullptr);
}

TEST(PackOperations, switchingAPackOnPutsItLastAndOffRemovesEveryOccurrence) {
    struct Case {
        std::vector<std::string> before;
        const char* id;
        bool on;
        std::vector<std::string> after;
    };
    const Case cases[] = {
        {{}, "claude", true, {"claude"}},
        {{"claude", "safari"}, "claude", true, {"safari", "claude"}},
        {{"claude", "safari", "claude"}, "claude", true, {"safari", "claude"}},
        {{"claude", "safari", "claude"}, "claude", false, {"safari"}},
        {{"safari"}, "claude", false, {"safari"}},
        {{"safari"}, "anything-at-all", true, {"safari", "anything-at-all"}},
    };
    for (const auto& c : cases) {
        AppConfig config;
        config.enabledPacks = c.before;
        config.setPack(c.id, c.on);
        EXPECT_EQ(config.enabledPacks, c.after) << c.id;
        EXPECT_EQ(config.isPackEnabled(c.id), c.on) << c.id;
    }
}

TEST(PackOperations, duplicatingAnEditedBuiltInPackStartsFromTheEditedList) {
    AppConfig c;
    const std::vector<Binding> edited{binding(Gesture::tap(3, 1), press(1), {"com.anthropic.claudefordesktop"})};
    c.setShortcuts(edited, "claude");
    const Pack copy = c.pack("claude")->duplicated();
    c.savePack(copy);
    ASSERT_EQ(copy.bindings.size(), 1u);
    EXPECT_NE(copy.bindings[0].id, edited[0].id);
    EXPECT_EQ(copy.name, "Claude (mine)");
    EXPECT_EQ(c.pack(copy.id), copy);
    EXPECT_FALSE(c.isPackEnabled(copy.id));
}

// ---- Resolution

namespace {

struct WorkedExample {
    Action a = press(0), b = press(11), d = press(2), e = press(14), f = press(3), g = press(5), h = press(4);
    Binding u1 = binding(Gesture::tap(3, 1), a);
    Binding u2 = binding(Gesture::tap(3, 1), b, {safari});
    Binding p1a = binding(Gesture::hold(3), h);
    Binding p1b = binding(Gesture::tap(4, 1), d, {safari});
    Binding p2a = binding(Gesture::tap(4, 1), e, {safari});
    Binding p2b = binding(Gesture::hold(3), f);
    Binding p2c = binding(Gesture::tap(3, 1), g, {safari});
    std::vector<Pack> catalog{fixtures::pack("p1", {p1a, p1b}), fixtures::pack("p2", {p2a, p2b, p2c})};
    AppConfig config;

    WorkedExample() {
        config.bindings = {u1, u2};
        config.enabledPacks = {"p1", "p2"};
    }
    AppConfig::Resolution resolve(std::optional<std::string_view> front) const {
        return config.resolved(front, &catalog);
    }
};

ResolvedBinding mine(const Action& a) { return {a, BindingSource::mine()}; }
ResolvedBinding fromPack(const Action& a, const char* id) {
    return {a, BindingSource::pack(id, std::string("Pack ") + id)};
}

}  // namespace

TEST(Resolution, frontAppBeatsEveryAppAndUserBeatsPacksWithinATier) {
    WorkedExample w;
    EXPECT_EQ(w.resolve(safari), (AppConfig::Resolution{{Gesture::tap(3, 1), mine(w.b)},
                                                        {Gesture::tap(4, 1), fromPack(w.d, "p1")},
                                                        {Gesture::hold(3), fromPack(w.h, "p1")}}));
    const AppConfig::Resolution elsewhere{{Gesture::tap(3, 1), mine(w.a)}, {Gesture::hold(3), fromPack(w.h, "p1")}};
    EXPECT_EQ(w.resolve("com.google.Chrome"), elsewhere);
    EXPECT_EQ(w.resolve(std::nullopt), elsewhere);
}

TEST(Resolution, thePackSwitchedOnEarlierWins) {
    WorkedExample w;
    w.config.setPack("p1", false);
    w.config.setPack("p1", true);
    EXPECT_EQ(w.resolve("com.google.Chrome"),
              (AppConfig::Resolution{{Gesture::tap(3, 1), mine(w.a)}, {Gesture::hold(3), fromPack(w.f, "p2")}}));
    EXPECT_EQ(w.resolve(safari).at(Gesture::tap(4, 1)), fromPack(w.e, "p2"));
}

TEST(Resolution, masterSwitchOffResolvesNothing) {
    WorkedExample w;
    w.config.isEnabled = false;
    EXPECT_TRUE(w.resolve(safari).empty());
    EXPECT_TRUE(w.config.resolved().empty());
    EXPECT_TRUE(w.config.activeBindings(safari, &w.catalog).empty());
}

TEST(Resolution, switchedOffBindingsSparesAndUnknownPacksTakeNoPart) {
    WorkedExample w;
    w.config.bindings[1].enabled = false;  // u2
    w.catalog[0].bindings[0].enabled = false;  // p1a
    w.catalog[0].library = {binding(Gesture::tap(5, 1), press(9))};  // a spare, even switched on
    w.config.enabledPacks = {"ghost", "p1", "p2", "p1"};
    const auto r = w.resolve(safari);
    EXPECT_EQ(r.at(Gesture::tap(3, 1)), fromPack(w.g, "p2"));
    EXPECT_EQ(r.at(Gesture::hold(3)), fromPack(w.f, "p2"));
    EXPECT_FALSE(r.contains(Gesture::tap(5, 1)));
}

TEST(Resolution, firstOfTheUsersOwnForAGestureWins) {
    AppConfig c;
    const Binding first = binding(Gesture::hold(2), press(1));
    const Binding second = binding(Gesture::hold(2), press(2));
    c.bindings = {first, second};
    EXPECT_EQ(c.resolved().at(Gesture::hold(2)), mine(first.action));
}

TEST(Resolution, scopeIsTheBindingsOwnNotItsPacks) {
    // A pack for Safari whose binding works everywhere counts as "every app".
    AppConfig c;
    Pack p = fixtures::pack("p", {binding(Gesture::hold(3), press(1))});
    p.apps = {safari};
    c.bindings = {binding(Gesture::hold(3), press(2))};
    c.enabledPacks = {"p"};
    const std::vector<Pack> catalog{p};
    EXPECT_EQ(c.resolved(safari, &catalog).at(Gesture::hold(3)), mine(press(2)));
}

TEST(Resolution, usesEditedBuiltInPacksAndTheUsersOwnPacks) {
    AppConfig c;
    const std::string claudeApp = "com.anthropic.claudefordesktop";
    const Binding edited = binding(Gesture::tap(2, 3), press(1), {claudeApp});
    c.setShortcuts({edited}, "claude");
    Pack mine = fixtures::pack("custom-1", {binding(Gesture::hold(5), press(2))});
    mine.name = "Mine";
    c.savePack(mine);
    c.enabledPacks = {"claude", "custom-1"};
    const auto r = c.resolved(claudeApp);
    EXPECT_EQ(r.at(Gesture::tap(2, 3)), (ResolvedBinding{press(1), BindingSource::pack("claude", "Claude")}));
    EXPECT_EQ(r.at(Gesture::hold(5)), (ResolvedBinding{press(2), BindingSource::pack("custom-1", "Mine")}));
    EXPECT_EQ(r.size(), 2u);  // the edited list replaces the catalog's shortcuts
}

TEST(Resolution, withoutACatalogEqualsResolvingAgainstAllPacks) {
    AppConfig c = AppConfig::starter();
    const std::string claudeApp = "com.anthropic.claudefordesktop";
    c.bindings = {binding(Gesture::tap(3, 1), press(1), {claudeApp}), binding(Gesture::hold(4), press(2))};
    c.setShortcuts({binding(Gesture::tap(3, 2), press(3), {claudeApp}), binding(Gesture::tap(3, 1), press(4))}, "claude");
    c.customPacks = {fixtures::pack("claude", {binding(Gesture::tap(5, 2), press(5))}),  // hidden by the built-in
                     fixtures::pack("custom-1", {binding(Gesture::tap(5, 2), press(6), {safari})})};
    c.enabledPacks = {"custom-1", "claude", "everyday-mac", "safari", "unknown"};
    const std::vector<Pack> all = c.allPacks();
    for (std::optional<std::string_view> front :
         {std::optional<std::string_view>{}, std::optional<std::string_view>{claudeApp},
          std::optional<std::string_view>{safari}}) {
        EXPECT_EQ(c.resolved(front), c.resolved(front, &all)) << front.value_or("(none)");
    }
}

TEST(Resolution, activeBindingsAreTheWinnersActions) {
    WorkedExample w;
    EXPECT_EQ(w.config.activeBindings(safari, &w.catalog),
              (std::unordered_map<Gesture, Action>{{Gesture::tap(3, 1), w.b}, {Gesture::tap(4, 1), w.d},
                                                   {Gesture::hold(3), w.h}}));
}

// ---- Conflicts

TEST(Conflicts, laterOfAClashingPairIsMarked) {
    const Gesture g = Gesture::tap(3, 1);
    struct Case {
        const char* name;
        std::vector<Binding> bindings;
        std::vector<std::size_t> marked;  // indexes into bindings
    };
    std::vector<Case> cases{
        {"three everywhere", {binding(g, press(1)), binding(g, press(2)), binding(g, press(3))}, {1, 2}},
        {"everywhere and one app", {binding(g, press(1)), binding(g, press(2), {safari})}, {}},
        {"shared app", {binding(g, press(1), {safari, "a"}), binding(g, press(2), {"b", safari})}, {1}},
        {"different apps", {binding(g, press(1), {safari}), binding(g, press(2), {"b"})}, {}},
        {"different gestures", {binding(g, press(1)), binding(Gesture::tap(3, 2), press(2))}, {}},
        {"switched off takes no part",
         {binding(g, press(1), {}, false), binding(g, press(2)), binding(g, press(3), {}, false)},
         {}},
        {"the clash is with any earlier one", {binding(g, press(1), {"a"}), binding(g, press(2)), binding(g, press(3), {"a"})},
         {2}},
    };
    for (const auto& c : cases) {
        AppConfig config;
        config.bindings = c.bindings;
        std::unordered_set<Uuid> expected;
        for (std::size_t i : c.marked) expected.insert(c.bindings[i].id);
        EXPECT_EQ(config.conflicts(), expected) << c.name;
    }
}

TEST(Conflicts, packBindingsNeverConflict) {
    AppConfig c;
    c.bindings = {binding(Gesture::hold(3), press(1))};
    c.setShortcuts({binding(Gesture::hold(3), press(2)), binding(Gesture::hold(3), press(3))}, "claude");
    c.enabledPacks = {"claude"};
    EXPECT_TRUE(c.conflicts().empty());
}

TEST(Conflicts, scopesOverlap) {
    struct Case {
        std::vector<std::string> a, b;
        bool overlap;
    };
    const Case cases[] = {
        {{}, {}, true},
        {{}, {safari}, false},
        {{safari}, {}, false},
        {{safari}, {safari}, true},
        {{safari, "x"}, {"y", "x"}, true},
        {{safari}, {"com.apple.safari"}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(AppConfig::scopesOverlap(c.a, c.b), c.overlap);
}
