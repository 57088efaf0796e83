#include "Platform/Sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <vector>

namespace velorin {
namespace {

using sim::menuBar;
using sim::menuBarItem;
using sim::MenuKey;
using sim::menuItem;

class SimAccessibilityTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    Accessibility& ax = sim.platform().accessibility();
    sim::SimAccessibility& simAX = sim.accessibility();

    std::vector<AXElement> children(AXElement e) {
        auto v = ax.copyAttributeValue(e, "AXChildren");
        auto list = std::get_if<std::vector<AXElement>>(&v);
        return list ? *list : std::vector<AXElement>{};
    }
    std::string title(AXElement e) {
        auto v = ax.copyAttributeValue(e, "AXTitle");
        auto text = std::get_if<std::string>(&v);
        return text ? *text : std::string();
    }
};

TEST_F(SimAccessibilityTest, trust_withAndWithoutPrompt) {
    EXPECT_TRUE(ax.isProcessTrusted());
    EXPECT_TRUE(ax.isProcessTrustedWithPrompt());
    EXPECT_EQ(simAX.promptsShown(), 0);
    simAX.setTrusted(false);
    EXPECT_FALSE(ax.isProcessTrusted());
    EXPECT_EQ(simAX.promptsShown(), 0);
    EXPECT_FALSE(ax.isProcessTrustedWithPrompt());
    EXPECT_EQ(simAX.promptsShown(), 1);
}

TEST_F(SimAccessibilityTest, scriptedTrustAnswers_comeFirst_thenTheSwitch) {
    AXElement window = simAX.addElement({{"AXPosition", Point{10, 20}}});
    simAX.answerTrustTests({false, true, false});
    EXPECT_FALSE(ax.isProcessTrusted());
    EXPECT_TRUE(ax.isProcessTrustedWithPrompt());
    EXPECT_FALSE(ax.isProcessTrustedWithPrompt());
    EXPECT_EQ(simAX.promptsShown(), 1);
    EXPECT_TRUE(ax.isProcessTrusted());
    // Only the answers are scripted: reads still follow the switch.
    simAX.answerTrustTests({false});
    EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), (AttributeValue{Point{10, 20}}));
}

TEST_F(SimAccessibilityTest, everyOperation_failsWithApiDisabled_whenUntrusted) {
    AXElement window = simAX.addElement({{"AXPosition", Point{10, 20}}});
    simAX.setTrusted(false);
    EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), AttributeValue{AXFailure{AXError::apiDisabled}});
    EXPECT_EQ(ax.setAttributeValue(window, "AXPosition", Point{0, 0}), AXError::apiDisabled);
    EXPECT_EQ(ax.performAction(window, "AXPress"), AXError::apiDisabled);
    EXPECT_EQ(simAX.attribute(window, "AXPosition"), (AttributeValue{Point{10, 20}}));
}

TEST_F(SimAccessibilityTest, reads_giveValueMissingOrFailure) {
    AXElement e = simAX.addElement({{"AXTitle", std::string("File")}, {"AXFocusedWindow", AXMissing{}}});
    simAX.failReading(e, "AXEnabled", AXError::cannotComplete);
    struct Case {
        const char* attribute;
        AttributeValue expected;
    };
    const Case cases[] = {
        {"AXTitle", std::string("File")},
        {"AXFocusedWindow", AXMissing{}},
        {"AXEnabled", AXFailure{AXError::cannotComplete}},
        {"AXNeverSet", AXFailure{AXError::noValue}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attribute);
        EXPECT_EQ(ax.copyAttributeValue(e, c.attribute), c.expected);
    }
    EXPECT_EQ(simAX.reads().size(), 4u);
    EXPECT_EQ(simAX.reads()[0], (sim::AttributeRead{e, "AXTitle"}));
    EXPECT_EQ(ax.copyAttributeValue(AXElement{9999}, "AXTitle"), AttributeValue{AXFailure{AXError::invalidUIElement}});
}

TEST_F(SimAccessibilityTest, applicationElement_ofAProcessWithoutApp_failsEveryRead) {
    AXElement app = simAX.addApplication(42, {{"AXFocusedWindow", AXElement{}}});
    EXPECT_EQ(ax.applicationElement(42), app);
    AXElement none = ax.applicationElement(7);
    EXPECT_EQ(ax.applicationElement(7), none);
    EXPECT_EQ(ax.copyAttributeValue(none, "AXMenuBar"), AttributeValue{AXFailure{AXError::cannotComplete}});
    EXPECT_EQ(simAX.applicationOf(7), std::nullopt);
    EXPECT_EQ(simAX.applicationOf(42), app);
}

TEST_F(SimAccessibilityTest, writes_changeTheValue_unlessTheyFail_andAreRecorded) {
    AXElement window = simAX.addElement({{"AXPosition", Point{0, 0}}, {"AXSize", Size{100, 100}}});
    auto size = ax.createValue(Size{720, 450});
    ASSERT_TRUE(size);
    EXPECT_EQ(ax.setAttributeValue(window, "AXSize", *size), AXError::success);
    simAX.failWriting(window, "AXPosition", AXError::attributeUnsupported);
    EXPECT_EQ(ax.setAttributeValue(window, "AXPosition", Point{5, 5}), AXError::attributeUnsupported);
    EXPECT_EQ(ax.setAttributeValue(window, "AXSize", AXMissing{}), AXError::illegalArgument);

    EXPECT_EQ(ax.copyAttributeValue(window, "AXSize"), (AttributeValue{Size{720, 450}}));
    EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), (AttributeValue{Point{0, 0}}));
    EXPECT_EQ(simAX.writes(),
              (std::vector<sim::AttributeWrite>{{window, "AXSize", Size{720, 450}, AXError::success},
                                                {window, "AXPosition", Point{5, 5}, AXError::attributeUnsupported},
                                                {window, "AXSize", AXMissing{}, AXError::illegalArgument}}));
}

TEST_F(SimAccessibilityTest, actions_succeedUnlessSetOtherwise_andAreRecorded) {
    AXElement item = simAX.addElement();
    EXPECT_EQ(ax.performAction(item, "AXPress"), AXError::success);
    simAX.setActionResult(item, "AXPress", AXError::actionUnsupported);
    EXPECT_EQ(ax.performAction(item, "AXPress"), AXError::actionUnsupported);
    EXPECT_EQ(simAX.performedActions(),
              (std::vector<sim::PerformedAction>{{item, "AXPress", AXError::success},
                                                 {item, "AXPress", AXError::actionUnsupported}}));
    simAX.clearRecords();
    EXPECT_TRUE(simAX.performedActions().empty());
}

TEST_F(SimAccessibilityTest, menuBar_isShapedAsTheSystemShapesIt) {
    AXElement bar = sim::installMenuBar(
        simAX, 501,
        menuBar({menuBarItem("Apple", {menuItem("About This Mac")}),
                 menuBarItem("File", {menuItem("Close", MenuKey{"w", 0, std::nullopt}),
                                      sim::separatorItem(),
                                      sim::submenuItem("Open Recent", {menuItem("a.txt")}),
                                      menuItem("Print", {}, std::nullopt)})}));
    AXElement app = ax.applicationElement(501);
    EXPECT_EQ(ax.copyAttributeValue(app, "AXMenuBar"), AttributeValue{bar});

    auto barItems = children(bar);
    ASSERT_EQ(barItems.size(), 2u);
    EXPECT_EQ(title(barItems[1]), "File");
    auto menus = children(barItems[1]);
    ASSERT_EQ(menus.size(), 1u);
    auto items = children(menus[0]);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(title(items[0]), "Close");
    EXPECT_EQ(ax.copyAttributeValue(items[0], "AXMenuItemCmdChar"), AttributeValue{std::string("w")});
    EXPECT_EQ(ax.copyAttributeValue(items[0], "AXMenuItemCmdModifiers"), AttributeValue{0.0});
    EXPECT_EQ(ax.copyAttributeValue(items[0], "AXMenuItemCmdVirtualKey"), AttributeValue{AXFailure{AXError::noValue}});
    EXPECT_EQ(ax.copyAttributeValue(items[0], "AXEnabled"), AttributeValue{true});
    EXPECT_TRUE(children(items[0]).empty());
    EXPECT_EQ(title(items[1]), "");
    auto recent = children(items[2]);
    ASSERT_EQ(recent.size(), 1u);
    EXPECT_EQ(title(children(recent[0]).at(0)), "a.txt");
    EXPECT_EQ(ax.copyAttributeValue(items[3], "AXEnabled"), AttributeValue{AXFailure{AXError::noValue}});

    // Installing again keeps the app element and its other attributes.
    simAX.setAttribute(app, "AXFocusedWindow", AXMissing{});
    AXElement bar2 = sim::installMenuBar(simAX, 501, menuBar({}));
    EXPECT_EQ(ax.applicationElement(501), app);
    EXPECT_EQ(ax.copyAttributeValue(app, "AXMenuBar"), AttributeValue{bar2});
    EXPECT_EQ(ax.copyAttributeValue(app, "AXFocusedWindow"), AttributeValue{AXMissing{}});
}

}  // namespace
}  // namespace velorin
