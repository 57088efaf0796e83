#include <gtest/gtest.h>

#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Updates.h"

namespace velorin {
namespace {

struct FakeController : UpdateController {
    explicit FakeController(int& checks) : checks(checks) {}
    void checkForUpdates() override { ++checks; }
    int& checks;
};

class UpdatesTest : public ::testing::Test {
protected:
    Updates::Framework framework() {
        return [this] {
            ++made;
            return std::make_unique<FakeController>(checks);
        };
    }
    sim::SimPlatform sim;
    int made = 0;
    int checks = 0;
};

TEST_F(UpdatesTest, withoutAFeed_thereIsNoUpdater) {
    Updates updates(sim.bundle(), framework());
    EXPECT_EQ(updates.controller(), nullptr);
    EXPECT_EQ(made, 0);
}

TEST_F(UpdatesTest, anyFeedValue_makesAndStartsTheUpdater) {
    for (const PropertyValue& feed : {PropertyValue(std::string("https://example.org/appcast.xml")),
                                      PropertyValue(std::string()), PropertyValue(false)}) {
        sim.bundle().setInfo("SUFeedURL", feed);
        Updates updates(sim.bundle(), framework());
        ASSERT_NE(updates.controller(), nullptr);
        updates.controller()->checkForUpdates();
    }
    EXPECT_EQ(made, 3);
    EXPECT_EQ(checks, 3);
}

TEST_F(UpdatesTest, aFeedWithoutAnUpdateFramework_givesNoUpdater) {
    sim.bundle().setInfo("SUFeedURL", PropertyValue(std::string("https://example.org/appcast.xml")));
    Updates updates(sim.bundle(), Updates::Framework{});
    EXPECT_EQ(updates.controller(), nullptr);
}

}  // namespace
}  // namespace velorin
