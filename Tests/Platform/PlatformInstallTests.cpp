#include "Platform/Platform.h"
#include "Platform/Sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace velorin {
namespace {

// A complete set of services, built from the simulated ones.
Platform::Services simulatedServices(sim::SimFailures& failures, sim::SimJournal& journal, sim::SimClock*& clock) {
    Platform::Services s;
    auto ownClock = std::make_unique<sim::SimClock>();
    clock = ownClock.get();
    auto queue = std::make_unique<sim::SimMainQueue>(*ownClock);
    s.workspace = std::make_unique<sim::SimWorkspace>(*queue, failures, journal);
    s.mainQueue = std::move(queue);
    s.clock = std::move(ownClock);
    s.eventSystem = std::make_unique<sim::SimEventSystem>(failures, journal);
    s.accessibility = std::make_unique<sim::SimAccessibility>(failures, journal);
    s.screens = std::make_unique<sim::SimScreens>();
    s.processes = std::make_unique<sim::SimProcesses>(failures, journal);
    s.scripting = std::make_unique<sim::SimScripting>(failures, journal);
    s.defaults = std::make_unique<sim::SimDefaults>(journal);
    s.loginItems = std::make_unique<sim::SimLoginItems>(journal);
    s.bundle = std::make_unique<sim::SimBundle>();
    s.fileManager = std::make_unique<sim::SimFileManager>();
    s.haptics = std::make_unique<sim::SimHaptics>(journal);
    s.displaySettings = std::make_unique<sim::SimDisplaySettings>();
    s.pasteboard = std::make_unique<sim::SimPasteboard>(journal);
    return s;
}

class PlatformInstall : public ::testing::Test {
protected:
    void TearDown() override { platform::uninstall(); }

    std::unique_ptr<Platform> makePlatform() {
        sim::SimClock* clock = nullptr;
        return std::make_unique<Platform>(simulatedServices(failures, journal, clock));
    }

    sim::SimFailures failures;
    sim::SimJournal journal;
};

TEST_F(PlatformInstall, current_withoutInstalledPlatform_throws) {
    EXPECT_FALSE(platform::isInstalled());
    EXPECT_THROW(platform::current(), std::logic_error);
}

TEST_F(PlatformInstall, install_makesItCurrent_andUninstallGivesItBack) {
    auto owned = makePlatform();
    Platform* raw = owned.get();
    platform::install(std::move(owned));
    EXPECT_TRUE(platform::isInstalled());
    EXPECT_EQ(&platform::current(), raw);

    auto back = platform::uninstall();
    EXPECT_EQ(back.get(), raw);
    EXPECT_FALSE(platform::isInstalled());
    EXPECT_EQ(platform::uninstall(), nullptr);
}

TEST_F(PlatformInstall, installingTwice_isAnError_andKeepsTheFirst) {
    auto first = makePlatform();
    Platform* raw = first.get();
    platform::install(std::move(first));
    EXPECT_THROW(platform::install(makePlatform()), std::logic_error);
    EXPECT_EQ(&platform::current(), raw);
}

TEST_F(PlatformInstall, installingNull_isAnError) {
    EXPECT_THROW(platform::install(nullptr), std::invalid_argument);
    EXPECT_FALSE(platform::isInstalled());
}

TEST_F(PlatformInstall, scopedPlatform_uninstallsAtTheEnd) {
    {
        platform::ScopedPlatform scoped(makePlatform());
        EXPECT_EQ(&platform::current(), &scoped.platform());
    }
    EXPECT_FALSE(platform::isInstalled());
    // The slot is free again.
    platform::ScopedPlatform again(makePlatform());
    EXPECT_TRUE(platform::isInstalled());
}

TEST_F(PlatformInstall, scopedPlatform_whenSlotIsTaken_throwsAndLeavesTheInstalledOne) {
    platform::ScopedPlatform first(makePlatform());
    EXPECT_THROW(platform::ScopedPlatform second(makePlatform()), std::logic_error);
    EXPECT_EQ(&platform::current(), &first.platform());
}

TEST_F(PlatformInstall, scopedPlatform_afterManualUninstall_leavesTheNewOneAlone) {
    auto scoped = std::make_unique<platform::ScopedPlatform>(makePlatform());
    auto taken = platform::uninstall();
    auto replacement = makePlatform();
    Platform* raw = replacement.get();
    platform::install(std::move(replacement));
    scoped.reset();
    EXPECT_EQ(&platform::current(), raw);
}

TEST_F(PlatformInstall, platformWithMissingService_namesIt) {
    struct Case {
        const char* name;
        void (*drop)(Platform::Services&);
    };
    const Case cases[] = {
        {"workspace", [](Platform::Services& s) { s.workspace.reset(); }},
        {"event system", [](Platform::Services& s) { s.eventSystem.reset(); }},
        {"accessibility", [](Platform::Services& s) { s.accessibility.reset(); }},
        {"screens", [](Platform::Services& s) { s.screens.reset(); }},
        {"processes", [](Platform::Services& s) { s.processes.reset(); }},
        {"scripting", [](Platform::Services& s) { s.scripting.reset(); }},
        {"defaults", [](Platform::Services& s) { s.defaults.reset(); }},
        {"login items", [](Platform::Services& s) { s.loginItems.reset(); }},
        {"bundle", [](Platform::Services& s) { s.bundle.reset(); }},
        {"file manager", [](Platform::Services& s) { s.fileManager.reset(); }},
        {"haptics", [](Platform::Services& s) { s.haptics.reset(); }},
        {"display settings", [](Platform::Services& s) { s.displaySettings.reset(); }},
        {"pasteboard", [](Platform::Services& s) { s.pasteboard.reset(); }},
        // The simulated workspace and queue keep references they never use
        // once construction has failed.
        {"main queue", [](Platform::Services& s) { s.mainQueue.reset(); }},
        {"clock", [](Platform::Services& s) { s.clock.reset(); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimClock* clock = nullptr;
        auto services = simulatedServices(failures, journal, clock);
        c.drop(services);
        try {
            Platform p(std::move(services));
            ADD_FAILURE() << "no error";
        } catch (const std::invalid_argument& e) {
            EXPECT_EQ(std::string(e.what()), std::string("The platform has no ") + c.name);
        }
    }
}

TEST(SimPlatformFixture, installsAFreshPlatformAndRemovesIt) {
    {
        sim::SimPlatform sim;
        EXPECT_EQ(&platform::current(), &sim.platform());
        EXPECT_EQ(&platform::current().workspace(), &sim.workspace());
        EXPECT_EQ(&platform::current().mainQueue(), &sim.mainQueue());
        EXPECT_EQ(&platform::current().clock(), &sim.clock());
        EXPECT_THROW(sim::SimPlatform second, std::logic_error);
        sim.defaults().set("showTapsOnScreen", true);
    }
    EXPECT_FALSE(platform::isInstalled());
    sim::SimPlatform fresh;
    EXPECT_FALSE(fresh.defaults().object("showTapsOnScreen").has_value());
}

}  // namespace
}  // namespace velorin
