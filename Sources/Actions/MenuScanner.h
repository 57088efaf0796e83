#pragma once
// Reads another running app's menu bar through the Accessibility interface: every
// command it offers (for the menu-command picker), and the item a stored menu
// command names (for the runner to press). Without Accessibility permission it
// finds nothing. Nothing is cached: each call reads the menus as they are now.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Actions/KeyCombo.h"
#include "Actions/MenuCommand.h"
#include "Platform/Accessibility.h"

namespace velorin {

// One leaf command of an app's menus.
struct ScannedCommand {
    std::vector<std::string> path;  // titles from the menu-bar menu down to the item
    std::optional<KeyCombo> key;    // the key equivalent the menu shows
    bool enabled = true;            // when it was read

    // The titles joined by U+001F; equal paths give equal identifiers.
    std::string id() const;
    MenuCommand command() const { return MenuCommand(path, key); }

    bool operator==(const ScannedCommand&) const = default;
};

struct MenuScanner {
    // Submenus never entered.
    static const std::set<std::string>& skippedSubmenus();
    // Menu-bar menus that are mostly lists of documents, pages or help topics: their
    // items without a key equivalent are not listed.
    static const std::set<std::string>& listMenus();

    // The most titles a listed command's path has. Another app's menus are outside
    // input: deeper submenus (or a menu that contains itself) are not walked.
    static constexpr std::size_t maxPathLength = 32;

    // The app's leaf commands in menu order; empty when anything is missing.
    static std::vector<ScannedCommand> commands(std::int32_t pid);
    // The menu item at `path` (the system menu included); main thread only.
    static std::optional<AXElement> item(const std::vector<std::string>& path, std::int32_t pid);
    // A menu item's key equivalent.
    static std::optional<KeyCombo> shortcut(AXElement item);
    // The key code whose one-character name is `character` upper-cased ("n" → 45).
    static std::optional<std::uint16_t> keyCode(std::string_view character);
};

}  // namespace velorin

template <>
struct std::hash<velorin::ScannedCommand> {
    std::size_t operator()(const velorin::ScannedCommand& c) const noexcept;
};
