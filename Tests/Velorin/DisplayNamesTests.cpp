#include <gtest/gtest.h>

#include "Platform/Sim/SimPlatform.h"
#include "Velorin/DisplayNames.h"

namespace velorin {
namespace {

struct GestureCase {
    const char* name;
    Gesture gesture;
    const char* text;
};

TEST(DisplayNames, gestures_readAsFingersAndKind) {
    const GestureCase cases[] = {
        {"single tap has no count word", Gesture::tap(3, 1), "3-finger tap"},
        {"double tap", Gesture::tap(3, 2), "3-finger double tap"},
        {"triple tap", Gesture::tap(2, 3), "2-finger triple tap"},
        {"more than three taps read as triple", Gesture::tap(2, 7), "2-finger triple tap"},
        {"a count of 0 reads as tap", Gesture::tap(1, 0), "1-finger tap"},
        {"a negative count from a hand-edited file reads as tap", Gesture::tap(4, -3), "4-finger tap"},
        {"hold", Gesture::hold(2), "2-finger hold"},
        {"five-finger hold", Gesture::hold(5), "5-finger hold"},
        {"corner top left", Gesture::cornerTap(Gesture::Corner::topLeft), "Corner tap: top left"},
        {"corner top right", Gesture::cornerTap(Gesture::Corner::topRight), "Corner tap: top right"},
        {"corner bottom left", Gesture::cornerTap(Gesture::Corner::bottomLeft), "Corner tap: bottom left"},
        {"corner bottom right", Gesture::cornerTap(Gesture::Corner::bottomRight), "Corner tap: bottom right"},
    };
    for (const auto& c : cases) EXPECT_EQ(displayName(c.gesture), c.text) << c.name;
}

TEST(DisplayNames, gestureSymbols_followTheKind) {
    EXPECT_EQ(symbol(Gesture::tap(2, 3)), "hand.tap");
    EXPECT_EQ(symbol(Gesture::hold(1)), "hand.raised");
    EXPECT_EQ(symbol(Gesture::cornerTap(Gesture::Corner::topLeft)), "arrow.up.left.and.arrow.down.right");
}

class ActionNames : public ::testing::Test {
protected:
    sim::SimPlatform sim;
};

struct ActionCase {
    const char* name;
    Action action;
    const char* text;
};

TEST_F(ActionNames, everyKind_readsAsItsText) {
    sim.fileManager().setHomeDirectory("/home/tester");
    sim.workspace().installApp("org.gnome.TextEditor", "/usr/share/applications/org.gnome.TextEditor.desktop");
    sim.fileManager().setDisplayName("/usr/share/applications/org.gnome.TextEditor.desktop", "Text Editor");
    using M = KeyCombo::Modifiers;
    const ActionCase cases[] = {
        {"open a known app", Action::openApp("com.google.Chrome", false), "Open Chrome"},
        {"toggle a known app", Action::openApp("com.google.Chrome", true), "Toggle Chrome"},
        {"an installed app by its own name", Action::openApp("org.gnome.TextEditor"), "Open Text Editor"},
        {"an unknown app by its identifier's last piece", Action::openApp("com.example.Writer", true), "Toggle Writer"},
        {"keystroke", Action::keystroke(KeyCombo(8, M::command)), "Press \u2318C"},
        {"menu command by its own title", Action::menuItem(MenuCommand({"File", "Save As\u2026"})), "Save As\u2026"},
        {"menu command with an empty path", Action::menuItem(MenuCommand()), ""},
        {"file under the home folder", Action::open("  ~/Documents/Reports  "), "Open Reports"},
        {"absolute folder", Action::open("/tmp/a b/"), "Open a b"},
        {"web link by its host", Action::open("https://www.example.org/path?q=1"), "Open www.example.org"},
        {"bare address by its host", Action::open("example.com/x"), "Open example.com"},
        {"URL without a host keeps the stored text", Action::open(" mailto:someone@example.org"),
         "Open  mailto:someone@example.org"},
        {"word, colon and digits is a scheme without host", Action::open("localhost:8080"), "Open localhost:8080"},
        {"blank text", Action::open("   "), "Open a website or file"},
        {"empty text", Action::open(""), "Open a website or file"},
        {"shortcut in typographic quotes", Action::shortcut("Morning Routine"), "Run \u201CMorning Routine\u201D"},
        {"shortcut without a name", Action::shortcut(""), "Run a shortcut"},
    };
    for (const auto& c : cases) EXPECT_EQ(displayName(c.action), c.text) << c.name;
}

TEST_F(ActionNames, windowMediaAndSystem_useTheirTables) {
    const std::pair<WindowCommand, const char*> windows[] = {
        {WindowCommand::leftHalf, "Window \u2192 left half"},
        {WindowCommand::rightHalf, "Window \u2192 right half"},
        {WindowCommand::topHalf, "Window \u2192 top half"},
        {WindowCommand::bottomHalf, "Window \u2192 bottom half"},
        {WindowCommand::maximize, "Window \u2192 fill screen"},
        {WindowCommand::center, "Window \u2192 center"},
        {WindowCommand::nextDisplay, "Window \u2192 next display"},
    };
    for (const auto& [command, text] : windows) EXPECT_EQ(displayName(Action::window(command)), text);

    const std::pair<MediaKey, const char*> media[] = {
        {MediaKey::playPause, "Play / Pause"},  {MediaKey::next, "Next track"},
        {MediaKey::previous, "Previous track"}, {MediaKey::volumeUp, "Volume up"},
        {MediaKey::volumeDown, "Volume down"},  {MediaKey::mute, "Mute"},
    };
    for (const auto& [key, text] : media) {
        EXPECT_EQ(displayName(key), text);
        EXPECT_EQ(displayName(Action::media(key)), text);
    }

    struct SystemRow {
        SystemCommand command;
        const char* text;
        const char* symbol;
    };
    const SystemRow system[] = {
        {SystemCommand::lockScreen, "Lock screen", "lock.fill"},
        {SystemCommand::showDesktop, "Show desktop", "menubar.dock.rectangle"},
        {SystemCommand::missionControl, "Mission Control", "rectangle.3.group"},
        {SystemCommand::appWindows, "App windows", "macwindow.on.rectangle"},
        {SystemCommand::spaceLeft, "Space to the left", "arrow.left.square.fill"},
        {SystemCommand::spaceRight, "Space to the right", "arrow.right.square.fill"},
        {SystemCommand::sleepDisplay, "Sleep display", "moon.zzz.fill"},
        {SystemCommand::screenSaver, "Screen saver", "sparkles.tv"},
        {SystemCommand::darkMode, "Light / dark mode", "circle.lefthalf.filled"},
        {SystemCommand::brightnessUp, "Brightness up", "sun.max.fill"},
        {SystemCommand::brightnessDown, "Brightness down", "sun.min.fill"},
    };
    for (const auto& row : system) {
        EXPECT_EQ(displayName(row.command), row.text);
        EXPECT_EQ(displayName(Action::system(row.command)), row.text);
        EXPECT_EQ(symbol(row.command), row.symbol);
    }
}

}  // namespace
}  // namespace velorin
