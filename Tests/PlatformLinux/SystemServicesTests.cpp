#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include "Platform/Linux/DesktopGeometry.h"
#include "Platform/Linux/LinuxAccessibility.h"
#include "Platform/Linux/LinuxLoginItems.h"
#include "Platform/Linux/LinuxProcesses.h"
#include "Platform/Linux/PointerButtons.h"
#include "Platform/Linux/QtServices.h"
#include "Platform/Linux/VirtualKeyboard.h"
#include "Platform/Linux/X11Desktop.h"
#include "QtTestApp.h"

using namespace velorin;
using namespace velorin::linux_platform;
using velorin::testing::qtApp;
using velorin::testing::spinEventLoop;
namespace fs = std::filesystem;

namespace {
struct TempFolder {
    fs::path path = fs::temp_directory_path() / ("velorin-test-" + std::to_string(::getpid()) + "-" +
                                                 std::to_string(reinterpret_cast<std::uintptr_t>(this)));
    TempFolder() { fs::create_directories(path); }
    ~TempFolder() { fs::remove_all(path); }
};
}  // namespace

TEST(LinuxProcesses, argumentsArriveAsGivenWithoutAShell) {
    LinuxProcesses p;
    EXPECT_EQ(p.runAndReadOutput("/bin/echo", {"a b", "$HOME", ";", "*"}), "a b $HOME ; *\n");
    EXPECT_EQ(p.runAndReadOutput("printf", {"%s|", "x"}), "x|");
    EXPECT_FALSE(p.runAndReadOutput("/no/such/tool", {}));
}

TEST(LinuxProcesses, startReportsWhetherTheProgramStarted) {
    LinuxProcesses p;
    TempFolder tmp;
    const auto marker = tmp.path / "ran";
    EXPECT_TRUE(p.start("/usr/bin/touch", {marker.string()}));
    for (int i = 0; i < 200 && !fs::exists(marker); ++i) usleep(10000);
    EXPECT_TRUE(fs::exists(marker));
    EXPECT_FALSE(p.start("/usr/bin/shortcuts", {"run", "x"}));
}

// A process that is not a zombie: started and not yet ended.
bool running(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    const auto close = text.rfind(')');
    return close != std::string::npos && close + 2 < text.size() && text[close + 2] != 'Z';
}

TEST(LinuxProcesses, aStartedProgramOutlivesASignalToOurProcessGroup) {
    TempFolder tmp;
    const auto pidFile = tmp.path / "pid";
    // A launcher in a process group of its own stands for us started from a
    // terminal; Ctrl-C signals the whole group.
    const pid_t launcher = fork();
    ASSERT_GE(launcher, 0);
    if (launcher == 0) {
        setpgid(0, 0);
        LinuxProcesses p;
        const bool started = p.start("/bin/sh", {"-c", "echo $$ > \"$0\"; exec sleep 30", pidFile.string()});
        if (!started) _exit(1);
        pause();
        _exit(0);
    }
    setpgid(launcher, launcher);
    pid_t child = 0;
    for (int i = 0; i < 500 && child == 0; ++i) {
        std::ifstream in(pidFile);
        if (!(in >> child)) child = 0;
        if (child == 0) usleep(10000);
    }
    ASSERT_NE(child, 0) << "the program never started";
    kill(-launcher, SIGINT);
    int status = 0;
    waitpid(launcher, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));
    usleep(100000);
    EXPECT_TRUE(running(child)) << "the program ended with its launcher's process group";
    EXPECT_EQ(getsid(child), child);
    kill(child, SIGKILL);
}

TEST(LinuxProcesses, aLaunchHasItsFolderItsEnvironmentAndHearsOfItsExit) {
    qtApp();
    LinuxProcesses p(std::make_shared<QtMainQueue>());
    TempFolder tmp;
    const auto out = tmp.path / "out";
    std::vector<int> statuses;
    LaunchOptions options;
    options.workingDirectory = tmp.path.string();
    options.environment = {{"VELORIN_TEST_VALUE", "a b"}, {"HOME", "/nowhere"}};
    options.exited = [&](int s) { statuses.push_back(s); };
    ASSERT_TRUE(p.launch("/bin/sh", {"-c", "{ pwd; echo \"$VELORIN_TEST_VALUE\"; echo \"$HOME\"; } > out; exit 3"},
                         options));
    options.exited = [&](int s) { statuses.push_back(100 + s); };
    ASSERT_TRUE(p.launch("/bin/sh", {"-c", "kill -TERM $$"}, options));
    for (int i = 0; i < 500 && statuses.size() < 2; ++i) spinEventLoop(10);
    std::sort(statuses.begin(), statuses.end());
    EXPECT_EQ(statuses, (std::vector<int>{3, 100 + 128 + SIGTERM}));
    std::ifstream in(out);
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_EQ(text.str(), fs::canonical(tmp.path).string() + "\na b\n/nowhere\n");
    EXPECT_FALSE(p.launch("/no/such/tool", {}, options));
}

TEST(LinuxLoginItems, registersAndRemovesAnAutostartEntry) {
    TempFolder tmp;
    LinuxLoginItems items((tmp.path / "autostart").string(), "/opt/My Apps/velorin");
    EXPECT_EQ(items.status(), LoginItemStatus::notRegistered);
    items.registerMainApp();
    EXPECT_EQ(items.status(), LoginItemStatus::enabled);
    std::ifstream in(items.entryPath());
    std::stringstream text;
    text << in.rdbuf();
    EXPECT_NE(text.str().find("Exec=\"/opt/My Apps/velorin\"\n"), std::string::npos) << text.str();
    EXPECT_NE(text.str().find("Type=Application\n"), std::string::npos);
    items.unregisterMainApp();
    EXPECT_EQ(items.status(), LoginItemStatus::notRegistered);
    EXPECT_NO_THROW(items.unregisterMainApp());
}

TEST(LinuxLoginItems, anEntrySwitchedOffByTheSessionSettingsIsNotRegistered) {
    TempFolder tmp;
    LinuxLoginItems items(tmp.path.string(), "/usr/bin/velorin");
    const std::pair<const char*, LoginItemStatus> cases[] = {
        {"[Desktop Entry]\nType=Application\nExec=velorin\n", LoginItemStatus::enabled},
        {"[Desktop Entry]\nType=Application\nExec=velorin\nHidden=true\n", LoginItemStatus::notRegistered},
        {"[Desktop Entry]\nType=Application\nExec=velorin\nX-GNOME-Autostart-enabled=false\n",
         LoginItemStatus::notRegistered},
        {"not an entry", LoginItemStatus::notRegistered},
    };
    for (const auto& [text, expected] : cases) {
        std::ofstream(items.entryPath(), std::ios::trunc) << text;
        EXPECT_EQ(items.status(), expected) << text;
    }
    // Registering again puts back an entry that is on.
    items.registerMainApp();
    EXPECT_EQ(items.status(), LoginItemStatus::enabled);
}

// Login starts the installed program where there is one, else the running one.
TEST(LinuxLoginItems, theAutostartProgram_isTheInstalledOneWhenItIsThere) {
    TempFolder tmp;
    const std::string running = "/home/me/velorin/build/default/Sources/Velorin/velorin";
    const std::string user = (tmp.path / "user").string();
    const std::string system = (tmp.path / "system").string();
    const std::vector<std::string> folders = {user, system};
    const auto installed = [](const std::string& program) { return program.rfind("/usr/", 0) == 0; };
    struct Case {
        const char* name;
        const char* userEntry;    // nullptr: none
        const char* systemEntry;  // nullptr: none
        std::string expected;
    };
    const Case cases[] = {
        {"nothing installed", nullptr, nullptr, running},
        {"installed", nullptr, "[Desktop Entry]\nType=Application\nExec=/usr/local/bin/velorin\n",
         "/usr/local/bin/velorin"},
        {"a quoted path with a space", nullptr, "[Desktop Entry]\nType=Application\nExec=\"/usr/my apps/velorin\"\n",
         "/usr/my apps/velorin"},
        {"the user's own entry comes first", "[Desktop Entry]\nType=Application\nExec=/usr/bin/velorin\n",
         "[Desktop Entry]\nType=Application\nExec=/usr/local/bin/velorin\n", "/usr/bin/velorin"},
        {"an entry whose program is gone", "[Desktop Entry]\nType=Application\nExec=/opt/gone/velorin\n",
         "[Desktop Entry]\nType=Application\nExec=/usr/local/bin/velorin\n", "/usr/local/bin/velorin"},
        {"removed by the user", "[Desktop Entry]\nType=Application\nExec=/usr/bin/velorin\nHidden=true\n",
         "[Desktop Entry]\nType=Application\nExec=/usr/local/bin/velorin\n", running},
        {"not an entry", nullptr, "garbage", running},
    };
    for (const auto& c : cases) {
        fs::remove_all(tmp.path);
        for (const auto& [folder, text] : {std::pair{user, c.userEntry}, std::pair{system, c.systemEntry}}) {
            fs::create_directories(folder);
            if (text) std::ofstream(folder + "/velorin.desktop") << text;
        }
        EXPECT_EQ(autostartProgram(running, folders, installed), c.expected) << c.name;
    }
}

TEST(LinuxLoginItems, aFolderThatCannotBeMadeIsAnError) {
    TempFolder tmp;
    std::ofstream(tmp.path / "file") << "x";
    LinuxLoginItems items((tmp.path / "file" / "autostart").string(), "/usr/bin/velorin");
    try {
        items.registerMainApp();
        FAIL() << "registered under a file";
    } catch (const LoginItemError& e) {
        EXPECT_NE(e.description().find("Couldn't create"), std::string::npos) << e.description();
    }
}

TEST(ButtonState, pressesAreNoticedOncePerButtonAndDevice) {
    ButtonState s;
    auto key = [](int code, int value) {
        input_event e{};
        e.type = EV_KEY;
        e.code = static_cast<std::uint16_t>(code);
        e.value = value;
        return e;
    };
    EXPECT_EQ(s.feed(1, key(BTN_LEFT, 1)), MouseButton::left);
    EXPECT_TRUE(s.isDown(MouseButton::left));
    EXPECT_EQ(s.feed(1, key(BTN_LEFT, 2)), std::nullopt);   // repeat
    EXPECT_EQ(s.feed(2, key(BTN_LEFT, 1)), MouseButton::left);  // another device
    EXPECT_EQ(s.feed(1, key(BTN_LEFT, 0)), std::nullopt);
    EXPECT_TRUE(s.isDown(MouseButton::left));  // still down on device 2
    s.forget(2);
    EXPECT_FALSE(s.isDown(MouseButton::left));
    EXPECT_EQ(s.feed(1, key(BTN_RIGHT, 1)), MouseButton::right);
    EXPECT_EQ(s.feed(1, key(BTN_MIDDLE, 1)), std::nullopt);
    EXPECT_TRUE(s.isDown(MouseButton::center));
    EXPECT_EQ(s.feed(1, key(KEY_A, 1)), std::nullopt);
}

TEST(ButtonState, aButtonHeldWhenTheDeviceOpensIsDownWithoutANotice) {
    ButtonState s;
    auto key = [](int code, int value) {
        input_event e{};
        e.type = EV_KEY;
        e.code = static_cast<std::uint16_t>(code);
        e.value = value;
        return e;
    };
    s.seed(3, true, false, false);
    EXPECT_TRUE(s.isDown(MouseButton::left));
    EXPECT_FALSE(s.isDown(MouseButton::right));
    EXPECT_EQ(s.feed(3, key(BTN_LEFT, 1)), std::nullopt);  // already down
    EXPECT_EQ(s.feed(3, key(BTN_LEFT, 0)), std::nullopt);
    EXPECT_EQ(s.feed(3, key(BTN_LEFT, 1)), MouseButton::left);
    // Seeding again (after lost events) takes the device's word for it.
    s.seed(3, false, true, false);
    EXPECT_FALSE(s.isDown(MouseButton::left));
    EXPECT_TRUE(s.isDown(MouseButton::right));
}

TEST(DesktopUnits, rootPixelsBecomeTheSystemsPoints) {
    struct Case {
        const char* name;
        DesktopUnits units;
        Rect rootPixels;
        Point topLeft;     // of the rectangle, from the primary screen's top left
        Rect bottomLeft;   // from the primary screen's bottom left, y up
    };
    const Case cases[] = {
        {"primary at the root's corner", {{{0, 0}, {1280, 800}}, 1}, {{100, 50}, {400, 300}}, {100, 50},
         {{100, 450}, {400, 300}}},
        {"a screen left of the primary", {{{1920, 0}, {1280, 800}}, 1}, {{0, 0}, {1920, 1080}}, {-1920, 0},
         {{-1920, -280}, {1920, 1080}}},
        {"a screen above the primary", {{{0, 1080}, {1280, 800}}, 1}, {{0, 0}, {1920, 1080}}, {0, -1080},
         {{0, 800}, {1920, 1080}}},
        {"two device pixels per point", {{{0, 0}, {2880, 1800}}, 2}, {{200, 100}, {800, 600}}, {100, 50},
         {{100, 550}, {400, 300}}},
        {"no scale counts as one", {{{0, 0}, {100, 100}}, 0}, {{10, 10}, {20, 20}}, {10, 10}, {{10, 70}, {20, 20}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.units.topLeftPoint(c.rootPixels.origin), c.topLeft) << c.name;
        EXPECT_EQ(c.units.rootPixel(c.topLeft), c.rootPixels.origin) << c.name;
        EXPECT_EQ(c.units.pixels(c.units.points(c.rootPixels.size)), c.rootPixels.size) << c.name;
        EXPECT_EQ(c.units.bottomLeftRect(c.rootPixels), c.bottomLeft) << c.name;
    }
}

// A terminal sizes in character cells above a base; a fixed dialog not at all.
TEST(DesktopUnits, aRequestedSizeIsConstrainedAsWindowManagersDo) {
    struct Case {
        const char* name;
        SizeHints hints;
        Size requested, expected;
    };
    const Case cases[] = {
        {"no hints", {}, {640, 800}, {640, 800}},
        {"cells of 9x17 above a base of 4x4", {std::nullopt, std::nullopt, Size{4, 4}, Size{9, 17}}, {640, 800},
         {634, 786}},
        {"cells counted from the minimum without a base", {Size{10, 10}, std::nullopt, std::nullopt, Size{9, 17}},
         {640, 800}, {640, 792}},
        {"a fixed size", {Size{300, 200}, Size{300, 200}, std::nullopt, std::nullopt}, {640, 800}, {300, 200}},
        {"below the minimum", {Size{400, 300}, std::nullopt, std::nullopt, std::nullopt}, {100, 100}, {400, 300}},
    };
    for (const auto& c : cases) EXPECT_EQ(constrainedClientSize(c.requested, c.hints), c.expected) << c.name;

    // Decorations outside, a client-drawn shadow inside: what is seen.
    const WindowParts parts{{{100, 100}, {400, 300}}, {1, 1, 20, 1}, {10, 10, 5, 15}};
    EXPECT_EQ(parts.visibleFrame(), (Rect{{109, 85}, {382, 301}}));
    EXPECT_EQ(parts.visibleSize(parts.clientSize({640, 800})), (Size{640, 800}));
    EXPECT_EQ(parts.outerOrigin({0, 0}), (Point{-10, -5}));
}

// The client at 30,60 (400x300) inside its window manager's frame window.
TEST(DesktopUnits, decorationsAreWhatTheWindowManagerDeclaresWithinItsFrame) {
    struct Case {
        const char* name;
        Rect outer;
        std::optional<FrameEdges> declared;
        FrameEdges expected;
    };
    const Rect client{{30, 60}, {400, 300}};
    const Case cases[] = {
        {"a frame exactly around its decorations", {{25, 30}, {410, 335}}, FrameEdges{5, 5, 30, 5}, {5, 5, 30, 5}},
        {"invisible borders for resizing around the visible frame", {{4, 14}, {452, 372}}, FrameEdges{0, 0, 37, 0},
         {0, 0, 37, 0}},
        {"a declaration left over once the frame went away", client, FrameEdges{0, 0, 37, 0}, {0, 0, 0, 0}},
        {"a frame narrower on one side than declared", {{25, 50}, {410, 315}}, FrameEdges{5, 5, 30, 5},
         {5, 5, 10, 5}},
        {"nothing declared: the frame window's reach", {{25, 30}, {410, 335}}, std::nullopt, {5, 5, 30, 5}},
        {"nothing declared, no frame", client, std::nullopt, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) EXPECT_EQ(decorationsWithin(client, c.outer, c.declared), c.expected) << c.name;
}

TEST(VirtualKeyboard, withoutAUinputDeviceNothingIsTrustedAndNothingPosts) {
    // Missing, and present but not a uinput device.
    for (const char* path : {"/nonexistent/uinput", "/dev/null"}) {
        auto keyboard = std::make_shared<VirtualKeyboard>(path);
        EXPECT_FALSE(keyboard->ensure()) << path;
        EXPECT_FALSE(keyboard->write({{KEY_C, 1}})) << path;
        EXPECT_FALSE(keyboard->deviceNode()) << path;
        LinuxAccessibility ax(std::make_shared<X11Desktop>(""), keyboard, [] { return DesktopUnits{}; });
        EXPECT_FALSE(ax.isProcessTrusted()) << path;
        EXPECT_FALSE(ax.isProcessTrustedWithPrompt()) << path;
        // Without an X server window attributes cannot be read.
        EXPECT_EQ(ax.copyAttributeValue(ax.applicationElement(1), "AXFocusedWindow"),
                  AttributeValue{AXFailure{AXError::cannotComplete}});
    }
}
