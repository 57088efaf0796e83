// Entries with DBusActivatable=true are asked over the bus, under the name
// their id gives, against stand-in apps on a private session bus: what each
// is asked, and what happens when none answers.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <QRegularExpression>

#include <unistd.h>

#include "FakeDesktopBus.h"
#include "Platform/Linux/DBusActivation.h"
#include "Platform/Linux/LinuxWorkspace.h"
#include "Platform/Linux/QtServices.h"
#include "QtTestApp.h"
#include "RecordingProcesses.h"
#include "XSession.h"

using namespace velorin;
using namespace velorin::linux_platform;
using namespace velorin::testing;
namespace fs = std::filesystem;

namespace {

TEST(DBusActivation, anAppsBusNameAndObjectPathComeFromItsDesktopId) {
    const std::pair<const char*, std::optional<std::string>> names[] = {
        {"org.gnome.Nautilus", "org.gnome.Nautilus"},
        {"org.example.my-app", "org.example.my-app"},
        {"io.github.app_2.Tool", "io.github.app_2.Tool"},
        {"firefox", std::nullopt},           // one element only
        {"org..example", std::nullopt},
        {"org.example.", std::nullopt},
        {"org.2example.App", std::nullopt},  // an element may not start with a digit
        {"org.example.My App", std::nullopt},
        {"kde4-dolphin", std::nullopt},
    };
    for (const auto& [id, name] : names) EXPECT_EQ(applicationBusName(id), name) << id;
    EXPECT_EQ(applicationObjectPath("org.gnome.Nautilus"), "/org/gnome/Nautilus");
    EXPECT_EQ(applicationObjectPath("org.example.my-app"), "/org/example/my_app");
}

class DBusActivationTest : public ::testing::Test {
protected:
    void SetUp() override {
        qtApp();
        std::string error;
        if (!bus_.start(error)) GTEST_SKIP() << error;
        fs::create_directories(applications_);
        serve(served_, "org.example.Served");
        serve(failing_, "org.example.Failing");
        workspace_ = std::make_unique<LinuxWorkspace>(std::make_shared<X11Desktop>(""), processes_, std::nullopt,
                                                      std::vector<std::string>{applications_.string()});
        workspace_->setApplicationBus(applicationBusAt(bus_.address()));
    }
    void TearDown() override {
        workspace_.reset();
        std::error_code ec;
        fs::remove_all(applications_, ec);
    }

    void serve(FakeApplication* app, const QString& name) {
        QDBusConnection connection = bus_.connect("app");
        ASSERT_TRUE(connection.registerService(name));
        thread_.adopt(app);
        ASSERT_TRUE(connection.registerObject(QString::fromStdString(applicationObjectPath(name.toStdString())), app,
                                              QDBusConnection::ExportAllSlots));
    }
    std::string entry(const std::string& id, const std::string& body) {
        const fs::path file = applications_ / (id + ".desktop");
        std::ofstream(file) << "[Desktop Entry]\nType=Application\nName=" << id << "\nDBusActivatable=true\n" << body;
        return file.string();
    }

    PrivateBus bus_;
    DesktopThread thread_;
    FakeApplication* served_ = new FakeApplication;
    FakeApplication* failing_ = new FakeApplication(true);
    fs::path applications_ = fs::temp_directory_path() / ("velorin-bus-apps-" + std::to_string(getpid()));
    RecordingProcesses processes_;
    std::unique_ptr<LinuxWorkspace> workspace_;
};

TEST_F(DBusActivationTest, anActivatableAppIsAskedOverTheBusAndItsCommandRunsOnlyWhenItDoesNotAnswer) {
    using Start = RecordingProcesses::Start;
    struct Case {
        const char* what;
        std::string path;
        OpenConfiguration configuration;
        QStringList asked;            // of the served app
        std::vector<Start> started;
        bool failed;
    };
    const std::string served = entry("org.example.Served", "Exec=served-app\n");
    const Case cases[] = {
        {"on the bus", served, {}, {"Activate <> <>"}, {}, false},
        {"in the background: its startup id goes along", served, {false, {}},
         {"Activate <velorin-…_TIME0> <velorin-…_TIME0>"}, {}, false},
        {"with something to open", served, {true, {"/tmp/My File.txt", "https://example.com/"}},
         {"Open file:///tmp/My%20File.txt https://example.com/ <> <>"}, {}, false},
        {"not on the bus: its command", entry("org.example.Absent", "Exec=absent-app --x\n"), {}, {},
         {{"absent-app", {"--x"}}}, false},
        {"answering with an error: its command", entry("org.example.Failing", "Exec=failing-app\n"), {}, {},
         {{"failing-app", {}}}, false},
        {"not on the bus and no command", entry("org.example.NoCommand", ""), {}, {}, {}, true},
        {"an id that is no bus name: its command at once", entry("nobus", "Exec=nobus-app\n"), {}, {},
         {{"nobus-app", {}}}, false},
    };
    for (const auto& c : cases) {
        const int before = served_->calls().size();
        processes_.starts.clear();
        processes_.options.clear();
        bool failed = false;
        workspace_->openApplicationReporting(c.path, c.configuration, [&] { failed = true; });
        const auto asked = [&] { return served_->calls().mid(before); };
        waitFor([&] { return failed || !processes_.starts.empty() || !asked().isEmpty(); }, [] { spinEventLoop(); });
        spinEventLoop(50);  // nothing more comes
        QStringList got = asked();
        // The id's middle names this process and launch.
        got.replaceInStrings(QRegularExpression("<velorin-[^>]*_TIME0>"), "<velorin-…_TIME0>");
        EXPECT_EQ(got, c.asked) << c.what;
        EXPECT_EQ(processes_.starts, c.started) << c.what;
        EXPECT_EQ(failed, c.failed) << c.what;
        EXPECT_TRUE(failing_->calls().isEmpty());
    }
}

}  // namespace
