// The shortcut row and the pack card as widgets: what they show, what their
// buttons hand back, and that a card keeps its rows by shortcut id.

#include <gtest/gtest.h>

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Config/PackCatalog.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMenu>
#include <QTest>

#include "Actions/KeyCombo.h"
#include "FakeApps.h"
#include "Platform/Sim/SimPlatform.h"
#include "QtTestApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Editor/GesturePicker.h"
#include "Velorin/Packs/PackArtLayer.h"
#include "Velorin/Packs/PackCard.h"
#include "Velorin/Packs/ScopeLabel.h"
#include "Velorin/Packs/ShortcutRow.h"

namespace velorin {
namespace {

using testing::FakeApps;

Binding shortcut(Gesture gesture, bool enabled, Action action = Action::media(MediaKey::playPause),
                 std::vector<std::string> apps = {}) {
    return Binding{Uuid::generate(), gesture, std::move(action), enabled, std::move(apps), std::nullopt};
}

Pack packOf(std::vector<std::string> apps, std::vector<Binding> bindings = {}) {
    Pack p = Pack::newCustom(std::move(apps));
    p.name = "Tools";
    p.bindings = std::move(bindings);
    return p;
}

class PackViewsWidgetTest : public ::testing::Test {
protected:
    PackViewsWidgetTest() {
        testing::qtApp();
        Motion::setInstant(true);
        apps.installed = {"com.a"};
        apps.names = {{"com.a", "Alpha"}, {"com.b", "Beta"}};
    }
    ~PackViewsWidgetTest() override { Motion::setInstant(false); }

    std::unique_ptr<ShortcutRow> row(const Binding& b, const Pack& p, bool editable = true) {
        auto r = std::make_unique<ShortcutRow>(b, p, false, editable,
                                               [this](const Binding& changed) { handed.push_back(changed); },
                                               AppLookup{});
        r->show();
        return r;
    }
    std::unique_ptr<PackCard> card(PackCardState state, PackCardActions actions) {
        auto c = std::make_unique<PackCard>(std::move(state), std::move(actions), apps.directory(), AppLookup{},
                                            [](const std::string&) { return std::vector<QImage>{}; });
        c->resize(380, 400);
        c->show();
        return c;
    }

    sim::SimPlatform sim;
    FakeApps apps;
    std::vector<Binding> handed;
};

TEST_F(PackViewsWidgetTest, shortcutRow_offSwitchesOnWithThePickedGesture) {
    const Binding off = shortcut(Gesture::hold(4), false);
    auto r = row(off, packOf({"com.a"}));
    EXPECT_TRUE(r->chip()->isAddGesture());
    EXPECT_EQ(r->chip()->label(), "Add gesture");
    EXPECT_EQ(r->chip()->toolTip(), "Pick a gesture to switch this on");

    r->chip()->click();
    ASSERT_TRUE(r->isChoosing());
    ShortcutPopover* popover = r->popover();
    EXPECT_EQ(popover->removeButton(), nullptr) << "nothing to remove on a shortcut that is off";
    EXPECT_EQ(popover->confirmButton()->text(), "Switch On");
    EXPECT_EQ(popover->picker()->gesture(), Gesture::hold(4)) << "the picker starts from the shortcut's gesture";

    // Return presses the confirm button; the picker left alone keeps the gesture.
    QTest::keyClick(popover, Qt::Key_Return);
    EXPECT_FALSE(r->isChoosing());
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_TRUE(handed[0].enabled);
    EXPECT_EQ(handed[0].gesture, Gesture::hold(4));
    EXPECT_EQ(handed[0].id, off.id);
    EXPECT_EQ(handed[0].action, off.action);
}

TEST_F(PackViewsWidgetTest, shortcutRow_onSavesANewGestureOrRemovesIt) {
    const Binding on = shortcut(Gesture::tap(3, 1), true);
    auto r = row(on, packOf({"com.a"}));
    EXPECT_FALSE(r->chip()->isAddGesture());
    EXPECT_EQ(r->chip()->toolTip(), "Change or remove the gesture");

    r->choose();
    ASSERT_NE(r->popover()->removeButton(), nullptr);
    EXPECT_EQ(r->popover()->confirmButton()->text(), "Save");
    emit r->popover()->picker()->gesturePicked(Gesture::tap(5, 2));
    r->popover()->confirmButton()->click();
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0].gesture, Gesture::tap(5, 2));
    EXPECT_TRUE(handed[0].enabled);

    r->choose();
    r->popover()->removeButton()->click();
    ASSERT_EQ(handed.size(), 2u);
    EXPECT_FALSE(handed[1].enabled);
    EXPECT_EQ(handed[1].gesture, Gesture::tap(3, 1)) << "removing keeps the gesture for next time";

    // Dismissing writes nothing, and the next opening starts again from the shortcut's gesture.
    r->choose();
    emit r->popover()->picker()->gesturePicked(Gesture::hold(5));
    r->dismiss();
    EXPECT_EQ(handed.size(), 2u);
    r->choose();
    EXPECT_EQ(r->popover()->draft(), Gesture::tap(3, 1));
}

TEST_F(PackViewsWidgetTest, shortcutRow_readOnlyChipNeitherPressesNorExplains) {
    auto r = row(shortcut(Gesture::tap(3, 1), true), packOf({"com.a"}), false);
    EXPECT_FALSE(r->chip()->isEnabled());
    EXPECT_TRUE(r->chip()->toolTip().isEmpty());
    r->choose();
    EXPECT_FALSE(r->isChoosing());
}

TEST_F(PackViewsWidgetTest, shortcutRow_marksByActionAndScope) {
    const KeyCombo cmdN(45, KeyCombo::Modifiers::command);
    struct Case {
        const char* name;
        Action action;
        std::vector<std::string> bindingApps;
        std::vector<std::string> packApps;
        bool app, keys, globe;
    } cases[] = {
        {"opens an app", Action::openApp("com.b"), {"com.a"}, {"com.a"}, true, false, false},
        {"presses keys", Action::keystroke(cmdN), {"com.a"}, {"com.a"}, false, true, false},
        {"everywhere in an app pack", Action::media(MediaKey::mute), {}, {"com.a"}, false, false, true},
        {"everywhere in a pack for every app", Action::media(MediaKey::mute), {}, {}, false, false, false},
    };
    for (const auto& c : cases) {
        auto r = row(shortcut(Gesture::tap(3, 1), true, c.action, c.bindingApps), packOf(c.packApps));
        EXPECT_EQ(r->findChild<QWidget*>("shortcutRow.app")->isVisible(), c.app) << c.name;
        EXPECT_EQ(r->findChild<QWidget*>("shortcutRow.keys")->isVisible(), c.keys) << c.name;
        EXPECT_EQ(r->findChild<QWidget*>("shortcutRow.globe")->isVisible(), c.globe) << c.name;
    }
    Binding titled = shortcut(Gesture::tap(3, 1), true);
    titled.title = "Next song";
    auto r = row(titled, packOf({}));
    EXPECT_EQ(r->title(), "Next song");
    r->choose();
    EXPECT_EQ(r->popover()->findChild<QLabel*>("shortcutPopover.title")->text(), "Next song");
}

TEST_F(PackViewsWidgetTest, packCard_listsOnThenSpareAndKeepsRowsWhenOneSwitchesOn) {
    const Binding a = shortcut(Gesture::tap(3, 1), true);
    const Binding spare = shortcut(Gesture::hold(4), false);
    const Binding b = shortcut(Gesture::tap(4, 1), true);
    Pack p = packOf({"com.a"});
    std::vector<std::vector<Binding>> stored;
    PackCardActions actions;
    actions.setShortcuts = [&](std::vector<Binding> list) { stored.push_back(std::move(list)); };
    PackCardState state{p, true, std::nullopt, std::vector<Binding>{a, spare, b}, false};
    auto c = card(state, actions);
    EXPECT_EQ(c->countText(), "2 on · 1 more");
    EXPECT_TRUE(c->rows().empty()) << "collapsed at first";

    c->disclosure()->click();
    ASSERT_TRUE(c->isExpanded());
    auto rows = c->rows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]->binding().id, a.id);
    EXPECT_EQ(rows[1]->binding().id, b.id);
    EXPECT_EQ(rows[2]->binding().id, spare.id);
    EXPECT_TRUE(c->showsSpareHeading());
    ShortcutRow* spareRow = rows[2];

    // Switching the spare on hands the whole list, changed in place, to the owner.
    spareRow->choose();
    spareRow->popover()->confirmButton()->click();
    ASSERT_EQ(stored.size(), 1u);
    ASSERT_EQ(stored[0].size(), 3u);
    EXPECT_EQ(stored[0][1].id, spare.id);
    EXPECT_TRUE(stored[0][1].enabled);

    // The owner hands the stored list back: the card stays open and keeps the row.
    state.shortcuts = stored[0];
    c->setState(state);
    EXPECT_TRUE(c->isExpanded());
    EXPECT_EQ(c->row(spare.id), spareRow);
    EXPECT_EQ(c->rows()[1], spareRow) << "now among the rows that are on, in list order";
    EXPECT_FALSE(c->showsSpareHeading());
    EXPECT_EQ(c->countText(), "3 shortcuts");
}

TEST_F(PackViewsWidgetTest, packCard_addsAMenuCommandOnAFreeGesture) {
    std::vector<Binding> list{shortcut(PackCatalog::spare()[0], true)};
    std::vector<Binding> stored;
    PackCardActions actions;
    actions.setShortcuts = [&](std::vector<Binding> l) { stored = std::move(l); };
    auto c = card(PackCardState{packOf({"com.a"}), true, std::nullopt, list, false}, actions);
    EXPECT_EQ(c->addFromMenusButton(), nullptr) << "built when first opened";
    c->setExpanded(true);
    ASSERT_NE(c->addFromMenusButton(), nullptr);
    EXPECT_TRUE(c->addFromMenusButton()->isVisible());
    EXPECT_EQ(c->addFromMenusButton()->text(), "Add from Alpha's menus…");
    c->setExpanded(false);

    c->add(MenuCommand({"File", "Export…"}));
    ASSERT_EQ(stored.size(), 2u);
    EXPECT_EQ(stored[1].gesture, PackCatalog::spare()[1]) << "the first spare gesture is taken";
    EXPECT_EQ(stored[1].title, std::optional<std::string>("Export…"));
    EXPECT_EQ(stored[1].apps, std::vector<std::string>{"com.a"});
    EXPECT_TRUE(c->isExpanded()) << "the new row shows";
}

TEST_F(PackViewsWidgetTest, packCard_menuAndButtonsFollowTheOwnersActions) {
    int edits = 0, duplicates = 0, removals = 0;
    PackCardActions all;
    all.edit = [&] { ++edits; };
    all.duplicate = [&] { ++duplicates; };
    all.remove = [&] { ++removals; };
    all.setShortcuts = [](std::vector<Binding>) {};
    all.reset = [] {};

    auto titles = [](QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions()) out << (a->isSeparator() ? QString("—") : a->text());
        delete menu;
        return out;
    };

    const Pack custom = packOf({"com.a", "com.b"});
    auto mine = card(PackCardState{custom, false, std::nullopt, std::nullopt, false}, all);
    EXPECT_EQ(titles(mine->makeMenu(nullptr)), (QStringList{"Edit Pack…", "Duplicate", "—", "Delete Pack"}));
    EXPECT_TRUE(mine->editButton()->isVisible());
    mine->editButton()->click();
    EXPECT_EQ(edits, 1);

    PackCardActions builtinActions = all;
    builtinActions.edit = nullptr;
    builtinActions.remove = nullptr;
    const Pack& safari = *std::find_if(PackCatalog::all().begin(), PackCatalog::all().end(),
                                       [](const Pack& p) { return p.id == "safari"; });
    auto builtin = card(PackCardState{safari, true, std::nullopt, std::nullopt, true}, builtinActions);
    EXPECT_EQ(titles(builtin->makeMenu(nullptr)), QStringList{"Duplicate to Edit"});
    EXPECT_FALSE(builtin->editButton()->isVisible());
    builtin->setExpanded(true);
    EXPECT_TRUE(builtin->resetButton()->isVisible()) << "a customised built-in pack offers its defaults";

    // The editor's preview: no actions at all.
    auto preview = card(PackCardState{custom, true, std::nullopt, std::nullopt, false}, PackCardActions{});
    EXPECT_TRUE(titles(preview->makeMenu(nullptr)).isEmpty());
    EXPECT_FALSE(preview->editButton()->isVisible());
    preview->setExpanded(true);
    EXPECT_FALSE(preview->addFromMenusButton()->isVisible());
    EXPECT_FALSE(preview->resetButton()->isVisible());
}

TEST_F(PackViewsWidgetTest, packCard_activeNowAndScope) {
    const Pack two = packOf({"com.a", "com.b"});
    auto c = card(PackCardState{two, false, std::string("com.a"), std::nullopt, false}, {});
    EXPECT_FALSE(c->showsActiveNow()) << "off, even with its app in front";
    c->setState(PackCardState{two, true, std::string("com.a"), std::nullopt, false});
    EXPECT_TRUE(c->showsActiveNow());
    EXPECT_FALSE(c->scopeLabel()->isVisible()) << "only one of its apps is installed";

    const Pack everywhere = packOf({});
    auto mac = card(PackCardState{everywhere, true, std::string("com.a"), std::nullopt, false}, {});
    EXPECT_FALSE(mac->showsActiveNow());
    EXPECT_TRUE(mac->scopeLabel()->isVisible());
    EXPECT_TRUE(mac->scopeLabel()->isEverywhere());
    EXPECT_EQ(mac->descriptionText(), "No description yet.");
}

TEST_F(PackViewsWidgetTest, packCard_showsItsPicturesBrighterWhileOn) {
    int lookups = 0;
    auto art = [&](const std::string& id) {
        ++lookups;
        return id == "with-art" ? std::vector<QImage>(2, QImage(40, 30, QImage::Format_ARGB32_Premultiplied))
                                : std::vector<QImage>{};
    };
    Pack pictured = packOf({"com.a"});
    pictured.id = "with-art";
    PackCard c(PackCardState{pictured, false, std::nullopt, std::nullopt, false}, {}, apps.directory(), AppLookup{},
               art);
    ASSERT_TRUE(c.hasArt());
    EXPECT_EQ(c.artLayer()->images().size(), 2u);
    EXPECT_FALSE(c.artLayer()->isActive());
    c.setState(PackCardState{pictured, true, std::nullopt, std::nullopt, false});
    EXPECT_TRUE(c.artLayer()->isActive()) << "the strip follows the switch";

    PackCard plain(PackCardState{packOf({"com.a"}), true, std::nullopt, std::nullopt, false}, {}, apps.directory(),
                   AppLookup{}, art);
    EXPECT_FALSE(plain.hasArt()) << "a pack without pictures gets no art";
    EXPECT_GE(lookups, 2);
}

}  // namespace
}  // namespace velorin
