// The packs tab of the real program, with real pointer and keyboard input.

#include <gtest/gtest.h>

#include "AppSession.h"

namespace velorin::e2e {
namespace {

std::vector<std::string> enabledPacks(const AppSession& app) {
    const nlohmann::json config = app.readConfig();
    if (!config.is_object() || !config.contains("enabledPacks")) return {};
    return config["enabledPacks"].get<std::vector<std::string>>();
}

// On the packs tab a search finds a pack of an app that isn't
// installed, and its card's switch puts it last among the packs that are on.
TEST(PacksEndToEnd, SwitchingAPackOnFromItsCardPutsItLast) {
    AppSession app;
    app.click("tab.packs");
    app.waitFor("packsTab");
    app.click("packsTab.search");
    app.type("spotify");
    app.waitFor("pack.spotify");
    app.click("pack.spotify/packCard.switch");
    ASSERT_TRUE(app.waitUntil([&] {
        const auto packs = enabledPacks(app);
        return !packs.empty() && packs.back() == "spotify";
    })) << app.readConfig().dump() << app.appLog();
    const auto packs = enabledPacks(app);
    EXPECT_EQ(std::count(packs.begin(), packs.end(), "spotify"), 1);
    EXPECT_GE(packs.size(), 2u) << "the starter's packs stay on, ahead of it";
}

}  // namespace
}  // namespace velorin::e2e
