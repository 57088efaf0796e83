#include "Platform/Sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <vector>

namespace velorin {
namespace {

RunningApplication app(std::int32_t pid, std::optional<std::string> bundle, bool active = false) {
    RunningApplication a;
    a.processIdentifier = pid;
    a.bundleIdentifier = std::move(bundle);
    a.isActive = active;
    return a;
}

class SimWorkspaceTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    Workspace& ws = sim.platform().workspace();
    sim::SimWorkspace& simWS = sim.workspace();
};

TEST_F(SimWorkspaceTest, runningAndFrontApps) {
    EXPECT_EQ(ws.frontmostApplication(), std::nullopt);
    simWS.addRunningApp(app(10, "com.apple.Safari"));
    simWS.addRunningApp(app(11, "com.google.Chrome", true));
    simWS.addRunningApp(app(12, "com.apple.Safari"));
    EXPECT_EQ(ws.frontmostApplication()->processIdentifier, 11);
    auto safaris = ws.runningApplicationsWithBundleIdentifier("com.apple.Safari");
    ASSERT_EQ(safaris.size(), 2u);
    EXPECT_EQ(safaris[0].processIdentifier, 10);
    EXPECT_EQ(safaris[1].processIdentifier, 12);
    EXPECT_TRUE(ws.runningApplicationsWithBundleIdentifier("com.apple.safari").empty());

    simWS.setFrontApp(10);
    auto running = ws.runningApplications();
    EXPECT_TRUE(running[0].isActive);
    EXPECT_FALSE(running[1].isActive);
    simWS.setFrontApp(std::nullopt);
    EXPECT_EQ(ws.frontmostApplication(), std::nullopt);
}

TEST_F(SimWorkspaceTest, hideAndActivate_changeTheAppsAndAreRecorded) {
    simWS.addRunningApp(app(10, "com.apple.Safari", true));
    simWS.addRunningApp(app(11, "com.google.Chrome"));
    EXPECT_TRUE(ws.hide(10));
    EXPECT_TRUE(ws.runningApplications()[0].isHidden);
    EXPECT_EQ(ws.frontmostApplication(), std::nullopt);
    EXPECT_TRUE(ws.activate(10));
    EXPECT_FALSE(ws.runningApplications()[0].isHidden);
    EXPECT_EQ(ws.frontmostApplication()->processIdentifier, 10);
    EXPECT_FALSE(ws.hide(99));
    EXPECT_FALSE(ws.activate(99));
    EXPECT_EQ(simWS.hiddenApps(), (std::vector<std::int32_t>{10}));
    EXPECT_EQ(simWS.activatedApps(), (std::vector<std::int32_t>{10}));
}

TEST_F(SimWorkspaceTest, notices_arriveOnTheNextRunOfTheMainQueue_toTheirObserversOnly) {
    std::vector<std::string> heard;
    auto describe = [](const std::optional<RunningApplication>& a) {
        return a ? a->bundleIdentifier.value_or("(no id)") : std::string("(none)");
    };
    ws.addObserver(WorkspaceNotice::didActivateApplication,
                   [&](const auto& a) { heard.push_back("activate " + describe(a)); });
    ws.addObserver(WorkspaceNotice::didLaunchApplication, [&](const auto& a) { heard.push_back("launch " + describe(a)); });
    ObserverToken terminate = ws.addObserver(WorkspaceNotice::didTerminateApplication,
                                             [&](const auto& a) { heard.push_back("terminate " + describe(a)); });

    simWS.addRunningApp(app(10, "com.apple.Safari"));
    simWS.addRunningApp(app(11, std::nullopt));
    simWS.setFrontApp(11);
    simWS.sendNotice(WorkspaceNotice::didActivateApplication, std::nullopt);
    simWS.addRunningApp(app(12, "x"), /*notify=*/false);
    EXPECT_TRUE(heard.empty());
    sim.runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string>{"launch com.apple.Safari", "launch (no id)", "activate (no id)",
                                               "activate (none)"}));

    heard.clear();
    simWS.removeRunningApp(10);
    ws.removeObserver(terminate);
    ws.removeObserver(terminate);
    sim.runUntilIdle();
    EXPECT_TRUE(heard.empty());
    EXPECT_EQ(simWS.observerCount(), 2u);
}

TEST_F(SimWorkspaceTest, observerRemovedByAnEarlierObserver_hearsNothing) {
    int second = 0;
    ObserverToken secondToken = 0;
    ws.addObserver(WorkspaceNotice::didActivateApplication, [&](const auto&) { ws.removeObserver(secondToken); });
    secondToken = ws.addObserver(WorkspaceNotice::didActivateApplication, [&](const auto&) { ++second; });
    simWS.sendNotice(WorkspaceNotice::didActivateApplication, std::nullopt);
    sim.runUntilIdle();
    EXPECT_EQ(second, 0);
}

TEST_F(SimWorkspaceTest, locations_openings_andIcons) {
    simWS.installApp("com.linear", "/Applications/Linear.app");
    EXPECT_EQ(ws.urlForApplication("com.linear"), std::optional<std::string>("/Applications/Linear.app"));
    EXPECT_EQ(ws.urlForApplication("com.nothing"), std::nullopt);
    EXPECT_EQ(simWS.locationQueries(), (std::vector<std::string>{"com.linear", "com.nothing"}));

    ws.openApplication("/Applications/Linear.app", OpenConfiguration{});
    ws.openApplication("/System/Applications/Mission Control.app", OpenConfiguration{true, {"1"}});
    EXPECT_EQ(simWS.openedApplications(),
              (std::vector<sim::OpenedApplication>{{"/Applications/Linear.app", {true, {}}},
                                                   {"/System/Applications/Mission Control.app", {true, {"1"}}}}));

    simWS.refuseURL("notion://nowhere");
    EXPECT_TRUE(ws.open("https://example.com"));
    EXPECT_FALSE(ws.open("notion://nowhere"));
    EXPECT_EQ(simWS.openedURLs(), (std::vector<std::string>{"https://example.com"}));

    simWS.setIcon("/Applications/Linear.app", Icon{"/icons/linear.png", {}});
    EXPECT_EQ(ws.iconForFile("/Applications/Linear.app"), (Icon{"/icons/linear.png", {}}));
    EXPECT_EQ(ws.iconForFile("/Applications/Other.app"), std::nullopt);
    EXPECT_EQ(simWS.iconQueries().size(), 2u);

    simWS.uninstallApp("com.linear");
    EXPECT_EQ(ws.urlForApplication("com.linear"), std::nullopt);
}

}  // namespace
}  // namespace velorin
