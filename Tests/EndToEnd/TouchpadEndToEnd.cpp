// Touches on the fed touchpads, through the real program: the pad's events, the
// recogniser, the binding and the desktop's opener.

#include <gtest/gtest.h>

#include "AppSession.h"
#include "Touches.h"

namespace velorin::e2e {
namespace {

constexpr const char* boundAddress = "https://example.org/velorin-e2e";

// A two-finger tap opens the address.
AppSession::Options tapOpensAnAddress() {
    AppSession::Options options;
    options.config = nlohmann::json::parse(R"({
        "version": 5, "isEnabled": true, "enabledPacks": [],
        "bindings": [{"id": "5f0c6b1e-8d2a-4c3b-9e7f-1a2b3c4d5e6f",
                      "gesture": {"tap": {"fingers": 2, "count": 1}},
                      "action": {"open": {"url": "https://example.org/velorin-e2e"}}}]})");
    return options;
}

void waitUntilListening(AppSession& app) {
    app.click("tab.general");
    ASSERT_TRUE(app.waitUntil([&] { return app.property("general.trackpadStatus", "text") == "Listening"; }))
        << app.property("general.trackpadStatus", "text").value_or("(none)");
}

TEST(TouchpadEndToEnd, ATapOnTheTouchpadRunsItsBinding) {
    AppSession app(tapOpensAnAddress());
    app.recordProgram("xdg-open");
    waitUntilListening(app);

    app.pad().play(twoFingerTap());
    EXPECT_TRUE(app.waitUntil([&] { return !app.recordedCalls("xdg-open").empty(); })) << app.appLog();
    EXPECT_EQ(app.recordedCalls("xdg-open"), std::vector<std::string>{boundAddress});
}

// A pad connected while the app runs is read at once, and the first one still is,
// also after the new one went again.
TEST(TouchpadEndToEnd, APadConnectedLaterIsReadWithoutARestart) {
    AppSession app(tapOpensAnAddress());
    app.recordProgram("xdg-open");
    waitUntilListening(app);

    Touchpad& later = app.plugPad("bluetooth");
    const auto calls = [&] { return app.recordedCalls("xdg-open").size(); };
    // The app finds the pad by itself; until it does, a tap on it reaches nobody.
    EXPECT_TRUE(app.waitUntil([&] {
        later.play(twoFingerTap());
        return app.waitUntil([&] { return calls() >= 1; }, Seconds(1));
    })) << app.appLog();

    later.unplug();
    // Taps sent before the app found the pad may still come through: wait until none do.
    std::size_t before = calls();
    app.waitUntil([&] {
        const std::size_t now = calls();
        if (now != before) {
            before = now;
            return false;
        }
        return !app.waitUntil([&] { return calls() != now; }, Seconds(1));
    });
    app.pad().play(twoFingerTap());
    EXPECT_TRUE(app.waitUntil([&] { return calls() == before + 1; })) << app.appLog();
}

}  // namespace
}  // namespace velorin::e2e
