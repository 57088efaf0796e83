#include "Platform/Sim/SimMenus.h"

namespace velorin::sim {
namespace {

SimElement menu(std::vector<SimElement> items) {
    SimElement m;
    m.attributes["AXRole"] = std::string("AXMenu");
    m.children = std::move(items);
    return m;
}

}  // namespace

SimElement menuItem(const std::string& title, const MenuKey& key, std::optional<bool> enabled) {
    SimElement item;
    item.attributes["AXRole"] = std::string("AXMenuItem");
    item.attributes["AXTitle"] = title;
    if (key.character) item.attributes["AXMenuItemCmdChar"] = *key.character;
    if (key.modifiers) item.attributes["AXMenuItemCmdModifiers"] = *key.modifiers;
    if (key.virtualKey) item.attributes["AXMenuItemCmdVirtualKey"] = *key.virtualKey;
    if (enabled) item.attributes["AXEnabled"] = *enabled;
    return item;
}

SimElement submenuItem(const std::string& title, std::vector<SimElement> items) {
    SimElement item = menuItem(title);
    item.children.push_back(menu(std::move(items)));
    return item;
}

SimElement separatorItem() { return menuItem(""); }

SimElement menuBarItem(const std::string& title, std::vector<SimElement> items) {
    SimElement item;
    item.attributes["AXRole"] = std::string("AXMenuBarItem");
    item.attributes["AXTitle"] = title;
    item.children.push_back(menu(std::move(items)));
    return item;
}

SimElement menuBar(std::vector<SimElement> menuBarItems) {
    SimElement bar;
    bar.attributes["AXRole"] = std::string("AXMenuBar");
    bar.children = std::move(menuBarItems);
    return bar;
}

AXElement installMenuBar(SimAccessibility& accessibility, std::int32_t processIdentifier, const SimElement& bar) {
    AXElement root = accessibility.addTree(bar);
    auto existing = accessibility.applicationOf(processIdentifier);
    AXElement app = existing ? *existing
                             : accessibility.addApplication(processIdentifier,
                                                            {{"AXRole", std::string("AXApplication")}});
    accessibility.setAttribute(app, "AXMenuBar", root);
    return root;
}

}  // namespace velorin::sim
