// The Hyprland adapter against a fake that speaks Hyprland's two sockets: the
// front app follows "activewindowv2" events, notices arrive, window commands
// go through the dispatchers, and bad answers or events change nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <QTimer>

#include <unistd.h>

#include "Actions/ActionRunner.h"
#include "CompositorPlatform.h"
#include "FakeHyprland.h"
#include "Platform/Linux/HyprlandIpc.h"
#include "Platform/Linux/HyprlandWindowSystem.h"
#include "QtTestApp.h"
#include "XSession.h"

using namespace velorin;
using namespace velorin::linux_platform;
using namespace velorin::testing;
namespace fs = std::filesystem;

namespace {

std::string client(const std::string& address, int pid, const std::string& cls, int x = 10, int y = 20,
                   const std::string& workspace = "1") {
    return R"({"address":")" + address + R"(","mapped":true,"hidden":false,"at":[)" + std::to_string(x) + "," +
           std::to_string(y) + R"(],"size":[800,600],"workspace":{"id":1,"name":")" + workspace +
           R"("},"floating":false,"class":")" + cls + R"(","title":"t","initialClass":")" + cls +
           R"(","pid":)" + std::to_string(pid) + "}";
}

const std::string firefox = client("0x55aa01", 501, "firefox");
const std::string code = client("0x55aa02", 502, "code");

// Firefox's window where the compositor now has it.
std::string firefoxAt(const Rect& frame) {
    std::string c =
        client("0x55aa01", 501, "firefox", static_cast<int>(frame.origin.x), static_cast<int>(frame.origin.y));
    const std::string size = "[" + std::to_string(static_cast<int>(frame.size.width)) + "," +
                             std::to_string(static_cast<int>(frame.size.height)) + "]";
    return c.replace(c.find("[800,600]"), 9, size);
}
const Rect leftHalf{{0, 0}, {640, 800}};
const Rect rightHalf{{640, 0}, {640, 800}};

class HyprlandTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtApp();
        fake_.setAnswer("j/clients", "[" + firefox + "," + code + "]");
        fake_.setAnswer("j/activewindow", firefox);
        windows_ = std::make_shared<HyprlandWindowSystem>(fake_.folder());
        platform_ = std::make_unique<CompositorPlatform>(windows_);
        ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.mozilla.firefox"; }));
    }
    void TearDown() override {
        platform_.reset();
        windows_.reset();
    }
    bool until(const std::function<bool()>& done) { return waitFor(done, [] { spinEventLoop(); }, 5000); }
    // Lets the adapter hear what it is going to hear.
    void settle() {
        for (int i = 0; i < 10; ++i) spinEventLoop(10);
    }
    // How often the fake was asked this.
    long count(const std::string& request) {
        const auto r = fake_.requests();
        return std::count(r.begin(), r.end(), request);
    }

    FakeHyprland fake_{(fs::temp_directory_path() / ("velorin-hypr-" + std::to_string(getpid()))).string()};
    std::shared_ptr<HyprlandWindowSystem> windows_;
    std::unique_ptr<CompositorPlatform> platform_;
};

TEST_F(HyprlandTest, theFrontAppFollowsActiveWindowEventsAndNoticesArrive) {
    std::vector<std::optional<std::string>> activated;
    std::vector<std::int32_t> ended;
    Workspace& workspace = platform_->workspace();
    workspace.addObserver(WorkspaceNotice::didActivateApplication,
                          [&](const auto& app) { activated.push_back(app ? app->bundleIdentifier : std::nullopt); });
    workspace.addObserver(WorkspaceNotice::didTerminateApplication,
                          [&](const auto& app) { ended.push_back(app->processIdentifier); });
    EXPECT_EQ(workspace.runningApplications().size(), 2u);

    fake_.setAnswer("j/activewindow", code);
    fake_.send("activewindow>>code,t\nactivewindowv2>>55aa02\n");
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "com.microsoft.VSCode"; }));
    EXPECT_EQ(activated, (std::vector<std::optional<std::string>>{"com.microsoft.VSCode"}));

    // Activating asks for the window by its address.
    fake_.clearRequests();
    EXPECT_TRUE(workspace.activate(501));
    const auto requests = fake_.requests();
    EXPECT_NE(std::find(requests.begin(), requests.end(), "dispatch focuswindow address:0x55aa01"), requests.end());

    fake_.setAnswer("j/clients", "[" + code + "]");
    fake_.send("closewindow>>55aa01\n");
    ASSERT_TRUE(until([&] { return !ended.empty(); }));
    EXPECT_EQ(ended, std::vector<std::int32_t>{501});
}

TEST_F(HyprlandTest, aWindowCommandFloatsTheWindowAndPlacesItThroughTheDispatchers) {
    auto dispatched = [&] {
        std::vector<std::string> out;
        for (const auto& r : fake_.requests()) {
            if (r.rfind("dispatch ", 0) == 0) out.push_back(r);
        }
        return out;
    };
    fake_.clearRequests();
    ActionRunner().run(Action::window(WindowCommand::leftHalf));
    // The looks that follow the placement wait for the frame meanwhile, so
    // that nothing is asked for again however slowly the dispatchers go.
    fake_.setAnswer("j/clients", "[" + firefoxAt(leftHalf) + "," + code + "]");
    fake_.hold("j/clients");
    EXPECT_TRUE(until([&] { return dispatched().size() >= 3; }));
    settle();
    // Size, position and size again come out as one placement.
    EXPECT_EQ(dispatched(), (std::vector<std::string>{
                                "dispatch setfloating address:0x55aa01",
                                "dispatch resizewindowpixel exact 640 800,address:0x55aa01",
                                "dispatch movewindowpixel exact 0 0,address:0x55aa01",
                            }));
    fake_.release("j/clients");

    // A dispatcher the compositor refuses ends the placement there.
    fake_.clearRequests();
    fake_.setAnswer("dispatch setfloating address:0x55aa01", "Invalid dispatcher");
    ActionRunner().run(Action::window(WindowCommand::rightHalf));
    EXPECT_TRUE(until([&] { return !dispatched().empty(); }));
    settle();
    EXPECT_EQ(dispatched(), std::vector<std::string>{"dispatch setfloating address:0x55aa01"});
}

// The placement goes out on the turn after the command returned, and is
// looked at until it settles (the last look 3.75 s after it was sent): the
// command hears once when it did not hold, and never when a later command
// placed the window since.
TEST_F(HyprlandTest, aPlacementThatDoesNotHoldIsToldToItsOwnCommandOnce) {
    const std::string cannotMove = "That window can't be moved or resized";
    const std::string moveLeft = "dispatch movewindowpixel exact 0 0,address:0x55aa01";
    const std::string moveRight = "dispatch movewindowpixel exact 640 0,address:0x55aa01";
    auto placedAt = [&](const Rect& frame) { fake_.setAnswer("j/clients", "[" + firefoxAt(frame) + "," + code + "]"); };
    struct Case {
        const char* name;
        std::function<void(LateFailures&)> steps;
        std::vector<std::string> told;
        std::function<void()> check;
    };
    const Case cases[] = {
        {"placed where asked",
         [&](LateFailures& f) {
             f.run(Action::window(WindowCommand::leftHalf), "left");
             placedAt(leftHalf);
         },
         {},
         [&] { EXPECT_EQ(count(moveLeft), 1) << "a placement that held is not asked for again"; }},
        {"a dispatcher refused",
         [&](LateFailures& f) {
             fake_.setAnswer(moveLeft, "Invalid dispatcher");
             f.run(Action::window(WindowCommand::leftHalf), "left");
         },
         {"left: " + cannotMove},
         {}},
        {"the window stays where it was",
         [&](LateFailures& f) { f.run(Action::window(WindowCommand::leftHalf), "left"); },
         {"left: " + cannotMove},
         [&] { EXPECT_EQ(count(moveLeft), 4) << "asked for again at each look but the last"; }},
        {"placed the compositor's own way",
         [&](LateFailures& f) {
             f.run(Action::window(WindowCommand::leftHalf), "left");
             placedAt(Rect{{0, 0}, {700, 800}});
         },
         {},
         {}},
        {"a later command places the window before the first settled",
         [&](LateFailures& f) {
             f.run(Action::window(WindowCommand::leftHalf), "left");
             spinEventLoop(100);
             f.run(Action::window(WindowCommand::rightHalf), "right");
             placedAt(rightHalf);
         },
         {},
         [&] { EXPECT_EQ(count(moveLeft), 1) << "the first command's looks moved the window back"; }},
        {"the later of two commands is refused",
         [&](LateFailures& f) {
             f.run(Action::window(WindowCommand::leftHalf), "left");
             placedAt(leftHalf);
             spinEventLoop(300);
             fake_.setAnswer(moveRight, "Invalid dispatcher");
             f.run(Action::window(WindowCommand::rightHalf), "right");
         },
         {"right: " + cannotMove},
         {}},
        {"the window closes before it settled",
         [&](LateFailures& f) {
             f.run(Action::window(WindowCommand::leftHalf), "left");
             spinEventLoop(50);
             fake_.setAnswer("j/clients", "[" + code + "]");
             fake_.setAnswer("j/activewindow", code);
             fake_.send("closewindow>>55aa01\n");
         },
         {},
         {}},
    };
    for (const auto& c : cases) {
        // Firefox in front where it was at the start, as the adapter knows it.
        fake_.setAnswer("j/clients", "[" + firefox + "," + code + "]");
        fake_.setAnswer("j/activewindow", firefox);
        fake_.setAnswer(moveLeft, "ok");
        fake_.setAnswer(moveRight, "ok");
        fake_.send("openwindow>>55aa01,1,firefox,t\n");
        ASSERT_TRUE(until([&] {
            return platform_->frontIdentifier() == "org.mozilla.firefox" && windows_->windows().size() == 2 &&
                   windows_->windows()[0].frame == (Rect{{10, 20}, {800, 600}});
        })) << c.name;
        fake_.clearRequests();
        LateFailures failures;
        c.steps(failures);
        LateFailures::waitOutTheLooks();
        EXPECT_EQ(failures.told(), c.told) << c.name;
        if (c.check) c.check();
    }
}

TEST_F(HyprlandTest, aCompositorThatGoesAwayBeforeThePlacementSettledFailsIt) {
    LateFailures failures;
    failures.run(Action::window(WindowCommand::leftHalf), "left");
    fake_.closeListeners();
    ASSERT_TRUE(until([&] { return !failures.told().empty(); }));
    LateFailures::waitOutTheLooks();
    EXPECT_EQ(failures.told(), std::vector<std::string>{"left: That window can't be moved or resized"});
    // Found again, it places windows as before.
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.mozilla.firefox"; }));
    failures.run(Action::window(WindowCommand::rightHalf), "right");
    fake_.setAnswer("j/clients", "[" + firefoxAt(rightHalf) + "," + code + "]");
    LateFailures::waitOutTheLooks();
    EXPECT_EQ(failures.told().size(), 1u);
}

// A compositor that holds its answers does not hold the event loop: a held
// dispatcher lets the loop run and the placement go on once it answers; one
// never answered fails its command once, after the command returned; and
// looks whose reads are never answered fail it once too.
TEST_F(HyprlandTest, aCompositorThatHoldsItsAnswersLeavesTheEventLoopRunning) {
    const std::string cannotMove = "That window can't be moved or resized";
    const std::string floatIt = "dispatch setfloating address:0x55aa01";
    const std::string resizeLeft = "dispatch resizewindowpixel exact 640 800,address:0x55aa01";
    const std::string moveLeft = "dispatch movewindowpixel exact 0 0,address:0x55aa01";
    const std::string moveRight = "dispatch movewindowpixel exact 640 0,address:0x55aa01";
    auto longUntil = [](const std::function<bool()>& done) { return waitFor(done, [] { spinEventLoop(); }, 12000); };
    LateFailures failures;

    fake_.clearRequests();
    fake_.hold(floatIt);
    failures.run(Action::window(WindowCommand::leftHalf), "left");
    ASSERT_TRUE(until([&] { return count(floatIt) == 1; }));
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    EXPECT_TRUE(until([&] { return ran; })) << "the event loop waited for the compositor";
    EXPECT_EQ(count(resizeLeft), 0) << "the next dispatcher went out before the first was answered";
    fake_.setAnswer("j/clients", "[" + firefoxAt(leftHalf) + "," + code + "]");
    fake_.release(floatIt);
    EXPECT_TRUE(until([&] { return count(moveLeft) == 1; })) << "the placement did not go on after the answer";
    LateFailures::waitOutTheLooks();
    EXPECT_EQ(failures.told(), std::vector<std::string>{});

    // Never answered: the rest is not sent, and the command hears once.
    fake_.clearRequests();
    fake_.hold(floatIt);
    failures.run(Action::window(WindowCommand::rightHalf), "right");
    ASSERT_TRUE(longUntil([&] { return !failures.told().empty(); }));
    LateFailures::waitOutTheLooks();
    EXPECT_EQ(failures.told(), std::vector<std::string>{"right: " + cannotMove});
    EXPECT_EQ(count(moveRight), 0);
    fake_.release(floatIt);

    // The dispatchers answer, but no look can read the frame (the command
    // itself read it, waiting).
    failures.run(Action::window(WindowCommand::rightHalf), "again");
    fake_.clearRequests();
    fake_.hold("j/clients");
    ASSERT_TRUE(longUntil([&] { return failures.told().size() == 2; }));
    LateFailures::waitOutTheLooks();
    EXPECT_EQ(failures.told(), (std::vector<std::string>{"right: " + cannotMove, "again: " + cannotMove}));
    EXPECT_EQ(count(moveRight), 1) << "a frame that was never read was asked for again";
    EXPECT_GE(count("j/clients"), 4) << "every look asked for the frame";
    fake_.release("j/clients");
}

// Requests still on their way when the adapter goes answer no one (under
// the asan preset a late call into the adapter is a fault).
TEST_F(HyprlandTest, anAdapterGoneWhileItsRequestsAreOnTheirWayHearsNothing) {
    const std::string floatIt = "dispatch setfloating address:0x55aa01";
    fake_.clearRequests();
    fake_.hold(floatIt);
    bool told = false;
    ActionRunner().run(Action::window(WindowCommand::leftHalf), [&](const ActionError&) { told = true; });
    ASSERT_TRUE(until([&] { return count(floatIt) == 1; }));
    platform_.reset();
    windows_.reset();
    fake_.setAnswer(floatIt, "Invalid dispatcher");
    fake_.release(floatIt);
    // Past the time an answer is waited for.
    for (int i = 0; i < 15; ++i) spinEventLoop(100);
    EXPECT_FALSE(told);
}

TEST_F(HyprlandTest, badAnswersAndEventsChangeNothing) {
    struct Case {
        const char* what;
        const char* request;  // the answer to change, or null for an event alone
        std::string answer;
        std::string event;
    };
    const Case cases[] = {
        {"truncated clients", "j/clients", "[" + firefox.substr(0, 40), "openwindow>>55aa03,1,x,y\n"},
        {"clients that are not a list", "j/clients", R"({"address":"0x1"})", "openwindow>>55aa03,1,x,y\n"},
        {"not JSON", "j/clients", "unknown request", "openwindow>>55aa03,1,x,y\n"},
        {"an active window without an address", "j/activewindow", R"({"address":5})", "activewindowv2>>55aa02\n"},
        {"an address that is not hex", "j/activewindow", R"({"address":"0xzz"})", "activewindowv2>>zz\n"},
        {"an empty answer", "j/activewindow", "", "activewindowv2>>55aa02\n"},
        {"an event without its separator", nullptr, "", "activewindowv2 55aa02\n"},
        {"an unknown event", nullptr, "", "somethingnew>>\n"},
        {"a line cut short", nullptr, "", "activewindowv2>>55a"},
    };
    for (const auto& c : cases) {
        if (c.request) fake_.setAnswer(c.request, c.answer);
        fake_.send(c.event);
        settle();
        EXPECT_EQ(platform_->frontIdentifier(), "org.mozilla.firefox") << c.what;
        EXPECT_EQ(platform_->workspace().runningApplications().size(), 2u) << c.what;
        fake_.setAnswer("j/clients", "[" + firefox + "," + code + "]");
        fake_.setAnswer("j/activewindow", firefox);
        fake_.send("\n");
    }
}

TEST_F(HyprlandTest, anEventStreamThatBreaksLeavesNoFrontAppUntilTheCompositorAnswersAgain) {
    // An endless line: the stream is no longer to be trusted.
    fake_.send(std::string(hyprland::EventReader::longestLine + 10, 'x'));
    ASSERT_TRUE(until([&] { return !windows_->isConnected(); }));
    EXPECT_EQ(platform_->workspace().frontmostApplication(), std::nullopt);
    // The adapter connects again, and hears the compositor as before.
    EXPECT_TRUE(until([&] { return platform_->frontIdentifier() == "org.mozilla.firefox"; }));

    fake_.closeListeners();
    ASSERT_TRUE(until([&] { return !windows_->isConnected(); }));
    EXPECT_TRUE(until([&] { return platform_->frontIdentifier() == "org.mozilla.firefox"; }));
}

TEST(HyprlandIpc, addressesAndSocketFolders) {
    EXPECT_EQ(hyprland::addressKey("0x55AA01"), "55aa01");
    EXPECT_EQ(hyprland::addressKey("55aa01"), "55aa01");
    EXPECT_EQ(hyprland::addressKey(""), std::nullopt);
    EXPECT_EQ(hyprland::addressKey("0x"), std::nullopt);
    EXPECT_EQ(hyprland::addressKey("0x12345678901234567"), std::nullopt);
    EXPECT_EQ(hyprland::addressKey("0x12,focus"), std::nullopt);

    // Minimised windows sit on a special workspace: hidden.
    const auto windows = hyprland::parseClients("[" + client("0x1", 7, "slack", 5, 6, "special:minimized") +
                                                R"(,{"address":"0x2","mapped":false,"class":"x"}])");
    ASSERT_TRUE(windows);
    ASSERT_EQ(windows->size(), 1u);
    EXPECT_TRUE(windows->front().hidden);
    EXPECT_EQ(windows->front().frame, (Rect{{5, 6}, {800, 600}}));
    EXPECT_EQ(hyprland::parseActiveWindow("{}"), std::optional<std::optional<std::string>>(std::optional<std::string>()));
}

}  // namespace
