// The KWin and GNOME Shell adapters against stand-ins on a private session
// bus: the KWin script is loaded and its reports name the front app, window
// commands reach the script and the extension, and bad reports change nothing.

#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFile>
#include <QRegularExpression>
#include <QTimer>

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
    EXPECT_EQ(received[0].toStdString(),
              R"([{"height":800,"id":"{a1}","op":"place","serial":"1","width":640,"x":0,"y":0}])");
    EXPECT_TRUE(platform_->workspace().hide(601));
    ask();
    ASSERT_TRUE(until([&] { return received.size() == 2; }));
    EXPECT_EQ(received[1].toStdString(), R"([{"id":"{a1}","op":"minimize"}])");
}

// The script carries a placement out after the command returned, and answers
// only when it can't: that answer, or a window that stayed put through the
// looks (the last 3.75 s after the placement), is told to the command that
// asked, once; an answer about a placement superseded since, or from anyone
// but KWin, is not.
TEST_F(KWinTest, aPlacementTheScriptCannotCarryOutIsToldToItsOwnCommandOnce) {
    const std::string cannotMove = "That window can't be moved or resized";
    const QString atLeftHalf = QString(report).replace("[10,20,800,600]", "[0,0,640,800]");
    // What the script does next: fetch the commands, and give the serial of the last placement.
    auto fetch = [&] {
        QString commands;
        auto* w = new QDBusPendingCallWatcher(fromScript("NextCommands"));
        QObject::connect(w, &QDBusPendingCallWatcher::finished, [&](QDBusPendingCallWatcher* self) {
            self->deleteLater();
            const QDBusPendingReply<QString> r = *self;
            commands = r.isError() ? "error" : r.value();
        });
        EXPECT_TRUE(until([&] { return !commands.isEmpty(); }));
        const auto found = QRegularExpression(R"re("op":"place","serial":"(\d+)")re").globalMatch(commands);
        QString serial;
        for (auto it = found; it.hasNext();) serial = it.next().captured(1);
        return serial;
    };
    auto refuse = [&](const QString& serial) { fromScript("Refused", {serial}); };
    struct Case {
        const char* name;
        std::function<void(LateFailures&)> steps;
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"the script refuses",
         [&](LateFailures& f) {
             f.run(Action::window(WindowCommand::leftHalf), "left");
             refuse(fetch());
         },
         {"left: " + cannotMove}},
        {"placed where asked",
         [&](LateFailures& f) {
             f.run(Action::window(WindowCommand::leftHalf), "left");
             fetch();
             fromScript("Windows", {atLeftHalf});
         },
         {}},
        {"the window stays where it was",
         [&](LateFailures& f) { f.run(Action::window(WindowCommand::leftHalf), "left"); },
         {"left: " + cannotMove}},
        {"the first refusal comes after the second command was sent",
         [&](LateFailures& f) {
             f.run(Action::window(WindowCommand::leftHalf), "left");
             const QString first = fetch();
             f.run(Action::window(WindowCommand::rightHalf), "right");
             const QString second = fetch();
             EXPECT_NE(first, second);
             refuse(first);
             settle();
             refuse(second);
         },
         {"right: " + cannotMove}},
        {"a refusal from anyone but KWin",
         [&](LateFailures& f) {
             f.run(Action::window(WindowCommand::leftHalf), "left");
             auto m = QDBusMessage::createMethodCall(KWinWindowSystem::serviceName, KWinWindowSystem::objectPath,
                                                     "app.velorin.KWin", "Refused");
             m << fetch();
             bus_.connect("stranger").asyncCall(m);
             settle();
             fromScript("Windows", {atLeftHalf});
         },
         {}},
    };
    for (const auto& c : cases) {
        fromScript("Windows", {report});
        ASSERT_TRUE(until([&] {
            return platform_->frontIdentifier() == "org.kde.dolphin" &&
                   windows_->windows()[0].frame == (Rect{{10, 20}, {800, 600}});
        })) << c.name;
        LateFailures failures;
        c.steps(failures);
        LateFailures::waitOutTheLooks();
        EXPECT_EQ(failures.told(), c.told) << c.name;
    }
}

TEST_F(KWinTest, kwinThatGoesAwayBeforeThePlacementSettledFailsIt) {
    fromScript("Windows", {report});
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.kde.dolphin"; }));
    LateFailures failures;
    failures.run(Action::window(WindowCommand::leftHalf), "left");
    settle();
    ASSERT_TRUE(kwinBus_.unregisterService("org.kde.KWin"));
    ASSERT_TRUE(until([&] { return !failures.told().empty(); }));
    settle();
    EXPECT_EQ(failures.told(), std::vector<std::string>{"left: That window can't be moved or resized"});
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
    EXPECT_TRUE(until([&] { return !extension_->calls().isEmpty(); }));
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

// The extension answers a placement within the call: a refusal, or no
// extension to answer, is told to the command after it returned; so is a
// window that stays put through the looks.
TEST_F(GnomeShellTest, aPlacementTheExtensionDoesNotCarryOutIsToldToItsCommand) {
    using Placing = FakeShellExtension::Placing;
    const std::string cannotMove = "That window can't be moved or resized";
    enableExtension();
    start();
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.kde.dolphin"; }));
    struct Case {
        const char* name;
        Placing placing;
        bool extensionGoes;  // between the command and the placement
        std::vector<std::string> told;
    };
    const Case cases[] = {
        {"placed", Placing::moves, false, {}},
        {"refused", Placing::refuses, false, {"left: " + cannotMove}},
        {"the window stays where it was", Placing::staysPut, false, {"left: " + cannotMove}},
        {"the extension is switched off", Placing::moves, true, {"left: " + cannotMove}},
    };
    for (const auto& c : cases) {
        extension_->setReport(report);
        extension_->setPlacing(c.placing);
        changed();
        ASSERT_TRUE(until([&] {
            return !windows_->windows().empty() && windows_->windows()[0].frame == (Rect{{10, 20}, {800, 600}});
        })) << c.name;
        LateFailures failures;
        failures.run(Action::window(WindowCommand::leftHalf), "left");
        if (c.extensionGoes) shellBus_.unregisterObject(GnomeShellWindowSystem::objectPath);
        LateFailures::waitOutTheLooks();
        EXPECT_EQ(failures.told(), c.told) << c.name;
        if (c.extensionGoes) enableExtension();
    }
}

// A Shell that holds its answer does not hold the event loop: the placement
// goes on when the answer comes, and fails its command once when none comes
// before the call's timeout.
TEST_F(GnomeShellTest, aShellThatHoldsItsAnswerLeavesTheEventLoopRunning) {
    using Placing = FakeShellExtension::Placing;
    enableExtension();
    start();
    ASSERT_TRUE(until([&] { return platform_->frontIdentifier() == "org.kde.dolphin"; }));
    extension_->setPlacing(Placing::holds);
    auto placements = [&] { return extension_->calls().filter(QRegularExpression("^Place ")).size(); };

    LateFailures failures;
    failures.run(Action::window(WindowCommand::leftHalf), "left");
    ASSERT_TRUE(until([&] { return placements() == 1; }));
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    EXPECT_TRUE(until([&] { return ran; })) << "the event loop waited for the Shell";
    EXPECT_EQ(failures.told(), std::vector<std::string>{});
    extension_->answerHeld(shellBus_, true);
    LateFailures::waitOutTheLooks();
    EXPECT_EQ(failures.told(), std::vector<std::string>{}) << "the placement held once the Shell answered";

    failures.run(Action::window(WindowCommand::rightHalf), "right");
    ASSERT_TRUE(until([&] { return placements() >= 2; }));
    ASSERT_TRUE(waitFor([&] { return !failures.told().empty(); }, [] { spinEventLoop(); }, 10000));
    LateFailures::waitOutTheLooks();
    EXPECT_EQ(failures.told(), std::vector<std::string>{"right: That window can't be moved or resized"});
    extension_->answerHeld(shellBus_, false);
}

}  // namespace
