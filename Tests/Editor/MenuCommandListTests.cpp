#include <gtest/gtest.h>

#include "Velorin/Editor/MenuCommandList.h"
#include "Velorin/Editor/MenuPickerGuidance.h"

namespace velorin {
namespace {

RunningApplication app(std::int32_t pid, std::optional<std::string> id, std::optional<std::string> name,
                       ActivationPolicy policy = ActivationPolicy::regular) {
    RunningApplication a;
    a.processIdentifier = pid;
    a.bundleIdentifier = std::move(id);
    a.localizedName = std::move(name);
    a.activationPolicy = policy;
    return a;
}

std::vector<std::int32_t> pids(const std::vector<RunningApplication>& apps) {
    std::vector<std::int32_t> out;
    for (const auto& a : apps) out.push_back(a.processIdentifier);
    return out;
}

ScannedCommand command(std::vector<std::string> path, std::optional<KeyCombo> key = std::nullopt) {
    return ScannedCommand{std::move(path), key, true};
}

TEST(MenuCommandListTest, runningApps_keepRegularAppsWithIdentifiers_sortedByCodePoints_stably) {
    const std::vector<RunningApplication> all{
        app(1, "org.zed", "zed"),
        app(2, "com.b", "Beta"),
        app(3, std::nullopt, "Anonymous"),
        app(4, "com.agent", "Agent", ActivationPolicy::accessory),
        app(5, "com.daemon", "Daemon", ActivationPolicy::prohibited),
        app(6, "com.noname", std::nullopt),
        app(7, "com.b2", "Beta"),
        app(8, "com.quillmere.velorin", "Velorin"),
        app(9, "com.upper", "Zeta"),
        app(10, "com.accent", "\u00C9clair"),
    };
    // Upper case before lower case, "É" after every ASCII letter, a missing name
    // first, equal names in the workspace's order, this app itself kept.
    EXPECT_EQ(pids(MenuCommandList::runningApps(all, {})), (std::vector<std::int32_t>{6, 2, 7, 8, 9, 1, 10}));
}

TEST(MenuCommandListTest, runningApps_limitedToAllowedApps_whateverTheirOrder) {
    const std::vector<RunningApplication> all{app(1, "com.a", "Alpha"), app(2, "com.b", "Beta"),
                                              app(3, "com.c", "Gamma")};
    EXPECT_EQ(pids(MenuCommandList::runningApps(all, {"com.c", "com.a", "com.missing"})),
              (std::vector<std::int32_t>{1, 3}));
    EXPECT_TRUE(MenuCommandList::runningApps(all, {"com.missing"}).empty());
}

TEST(MenuCommandListTest, trimmedQuery_trimsSpacesAndTabsOnly) {
    const struct {
        std::string query;
        std::string trimmed;
    } cases[] = {
        {"", ""},
        {"   ", ""},
        {"\t save \t", "save"},
        {"  open recent ", "open recent"},
        {"\nsave\n", "\nsave\n"},
    };
    for (const auto& c : cases) EXPECT_EQ(MenuCommandList::trimmedQuery(c.query), c.trimmed) << c.query;
}

TEST(MenuCommandListTest, shown_matchesTheJoinedPathIgnoringCase) {
    const std::vector<ScannedCommand> commands{
        command({"File", "New Window"}),
        command({"File", "Open Recent", "Clear Menu"}),
        command({"Edit", "Copy"}),
        command({"View", "Enter Full Screen"}),
        command({"\u00C9dition", "Coller"}),
    };
    const struct {
        std::string query;
        std::vector<std::size_t> expected;  // indices into commands
    } cases[] = {
        {"", {0, 1, 2, 3, 4}},
        {"   ", {0, 1, 2, 3, 4}},
        {"copy", {2}},
        {"  COPY\t", {2}},
        {"file", {0, 1}},
        {"recent clear", {1}},  // across titles, joined by one space
        {"file open", {1}},
        {"window", {0}},
        {"\u00E9dition", {4}},  // beyond ASCII
        {"nothing like it", {}},
    };
    for (const auto& c : cases) {
        std::vector<ScannedCommand> expected;
        for (auto i : c.expected) expected.push_back(commands[i]);
        EXPECT_EQ(MenuCommandList::shown(commands, c.query), expected) << c.query;
    }
}

TEST(MenuCommandListTest, groups_followFirstSeenOrder_andKeepRepeatedCommands) {
    const std::vector<ScannedCommand> shown{
        command({"Edit", "Copy"}),
        command({"File", "Save"}),
        command({"Edit", "Paste"}),
        command({}),
        command({"Edit", "Paste"}),  // the same path twice: both rows stay
    };
    const auto groups = MenuCommandList::groups(shown);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0], (CommandGroup{"Edit", {shown[0], shown[2], shown[4]}}));
    EXPECT_EQ(groups[1], (CommandGroup{"File", {shown[1]}}));
    EXPECT_EQ(groups[2], (CommandGroup{"", {shown[3]}}));
}

TEST(MenuCommandListTest, rowText_isThePathBelowTheTopMenu) {
    EXPECT_EQ(MenuCommandList::rowText(command({"File", "Open Recent", "Clear Menu"})),
              "Open Recent \u25B8 Clear Menu");
    EXPECT_EQ(MenuCommandList::rowText(command({"Edit", "Copy"})), "Copy");
    EXPECT_EQ(MenuCommandList::rowText(command({"Edit"})), "");
    EXPECT_EQ(MenuCommandList::rowText(command({})), "");
}

TEST(MenuCommandListTest, chooserText_nameElseIdentifierElseNothing) {
    EXPECT_EQ(MenuCommandList::chooserText(app(1, "com.a", "Alpha")), "Alpha");
    EXPECT_EQ(MenuCommandList::chooserText(app(1, "com.a", std::nullopt)), "com.a");
    EXPECT_EQ(MenuCommandList::chooserText(app(1, std::nullopt, std::nullopt)), "");
}

TEST(MenuPickerGuidanceTest, body_permissionFirst_thenCommandsOrWhyNot) {
    const struct {
        bool trusted, running, commands, installed;
        MenuPickerBody body;
    } cases[] = {
        {false, true, true, true, MenuPickerBody::permission},
        {false, false, false, false, MenuPickerBody::permission},
        {true, true, true, true, MenuPickerBody::commands},
        {true, true, false, true, MenuPickerBody::unread},
        {true, false, false, true, MenuPickerBody::notRunning},
        {true, false, false, false, MenuPickerBody::notInstalled},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MenuPickerGuidance::body(c.trusted, c.running, c.commands, c.installed), c.body)
            << c.trusted << c.running << c.commands << c.installed;
    }
}

TEST(MenuPickerGuidanceTest, screens_readAsWritten) {
    const auto permission = MenuPickerGuidance::screen(MenuPickerBody::permission, "", false);
    EXPECT_EQ(permission.symbol, "lock.shield");
    EXPECT_EQ(permission.title, "Allow Velorin to read menus");
    EXPECT_EQ(permission.steps,
              (std::vector<std::string>{
                  "Click Open System Settings below.",
                  "In Privacy & Security \u203A Accessibility, turn Velorin on. If it's not in the list, click +, "
                  "choose Velorin in Applications and turn it on.",
                  "Come back here. The menus appear by themselves."}));
    EXPECT_TRUE(permission.numbersSteps());
    EXPECT_EQ(permission.button,
              (GuidanceButton{"Open System Settings", true, GuidanceAction::openSystemSettings}));

    const auto unread = MenuPickerGuidance::screen(MenuPickerBody::unread, "Safari", false);
    EXPECT_EQ(unread.symbol, "menubar.rectangle");
    EXPECT_EQ(unread.title, "Couldn't read Safari's menus yet");
    EXPECT_EQ(unread.steps,
              (std::vector<std::string>{"Some apps build their menus a moment after they open. Click Try Again.",
                                        "If it stays empty, click the app once so its menu bar shows, then try again."}));
    EXPECT_FALSE(unread.numbersSteps());
    EXPECT_EQ(unread.button, (GuidanceButton{"Try Again", true, GuidanceAction::tryAgain}));

    const auto notRunning = MenuPickerGuidance::screen(MenuPickerBody::notRunning, "Notes", true);
    EXPECT_EQ(notRunning.symbol, "macwindow");
    EXPECT_EQ(notRunning.title, "Open Notes to see its menus");
    EXPECT_EQ(notRunning.steps,
              (std::vector<std::string>{"Velorin reads the commands from an app's menu bar while it's running.",
                                        "Open Notes. Its menus appear here as soon as it's running; you don't need "
                                        "to come back and reopen this."}));
    EXPECT_EQ(notRunning.button, (GuidanceButton{"Open Notes", true, GuidanceAction::openApp}));
    EXPECT_EQ(MenuPickerGuidance::screen(MenuPickerBody::notRunning, "the app", false).button, std::nullopt);

    const auto notInstalled = MenuPickerGuidance::screen(MenuPickerBody::notInstalled, "the app", false);
    EXPECT_EQ(notInstalled.symbol, "arrow.down.app");
    EXPECT_EQ(notInstalled.title, "the app isn't on this Mac");
    EXPECT_EQ(notInstalled.steps,
              (std::vector<std::string>{
                  "Velorin reads commands from an app's menus, so the app needs to be installed and open.",
                  "Install the app, open it, and its menus appear here."}));
    EXPECT_EQ(notInstalled.button, std::nullopt);
}

TEST(MenuPickerGuidanceTest, title_namesTheChosenApp) {
    EXPECT_EQ(MenuPickerGuidance::title(""), "Menu commands");
    EXPECT_EQ(MenuPickerGuidance::title("Safari"), "Safari's menus");
}

}  // namespace
}  // namespace velorin
