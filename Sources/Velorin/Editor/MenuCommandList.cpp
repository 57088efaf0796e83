#include "Velorin/Editor/MenuCommandList.h"

#include <QString>

#include <algorithm>

namespace velorin {

std::vector<RunningApplication> MenuCommandList::runningApps(const std::vector<RunningApplication>& all,
                                                             const std::vector<std::string>& allowed) {
    std::vector<RunningApplication> apps;
    for (const auto& app : all) {
        if (app.activationPolicy != ActivationPolicy::regular || !app.bundleIdentifier) continue;
        if (!allowed.empty() && std::find(allowed.begin(), allowed.end(), *app.bundleIdentifier) == allowed.end()) {
            continue;
        }
        apps.push_back(app);
    }
    // UTF-8 compares byte by byte in code-point order.
    std::stable_sort(apps.begin(), apps.end(), [](const RunningApplication& a, const RunningApplication& b) {
        return a.localizedName.value_or(std::string()) < b.localizedName.value_or(std::string());
    });
    return apps;
}

std::string MenuCommandList::trimmedQuery(std::string_view query) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!query.empty() && isBlank(query.front())) query.remove_prefix(1);
    while (!query.empty() && isBlank(query.back())) query.remove_suffix(1);
    return std::string(query);
}

std::vector<ScannedCommand> MenuCommandList::shown(const std::vector<ScannedCommand>& commands,
                                                   std::string_view query) {
    const std::string trimmed = trimmedQuery(query);
    if (trimmed.empty()) return commands;
    const QString needle = QString::fromStdString(trimmed);
    std::vector<ScannedCommand> kept;
    for (const auto& command : commands) {
        QString joined;
        for (std::size_t i = 0; i < command.path.size(); ++i) {
            if (i > 0) joined += u' ';
            joined += QString::fromStdString(command.path[i]);
        }
        if (joined.contains(needle, Qt::CaseInsensitive)) kept.push_back(command);
    }
    return kept;
}

std::vector<CommandGroup> MenuCommandList::groups(const std::vector<ScannedCommand>& shown) {
    std::vector<CommandGroup> groups;
    for (const auto& command : shown) {
        const std::string title = command.path.empty() ? std::string() : command.path.front();
        auto it = std::find_if(groups.begin(), groups.end(), [&](const CommandGroup& g) { return g.title == title; });
        if (it == groups.end()) it = groups.insert(groups.end(), CommandGroup{title, {}});
        it->commands.push_back(command);
    }
    return groups;
}

std::string MenuCommandList::rowText(const ScannedCommand& command) {
    std::string text;
    for (std::size_t i = 1; i < command.path.size(); ++i) {
        if (i > 1) text += " \u25B8 ";
        text += command.path[i];
    }
    return text;
}

std::string MenuCommandList::chooserText(const RunningApplication& app) {
    if (app.localizedName) return *app.localizedName;
    return app.bundleIdentifier.value_or(std::string());
}

}  // namespace velorin
