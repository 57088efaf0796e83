#include "Platform/Sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velorin {
namespace {

TEST(SimJournalTest, everyEffect_isOneLine_inTheOrderItHappened_andReadsAreLeftOut) {
    sim::SimPlatform sim;
    Platform& p = sim.platform();
    RunningApplication safari;
    safari.processIdentifier = 42;
    safari.bundleIdentifier = "com.apple.Safari";
    sim.workspace().addRunningApp(safari, false);
    AXElement window = sim.accessibility().addElement({{"AXSize", Size{1, 1}}});

    auto source = p.eventSystem().createEventSource(EventSourceStateID::hidSystemState);
    auto down = p.eventSystem().createKeyboardEvent(source, 8, true);
    down->flags = event_flags::control;
    down->unicodeString = std::u16string(1, char16_t{3});
    p.eventSystem().post(EventTapLocation::hid, *down);
    p.eventSystem().post(EventTapLocation::hid, *p.eventSystem().createKeyboardEvent(std::nullopt, 8, false));
    SystemDefinedEvent media;
    media.modifierFlags = 0xB00;
    media.subtype = 8;
    media.data1 = 0x100B00;
    media.data2 = -1;
    p.eventSystem().post(EventTapLocation::hid, *p.eventSystem().quartzEvent(media));
    p.workspace().openApplication("/System/Applications/Mission Control.app", OpenConfiguration{true, {"1"}});
    p.workspace().openApplication("/Applications/Linear.app", OpenConfiguration{false, {}});
    EXPECT_TRUE(p.workspace().open("https://example.com"));
    sim.failNext(sim::FailurePoint::openURL);
    EXPECT_FALSE(p.workspace().open("notion://x"));
    EXPECT_TRUE(p.workspace().hide(42));
    EXPECT_TRUE(p.workspace().activate(42));
    p.accessibility().setAttributeValue(window, "AXSize", Size{720, 450});
    sim.accessibility().failWriting(window, "AXPosition", AXError::cannotComplete);
    p.accessibility().setAttributeValue(window, "AXPosition", Point{0, 25});
    p.accessibility().performAction(window, "AXPress");
    EXPECT_TRUE(p.processes().start("/usr/bin/shortcuts", {"run", "Morning"}));
    sim.processes().setUnstartable("/usr/bin/pmset");
    EXPECT_FALSE(p.processes().start("/usr/bin/pmset", {"displaysleepnow"}));
    p.processes().runAndReadOutput("/usr/bin/shortcuts", {"list"});
    p.scripting().makeScript("beep")->execute();
    p.loginItems().registerMainApp();
    p.haptics().perform(HapticPattern::alignment, HapticPerformanceTime::now);
    p.pasteboard().clearContents();
    p.pasteboard().setString("copied");
    p.defaults().set("windowSeeThrough", 0.25);
    p.defaults().remove("windowSeeThrough");

    // Reads are not effects.
    p.workspace().frontmostApplication();
    p.workspace().urlForApplication("com.linear");
    p.accessibility().copyAttributeValue(window, "AXSize");
    p.eventSystem().buttonState(EventSourceStateID::combinedSessionState, MouseButton::left);

    EXPECT_EQ(sim.takeJournal(), (std::vector<std::string>{
                                     "post hid keyDown 8 flags 0x40000 source hidSystem text U+0003",
                                     "post hid keyUp 8 flags 0x0",
                                     "post hid systemDefined type 14 subtype 8 data1 0x100b00 data2 -1 flags 0xb00",
                                     "openApplication /System/Applications/Mission Control.app arguments 1",
                                     "openApplication /Applications/Linear.app inactive",
                                     "open https://example.com",
                                     "open refused notion://x",
                                     "hide 42",
                                     "activate 42",
                                     "AX set " + std::to_string(window.id) + " AXSize 720 x 450",
                                     "AX set " + std::to_string(window.id) + " AXPosition (0, 25) -> cannotComplete",
                                     "AX perform " + std::to_string(window.id) + " AXPress",
                                     "start /usr/bin/shortcuts run Morning",
                                     "start failed /usr/bin/pmset",
                                     "run /usr/bin/shortcuts list",
                                     "script beep",
                                     "login item register",
                                     "haptic alignment now",
                                     "pasteboard clear",
                                     "pasteboard set copied",
                                     "defaults set windowSeeThrough 0.25",
                                     "defaults remove windowSeeThrough",
                                 }));
    EXPECT_TRUE(sim.takeJournal().empty());
}

}  // namespace
}  // namespace velorin
