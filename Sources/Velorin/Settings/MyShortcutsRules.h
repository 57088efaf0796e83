#pragma once
// The My shortcuts tab's decisions, apart from its widgets: the groups of the
// user's shortcuts by the apps they are limited to, each group's heading, and
// every change the tab writes, each one whole configuration worked out from
// the live one and aimed at a shortcut by its id (never by its place in the
// list, which may have moved since the row was drawn).

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Config/AppConfig.h"
#include "Config/Binding.h"
#include "Support/Uuid.h"

namespace velorin {

struct ShortcutGroup {
    std::vector<std::string> apps;  // sorted by code point, repeats kept; empty: every app
    std::vector<Uuid> ids;          // the group's shortcuts in list order
    bool operator==(const ShortcutGroup&) const = default;
};

struct MyShortcutsRules {
    MyShortcutsRules() = delete;

    static constexpr const char* title = "My shortcuts";
    static constexpr const char* subtitle =
        "Your own gestures. They win over packs. Grouped by where they work. Double-click to edit, right-click to "
        "delete.";
    static constexpr const char* addText = "Add Shortcut";
    static constexpr const char* emptyTitle = "No shortcuts yet";
    static constexpr const char* emptyText =
        "Touch your trackpad: it shows up here. Click it to make your first shortcut, or switch on a pack.";
    static constexpr const char* everywhereText = "Everywhere";
    static constexpr const char* duplicateText = "Duplicate";
    static constexpr const char* duplicateHelp =
        "Another of your shortcuts uses this gesture in the same apps; only the first one runs.";
    static constexpr const char* editText = "Edit\u2026";
    static constexpr const char* deleteText = "Delete";
    static constexpr std::size_t headingBadges = 5;
    static constexpr int scopeIcons = 7;

    // The shortcuts grouped by their sorted apps, groups in the order their
    // first shortcut stands, except that the group for every app comes first.
    static std::vector<ShortcutGroup> groups(const std::vector<Binding>& bindings);

    // "Everywhere", or "Only in " and the names of all the group's apps.
    static std::string headingText(const std::vector<std::string>& apps,
                                   const std::function<std::string(const std::string&)>& name);
    // The apps whose badges head the group: the first five.
    static std::vector<std::string> headingBadgeApps(const std::vector<std::string>& apps);

    static const Binding* find(const AppConfig& config, const Uuid& id);

    // Each change below returns absent when it would change nothing (the
    // shortcut is gone, or already so), so nothing is written.
    static std::optional<AppConfig> settingEnabled(const AppConfig& config, const Uuid& id, bool enabled);
    static std::optional<AppConfig> deleting(const AppConfig& config, const Uuid& id);
    // The editor's result: replaces the first shortcut with its id in place, or
    // is appended when none has it any more.
    static AppConfig storing(const AppConfig& config, const Binding& edited);
    // Whether the editor opens for a shortcut the list no longer holds.
    static bool isNew(const AppConfig& config, const Uuid& id) { return find(config, id) == nullptr; }
};

}  // namespace velorin
