#include "Velorin/Packs/PackCardRules.h"

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Config/PackCatalog.h"

#include <algorithm>

#include "Config/AppConfig.h"
#include "Velorin/DisplayNames.h"

namespace velorin {

namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const auto& name : names) {
        if (!out.empty()) out += ", ";
        out += name;
    }
    return out;
}

std::vector<std::string> names(const std::vector<std::string>& apps, const AppDirectory& directory) {
    std::vector<std::string> out;
    out.reserve(apps.size());
    for (const auto& app : apps) out.push_back(directory.name(app));
    return out;
}

}  // namespace

int PackCardRules::onCount(const std::vector<Binding>& list) {
    return int(std::count_if(list.begin(), list.end(), [](const Binding& b) { return b.enabled; }));
}

bool PackCardRules::isActiveHere(bool enabled, const Pack& pack, const std::optional<std::string>& frontApp) {
    return enabled && !pack.apps.empty() && frontApp &&
           std::find(pack.apps.begin(), pack.apps.end(), *frontApp) != pack.apps.end();
}

bool PackCardRules::showsScope(const Pack& pack, const AppDirectory& apps) {
    if (pack.apps.empty()) return true;
    const auto installed = std::count_if(pack.apps.begin(), pack.apps.end(),
                                         [&](const std::string& app) { return apps.isInstalled(app); });
    return installed > 1 || (pack.apps.size() > 1 && installed == 0);
}

std::string PackCardRules::countText(const std::vector<Binding>& list) {
    const int on = onCount(list);
    const int off = int(list.size()) - on;
    if (off == 0) return std::to_string(on) + " shortcuts";
    return std::to_string(on) + " on · " + std::to_string(off) + " more";
}

bool PackCardRules::clashes(const Binding& binding, const std::vector<Binding>& list) {
    if (!binding.enabled) return false;
    return std::any_of(list.begin(), list.end(), [&](const Binding& other) {
        return other.id != binding.id && other.enabled && other.gesture == binding.gesture &&
               AppConfig::scopesOverlap(other.apps, binding.apps);
    });
}

std::optional<std::string> PackCardRules::addFromMenusTitle(const Pack& pack, bool editable,
                                                            const AppDirectory& apps) {
    if (!editable || pack.apps.empty()) return std::nullopt;
    if (pack.apps.size() == 1) return "Add from " + apps.name(pack.apps.front()) + "'s menus…";
    return std::string("Add from the apps' menus…");
}

Gesture PackCardRules::menuGesture(const std::vector<Binding>& list) {
    std::vector<Gesture> candidates = PackCatalog::spare();
    candidates.push_back(Gesture::tap(3, 2));
    for (const Gesture& candidate : candidates) {
        const bool taken = std::any_of(list.begin(), list.end(),
                                       [&](const Binding& b) { return b.enabled && b.gesture == candidate; });
        if (!taken) return candidate;
    }
    return PackCatalog::spare().front();
}

Binding PackCardRules::menuBinding(const MenuCommand& command, const Pack& pack, const std::vector<Binding>& list) {
    return Binding{Uuid::generate(), menuGesture(list), Action::menuItem(command), true, pack.apps, command.title()};
}

std::vector<Binding> PackCardRules::replacing(std::vector<Binding> list, const Binding& changed) {
    auto it = std::find_if(list.begin(), list.end(), [&](const Binding& b) { return b.id == changed.id; });
    if (it != list.end()) *it = changed;
    return list;
}

std::vector<std::string> ScopeLabelRules::shownApps(const std::vector<std::string>& apps, int maxIcons,
                                                    const AppDirectory& directory) {
    std::vector<std::string> installed;
    std::vector<std::string> others;
    for (const auto& app : apps) (directory.isInstalled(app) ? installed : others).push_back(app);
    installed.insert(installed.end(), others.begin(), others.end());
    if (int(installed.size()) > maxIcons) installed.resize(std::size_t(std::max(maxIcons, 0)));
    return installed;
}

std::string ScopeLabelRules::text(const std::vector<std::string>& apps, int maxIcons, const AppDirectory& directory) {
    const int count = int(apps.size());
    if (count > 2) {
        if (count > maxIcons) return "+" + std::to_string(count - maxIcons);
        return std::to_string(count) + " apps";
    }
    return joined(names(apps, directory));
}

std::string ScopeLabelRules::tooltip(const std::vector<std::string>& apps, const AppDirectory& directory) {
    if (apps.empty()) return "Works in every app";
    return "Works in " + joined(names(apps, directory));
}

std::string ShortcutRowRules::title(const Binding& binding) {
    return binding.title ? *binding.title : displayName(binding.action);
}

std::optional<std::string> ShortcutRowRules::chipTooltip(const Binding& binding, bool editable) {
    if (!editable) return std::nullopt;
    return std::string(binding.enabled ? "Change or remove the gesture" : "Pick a gesture to switch this on");
}

std::string ShortcutRowRules::confirmTitle(const Binding& binding) { return binding.enabled ? "Save" : "Switch On"; }

Binding ShortcutRowRules::confirmed(Binding binding, const Gesture& draft) {
    binding.gesture = draft;
    binding.enabled = true;
    return binding;
}

Binding ShortcutRowRules::removed(Binding binding) {
    binding.enabled = false;
    return binding;
}

bool ShortcutRowRules::showsGlobe(const Binding& binding, const Pack& pack) {
    return binding.isGlobal() && !pack.apps.empty();
}

}  // namespace velorin
