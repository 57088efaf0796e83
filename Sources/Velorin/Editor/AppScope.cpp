#include "Velorin/Editor/AppScope.h"

#include <algorithm>

namespace velorin {

std::optional<std::vector<std::string>> AppScope::choose(bool onlySome) {
    if (onlySome == onlySome_) return std::nullopt;
    onlySome_ = onlySome;
    if (!onlySome) return std::vector<std::string>{};
    return std::nullopt;
}

std::vector<std::string> AppScope::removing(std::vector<std::string> apps, const std::string& bundleID) {
    std::erase(apps, bundleID);
    return apps;
}

std::vector<std::string> AppScope::adding(
    std::vector<std::string> apps, const std::vector<std::string>& locations,
    const std::function<std::optional<std::string>(const std::string& location)>& bundleIdentifierAt) {
    for (const auto& location : locations) {
        const auto id = bundleIdentifierAt(location);
        if (!id) continue;
        if (std::find(apps.begin(), apps.end(), *id) == apps.end()) apps.push_back(*id);
    }
    return apps;
}

}  // namespace velorin
