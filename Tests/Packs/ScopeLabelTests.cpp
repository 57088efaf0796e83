#include <gtest/gtest.h>

#include <QTest>

#include "FakeApps.h"
#include "Platform/Sim/SimPlatform.h"
#include "QtTestApp.h"
#include "Velorin/Design/AppBadge.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Packs/ScopeLabel.h"

namespace velorin {
namespace {

using testing::FakeApps;

class ScopeLabelTest : public ::testing::Test {
protected:
    ScopeLabelTest() {
        testing::qtApp();
        apps.installed = {"com.b", "com.c"};
        apps.names = {{"com.a", "Alpha"}, {"com.b", "Beta"}, {"com.c", "Gamma"}};
    }
    std::vector<std::string> badgeApps(const ScopeLabel& l) {
        std::vector<std::string> out;
        for (auto* b : l.findChildren<AppBadge*>("scopeLabel.badge"))
            if (!b->isHidden()) out.push_back(b->bundleID());
        return out;
    }
    sim::SimPlatform sim;
    FakeApps apps;
};

TEST_F(ScopeLabelTest, everyApp_isTheEverywhereChip) {
    ScopeLabel l(std::vector<std::string>{}, 7, apps.directory(), AppLookup{});
    l.show();
    auto* chip = l.findChild<Chip*>("scopeLabel.everywhere");
    ASSERT_NE(chip, nullptr);
    EXPECT_TRUE(chip->isVisible());
    EXPECT_EQ(chip->text(), "Everywhere");
    EXPECT_EQ(chip->systemImage(), std::optional<std::string>("globe"));
    EXPECT_TRUE(badgeApps(l).empty());
    EXPECT_EQ(l.toolTip(), "Works in every app");
}

TEST_F(ScopeLabelTest, apps_showInstalledBadgesFirstAndNameEveryAppInTheTooltip) {
    ScopeLabel l(std::vector<std::string>{"com.a", "com.b", "com.c"}, 2, apps.directory(), AppLookup{});
    l.show();
    EXPECT_FALSE(l.findChild<Chip*>("scopeLabel.everywhere")->isVisible());
    EXPECT_EQ(badgeApps(l), (std::vector<std::string>{"com.b", "com.c"}));
    EXPECT_EQ(l.text(), "+1");
    EXPECT_EQ(l.toolTip(), "Works in Alpha, Beta, Gamma");
}

TEST_F(ScopeLabelTest, setApps_updatesInPlace) {
    ScopeLabel l(std::vector<std::string>{"com.a", "com.b"}, 7, apps.directory(), AppLookup{});
    l.show();
    EXPECT_EQ(l.text(), "Alpha, Beta");
    auto* first = l.findChildren<AppBadge*>("scopeLabel.badge").front();
    l.setApps({"com.a", "com.b", "com.c"});
    EXPECT_EQ(l.text(), "3 apps");
    EXPECT_EQ(badgeApps(l), (std::vector<std::string>{"com.b", "com.c", "com.a"}));
    EXPECT_EQ(first->bundleID(), "com.b") << "the first badge is kept and given its new app";
    l.setApps({});
    EXPECT_TRUE(l.findChild<Chip*>("scopeLabel.everywhere")->isVisible());
    EXPECT_TRUE(l.text().isEmpty());
    EXPECT_EQ(l.toolTip(), "Works in every app");
}

}  // namespace
}  // namespace velorin
