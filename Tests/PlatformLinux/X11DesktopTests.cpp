// The workspace and the window moves against a real X server with a real
// window manager (Xvfb and openbox, started per test), with windows of our
// own standing for the apps.

#include <algorithm>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include <poll.h>
#include <unistd.h>

#include "Actions/WindowLayout.h"
#include "Platform/Linux/LinuxAccessibility.h"
#include "Platform/Linux/LinuxProcesses.h"
#include "Platform/Linux/QtServices.h"
#include "Platform/Linux/LinuxWorkspace.h"
#include "Platform/Linux/VirtualKeyboard.h"
#include "Platform/Linux/X11Desktop.h"
#include "QtTestApp.h"
#include "RecordingProcesses.h"
#include "XSession.h"

using namespace velorin;
using namespace velorin::linux_platform;
using namespace velorin::testing;
namespace fs = std::filesystem;

namespace {

constexpr std::int32_t probePid = 40001;
constexpr std::int32_t slackPid = 40002;

class XDesktopTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (auto missing = missingProgram({"Xvfb", "openbox"})) {
            GTEST_SKIP() << *missing << " is not installed: no X server with a window manager to test against "
                         << "(scripts/install-deps installs xvfb and openbox)";
        }
        qtApp();
        if (auto error = session_.start()) FAIL() << *error;
        fs::create_directories(applications_);
        std::ofstream(applications_ / "org.example.Probe.desktop")
            << "[Desktop Entry]\nType=Application\nName=Probe\nExec=/usr/bin/probe --flag %U\nStartupWMClass=Probe\n";
        client_ = std::make_unique<XClient>(session_.display());
        ASSERT_TRUE(client_->isConnected());
        desktop_ = std::make_shared<X11Desktop>(session_.display().c_str());
        ASSERT_TRUE(desktop_->isConnected());
        workspace_ = std::make_unique<LinuxWorkspace>(desktop_, processes_, std::nullopt,
                                                      std::vector<std::string>{applications_.string()});
    }

    void TearDown() override {
        workspace_.reset();
        desktop_.reset();
        client_.reset();
        std::error_code ec;
        fs::remove_all(applications_, ec);
    }

    // Runs Qt's loop until `done`, so the workspace hears the window manager
    // the way the app does (its socket notifier).
    bool until(const std::function<bool()>& done) { return waitFor(done, [] { spinEventLoop(); }); }

    xcb_window_t openManaged(const std::string& instance, const std::string& cls, std::int32_t pid) {
        const xcb_window_t w = client_->openWindow(instance, cls, static_cast<std::uint32_t>(pid));
        const bool managed = until([&] {
            const auto list = client_->clientList();
            return std::find(list.begin(), list.end(), w) != list.end();
        });
        EXPECT_TRUE(managed) << "openbox never managed " << cls;
        // Openbox focuses each new window; waiting for that keeps its focus
        // change from landing after a test's own activation.
        EXPECT_TRUE(until([&] { return client_->activeWindow() == w && desktop_->activeWindow(); }))
            << "openbox never focused " << cls;
        return w;
    }

    std::optional<std::string> frontIdentifier() {
        const auto front = workspace_->frontmostApplication();
        return front ? front->bundleIdentifier : std::nullopt;
    }

    bool activate(std::int32_t pid, xcb_window_t window) {
        EXPECT_TRUE(workspace_->activate(pid));
        // Done when our own connection has seen it too: it hears of the change
        // after the window manager's client does, later still under load.
        return until([&] {
            if (client_->activeWindow() != window) return false;
            const auto running = workspace_->runningApplications();
            return std::any_of(running.begin(), running.end(),
                               [&](const auto& app) { return app.isActive && app.processIdentifier == pid; });
        });
    }

    XSession session_;
    fs::path applications_ = fs::temp_directory_path() / ("velorin-apps-" + std::to_string(getpid()));
    std::unique_ptr<XClient> client_;
    std::shared_ptr<X11Desktop> desktop_;
    RecordingProcesses processes_;
    std::unique_ptr<LinuxWorkspace> workspace_;
};

TEST_F(XDesktopTest, theFrontAppIsTheAppOfTheActiveWindow) {
    const auto probe = openManaged("probe", "Probe", probePid);
    const auto slack = openManaged("slack", "Slack", slackPid);

    ASSERT_TRUE(activate(probePid, probe));
    const auto front = workspace_->frontmostApplication();
    ASSERT_TRUE(front);
    EXPECT_EQ(front->bundleIdentifier, "org.example.Probe");  // its desktop entry
    EXPECT_EQ(front->localizedName, "Probe");
    EXPECT_EQ(front->processIdentifier, probePid);
    EXPECT_TRUE(front->isActive);

    ASSERT_TRUE(activate(slackPid, slack));
    // A known app without an entry goes by its macOS counterpart's identifier.
    EXPECT_EQ(frontIdentifier(), "com.tinyspeck.slackmacgap");

    const auto running = workspace_->runningApplications();
    ASSERT_EQ(running.size(), 2u);
    for (const auto& app : running) {
        EXPECT_EQ(app.isActive, app.processIdentifier == slackPid) << app.processIdentifier;
        EXPECT_FALSE(app.isHidden);
    }
    EXPECT_EQ(workspace_->runningApplicationsWithBundleIdentifier("org.example.Probe").size(), 1u);
}

TEST_F(XDesktopTest, noticesFollowTheActiveWindowAndTheClientList) {
    std::vector<std::optional<std::string>> activated, launched, terminated;
    int becameActive = 0;
    auto idOf = [](const std::optional<RunningApplication>& app) {
        return app ? app->bundleIdentifier : std::nullopt;
    };
    workspace_->addObserver(WorkspaceNotice::didActivateApplication, [&](const auto& app) { activated.push_back(idOf(app)); });
    workspace_->addObserver(WorkspaceNotice::didLaunchApplication, [&](const auto& app) { launched.push_back(idOf(app)); });
    workspace_->addObserver(WorkspaceNotice::didTerminateApplication, [&](const auto& app) { terminated.push_back(idOf(app)); });
    workspace_->addObserver(WorkspaceNotice::applicationDidBecomeActive, [&](const auto& app) {
        EXPECT_FALSE(app);
        ++becameActive;
    });

    const auto probe = openManaged("probe", "Probe", probePid);
    const auto slack = openManaged("slack", "Slack", slackPid);
    ASSERT_TRUE(until([&] { return launched.size() == 2; }));
    EXPECT_NE(std::find(launched.begin(), launched.end(), "org.example.Probe"), launched.end());
    EXPECT_NE(std::find(launched.begin(), launched.end(), "com.tinyspeck.slackmacgap"), launched.end());

    ASSERT_TRUE(activate(probePid, probe));
    ASSERT_TRUE(until([&] { return !activated.empty() && activated.back() == "org.example.Probe"; }));
    ASSERT_TRUE(activate(slackPid, slack));
    ASSERT_TRUE(until([&] { return activated.back() == "com.tinyspeck.slackmacgap"; }));
    EXPECT_EQ(becameActive, 0);

    // A window of this very process in front: this app became active.
    const auto own = openManaged("velorin", "Velorin", getpid());
    ASSERT_TRUE(activate(getpid(), own));
    ASSERT_TRUE(until([&] { return becameActive > 0; }));

    client_->closeWindow(slack);
    ASSERT_TRUE(until([&] { return !terminated.empty(); }));
    EXPECT_EQ(terminated, (std::vector<std::optional<std::string>>{"com.tinyspeck.slackmacgap"}));
}

TEST_F(XDesktopTest, aNoticeReadOffTheSocketByAReplyStillArrives) {
    const auto probe = openManaged("probe", "Probe", probePid);
    const auto slack = openManaged("slack", "Slack", slackPid);
    ASSERT_TRUE(activate(probePid, probe));
    std::vector<std::optional<std::string>> activated;
    workspace_->addObserver(WorkspaceNotice::didActivateApplication,
                            [&](const auto& app) { activated.push_back(app ? app->bundleIdentifier : std::nullopt); });

    // Without turning Qt's loop, ask until the change shows: the notice of it
    // came before the answer, so it now waits in the connection's queue and
    // the socket has nothing more to read.
    ASSERT_TRUE(workspace_->activate(slackPid));
    ASSERT_TRUE(waitFor([&] { return desktop_->activeWindow() && desktop_->activeWindow()->id == slack; },
                        [] { poll(nullptr, 0, 10); }));
    EXPECT_TRUE(until([&] { return !activated.empty(); }));
    EXPECT_EQ(activated, (std::vector<std::optional<std::string>>{"com.tinyspeck.slackmacgap"}));
}

std::string describe(const std::optional<Rect>& r) {
    if (!r) return "none";
    return std::to_string(r->origin.x) + "," + std::to_string(r->origin.y) + " " + std::to_string(r->size.width) +
           "x" + std::to_string(r->size.height);
}

TEST_F(XDesktopTest, theFocusedWindowMovesAndResizesThroughTheWindowManager) {
    struct Case {
        const char* name;
        DesktopUnits units;
        Point position;  // in the system's units
        Size size;
        Rect expectedFrame;  // root-window pixels
    };
    const Case cases[] = {
        {"primary screen at the root's corner", {{{0, 0}, {1280, 800}}, 1}, {100, 120}, {400, 300},
         {{100, 120}, {400, 300}}},
        {"primary screen further in, twice the pixels per point", {{{200, 100}, {1080, 700}}, 2}, {10, 20},
         {200, 150}, {{220, 140}, {400, 300}}},
    };
    const auto probe = openManaged("probe", "Probe", probePid);
    ASSERT_TRUE(activate(probePid, probe));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LinuxAccessibility ax(desktop_, std::make_shared<VirtualKeyboard>("/nonexistent/uinput"),
                              [&] { return c.units; });
        const auto front = workspace_->frontmostApplication();
        ASSERT_TRUE(front);
        const auto focused = ax.copyAttributeValue(ax.applicationElement(front->processIdentifier), "AXFocusedWindow");
        ASSERT_EQ(focused, AttributeValue{LinuxAccessibility::windowHandle(probe)});
        const AXElement window = std::get<AXElement>(focused);

        // What it reads is the frame the user sees, decorations included.
        const auto frame = client_->visibleFrame(probe);
        ASSERT_TRUE(frame);
        EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), AttributeValue{c.units.topLeftPoint(frame->origin)});
        EXPECT_EQ(ax.copyAttributeValue(window, "AXSize"), AttributeValue{c.units.points(frame->size)});

        // Size, then position, then size: the order the action runner uses.
        EXPECT_EQ(ax.setAttributeValue(window, "AXSize", *ax.createValue(c.size)), AXError::success);
        EXPECT_EQ(ax.setAttributeValue(window, "AXPosition", *ax.createValue(c.position)), AXError::success);
        EXPECT_EQ(ax.setAttributeValue(window, "AXSize", *ax.createValue(c.size)), AXError::success);
        EXPECT_TRUE(until([&] { return client_->visibleFrame(probe) == c.expectedFrame; }))
            << describe(client_->visibleFrame(probe));
        EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), AttributeValue{c.position});
        EXPECT_EQ(ax.copyAttributeValue(window, "AXSize"), AttributeValue{c.size});
    }
}

// What the action runner does for a window command: read the frame, ask the
// layout, set the size, the position and the size once more. The first
// failure, or success.
AXError layOut(LinuxAccessibility& ax, AXElement window, WindowCommand command, const Rect& screen) {
    const auto position = ax.copyAttributeValue(window, "AXPosition");
    const auto size = ax.copyAttributeValue(window, "AXSize");
    if (!std::holds_alternative<Point>(position) || !std::holds_alternative<Size>(size)) {
        return AXError::cannotComplete;
    }
    const auto target =
        WindowLayout::frame(command, Rect{std::get<Point>(position), std::get<Size>(size)}, {screen});
    if (!target) return AXError::success;
    if (auto e = ax.setAttributeValue(window, "AXSize", *ax.createValue(target->size)); e != AXError::success) return e;
    if (auto e = ax.setAttributeValue(window, "AXPosition", *ax.createValue(target->origin)); e != AXError::success) {
        return e;
    }
    (void)ax.setAttributeValue(window, "AXSize", *ax.createValue(target->size));
    return AXError::success;
}

const Rect wholeScreen{{0, 0}, {1280, 800}};  // the test server's screen

// The four halves of a screen and the whole of it.
std::vector<std::pair<WindowCommand, Rect>> halvesAndWhole(const Rect& s) {
    const double w = s.size.width / 2, h = s.size.height / 2;
    return {{WindowCommand::leftHalf, {s.origin, {w, s.size.height}}},
            {WindowCommand::rightHalf, {{s.origin.x + w, s.origin.y}, {w, s.size.height}}},
            {WindowCommand::topHalf, {s.origin, {s.size.width, h}}},
            {WindowCommand::bottomHalf, {{s.origin.x, s.origin.y + h}, {s.size.width, h}}},
            {WindowCommand::maximize, s}};
}

TEST_F(XDesktopTest, aMaximisedOrFullScreenWindowTakesEveryLayout) {
    const auto probe = openManaged("probe", "Probe", probePid);
    ASSERT_TRUE(activate(probePid, probe));
    LinuxAccessibility ax(desktop_, std::make_shared<VirtualKeyboard>("/nonexistent/uinput"),
                          [] { return DesktopUnits{wholeScreen, 1}; });
    const auto& e = client_->ewmh();
    const std::pair<const char*, std::pair<xcb_atom_t, xcb_atom_t>> states[] = {
        {"maximised", {e._NET_WM_STATE_MAXIMIZED_VERT, e._NET_WM_STATE_MAXIMIZED_HORZ}},
        {"maximised vertically", {e._NET_WM_STATE_MAXIMIZED_VERT, XCB_ATOM_NONE}},
        {"full screen", {e._NET_WM_STATE_FULLSCREEN, XCB_ATOM_NONE}},
    };
    // Laid out within what the window manager leaves free of its panels.
    const auto screen = client_->workArea();
    ASSERT_TRUE(screen);
    for (const auto& [stateName, state] : states) {
        for (const auto& [command, expected] : halvesAndWhole(*screen)) {
            SCOPED_TRACE(std::string(stateName) + " to " + std::to_string(static_cast<int>(command)));
            client_->requestState(probe, true, state.first, state.second);
            ASSERT_TRUE(until([&] { return client_->hasState(probe, state.first); }));
            EXPECT_EQ(layOut(ax, LinuxAccessibility::windowHandle(probe), command, *screen), AXError::success);
            EXPECT_TRUE(until([&] { return client_->visibleFrame(probe) == expected; }))
                << describe(client_->visibleFrame(probe));
            EXPECT_FALSE(client_->hasState(probe, state.first));
        }
    }
}

TEST_F(XDesktopTest, aWindowWithClientSideDecorationsIsLaidOutByWhatIsSeen) {
    const auto probe = openManaged("probe", "Probe", probePid);
    ASSERT_TRUE(activate(probePid, probe));
    // A shadow of 20 pixels left and right, 15 above, 25 below, drawn inside
    // the window, which the window manager leaves undecorated.
    client_->drawOwnDecorations(probe, 20, 20, 15, 25);
    ASSERT_TRUE(until([&] { return client_->outerFrame(probe) == client_->clientArea(probe); }));
    LinuxAccessibility ax(desktop_, std::make_shared<VirtualKeyboard>("/nonexistent/uinput"),
                          [] { return DesktopUnits{wholeScreen, 1}; });
    const AXElement window = LinuxAccessibility::windowHandle(probe);
    const auto client = client_->clientArea(probe);
    ASSERT_TRUE(client);
    const Point seenAt{client->origin.x + 20, client->origin.y + 15};
    const Size seenSize{client->size.width - 40, client->size.height - 40};
    EXPECT_EQ(ax.copyAttributeValue(window, "AXPosition"), AttributeValue{seenAt});
    EXPECT_EQ(ax.copyAttributeValue(window, "AXSize"), AttributeValue{seenSize});

    const auto screen = client_->workArea();
    ASSERT_TRUE(screen);
    const auto layouts = halvesAndWhole(*screen);
    for (const auto& [command, visible] : {layouts[0], layouts[1]}) {
        EXPECT_EQ(layOut(ax, window, command, *screen), AXError::success);
        // The shadow lies outside the half, past the screen's edge and over the other half.
        const Rect expectedClient{{visible.origin.x - 20, visible.origin.y - 15},
                                  {visible.size.width + 40, visible.size.height + 40}};
        EXPECT_TRUE(until([&] { return client_->clientArea(probe) == expectedClient; }))
            << describe(client_->clientArea(probe));
    }
}

TEST_F(XDesktopTest, aWindowNobodyMovesIsAFailureNotASuccess) {
    const auto probe = openManaged("probe", "Probe", probePid);
    ASSERT_TRUE(activate(probePid, probe));
    session_.endWindowManager();
    desktop_->settleTime = std::chrono::milliseconds(200);
    LinuxAccessibility ax(desktop_, std::make_shared<VirtualKeyboard>("/nonexistent/uinput"),
                          [] { return DesktopUnits{wholeScreen, 1}; });
    const AXElement window = LinuxAccessibility::windowHandle(probe);
    const auto before = client_->outerFrame(probe);
    EXPECT_EQ(ax.setAttributeValue(window, "AXSize", *ax.createValue(Size{500, 500})), AXError::cannotComplete);
    EXPECT_EQ(ax.setAttributeValue(window, "AXPosition", *ax.createValue(Point{300, 200})), AXError::cannotComplete);
    EXPECT_EQ(client_->outerFrame(probe), before);
}

TEST_F(XDesktopTest, whatWindowsCannotDoIsReportedAsUnsupported) {
    const auto probe = openManaged("probe", "Probe", probePid);
    ASSERT_TRUE(activate(probePid, probe));
    LinuxAccessibility ax(desktop_, std::make_shared<VirtualKeyboard>("/nonexistent/uinput"), [] { return DesktopUnits{}; });
    const AXElement app = ax.applicationElement(probePid);
    const AXElement window = LinuxAccessibility::windowHandle(probe);
    // Other apps' menus are not readable here: the menu scanner finds nothing.
    EXPECT_EQ(ax.copyAttributeValue(app, "AXMenuBar"), AttributeValue{AXFailure{AXError::attributeUnsupported}});
    EXPECT_EQ(ax.performAction(window, "AXPress"), AXError::actionUnsupported);
    EXPECT_EQ(ax.setAttributeValue(window, "AXPosition", AttributeValue{Size{1, 1}}), AXError::illegalArgument);
    EXPECT_EQ(ax.copyAttributeValue(ax.applicationElement(4242), "AXFocusedWindow"),
              AttributeValue{AXFailure{AXError::noValue}});
    EXPECT_EQ(ax.copyAttributeValue(LinuxAccessibility::windowHandle(0x7ffffff), "AXPosition"),
              AttributeValue{AXFailure{AXError::invalidUIElement}});
}

TEST_F(XDesktopTest, openingARunningAppBringsItForwardInsteadOfStartingItAgain) {
    const std::string entry = (applications_ / "org.example.Probe.desktop").string();
    const auto probe = openManaged("probe", "Probe", probePid);
    const auto slack = openManaged("slack", "Slack", slackPid);
    ASSERT_TRUE(activate(slackPid, slack));

    ASSERT_EQ(workspace_->urlForApplication("org.example.Probe"), entry);
    workspace_->openApplication(entry, OpenConfiguration{});
    EXPECT_TRUE(until([&] { return client_->activeWindow() == probe; }));
    EXPECT_TRUE(processes_.starts.empty());

    // Not running: the entry's command starts, with the launch arguments after its own.
    client_->closeWindow(probe);
    ASSERT_TRUE(until([&] { return workspace_->runningApplicationsWithBundleIdentifier("org.example.Probe").empty(); }));
    workspace_->openApplication(entry, OpenConfiguration{true, {"1"}});
    EXPECT_EQ(processes_.starts, (std::vector<RecordingProcesses::Start>{{"/usr/bin/probe", {"--flag", "1"}}}));
}

TEST_F(XDesktopTest, anEntryInASubfolderFindsItsRunningApp) {
    fs::create_directories(applications_ / "kde4");
    const std::string entry = (applications_ / "kde4" / "tool.desktop").string();
    std::ofstream(entry) << "[Desktop Entry]\nType=Application\nName=Tool\nExec=/usr/bin/tool\nStartupWMClass=Tool\n";
    const auto tool = openManaged("tool", "Tool", slackPid);
    const auto probe = openManaged("probe", "Probe", probePid);
    ASSERT_TRUE(activate(probePid, probe));
    ASSERT_EQ(workspace_->urlForApplication("kde4-tool"), entry);
    workspace_->openApplication(entry, OpenConfiguration{});
    EXPECT_TRUE(until([&] { return client_->activeWindow() == tool; }));
    EXPECT_TRUE(processes_.starts.empty());
}

TEST_F(XDesktopTest, showDesktopTogglesTheWindowManagersShowingDesktop) {
    const auto probe = openManaged("probe", "Probe", probePid);
    ASSERT_FALSE(client_->showingDesktop());
    // Shown by the window manager, or, where it cannot, by iconifying the windows.
    const xcb_atom_t hidden = client_->ewmh()._NET_WM_STATE_HIDDEN;
    auto shown = [&] { return client_->showingDesktop() || client_->hasState(probe, hidden); };
    const OpenConfiguration argumentOne{true, {"1"}};  // what the action runner passes
    workspace_->openApplication("/System/Applications/Mission Control.app", argumentOne);
    EXPECT_TRUE(until(shown));
    workspace_->openApplication("/System/Applications/Mission Control.app/", argumentOne);
    EXPECT_TRUE(until([&] { return !shown(); }));
    EXPECT_TRUE(processes_.starts.empty());
}

TEST_F(XDesktopTest, hidingIconifiesEveryWindowOfTheApp) {
    openManaged("probe", "Probe", probePid);
    openManaged("probe", "Probe", probePid);
    openManaged("slack", "Slack", slackPid);
    auto hidden = [&](std::int32_t pid) {
        for (const auto& app : workspace_->runningApplications()) {
            if (app.processIdentifier == pid) return app.isHidden;
        }
        return false;
    };
    EXPECT_TRUE(workspace_->hide(probePid));
    EXPECT_TRUE(until([&] { return hidden(probePid); }));
    EXPECT_FALSE(hidden(slackPid));
    EXPECT_FALSE(workspace_->hide(4242));
}

TEST_F(XDesktopTest, anXServerThatGoesAwayLeavesNoFrontApp) {
    const auto probe = openManaged("probe", "Probe", probePid);
    ASSERT_TRUE(activate(probePid, probe));
    ASSERT_TRUE(workspace_->frontmostApplication());
    session_.killServer();
    // The loop goes on turning, and the workspace answers "nothing".
    ASSERT_TRUE(until([&] { return !desktop_->isConnected() || !workspace_->frontmostApplication(); }));
    spinEventLoop(50);
    EXPECT_FALSE(workspace_->frontmostApplication());
    EXPECT_TRUE(workspace_->runningApplications().empty());
    EXPECT_FALSE(workspace_->activate(probePid));
    EXPECT_FALSE(desktop_->isConnected());
}

// Launch feedback as a desktop sees it: the "new:" message of each launch of
// an app that ends its own feedback, and the "remove:" once the window that
// answers it appears (by its startup id or its class) or the time is up; the
// launched program finds the id in its environment.
TEST_F(XDesktopTest, launchFeedbackBeginsWithTheLaunchAndEndsWithItsWindow) {
    StartupListener listener(session_.display());
    ASSERT_TRUE(listener.isConnected());
    auto writeEntry = [&](const std::string& id, const std::string& body) {
        const fs::path file = applications_ / (id + ".desktop");
        std::ofstream(file) << "[Desktop Entry]\nType=Application\nExec=sh -c \"printenv DESKTOP_STARTUP_ID > "
                            << (applications_ / (id + ".seen")).string() << "\"\n"
                            << body;
        return file.string();
    };
    const std::string launched = writeEntry("org.example.Launched",
                                            "Name=Launched App\nName[de]=Gestartet\nIcon=launched\n"
                                            "StartupWMClass=Launched\nStartupNotify=true\n");
    const std::string quiet = writeEntry("org.example.Quiet", "Name=Quiet\nStartupNotify=false\n");
    auto seenId = [&](const std::string& id) {
        std::string text;
        const fs::path file = applications_ / (id + ".seen");
        until([&] {
            std::ifstream in(file);
            return std::getline(in, text) && !text.empty();
        });
        fs::remove(file);
        return text;
    };
    // Ours only: openbox ends a sequence itself when it sees the window.
    std::optional<xcb_window_t> ours;
    auto messages = [&] {
        std::vector<StartupMessage> out;
        for (const auto& [sender, text] : listener.messages()) {
            auto m = parseStartupMessage(text);
            EXPECT_TRUE(m) << text;
            if (m && m->type == "new" && !ours) ours = sender;
            if (m && sender == ours) out.push_back(*m);
        }
        return out;
    };
    auto received = [&](const std::string& type, const std::string& key, const std::string& value) {
        return until([&] {
            for (const auto& m : messages()) {
                if (m.type == type && m.field(key) == value) return true;
            }
            return false;
        });
    };

    setenv("LC_ALL", "de_DE.UTF-8", 1);
    struct Restore {
        ~Restore() { unsetenv("LC_ALL"); }
    } restore;  // also when an assertion ends the test early
    auto desktop = std::make_shared<X11Desktop>(session_.display().c_str());
    LinuxProcesses processes(std::make_shared<QtMainQueue>());
    LinuxWorkspace workspace(desktop, processes, std::nullopt, {applications_.string()});
    ASSERT_TRUE(until([&] { return workspace.urlForApplication("org.example.Launched") == launched; }));

    // Without StartupNotify the app gets an id with the launch's time, and no feedback starts.
    workspace.openApplication(quiet, OpenConfiguration{});
    const std::string quietId = seenId("org.example.Quiet");
    EXPECT_TRUE(quietId.starts_with("velorin-") && !quietId.ends_with("_TIME0")) << quietId;

    struct Case {
        const char* what;
        double timeout;
        std::function<std::optional<xcb_window_t>(const std::string& id)> answer;
    };
    const Case cases[] = {
        {"a window with its startup id", 60,
         [&](const std::string& id) { return client_->openWindow("other", "Other", 40010, 320, 240, id); }},
        {"a window of its StartupWMClass", 60,
         [&](const std::string&) { return client_->openWindow("launched", "Launched", 40011); }},
        {"no window in time", 0.2, [&](const std::string&) { return std::nullopt; }},
    };
    for (const auto& c : cases) {
        workspace.startupTimeoutSeconds = c.timeout;
        const std::size_t before = messages().size();
        workspace.openApplication(launched, OpenConfiguration{});
        std::optional<StartupMessage> begun;
        ASSERT_TRUE(until([&] {
            const auto all = messages();
            for (std::size_t i = before; i < all.size(); ++i) {
                if (all[i].type == "new") begun = all[i];
            }
            return begun.has_value();
        })) << c.what;
        const std::string id = begun->field("ID").value_or("");
        EXPECT_EQ(seenId("org.example.Launched"), id) << c.what;
        EXPECT_FALSE(id.ends_with("_TIME0")) << id;
        EXPECT_EQ(begun->field("NAME"), "Gestartet") << c.what;
        EXPECT_EQ(begun->field("SCREEN"), "0");
        EXPECT_EQ(begun->field("BIN"), "sh");
        EXPECT_EQ(begun->field("ICON"), "launched");
        EXPECT_EQ(begun->field("DESKTOP"), "0");
        EXPECT_EQ(begun->field("WMCLASS"), "Launched");
        EXPECT_EQ(begun->field("APPLICATION_ID"), launched);
        const auto window = c.answer(id);
        EXPECT_TRUE(received("remove", "ID", id)) << c.what << ": the feedback never ended";
        if (window) {
            client_->closeWindow(*window);
            ASSERT_TRUE(until([&] {
                const auto list = client_->clientList();
                return std::find(list.begin(), list.end(), *window) == list.end();
            }));
        }
    }
    int begins = 0;
    for (const auto& m : messages()) {
        begins += m.type == "new";
        EXPECT_NE(m.field("APPLICATION_ID"), quiet) << "feedback for an app that never ends it";
    }
    EXPECT_EQ(begins, 3);
}

}  // namespace
