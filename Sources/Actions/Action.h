#pragma once
// What a shortcut does when its gesture is recognised. A plain value: bindings and
// the built-in packs hold it, the configuration file stores it, the runner runs it.

#include <functional>
#include <string>
#include <variant>

#include "Actions/Commands.h"
#include "Actions/KeyCombo.h"
#include "Actions/MenuCommand.h"
#include "Support/Json.h"

namespace velorin {

class Action {
public:
    // The eight cases in declaration order; the order is the case index that hashing feeds.
    enum class Kind { openApp, keystroke, window, media, menuItem, system, open, shortcut };

    struct OpenApp {
        std::string bundleID;
        bool toggle = false;  // hide the app when it is already in front
        bool operator==(const OpenApp&) const = default;
    };
    struct Keystroke {
        KeyCombo combo;
        bool operator==(const Keystroke&) const = default;
    };
    struct Window {
        WindowCommand command = WindowCommand::leftHalf;
        bool operator==(const Window&) const = default;
    };
    struct Media {
        MediaKey key = MediaKey::playPause;
        bool operator==(const Media&) const = default;
    };
    struct MenuItem {
        MenuCommand command;
        bool operator==(const MenuItem&) const = default;
    };
    struct System {
        SystemCommand command = SystemCommand::lockScreen;
        bool operator==(const System&) const = default;
    };
    struct Open {
        std::string url;  // as the user typed it; made a URL only when run
        bool operator==(const Open&) const = default;
    };
    struct Shortcut {
        std::string name;
        bool operator==(const Shortcut&) const = default;
    };

    // Alternatives in the order of Kind.
    using Payload = std::variant<OpenApp, Keystroke, Window, Media, MenuItem, System, Open, Shortcut>;

    // An `openApp` of no app, so records that hold an action can be made empty and filled in.
    Action() : payload_(OpenApp{}) {}  // spelled out: a defaulted one would be deleted
    Action(Payload payload) : payload_(std::move(payload)) {}

    static Action openApp(std::string bundleID, bool toggle = false) {
        return Action(OpenApp{std::move(bundleID), toggle});
    }
    static Action keystroke(KeyCombo combo) { return Action(Keystroke{combo}); }
    static Action window(WindowCommand command) { return Action(Window{command}); }
    static Action media(MediaKey key) { return Action(Media{key}); }
    static Action menuItem(MenuCommand command) { return Action(MenuItem{std::move(command)}); }
    static Action system(SystemCommand command) { return Action(System{command}); }
    static Action open(std::string url) { return Action(Open{std::move(url)}); }
    static Action shortcut(std::string name) { return Action(Shortcut{std::move(name)}); }

    Kind kind() const { return static_cast<Kind>(payload_.index()); }
    const Payload& payload() const { return payload_; }
    template <class T>
    const T* as() const {
        return std::get_if<T>(&payload_);
    }

    // The one-line text ("Press ⌘C", "Menu: File ▸ Save"); the names shown to users are elsewhere.
    std::string description() const;

    // One object with exactly one member named after the case.
    Json toJson() const;
    static Action fromJson(const json::Reader& reader);

    bool operator==(const Action&) const = default;

private:
    Payload payload_;
};

// The stored member name of each case ("openApp", "keystroke", ...).
std::string_view caseName(Action::Kind kind);

}  // namespace velorin

template <>
struct std::hash<velorin::Action> {
    std::size_t operator()(const velorin::Action& action) const noexcept;
};
