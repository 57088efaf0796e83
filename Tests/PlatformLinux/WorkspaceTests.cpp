// The workspace's opening paths, with no X server: what starts for each kind
// of target, and where installed apps are found.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Linux/LinuxBasics.h"
#include "Platform/Linux/LinuxProcesses.h"
#include "Platform/Linux/LinuxWorkspace.h"
#include "Platform/Linux/QtServices.h"
#include "QtTestApp.h"
#include "RecordingProcesses.h"

using namespace velorin;
using namespace velorin::linux_platform;
using velorin::testing::qtApp;
using velorin::testing::RecordingProcesses;
using velorin::testing::spinEventLoop;
namespace fs = std::filesystem;
using Start = RecordingProcesses::Start;

namespace {

const std::string page = "file:///opt/velorin/Resources/input-permissions.html";

class WorkspaceWithoutX : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(data_ / "applications");
        writeEntry("code", "Name=Visual Studio Code\nExec=/usr/share/code/code --unity-launch %F\nIcon=vscode\n");
        writeEntry("org.example.Tool", "Name=Tool\nExec=\"/opt/My Tool/tool\" %u\nNoDisplay=true\nIcon=" +
                                           (data_ / "tool.png").string() + "\n");
        writeEntry("broken", "Name=Broken\nExec=\"unterminated\n");
        writeEntry("org.example.Build", "Name=Build\nExec=make %k\nPath=/srv/project\n");
        std::ofstream(data_ / "tool.png") << "png";
        workspace_ = std::make_unique<LinuxWorkspace>(std::make_shared<X11Desktop>(""), processes_, page,
                                                      std::vector<std::string>{(data_ / "applications").string()});
    }
    void TearDown() override { fs::remove_all(data_); }

    void writeEntry(const std::string& id, const std::string& body) {
        std::ofstream(data_ / "applications" / (id + ".desktop")) << "[Desktop Entry]\nType=Application\n" << body;
    }
    std::string entry(const std::string& id) { return (data_ / "applications" / (id + ".desktop")).string(); }

    fs::path data_ = fs::temp_directory_path() / ("velorin-data-" + std::to_string(getpid()));
    RecordingProcesses processes_;
    std::unique_ptr<LinuxWorkspace> workspace_;
};

TEST_F(WorkspaceWithoutX, addressesOpenWithTheDesktopsHandlersOrTheirCounterparts) {
    std::ofstream(data_ / "My Doc.pdf") << "%PDF";
    const std::string document = "file://" + (data_ / "My%20Doc.pdf").string();
    struct Case {
        std::string url;
        bool opened;
        std::vector<Start> starts;
    };
    const Case cases[] = {
        {"https://example.com/a b", true, {{"xdg-open", {"https://example.com/a b"}}}},
        {document, true, {{"xdg-open", {document}}}},
        // A file that isn't there: nothing starts, and the opening fails now.
        {"file:///nonexistent/velorin/My%20Doc.pdf", false, {}},
        {"notion://www.notion.so/x", true, {{"xdg-open", {"notion://www.notion.so/x"}}}},
        {"file:///System/Library/CoreServices/ScreenSaverEngine.app", true, {{"xdg-screensaver", {"activate"}}}},
        {"x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility", true,
         {{"xdg-open", {page}}}},
        {"x-apple.systempreferences:com.apple.preference.security?Privacy_Automation", false, {}},
    };
    for (const auto& c : cases) {
        processes_.starts.clear();
        EXPECT_EQ(workspace_->open(c.url), c.opened) << c.url;
        EXPECT_EQ(processes_.starts, c.starts) << c.url;
    }
}

// A handler that gives up, the way xdg-open does with no app for an address:
// the failure arrives once it ends, on the main thread.
TEST_F(WorkspaceWithoutX, anOpeningThatFailsLaterIsReported) {
    qtApp();
    const fs::path bin = data_ / "bin";
    fs::create_directories(bin);
    std::ofstream(bin / "xdg-open") << "#!/bin/sh\ncase \"$1\" in *unhandled*) exit 4;; esac\nexit 0\n";
    fs::permissions(bin / "xdg-open", fs::perms::owner_all);
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    setenv("PATH", (bin.string() + ":" + path).c_str(), 1);
    LinuxProcesses processes(std::make_shared<QtMainQueue>());
    LinuxWorkspace workspace(std::make_shared<X11Desktop>(""), processes, page, {});
    std::vector<std::string> failed;
    for (const std::string url : {"unhandled-scheme:x", "https://example.com/"}) {
        EXPECT_TRUE(workspace.openReporting(url, [&failed, url] { failed.push_back(url); })) << url;
    }
    for (int i = 0; i < 300 && failed.empty(); ++i) spinEventLoop(10);
    spinEventLoop(100);  // the one that succeeded has ended by now too
    setenv("PATH", path.c_str(), 1);
    EXPECT_EQ(failed, (std::vector<std::string>{"unhandled-scheme:x"}));
}

TEST_F(WorkspaceWithoutX, appsOpenByTheirEntrysCommandNeverThroughAShell) {
    const fs::path script = data_ / "run me.sh";
    std::ofstream(script) << "#!/bin/sh\n";
    fs::permissions(script, fs::perms::owner_all);
    struct Case {
        std::string path;
        std::vector<std::string> arguments;
        std::vector<Start> starts;
    };
    const Case cases[] = {
        {entry("code"), {}, {{"/usr/share/code/code", {"--unity-launch"}}}},
        {entry("org.example.Tool"), {"1", "two words"}, {{"/opt/My Tool/tool", {"1", "two words"}}}},
        {entry("broken"), {}, {}},
        {entry("org.example.Build"), {}, {{"make", {entry("org.example.Build")}}}},
        {(data_ / "missing.desktop").string(), {}, {}},
        {script.string(), {"x"}, {{script.string(), {"x"}}}},
        {data_.string(), {}, {{"xdg-open", {data_.string()}}}},
        {"/System/Library/CoreServices/ScreenSaverEngine.app", {}, {{"xdg-screensaver", {"activate"}}}},
        // Showing the desktop is the window manager's, and there is none here.
        {"/System/Applications/Mission Control.app", {"1"}, {}},
    };
    for (const auto& c : cases) {
        processes_.starts.clear();
        workspace_->openApplication(c.path, OpenConfiguration{true, c.arguments});
        EXPECT_EQ(processes_.starts, c.starts) << c.path;
    }
    // Path= is the folder the program starts in.
    processes_.options.clear();
    workspace_->openApplication(entry("org.example.Build"), OpenConfiguration{});
    ASSERT_EQ(processes_.options.size(), 1u);
    EXPECT_EQ(processes_.options[0].workingDirectory, "/srv/project");
}

// In the background, the program is told by its startup notification not to take focus.
TEST_F(WorkspaceWithoutX, anAppOpenedInTheBackgroundStartsWithAStartupTimeOfZero) {
    auto startupIds = [&] {
        std::vector<std::string> ids;
        for (const auto& [name, value] : processes_.options.back().environment) {
            if (name == "DESKTOP_STARTUP_ID") ids.push_back(value);
        }
        return ids;
    };
    workspace_->openApplication(entry("code"), OpenConfiguration{false, {}});
    ASSERT_EQ(processes_.starts.size(), 1u);
    ASSERT_EQ(startupIds().size(), 1u);
    const std::string first = startupIds()[0];
    EXPECT_TRUE(first.starts_with("velorin-") && first.ends_with("_TIME0")) << first;

    workspace_->openApplication(entry("code"), OpenConfiguration{false, {}});
    ASSERT_EQ(startupIds().size(), 1u);
    EXPECT_NE(startupIds()[0], first) << "each launch is a startup of its own";

    workspace_->openApplication(entry("code"), OpenConfiguration{true, {}});
    EXPECT_TRUE(startupIds().empty());
}

TEST_F(WorkspaceWithoutX, installedAppsAreFoundByTheIdentifierTheyAreReportedUnder) {
    EXPECT_EQ(workspace_->urlForApplication("com.microsoft.VSCode"), entry("code"));
    EXPECT_EQ(workspace_->urlForApplication("org.example.Tool"), entry("org.example.Tool"));  // unlisted, installed
    EXPECT_EQ(workspace_->urlForApplication("code"), std::nullopt);
    EXPECT_EQ(workspace_->urlForApplication("com.apple.Safari"), std::nullopt);

    // Icons (the theme lookup has tests of its own): the entry's own file.
    EXPECT_EQ(workspace_->iconForFile(entry("org.example.Tool")), (Icon{(data_ / "tool.png").string(), {}}));
    EXPECT_EQ(workspace_->iconForFile(entry("broken")), std::nullopt);
    EXPECT_EQ(workspace_->iconForFile("/usr/bin/true"), std::nullopt);

    LinuxFileManager files;
    EXPECT_EQ(files.displayName(entry("code")), "Visual Studio Code");
    LinuxBundle bundle(data_.string());
    EXPECT_EQ(bundle.bundleIdentifierAtPath(entry("code")), "com.microsoft.VSCode");
    EXPECT_EQ(bundle.bundleIdentifierAtPath(data_.string()), std::nullopt);
}

// The name an app is shown by is the one its launch gives it (%c): the entry's Name in the
// language of the user's messages.
TEST_F(WorkspaceWithoutX, anAppIsShownByTheNameOfTheUsersLanguage) {
    writeEntry("org.example.Files", "Name=Files\nName[de]=Dateien\nName[pt_BR]=Arquivos\nName[fr]=\nExec=files\n");
    writeEntry("org.example.Untitled", "Name[de]=Unbenannt\nExec=untitled\n");
    struct Case {
        const char* all;
        const char* messages;
        const char* lang;
        const char* files;
        const char* untitled;
    };
    const Case cases[] = {
        {nullptr, nullptr, "de_DE.UTF-8", "Dateien", "Unbenannt"},
        {nullptr, "pt_BR.UTF-8", "de_DE.UTF-8", "Arquivos",
         "org.example.Untitled.desktop"},                                            // messages before the language
        {"de_AT", "pt_BR", "pt_BR", "Dateien", "Unbenannt"},                         // LC_ALL before both
        {"", "", "de_DE", "Dateien", "Unbenannt"},                                   // empty is unset
        {nullptr, nullptr, "fr_FR", "Files", "org.example.Untitled.desktop"},        // an empty translation is none
        {nullptr, nullptr, "ja_JP.UTF-8", "Files", "org.example.Untitled.desktop"},  // no Name at all: the file's name
        {nullptr, nullptr, nullptr, "Files", "org.example.Untitled.desktop"},
    };
    const char* const names[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    struct Restore {
        std::vector<std::pair<std::string, std::optional<std::string>>> saved;
        ~Restore() {
            for (const auto& [name, value] : saved)
                value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    } restore;  // also when an assertion ends the test early
    for (const char* name : names) {
        const char* value = std::getenv(name);
        restore.saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    }
    LinuxFileManager files;
    for (const Case& c : cases) {
        const char* values[] = {c.all, c.messages, c.lang};
        std::string locale;
        for (int i = 0; i < 3; ++i) {
            values[i] ? setenv(names[i], values[i], 1) : unsetenv(names[i]);
            locale += std::string(names[i]) + "=" + (values[i] ? values[i] : "(unset)") + " ";
        }
        EXPECT_EQ(files.displayName(entry("org.example.Files")), c.files) << locale;
        EXPECT_EQ(files.displayName(entry("org.example.Untitled")), c.untitled) << locale;
    }
}

TEST_F(WorkspaceWithoutX, installedAppsListTheListedEntriesOnce_underTheirReportedIdentifiers) {
    writeEntry("org.gnome.Terminal", "Name=Terminal\nExec=gnome-terminal\nCategories=System;TerminalEmulator;\n");
    writeEntry("org.kde.konsole", "Name=Konsole\nExec=konsole\nCategories=System;TerminalEmulator;\n");
    auto ids = workspace_->installedApplications();
    std::sort(ids.begin(), ids.end());
    // "broken" is an entry all the same (its command fails only when run);
    // NoDisplay keeps Tool out; both terminals are reported as one.
    EXPECT_EQ(ids, (std::vector<std::string>{"broken", "com.apple.Terminal", "com.microsoft.VSCode", "org.example.Build"}));
    EXPECT_EQ(workspace_->applicationsFolder(), (data_ / "applications").string());
}

// The folders are read again off the main thread: the new table arrives a moment after the change.
TEST_F(WorkspaceWithoutX, anAppInstalledOrRemovedWhileRunningIsSeen) {
    auto location = [&] { return workspace_->urlForApplication("org.example.New"); };
    auto becomes = [&](const std::optional<std::string>& expected) {
        for (int i = 0; i < 1000 && location() != expected; ++i) usleep(10000);
        return location() == expected;
    };
    EXPECT_EQ(location(), std::nullopt);
    writeEntry("org.example.New", "Name=New\nExec=new\n");
    EXPECT_TRUE(becomes(entry("org.example.New")));
    fs::remove(entry("org.example.New"));
    EXPECT_TRUE(becomes(std::nullopt));
}

TEST_F(WorkspaceWithoutX, withoutAWindowManagerThereIsNoFrontApp) {
    EXPECT_EQ(workspace_->frontmostApplication(), std::nullopt);
    EXPECT_TRUE(workspace_->runningApplications().empty());
    EXPECT_FALSE(workspace_->activate(1));
    EXPECT_FALSE(workspace_->hide(1));
}

}  // namespace
