#include "Velorin/Editor/GestureStudioRules.h"

#include "Actions/OpenTarget.h"
#include "Velorin/DisplayNames.h"

namespace velorin {

bool GestureStudioRules::takes(const Gesture& gesture) {
    if (const auto* tap = gesture.asTap()) return tap->fingers != 1;
    if (const auto* hold = gesture.asHold()) return hold->fingers != 1;
    return true;
}

bool GestureStudioRules::ready(const Action& action) {
    switch (action.kind()) {
        case Action::Kind::openApp:
            return !action.as<Action::OpenApp>()->bundleID.empty();
        case Action::Kind::keystroke:
        case Action::Kind::window:
        case Action::Kind::media:
        case Action::Kind::system:
            return true;
        case Action::Kind::menuItem:
            return !action.as<Action::MenuItem>()->command.path.empty();
        case Action::Kind::open:
            return OpenTarget::url(action.as<Action::Open>()->url).has_value();
        case Action::Kind::shortcut:
            return !action.as<Action::Shortcut>()->name.empty();
    }
    return false;
}

std::string_view GestureStudioRules::actionSymbol(Action::Kind kind) {
    switch (kind) {
        case Action::Kind::openApp:
            return "app.badge";
        case Action::Kind::keystroke:
            return "command";
        case Action::Kind::window:
            return "rectangle.split.2x1";
        case Action::Kind::media:
            return "playpause.fill";
        case Action::Kind::menuItem:
            return "filemenu.and.selection";
        case Action::Kind::system:
            return "macbook";
        case Action::Kind::open:
            return "link";
        case Action::Kind::shortcut:
            return "square.2.layers.3d.fill";
    }
    return "command";
}

std::string GestureStudioRules::actionTitle(const Action& action) {
    return ready(action) ? displayName(action) : std::string(chooseText);
}

std::optional<Pack> GestureStudioRules::targetPack(const AppConfig& config, const std::optional<std::string>& target) {
    if (!target) return std::nullopt;
    return config.pack(*target);
}

std::string GestureStudioRules::targetName(const AppConfig& config, const std::optional<std::string>& target) {
    if (auto pack = targetPack(config, target)) return pack->name;
    return mineTitle;
}

std::vector<Pack> GestureStudioRules::packChoices(const AppConfig& config) {
    std::vector<Pack> on;
    std::vector<Pack> off;
    for (auto& pack : config.allPacks()) {
        (config.isPackEnabled(pack.id) ? on : off).push_back(std::move(pack));
    }
    on.insert(on.end(), std::make_move_iterator(off.begin()), std::make_move_iterator(off.end()));
    return on;
}

std::optional<std::string> GestureStudioRules::clash(const AppConfig& config, const std::optional<std::string>& target,
                                                     const std::optional<Gesture>& gesture) {
    if (!gesture) return std::nullopt;
    if (target) {
        // A pack that is gone has no apps, and no shortcuts to clash with.
        const auto pack = config.pack(*target);
        const std::vector<std::string> apps = pack ? pack->apps : std::vector<std::string>{};
        for (const auto& shortcut : config.shortcuts(*target)) {
            if (shortcut.enabled && shortcut.gesture == *gesture && AppConfig::scopesOverlap(shortcut.apps, apps)) {
                return "This pack already uses " + displayName(*gesture) +
                       ". Saving adds another; switch the old one off in the pack if you want this one to win.";
            }
        }
        return std::nullopt;
    }
    for (const auto& shortcut : config.bindings) {
        if (shortcut.enabled && shortcut.gesture == *gesture && shortcut.apps.empty()) {
            return "One of your shortcuts already uses " + displayName(*gesture) + " everywhere.";
        }
    }
    return std::nullopt;
}

AppConfig GestureStudioRules::saving(AppConfig config, const std::optional<std::string>& target, const Gesture& gesture,
                                     const Action& action, const Uuid& id) {
    Binding shortcut{id, gesture, action, true, {}, std::nullopt};
    if (const auto pack = targetPack(config, target)) {
        shortcut.apps = pack->apps;
        auto list = config.shortcuts(pack->id);
        list.push_back(std::move(shortcut));
        config.setShortcuts(std::move(list), pack->id);
        // Switched on last, the pack is the last among packs to win.
        if (!config.isPackEnabled(pack->id)) config.setPack(pack->id, true);
        return config;
    }
    config.bindings.push_back(std::move(shortcut));
    return config;
}

std::string GestureStudioRules::savedLine(const std::optional<Gesture>& gesture, const Action& action) {
    return (gesture ? displayName(*gesture) : std::string()) + " \u2192 " + displayName(action);
}

}  // namespace velorin
