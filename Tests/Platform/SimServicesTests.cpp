#include "Platform/Sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <vector>

namespace velorin {
namespace {

class SimServicesTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    Platform& p = sim.platform();
};

TEST_F(SimServicesTest, processes_recordStartsAndRuns_andGiveScriptedOutput) {
    sim.processes().setOutput("/usr/bin/shortcuts", {"list"}, "Morning\nEvening\n");
    sim.processes().setUnstartable("/usr/bin/pmset");
    EXPECT_TRUE(p.processes().start("/usr/bin/shortcuts", {"run", " "}));
    EXPECT_FALSE(p.processes().start("/usr/bin/pmset", {"displaysleepnow"}));
    EXPECT_EQ(p.processes().runAndReadOutput("/usr/bin/shortcuts", {"list"}),
              std::optional<std::string>("Morning\nEvening\n"));
    EXPECT_EQ(p.processes().runAndReadOutput("/usr/bin/shortcuts", {"list", "--folder"}), std::optional<std::string>(""));
    EXPECT_EQ(p.processes().runAndReadOutput("/usr/bin/pmset", {}), std::nullopt);
    EXPECT_EQ(sim.processes().started(), (std::vector<sim::ProcessLaunch>{{"/usr/bin/shortcuts", {"run", " "}}}));
    EXPECT_EQ(sim.processes().runs(), (std::vector<sim::ProcessLaunch>{{"/usr/bin/shortcuts", {"list"}},
                                                                       {"/usr/bin/shortcuts", {"list", "--folder"}}}));
}

TEST_F(SimServicesTest, scripting_makesAndRunsAsTold) {
    const std::string toggle = "tell application \"System Events\" to beep";
    auto ok = p.scripting().makeScript(toggle);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->execute(), std::nullopt);
    sim.scripting().setBehaviour(toggle, {true, std::string("Not authorised to send Apple events")});
    EXPECT_EQ(p.scripting().makeScript(toggle)->execute(), std::optional<std::string>("Not authorised to send Apple events"));
    sim.scripting().setBehaviour("broken", {false, std::nullopt});
    EXPECT_EQ(p.scripting().makeScript("broken"), nullptr);
    EXPECT_EQ(sim.scripting().madeScripts(), (std::vector<std::string>{toggle, toggle}));
    EXPECT_EQ(sim.scripting().executedScripts(), (std::vector<std::string>{toggle, toggle}));
}

TEST_F(SimServicesTest, loginItems_registerAndUnregister_orThrowWithTheDescription) {
    EXPECT_EQ(p.loginItems().status(), LoginItemStatus::notRegistered);
    p.loginItems().registerMainApp();
    EXPECT_EQ(p.loginItems().status(), LoginItemStatus::enabled);
    sim.loginItems().failNext("Operation not permitted");
    try {
        p.loginItems().unregisterMainApp();
        ADD_FAILURE() << "no error";
    } catch (const LoginItemError& e) {
        EXPECT_EQ(e.description(), "Operation not permitted");
    }
    EXPECT_EQ(p.loginItems().status(), LoginItemStatus::enabled);
    p.loginItems().unregisterMainApp();
    EXPECT_EQ(p.loginItems().status(), LoginItemStatus::notRegistered);
    EXPECT_EQ(sim.loginItems().calls(),
              (std::vector<sim::LoginItemCall>{sim::LoginItemCall::registerMainApp, sim::LoginItemCall::unregisterMainApp,
                                               sim::LoginItemCall::unregisterMainApp}));
}

TEST_F(SimServicesTest, bundle_identityInformationAndResources) {
    EXPECT_EQ(p.bundle().bundleIdentifier(), std::optional<std::string>("com.quillmere.velorin"));
    EXPECT_EQ(p.bundle().objectForInfoDictionaryKey("SUFeedURL"), std::nullopt);
    sim.bundle().setInfo("SUFeedURL", std::string(""));
    EXPECT_EQ(p.bundle().objectForInfoDictionaryKey("SUFeedURL"), std::optional<PropertyValue>(std::string("")));
    sim.bundle().setBundleIdentifier(std::nullopt);
    EXPECT_EQ(p.bundle().bundleIdentifier(), std::nullopt);
    sim.bundle().addResource("linear", "png", "PackIcons", "/res/PackIcons/linear.png");
    EXPECT_EQ(p.bundle().pathForResource("linear", "png", "PackIcons"), std::optional<std::string>("/res/PackIcons/linear.png"));
    EXPECT_EQ(p.bundle().pathForResource("linear", "png", ""), std::nullopt);
    sim.bundle().addBundleOnDisk("/Applications/Zed.app", "dev.zed.Zed");
    EXPECT_EQ(p.bundle().bundleIdentifierAtPath("/Applications/Zed.app"), std::optional<std::string>("dev.zed.Zed"));
    EXPECT_EQ(p.bundle().bundleIdentifierAtPath("/Applications/Notes.txt"), std::nullopt);
}

TEST_F(SimServicesTest, fileManager_foldersAndNames) {
    EXPECT_EQ(p.fileManager().homeDirectory(), "/Users/tester");
    EXPECT_EQ(p.fileManager().contentsOfDirectory("/Applications"), std::nullopt);
    sim.fileManager().setContents("/Applications", std::vector<std::string>{"Zed.app", "Notes.txt"});
    EXPECT_EQ(p.fileManager().contentsOfDirectory("/Applications"), (std::vector<std::string>{"Zed.app", "Notes.txt"}));
    struct Case {
        const char* path;
        const char* name;
    };
    const Case cases[] = {
        {"/Applications/Zed.app", "Zed.app"}, {"/Applications/Zed.app/", "Zed.app"}, {"Zed.app", "Zed.app"}, {"/", "/"}};
    for (const auto& c : cases) EXPECT_EQ(p.fileManager().displayName(c.path), c.name) << c.path;
    sim.fileManager().setDisplayName("/Applications/Zed.app", "Zed Preview");
    EXPECT_EQ(p.fileManager().displayName("/Applications/Zed.app"), "Zed Preview");
}

TEST_F(SimServicesTest, screens_haptics_displaySettings_pasteboard) {
    EXPECT_EQ(p.screens().screens(), (std::vector<Screen>{sim::SimScreens::defaultScreen}));
    EXPECT_EQ(p.screens().mainScreen(), sim::SimScreens::defaultScreen);
    sim.screens().setScreens({});
    EXPECT_EQ(p.screens().mainScreen(), std::nullopt);
    sim.screens().setMouseLocation({3, 4});
    EXPECT_EQ(p.screens().mouseLocation(), (Point{3, 4}));

    p.haptics().perform(HapticPattern::alignment, HapticPerformanceTime::now);
    EXPECT_EQ(sim.haptics().performed(),
              (std::vector<sim::HapticFeedback>{{HapticPattern::alignment, HapticPerformanceTime::now}}));

    int told = 0;
    p.displaySettings().addObserver([&] { ++told; });
    sim.displaySettings().setDarkAppearance(true);
    sim.displaySettings().setDarkAppearance(true);
    sim.displaySettings().setAccentColor(0xFF9500);
    EXPECT_TRUE(p.displaySettings().darkAppearance());
    EXPECT_EQ(p.displaySettings().accentColor(), 0xFF9500u);
    EXPECT_EQ(told, 2);

    p.pasteboard().clearContents();
    EXPECT_TRUE(p.pasteboard().setString("tccutil reset Accessibility com.quillmere.velorin"));
    EXPECT_EQ(p.pasteboard().string(), std::optional<std::string>("tccutil reset Accessibility com.quillmere.velorin"));
    EXPECT_EQ(sim.pasteboard().changeCount(), 2);
    sim.pasteboard().setRefusesText(true);
    EXPECT_FALSE(p.pasteboard().setString("x"));
}

}  // namespace
}  // namespace velorin
