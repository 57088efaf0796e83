#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "Platform/Linux/LinuxLoginItems.h"
#include "Platform/Linux/LinuxProcesses.h"
#include "Platform/Linux/PointerButtons.h"

using namespace velorin;
using namespace velorin::linux_platform;
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
