// The KWin adapter and its script against a real KWin on its virtual
// backend: the script is loaded, the front app follows the focus, a window
// command moves and resizes the focused window, and one the script can't
// carry out is told to its command afterwards.

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusReply>

#include <algorithm>

#include <poll.h>
#include <unistd.h>

#include "Actions/ActionRunner.h"
#include "CompositorPlatform.h"
#include "CompositorSession.h"
#include "Platform/Linux/KWinWindowSystem.h"
#include "QtTestApp.h"
#include "XSession.h"

using namespace velorin;
using namespace velorin::linux_platform;
using namespace velorin::testing;

namespace {

bool until(const std::function<bool()>& done, int ms = 15000) {
    return waitFor(done, [] { spinEventLoop(); }, ms);
}

TEST(KWinSession, theScriptNamesTheFrontAppAndPlacesTheFocusedWindow) {
    CompositorSession session(CompositorSession::Kind::kwin);
    if (auto missing = session.missingProgram()) {
        GTEST_SKIP() << *missing << " is not installed: no KWin to test against";
    }
    qtApp();
    if (auto error = session.start()) FAIL() << *error;
    const QString name = QString("velorin-kwin-%1").arg(getpid());
    {
        QDBusConnection bus = QDBusConnection::connectToBus(QString::fromStdString(session.busAddress()), name);
        ASSERT_TRUE(bus.isConnected());
        ASSERT_TRUE(until([&] { return bus.interface()->isServiceRegistered("org.kde.KWin").value(); }))
            << "KWin never came onto its bus";
        auto windows = std::make_shared<KWinWindowSystem>(bus, session.sharedFile("velorin-kwin.js"));
        CompositorPlatform platform(windows);
        ASSERT_TRUE(until([&] { return windows->scriptLoaded(); })) << "KWin did not take the script";

        std::vector<std::optional<std::string>> activated;
        platform.workspace().addObserver(WorkspaceNotice::didActivateApplication, [&](const auto& app) {
            activated.push_back(app ? app->bundleIdentifier : std::nullopt);
        });
        const pid_t firefox = session.openClient("firefox");
        ASSERT_TRUE(until([&] { return platform.frontIdentifier() == "org.mozilla.firefox"; }));
        session.openClient("org.gnome.Nautilus");
        ASSERT_TRUE(until([&] { return platform.frontIdentifier() == "org.gnome.Nautilus"; }));
        ASSERT_TRUE(platform.workspace().activate(firefox));
        ASSERT_TRUE(until([&] { return platform.frontIdentifier() == "org.mozilla.firefox"; }));
        EXPECT_NE(std::find(activated.begin(), activated.end(), "org.gnome.Nautilus"), activated.end());
        EXPECT_EQ(activated.back(), "org.mozilla.firefox");

        LateFailures failures;
        failures.run(Action::window(WindowCommand::leftHalf), "leftHalf");
        const Rect expected{{0, 0}, {640, 800}};
        EXPECT_TRUE(until([&] {
            const auto front = windows->activeWindow();
            return front && windows->frame(front->id) == expected;
        })) << [&] {
            const auto front = windows->activeWindow();
            const auto f = front ? windows->frame(front->id) : std::nullopt;
            if (!f) return std::string("no frame");
            return std::to_string(f->origin.x) + "," + std::to_string(f->origin.y) + " " + std::to_string(f->size.width) +
                   "x" + std::to_string(f->size.height);
        }();
        // It held: nothing is told later.
        LateFailures::waitOutTheLooks();
        EXPECT_EQ(failures.told(), std::vector<std::string>{});
        // The window goes after the command, before the script fetched its
        // placement (the event loop did not run): the script refuses it.
        const auto w = std::find_if(windows->windows().begin(), windows->windows().end(),
                                    [&](const auto& x) { return x.pid == firefox; });
        ASSERT_NE(w, windows->windows().end());
        // Asked on the test's own turn, so the adapter hears nothing meanwhile;
        // KWin answers an empty map for a window it no longer has.
        const auto kwinHasIt = [&, key = w->key] {
            auto info = QDBusMessage::createMethodCall("org.kde.KWin", "/KWin", "org.kde.KWin", "getWindowInfo");
            info << QString::fromStdString(key);
            const QDBusReply<QVariantMap> reply = bus.call(info, QDBus::Block, 5000);
            return !reply.isValid() || !reply.value().isEmpty();
        };
        EXPECT_TRUE(kwinHasIt()) << "KWin does not know the window by its id";
        failures.runAsTheWindowCloses(Action::window(WindowCommand::maximize), "maximize", [&] {
            session.closeClient(firefox);
            EXPECT_TRUE(waitFor([&] { return !kwinHasIt(); }, [] { poll(nullptr, 0, 20); }, 20000))
                << "KWin still has the window";
        });
        EXPECT_EQ(failures.told(), std::vector<std::string>{"maximize: That window can't be moved or resized"});
        // At quit the script goes.
        windows->unloadScript();
        auto loaded = QDBusMessage::createMethodCall("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting",
                                                     "isScriptLoaded");
        loaded << QString(KWinWindowSystem::pluginName);
        const QDBusReply<bool> reply = bus.call(loaded, QDBus::Block, 5000);
        ASSERT_TRUE(reply.isValid()) << reply.error().message().toStdString();
        EXPECT_FALSE(reply.value());
    }
    QDBusConnection::disconnectFromBus(name);
}

}  // namespace
