#include "Actions/ActionRunner.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Actions/MenuScanner.h"
#include "Actions/OpenTarget.h"
#include "Actions/Permissions.h"
#include "Actions/Unicode.h"
#include "Actions/Url.h"
#include "Actions/WindowLayout.h"
#include "Platform/Platform.h"

namespace velorin {
namespace {

using M = KeyCombo::Modifiers;

// Key types of the brightness keys, beside the media keys' own.
constexpr std::int32_t brightnessUpKeyType = 2;
constexpr std::int32_t brightnessDownKeyType = 3;

// System-defined events: the auxiliary-key subtype, and the press and release words.
constexpr std::uint32_t systemDefinedType = 14;
constexpr std::int16_t auxKeySubtype = 8;
constexpr std::uint32_t keyPressWord = 0xA00;
constexpr std::uint32_t keyReleaseWord = 0xB00;

constexpr const char* missionControlApp = "/System/Applications/Mission Control.app";
constexpr const char* screenSaverApp = "/System/Library/CoreServices/ScreenSaverEngine.app";
constexpr const char* powerTool = "/usr/bin/pmset";
constexpr const char* shortcutsTool = "/usr/bin/shortcuts";
constexpr const char* darkModeScript =
    "tell application \"System Events\" to tell appearance preferences to set dark mode to not dark mode";
constexpr const char* darkModeFailure = "System Events (allow Velorin under Privacy & Security \u203A Automation)";

Platform& desktop() { return platform::current(); }

void requireAccessibility() {
    if (!Permissions::isAccessibilityTrusted()) throw ActionError::needsAccessibility();
}

std::string joinedTitles(const std::vector<std::string>& path) {
    std::string text;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i > 0) text += " \u25B8 ";
        text += path[i];
    }
    return text;
}

std::uint64_t eventFlags(const KeyCombo& combo) {
    std::uint64_t flags = 0;
    if (combo.modifiers.contains(M::command)) flags |= event_flags::command;
    if (combo.modifiers.contains(M::shift)) flags |= event_flags::shift;
    if (combo.modifiers.contains(M::option)) flags |= event_flags::alternate;
    if (combo.modifiers.contains(M::control)) flags |= event_flags::control;
    if (combo.modifiers.contains(M::function)) flags |= event_flags::secondaryFn;
    if (ActionRunner::arrowKeys().contains(combo.keyCode)) flags |= event_flags::numericPad;
    if (ActionRunner::fnKeys().contains(combo.keyCode)) flags |= event_flags::secondaryFn;
    return flags;
}

void press(const KeyCombo& combo) {
    requireAccessibility();
    EventSystem& events = desktop().eventSystem();
    // Without a source the events are still made, just not tied to the HID state.
    const auto source = events.createEventSource(EventSourceStateID::hidSystemState);
    auto down = events.createKeyboardEvent(source, combo.keyCode, true);
    auto up = events.createKeyboardEvent(source, combo.keyCode, false);
    if (!down || !up) throw ActionError::eventFailed();

    const std::uint64_t flags = eventFlags(combo);
    down->flags = flags;
    up->flags = flags;
    if (auto character = ActionRunner::controlCharacter(combo)) {
        down->unicodeString = std::u16string(1, static_cast<char16_t>(*character));
        up->unicodeString = down->unicodeString;
    }
    // Modifiers travel only as flags; no separate modifier key events.
    events.post(EventTapLocation::hid, Event(*down));
    events.post(EventTapLocation::hid, Event(*up));
}

void postSystemKey(std::int32_t keyType) {
    requireAccessibility();
    EventSystem& events = desktop().eventSystem();
    for (std::uint32_t word : {keyPressWord, keyReleaseWord}) {
        SystemDefinedEvent fields;
        fields.type = systemDefinedType;
        fields.location = Point{0, 0};
        fields.modifierFlags = word;
        fields.timestamp = 0;
        fields.windowNumber = 0;
        fields.subtype = auxKeySubtype;
        // Computed as a 32-bit word, then widened with its sign.
        fields.data1 = static_cast<std::int32_t>((static_cast<std::uint32_t>(keyType) << 16) | word);
        fields.data2 = -1;
        const auto event = events.createSystemDefinedEvent(fields);
        if (!event) throw ActionError::eventFailed();
        const auto quartz = events.quartzEvent(*event);
        if (!quartz) throw ActionError::eventFailed();
        events.post(EventTapLocation::hid, *quartz);
    }
}

void launch(const std::string& executable, const std::vector<std::string>& arguments) {
    // Arguments are handed over one by one; nothing passes through a shell.
    if (!desktop().processes().start(executable, arguments)) throw ActionError::cannotOpen(executable);
}

void openApp(const std::string& bundleID, bool toggle, const ActionRunner::LateFailure& failedLater) {
    Workspace& workspace = desktop().workspace();
    if (toggle) {
        const auto running = workspace.runningApplicationsWithBundleIdentifier(bundleID);
        if (!running.empty() && running.front().isActive) {
            workspace.hide(running.front().processIdentifier);
            return;
        }
    }
    const auto location = workspace.urlForApplication(bundleID);
    if (!location) throw ActionError::appNotFound(bundleID);
    OpenConfiguration configuration;
    configuration.activates = true;
    // The app may still fail to start (or to answer) once this has returned.
    std::function<void()> later;
    if (failedLater) later = [failedLater, bundleID] { failedLater(ActionError::cannotOpen(bundleID)); };
    workspace.openApplicationReporting(*location, configuration, std::move(later));
}

Rect frameOf(AXElement window) {
    Accessibility& ax = desktop().accessibility();
    const auto position = ax.copyAttributeValue(window, "AXPosition");
    const auto size = ax.copyAttributeValue(window, "AXSize");
    const auto* p = std::get_if<Point>(&position);
    const auto* s = std::get_if<Size>(&size);
    if (!p || !s) throw ActionError::cannotMoveWindow();
    return Rect{*p, *s};
}

void setAttribute(AXElement window, const char* attribute, const std::optional<AttributeValue>& value,
                  const std::function<void()>& failedLater) {
    if (!value) throw ActionError::cannotMoveWindow();
    if (desktop().accessibility().setAttributeValueReporting(window, attribute, *value, failedLater) !=
        AXError::success) {
        throw ActionError::cannotMoveWindow();
    }
}

void moveWindow(WindowCommand command, const ActionRunner::LateFailure& failedLater) {
    requireAccessibility();
    Accessibility& ax = desktop().accessibility();
    const auto front = desktop().workspace().frontmostApplication();
    if (!front) throw ActionError::noFocusedWindow();
    const auto focused = ax.copyAttributeValue(ax.applicationElement(front->processIdentifier), "AXFocusedWindow");
    const auto* window = std::get_if<AXElement>(&focused);
    if (!window) throw ActionError::noFocusedWindow();
    const Rect current = frameOf(*window);

    const auto screens = desktop().screens().screens();
    const double primaryHeight = screens.empty() ? 0 : screens.front().frame.size.height;
    std::vector<Rect> visible;
    for (const auto& screen : screens) visible.push_back(WindowLayout::axRect(screen.visibleFrame, primaryHeight));

    const auto target = WindowLayout::frame(command, current, visible);
    if (!target) return;
    // A desktop that places the window after this returns tells of a failure
    // then: once for the three writes, and not at all when this run fails now.
    auto told = std::make_shared<bool>(false);
    std::function<void()> later;
    if (failedLater) {
        later = [failedLater, told] {
            if (std::exchange(*told, true)) return;
            failedLater(ActionError::cannotMoveWindow());
        };
    }
    // Size, then position, then size again: an app may refuse a size that doesn't fit
    // where the window was, and accept it once the window has moved.
    try {
        setAttribute(*window, "AXSize", ax.createValue(target->size), later);
        setAttribute(*window, "AXPosition", ax.createValue(target->origin), later);
    } catch (const ActionError&) {
        *told = true;
        throw;
    }
    if (auto again = ax.createValue(target->size))
        (void)ax.setAttributeValueReporting(*window, "AXSize", *again, later);
}

void pressMenu(const MenuCommand& command) {
    if (Permissions::isAccessibilityTrusted()) {
        if (const auto front = desktop().workspace().frontmostApplication()) {
            const auto item = MenuScanner::item(command.path, front->processIdentifier);
            if (item && desktop().accessibility().performAction(*item, "AXPress") == AXError::success) return;
        }
    }
    if (command.key) {
        press(*command.key);
        return;
    }
    // Asked again: the answer is about the permission now, not when the lookup began.
    if (Permissions::isAccessibilityTrusted()) throw ActionError::menuItemNotFound(joinedTitles(command.path));
    throw ActionError::needsAccessibility();
}

void runSystem(SystemCommand command) {
    switch (command) {
        case SystemCommand::lockScreen:
            return press(KeyCombo(12, {M::control, M::command}));
        case SystemCommand::showDesktop: {
            OpenConfiguration configuration;
            configuration.arguments = {"1"};
            desktop().workspace().openApplication(missionControlApp, configuration);
            return;
        }
        case SystemCommand::missionControl:
            return press(KeyCombo::missionControl);
        case SystemCommand::appWindows:
            return press(KeyCombo::appExpose);
        case SystemCommand::spaceLeft:
            return press(KeyCombo(123, M::control));
        case SystemCommand::spaceRight:
            return press(KeyCombo(124, M::control));
        case SystemCommand::sleepDisplay:
            return launch(powerTool, {"displaysleepnow"});
        case SystemCommand::screenSaver:
            if (const auto url = Url::fileUrl(screenSaverApp)) (void)desktop().workspace().open(url->text());
            return;
        case SystemCommand::darkMode: {
            const auto script = desktop().scripting().makeScript(darkModeScript);
            if (!script) return;
            if (script->execute()) throw ActionError::cannotOpen(darkModeFailure);
            return;
        }
        case SystemCommand::brightnessUp:
            return postSystemKey(brightnessUpKeyType);
        case SystemCommand::brightnessDown:
            return postSystemKey(brightnessDownKeyType);
    }
}

void open(const std::string& text, const ActionRunner::LateFailure& failedLater) {
    const auto url = OpenTarget::url(text);
    if (!url) throw ActionError::cannotOpen(text);
    std::function<void()> later;
    if (failedLater) later = [failedLater, text] { failedLater(ActionError::cannotOpen(text)); };
    if (!desktop().workspace().openReporting(url->text(), std::move(later))) throw ActionError::cannotOpen(text);
}

void runShortcut(const std::string& name) {
    if (name.empty()) throw ActionError::cannotOpen("an empty shortcut");
    launch(shortcutsTool, {"run", name});
}

}  // namespace

void ActionRunner::run(const Action& action) const { run(action, {}); }

void ActionRunner::run(const Action& action, const LateFailure& failedLater) const {
    switch (action.kind()) {
        case Action::Kind::openApp: {
            const auto& p = *action.as<Action::OpenApp>();
            return openApp(p.bundleID, p.toggle, failedLater);
        }
        case Action::Kind::keystroke:
            return press(action.as<Action::Keystroke>()->combo);
        case Action::Kind::window:
            return moveWindow(action.as<Action::Window>()->command, failedLater);
        case Action::Kind::media:
            return postSystemKey(nxKeyType(action.as<Action::Media>()->key));
        case Action::Kind::menuItem:
            return pressMenu(action.as<Action::MenuItem>()->command);
        case Action::Kind::system:
            return runSystem(action.as<Action::System>()->command);
        case Action::Kind::open:
            return open(action.as<Action::Open>()->url, failedLater);
        case Action::Kind::shortcut:
            return runShortcut(action.as<Action::Shortcut>()->name);
    }
}

bool ActionRunner::mouseButtonDown() {
    EventSystem& events = desktop().eventSystem();
    if (events.buttonState(EventSourceStateID::combinedSessionState, MouseButton::left)) return true;
    return events.buttonState(EventSourceStateID::combinedSessionState, MouseButton::right);
}

std::optional<std::uint16_t> ActionRunner::controlCharacter(const KeyCombo& combo) {
    const M held = combo.modifiers & M{M::command, M::option, M::control};
    if (held != M::control) return std::nullopt;
    const auto name = KeyCombo::name(combo.keyCode);
    if (!name) return std::nullopt;
    const auto scalars = unicode::scalars(*name);
    if (scalars.size() != 1 || scalars.front() < U'A' || scalars.front() > U'Z') return std::nullopt;
    return static_cast<std::uint16_t>(scalars.front() - 64);
}

const std::set<std::uint16_t>& ActionRunner::arrowKeys() {
    static const std::set<std::uint16_t> codes = {123, 124, 125, 126};
    return codes;
}

const std::set<std::uint16_t>& ActionRunner::fnKeys() {
    static const std::set<std::uint16_t> codes = {
        122, 120, 99,  118, 96,  97, 98, 100, 101, 109, 103, 111,  // F1…F12
        115, 119, 116, 121, 117,                                   // home, end, page up, page down, forward delete
        123, 124, 125, 126,                                        // the arrows
    };
    return codes;
}

}  // namespace velorin
