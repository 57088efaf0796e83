#include "Velorin/Editor/AppChoices.h"

#include <QCollator>

#include <algorithm>
#include <set>

#include "Platform/Platform.h"
#include "Velorin/AppInfo.h"

namespace velorin {
namespace {

std::optional<std::vector<std::string>>& cache() {
    static std::optional<std::vector<std::string>> apps;
    return apps;
}

QString trimmedOfBlanks(const QString& text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    auto blank = [](QChar c) { return c == u' ' || c == u'\t'; };
    while (begin < end && blank(text[begin])) ++begin;
    while (end > begin && blank(text[end - 1])) --end;
    return text.mid(begin, end - begin);
}

}  // namespace

std::vector<std::string> AppChoices::running(const std::vector<RunningApplication>& apps,
                                             const std::optional<std::string>& own) {
    std::vector<std::string> ids;
    for (const auto& app : apps) {
        if (app.activationPolicy != ActivationPolicy::regular || !app.bundleIdentifier) continue;
        if (own && *app.bundleIdentifier == *own) continue;
        ids.push_back(*app.bundleIdentifier);
    }
    return ids;
}

std::vector<std::string> InstalledApps::listed(const std::vector<std::string>& ids,
                                               const std::optional<std::string>& own, const AppChoices::NameOf& nameOf) {
    std::set<std::string> unique(ids.begin(), ids.end());
    if (own) unique.erase(*own);
    std::vector<std::pair<QString, std::string>> named;
    for (const auto& id : unique) named.emplace_back(QString::fromStdString(nameOf(id)), id);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(named.begin(), named.end(),
                     [&](const auto& a, const auto& b) { return collator.compare(a.first, b.first) < 0; });
    std::vector<std::string> sorted;
    sorted.reserve(named.size());
    for (auto& [name, id] : named) sorted.push_back(std::move(id));
    return sorted;
}

std::vector<std::string> AppChoices::shown(const std::vector<std::string>& running,
                                           const std::vector<std::string>& installed, const QString& query,
                                           const NameOf& nameOf) {
    // An app with two running instances is offered once.
    std::vector<std::string> all;
    std::set<std::string> seen;
    for (const auto& id : running) {
        if (seen.insert(id).second) all.push_back(id);
    }
    for (const auto& id : installed) {
        if (seen.insert(id).second) all.push_back(id);
    }
    const QString needle = trimmedOfBlanks(query);
    if (needle.isEmpty()) return all;
    std::vector<std::string> matching;
    for (const auto& id : all) {
        if (QString::fromStdString(nameOf(id)).contains(needle, Qt::CaseInsensitive) ||
            QString::fromStdString(id).contains(needle, Qt::CaseInsensitive)) {
            matching.push_back(id);
        }
    }
    return matching;
}

QString AppChoices::noMatch(const QString& query) { return "No app matches \u201C" + query + "\u201D."; }

const std::vector<std::string>& InstalledApps::all() {
    auto& apps = cache();
    if (!apps) {
        auto& platform = platform::current();
        apps = listed(platform.workspace().installedApplications(), platform.bundle().bundleIdentifier(),
                         [](const std::string& id) { return AppInfo::name(id); });
    }
    return *apps;
}

void InstalledApps::forget() { cache().reset(); }

std::vector<std::string> AppChoices::runningNow() {
    auto& platform = platform::current();
    return running(platform.workspace().runningApplications(), platform.bundle().bundleIdentifier());
}

}  // namespace velorin
