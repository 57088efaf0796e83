#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "Platform/Sim/SimPlatform.h"
#include "QtTestApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Packs/PackTabs.h"
#include "Velorin/Packs/SearchField.h"

namespace velorin {
namespace {

class PackViewsTest : public ::testing::Test {
protected:
    PackViewsTest() {
        testing::qtApp();
        Motion::setInstant(true);
    }
    ~PackViewsTest() override { Motion::setInstant(false); }
    sim::SimPlatform sim;
};

std::vector<PackTab> someTabs(std::optional<int> mine = std::nullopt) {
    return {{"all", "All", std::nullopt}, {"on", "On", 2}, {"mine", "Mine", mine}, {"ai", "AI", std::nullopt}};
}

TEST_F(PackViewsTest, tabStrip_showsTheGivenSelectionAndAsksForOthers) {
    PackTabStrip strip;
    strip.setTabs(someTabs(), "all");
    strip.show();
    ASSERT_EQ(strip.buttons().size(), 4u);
    EXPECT_TRUE(strip.button("all")->isSelected());
    EXPECT_EQ(strip.pillRect(), QRectF(strip.button("all")->geometry()));
    QSignalSpy asked(&strip, &PackTabStrip::selectionRequested);
    strip.button("all")->click();
    EXPECT_EQ(asked.count(), 0) << "pressing the selected tab does nothing";
    strip.button("ai")->click();
    ASSERT_EQ(asked.count(), 1);
    EXPECT_EQ(asked[0][0].value<std::string>(), "ai");
    EXPECT_TRUE(strip.button("all")->isSelected()) << "the owner decides";

    PackTabButton* on = strip.button("on");
    strip.setTabs(someTabs(1), "ai");
    EXPECT_EQ(strip.button("on"), on) << "buttons are kept by tab id";
    EXPECT_EQ(strip.button("mine")->tab().count, 1);
    EXPECT_TRUE(strip.button("ai")->isSelected());
    EXPECT_EQ(strip.pillRect(), QRectF(strip.button("ai")->geometry())) << "the pill is under the new tab";
    EXPECT_EQ(strip.splashes(), 1);
    // A badge widens its tab.
    EXPECT_GT(strip.button("mine")->sizeHint().width(), PackTabButton({"mine", "Mine", std::nullopt}).sizeHint().width());
}

TEST_F(PackViewsTest, searchField_splashesOnlyWhenTheTextGrows) {
    SearchField field;
    field.resize(400, 34);
    field.show();
    EXPECT_TRUE(field.clearButton()->isHidden());
    EXPECT_EQ(field.lineEdit()->placeholderText(), "Search packs or apps");
    QTest::keyClicks(field.lineEdit(), "ab");
    EXPECT_EQ(field.typed(), 2);
    EXPECT_FALSE(field.clearButton()->isHidden());
    QTest::keyClick(field.lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(field.typed(), 2);
    field.lineEdit()->selectAll();
    QTest::keyClicks(field.lineEdit(), "x");  // same length: replaced
    EXPECT_EQ(field.text(), "x");
    EXPECT_EQ(field.typed(), 2);
    field.clearButton()->click();
    EXPECT_EQ(field.text(), "");
    EXPECT_TRUE(field.clearButton()->isHidden());
    EXPECT_DOUBLE_EQ(field.washNow(), 0);
    field.setText("a");
    EXPECT_DOUBLE_EQ(field.washNow(), SearchField::washOpacity) << "instant motion: the wash is there at once";
}

TEST(SearchFieldPhase, travelsOneWidthEveryFourSeconds) {
    EXPECT_DOUBLE_EQ(SearchField::phase(0), 0);
    EXPECT_DOUBLE_EQ(SearchField::phase(1), 0.25);
    EXPECT_DOUBLE_EQ(SearchField::phase(5), 0.25);
}

}  // namespace
}  // namespace velorin
