// The GNOME Shell adapter and our extension against a real GNOME Shell,
// headless: no front app until the extension is enabled, then the front app
// follows the focus, a window command moves and resizes the focused window,
// and one the extension can't carry out is told to its command afterwards.

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusReply>

#include <algorithm>

#include <poll.h>
#include <unistd.h>

#include "Actions/ActionRunner.h"
#include "CompositorPlatform.h"
#include "CompositorSession.h"
#include "Platform/Linux/GnomeShellWindowSystem.h"
#include "Platform/Linux/ShellReport.h"
#include "QtTestApp.h"
#include "XSession.h"

using namespace velorin;
using namespace velorin::linux_platform;
using namespace velorin::testing;

namespace {

bool until(const std::function<bool()>& done, int ms = 20000) {
    return waitFor(done, [] { spinEventLoop(); }, ms);
}

std::string frameText(const std::optional<Rect>& f) {
    if (!f) return "no frame";
    return std::to_string(f->origin.x) + "," + std::to_string(f->origin.y) + " " + std::to_string(f->size.width) +
           "x" + std::to_string(f->size.height);
}

TEST(GnomeShellSession, theExtensionNamesTheFrontAppAndPlacesTheFocusedWindow) {
    CompositorSession session(CompositorSession::Kind::gnomeShell);
    if (auto missing = session.missingProgram()) {
        GTEST_SKIP() << *missing << " is not installed: no GNOME Shell to test against";
    }
    qtApp();
    if (auto error = session.start()) FAIL() << *error;
    const QString name = QString("velorin-gnome-%1").arg(getpid());
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(session.busAddress()), name);
        ASSERT_TRUE(bus.isConnected());
        ASSERT_TRUE(until([&] { return bus.interface()->isServiceRegistered("org.gnome.Shell").value(); }))
            << "GNOME Shell never came onto its bus";
        auto windows = std::make_shared<GnomeShellWindowSystem>(bus);
        CompositorPlatform platform(windows);

        const pid_t firefox = session.openClient("firefox");
        ASSERT_GT(firefox, 0);
        // Without the extension GNOME tells nothing.
        for (int i = 0; i < 20; ++i) spinEventLoop(25);
        EXPECT_EQ(platform.workspace().frontmostApplication(), std::nullopt);

        auto enable = QDBusMessage::createMethodCall("org.gnome.Shell", "/org/gnome/Shell",
                                                     "org.gnome.Shell.Extensions", "EnableExtension");
        enable << QString("velorin@velorin.app");
        // The Shell takes its name a moment before it answers on it.
        QDBusReply<bool> enabled;
        ASSERT_TRUE(until([&] {
            enabled = bus.call(enable, QDBus::Block, 10000);
            return enabled.isValid() && enabled.value();
        })) << enabled.error().message().toStdString();
        ASSERT_TRUE(until([&] { return platform.workspace().runningApplications().size() == 1; }))
            << "the extension never reported the window";
        ASSERT_TRUE(platform.workspace().activate(firefox));
        ASSERT_TRUE(until([&] { return platform.frontIdentifier() == "org.mozilla.firefox"; }));

        std::vector<std::optional<std::string>> activated;
        platform.workspace().addObserver(WorkspaceNotice::didActivateApplication, [&](const auto& app) {
            activated.push_back(app ? app->bundleIdentifier : std::nullopt);
        });
        const pid_t files = session.openClient("org.gnome.Nautilus");
        ASSERT_TRUE(until([&] { return platform.workspace().runningApplications().size() == 2; }));
        ASSERT_TRUE(platform.workspace().activate(files));
        ASSERT_TRUE(until([&] { return platform.frontIdentifier() == "org.gnome.Nautilus"; }));
        EXPECT_EQ(activated.back(), "org.gnome.Nautilus");

        LateFailures failures;
        failures.run(Action::window(WindowCommand::rightHalf), "rightHalf");
        const Rect expected{{640, 0}, {640, 800}};
        EXPECT_TRUE(until([&] {
            const auto front = windows->activeWindow();
            return front && windows->frame(front->id) == expected;
        })) << [&] {
            const auto front = windows->activeWindow();
            return frameText(front ? windows->frame(front->id) : std::nullopt);
        }();
        LateFailures::waitOutTheLooks();
        EXPECT_EQ(failures.told(), std::vector<std::string>{}) << "a placement that held";
        // The window goes after the command, before the extension got its
        // placement (the event loop did not run): the extension refuses it.
        const auto w = std::find_if(windows->windows().begin(), windows->windows().end(),
                                    [&](const auto& x) { return x.pid == files; });
        ASSERT_NE(w, windows->windows().end());
        // Asked on the test's own turn, so the adapter hears nothing meanwhile.
        const auto shellHasIt = [&, key = w->key] {
            const auto ask = QDBusMessage::createMethodCall(GnomeShellWindowSystem::shellService,
                                                            GnomeShellWindowSystem::objectPath,
                                                            GnomeShellWindowSystem::interfaceName, "Windows");
            const QDBusReply<QString> reply = bus.call(ask, QDBus::Block, 5000);
            const auto report = reply.isValid() ? shell::parseReport(reply.value().toStdString()) : std::nullopt;
            return !report || std::any_of(report->windows.begin(), report->windows.end(),
                                          [&](const auto& x) { return x.key == key; });
        };
        failures.runAsTheWindowCloses(Action::window(WindowCommand::maximize), "maximize", [&] {
            session.closeClient(files);
            EXPECT_TRUE(waitFor([&] { return !shellHasIt(); }, [] { poll(nullptr, 0, 20); }, 20000))
                << "the Shell still has the window";
        });
        EXPECT_EQ(failures.told(), std::vector<std::string>{"maximize: That window can't be moved or resized"});
    }
    QDBusConnection::disconnectFromBus(name);
}

}  // namespace
