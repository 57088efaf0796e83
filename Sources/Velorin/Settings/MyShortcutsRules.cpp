#include "Velorin/Settings/MyShortcutsRules.h"

#include <algorithm>

namespace velorin {

std::vector<ShortcutGroup> MyShortcutsRules::groups(const std::vector<Binding>& bindings) {
    std::vector<ShortcutGroup> groups;
    for (const auto& binding : bindings) {
        auto key = binding.apps;
        std::sort(key.begin(), key.end());  // std::string compares bytes: UTF-8 keeps code-point order
        auto group = std::find_if(groups.begin(), groups.end(), [&](const auto& g) { return g.apps == key; });
        if (group == groups.end()) group = groups.insert(groups.end(), ShortcutGroup{std::move(key), {}});
        group->ids.push_back(binding.id);
    }
    std::stable_partition(groups.begin(), groups.end(), [](const auto& g) { return g.apps.empty(); });
    return groups;
}

std::string MyShortcutsRules::headingText(const std::vector<std::string>& apps,
                                          const std::function<std::string(const std::string&)>& name) {
    if (apps.empty()) return everywhereText;
    std::string text = "Only in ";
    for (std::size_t i = 0; i < apps.size(); ++i) {
        if (i > 0) text += ", ";
        text += name(apps[i]);
    }
    return text;
}

std::vector<std::string> MyShortcutsRules::headingBadgeApps(const std::vector<std::string>& apps) {
    return {apps.begin(), apps.begin() + std::ptrdiff_t(std::min(apps.size(), headingBadges))};
}

const Binding* MyShortcutsRules::find(const AppConfig& config, const Uuid& id) {
    auto it = std::find_if(config.bindings.begin(), config.bindings.end(), [&](const auto& b) { return b.id == id; });
    return it == config.bindings.end() ? nullptr : &*it;
}

std::optional<AppConfig> MyShortcutsRules::settingEnabled(const AppConfig& config, const Uuid& id, bool enabled) {
    const Binding* shortcut = find(config, id);
    if (!shortcut || shortcut->enabled == enabled) return std::nullopt;
    AppConfig changed = config;
    for (auto& binding : changed.bindings) {
        if (binding.id == id) {
            binding.enabled = enabled;
            break;
        }
    }
    return changed;
}

std::optional<AppConfig> MyShortcutsRules::deleting(const AppConfig& config, const Uuid& id) {
    if (!find(config, id)) return std::nullopt;
    AppConfig changed = config;
    std::erase_if(changed.bindings, [&](const auto& b) { return b.id == id; });
    return changed;
}

AppConfig MyShortcutsRules::storing(const AppConfig& config, const Binding& edited) {
    AppConfig changed = config;
    auto it = std::find_if(changed.bindings.begin(), changed.bindings.end(),
                           [&](const auto& b) { return b.id == edited.id; });
    if (it != changed.bindings.end()) {
        *it = edited;
    } else {
        changed.bindings.push_back(edited);
    }
    return changed;
}

}  // namespace velorin
