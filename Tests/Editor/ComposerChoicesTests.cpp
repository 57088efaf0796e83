#include <gtest/gtest.h>

#include <QListView>
#include <QPushButton>

#include "ComposerFixture.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Editor/Keycaps.h"
#include "Velorin/Editor/MenuCommandPicker.h"

namespace velorin {
namespace {

// --- The website-or-file panel ---

TEST_F(ActionComposerTest, linkField_writesEveryEditUntrimmed_withoutFeedbackOrChosen) {
    open(Action::open(""));
    auto* field = part<QLineEdit>("composer.linkField");
    ASSERT_NE(field, nullptr);
    EXPECT_EQ(field->placeholderText(), "wikipedia.org, notion://\u2026, or a path like ~/Documents");
    const auto before = haptics();
    field->setFocus();
    QTest::keyClicks(field, " ~/Docs ");
    EXPECT_EQ(stored, Action::open(" ~/Docs "));
    EXPECT_EQ(edits, 8);
    EXPECT_EQ(chosen, 0);
    EXPECT_EQ(haptics(), before);
    // Typing never rebuilds the field: it keeps its cursor.
    EXPECT_EQ(part<QLineEdit>("composer.linkField"), field);
    EXPECT_EQ(field->cursorPosition(), 8);
}

TEST_F(ActionComposerTest, linkField_showsWhatOpens) {
    struct Case {
        std::string text;
        QString symbol;
        QString status;
    };
    const std::vector<Case> cases{
        {"~/Documents", "doc.fill", "Opens /Users/tester/Documents"},
        {"wikipedia", "link", "Opens https://wikipedia"},
        {"notion://page", "link", "Opens notion://page"},
        {"", "link", "Type a website, a link into an app, or a file or folder."},
        {"   ", "link", "Type a website, a link into an app, or a file or folder."},
    };
    open(Action::open(""));
    for (const auto& c : cases) {
        composer->setAction(Action::open(c.text));
        EXPECT_EQ(part<QWidget>("composer.linkIcon")->property("symbol").toString(), c.symbol) << c.text;
        EXPECT_EQ(text("composer.linkStatus"), c.status) << c.text;
    }
}

TEST_F(ActionComposerTest, linkField_returnConfirmsOnlyWhatResolves) {
    open(Action::open(""));
    auto* field = part<QLineEdit>("composer.linkField");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(chosen, 0);
    composer->setAction(Action::open("example.org"));
    const int editsBefore = edits;
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(edits, editsBefore);  // nothing more is written
}

TEST_F(ActionComposerTest, chooseFile_picksThePlainPath_andACancelChangesNothing) {
    open(Action::open("typed"));
    auto* button = part<QAbstractButton>("composer.chooseFile");
    button->click();  // the panel is cancelled
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].what, ActionComposer::FileRequest::What::fileOrFolder);
    EXPECT_EQ(stored, Action::open("typed"));
    EXPECT_EQ(chosen, 0);

    panelAnswer = "/Users/tester/Projects";
    button->click();
    EXPECT_EQ(stored, Action::open("/Users/tester/Projects"));
    EXPECT_EQ(chosenAfterWrite, std::vector<Action>{Action::open("/Users/tester/Projects")});
    EXPECT_EQ(part<QLineEdit>("composer.linkField")->text(), "/Users/tester/Projects");
    EXPECT_EQ(text("composer.linkStatus"), "Opens /Users/tester/Projects");
}

// --- The menu command panel ---

TEST_F(ActionComposerTest, menuPanel_showsThePathAsCrumbs_withTheCommandsKeys) {
    open(Action::menuItem(MenuCommand({"File", "Export", "PDF"}, KeyCombo(14, KeyCombo::Modifiers::command))));
    std::vector<std::pair<QString, bool>> crumbs;
    for (auto* c : composer->panel()->findChildren<QWidget*>("composer.crumb")) {
        if (c->isVisible()) crumbs.emplace_back(c->property("text").toString(), c->property("bold").toBool());
    }
    EXPECT_EQ(crumbs, (std::vector<std::pair<QString, bool>>{{"File", false}, {"Export", false}, {"PDF", true}}));
    int chevrons = 0;
    for (auto* c : composer->panel()->findChildren<QWidget*>("composer.chevron")) chevrons += c->isVisible();
    EXPECT_EQ(chevrons, 2);
    auto* caps = part<Keycaps>("composer.keycaps");
    ASSERT_NE(caps, nullptr);
    EXPECT_TRUE(caps->isSmall());
    EXPECT_EQ(caps->parts(), (std::vector<std::string>{"\u2318", "E"}));
    auto* choose = part<PillButton>("composer.menuChoose");
    EXPECT_EQ(choose->text(), "Choose Another\u2026");
    EXPECT_FALSE(choose->isPrimary());
    EXPECT_EQ(part<QWidget>("composer.menuHint"), nullptr);

    // A command without a key shows no caps.
    composer->setAction(Action::menuItem(MenuCommand({"Edit", "Copy"})));
    EXPECT_EQ(part<Keycaps>("composer.keycaps"), nullptr);
}

TEST_F(ActionComposerTest, menuPanel_emptyPath_hintsAndCancellingThePickerKeepsIt) {
    open(Action::window(WindowCommand::leftHalf));
    choose(Kind::menu);
    EXPECT_EQ(text("composer.menuHint"),
              "Pick a command from any app's menus. It runs in whichever app is in front, if that app has it.");
    auto* button = part<PillButton>("composer.menuChoose");
    EXPECT_EQ(button->text(), "Choose from an App's Menus\u2026");
    EXPECT_TRUE(button->isPrimary());
    button->click();
    EXPECT_TRUE(composer->choosingMenu());
    auto* picker = qobject_cast<MenuCommandPicker*>(host->topSheet());
    ASSERT_NE(picker, nullptr);
    EXPECT_TRUE(picker->model().apps().empty());  // every running app
    picker->findChild<QPushButton*>("menuPicker.cancel")->click();
    QCoreApplication::processEvents();
    EXPECT_FALSE(composer->choosingMenu());
    EXPECT_EQ(stored, Action::menuItem(MenuCommand()));
    EXPECT_EQ(chosen, 0);
    EXPECT_FALSE(host->isPresenting());
}

TEST_F(ActionComposerTest, menuPicker_aPickWritesTheCommandThenCallsChosen) {
    sim.accessibility().setTrusted(true);
    RunningApplication app;
    app.processIdentifier = 10;
    app.bundleIdentifier = "com.example.writer";
    app.localizedName = "Writer";
    sim::installMenuBar(sim.accessibility(), 10,
                        sim::menuBar({sim::menuBarItem("Apple", {}), sim::menuBarItem("Edit", {sim::menuItem("Copy", sim::MenuKey{"C", 0.0, std::nullopt})})}));
    sim.workspace().addRunningApp(app, false);
    open(Action::menuItem(MenuCommand()));
    part<QAbstractButton>("composer.menuChoose")->click();
    auto* picker = qobject_cast<MenuCommandPicker*>(host->topSheet());
    ASSERT_NE(picker, nullptr);
    QListView* list = picker->list();
    ASSERT_EQ(list->model()->rowCount(), 2);  // the section and the command
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(1, 0)).center());
    QCoreApplication::processEvents();
    const Action expected = Action::menuItem(MenuCommand({"Edit", "Copy"}, KeyCombo(8, KeyCombo::Modifiers::command)));
    EXPECT_EQ(stored, expected);
    EXPECT_EQ(chosenAfterWrite, std::vector<Action>{expected});
    EXPECT_FALSE(composer->choosingMenu());
    EXPECT_FALSE(host->isPresenting());
}

// --- The shortcut panel ---

class ShortcutPanelTest : public ActionComposerTest {
protected:
    void waitForList() {
        for (int i = 0; i < 500 && !composer->loadedShortcuts(); ++i) {
            sim.mainQueue().waitUntilDue(std::chrono::milliseconds(10));
            sim.runUntilIdle();
        }
        ASSERT_TRUE(composer->loadedShortcuts());
        QCoreApplication::processEvents();
    }
};

TEST_F(ShortcutPanelTest, listsTheToolsNamesSortedWithoutRegardToCase_andATapPicksOne) {
    sim.processes().setOutput("/usr/bin/shortcuts", {"list"}, "zebra\n\nApple\n  padded\nbanana\n\n");
    open(Action::shortcut("banana"));
    EXPECT_EQ(text("composer.shortcutsMessage"), "Reading your shortcuts\u2026");
    waitForList();
    EXPECT_EQ(titles(), (std::vector<QString>{"  padded", "Apple", "banana", "zebra"}));
    EXPECT_EQ(onTiles(), std::vector<QString>{"banana"});
    tile("zebra")->click();
    EXPECT_EQ(stored, Action::shortcut("zebra"));
    EXPECT_EQ(chosen, 1);
    // Read once per composer: another visit does not run the tool again.
    choose(Kind::media);
    choose(Kind::shortcut);
    EXPECT_EQ(sim.processes().runs().size(), 1u);
    EXPECT_EQ(titles().size(), 4u);
}

TEST_F(ShortcutPanelTest, withoutTheTool_saysThereAreNoShortcuts_andOffersTheApp) {
    sim.processes().setUnstartable("/usr/bin/shortcuts");
    open(Action::shortcut(""));
    waitForList();
    EXPECT_TRUE(tiles().empty());
    EXPECT_EQ(text("composer.shortcutsMessage"),
              "You don't have any shortcuts yet. Make one in the Shortcuts app and it shows up here.");
    part<QAbstractButton>("composer.openShortcuts")->click();
    ASSERT_EQ(sim.workspace().openedApplications().size(), 1u);
    EXPECT_EQ(sim.workspace().openedApplications()[0].path, "/System/Applications/Shortcuts.app");
}

TEST_F(ShortcutPanelTest, aListThatArrivesAfterTheComposerIsGone_isDropped) {
    sim.processes().setOutput("/usr/bin/shortcuts", {"list"}, "One\n");
    open(Action::shortcut(""));
    window.reset();
    QThreadPool::globalInstance()->waitForDone();
    EXPECT_NO_FATAL_FAILURE(sim.runUntilIdle());
}

}  // namespace
}  // namespace velorin
