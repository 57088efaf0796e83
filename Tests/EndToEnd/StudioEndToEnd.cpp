// The gesture studio of the real program: real pointer and keyboard input, a
// gesture fed through the test touchpad library, and the configuration file.

#include <gtest/gtest.h>

#include "AppSession.h"
#include "Touches.h"

namespace velorin::e2e {
namespace {

// The user's own shortcuts as the file holds them; empty when there are none (yet).
nlohmann::json bindings(const AppSession& app) {
    const nlohmann::json config = app.readConfig();
    if (!config.is_object() || !config.contains("bindings")) return nlohmann::json::array();
    return config["bindings"];
}

// From "Add Shortcut": the studio catches a two-finger tap from the touchpad,
// the action popover records Ctrl+T as the keys to press, and Save writes the
// shortcut for every app into the configuration file.
TEST(StudioEndToEnd, AGestureFromThePadAndRecordedKeysAreSavedAsAShortcut) {
    AppSession::Options options;
    options.config = nlohmann::json::parse(R"({"version": 5, "isEnabled": true, "enabledPacks": [], "bindings": []})");
    AppSession app(options);
    app.click("tab.shortcuts");
    app.waitFor("shortcutsTab");
    app.click("shortcuts.add");
    app.waitFor("studio.listening");

    app.pad().play(twoFingerTap());
    app.waitFor("studio.line");
    EXPECT_EQ(app.property("studio.capsule", "visible"), "true");

    app.click("studio.actionChip");
    const Rect pills = app.waitForSteady("studio.actionPopover/composer.pills");
    // The kind pills stand in two rows of four; Keys is the second of the first row.
    app.clickAt(pills.x + pills.width * 3 / 8, pills.y + pills.height / 4);
    app.click("studio.actionPopover/composer.recordKeys");
    app.key("ctrl+t");
    ASSERT_TRUE(app.waitUntilGone("studio.actionPopover")) << app.appLog();
    ASSERT_TRUE(app.waitUntil([&] {
        const auto text = app.property("studio.actionChip", "text");
        return text && text->find("T") != std::string::npos && text->find("Press") != std::string::npos;
    })) << app.property("studio.actionChip", "text").value_or("(none)");

    app.click("studio.save");
    ASSERT_TRUE(app.waitUntil([&] { return bindings(app).size() == 1; })) << app.readConfig().dump() << app.appLog();
    const nlohmann::json saved = bindings(app)[0];
    EXPECT_EQ(saved["gesture"], nlohmann::json::parse(R"({"tap": {"fingers": 2, "count": 1}})")) << saved.dump();
    EXPECT_EQ(saved["action"]["keystroke"]["_0"]["keyCode"], 17) << saved.dump();
    EXPECT_EQ(saved["action"]["keystroke"]["_0"]["modifiers"], 1) << saved.dump();
    EXPECT_TRUE(saved["apps"].empty()) << saved.dump();
    // The studio closes by itself and the list shows the new shortcut.
    EXPECT_TRUE(app.waitUntilGone("gestureStudio"));
    app.waitFor("shortcutsTab/bindingRow");
}

}  // namespace
}  // namespace velorin::e2e
