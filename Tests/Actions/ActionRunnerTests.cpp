#include "Actions/ActionRunner.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>

#include "Actions/MenuScanner.h"
#include "Actions/OpenTarget.h"
#include "Actions/Permissions.h"
#include "Platform/Sim/SimPlatform.h"

using namespace velorin;
using namespace velorin::sim;
using M = KeyCombo::Modifiers;

namespace {

// A key equivalent as the system reports it; each part absent unless given.
MenuKey key(std::optional<std::string> character, std::optional<double> modifiers = std::nullopt,
            std::optional<double> virtualKey = std::nullopt) {
    MenuKey k;
    k.character = std::move(character);
    k.modifiers = modifiers;
    k.virtualKey = virtualKey;
    return k;
}

constexpr std::int32_t editorPid = 100;
const std::string editorID = "com.example.Editor";
const std::string editorPath = "/Applications/Editor.app";
const std::string notesID = "com.example.Notes";
const std::string notesPath = "/Applications/Notes.app";

std::string hex(std::uint64_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "0x%llX", static_cast<unsigned long long>(v));
    return buf;
}

std::string number(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%g", v);
    return buf;
}

std::string show(const AttributeValue& value) {
    if (auto* p = std::get_if<Point>(&value)) return "(" + number(p->x) + ", " + number(p->y) + ")";
    if (auto* s = std::get_if<Size>(&value)) return number(s->width) + " x " + number(s->height);
    return "?";
}

// Everything the runner did to the simulated desktop, one line per effect, grouped by
// kind and in order within each kind.
std::vector<std::string> effects(const SimPlatform& sim) {
    std::vector<std::string> out;
    for (const auto& posted : sim.eventSystem().postedEvents()) {
        std::string line = posted.location == EventTapLocation::hid ? "" : "(not the HID tap) ";
        if (auto* key = std::get_if<KeyboardEvent>(&posted.event)) {
            line += "key " + std::to_string(key->virtualKey) + (key->keyDown ? " down" : " up") + " flags " +
                    hex(key->flags);
            for (char16_t unit : key->unicodeString) line += " text " + hex(unit);
            if (!key->source) {
                line += " without source";
            } else if (key->source->stateID != EventSourceStateID::hidSystemState) {
                line += " from another source";
            }
        } else if (auto* sys = std::get_if<SystemDefinedEvent>(&posted.event)) {
            line += "system data1 " + hex(static_cast<std::uint64_t>(sys->data1)) + " flags " +
                    hex(sys->modifierFlags);
            if (sys->type != 14 || sys->subtype != 8 || sys->data2 != -1 || sys->timestamp != 0 ||
                sys->windowNumber != 0 || sys->location != Point{0, 0}) {
                line += " with unexpected fields";
            }
        }
        out.push_back(line);
    }
    for (const auto& opened : sim.workspace().openedApplications()) {
        std::string line = "open app " + opened.path;
        if (!opened.configuration.activates) line += " without activating";
        for (const auto& arg : opened.configuration.arguments) line += " [" + arg + "]";
        out.push_back(line);
    }
    for (const auto& url : sim.workspace().openedURLs()) out.push_back("open " + url);
    for (auto pid : sim.workspace().hiddenApps()) out.push_back("hide " + std::to_string(pid));
    for (auto pid : sim.workspace().activatedApps()) out.push_back("activate " + std::to_string(pid));
    for (const auto& launch : sim.processes().started()) {
        std::string line = "start " + launch.executable;
        for (const auto& arg : launch.arguments) line += " [" + arg + "]";
        out.push_back(line);
    }
    for (const auto& write : sim.accessibility().writes()) {
        out.push_back("set " + write.attribute + " " + show(write.value) +
                      (write.result == AXError::success ? "" : " (refused)"));
    }
    for (const auto& action : sim.accessibility().performedActions()) {
        out.push_back("perform " + action.action + (action.result == AXError::success ? "" : " (refused)"));
    }
    for (const auto& source : sim.scripting().executedScripts()) out.push_back("script " + source);
    return out;
}

// A desktop with the editor in front, its window at (100, 100) sized 400 × 300 on the
// one 1440 × 900 screen (whose visible frame is (0, 25, 1440, 875) for Accessibility),
// the editor and the notes app installed, and a menu bar for the editor.
struct Desk {
    SimPlatform& sim;
    AXElement app;
    AXElement window;
};

void prepare(SimPlatform& sim, Desk& desk) {
    sim.workspace().installApp(editorID, editorPath);
    sim.workspace().installApp(notesID, notesPath);
    sim.workspace().addRunningApp({editorPid, editorID, "Editor", true, false}, false);
    auto& ax = sim.accessibility();
    desk.app = ax.addApplication(editorPid);
    desk.window = ax.addElement({{"AXPosition", Point{100, 100}}, {"AXSize", Size{400, 300}}});
    ax.setAttribute(desk.app, "AXFocusedWindow", desk.window);
    installMenuBar(ax, editorPid,
                   menuBar({menuBarItem("Apple", {menuItem("About This Mac")}),
                            menuBarItem("File", {menuItem("Save", key("s")),
                                                 submenuItem("Export", {menuItem("PDF")})})}));
    ax.clearRecords();
}

using Prep = std::function<void(Desk&)>;
const Prep plain = [](Desk&) {};
const Prep untrusted = [](Desk& d) { d.sim.accessibility().setTrusted(false); };

struct RunCase {
    const char* name;
    Prep setup;
    Action action;
    std::vector<std::string> effects;
    std::string error;  // empty: runs without error
};

void runCases(const std::vector<RunCase>& cases) {
    for (const auto& c : cases) {
        SimPlatform sim;
        Desk desk{sim, {}, {}};
        prepare(sim, desk);
        c.setup(desk);
        sim.accessibility().clearRecords();
        std::string error;
        try {
            ActionRunner().run(c.action);
        } catch (const ActionError& e) {
            error = e.description();
        }
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(effects(sim), c.effects) << c.name;
    }
}

const MenuCommand missingWithKey{{"File", "Nope"}, KeyCombo(1, M::command)};
const MenuCommand missingWithoutKey{{"File", "Nope"}};

}  // namespace

TEST(ActionRunner, keystrokesPostTheirEventsOrFail) {
    runCases({
        {"control-C types the control character", plain, Action::keystroke({8, M::control}),
         {"key 8 down flags 0x40000 text 0x3", "key 8 up flags 0x40000 text 0x3"}, ""},
        {"shift doesn't change the control character", plain, Action::keystroke({8, {M::control, M::shift}}),
         {"key 8 down flags 0x60000 text 0x3", "key 8 up flags 0x60000 text 0x3"}, ""},
        {"command-control-C types nothing", plain, Action::keystroke({8, {M::control, M::command}}),
         {"key 8 down flags 0x140000", "key 8 up flags 0x140000"}, ""},
        {"control-1 types nothing", plain, Action::keystroke({18, M::control}),
         {"key 18 down flags 0x40000", "key 18 up flags 0x40000"}, ""},
        {"arrows carry numeric pad and function", plain, Action::keystroke({126, {}}),
         {"key 126 down flags 0xA00000", "key 126 up flags 0xA00000"}, ""},
        {"function keys carry function", plain, Action::keystroke({96, {}}),
         {"key 96 down flags 0x800000", "key 96 up flags 0x800000"}, ""},
        {"forward delete carries function", plain, Action::keystroke({117, M::command}),
         {"key 117 down flags 0x900000", "key 117 up flags 0x900000"}, ""},
        {"every modifier", plain, Action::keystroke({0, {M::command, M::shift, M::option, M::function}}),
         {"key 0 down flags 0x9A0000", "key 0 up flags 0x9A0000"}, ""},
        {"meaningless bits are not pressed", plain, Action::keystroke({0, M(0xE0)}),
         {"key 0 down flags 0x0", "key 0 up flags 0x0"}, ""},
        {"no permission", untrusted, Action::keystroke({8, M::command}), {},
         "Velorin needs Accessibility permission for this action"},
        {"without an event source the events are still posted",
         [](Desk& d) { d.sim.failNext(FailurePoint::eventSource); }, Action::keystroke({8, M::command}),
         {"key 8 down flags 0x100000 without source", "key 8 up flags 0x100000 without source"}, ""},
        {"key-up event can't be made", [](Desk& d) { d.sim.failNext(FailurePoint::keyboardEvent, 1); },
         Action::keystroke({8, M::command}), {}, "Could not create the input event"},
        {"key-down event can't be made", [](Desk& d) { d.sim.failNext(FailurePoint::keyboardEvent); },
         Action::keystroke({8, M::command}), {}, "Could not create the input event"},
    });
}

TEST(ActionRunner, mediaAndBrightnessKeysAreSystemDefinedEvents) {
    runCases({
        {"play/pause", plain, Action::media(MediaKey::playPause),
         {"system data1 0x100A00 flags 0xA00", "system data1 0x100B00 flags 0xB00"}, ""},
        {"volume down", plain, Action::media(MediaKey::volumeDown),
         {"system data1 0x10A00 flags 0xA00", "system data1 0x10B00 flags 0xB00"}, ""},
        {"mute", plain, Action::media(MediaKey::mute),
         {"system data1 0x70A00 flags 0xA00", "system data1 0x70B00 flags 0xB00"}, ""},
        {"brightness up", plain, Action::system(SystemCommand::brightnessUp),
         {"system data1 0x20A00 flags 0xA00", "system data1 0x20B00 flags 0xB00"}, ""},
        {"brightness down", plain, Action::system(SystemCommand::brightnessDown),
         {"system data1 0x30A00 flags 0xA00", "system data1 0x30B00 flags 0xB00"}, ""},
        {"no permission", untrusted, Action::media(MediaKey::next), {},
         "Velorin needs Accessibility permission for this action"},
        {"the release can't be made after the press was posted",
         [](Desk& d) { d.sim.failNext(FailurePoint::systemDefinedEvent, 1); }, Action::media(MediaKey::next),
         {"system data1 0x110A00 flags 0xA00"}, "Could not create the input event"},
        {"no postable event", [](Desk& d) { d.sim.failNext(FailurePoint::quartzEvent); },
         Action::media(MediaKey::previous), {}, "Could not create the input event"},
    });
}

TEST(ActionRunner, systemCommandsPressOpenLaunchOrScript) {
    const std::string darkMode =
        "tell application \"System Events\" to tell appearance preferences to set dark mode to not dark mode";
    runCases({
        {"lock screen", plain, Action::system(SystemCommand::lockScreen),
         {"key 12 down flags 0x140000", "key 12 up flags 0x140000"}, ""},
        {"lock screen needs permission", untrusted, Action::system(SystemCommand::lockScreen), {},
         "Velorin needs Accessibility permission for this action"},
        {"space left", plain, Action::system(SystemCommand::spaceLeft),
         {"key 123 down flags 0xA40000", "key 123 up flags 0xA40000"}, ""},
        {"space right", plain, Action::system(SystemCommand::spaceRight),
         {"key 124 down flags 0xA40000", "key 124 up flags 0xA40000"}, ""},
        {"mission control", plain, Action::system(SystemCommand::missionControl),
         {"key 126 down flags 0xA40000", "key 126 up flags 0xA40000"}, ""},
        {"app windows", plain, Action::system(SystemCommand::appWindows),
         {"key 125 down flags 0xA40000", "key 125 up flags 0xA40000"}, ""},
        {"show desktop, without permission too", untrusted, Action::system(SystemCommand::showDesktop),
         {"open app /System/Applications/Mission Control.app [1]"}, ""},
        {"sleep display", plain, Action::system(SystemCommand::sleepDisplay),
         {"start /usr/bin/pmset [displaysleepnow]"}, ""},
        {"sleep display when the tool won't start",
         [](Desk& d) { d.sim.processes().setUnstartable("/usr/bin/pmset"); },
         Action::system(SystemCommand::sleepDisplay), {}, "Couldn't open /usr/bin/pmset"},
        {"screen saver", plain, Action::system(SystemCommand::screenSaver),
         {"open file:///System/Library/CoreServices/ScreenSaverEngine.app"}, ""},
        {"screen saver that doesn't open is not reported",
         [](Desk& d) { d.sim.failNext(FailurePoint::openURL); }, Action::system(SystemCommand::screenSaver), {},
         ""},
        {"dark mode", plain, Action::system(SystemCommand::darkMode), {"script " + darkMode}, ""},
        {"dark mode script that can't be made does nothing",
         [](Desk& d) { d.sim.failNext(FailurePoint::scriptCreation); }, Action::system(SystemCommand::darkMode),
         {}, ""},
        {"dark mode refused by System Events",
         [darkMode](Desk& d) { d.sim.scripting().setBehaviour(darkMode, {true, "Not authorised"}); },
         Action::system(SystemCommand::darkMode), {"script " + darkMode},
         "Couldn't open System Events (allow Velorin under Privacy & Security \u203A Automation)"},
    });
}

TEST(ActionRunner, appsOpenToggleOrAreMissing) {
    const Prep notesRunningBehind = [](Desk& d) {
        d.sim.workspace().addRunningApp({200, notesID, "Notes", false, false}, false);
    };
    runCases({
        {"opens an app that isn't running", plain, Action::openApp(notesID, false),
         {"open app /Applications/Notes.app"}, ""},
        {"a toggle launches an app that isn't running", plain, Action::openApp(notesID, true),
         {"open app /Applications/Notes.app"}, ""},
        {"a toggle brings a running app from behind", notesRunningBehind, Action::openApp(notesID, true),
         {"open app /Applications/Notes.app"}, ""},
        {"a toggle hides the app in front", plain, Action::openApp(editorID, true), {"hide 100"}, ""},
        {"opening the app in front activates it again", plain, Action::openApp(editorID, false),
         {"open app /Applications/Editor.app"}, ""},
        {"needs no permission", untrusted, Action::openApp(notesID, false), {"open app /Applications/Notes.app"},
         ""},
        {"not installed", plain, Action::openApp("com.example.Missing", false), {},
         "No app with bundle ID com.example.Missing"},
        {"not installed, toggling", plain, Action::openApp("com.example.Missing", true), {},
         "No app with bundle ID com.example.Missing"},
    });
}

TEST(ActionRunner, windowsMoveToTheirLayout) {
    const Prep twoScreens = [](Desk& d) {
        d.sim.screens().setScreens({SimScreens::defaultScreen,
                                    Screen{Rect{{1440, 0}, {1920, 1080}}, Rect{{1440, 0}, {1920, 1080}}}});
    };
    runCases({
        {"left half: size, position, size again", plain, Action::window(WindowCommand::leftHalf),
         {"set AXSize 720 x 875", "set AXPosition (0, 25)", "set AXSize 720 x 875"}, ""},
        {"maximize", plain, Action::window(WindowCommand::maximize),
         {"set AXSize 1440 x 875", "set AXPosition (0, 25)", "set AXSize 1440 x 875"}, ""},
        {"next display through both coordinate systems", twoScreens, Action::window(WindowCommand::nextDisplay),
         {"set AXSize 534 x 370", "set AXPosition (1573, -87)", "set AXSize 534 x 370"}, ""},
        {"next display with one screen does nothing", plain, Action::window(WindowCommand::nextDisplay), {}, ""},
        {"no screens at all does nothing", [](Desk& d) { d.sim.screens().setScreens({}); },
         Action::window(WindowCommand::center), {}, ""},
        {"no permission", untrusted, Action::window(WindowCommand::leftHalf), {},
         "Velorin needs Accessibility permission for this action"},
        {"no front app", [](Desk& d) { d.sim.workspace().setFrontApp(std::nullopt, false); },
         Action::window(WindowCommand::leftHalf), {}, "No focused window"},
        {"no focused window",
         [](Desk& d) { d.sim.accessibility().failReading(d.app, "AXFocusedWindow", AXError::noValue); },
         Action::window(WindowCommand::leftHalf), {}, "No focused window"},
        {"focused window not an element",
         [](Desk& d) { d.sim.accessibility().setAttribute(d.app, "AXFocusedWindow", std::string("w")); },
         Action::window(WindowCommand::leftHalf), {}, "No focused window"},
        {"position unreadable",
         [](Desk& d) { d.sim.accessibility().failReading(d.window, "AXPosition", AXError::cannotComplete); },
         Action::window(WindowCommand::leftHalf), {}, "That window can't be moved or resized"},
        {"size of the wrong kind", [](Desk& d) { d.sim.accessibility().setAttribute(d.window, "AXSize", Point{1, 2}); },
         Action::window(WindowCommand::leftHalf), {}, "That window can't be moved or resized"},
        {"size value can't be made", [](Desk& d) { d.sim.failNext(FailurePoint::accessibilityValue); },
         Action::window(WindowCommand::leftHalf), {}, "That window can't be moved or resized"},
        {"a refused position keeps the size already set",
         [](Desk& d) { d.sim.accessibility().failWriting(d.window, "AXPosition", AXError::cannotComplete); },
         Action::window(WindowCommand::leftHalf), {"set AXSize 720 x 875", "set AXPosition (0, 25) (refused)"},
         "That window can't be moved or resized"},
        {"the last size is not checked", [](Desk& d) { d.sim.failNext(FailurePoint::accessibilityValue, 2); },
         Action::window(WindowCommand::leftHalf), {"set AXSize 720 x 875", "set AXPosition (0, 25)"}, ""},
    });
}

// A desktop that places windows after the run returned tells later whether
// the placement held: the run hears of it once, and not at all when it
// already failed.
TEST(ActionRunner, aWindowPlacementThatFailsLaterIsToldOnce) {
    struct Case {
        const char* name;
        Prep setup;
        Action action;
        bool fails;  // the desktop tells that what was written did not hold
        std::string error;
        std::vector<std::string> told;
    };
    const std::string cannotMove = "That window can't be moved or resized";
    const Case cases[] = {
        {"a placement that held", plain, Action::window(WindowCommand::leftHalf), false, "", {}},
        {"a placement that did not hold", plain, Action::window(WindowCommand::leftHalf), true, "", {cannotMove}},
        {"a refused position fails now and not again",
         [](Desk& d) { d.sim.accessibility().failWriting(d.window, "AXPosition", AXError::cannotComplete); },
         Action::window(WindowCommand::maximize),
         true,
         cannotMove,
         {}},
        {"nothing placed, nothing to tell", plain, Action::window(WindowCommand::nextDisplay), true, "", {}},
    };
    for (const auto& c : cases) {
        SimPlatform sim;
        Desk desk{sim, {}, {}};
        prepare(sim, desk);
        c.setup(desk);
        std::vector<std::string> told;
        std::string error;
        try {
            ActionRunner().run(c.action, [&](const ActionError& e) { told.push_back(e.description()); });
        } catch (const ActionError& e) {
            error = e.description();
        }
        if (c.fails) {
            sim.accessibility().failStartedWindowChanges();
            sim.accessibility().failStartedWindowChanges();
        }
        EXPECT_EQ(error, c.error) << c.name;
        EXPECT_EQ(told, c.told) << c.name;
    }
}

TEST(ActionRunner, menuCommandsPressTheItemOrFallBackToTheKey) {
    runCases({
        {"found item is pressed", plain, Action::menuItem({{"File", "Export", "PDF"}}), {"perform AXPress"}, ""},
        {"missing item presses the key", plain, Action::menuItem(missingWithKey),
         {"key 1 down flags 0x100000", "key 1 up flags 0x100000"}, ""},
        {"missing item without a key", plain, Action::menuItem(missingWithoutKey), {},
         "The front app has no menu command File \u25B8 Nope"},
        {"empty path without a key", plain, Action::menuItem({}), {}, "The front app has no menu command "},
        {"refused press falls back to the key",
         [](Desk& d) {
             auto save = MenuScanner::item({"File", "Save"}, editorPid);
             d.sim.accessibility().setActionResult(*save, "AXPress", AXError::cannotComplete);
         },
         Action::menuItem({{"File", "Save"}, KeyCombo(1, M::command)}),
         {"key 1 down flags 0x100000", "key 1 up flags 0x100000", "perform AXPress (refused)"}, ""},
        {"no front app presses the key", [](Desk& d) { d.sim.workspace().setFrontApp(std::nullopt, false); },
         Action::menuItem({{"File", "Save"}, KeyCombo(1, M::command)}),
         {"key 1 down flags 0x100000", "key 1 up flags 0x100000"}, ""},
        {"no permission, with a key", untrusted, Action::menuItem(missingWithKey), {},
         "Velorin needs Accessibility permission for this action"},
        {"no permission, without a key", untrusted, Action::menuItem(missingWithoutKey), {},
         "Velorin needs Accessibility permission for this action"},
        // The permission is asked afresh for the message, not remembered from the lookup.
        {"permission granted after the lookup was passed over",
         [](Desk& d) { d.sim.accessibility().answerTrustTests({false, true}); }, Action::menuItem(missingWithoutKey),
         {}, "The front app has no menu command File \u25B8 Nope"},
        {"permission lost after the lookup",
         [](Desk& d) { d.sim.accessibility().answerTrustTests({true, true, false}); },
         Action::menuItem(missingWithoutKey), {}, "Velorin needs Accessibility permission for this action"},
    });
}

TEST(ActionRunner, openTargetsAndShortcuts) {
    runCases({
        {"bare address", plain, Action::open("example.com"), {"open https://example.com"}, ""},
        {"home path", plain, Action::open("  ~/Documents "), {"open file:///Users/tester/Documents"}, ""},
        {"link with its own scheme", plain, Action::open("notion://www.notion.so/x"),
         {"open notion://www.notion.so/x"}, ""},
        {"only spaces", plain, Action::open("   "), {}, "Couldn't open    "},
        {"not a link", plain, Action::open("two words"), {}, "Couldn't open two words"},
        {"refused, reported with the text as stored",
         [](Desk& d) { d.sim.workspace().refuseURL("https://example.com"); }, Action::open(" example.com"), {},
         "Couldn't open  example.com"},
        {"shortcut", plain, Action::shortcut("Morning"), {"start /usr/bin/shortcuts [run] [Morning]"}, ""},
        {"shortcut named by a space", plain, Action::shortcut(" "), {"start /usr/bin/shortcuts [run] [ ]"}, ""},
        {"shortcut names are one argument, never shell text", plain, Action::shortcut("a; rm -rf ~ $(x)"),
         {"start /usr/bin/shortcuts [run] [a; rm -rf ~ $(x)]"}, ""},
        {"empty shortcut", plain, Action::shortcut(""), {}, "Couldn't open an empty shortcut"},
        {"shortcuts tool won't start", [](Desk& d) { d.sim.failNext(FailurePoint::processStart); },
         Action::shortcut("Morning"), {}, "Couldn't open /usr/bin/shortcuts"},
    });
}

TEST(ActionRunner, mouseButtonsInTheCombinedState) {
    SimPlatform sim;
    EXPECT_FALSE(ActionRunner::mouseButtonDown());
    sim.eventSystem().setButtonDown(MouseButton::right, true);
    EXPECT_TRUE(ActionRunner::mouseButtonDown());
    sim.eventSystem().setButtonDown(MouseButton::right, false);
    sim.eventSystem().setButtonDown(MouseButton::left, true);
    EXPECT_TRUE(ActionRunner::mouseButtonDown());
    sim.eventSystem().setButtonDown(MouseButton::center, true);
    sim.eventSystem().setButtonDown(MouseButton::left, false);
    EXPECT_FALSE(ActionRunner::mouseButtonDown());
}

TEST(ActionRunner, controlCharacterOnlyForLetterKeysWithControlAlone) {
    struct Case {
        KeyCombo combo;
        std::optional<std::uint16_t> character;
    };
    const Case cases[] = {
        {{0, M::control}, 1},
        {{6, M::control}, 26},
        {{8, {M::control, M::shift, M::function}}, 3},
        {{8, {M::control, M(0x80)}}, 3},
        {{8, {M::control, M::option}}, std::nullopt},
        {{8, {M::control, M::command}}, std::nullopt},
        {{8, {}}, std::nullopt},
        {{18, M::control}, std::nullopt},
        {{49, M::control}, std::nullopt},
        {{36, M::control}, std::nullopt},
        {{122, M::control}, std::nullopt},
        {{200, M::control}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ActionRunner::controlCharacter(c.combo), c.character) << c.combo.description();
    }
}

TEST(ActionRunner, keySetsHoldTheirCodes) {
    EXPECT_EQ(ActionRunner::arrowKeys(), (std::set<std::uint16_t>{123, 124, 125, 126}));
    EXPECT_EQ(ActionRunner::fnKeys(), (std::set<std::uint16_t>{122, 120, 99, 118, 96, 97, 98, 100, 101, 109, 103, 111,
                                                               115, 119, 116, 121, 117, 123, 124, 125, 126}));
}

TEST(Permissions, trustIsAskedAfreshAndThePromptShownWhenMissing) {
    SimPlatform sim;
    EXPECT_TRUE(Permissions::isAccessibilityTrusted());
    EXPECT_TRUE(Permissions::requestAccessibility());
    EXPECT_EQ(sim.accessibility().promptsShown(), 0);
    sim.accessibility().setTrusted(false);
    EXPECT_FALSE(Permissions::isAccessibilityTrusted());
    EXPECT_EQ(sim.accessibility().promptsShown(), 0);
    EXPECT_FALSE(Permissions::requestAccessibility());
    EXPECT_EQ(sim.accessibility().promptsShown(), 1);

    Permissions::openAccessibilitySettings();
    const std::vector<std::string> settingsPage = {
        "x-apple.systempreferences:com.apple.preference.security?Privacy_Accessibility"};
    EXPECT_EQ(sim.workspace().openedURLs(), settingsPage);
    sim.failNext(FailurePoint::openURL);
    Permissions::openAccessibilitySettings();  // a refusal is not reported
    EXPECT_EQ(sim.workspace().openedURLs().size(), 1u);
}

TEST(OpenTargetOnTheDesktop, tildeIsTheInstalledHomeFolder) {
    SimPlatform sim;
    EXPECT_EQ(OpenTarget::url("~/Music")->text(), "file:///Users/tester/Music");
    sim.fileManager().setHomeDirectory("/home/ana");
    EXPECT_EQ(OpenTarget::url("~")->text(), "file:///home/ana");
}

TEST(ActionErrorText, sevenMessages) {
    const std::pair<ActionError, const char*> cases[] = {
        {ActionError::appNotFound("com.x"), "No app with bundle ID com.x"},
        {ActionError::menuItemNotFound("File \u25B8 Save"), "The front app has no menu command File \u25B8 Save"},
        {ActionError::cannotOpen("~/x"), "Couldn't open ~/x"},
        {ActionError::needsAccessibility(), "Velorin needs Accessibility permission for this action"},
        {ActionError::noFocusedWindow(), "No focused window"},
        {ActionError::cannotMoveWindow(), "That window can't be moved or resized"},
        {ActionError::eventFailed(), "Could not create the input event"},
    };
    for (const auto& [error, text] : cases) {
        EXPECT_EQ(error.description(), text);
        EXPECT_STREQ(error.what(), text);
    }
    EXPECT_EQ(ActionError::cannotOpen("a"), ActionError::cannotOpen("a"));
    EXPECT_NE(ActionError::cannotOpen("a"), ActionError::cannotOpen("b"));
    EXPECT_NE(ActionError::cannotOpen("a"), ActionError::appNotFound("a"));
}
