// The KWin and GNOME Shell adapters against stand-ins on a private session
// bus: the KWin script is loaded and its reports name the front app, window
// commands reach the script and the extension, and bad reports change nothing.

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>

#include <filesystem>

#include <unistd.h>

#include "Actions/ActionRunner.h"
#include "CompositorPlatform.h"
#include "FakeDesktopBus.h"
#include "Platform/Linux/GnomeShellWindowSystem.h"
#include "Platform/Linux/KWinWindowSystem.h"
#include "QtTestApp.h"
#include "XSession.h"

using namespace velorin;
using namespace velorin::linux_platform;
using namespace velorin::testing;
namespace fs = std::filesystem;

namespace {

const QString report = R"({"active":"{a1}","windows":[
  {"id":"{a1}","pid":601,"appId":"org.kde.dolphin","title":"Home","hidden":false,"frame":[10,20,800,600]},
  {"id":"{a2}","pid":602,"appId":"firefox","title":"Mozilla","hidden":false,"frame":[0,0,640,480]}]})";
const QString firefoxInFront = QString(report).replace(R"("active":"{a1}")", R"("active":"{a2}")");

bool until(const std::function<bool()>& done) { return waitFor(done, [] { spinEventLoop(); }, 5000); }
void settle() {
    for (int i = 0; i < 10; ++i) spinEventLoop(10);
}

// Reports that are not reports: each leaves what is known as it was.
const char* badReports[] = {
    "",
    "not json",
    R"({"active":"{a2}","windows":[{"id":"{a2}","pid":602,)",
    R"({"active":"{a2}"})",
    R"({"active":"{a2}","windows":{"id":"{a2}"}})",
    R"([{"active":"{a2}"}])",
};

class KWinTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtApp();
        std::string error;
        if (!bus_.start(error)) GTEST_SKIP() << error;
        kwinBus_ = bus_.connect("kwin");
        ASSERT_TRUE(kwinBus_.registerService("org.kde.KWin"));
        kwin_ = new FakeKWin(kwinBus_);
        thread_.adopt(kwin_);
        ASSERT_TRUE(kwinBus_.registerObject("/Scripting", kwin_, QDBusConnection::ExportAllSlots));
        windows_ = std::make_shared<KWinWindowSystem>(bus_.connect("app"), script_.string());
        platform_ = std::make_unique<CompositorPlatform>(windows_);
        ASSERT_TRUE(until([&] { return windows_->scriptLoaded(); }));
    }
    void TearDown() override {
        platform_.reset();
        windows_.reset();
        std::error_code ec;
        fs::remove(script_, ec);
    }
    // What the script does: a call from KWin's own connection.
    QDBusPendingCall fromScript(const char* method, const QList<QVariant>& arguments = {}) {
        auto m = QDBusMessage::createMethodCall(KWinWindowSystem::serviceName, KWinWindowSystem::objectPath,
                                                "app.velorin.KWin", method);
        m.setArguments(arguments);
        return kwinBus_.asyncCall(m, 30000);
    }

    PrivateBus bus_;
    DesktopThread thread_;
    QDBusConnection kwinBus_{QString()};
    FakeKWin* kwin_ = nullptr;
    fs::path script_ = fs::temp_directory_path() / ("velorin-kwin-test-" + std::to_string(getpid()) + ".js");
    std::shared_ptr<KWinWindowSystem> windows_;
    std::unique_ptr<CompositorPlatform> platform_;
};

TEST_F(KWinTest, theScriptIsLoadedAndRunAndItsReportsNameTheFrontApp) {
    const QStringList calls = kwin_->calls();
    EXPECT_TRUE(calls.contains("loadScript " + QString::fromStdString(script_.string()) + " velorin")) << calls.join("; ").toStdString();
    EXPECT_TRUE(calls.contains("run /Scripting/Script1")) << calls.join("; ").toStdString();
    QFile file(QString::fromStdString(script_.string()));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), kwinScriptText());

    fromScript("Windows", {report});
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.kde.dolphin"; }));
    std::vector<std::optional<std::string>> activated;
    platform_->workspace().addObserver(WorkspaceNotice::didActivateApplication, [&](const auto& app) {
        activated.push_back(app ? app->bundleIdentifier : std::nullopt);
    });
    fromScript("Windows", {firefoxInFront});
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.mozilla.firefox"; }));
    EXPECT_EQ(activated, (std::vector<std::optional<std::string>>{"org.mozilla.firefox"}));

    // Reports from anyone but KWin are not believed; bad ones change nothing.
    auto stranger = bus_.connect("stranger");
    auto m = QDBusMessage::createMethodCall(KWinWindowSystem::serviceName, KWinWindowSystem::objectPath,
                                            "app.velorin.KWin", "Windows");
    m << report;
    stranger.asyncCall(m);
    for (const char* bad : badReports) fromScript("Windows", {QString(bad)});
    settle();
    EXPECT_EQ(platform_->frontIdentifier(), "org.mozilla.firefox");
    EXPECT_EQ(platform_->workspace().runningApplications().size(), 2u);
}

TEST_F(KWinTest, windowCommandsReachTheScriptWhenItAsks) {
    fromScript("Windows", {report});
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.kde.dolphin"; }));
    QStringList received;
    auto ask = [&] {
        auto* w = new QDBusPendingCallWatcher(fromScript("NextCommands"));
        QObject::connect(w, &QDBusPendingCallWatcher::finished, [&](QDBusPendingCallWatcher* self) {
            self->deleteLater();
            const QDBusPendingReply<QString> r = *self;
            received << (r.isError() ? "error " + r.error().message() : r.value());
        });
    };
    ask();
    settle();
    EXPECT_TRUE(received.isEmpty()) << "the question waits until there is a command";
    ActionRunner().run(Action::window(WindowCommand::leftHalf));
    ASSERT_TRUE(until([&] { return received.size() == 1; }));
    // Size, position and size again come out as one placement.
    EXPECT_EQ(received[0].toStdString(), R"([{"height":800,"id":"{a1}","op":"place","width":640,"x":0,"y":0}])");
    EXPECT_TRUE(platform_->workspace().hide(601));
    ask();
    ASSERT_TRUE(until([&] { return received.size() == 2; }));
    EXPECT_EQ(received[1].toStdString(), R"([{"id":"{a1}","op":"minimize"}])");
}

TEST_F(KWinTest, kwinThatGoesAwayLeavesNoFrontAppAndGetsTheScriptAgain) {
    fromScript("Windows", {report});
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.kde.dolphin"; }));
    ASSERT_TRUE(kwinBus_.unregisterService("org.kde.KWin"));
    ASSERT_TRUE(until([&] { return !platform_->workspace().frontmostApplication(); }));
    EXPECT_THROW(ActionRunner().run(Action::window(WindowCommand::maximize)), ActionError);
    ASSERT_TRUE(kwinBus_.registerService("org.kde.KWin"));
    EXPECT_TRUE(until([&] { return kwin_->calls().count("run /Scripting/Script2") == 1; }));

    // The script is unloaded when the app ends.
    platform_.reset();
    windows_.reset();
    EXPECT_TRUE(until([&] { return kwin_->calls().last() == "unloadScript velorin"; }));
}

class GnomeShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtApp();
        std::string error;
        if (!bus_.start(error)) GTEST_SKIP() << error;
        shellBus_ = bus_.connect("shell");
        ASSERT_TRUE(shellBus_.registerService(GnomeShellWindowSystem::shellService));
        extension_ = new FakeShellExtension;
        extension_->setReport(report);
        thread_.adopt(extension_);
    }
    void enableExtension() {
        ASSERT_TRUE(shellBus_.registerObject(GnomeShellWindowSystem::objectPath, extension_,
                                             QDBusConnection::ExportAllSlots));
        changed();
    }
    void changed() {
        shellBus_.send(QDBusMessage::createSignal(GnomeShellWindowSystem::objectPath,
                                                  GnomeShellWindowSystem::interfaceName, "Changed"));
    }
    void start() {
        windows_ = std::make_shared<GnomeShellWindowSystem>(bus_.connect("app"));
        platform_ = std::make_unique<CompositorPlatform>(windows_);
    }
    void TearDown() override {
        platform_.reset();
        windows_.reset();
    }

    PrivateBus bus_;
    DesktopThread thread_;
    QDBusConnection shellBus_{QString()};
    FakeShellExtension* extension_ = nullptr;
    std::shared_ptr<GnomeShellWindowSystem> windows_;
    std::unique_ptr<CompositorPlatform> platform_;
};

TEST_F(GnomeShellTest, withoutTheExtensionThereIsNoFrontAppUntilItIsEnabled) {
    start();
    settle();
    EXPECT_EQ(platform_->workspace().frontmostApplication(), std::nullopt);
    EXPECT_THROW(ActionRunner().run(Action::window(WindowCommand::maximize)), ActionError);
    enableExtension();
    EXPECT_TRUE(until([&] { return platform_->frontIdentifier() == "org.kde.dolphin"; }));
}

TEST_F(GnomeShellTest, theFrontAppFollowsTheExtensionAndWindowCommandsReachIt) {
    enableExtension();
    start();
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.kde.dolphin"; }));
    extension_->setReport(firefoxInFront);
    changed();
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.mozilla.firefox"; }));

    ActionRunner().run(Action::window(WindowCommand::rightHalf));
    settle();
    EXPECT_EQ(extension_->calls(), QStringList{"Place {a2} 640 0 640 800"});
    EXPECT_TRUE(platform_->workspace().hide(602));
    EXPECT_EQ(extension_->calls().last(), "Minimize {a2}");

    for (const char* bad : badReports) {
        extension_->setReport(bad);
        changed();
        settle();
        EXPECT_EQ(platform_->frontIdentifier(), "org.mozilla.firefox") << bad;
    }
}

}  // namespace
