#pragma once
// Which apps the composer's app panel offers: the apps running now (those
// with a window-list entry, never this app) first, then every other app the
// desktop lists as installed, narrowed by a search of names and identifiers.

#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Workspace.h"

namespace velorin {

struct AppChoices {
    AppChoices() = delete;

    using NameOf = std::function<std::string(const std::string& bundleID)>;

    // The regular running apps' identifiers in the workspace's order, without
    // `own` (an app without an identifier is left out).
    static std::vector<std::string> running(const std::vector<RunningApplication>& apps,
                                            const std::optional<std::string>& own);
    // Running first, then the installed ones that don't run, each once; with
    // a query (trimmed of spaces and tabs), those whose name or identifier
    // contains it without regard to case.
    static std::vector<std::string> shown(const std::vector<std::string>& running,
                                          const std::vector<std::string>& installed, const QString& query,
                                          const NameOf& nameOf);
    // "No app matches “…”." with the query as typed.
    static QString noMatch(const QString& query);

    // The running apps of the installed platform, asked afresh.
    static std::vector<std::string> runningNow();
};

// The apps the desktop lists as installed.
struct InstalledApps {
    InstalledApps() = delete;

    // The identifiers, each once, without `own`, sorted by name without
    // regard to case.
    static std::vector<std::string> listed(const std::vector<std::string>& ids, const std::optional<std::string>& own,
                                           const AppChoices::NameOf& nameOf);
    // Those of the installed platform, read the first time they are asked
    // for and kept for the life of the process.
    static const std::vector<std::string>& all();
    // Reads them again at the next `all` (a new desktop, as tests make).
    static void forget();
};

}  // namespace velorin
