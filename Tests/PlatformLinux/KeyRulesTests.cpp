#include "Platform/Linux/KeyRules.h"

#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

#include <unistd.h>

#include <filesystem>

#include "Actions/Action.h"
#include "Actions/ActionRunner.h"
#include "Platform/Linux/LinuxEventSystem.h"
#include "Platform/Linux/QtServices.h"
#include "Platform/Linux/VirtualKeyboard.h"
#include "Platform/Platform.h"
#include "Platform/Sim/SimPlatform.h"
#include "Config/PackCatalog.h"
#include "Platform/EventSystem.h"
#include "Platform/Linux/AppIdentity.h"
#include "Platform/Linux/KeyMap.h"

using namespace velorin;
using namespace velorin::linux_platform;

namespace {

constexpr std::uint64_t cmd = event_flags::command;
constexpr std::uint64_t ctrl = event_flags::control;
constexpr std::uint64_t opt = event_flags::alternate;
constexpr std::uint64_t shift = event_flags::shift;

// "Ctrl+Shift+T": what a person reads on the keys pressed.
std::string text(const std::optional<LinuxCombination>& c) {
    if (!c) return "(nothing)";
    static const std::map<int, std::string> names{
        {KEY_LEFTCTRL, "Ctrl"}, {KEY_LEFTMETA, "Super"}, {KEY_LEFTALT, "Alt"}, {KEY_LEFTSHIFT, "Shift"},
        {KEY_TAB, "Tab"},       {KEY_GRAVE, "`"},        {KEY_ENTER, "Return"}, {KEY_SPACE, "Space"},
        {KEY_UP, "Up"},         {KEY_DOWN, "Down"},      {KEY_LEFT, "Left"},    {KEY_RIGHT, "Right"},
        {KEY_PAGEUP, "PageUp"}, {KEY_PAGEDOWN, "PageDown"}, {KEY_SYSRQ, "Print"}, {KEY_EQUAL, "="},
        {KEY_BACKSLASH, "\\\\"}, {KEY_SLASH, "/"},       {KEY_DOT, "."},        {KEY_F7, "F7"},
        {KEY_A, "A"}, {KEY_C, "C"}, {KEY_D, "D"}, {KEY_E, "E"}, {KEY_G, "G"}, {KEY_J, "J"}, {KEY_K, "K"},
        {KEY_L, "L"}, {KEY_O, "O"}, {KEY_Q, "Q"}, {KEY_R, "R"}, {KEY_T, "T"}, {KEY_U, "U"}, {KEY_V, "V"},
        {KEY_W, "W"}, {KEY_3, "3"}, {KEY_4, "4"}, {KEY_5, "5"},
    };
    auto name = [](int key) {
        auto it = names.find(key);
        return it == names.end() ? "key" + std::to_string(key) : it->second;
    };
    std::string out;
    for (int m : c->modifiers) out += name(m) + "+";
    return out + name(c->key);
}

std::uint64_t flagsOf(const KeyCombo& combo) {
    using M = KeyCombo::Modifiers;
    std::uint64_t flags = 0;
    if (combo.modifiers.contains(M::command)) flags |= cmd;
    if (combo.modifiers.contains(M::control)) flags |= ctrl;
    if (combo.modifiers.contains(M::option)) flags |= opt;
    if (combo.modifiers.contains(M::shift)) flags |= shift;
    return flags;
}

}  // namespace

TEST(KeyRules, modifiersFollowTheKindOfAppInFront) {
    struct Case {
        const char* name;
        std::uint16_t key;
        std::uint64_t flags;
        KeyStyle app;
        const char* pressed;
    };
    const Case cases[] = {
        {"command in an ordinary app", 17, cmd, KeyStyle::ordinary, "Ctrl+T"},
        {"control in an ordinary app", 48, ctrl, KeyStyle::ordinary, "Ctrl+Tab"},
        {"command and control stay apart", 14, cmd | ctrl, KeyStyle::ordinary, "Ctrl+Super+E"},
        {"option and shift", 15, opt | shift, KeyStyle::ordinary, "Alt+Shift+R"},
        {"every modifier", 0, cmd | ctrl | opt | shift, KeyStyle::ordinary, "Ctrl+Super+Alt+Shift+A"},
        {"command in a terminal", 17, cmd, KeyStyle::terminal, "Ctrl+Shift+T"},
        {"command and shift in a terminal press shift once", 2, cmd | shift, KeyStyle::terminal, "Ctrl+Shift+D"},
        {"control in a terminal", 8, ctrl, KeyStyle::terminal, "Ctrl+C"},
        {"command and control in a terminal", 40, cmd | ctrl, KeyStyle::terminal, "Ctrl+Shift+Super+K"},
        {"no modifier", 36, 0, KeyStyle::terminal, "Return"},
        {"function and numeric-pad flags mean nothing", 126,
         event_flags::secondaryFn | event_flags::numericPad | opt, KeyStyle::ordinary, "Alt+Up"},
        {"a modifier key's own event", 55, cmd, KeyStyle::ordinary, "Ctrl"},
        {"a key with no Linux counterpart", 200, cmd, KeyStyle::ordinary, "(nothing)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text(linuxCombination(c.key, c.flags, c.app, DesktopKind::other)), c.pressed) << c.name;
    }
}

TEST(KeyRules, systemCombinationsPressTheDesktopsOwnShortcut) {
    struct Case {
        const char* name;
        std::uint16_t key;
        std::uint64_t flags;
        const char* gnome;
        const char* kde;
        const char* other;
    };
    const Case cases[] = {
        {"Mission Control", 126, ctrl, "Super", "Super+W", "Ctrl+Up"},
        {"App Exposé", 125, ctrl, "Super+`", "Ctrl+F7", "Ctrl+Down"},
        {"Spotlight", 49, cmd, "Super", "Alt+Space", "Ctrl+Space"},
        {"screenshot of the screen", 20, cmd | shift, "Shift+Print", "Shift+Print", "Ctrl+Shift+3"},
        {"screenshot of an area", 21, cmd | shift, "Print", "Super+Shift+Print", "Ctrl+Shift+4"},
        {"screenshot panel", 23, cmd | shift, "Print", "Print", "Ctrl+Shift+5"},
        {"lock screen", 12, ctrl | cmd, "Super+L", "Super+L", "Ctrl+Super+Q"},
        {"emoji and symbols", 49, ctrl | cmd, "Super+.", "Super+.", "Ctrl+Super+Space"},
        {"next input source", 49, ctrl | opt, "Super+Space", "Super+Alt+K", "Ctrl+Alt+Space"},
        {"previous input source", 49, ctrl, "Super+Shift+Space", "Super+Alt+K", "Ctrl+Space"},
        {"Space to the left", 123, ctrl, "Super+PageUp", "Ctrl+Super+Left", "Ctrl+Left"},
        {"Space to the right", 124, ctrl, "Super+PageDown", "Ctrl+Super+Right", "Ctrl+Right"},
    };
    for (const auto& c : cases) {
        for (KeyStyle app : {KeyStyle::ordinary, KeyStyle::terminal}) {
            EXPECT_EQ(text(linuxCombination(c.key, c.flags, app, DesktopKind::gnome)), c.gnome) << c.name;
            EXPECT_EQ(text(linuxCombination(c.key, c.flags, app, DesktopKind::kde)), c.kde) << c.name;
        }
        EXPECT_EQ(text(linuxCombination(c.key, c.flags, KeyStyle::ordinary, DesktopKind::other)), c.other) << c.name;
    }
    // The same keys with other modifiers are the app's.
    for (DesktopKind desktop : {DesktopKind::gnome, DesktopKind::kde}) {
        EXPECT_EQ(text(linuxCombination(126, ctrl | shift, KeyStyle::ordinary, desktop)), "Ctrl+Shift+Up");
        EXPECT_EQ(text(linuxCombination(12, cmd, KeyStyle::ordinary, desktop)), "Ctrl+Q");
        EXPECT_EQ(text(linuxCombination(12, cmd, KeyStyle::terminal, desktop)), "Ctrl+Shift+Q");
    }
}

TEST(KeyRules, everyKeyTheDesktopsShortcutsPressIsAnnounced) {
    const auto announced = allLinuxKeys();
    for (std::uint16_t key = 0; key < 128; ++key) {
        for (std::uint64_t flags : {ctrl, cmd, cmd | shift, ctrl | cmd, ctrl | opt}) {
            for (DesktopKind desktop : {DesktopKind::gnome, DesktopKind::kde}) {
                const auto shortcut = desktopShortcut(key, flags, desktop);
                if (!shortcut) continue;
                auto keys = shortcut->modifiers;
                keys.push_back(shortcut->key);
                for (int k : keys) {
                    EXPECT_TRUE(std::binary_search(announced.begin(), announced.end(), k)) << text(shortcut);
                }
            }
        }
    }
}

TEST(KeyRules, theDesktopIsReadFromTheSessionsList) {
    const std::pair<const char*, DesktopKind> cases[] = {
        {"GNOME", DesktopKind::gnome},     {"ubuntu:GNOME", DesktopKind::gnome}, {"Pop:GNOME", DesktopKind::gnome},
        {"KDE", DesktopKind::kde},         {"kde", DesktopKind::kde},            {"XFCE", DesktopKind::other},
        {"GNOME-Flashback:GNOME", DesktopKind::gnome}, {"", DesktopKind::other}, {"X-Cinnamon", DesktopKind::other},
    };
    for (const auto& [value, kind] : cases) EXPECT_EQ(desktopKind(value), kind) << value;
}

TEST(KeyRules, terminalsAreKnownByTheirIdentifiers) {
    // Every app of the terminal pack is a terminal here.
    const auto& packs = PackCatalog::all();
    const auto terminal = std::find_if(packs.begin(), packs.end(), [](const Pack& p) { return p.id == "terminal"; });
    ASSERT_NE(terminal, packs.end());
    for (const auto& app : terminal->apps) EXPECT_EQ(keyStyle(app), KeyStyle::terminal) << app;
    // Linux terminals are reported as the pack's Terminal, whatever their entry is called.
    for (const char* id : {"org.gnome.Terminal", "org.gnome.Console", "org.kde.konsole", "kitty", "Alacritty", "foot",
                           "org.wezfurlong.wezterm", "xterm", "com.gexperts.Tilix", "terminator", "xfce4-terminal"}) {
        EXPECT_EQ(knownBundleIdentifier(id), "com.apple.Terminal") << id;
    }
    const auto declared = parseDesktopEntry(
        "[Desktop Entry]\nType=Application\nName=Cool Term\nExec=coolterm\nCategories=System;TerminalEmulator;\n",
        "org.example.CoolTerm", "/usr/share/applications/org.example.CoolTerm.desktop");
    ASSERT_TRUE(declared);
    EXPECT_EQ(bundleIdentifier(*declared), "com.apple.Terminal");
    const auto editor = parseDesktopEntry("[Desktop Entry]\nType=Application\nName=Ed\nExec=ed\nCategories=Utility;\n",
                                          "org.example.Ed", "/x/org.example.Ed.desktop");
    ASSERT_TRUE(editor);
    EXPECT_EQ(bundleIdentifier(*editor), "org.example.Ed");
    EXPECT_EQ(keyStyle(std::optional<std::string>("com.google.Chrome")), KeyStyle::ordinary);
    EXPECT_EQ(keyStyle(std::nullopt), KeyStyle::ordinary);
}

// Every row of the built-in packs that holds control, pressed in its pack's
// app: a terminal for the terminal pack, the desktop for everyday-mac.
TEST(KeyRules, everyCatalogRowWithControlPressesWhatItMeansOnLinux) {
    struct Expected {
        const char* gnome;
        const char* kde;
        const char* other;
    };
    // Keyed by pack id (or "*" for any app pack), title and the macOS keys.
    const std::map<std::tuple<std::string, std::string, std::string>, Expected> expected{
        {{"everyday-mac", "Mission Control", "⌃↑"}, {"Super", "Super+W", "Ctrl+Up"}},
        {{"everyday-mac", "Lock screen", "⌃⌘Q"}, {"Super+L", "Super+L", "Ctrl+Super+Q"}},
        {{"everyday-mac", "App Exposé", "⌃↓"}, {"Super+`", "Ctrl+F7", "Ctrl+Down"}},
        {{"everyday-mac", "Emoji & symbols", "⌃⌘Space"}, {"Super+.", "Super+.", "Ctrl+Super+Space"}},
        {{"everyday-mac", "Next input source", "⌃⌥Space"}, {"Super+Space", "Super+Alt+K", "Ctrl+Alt+Space"}},
        {{"terminal", "Interrupt", "⌃C"}, {"Ctrl+C", "Ctrl+C", "Ctrl+C"}},
        {{"terminal", "Next Tab", "⌃⇥"}, {"Ctrl+Tab", "Ctrl+Tab", "Ctrl+Tab"}},
        {{"terminal", "Previous Tab", "⌃⇧⇥"}, {"Ctrl+Shift+Tab", "Ctrl+Shift+Tab", "Ctrl+Shift+Tab"}},
        {{"*", "New Session on the Right", "⌃⌘\\"}, {"Ctrl+Super+\\\\", "Ctrl+Super+\\\\", "Ctrl+Super+\\\\"}},
        {{"*", "Open Terminal", "⌃`"}, {"Ctrl+`", "Ctrl+`", "Ctrl+`"}},
        {{"*", "Terminal", "⌃`"}, {"Ctrl+`", "Ctrl+`", "Ctrl+`"}},
        {{"*", "Next Tab", "⌃⇥"}, {"Ctrl+Tab", "Ctrl+Tab", "Ctrl+Tab"}},
        {{"*", "Previous Tab", "⌃⇧⇥"}, {"Ctrl+Shift+Tab", "Ctrl+Shift+Tab", "Ctrl+Shift+Tab"}},
        {{"*", "Open Split Pane", "⌃⇧="}, {"Ctrl+Shift+=", "Ctrl+Shift+=", "Ctrl+Shift+="}},
        {{"*", "Focus Chat", "⌃⌘E"}, {"Ctrl+Super+E", "Ctrl+Super+E", "Ctrl+Super+E"}},
        {{"*", "Split view", "⌃⇧="}, {"Ctrl+Shift+=", "Ctrl+Shift+=", "Ctrl+Shift+="}},
        {{"*", "Compact Mode", "⌃⌘C"}, {"Ctrl+Super+C", "Ctrl+Super+C", "Ctrl+Super+C"}},
        {{"*", "Split view", "⌃⌘V"}, {"Ctrl+Super+V", "Ctrl+Super+V", "Ctrl+Super+V"}},
        {{"*", "Toggle Terminal", "⌃`"}, {"Ctrl+`", "Ctrl+`", "Ctrl+`"}},
        {{"*", "New Terminal", "⌃⇧`"}, {"Ctrl+Shift+`", "Ctrl+Shift+`", "Ctrl+Shift+`"}},
        {{"*", "Terminal Panel", "⌃`"}, {"Ctrl+`", "Ctrl+`", "Ctrl+`"}},
        {{"*", "Inline Assist", "⌃↩"}, {"Ctrl+Return", "Ctrl+Return", "Ctrl+Return"}},
        {{"*", "Git Panel", "⌃⇧G"}, {"Ctrl+Shift+G", "Ctrl+Shift+G", "Ctrl+Shift+G"}},
        {{"*", "Run", "⌃⌥R"}, {"Ctrl+Alt+R", "Ctrl+Alt+R", "Ctrl+Alt+R"}},
        {{"*", "Debug", "⌃⌥D"}, {"Ctrl+Alt+D", "Ctrl+Alt+D", "Ctrl+Alt+D"}},
        {{"*", "Jump back", "⌃O"}, {"Ctrl+O", "Ctrl+O", "Ctrl+O"}},
        {{"*", "Redo", "⌃R"}, {"Ctrl+R", "Ctrl+R", "Ctrl+R"}},
        {{"*", "Half page down", "⌃D"}, {"Ctrl+D", "Ctrl+D", "Ctrl+D"}},
        {{"*", "Half page up", "⌃U"}, {"Ctrl+U", "Ctrl+U", "Ctrl+U"}},
        {{"*", "Jump to Definition", "⌃⌘J"}, {"Ctrl+Super+J", "Ctrl+Super+J", "Ctrl+Super+J"}},
        {{"*", "New recording", "⌃⌘↩"}, {"Ctrl+Super+Return", "Ctrl+Super+Return", "Ctrl+Super+Return"}},
        {{"*", "Keyboard shortcuts", "⌃⇧/"}, {"Ctrl+Shift+/", "Ctrl+Shift+/", "Ctrl+Shift+/"}},
        {{"*", "Render Selection", "⌃R"}, {"Ctrl+R", "Ctrl+R", "Ctrl+R"}},
    };
    int rows = 0;
    std::set<std::tuple<std::string, std::string, std::string>> seen;
    for (const Pack& pack : PackCatalog::all()) {
        const KeyStyle app = pack.id == "terminal" ? KeyStyle::terminal : KeyStyle::ordinary;
        auto check = [&](const Binding& binding) {
            const auto* keystroke = binding.action.as<Action::Keystroke>();
            if (!keystroke || !keystroke->combo.modifiers.contains(KeyCombo::Modifiers::control)) return;
            ++rows;
            const std::string keys = keystroke->combo.description();
            const std::string title = binding.title.value_or("");
            auto key = std::make_tuple(pack.id, title, keys);
            auto it = expected.find(key);
            if (it == expected.end()) it = expected.find(key = std::make_tuple("*", title, keys));
            ASSERT_NE(it, expected.end()) << pack.id << ": " << title << " " << keys << " has no expectation";
            seen.insert(key);
            const auto flags = flagsOf(keystroke->combo);
            const std::string where = pack.id + ": " + title;
            EXPECT_EQ(text(linuxCombination(keystroke->combo.keyCode, flags, app, DesktopKind::gnome)),
                      it->second.gnome) << where;
            EXPECT_EQ(text(linuxCombination(keystroke->combo.keyCode, flags, app, DesktopKind::kde)),
                      it->second.kde) << where;
            EXPECT_EQ(text(linuxCombination(keystroke->combo.keyCode, flags, app, DesktopKind::other)),
                      it->second.other) << where;
        };
        for (const auto& b : pack.bindings) check(b);
        for (const auto& b : pack.library) check(b);
    }
    EXPECT_EQ(seen.size(), expected.size()) << "an expectation matches no catalog row";
    EXPECT_GE(rows, static_cast<int>(expected.size()));
}

namespace {

struct RecordingOutput : KeyOutput {
    std::vector<KeyWrite> written;
    bool write(const std::vector<KeyWrite>& writes) override {
        written.insert(written.end(), writes.begin(), writes.end());
        return true;
    }
};

}  // namespace

// The action runner over the real event system, with the app in front from
// the simulated desktop.
TEST(PostedKeys, aKeystrokeInATerminalPressesCommandAsCtrlShift) {
    auto output = std::make_shared<RecordingOutput>();
    const auto noDevices = std::filesystem::temp_directory_path() / ("velorin-nokeys-" + std::to_string(getpid()));
    std::filesystem::create_directories(noDevices);
    {
        auto frontApp = []() -> std::optional<std::string> {
            auto front = platform::current().workspace().frontmostApplication();
            return front ? front->bundleIdentifier : std::nullopt;
        };
        sim::SimPlatform sim(std::make_unique<LinuxEventSystem>(std::make_shared<QtMainQueue>(), output,
                                                                frontApp, DesktopKind::gnome, noDevices.string()));
        RunningApplication terminal;
        terminal.bundleIdentifier = "com.apple.Terminal";
        terminal.processIdentifier = 4242;
        sim.workspace().addRunningApp(terminal, false);
        sim.workspace().setFrontApp(4242, false);

        ActionRunner runner;
        runner.run(Action::keystroke(KeyCombo(17, KeyCombo::Modifiers::command)));  // ⌘T
        EXPECT_EQ(output->written, (std::vector<KeyWrite>{{KEY_LEFTCTRL, 1},
                                                          {KEY_LEFTSHIFT, 1},
                                                          {KEY_T, 1},
                                                          {KEY_T, 0},
                                                          {KEY_LEFTSHIFT, 0},
                                                          {KEY_LEFTCTRL, 0}}));
        output->written.clear();
        // The same row in an ordinary app, and the system's own combination on GNOME.
        sim.workspace().setFrontApp(std::nullopt, false);
        runner.run(Action::keystroke(KeyCombo(17, KeyCombo::Modifiers::command)));
        runner.run(Action::system(SystemCommand::lockScreen));
        EXPECT_EQ(output->written, (std::vector<KeyWrite>{{KEY_LEFTCTRL, 1},
                                                          {KEY_T, 1},
                                                          {KEY_T, 0},
                                                          {KEY_LEFTCTRL, 0},
                                                          {KEY_LEFTMETA, 1},
                                                          {KEY_L, 1},
                                                          {KEY_L, 0},
                                                          {KEY_LEFTMETA, 0}}));
    }
    std::filesystem::remove_all(noDevices);
}

// A key goes up as it went down, even when the app in front changed between.
TEST(PostedKeys, aKeyIsReleasedAsItWasPressed) {
    auto output = std::make_shared<RecordingOutput>();
    const auto noDevices = std::filesystem::temp_directory_path() / ("velorin-nokeys2-" + std::to_string(getpid()));
    std::filesystem::create_directories(noDevices);
    {
        std::optional<std::string> front = "com.apple.Terminal";
        LinuxEventSystem events(std::make_shared<QtMainQueue>(), output, [&] { return front; }, DesktopKind::other,
                                noDevices.string());
        KeyboardEvent down{std::nullopt, 17, true, event_flags::command, u"t"};
        KeyboardEvent up = down;
        up.keyDown = false;
        events.post(EventTapLocation::hid, down);
        front = "com.google.Chrome";
        events.post(EventTapLocation::hid, up);
        EXPECT_EQ(output->written, (std::vector<KeyWrite>{{KEY_LEFTCTRL, 1},
                                                          {KEY_LEFTSHIFT, 1},
                                                          {KEY_T, 1},
                                                          {KEY_T, 0},
                                                          {KEY_LEFTSHIFT, 0},
                                                          {KEY_LEFTCTRL, 0}}));
    }
    std::filesystem::remove_all(noDevices);
}
