#include <gtest/gtest.h>

#include <optional>

#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Editor/MenuCommandPickerModel.h"

namespace velorin {
namespace {

using sim::MenuKey;

// A simulated desktop with a few apps that have menus, and the picker's model on it.
class MenuPickerModelTest : public ::testing::Test {
protected:
    MenuPickerModelTest() { sim.accessibility().setTrusted(true); }

    // Runs an app with a bundle identifier and a name; its menus as given.
    void run(std::int32_t pid, const std::string& id, const std::string& name, std::vector<sim::SimElement> menus,
             bool notify = false) {
        RunningApplication app;
        app.processIdentifier = pid;
        app.bundleIdentifier = id;
        app.localizedName = name;
        sim::installMenuBar(sim.accessibility(), pid, sim::menuBar(std::move(menus)));
        sim.workspace().addRunningApp(app, notify);
    }
    static std::vector<sim::SimElement> menusOf(const std::string& word) {
        // The bar's first item is the system menu, which is never listed.
        return {sim::menuBarItem("Apple", {sim::menuItem("About This Mac")}),
                sim::menuBarItem("File", {sim::menuItem(word + " File", MenuKey{"N", 0.0, std::nullopt})}),
                sim::menuBarItem("Edit", {sim::menuItem(word + " Edit")})};
    }
    MenuCommandPickerModel& make(std::vector<std::string> apps) {
        model = std::make_unique<MenuCommandPickerModel>(std::move(apps), [this] { ++changes; });
        model->activate();
        return *model;
    }
    std::vector<std::string> firstTitles() const {
        std::vector<std::string> out;
        for (const auto& c : model->commands()) out.push_back(c.path.back());
        return out;
    }

    sim::SimPlatform sim;
    std::unique_ptr<MenuCommandPickerModel> model;
    int changes = 0;
};

TEST_F(MenuPickerModelTest, anyApp_showsTheChooser_andReadsTheFirstAppByName) {
    run(10, "org.zed.notes", "Zed Notes", menusOf("Zed"));
    run(11, "com.example.atlas", "Atlas", menusOf("Atlas"));
    auto& m = make({});
    EXPECT_TRUE(m.showsChooser());
    EXPECT_EQ(m.appID(), "com.example.atlas");
    EXPECT_EQ(m.body(), MenuPickerBody::commands);
    EXPECT_EQ(firstTitles(), (std::vector<std::string>{"Atlas File", "Atlas Edit"}));
    EXPECT_EQ(m.title(), "Atlas's menus");  // not installed: its own name, not a piece of its identifier

    m.chooseApp("org.zed.notes");
    EXPECT_EQ(firstTitles(), (std::vector<std::string>{"Zed File", "Zed Edit"}));
}

TEST_F(MenuPickerModelTest, chooserShows_whenAnyAppOrMoreThanOneAllowedAppRuns) {
    run(10, "com.apple.Safari", "Safari", menusOf("Safari"));
    const struct {
        std::vector<std::string> apps;
        bool chooser;
    } oneRunning[] = {
        {{}, true},
        {{"com.apple.Safari"}, false},
        {{"com.apple.Safari", "com.apple.Notes"}, false},
    };
    for (const auto& c : oneRunning) {
        EXPECT_EQ(make(c.apps).showsChooser(), c.chooser) << c.apps.size();
        EXPECT_EQ(model->appID(), "com.apple.Safari");
    }
    run(11, "com.apple.Notes", "Notes", menusOf("Notes"));
    EXPECT_TRUE(make({"com.apple.Safari", "com.apple.Notes"}).showsChooser());
    EXPECT_EQ(model->appID(), "com.apple.Notes");  // "Notes" sorts before "Safari"
    EXPECT_EQ(model->title(), "Notes's menus");
}

TEST_F(MenuPickerModelTest, oneAllowedAppInstalledButNotRunning_offersToOpenItInTheBackground_thenReadsIt) {
    sim.workspace().installApp("com.apple.Safari", "/Applications/Safari.app");
    auto& m = make({"com.apple.Safari"});
    EXPECT_EQ(m.body(), MenuPickerBody::notRunning);
    const auto screen = m.screen();
    EXPECT_EQ(screen.title, "Open Safari to see its menus");
    ASSERT_TRUE(screen.button);
    EXPECT_EQ(screen.button->title, "Open Safari");
    EXPECT_EQ(m.title(), "Menu commands");

    m.perform(GuidanceAction::openApp);
    ASSERT_EQ(sim.workspace().openedApplications().size(), 1u);
    EXPECT_EQ(sim.workspace().openedApplications()[0].path, "/Applications/Safari.app");
    EXPECT_FALSE(sim.workspace().openedApplications()[0].configuration.activates);

    run(20, "com.apple.Safari", "Safari", menusOf("Safari"), /*notify=*/true);
    sim.advance(0.999);
    EXPECT_EQ(m.body(), MenuPickerBody::unread);  // it runs, but the picker has not looked yet
    EXPECT_TRUE(m.commands().empty());
    sim.advance(0.001);
    EXPECT_EQ(m.appID(), "com.apple.Safari");
    EXPECT_EQ(m.body(), MenuPickerBody::commands);
    EXPECT_EQ(firstTitles(), (std::vector<std::string>{"Safari File", "Safari Edit"}));
}

TEST_F(MenuPickerModelTest, nothingRunning_screenDependsOnWhatIsInstalled) {
    sim.workspace().installApp("com.apple.Notes", "/Applications/Notes.app");
    const struct {
        std::vector<std::string> apps;
        MenuPickerBody body;
        std::string title;
        bool button;
    } cases[] = {
        {{}, MenuPickerBody::notRunning, "Open the app to see its menus", false},
        {{"com.apple.Notes"}, MenuPickerBody::notRunning, "Open Notes to see its menus", true},
        {{"com.apple.Safari", "com.apple.Notes"}, MenuPickerBody::notRunning, "Open the app to see its menus", false},
        {{"com.apple.Safari"}, MenuPickerBody::notInstalled, "Safari isn't on this Mac", false},
        {{"com.apple.Safari", "com.example.gone"}, MenuPickerBody::notInstalled, "the app isn't on this Mac", false},
    };
    for (const auto& c : cases) {
        auto& m = make(c.apps);
        EXPECT_EQ(m.body(), c.body) << c.title;
        EXPECT_EQ(m.screen().title, c.title);
        EXPECT_EQ(m.screen().button.has_value(), c.button) << c.title;
        EXPECT_EQ(m.appID(), "");
    }
}

TEST_F(MenuPickerModelTest, withoutPermission_choosesTheAppAnyway_andReadsOnceThePollSeesIt) {
    run(10, "com.apple.Safari", "Safari", menusOf("Safari"));
    sim.accessibility().setTrusted(false);
    auto& m = make({});
    EXPECT_FALSE(m.trusted());
    EXPECT_EQ(m.body(), MenuPickerBody::permission);
    EXPECT_EQ(m.appID(), "com.apple.Safari");
    EXPECT_TRUE(m.commands().empty());

    sim.accessibility().setTrusted(true);
    sim.advance(1.99);
    EXPECT_EQ(m.body(), MenuPickerBody::permission);
    sim.advance(0.01);
    EXPECT_EQ(m.body(), MenuPickerBody::commands);
    EXPECT_EQ(firstTitles().size(), 2u);

    // The poll never takes the permission away; a refresh does.
    sim.accessibility().setTrusted(false);
    sim.advance(4);
    EXPECT_TRUE(m.trusted());
    sim.workspace().sendNotice(WorkspaceNotice::applicationDidBecomeActive, std::nullopt);
    sim.runUntilIdle();
    EXPECT_EQ(m.body(), MenuPickerBody::permission);
}

TEST_F(MenuPickerModelTest, comingBackToThisApp_refreshesAtOnce) {
    run(10, "com.apple.Safari", "Safari", menusOf("Safari"));
    sim.accessibility().setTrusted(false);
    auto& m = make({});
    sim.accessibility().setTrusted(true);
    sim.workspace().sendNotice(WorkspaceNotice::applicationDidBecomeActive, std::nullopt);
    sim.runUntilIdle();
    EXPECT_EQ(m.body(), MenuPickerBody::commands);
}

TEST_F(MenuPickerModelTest, permissionButton_promptsAndOpensTheSettingsPage) {
    sim.accessibility().setTrusted(false);
    auto& m = make({});
    sim.takeJournal();
    m.perform(GuidanceAction::openSystemSettings);
    const auto journal = sim.takeJournal();
    ASSERT_FALSE(journal.empty());
    EXPECT_NE(journal.back().find("open x-apple.systempreferences:"), std::string::npos) << journal.back();
    EXPECT_EQ(sim.workspace().openedURLs().size(), 1u);
}

TEST_F(MenuPickerModelTest, chosenAppQuits_theFirstRemainingIsChosen_thenTheNotRunningScreen) {
    run(10, "com.example.alpha", "Alpha", menusOf("Alpha"));
    run(11, "com.example.beta", "Beta", menusOf("Beta"));
    auto& m = make({});
    m.chooseApp("com.example.beta");
    sim.workspace().removeRunningApp(11);
    sim.runUntilIdle();
    EXPECT_EQ(m.appID(), "com.example.alpha");
    EXPECT_EQ(firstTitles().front(), "Alpha File");

    // Another app starting keeps the chosen one while it runs.
    run(12, "com.example.aardvark", "Aardvark", menusOf("Aardvark"), true);
    sim.advance(1);
    EXPECT_EQ(m.appID(), "com.example.alpha");

    sim.workspace().removeRunningApp(10);
    sim.workspace().removeRunningApp(12);
    sim.runUntilIdle();
    EXPECT_EQ(m.appID(), "");
    EXPECT_EQ(m.body(), MenuPickerBody::notRunning);
}

TEST_F(MenuPickerModelTest, emptyMenus_showTheUnreadScreen_andTryAgainReadsAgain) {
    run(10, "com.example.slow", "Slow", {});
    auto& m = make({"com.example.slow"});
    EXPECT_EQ(m.body(), MenuPickerBody::unread);
    EXPECT_EQ(m.screen().title, "Couldn't read Slow's menus yet");
    sim::installMenuBar(sim.accessibility(), 10, sim::menuBar(menusOf("Slow")));
    m.perform(GuidanceAction::tryAgain);
    EXPECT_EQ(m.body(), MenuPickerBody::commands);
}

TEST_F(MenuPickerModelTest, theChosenAppIsNamedByAppInfo_orByItsOwnNameWhenTheWorkspaceCantPlaceIt) {
    sim.workspace().installApp("com.example.inked", "/Applications/Inked Pro.app");
    const struct {
        std::string id;
        std::optional<std::string> runningName;
        std::string title;
    } cases[] = {
        {"com.apple.Safari", "Safari Technology", "Safari's menus"},    // the table of known names
        {"com.example.inked", "Inked", "Inked Pro's menus"},             // the installed app's name
        {"com.example.writer", "Writer", "Writer's menus"},              // runs from elsewhere
        {"com.example.nameless", std::nullopt, "nameless's menus"},      // nothing better than the identifier
    };
    for (const auto& c : cases) {
        for (const auto& app : sim.workspace().runningApplications()) {
            sim.workspace().removeRunningApp(app.processIdentifier, false);
        }
        RunningApplication app;
        app.processIdentifier = 10;
        app.bundleIdentifier = c.id;
        app.localizedName = c.runningName;
        sim.workspace().addRunningApp(app, false);
        auto& m = make({c.id});
        EXPECT_EQ(m.title(), c.title);
        EXPECT_EQ(m.body(), MenuPickerBody::unread) << c.id;
        EXPECT_EQ(m.screen().title, "Couldn't read " + c.title.substr(0, c.title.size() - 8) + "'s menus yet");
    }
}

TEST_F(MenuPickerModelTest, search_filtersTheStoredCommands_withoutReadingAgain) {
    run(10, "com.example.alpha", "Alpha", menusOf("Alpha"));
    auto& m = make({});
    const int before = changes;
    m.setQuery("  EDIT ");
    EXPECT_EQ(changes, before + 1);
    ASSERT_EQ(m.shown().size(), 1u);
    EXPECT_EQ(m.shown()[0].path, (std::vector<std::string>{"Edit", "Alpha Edit"}));
    EXPECT_EQ(m.groups().size(), 1u);
    m.setQuery("no such thing");
    EXPECT_TRUE(m.groups().empty());
    EXPECT_EQ(m.body(), MenuPickerBody::commands);  // an empty result is just an empty list
}

TEST_F(MenuPickerModelTest, aPickedCommand_carriesItsWholePathAndKey) {
    const ScannedCommand scanned{{"File", "Open Recent", "Clear Menu"}, KeyCombo(14, KeyCombo::Modifiers::command), false};
    EXPECT_EQ(MenuCommandPickerModel::command(scanned),
              MenuCommand({"File", "Open Recent", "Clear Menu"}, KeyCombo(14, KeyCombo::Modifiers::command)));
}

TEST_F(MenuPickerModelTest, goingAway_leavesNoObserverTimerOrDelayedRefreshBehind) {
    const std::size_t observersBefore = sim.workspace().observerCount();
    run(10, "com.example.alpha", "Alpha", menusOf("Alpha"));
    make({});
    EXPECT_GT(sim.workspace().observerCount(), observersBefore);
    run(11, "com.example.beta", "Beta", menusOf("Beta"), true);
    sim.runUntilIdle();  // the launch notice arrives and schedules its refresh
    model.reset();
    EXPECT_EQ(sim.workspace().observerCount(), observersBefore);
    EXPECT_EQ(sim.mainQueue().pendingCount(), 0u);
    sim.advance(5);  // nothing runs on a destroyed model
}

TEST_F(MenuPickerModelTest, deactivated_followsNothing_andActivatingAgainRefreshes) {
    run(10, "com.example.alpha", "Alpha", menusOf("Alpha"));
    auto& m = make({});
    m.deactivate();
    run(11, "com.example.aaa", "Aaa", menusOf("Aaa"), true);
    sim.workspace().removeRunningApp(10);
    sim.advance(3);
    EXPECT_EQ(m.appID(), "com.example.alpha");
    m.activate();
    EXPECT_EQ(m.appID(), "com.example.aaa");
}

}  // namespace
}  // namespace velorin
