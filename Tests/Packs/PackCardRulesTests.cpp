#include <gtest/gtest.h>

#include "Config/PackCatalog.h"
#include "FakeApps.h"
#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Packs/PackCardRules.h"

namespace velorin {
namespace {

using testing::FakeApps;

Binding shortcut(Gesture gesture, bool enabled, std::vector<std::string> apps = {}) {
    return Binding{Uuid::generate(), gesture, Action::media(MediaKey::playPause), enabled, std::move(apps),
                   std::nullopt};
}

Pack packOf(std::vector<std::string> apps) {
    Pack p = Pack::newCustom(std::move(apps));
    p.name = "P";
    return p;
}

TEST(PackCardRules, countText) {
    const Gesture g = Gesture::tap(3, 1);
    std::vector<Binding> list;
    EXPECT_EQ(PackCardRules::countText(list), "0 shortcuts");
    for (int i = 0; i < 5; ++i) list.push_back(shortcut(g, true));
    EXPECT_EQ(PackCardRules::countText(list), "5 shortcuts");
    for (int i = 0; i < 3; ++i) list.push_back(shortcut(g, false));
    EXPECT_EQ(PackCardRules::countText(list), "5 on · 3 more");
    EXPECT_EQ(PackCardRules::onCount(list), 5);
}

TEST(PackCardRules, isActiveHere) {
    const Pack app = packOf({"com.a", "com.b"});
    const Pack everywhere = packOf({});
    struct Case {
        const char* name;
        bool enabled;
        const Pack& pack;
        std::optional<std::string> front;
        bool expected;
    } cases[] = {
        {"on, its app in front", true, app, "com.b", true},
        {"off", false, app, "com.b", false},
        {"another app", true, app, "com.c", false},
        {"no front app", true, app, std::nullopt, false},
        {"a pack for every app", true, everywhere, "com.a", false},
    };
    for (const auto& c : cases) EXPECT_EQ(PackCardRules::isActiveHere(c.enabled, c.pack, c.front), c.expected) << c.name;
}

TEST(PackCardRules, showsScope) {
    FakeApps apps;
    apps.installed = {"com.a", "com.b"};
    const auto dir = apps.directory();
    struct Case {
        std::vector<std::string> packApps;
        bool expected;
    } cases[] = {
        {{}, true},                        // every app
        {{"com.a"}, false},                // one app
        {{"com.x"}, false},                // one app, not installed
        {{"com.a", "com.b"}, true},        // two installed
        {{"com.a", "com.x"}, false},       // exactly one installed
        {{"com.x", "com.y"}, true},        // several, none installed
    };
    for (const auto& c : cases) EXPECT_EQ(PackCardRules::showsScope(packOf(c.packApps), dir), c.expected) << c.packApps.size();
}

TEST(PackCardRules, clashes_needOnSameGestureOverlappingScopes) {
    const Gesture g = Gesture::tap(3, 1);
    Binding a = shortcut(g, true, {"com.a"});
    Binding b = shortcut(g, true, {"com.a", "com.b"});
    Binding elsewhere = shortcut(g, true, {"com.c"});
    Binding other = shortcut(Gesture::hold(3), true, {"com.a"});
    std::vector<Binding> list{a, b, elsewhere, other};
    EXPECT_TRUE(PackCardRules::clashes(a, list));
    EXPECT_TRUE(PackCardRules::clashes(b, list));
    EXPECT_FALSE(PackCardRules::clashes(elsewhere, list));
    EXPECT_FALSE(PackCardRules::clashes(other, list));
    // Switching one off clears the mark on the other, and an off one never clashes.
    list[1].enabled = false;
    EXPECT_FALSE(PackCardRules::clashes(a, list));
    EXPECT_FALSE(PackCardRules::clashes(list[1], list));
    // Every app against every app overlaps; every app against some does not.
    Binding g1 = shortcut(g, true), g2 = shortcut(g, true);
    EXPECT_TRUE(PackCardRules::clashes(g1, {g1, g2}));
    EXPECT_FALSE(PackCardRules::clashes(g1, {g1, a}));
}

TEST(PackCardRules, menuGesture_firstFreeCandidateElseFirstSpare) {
    const auto& spare = PackCatalog::spare();
    std::vector<Binding> list;
    EXPECT_EQ(PackCardRules::menuGesture(list), spare[0]);
    list.push_back(shortcut(spare[0], true));
    list.push_back(shortcut(spare[1], false));  // off: free
    EXPECT_EQ(PackCardRules::menuGesture(list), spare[1]);
    for (const auto& g : spare) list.push_back(shortcut(g, true));
    EXPECT_EQ(PackCardRules::menuGesture(list), Gesture::tap(3, 2));
    list.push_back(shortcut(Gesture::tap(3, 2), true));
    EXPECT_EQ(PackCardRules::menuGesture(list), spare[0]);
}

TEST(PackCardRules, menuBinding_isOnForThePacksAppsTitledAsTheCommand) {
    const Pack pack = packOf({"com.a"});
    const MenuCommand command({"File", "Export", "PDF…"});
    const Binding b = PackCardRules::menuBinding(command, pack, {});
    EXPECT_EQ(b.gesture, PackCatalog::spare()[0]);
    EXPECT_EQ(b.action, Action::menuItem(command));
    EXPECT_TRUE(b.enabled);
    EXPECT_EQ(b.apps, pack.apps);
    EXPECT_EQ(b.title, "PDF…");
    EXPECT_NE(b.id, PackCardRules::menuBinding(command, pack, {}).id);
}

TEST(PackCardRules, addFromMenusTitle) {
    FakeApps apps;
    apps.names = {{"com.a", "Alpha"}};
    const auto dir = apps.directory();
    EXPECT_EQ(PackCardRules::addFromMenusTitle(packOf({"com.a"}), true, dir), "Add from Alpha's menus…");
    EXPECT_EQ(PackCardRules::addFromMenusTitle(packOf({"com.a", "com.b"}), true, dir), "Add from the apps' menus…");
    EXPECT_EQ(PackCardRules::addFromMenusTitle(packOf({}), true, dir), std::nullopt);
    EXPECT_EQ(PackCardRules::addFromMenusTitle(packOf({"com.a"}), false, dir), std::nullopt);
}

TEST(PackCardRules, replacing_putsTheChangedShortcutInPlace) {
    const Gesture g = Gesture::tap(3, 1);
    std::vector<Binding> list{shortcut(g, true), shortcut(g, false)};
    Binding changed = list[1];
    changed.enabled = true;
    const auto out = PackCardRules::replacing(list, changed);
    EXPECT_EQ(out[0], list[0]);
    EXPECT_EQ(out[1], changed);
    EXPECT_EQ(PackCardRules::replacing(list, shortcut(g, true)), list) << "an unknown id changes nothing";
}

TEST(ScopeLabelRules, shownAppsAndText) {
    FakeApps apps;
    std::vector<std::string> nine;
    for (int i = 0; i < 9; ++i) {
        nine.push_back("com.app" + std::to_string(i));
        apps.installed.insert(nine.back());
    }
    apps.names = {{"com.a", "Alpha"}, {"com.b", "Beta"}};
    const auto dir = apps.directory();
    EXPECT_EQ(ScopeLabelRules::shownApps(nine, 7, dir).size(), 7u);
    EXPECT_EQ(ScopeLabelRules::text(nine, 7, dir), "+2");
    const std::vector<std::string> four(nine.begin(), nine.begin() + 4);
    EXPECT_EQ(ScopeLabelRules::shownApps(four, 7, dir).size(), 4u);
    EXPECT_EQ(ScopeLabelRules::text(four, 7, dir), "4 apps");
    EXPECT_EQ(ScopeLabelRules::text({"com.a", "com.b"}, 7, dir), "Alpha, Beta");
    EXPECT_EQ(ScopeLabelRules::text({"com.a"}, 7, dir), "Alpha");
    // Installed first, each group in its own order.
    apps.installed = {"com.b"};
    EXPECT_EQ(ScopeLabelRules::shownApps({"com.a", "com.b", "com.c"}, 7, dir),
              (std::vector<std::string>{"com.b", "com.a", "com.c"}));
    EXPECT_EQ(ScopeLabelRules::tooltip({}, dir), "Works in every app");
    EXPECT_EQ(ScopeLabelRules::tooltip(nine, dir).substr(0, 9), "Works in ");
    EXPECT_EQ(ScopeLabelRules::tooltip({"com.a", "com.b"}, dir), "Works in Alpha, Beta");
}

TEST(ShortcutRowRules, popoverButtonsAndMarks) {
    sim::SimPlatform sim;
    Binding on = shortcut(Gesture::hold(4), true);
    Binding off = shortcut(Gesture::tap(5, 1), false);
    on.title = "Export";
    EXPECT_EQ(ShortcutRowRules::title(on), "Export");
    EXPECT_EQ(ShortcutRowRules::title(off), "Play / Pause");
    EXPECT_EQ(ShortcutRowRules::confirmTitle(on), "Save");
    EXPECT_EQ(ShortcutRowRules::confirmTitle(off), "Switch On");
    EXPECT_TRUE(ShortcutRowRules::offersRemove(on));
    EXPECT_FALSE(ShortcutRowRules::offersRemove(off));
    EXPECT_EQ(ShortcutRowRules::chipTooltip(on, true), "Change or remove the gesture");
    EXPECT_EQ(ShortcutRowRules::chipTooltip(off, true), "Pick a gesture to switch this on");
    EXPECT_EQ(ShortcutRowRules::chipTooltip(on, false), std::nullopt);

    // Switching on with the picker untouched keeps the gesture it had.
    const Binding switched = ShortcutRowRules::confirmed(off, off.gesture);
    EXPECT_TRUE(switched.enabled);
    EXPECT_EQ(switched.gesture, off.gesture);
    const Binding saved = ShortcutRowRules::confirmed(on, Gesture::cornerTap(Gesture::Corner::topRight));
    EXPECT_EQ(saved.gesture, Gesture::cornerTap(Gesture::Corner::topRight));
    EXPECT_EQ(saved.id, on.id);
    EXPECT_EQ(saved.title, on.title);
    const Binding removed = ShortcutRowRules::removed(on);
    EXPECT_FALSE(removed.enabled);
    EXPECT_EQ(removed.gesture, on.gesture);

    EXPECT_TRUE(ShortcutRowRules::showsGlobe(on, packOf({"com.a"})));
    EXPECT_FALSE(ShortcutRowRules::showsGlobe(on, packOf({})));
    EXPECT_FALSE(ShortcutRowRules::showsGlobe(shortcut(Gesture::hold(4), true, {"com.a"}), packOf({"com.a"})));
}

}  // namespace
}  // namespace velorin
