// The workspace and the window commands against a real Sway, headless: the
// front app follows the focus, notices arrive, window commands place the
// focused window, and per-app shortcuts fire only while their app is in front.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include <poll.h>
#include <unistd.h>

#include "../Engine/EngineFixture.h"
#include "Actions/ActionRunner.h"
#include "Platform/Linux/SwayIpc.h"
#include "Platform/Linux/SwayWindowSystem.h"
#include "QtTestApp.h"
#include "CompositorPlatform.h"
#include "CompositorSession.h"
#include "XSession.h"

using namespace velorin;
using namespace velorin::linux_platform;
using namespace velorin::testing;
namespace fs = std::filesystem;

namespace {

constexpr Rect output = CompositorPlatform::output;

class SwayTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (auto missing = session_.missingProgram()) {
            GTEST_SKIP() << *missing << " is not installed: no Sway to test against "
                         << "(scripts/install-deps installs sway and foot)";
        }
        qtApp();
        if (auto error = session_.start()) FAIL() << *error;
        windows_ = std::make_shared<SwayWindowSystem>(session_.socketPath());
        ASSERT_TRUE(until([&] { return windows_->isConnected(); })) << "never heard from sway";
    }

    void installPlatform() {
        platform_ = std::make_unique<CompositorPlatform>(windows_, std::vector<std::string>{applications_.string()});
    }

    void TearDown() override {
        platform_.reset();
        windows_.reset();
    }

    bool until(const std::function<bool()>& done) { return waitFor(done, [] { spinEventLoop(); }); }

    Workspace& workspace() { return platform_->workspace(); }
    std::optional<std::string> frontIdentifier() { return platform_->frontIdentifier(); }

    // Opens a client and waits until Sway has focused it.
    pid_t open(const std::string& appId) {
        const pid_t pid = session_.openClient(appId);
        EXPECT_GT(pid, 0) << "foot did not start";
        EXPECT_TRUE(until([&] {
            const auto front = windows_->activeWindow();
            return front && front->pid == pid;
        })) << appId << " never came to the front";
        return pid;
    }

    // The focused window's outer frame as Sway itself reports it now.
    std::optional<Rect> focusedFrame() {
        const auto front = windows_->activeWindow();
        return front ? windows_->frame(front->id) : std::nullopt;
    }

    CompositorSession session_;
    fs::path applications_ = fs::temp_directory_path() / ("velorin-sway-apps-" + std::to_string(getpid()));
    std::shared_ptr<SwayWindowSystem> windows_;
    std::unique_ptr<CompositorPlatform> platform_;
};

TEST_F(SwayTest, theFrontAppFollowsTheFocusAndItsNoticesArrive) {
    installPlatform();
    std::vector<std::optional<std::string>> activated;
    std::vector<std::int32_t> launched, ended;
    workspace().addObserver(WorkspaceNotice::didActivateApplication,
                            [&](const auto& app) { activated.push_back(app ? app->bundleIdentifier : std::nullopt); });
    workspace().addObserver(WorkspaceNotice::didLaunchApplication,
                            [&](const auto& app) { launched.push_back(app->processIdentifier); });
    workspace().addObserver(WorkspaceNotice::didTerminateApplication,
                            [&](const auto& app) { ended.push_back(app->processIdentifier); });

    // A Wayland app id of a known app is named by its macOS identifier; an
    // unknown one passes through as itself.
    const pid_t firefox = open("firefox");
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.mozilla.firefox"; }));
    const pid_t files = open("org.gnome.Nautilus");
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.gnome.Nautilus"; }));
    EXPECT_EQ(workspace().frontmostApplication()->processIdentifier, files);
    ASSERT_GE(activated.size(), 2u);
    EXPECT_EQ(activated.back(), "org.gnome.Nautilus");
    EXPECT_NE(std::find(activated.begin(), activated.end(), "org.mozilla.firefox"), activated.end());
    EXPECT_NE(std::find(launched.begin(), launched.end(), firefox), launched.end());
    EXPECT_NE(std::find(launched.begin(), launched.end(), files), launched.end());

    // Activating an app focuses its window.
    ASSERT_TRUE(workspace().activate(firefox));
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.mozilla.firefox"; }));
    EXPECT_EQ(activated.back(), "org.mozilla.firefox");
    const auto running = workspace().runningApplications();
    ASSERT_EQ(running.size(), 2u);
    for (const auto& app : running) EXPECT_EQ(app.isActive, app.processIdentifier == firefox);

    // Hiding puts the windows away; the other app comes to the front.
    ASSERT_TRUE(workspace().hide(firefox));
    ASSERT_TRUE(until([&] {
        const auto apps = workspace().runningApplicationsWithBundleIdentifier("org.mozilla.firefox");
        return !apps.empty() && apps.front().isHidden;
    }));
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.gnome.Nautilus"; }));

    session_.closeClient(files);
    ASSERT_TRUE(until([&] { return std::find(ended.begin(), ended.end(), files) != ended.end(); }));
}

TEST_F(SwayTest, windowCommandsPlaceTheFocusedWindowOnItsScreen) {
    installPlatform();
    open("org.example.Probe");
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.example.Probe"; }));
    struct Case {
        WindowCommand command;
        Rect expected;
    };
    // The first command meets a tiled window: it floats first.
    const Case cases[] = {
        {WindowCommand::leftHalf, {{0, 0}, {640, 800}}},
        {WindowCommand::rightHalf, {{640, 0}, {640, 800}}},
        {WindowCommand::bottomHalf, {{0, 400}, {1280, 400}}},
        {WindowCommand::maximize, output},
    };
    for (const auto& c : cases) {
        ActionRunner().run(Action::window(c.command));
        EXPECT_TRUE(until([&] { return focusedFrame() == c.expected; }))
            << "after " << static_cast<int>(c.command) << " the frame is "
            << (focusedFrame() ? focusedFrame()->origin.x : -1) << "," << (focusedFrame() ? focusedFrame()->origin.y : -1)
            << " " << (focusedFrame() ? focusedFrame()->size.width : -1) << "x"
            << (focusedFrame() ? focusedFrame()->size.height : -1);
    }
}

// Sway answers a placement on the turn after the command returned: a
// refusal (the window went before Sway got it) is told to the command then,
// once; placements that hold, one after another, tell nothing.
TEST_F(SwayTest, aPlacementSwayRefusesIsToldToItsCommandAfterItReturned) {
    installPlatform();
    const std::string cannotMove = "That window can't be moved or resized";
    LateFailures failures;
    const pid_t probe = open("org.example.Probe");
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.example.Probe"; }));
    failures.run(Action::window(WindowCommand::leftHalf), "left");
    LateFailures::waitOutTheLooks();
    EXPECT_EQ(focusedFrame(), (Rect{{0, 0}, {640, 800}}));
    failures.run(Action::window(WindowCommand::rightHalf), "right");
    spinEventLoop(50);
    failures.run(Action::window(WindowCommand::bottomHalf), "bottom");
    LateFailures::waitOutTheLooks();
    EXPECT_EQ(focusedFrame(), (Rect{{0, 400}, {1280, 400}}));
    EXPECT_EQ(failures.told(), std::vector<std::string>{}) << "placements that held";

    // The window goes after the command, before its placement reaches Sway
    // (the adapter has not heard of it yet: the event loop did not run).
    const auto w = std::find_if(windows_->windows().begin(), windows_->windows().end(),
                                [&](const auto& x) { return x.pid == probe; });
    ASSERT_NE(w, windows_->windows().end());
    const std::string gone = sway::criteria(w->key) + " nop";
    failures.runAsTheWindowCloses(Action::window(WindowCommand::maximize), "maximize", [&] {
        session_.closeClient(probe);
        EXPECT_TRUE(waitFor([&] { return !windows_->runCommand(gone); }, [] { poll(nullptr, 0, 20); }))
            << "Sway still has the window";
    });
    EXPECT_EQ(failures.told(), std::vector<std::string>{"maximize: " + cannotMove});
}

TEST_F(SwayTest, aSwayThatGoesAwayBeforeThePlacementReachedItFailsIt) {
    installPlatform();
    open("org.example.Probe");
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.example.Probe"; }));
    LateFailures failures;
    failures.run(Action::window(WindowCommand::leftHalf), "left");
    session_.stop();
    ASSERT_TRUE(until([&] { return !failures.told().empty(); }));
    for (int i = 0; i < 10; ++i) spinEventLoop(100);
    EXPECT_EQ(failures.told(), std::vector<std::string>{"left: That window can't be moved or resized"});
}

TEST_F(SwayTest, aPerAppShortcutFiresOnlyWhileItsAppIsInFront) {
    installPlatform();
    const KeyCombo commandK{40, KeyCombo::Modifiers::command};
    auto framework = std::make_shared<velorin::test::FakeFramework>();
    Engine::Parts parts;
    parts.touches = std::make_unique<velorin::test::FakeTouchSource>(framework);
    Engine engine(velorin::test::configWith({velorin::test::binding(Gesture::tap(2, 1), Action::keystroke(commandK),
                                                                    {"org.mozilla.firefox"})}),
                  std::move(parts));
    engine.start();
    ASSERT_TRUE(engine.isRunning().get());

    double t = 100;
    auto tapTwoFingers = [&] {
        platform_->events().clearPostedEvents();
        for (const auto& touches : {velorin::test::fingersAt(2), std::vector<Touch>{}}) {
            platform_->queue().advanceTo(t + 900);
            framework->deliver(TouchFrame{0, t, touches});
            platform_->queue().runUntilIdle();
            t += 0.1;
        }
        t += 1;
        platform_->queue().advanceTo(t + 900);
        platform_->queue().runUntilIdle();
        return !platform_->events().postedKeyboardEvents().empty();
    };

    const pid_t firefox = open("firefox");
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.mozilla.firefox"; }));
    EXPECT_TRUE(tapTwoFingers()) << "the shortcut for Firefox did not fire with Firefox in front";

    open("org.gnome.Nautilus");
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.gnome.Nautilus"; }));
    EXPECT_FALSE(tapTwoFingers()) << "the shortcut for Firefox fired with Files in front";

    ASSERT_TRUE(workspace().activate(firefox));
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.mozilla.firefox"; }));
    EXPECT_TRUE(tapTwoFingers());
    engine.stop();
}

TEST_F(SwayTest, aCompositorThatGoesAwayLeavesNoFrontAppAndIsFoundAgain) {
    installPlatform();
    open("firefox");
    ASSERT_TRUE(until([&] { return frontIdentifier() == "org.mozilla.firefox"; }));
    session_.stop();
    ASSERT_TRUE(until([&] { return !windows_->isConnected(); }));
    EXPECT_EQ(workspace().frontmostApplication(), std::nullopt);
    EXPECT_TRUE(workspace().runningApplications().empty());
    EXPECT_FALSE(workspace().activate(1));

    // A compositor answers again at the same socket: the adapter finds it.
    // Sway names its socket after its process, so the new one is reached
    // through a link at the old name.
    const std::string old = session_.socketPath();
    ASSERT_FALSE(session_.start());
    std::error_code ec;
    fs::remove(old, ec);
    fs::create_symlink(session_.socketPath(), old, ec);
    ASSERT_FALSE(ec) << ec.message();
    open("code");
    EXPECT_TRUE(until([&] { return frontIdentifier() == "com.microsoft.VSCode"; }));
}

}  // namespace
