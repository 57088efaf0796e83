#include <gtest/gtest.h>

#include <QListView>
#include <QPushButton>

#include "ComposerFixture.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Editor/AppChoices.h"
#include "Actions/MenuScanner.h"
#include "Velorin/Editor/KeyListenButton.h"
#include "Velorin/Editor/Keycaps.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/PulseDot.h"
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

// The menu panel's caps read as the combination does, as the picker lists it.
TEST_F(ActionComposerTest, menuPanel_writesTheKeyAsTheCombinationReads) {
    using M = KeyCombo::Modifiers;
    struct Case {
        KeyCombo key;
        std::vector<std::string> caps;
    };
    const Case cases[] = {
        {KeyCombo(24, {M::shift, M::command}), {"\u21E7", "\u2318", "="}},
        {KeyCombo(24, M::command), {"\u2318", "="}},
        {KeyCombo::screenshot, {"\u21E7", "\u2318", "4"}},
    };
    for (const auto& c : cases) {
        const MenuCommand command({"View", "Zoom"}, c.key);
        if (window)
            composer->setAction(Action::menuItem(command));
        else
            open(Action::menuItem(command));
        auto* caps = part<Keycaps>("composer.keycaps");
        ASSERT_NE(caps, nullptr) << c.key.description();
        EXPECT_EQ(caps->parts(), c.caps) << c.key.description();
    }
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
    picker->findChild<QAbstractButton*>("menuPicker.cancel")->click();
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

// --- The keys panel ---

using M = KeyCombo::Modifiers;

class KeysPanelTest : public ActionComposerTest {
protected:
    Keycaps* caps() const { return part<Keycaps>("composer.keycaps"); }
    KeyListenButton* listen() const { return part<KeyListenButton>("composer.recordKeys"); }
    QString listenText() const { return listen()->text().trimmed(); }
};

TEST_F(KeysPanelTest, showsTheCombinationAsCaps_andThePresetThatIsIt) {
    open(Action::keystroke(KeyCombo::missionControl));
    EXPECT_EQ(caps()->parts(), (std::vector<std::string>{"\u2303", "\u2191"}));
    EXPECT_FALSE(caps()->isSmall());
    EXPECT_EQ(titles(), (std::vector<QString>{"Mission Control", "App windows", "Spotlight", "Screenshot"}));
    EXPECT_EQ(onTiles(), std::vector<QString>{"Mission Control"});
    tile("Spotlight")->click();
    EXPECT_EQ(stored, Action::keystroke(KeyCombo(49, M::command)));
    EXPECT_EQ(onTiles(), std::vector<QString>{"Spotlight"});
    EXPECT_EQ(chosen, 1);
    // Any other combination leaves every preset off.
    composer->setAction(Action::keystroke(KeyCombo(8, M::command)));
    EXPECT_TRUE(onTiles().empty());
    EXPECT_EQ(caps()->parts(), (std::vector<std::string>{"\u2318", "C"}));
}

TEST_F(KeysPanelTest, recordingFromKeyEvents_writesTheMacFormThenCallsChosen) {
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        KeyCombo combo;
        std::vector<std::string> caps;
    };
    const std::vector<Case> cases{
        {Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier, KeyCombo(40, {M::command, M::shift}), {"\u21E7", "\u2318", "K"}},
        {Qt::Key_F5, {}, KeyCombo(96, {}), {"F5"}},
        {Qt::Key_Escape, Qt::AltModifier, KeyCombo(53, M::option), {"\u2325", "\u238B"}},
        {Qt::Key_Return, {}, KeyCombo(36, {}), {"\u21A9"}},
    };
    for (const auto& c : cases) {
        open(Action::keystroke(KeyCombo::spotlight));
        EXPECT_EQ(listenText(), "Record Keys");
        EXPECT_TRUE(listen()->isPrimary());
        listen()->click();
        EXPECT_TRUE(listen()->isListening());
        EXPECT_EQ(listenText(), "Press the keys\u2026 (Esc cancels)");
        EXPECT_FALSE(listen()->isPrimary());
        EXPECT_TRUE(listen()->dot()->isVisible());
        QTest::keyClick(window.get(), Qt::Key(c.key), c.modifiers);
        QCoreApplication::processEvents();
        EXPECT_EQ(stored, Action::keystroke(c.combo));
        EXPECT_EQ(chosenAfterWrite, std::vector<Action>{Action::keystroke(c.combo)});
        EXPECT_FALSE(listen()->isListening());
        EXPECT_EQ(listenText(), "Record Keys");
        EXPECT_EQ(caps()->parts(), c.caps);
    }
}

TEST_F(KeysPanelTest, escapeOrPressingTheButtonAgain_recordsNothing) {
    open(Action::keystroke(KeyCombo::spotlight));
    listen()->click();
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_FALSE(listen()->isListening());
    listen()->click();
    listen()->click();
    EXPECT_FALSE(listen()->isListening());
    QTest::keyClick(window.get(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(edits, 0);
    EXPECT_EQ(chosen, 0);
}

TEST_F(KeysPanelTest, leavingTheScreenStopsListening) {
    open(Action::keystroke(KeyCombo::spotlight));
    listen()->click();
    QPointer<KeyListenButton> button(listen());
    choose(Kind::media);
    QTest::keyClick(window.get(), Qt::Key_K, Qt::ControlModifier);
    EXPECT_EQ(stored, Action::media(MediaKey::playPause));
    EXPECT_TRUE(!button || !button->isListening());
}

TEST(Keycaps, smallCapsAreAtLeast18Tall_3Apart) {
    testing::qtApp();
    sim::SimPlatform sim;
    Keycaps caps(KeyCombo(120, {M::option, M::function}), true);
    EXPECT_EQ(caps.parts(), (std::vector<std::string>{"\u2325", "fn F2"}));
    const auto rects = caps.capRects();
    ASSERT_EQ(rects.size(), 2u);
    for (const auto& r : rects) {
        EXPECT_GE(r.height(), 18);
        EXPECT_GE(r.width(), 18 + 2 * 4);
    }
    EXPECT_DOUBLE_EQ(rects[1].left() - rects[0].right(), 3);
    Keycaps normal(KeyCombo(21, {M::command, M::shift}), false);
    const auto big = normal.capRects();
    ASSERT_EQ(big.size(), 3u);
    EXPECT_DOUBLE_EQ(big[0].height(), 40);
    EXPECT_DOUBLE_EQ(big[1].left() - big[0].right(), 6);
}

// --- The app panel ---

class AppPanelTest : public ActionComposerTest {
protected:
    AppPanelTest() {
        InstalledApps::forget();
        install("com.apple.Safari", "/Applications/Safari.app");
        install("com.apple.Notes", "/Applications/Notes.app");
        install("org.mozilla.firefox", "/Applications/Firefox.app");
        install("com.quillmere.velorin", "/Applications/Velorin.app");
        install("com.example.agent", "/Applications/Agent.app");
        run(20, "com.apple.Notes");
        run(21, "com.quillmere.velorin");
        run(22, "com.example.agent", ActivationPolicy::accessory);
        run(23, "com.example.Running");
    }
    ~AppPanelTest() override { InstalledApps::forget(); }

    void install(const std::string& id, const std::string& path) {
        sim.workspace().installApp(id, path);
        sim.bundle().addBundleOnDisk(path, id);
    }
    void run(std::int32_t pid, const std::string& id, ActivationPolicy policy = ActivationPolicy::regular) {
        RunningApplication app;
        app.processIdentifier = pid;
        app.bundleIdentifier = id;
        app.activationPolicy = policy;
        sim.workspace().addRunningApp(app, false);
    }
    struct Cell {
        std::string id;
        bool on;
        bool running;
        bool operator==(const Cell&) const = default;
    };
    std::vector<Cell> cells() const {
        std::vector<Cell> out;
        auto* grid = part<QWidget>("composer.appGrid");
        std::vector<QAbstractButton*> shown;
        for (auto* c : grid->findChildren<QAbstractButton*>("composer.app")) {
            if (c->isVisible()) shown.push_back(c);
        }
        // In the grid's order: top to bottom, left to right.
        std::sort(shown.begin(), shown.end(), [](auto* a, auto* b) {
            return std::pair(a->y(), a->x()) < std::pair(b->y(), b->x());
        });
        for (auto* c : shown) {
            out.push_back({c->property("bundleID").toString().toStdString(), c->property("on").toBool(),
                           c->property("running").toBool()});
        }
        return out;
    }
    QAbstractButton* cell(const std::string& id) const {
        for (auto* c : part<QWidget>("composer.appGrid")->findChildren<QAbstractButton*>("composer.app")) {
            if (c->isVisible() && c->property("bundleID").toString().toStdString() == id) return c;
        }
        return nullptr;
    }
    void search(const QString& text) {
        part<QLineEdit>("composer.appSearch")->setText(text);
        QCoreApplication::processEvents();
    }
};

TEST_F(AppPanelTest, runningAppsComeFirstWithADot_thenTheInstalledOnes_neverThisApp) {
    open(Action::openApp("com.apple.Safari", false));
    EXPECT_EQ(cells(), (std::vector<Cell>{{"com.apple.Notes", false, true},
                                          {"com.example.Running", false, true},
                                          {"com.example.agent", false, false},  // installed, not a regular app
                                          {"org.mozilla.firefox", false, false},
                                          {"com.apple.Safari", true, false}}));
    EXPECT_FALSE(part<LiquidSwitch>("composer.hideSwitch")->isOn());
    EXPECT_EQ(part<ThemedText>("composer.noMatch"), nullptr);
}

TEST_F(AppPanelTest, aNewAppAction_hasNoCellOn_andTheSwitchOn) {
    open(Action::window(WindowCommand::center));
    choose(Kind::app);
    for (const auto& c : cells()) EXPECT_FALSE(c.on) << c.id;
    EXPECT_TRUE(part<LiquidSwitch>("composer.hideSwitch")->isOn());
}

TEST_F(AppPanelTest, tappingACell_picksItKeepingTheToggle_alsoTheOneOn) {
    open(Action::openApp("com.apple.Safari", true));
    cell("org.mozilla.firefox")->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(stored, Action::openApp("org.mozilla.firefox", true));
    cell("org.mozilla.firefox")->click();
    EXPECT_EQ(chosen, 2);
    EXPECT_EQ(cells().back(), (Cell{"com.apple.Safari", false, false}));
}

TEST_F(AppPanelTest, theSwitch_keepsTheApp_withoutChosen) {
    open(Action::openApp("com.apple.Notes", true));
    part<LiquidSwitch>("composer.hideSwitch")->click();
    EXPECT_EQ(stored, Action::openApp("com.apple.Notes", false));
    EXPECT_EQ(chosen, 0);
}

TEST_F(AppPanelTest, search_narrowsTheGrid_andSurvivesAChangeOfKind) {
    open(Action::openApp("", true));
    search("  note ");
    EXPECT_EQ(cells(), (std::vector<Cell>{{"com.apple.Notes", false, true}}));
    search("com.apple");
    EXPECT_EQ(cells().size(), 2u);
    search(" zzz ");
    EXPECT_TRUE(cells().empty());
    EXPECT_EQ(text("composer.noMatch"), "No app matches \u201C zzz \u201D.");
    search("fire");
    choose(Kind::media);
    choose(Kind::app);
    EXPECT_EQ(part<QLineEdit>("composer.appSearch")->text(), "fire");
    EXPECT_EQ(cells(), (std::vector<Cell>{{"org.mozilla.firefox", false, false}}));
}

TEST_F(AppPanelTest, other_picksTheChosenBundle_andNothingForACancelOrANonBundle) {
    sim.workspace().setApplicationsFolder("/usr/share/applications");
    sim.bundle().addBundleOnDisk("/opt/Tools/Editor.app", "com.example.Editor");
    open(Action::openApp("com.apple.Notes", false));
    auto* other = part<QAbstractButton>("composer.otherApp");
    EXPECT_EQ(other->toolTip(), "Choose an app that isn't listed");
    other->click();  // cancelled
    panelAnswer = "/opt/Tools/readme.txt";
    other->click();  // not a bundle
    EXPECT_EQ(edits, 0);
    EXPECT_EQ(chosen, 0);
    panelAnswer = "/opt/Tools/Editor.app";
    other->click();
    EXPECT_EQ(stored, Action::openApp("com.example.Editor", false));
    EXPECT_EQ(chosen, 1);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].what, ActionComposer::FileRequest::What::application);
    EXPECT_EQ(requests[0].startFolder, "/usr/share/applications");
    // Held by the action, but not among the cells.
    for (const auto& c : cells()) EXPECT_FALSE(c.on) << c.id;
}

}  // namespace
}  // namespace velorin
