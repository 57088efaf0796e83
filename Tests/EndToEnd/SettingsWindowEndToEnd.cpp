// The settings window of the real program, with real pointer and keyboard input.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "AppSession.h"

namespace velorin::e2e {
namespace {

std::string readWhole(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Without a tray the window opens at start; a tab, a toggle and a slider then change
// what the app keeps: the autostart entry and the window's own preference.
TEST(SettingsWindowEndToEnd, GeneralTabChangesReachTheDesktopAndThePreferences) {
    AppSession app;

    app.click("tab.general");
    app.waitFor("generalTab");

    const auto entry = app.autostartFolder() / "velorin.desktop";
    ASSERT_FALSE(std::filesystem::exists(entry));
    app.click("general.launchAtLogin/liquidToggleSwitch");
    ASSERT_TRUE(app.waitUntil([&] { return std::filesystem::exists(entry); })) << app.appLog();
    EXPECT_NE(readWhole(entry).find(VELORIN_E2E_APP), std::string::npos) << readWhole(entry);
    EXPECT_TRUE(app.waitUntil([&] { return app.property("general.launchAtLogin", "on") == "true"; }));

    // Off again: the entry goes.
    app.click("general.launchAtLogin/liquidToggleSwitch");
    EXPECT_TRUE(app.waitUntil([&] { return !std::filesystem::exists(entry); }));

    ASSERT_FALSE(app.defaultsValue("windowSeeThrough"));
    app.drag("general.seeThrough", 0.02, 0.75);
    // The drag writes as it goes; the app may still be catching up with the pointer.
    std::optional<std::string> stored, shown;
    EXPECT_TRUE(app.waitUntil([&] {
        stored = app.defaultsValue("windowSeeThrough");
        shown = app.property("general.seeThrough", "value");
        return stored && shown && std::stod(*stored) == std::stod(*shown) && std::stod(*stored) > 0.3;
    })) << "stored " << stored.value_or("(none)") << ", shown " << shown.value_or("(none)");
}

// Closed, the window only hides; launching the program again brings it back, and
// the one instance keeps running.
TEST(SettingsWindowEndToEnd, ASecondLaunchShowsTheClosedWindow) {
    AppSession app;
    app.click("tab.general");  // focuses the window
    app.key("alt+F4");         // the window manager closes it
    ASSERT_TRUE(app.waitUntilGone("settingsView")) << app.appLog();
    ASSERT_TRUE(app.appRunning());

    EXPECT_EQ(app.launchAgain(), 0);
    app.waitFor("settingsView");
    EXPECT_TRUE(app.appRunning());
}

// With a tray the app shows its icon; without input access (no uinput here) it also
// opens the window on General to ask for it. Closed, the menu opens the window again,
// Ctrl+1…6 pick the tabs, and the menu's Quit ends the program.
TEST(SettingsWindowEndToEnd, TheTrayMenuOpensTheWindowKeysPickTabsAndQuitEnds) {
    AppSession::Options options;
    options.tray = true;
    AppSession app(options);
    app.waitFor("generalTab");
    app.click("tab.general");  // focuses the window
    app.key("alt+F4");
    ASSERT_TRUE(app.waitUntilGone("settingsView"));

    app.click(AppSession::trayIcon);
    app.chooseItem("menuBarMenu", "Settings\u2026");
    app.waitFor("settingsView");

    const struct {
        const char* keys;
        const char* tab;
    } picks[] = {{"ctrl+5", "general"}, {"ctrl+6", "about"}, {"ctrl+3", "sensitivity"}, {"ctrl+2", "shortcuts"},
                 {"ctrl+4", "trackpad"}, {"ctrl+1", "packs"}};
    for (const auto& pick : picks) {
        app.key(pick.keys);
        const std::string button = std::string("tab.") + pick.tab;
        EXPECT_TRUE(app.waitUntil([&] { return app.property(button, "checked") == "true"; }))
            << pick.keys << " did not pick " << pick.tab;
    }
    app.key("ctrl+5");
    app.waitFor("generalTab");

    app.click(AppSession::trayIcon);
    app.chooseItem("menuBarMenu", "Quit Velorin");
    EXPECT_TRUE(app.waitUntil([&] { return !app.appRunning(); })) << app.appLog();
}

}  // namespace
}  // namespace velorin::e2e
