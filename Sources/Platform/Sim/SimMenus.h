#pragma once
// Building other apps' menu bars for the simulated Accessibility interface,
// shaped as the system shapes them: the menu bar's children are menu-bar
// items (titled), each opening one menu whose children are the menu items; an
// item with a submenu has that menu as its only child.

#include "Platform/Sim/SimAccessibility.h"

#include <optional>
#include <string>
#include <vector>

namespace velorin::sim {

// A menu item's key equivalent as the system reports it: the character, the
// Accessibility modifier bits (1 shift, 2 option, 4 control, 8 no command)
// and the virtual key; each absent unless given.
struct MenuKey {
    std::optional<std::string> character;
    std::optional<double> modifiers;
    std::optional<double> virtualKey;
};

// A leaf item. `enabled` absent leaves "AXEnabled" unset (reads fail).
SimElement menuItem(const std::string& title, const MenuKey& key = {}, std::optional<bool> enabled = true);
// An item that opens a submenu with these items.
SimElement submenuItem(const std::string& title, std::vector<SimElement> items);
// A separator: an item with an empty title.
SimElement separatorItem();
// A menu-bar item whose menu holds these items.
SimElement menuBarItem(const std::string& title, std::vector<SimElement> items);
SimElement menuBar(std::vector<SimElement> menuBarItems);

// Adds the tree, makes it the "AXMenuBar" of the app with this process
// identifier (adding the app element when there is none) and gives its root.
AXElement installMenuBar(SimAccessibility& accessibility, std::int32_t processIdentifier, const SimElement& bar);

}  // namespace velorin::sim
