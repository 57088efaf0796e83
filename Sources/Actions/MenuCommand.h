#pragma once
// A command in an app's menus, named by its titles from the menu bar down.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Actions/KeyCombo.h"
#include "Support/Json.h"

namespace velorin {

struct MenuCommand {
    MenuCommand() = default;
    MenuCommand(std::vector<std::string> path, std::optional<KeyCombo> key = std::nullopt)
        : path(std::move(path)), key(key) {}

    // The menu-bar menu's title first, the item's own title last. Empty: no command chosen yet.
    std::vector<std::string> path;
    // The item's key equivalent, pressed instead when the item can't be found.
    std::optional<KeyCombo> key;

    // The item's own title, or "" for an empty path.
    std::string title() const { return path.empty() ? std::string() : path.back(); }

    // {"path": [...], "key": {...}}; "key" only when present, absent or null reads as none.
    Json toJson() const;
    static MenuCommand fromJson(const json::Reader& reader);

    bool operator==(const MenuCommand&) const = default;
};

}  // namespace velorin

template <>
struct std::hash<velorin::MenuCommand> {
    std::size_t operator()(const velorin::MenuCommand& c) const noexcept;
};
