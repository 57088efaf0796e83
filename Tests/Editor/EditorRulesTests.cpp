// The shortcut editor's clash check and the gesture studio's rules as tables:
// which gestures the studio takes, when an action is ready, the target chip
// and list, the clash warnings, and the one configuration a save writes.

#include <gtest/gtest.h>

#include "Config/AppConfig.h"
#include "Config/PackCatalog.h"
#include "Platform/Sim/SimPlatform.h"
#include "Velorin/DisplayNames.h"
#include "Velorin/Editor/GestureStudioRules.h"
#include "Velorin/Editor/ShortcutEditorRules.h"

namespace velorin {
namespace {

using Apps = std::vector<std::string>;
using Rules = GestureStudioRules;

Binding shortcut(Gesture gesture, Apps apps = {}, bool enabled = true) {
    return Binding{Uuid::generate(), gesture, Action::media(MediaKey::mute), enabled, std::move(apps), std::nullopt};
}

const Gesture three = Gesture::tap(3, 1);

TEST(BindingEditorRulesTest, clash_needsAnotherEnabledShortcutWithTheGestureAndOverlappingApps) {
    const struct {
        const char* name;
        Binding other;
        Apps draftApps;
        bool clashes;
    } cases[] = {
        {"both for every app", shortcut(three), {}, true},
        {"switched off", shortcut(three, {}, false), {}, false},
        {"another gesture", shortcut(Gesture::tap(3, 2)), {}, false},
        {"every app against chosen apps", shortcut(three), {"com.a"}, false},
        {"chosen apps against every app", shortcut(three, {"com.a"}), {}, false},
        {"sharing an app", shortcut(three, {"com.a", "com.b"}), {"com.b", "com.c"}, true},
        {"no app in common", shortcut(three, {"com.a"}), {"com.c"}, false},
    };
    for (const auto& c : cases) {
        Binding draft = shortcut(three, c.draftApps);
        EXPECT_EQ(BindingEditorRules::clash(draft, {c.other}) != nullptr, c.clashes) << c.name;
    }
}

TEST(BindingEditorRulesTest, clash_ignoresTheDraftsOwnStoredCopy_andTheDraftsOwnSwitch) {
    Binding stored = shortcut(three);
    Binding draft = stored;
    EXPECT_EQ(BindingEditorRules::clash(draft, {stored}), nullptr);

    Binding other = shortcut(three);
    draft.enabled = false;  // a switched-off draft still hears of the clash
    const std::vector<Binding> list{stored, other};
    EXPECT_EQ(BindingEditorRules::clash(draft, list), &list[1]);
}

TEST(BindingEditorRulesTest, textsFollowTheSheetsState) {
    EXPECT_EQ(BindingEditorRules::clashText(true),
              "Another shortcut in this pack already uses this gesture in the same apps.");
    EXPECT_EQ(BindingEditorRules::clashText(false),
              "Another of your shortcuts already uses this gesture in the same apps.");
    EXPECT_EQ(BindingEditorRules::title(true), "New shortcut");
    EXPECT_EQ(BindingEditorRules::title(false), "Edit shortcut");
    EXPECT_EQ(BindingEditorRules::confirmText(true), "Add");
    EXPECT_EQ(BindingEditorRules::confirmText(false), "Save");
    EXPECT_EQ(BindingEditorRules::recordButtonText(false), "Record Gesture");
    EXPECT_EQ(BindingEditorRules::recordButtonText(true), "Cancel");
    EXPECT_EQ(BindingEditorRules::recordingRowText(true, three), "Do the gesture on your trackpad now\u2026");
    EXPECT_EQ(BindingEditorRules::recordingRowText(false, Gesture::cornerTap(Gesture::Corner::topLeft)),
              "Corner tap: top left");
}

class GestureStudioRulesTest : public ::testing::Test {
protected:
    GestureStudioRulesTest() {
        config.enabledPacks.clear();
        config.bindings.clear();
        on = Pack::newCustom({"com.a", "com.b"});
        on.name = "Alpha";
        off = Pack::newCustom({"com.c"});
        off.name = "Gamma";
        config.savePack(on);
        config.savePack(off);
        config.setPack(on.id, true);
    }

    sim::SimPlatform sim;
    AppConfig config;
    Pack on;
    Pack off;
};

TEST_F(GestureStudioRulesTest, takes_everythingButOneFingerTapsAndHolds) {
    const struct {
        Gesture gesture;
        bool taken;
    } cases[] = {
        {Gesture::tap(1, 1), false}, {Gesture::tap(1, 2), false},
        {Gesture::tap(1, 3), false}, {Gesture::hold(1), false},
        {Gesture::tap(2, 1), true},  {Gesture::tap(5, 3), true},
        {Gesture::hold(2), true},    {Gesture::cornerTap(Gesture::Corner::bottomRight), true},
    };
    for (const auto& c : cases) EXPECT_EQ(Rules::takes(c.gesture), c.taken) << displayName(c.gesture);
}

TEST_F(GestureStudioRulesTest, ready_byTheKindOfAction) {
    const struct {
        const char* name;
        Action action;
        bool ready;
    } cases[] = {
        {"app chosen", Action::openApp("com.a"), true},
        {"no app yet", Action::openApp(""), false},
        {"keystroke", Action::keystroke(KeyCombo{}), true},
        {"window", Action::window(WindowCommand::center), true},
        {"media", Action::media(MediaKey::next), true},
        {"system", Action::system(SystemCommand::lockScreen), true},
        {"menu command", Action::menuItem(MenuCommand({"File", "New"})), true},
        {"no menu command yet", Action::menuItem(MenuCommand()), false},
        {"a link", Action::open("example.com"), true},
        {"a path", Action::open("/tmp"), true},
        {"blank text", Action::open("  \n"), false},
        {"a shortcut", Action::shortcut("Morning"), true},
        {"no shortcut yet", Action::shortcut(""), false},
    };
    for (const auto& c : cases) EXPECT_EQ(Rules::ready(c.action), c.ready) << c.name;
    EXPECT_EQ(Rules::actionTitle(Action::openApp("")), "Choose\u2026");
    EXPECT_EQ(Rules::actionTitle(Rules::startingAction()), "Play / Pause");
}

TEST_F(GestureStudioRulesTest, target_namesThePackOrMyShortcuts_andChoicesListThoseOnFirst) {
    EXPECT_EQ(Rules::targetName(config, std::nullopt), "My shortcuts");
    EXPECT_EQ(Rules::targetName(config, off.id), "Gamma");
    EXPECT_EQ(Rules::targetName(config, std::string("custom-gone")), "My shortcuts");

    const auto choices = Rules::packChoices(config);
    const auto all = config.allPacks();
    ASSERT_EQ(choices.size(), all.size());
    EXPECT_EQ(choices.front().id, on.id);
    // The rest keep the catalog's order, the pack that is off among them.
    std::vector<std::string> rest;
    for (const auto& pack : all)
        if (pack.id != on.id) rest.push_back(pack.id);
    for (std::size_t i = 1; i < choices.size(); ++i) EXPECT_EQ(choices[i].id, rest[i - 1]);
    EXPECT_EQ(Rules::packSubtitle(true), "Pack");
    EXPECT_EQ(Rules::packSubtitle(false), "Pack, off: saving turns it on");
}

TEST_F(GestureStudioRulesTest, clash_forMyShortcuts_onlyAnEnabledOneForEveryApp) {
    const struct {
        const char* name;
        Binding mine;
        bool warns;
    } cases[] = {
        {"enabled, every app", shortcut(three), true},
        {"limited to apps", shortcut(three, {"com.a"}), false},
        {"switched off", shortcut(three, {}, false), false},
        {"another gesture", shortcut(Gesture::hold(3)), false},
    };
    for (const auto& c : cases) {
        AppConfig withMine = config;
        withMine.bindings = {c.mine};
        const auto warning = Rules::clash(withMine, std::nullopt, three);
        EXPECT_EQ(warning.has_value(), c.warns) << c.name;
        if (warning) {
            EXPECT_EQ(*warning, "One of your shortcuts already uses 3-finger tap everywhere.");
        }
    }
    EXPECT_FALSE(Rules::clash(config, std::nullopt, std::nullopt));
}

TEST_F(GestureStudioRulesTest, clash_forAPack_anEnabledShortcutOfItWhoseAppsOverlapThePacks) {
    const struct {
        const char* name;
        Apps packApps;
        Binding existing;
        bool warns;
    } cases[] = {
        {"both for every app", {}, shortcut(three), true},
        {"an app in common", {"com.a", "com.b"}, shortcut(three, {"com.b"}), true},
        {"the app pack's shortcut for every app", {"com.a"}, shortcut(three), false},
        {"limited to other apps", {"com.a"}, shortcut(three, {"com.z"}), false},
        {"switched off", {"com.a"}, shortcut(three, {"com.a"}, false), false},
    };
    for (const auto& c : cases) {
        Pack pack = Pack::newCustom(c.packApps);
        pack.bindings = {c.existing};
        AppConfig withPack = config;
        withPack.savePack(pack);
        const auto warning = Rules::clash(withPack, pack.id, three);
        EXPECT_EQ(warning.has_value(), c.warns) << c.name;
        if (warning) {
            EXPECT_EQ(*warning,
                      "This pack already uses 3-finger tap. Saving adds another; switch the old one off in the pack "
                      "if you want this one to win.");
        }
    }
    EXPECT_FALSE(Rules::clash(config, std::string("custom-gone"), three));
}

TEST_F(GestureStudioRulesTest, saving_intoMyShortcuts_forEveryApp_afterTheOthers) {
    config.bindings = {shortcut(three)};
    const Uuid id = Uuid::generate();
    const AppConfig saved = Rules::saving(config, std::nullopt, three, Rules::startingAction(), id);
    ASSERT_EQ(saved.bindings.size(), 2u);
    EXPECT_EQ(saved.bindings[0], config.bindings[0]);
    EXPECT_EQ(saved.bindings[1], (Binding{id, three, Rules::startingAction(), true, {}, std::nullopt}));
    EXPECT_EQ(saved.customPacks, config.customPacks);

    // A pack that is gone sends the shortcut to the user's own, for every app.
    const AppConfig fallback = Rules::saving(config, std::string("custom-gone"), three, Rules::startingAction(), id);
    EXPECT_EQ(fallback.bindings.back().apps, Apps{});
    EXPECT_EQ(fallback.enabledPacks, config.enabledPacks);
}

TEST_F(GestureStudioRulesTest, saving_intoAPackThatIsOff_addsWithItsApps_andSwitchesItOnLast) {
    const Uuid id = Uuid::generate();
    const Action action = Action::window(WindowCommand::maximize);
    const AppConfig saved = Rules::saving(config, off.id, three, action, id);
    EXPECT_EQ(saved.bindings, config.bindings);
    EXPECT_EQ(saved.shortcuts(off.id), (std::vector<Binding>{{id, three, action, true, {"com.c"}, std::nullopt}}));
    EXPECT_EQ(saved.enabledPacks, (std::vector<std::string>{on.id, off.id}));

    // Into a pack already on: its place among packs stays.
    const AppConfig again = Rules::saving(saved, on.id, three, action, Uuid::generate());
    EXPECT_EQ(again.enabledPacks, saved.enabledPacks);
    EXPECT_EQ(again.shortcuts(on.id).back().apps, (Apps{"com.a", "com.b"}));
}

TEST_F(GestureStudioRulesTest, saving_intoABuiltInPack_storesItsEditedList) {
    const Pack& builtIn = PackCatalog::all().front();
    const AppConfig saved = Rules::saving(config, builtIn.id, three, Rules::startingAction(), Uuid::generate());
    EXPECT_TRUE(saved.isCustomized(builtIn.id));
    EXPECT_EQ(saved.shortcuts(builtIn.id).size(), config.shortcuts(builtIn.id).size() + 1);
    EXPECT_TRUE(saved.isPackEnabled(builtIn.id));
}

TEST_F(GestureStudioRulesTest, actionSymbolsAndTheSavedLine) {
    const std::pair<Action::Kind, const char*> symbols[] = {
        {Action::Kind::openApp, "app.badge"},
        {Action::Kind::keystroke, "command"},
        {Action::Kind::window, "rectangle.split.2x1"},
        {Action::Kind::media, "playpause.fill"},
        {Action::Kind::menuItem, "filemenu.and.selection"},
        {Action::Kind::system, "macbook"},
        {Action::Kind::open, "link"},
        {Action::Kind::shortcut, "square.2.layers.3d.fill"},
    };
    for (const auto& [kind, symbol] : symbols) EXPECT_EQ(Rules::actionSymbol(kind), symbol);
    EXPECT_EQ(Rules::savedLine(Gesture::hold(4), Rules::startingAction()), "4-finger hold \u2192 Play / Pause");
    EXPECT_EQ(Rules::savedLine(std::nullopt, Rules::startingAction()), " \u2192 Play / Pause");
}

}  // namespace
}  // namespace velorin
