// The packs tab and the pack editor on the simulated desktop with the real
// application model: what a card, the editor and the tab write to the
// configuration, and the stored pack tab.

#include <gtest/gtest.h>

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Config/PackCatalog.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include <algorithm>

#include "Actions/KeyCombo.h"
#include "AppModelFixture.h"
#include "FakeApps.h"
#include "QtTestApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/LiquidToggle.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Editor/AppScopePicker.h"
#include "Velorin/Editor/GesturePicker.h"
#include "Velorin/ThemedText.h"
#include "Velorin/Packs/PackCard.h"
#include "Velorin/Packs/PackEditor.h"
#include "Velorin/Packs/PackTabs.h"
#include "Velorin/Packs/PacksTab.h"
#include "Velorin/Packs/SearchField.h"
#include "Velorin/Packs/ShortcutRow.h"

namespace velorin {
namespace {

using testing::FakeApps;

std::vector<std::string> ids(const std::vector<PackCard*>& cards) {
    std::vector<std::string> out;
    for (auto* c : cards) out.push_back(c->state().pack.id);
    return out;
}

Pack customPack(std::string name, std::vector<std::string> apps = {"com.a"}) {
    Pack p = Pack::newCustom(std::move(apps));
    p.name = std::move(name);
    p.bindings = {Binding{Uuid::generate(), Gesture::tap(3, 1), Action::media(MediaKey::mute), true, p.apps,
                          std::nullopt}};
    return p;
}

// One request to the shortcut editor and a way to answer it.
struct EditorRequest {
    Binding binding;
    bool isNew = false;
    std::vector<Binding> siblings;
    std::function<void(std::optional<Binding>)> done;
};

class PacksTabTest : public testing::AppModelFixture {
protected:
    PacksTabTest() {
        testing::qtApp();
        Motion::setInstant(true);
        apps.installed = {"com.apple.Safari", "com.a"};
        apps.names = {{"com.apple.Safari", "Safari"}, {"com.a", "Alpha"}, {"com.b", "Beta"}};
    }
    ~PacksTabTest() override {
        delete root;
        Motion::setInstant(false);
    }
    PacksTab& makeTab(const AppConfig& config, bool realShortcutEditor = false) {
        writeConfig(config);
        makeModel();
        PacksTabParts parts;
        parts.directory = apps.directory();
        parts.lookup = AppLookup{};
        parts.art = [](const std::string&) { return std::vector<QImage>{}; };
        if (!realShortcutEditor) parts.shortcutEditor = [this](AppModel&, QWidget*, const Binding& b, bool isNew,
                                      const std::vector<Binding>& siblings,
                                      std::function<void(std::optional<Binding>)> done) {
            requests.push_back({b, isNew, siblings, std::move(done)});
        };
        root = new QWidget;
        root->resize(900, 700);
        tab = new PacksTab(*model, root, std::move(parts));
        tab->resize(900, 700);
        root->show();
        return *tab;
    }
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    const AppConfig& config() const { return model->config(); }

    FakeApps apps;
    QWidget* root = nullptr;
    PacksTab* tab = nullptr;
    std::vector<EditorRequest> requests;
};

AppConfig withMac() {
    AppConfig config;
    config.enabledPacks = {"everyday-mac"};
    return config;
}

TEST_F(PacksTabTest, switchingAPackOnFromItsCard_putsItLastAndKeepsItListedUntilTheTabChanges) {
    auto& t = makeTab(withMac());
    PackCard* safari = t.card("safari");
    ASSERT_NE(safari, nullptr) << "installed apps' packs are listed on All";
    EXPECT_EQ(t.card("chrome"), nullptr) << "packs of apps that aren't installed are hidden";
    safari->enabledSwitch()->click();
    EXPECT_EQ(config().enabledPacks, (std::vector<std::string>{"everyday-mac", "safari"}));
    settle();
    EXPECT_EQ(t.card("safari"), safari) << "the card is kept and updated in place";
    EXPECT_TRUE(safari->state().enabled);

    t.selectTab("on");
    EXPECT_EQ(ids(t.cards()), (std::vector<std::string>{"everyday-mac", "safari"}));
    EXPECT_FALSE(t.showsNewPackCard());
    t.card("everyday-mac")->enabledSwitch()->click();
    settle();
    EXPECT_EQ(config().enabledPacks, std::vector<std::string>{"safari"});
    EXPECT_EQ(ids(t.cards()), (std::vector<std::string>{"everyday-mac", "safari"}))
        << "a pack switched off here stays until the tab changes";
    t.selectTab("all");
    t.selectTab("on");
    EXPECT_EQ(ids(t.cards()), std::vector<std::string>{"safari"});
}

TEST_F(PacksTabTest, onTab_emptyStateAndTheButtonThatListsHiddenPacks) {
    auto& t = makeTab(AppConfig{});
    EXPECT_TRUE(t.moreButton()->isVisible());
    const int hidden = int(PackCatalog::all().size()) - 2;  // everyday-mac names no apps; Safari is installed
    EXPECT_EQ(t.moreButton()->text(), QString("Show %1 more packs for apps you don't have").arg(hidden));
    t.selectTab("on");
    EXPECT_TRUE(t.nothingOnText()->isVisible());
    EXPECT_FALSE(t.moreButton()->isVisible());
    t.selectTab("all");
    EXPECT_FALSE(t.nothingOnText()->isVisible());
    t.moreButton()->click();
    EXPECT_TRUE(t.filter().showAll);
    EXPECT_TRUE(t.showAllToggle()->isOn());
    EXPECT_FALSE(t.moreButton()->isVisible());
    EXPECT_EQ(t.cards().size(), PackCatalog::all().size());
}

TEST_F(PacksTabTest, search_listsMatchesFromAllPacksWhateverTheTab) {
    AppConfig c = withMac();
    c.customPacks = {customPack("Music tools")};
    auto& t = makeTab(c);
    t.selectTab("mine");
    QTest::keyClicks(t.searchField()->lineEdit(), "  CHROME ");
    EXPECT_EQ(ids(t.cards()), std::vector<std::string>{"chrome"}) << "trimmed, any case, apps not installed too";
    EXPECT_EQ(t.tabStrip()->selected(), "mine");
    t.searchField()->setText("music");
    EXPECT_EQ(ids(t.cards()), std::vector<std::string>{c.customPacks[0].id});
}

TEST_F(PacksTabTest, givingASpareAGesture_storesThePacksListAndKeepsTheCardOpen) {
    auto& t = makeTab(withMac());
    PackCard* card = t.card("safari");
    card->setExpanded(true);
    const auto before = config().shortcuts("safari");
    const auto spare = std::find_if(before.begin(), before.end(), [](const Binding& b) { return !b.enabled; });
    ASSERT_NE(spare, before.end());
    ShortcutRow* row = card->row(spare->id);
    ASSERT_NE(row, nullptr);
    row->choose();
    emit row->popover()->picker()->gesturePicked(Gesture::tap(5, 3));
    row->popover()->confirmButton()->click();
    settle();

    EXPECT_TRUE(config().isCustomized("safari"));
    const auto after = config().shortcuts("safari");
    ASSERT_EQ(after.size(), before.size());
    const auto stored = std::find_if(after.begin(), after.end(), [&](const Binding& b) { return b.id == spare->id; });
    EXPECT_TRUE(stored->enabled);
    EXPECT_EQ(stored->gesture, Gesture::tap(5, 3));
    EXPECT_TRUE(card->isExpanded());
    EXPECT_EQ(card->row(spare->id), row);

    // Reset to defaults drops the edited list.
    ASSERT_TRUE(card->resetButton()->isVisible());
    card->resetButton()->click();
    EXPECT_FALSE(config().isCustomized("safari"));
}

TEST_F(PacksTabTest, duplicateToEdit_copiesThePackAsTheUserHasIt) {
    AppConfig c = withMac();
    std::vector<Binding> edited = c.shortcuts("safari");
    edited.resize(2);
    edited[1].enabled = false;
    c.setShortcuts(edited, "safari");
    auto& t = makeTab(c);
    PackCard* card = t.card("safari");
    EXPECT_EQ(card->state().pack, *std::find_if(PackCatalog::all().begin(), PackCatalog::all().end(),
                                                [](const Pack& p) { return p.id == "safari"; }))
        << "the All tab's card holds the catalog's pack";
    std::unique_ptr<QMenu> menu(card->makeMenu(nullptr));
    ASSERT_EQ(menu->actions().size(), 1);
    EXPECT_EQ(menu->actions()[0]->text(), "Duplicate to Edit");
    menu->actions()[0]->trigger();

    ASSERT_NE(t.editor(), nullptr);
    const Pack& draft = t.editor()->editor().draft();
    EXPECT_TRUE(t.editor()->editor().isNew());
    EXPECT_EQ(draft.name, "Safari (mine)");
    ASSERT_EQ(draft.bindings.size(), 2u) << "the user's two shortcuts, not the catalog's";
    EXPECT_EQ(draft.bindings[0].action, edited[0].action);
    EXPECT_FALSE(draft.bindings[1].enabled);
    EXPECT_NE(draft.bindings[0].id, edited[0].id);

    // Saving a copy adds it and switches it on, last.
    t.editor()->saveButton()->click();
    settle();
    ASSERT_EQ(config().customPacks.size(), 1u);
    EXPECT_EQ(config().enabledPacks.back(), config().customPacks[0].id);
    EXPECT_EQ(t.editor(), nullptr);
}

TEST_F(PacksTabTest, newPack_isSavedOnlyWithANameAndSwitchedOn) {
    auto& t = makeTab(withMac());
    ASSERT_TRUE(t.showsNewPackCard());
    t.newPackCard()->click();
    PackEditor* editor = t.editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->titleText(), "New pack");
    EXPECT_EQ(editor->deleteButton(), nullptr);
    EXPECT_EQ(editor->saveButton()->text(), "Add Pack");
    EXPECT_FALSE(editor->saveButton()->isEnabled());
    EXPECT_EQ(editor->preview()->state().pack.name, "My pack");

    // Return with a blank name does nothing.
    QTest::keyClicks(editor->nameField(), "   ");
    QTest::keyClick(editor->nameField(), Qt::Key_Return);
    EXPECT_EQ(t.editor(), editor);
    QTest::keyClicks(editor->nameField(), "Video ");
    EXPECT_TRUE(editor->saveButton()->isEnabled());
    EXPECT_EQ(editor->preview()->state().pack.name, "Video");
    QTest::keyClick(editor->nameField(), Qt::Key_Return);
    settle();

    ASSERT_EQ(config().customPacks.size(), 1u);
    EXPECT_EQ(config().customPacks[0].name, "Video");
    EXPECT_EQ(config().enabledPacks, (std::vector<std::string>{"everyday-mac", config().customPacks[0].id}));
    t.selectTab("mine");
    EXPECT_EQ(ids(t.cards()), std::vector<std::string>{config().customPacks[0].id});
}

TEST_F(PacksTabTest, editingACustomPack_changesNameColourAndAppsAndLeavesItsSwitch) {
    AppConfig c;
    c.customPacks = {customPack("Tools")};
    const std::string id = c.customPacks[0].id;
    auto& t = makeTab(c);
    t.card(id)->editButton()->click();
    PackEditor* editor = t.editor();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->titleText(), "Edit pack");
    EXPECT_FALSE(editor->editor().isNew());

    editor->nameField()->selectAll();
    QTest::keyClicks(editor->nameField(), "  Studio  ");
    static_cast<QAbstractButton*>(editor->swatchButtons()[2])->click();
    EXPECT_EQ(editor->ringedSwatch(), std::optional<std::size_t>(2));
    emit editor->appsPicker()->appsEdited({"com.a", "com.b"});
    EXPECT_EQ(editor->preview()->state().pack.apps, (std::vector<std::string>{"com.a", "com.b"}));
    editor->saveButton()->click();
    settle();

    ASSERT_EQ(config().customPacks.size(), 1u);
    const Pack& saved = config().customPacks[0];
    EXPECT_EQ(saved.name, "Studio");
    EXPECT_EQ(saved.accent, std::optional<std::uint32_t>(PackEditorModel::swatches[2]));
    EXPECT_EQ(saved.apps, (std::vector<std::string>{"com.a", "com.b"}));
    EXPECT_EQ(saved.iconApps, saved.apps);
    EXPECT_EQ(saved.bindings[0].apps, saved.apps) << "shortcuts that followed the pack's apps still do";
    EXPECT_TRUE(config().enabledPacks.empty()) << "saving an existing pack leaves its switch";
    EXPECT_EQ(t.card(id)->state().pack.name, "Studio");
}

TEST_F(PacksTabTest, deletingAPack_asksFirstAndTakesItOffTheEnabledPacks) {
    AppConfig c;
    c.customPacks = {customPack(" Tools ")};
    const std::string id = c.customPacks[0].id;
    c.enabledPacks = {id};
    auto& t = makeTab(c);
    t.card(id)->editButton()->click();
    PackEditor* editor = t.editor();
    editor->deleteButton()->click();
    QWidget* dialog = editor->deleteConfirmation();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->findChild<QLabel*>("packEditor.confirmDelete.title")->text(), "Delete \" Tools \"?");
    EXPECT_EQ(dialog->findChild<QLabel*>("packEditor.confirmDelete.message")->text(),
              "Its 1 shortcuts go with it. This can't be undone.");
    // Its cancel only closes it.
    dialog->findChild<QAbstractButton*>("packEditor.confirmDelete.cancel")->click();
    EXPECT_EQ(editor->deleteConfirmation(), nullptr);
    EXPECT_EQ(t.editor(), editor);
    EXPECT_EQ(config().customPacks.size(), 1u);

    editor->deleteButton()->click();
    editor->deleteConfirmation()->findChild<QAbstractButton*>("packEditor.confirmDelete.delete")->click();
    settle();
    EXPECT_TRUE(config().customPacks.empty());
    EXPECT_TRUE(config().enabledPacks.empty());
    EXPECT_EQ(t.editor(), nullptr);
    EXPECT_EQ(t.card(id), nullptr);
}

TEST_F(PacksTabTest, editorShortcuts_goThroughTheShortcutEditor) {
    auto& t = makeTab(AppConfig{});
    t.openEditor(Pack::newCustom({"com.a"}));
    PackEditor* editor = t.editor();
    editor->findChild<QAbstractButton*>("packEditor.addShortcut")->click();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].isNew);
    EXPECT_EQ(requests[0].binding.gesture, Gesture::tap(3, 1));
    EXPECT_EQ(requests[0].binding.apps, std::vector<std::string>{"com.a"});
    requests[0].done(std::nullopt);
    EXPECT_TRUE(editor->shortcutRows().empty()) << "cancelled: the list is unchanged";

    editor->findChild<QAbstractButton*>("packEditor.addShortcut")->click();
    ASSERT_EQ(requests.size(), 2u);
    Binding added = requests[1].binding;
    requests[1].done(added);
    ASSERT_EQ(editor->shortcutRows().size(), 1u);
    EXPECT_EQ(editor->preview()->countText(), "1 shortcuts");

    // Editing it in place keeps its position; the minus removes it at once.
    editor->findChild<QAbstractButton*>("packEditor.row.edit")->click();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_FALSE(requests[2].isNew);
    EXPECT_EQ(requests[2].siblings.size(), 1u);
    added.gesture = Gesture::hold(4);
    requests[2].done(added);
    EXPECT_EQ(editor->editor().draft().bindings[0].gesture, Gesture::hold(4));
    editor->findChild<QAbstractButton*>("packEditor.row.remove")->click();
    EXPECT_TRUE(editor->editor().draft().bindings.empty());
    EXPECT_EQ(editor->preview()->countText(), "0 shortcuts");

    // Escape cancels: nothing is written.
    QTest::keyClick(editor->nameField(), Qt::Key_Escape);
    EXPECT_EQ(t.editor(), nullptr);
    EXPECT_TRUE(config().customPacks.empty());
}

TEST_F(PacksTabTest, editorShortcuts_theSettingsWindowsShortcutEditorAddsOne) {
    auto& t = makeTab(AppConfig{}, true);
    t.openEditor(Pack::newCustom({"com.a"}));
    PackEditor* editor = t.editor();
    editor->findChild<QAbstractButton*>("packEditor.addShortcut")->click();
    QPointer<QWidget> sheet = root->findChild<QWidget*>("packEditor.shortcutEditor");
    ASSERT_NE(sheet, nullptr);
    EXPECT_TRUE(editor->shortcutRows().empty()) << "not in the list until the shortcut editor returns it";
    sheet->findChild<QAbstractButton*>("editor.confirm")->click();
    settle();
    ASSERT_EQ(editor->editor().draft().bindings.size(), 1u);
    const Binding& added = editor->editor().draft().bindings[0];
    EXPECT_EQ(added.gesture, Gesture::tap(3, 1));
    EXPECT_EQ(added.action, Action::keystroke(KeyCombo(45, KeyCombo::Modifiers::command)));
    EXPECT_EQ(added.apps, std::vector<std::string>{"com.a"});
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(sheet.isNull()) << "the sheet is gone";
}

TEST_F(PacksTabTest, theSelectedPackTab_isStoredAndRepaired) {
    sim.defaults().set(PacksTab::tabDefaultsKey, PropertyValue(std::string("on")));
    {
        auto& t = makeTab(withMac());
        EXPECT_EQ(t.filter().tab, "on");
        EXPECT_EQ(t.tabStrip()->selected(), "on");
        t.tabStrip()->button("browsers")->click();
        EXPECT_EQ(t.filter().tab, "browsers");
        EXPECT_EQ(sim.defaults().stringForKey(PacksTab::tabDefaultsKey), std::optional<std::string>("browsers"));
        delete root;
        root = nullptr;
        model.reset();
    }
    // A category whose packs are all hidden is not offered: the strip selects All.
    sim.defaults().set(PacksTab::tabDefaultsKey, PropertyValue(std::string("creative")));
    auto& t = makeTab(withMac());
    EXPECT_EQ(t.filter().tab, "all");
    EXPECT_EQ(sim.defaults().stringForKey(PacksTab::tabDefaultsKey), std::optional<std::string>("all"));
}

// The smallest settings window is shorter than the editor: the sheet keeps
// inside it with its title and buttons, and its body scrolls, bringing a
// control reached with the keyboard into view.
TEST_F(PacksTabTest, editorInTheSmallestWindow_scrollsItsBodyAndKeepsItsButtons) {
    auto& t = makeTab(withMac());
    root->resize(720, 520);
    t.resize(720, 520);
    t.newPackCard()->click();
    PackEditor* editor = t.editor();
    ASSERT_NE(editor, nullptr);
    settle();
    EXPECT_TRUE(root->rect().contains(editor->geometry())) << "the sheet keeps inside the window";
    EXPECT_LT(editor->geometry().height(), PackEditor::height);
    for (QWidget* button : std::initializer_list<QWidget*>{editor->saveButton(), editor->cancelButton()}) {
        const QRect at(button->mapTo(editor, QPoint(0, 0)), button->size());
        EXPECT_TRUE(editor->rect().contains(at)) << button->objectName().toStdString();
    }
    QScrollBar* bar = editor->body()->verticalScrollBar();
    EXPECT_GT(bar->maximum(), 0) << "the body is taller than the room it has";
    EXPECT_EQ(bar->value(), 0);

    root->activateWindow();
    QApplication::setActiveWindow(root);
    auto* add = editor->findChild<QWidget*>("packEditor.addShortcut");
    ASSERT_NE(add, nullptr);
    add->setFocus(Qt::TabFocusReason);
    settle();
    QWidget* viewport = editor->body()->viewport();
    const QRect at(add->mapTo(viewport, QPoint(0, 0)), add->size());
    EXPECT_GT(bar->value(), 0);
    EXPECT_TRUE(viewport->rect().contains(at)) << "the focused button is scrolled into view";
}

}  // namespace
}  // namespace velorin
