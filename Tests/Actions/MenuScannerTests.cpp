#include "Actions/MenuScanner.h"

#include <gtest/gtest.h>

#include "Platform/Sim/SimPlatform.h"

using namespace velorin;
using namespace velorin::sim;
using M = KeyCombo::Modifiers;

namespace {

// A key equivalent as the system reports it; each part absent unless given.
MenuKey key(std::optional<std::string> character, std::optional<double> modifiers = std::nullopt,
            std::optional<double> virtualKey = std::nullopt) {
    MenuKey k;
    k.character = std::move(character);
    k.modifiers = modifiers;
    k.virtualKey = virtualKey;
    return k;
}

constexpr std::int32_t pid = 4242;

std::string show(const ScannedCommand& row) {
    std::string text;
    for (const auto& title : row.path) text += (text.empty() ? "" : " > ") + title;
    text += row.key ? " [" + row.key->description() + "]" : " [no key]";
    if (!row.enabled) text += " disabled";
    return text;
}

std::vector<std::string> show(const std::vector<ScannedCommand>& rows) {
    std::vector<std::string> out;
    for (const auto& row : rows) out.push_back(show(row));
    return out;
}

// An app's menu bar with one example of every rule the walk follows.
SimElement fixtureBar() {
    return menuBar({
        menuBarItem("Apple", {menuItem("About This Mac"), menuItem("Lock Screen", key("q", 4))}),
        menuBarItem("File",
                    {
                        menuItem("New", key("n")),  // no modifier attribute: command alone
                        menuItem("Open\u2026", key("o", 0)),
                        separatorItem(),
                        submenuItem("Open Recent", {menuItem("notes.txt", key("1")), menuItem("Clear Menu")}),
                        submenuItem("Export", {menuItem("PDF"), menuItem("PNG", key("e", 1))}),
                        menuItem("Close", key("w", 0), false),
                        menuItem("Close Tab", key("w", 9)),   // shift, no command
                        menuItem("Page Setup", key("p", 12)),  // control, no command
                        menuItem("Print Later", MenuKey(), std::nullopt),  // "AXEnabled" unreadable
                    }),
        menuBarItem("Edit",
                    {
                        menuItem("Paste", key("v")),
                        menuItem("Paste", key("v", 2)),
                        submenuItem("Find", {menuItem("Find\u2026", key("f")),
                                             submenuItem("Deeper", {menuItem("Leaf", key("l", 24))})}),
                        menuItem("Emoji & Symbols", key(" ", 12)),  // a space has no one-character name
                        menuItem("Full Screen", key("\uF703")),     // private-use arrow characters have none
                        menuItem("Help Topic", key("x", 0, 122)),   // the virtual key wins
                        menuItem("Refresh", key(std::nullopt, std::nullopt, 99999.0)),  // no key code at all
                        submenuItem("Window", {menuItem("Arrange")}),  // a list menu's title, but not at the top
                        menuItem("Zoom In", key("+")),        // a shifted character: its key with shift
                        menuItem("Next Tab", key("}", 1)),    // shift given as well: once
                        menuItem("Reset", key("\u00A7")),     // beyond the layout: none
                    }),
        menuBarItem("", {menuItem("Ghost", key("g"))}),
        menuBarItem("Window",
                    {menuItem("Minimize", key("m")), menuItem("Zoom"), separatorItem(), menuItem("notes.txt")}),
        menuBarItem("Help", {menuItem("Search"), menuItem("App Help", key("/", 1)),
                             submenuItem("Topics", {menuItem("Getting Started"), menuItem("Shortcuts", key("k"))})}),
    });
}

class MenuScannerTest : public ::testing::Test {
protected:
    SimPlatform sim;
};

}  // namespace

TEST_F(MenuScannerTest, listsEveryLeafCommandInMenuOrder) {
    installMenuBar(sim.accessibility(), pid, fixtureBar());
    const std::vector<std::string> expected = {
        "File > New [\u2318N]",
        "File > Open\u2026 [\u2318O]",
        "File > Export > PDF [no key]",
        "File > Export > PNG [\u21E7\u2318E]",
        "File > Close [\u2318W] disabled",
        "File > Close Tab [\u21E7W]",
        "File > Page Setup [\u2303P]",
        "File > Print Later [no key]",
        "Edit > Paste [\u2318V]",
        "Edit > Paste [\u2325\u2318V]",
        "Edit > Find > Find\u2026 [\u2318F]",
        "Edit > Find > Deeper > Leaf [L]",
        "Edit > Emoji & Symbols [no key]",
        "Edit > Full Screen [no key]",
        "Edit > Help Topic [\u2318F1]",
        "Edit > Refresh [no key]",
        "Edit > Window > Arrange [no key]",
        "Edit > Zoom In [\u21E7\u2318=]",
        "Edit > Next Tab [\u21E7\u2318]]",
        "Edit > Reset [no key]",
        "Window > Minimize [\u2318M]",
        "Help > App Help [\u21E7\u2318/]",
        "Help > Topics > Shortcuts [\u2318K]",
    };
    const auto rows = MenuScanner::commands(pid);
    EXPECT_EQ(show(rows), expected);

    // Equal paths give equal identifiers; the identifier joins titles with U+001F.
    ASSERT_EQ(rows.size(), expected.size());
    EXPECT_EQ(rows[8].id(), "Edit\x1FPaste");
    EXPECT_EQ(rows[8].id(), rows[9].id());
    EXPECT_NE(rows[8], rows[9]);
    EXPECT_EQ(rows[3].command(), (MenuCommand{{"File", "Export", "PNG"}, KeyCombo(14, {M::shift, M::command})}));
}

TEST(MenuScannerTitles, skippedSubmenusAndListMenus) {
    EXPECT_EQ(MenuScanner::skippedSubmenus(), (std::set<std::string>{"Open Recent", "Services", "Recently Closed",
                                                                     "Recently Closed Windows", "Recently Visited"}));
    EXPECT_EQ(MenuScanner::listMenus(),
              (std::set<std::string>{"Window", "History", "Help", "Bookmarks", "Favorites"}));
}

TEST_F(MenuScannerTest, findsNothingWithoutPermissionOrMenuBar) {
    installMenuBar(sim.accessibility(), pid, fixtureBar());
    sim.accessibility().setTrusted(false);
    EXPECT_TRUE(MenuScanner::commands(pid).empty());
    EXPECT_EQ(MenuScanner::item({"File", "New"}, pid), std::nullopt);
    sim.accessibility().setTrusted(true);

    EXPECT_TRUE(MenuScanner::commands(pid + 1).empty()) << "no such app";
    const AXElement app = sim.accessibility().addApplication(7);
    EXPECT_TRUE(MenuScanner::commands(7).empty()) << "no menu bar";
    sim.accessibility().setAttribute(app, "AXMenuBar", std::string("bar"));
    EXPECT_TRUE(MenuScanner::commands(7).empty()) << "menu bar not an element";
    EXPECT_EQ(MenuScanner::item({"File"}, 7), std::nullopt);
}

TEST_F(MenuScannerTest, onlySeparatorsGiveNoRows) {
    installMenuBar(sim.accessibility(), pid,
                   menuBar({menuBarItem("Apple", {menuItem("About")}),
                            menuBarItem("Format", {separatorItem(), separatorItem()})}));
    EXPECT_TRUE(MenuScanner::commands(pid).empty());
}

TEST_F(MenuScannerTest, deepOrSelfContainingMenusAreCutOff) {
    // A chain of 40 submenus, each with one leaf: the leaf at depth k has k + 2 titles.
    SimElement deepest = menuItem("leaf40", key("a"));
    for (int k = 40; k >= 1; --k) {
        std::vector<SimElement> items = {menuItem("leaf" + std::to_string(k), key("a"))};
        if (k < 40) items.push_back(deepest);
        deepest = submenuItem("L" + std::to_string(k), std::move(items));
    }
    installMenuBar(sim.accessibility(), pid, menuBar({menuBarItem("Apple", {}), menuBarItem("Deep", {deepest})}));
    const auto rows = MenuScanner::commands(pid);
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_EQ(rows.back().path.size(), MenuScanner::maxPathLength);
    EXPECT_EQ(rows.back().path.back(), "leaf30");

    // A menu whose item opens the same menu again.
    auto& ax = sim.accessibility();
    const AXElement loopMenu = ax.addElement();
    const AXElement again = ax.addElement({{"AXTitle", std::string("Again")}});
    const AXElement leaf = ax.addElement({{"AXTitle", std::string("Leaf")}, {"AXMenuItemCmdChar", std::string("k")}});
    ax.setAttribute(again, "AXChildren", std::vector<AXElement>{loopMenu});
    ax.setAttribute(loopMenu, "AXChildren", std::vector<AXElement>{again, leaf});
    const AXElement loopItem = ax.addElement({{"AXTitle", std::string("Loop")}});
    ax.setAttribute(loopItem, "AXChildren", std::vector<AXElement>{loopMenu});
    const AXElement bar = ax.addElement();
    ax.setAttribute(bar, "AXChildren", std::vector<AXElement>{ax.addElement(), loopItem});
    ax.setAttribute(ax.addApplication(9), "AXMenuBar", bar);
    EXPECT_EQ(show(MenuScanner::commands(9)), std::vector<std::string>{"Loop > Leaf [\u2318K]"});
}

TEST_F(MenuScannerTest, itemAtPathFollowsTitlesLevelByLevel) {
    installMenuBar(sim.accessibility(), pid, fixtureBar());
    auto titleOf = [&](std::optional<AXElement> e) {
        if (!e) return std::string("nothing");
        auto v = sim.accessibility().attribute(*e, "AXTitle");
        return std::get<std::string>(v);
    };
    struct Case {
        std::vector<std::string> path;
        std::string found;
    };
    const Case cases[] = {
        {{"Apple", "About This Mac"}, "About This Mac"},  // the system menu, never listed, is found
        {{"File", "Export", "PNG"}, "PNG"},
        {{"File"}, "File"},
        {{"Edit", "Find", "Deeper", "Leaf"}, "Leaf"},
        {{"File", "Open Recent", "notes.txt"}, "notes.txt"},  // skipped when listing, found when pressing
        {{"File", "Nope"}, "nothing"},
        {{"file", "New"}, "nothing"},
        {{"File", "New", "More"}, "nothing"},
        {{}, "nothing"},
    };
    for (const auto& c : cases) EXPECT_EQ(titleOf(MenuScanner::item(c.path, pid)), c.found) << c.path.size();
    // Of two items with one title, the first.
    const auto paste = MenuScanner::item({"Edit", "Paste"}, pid);
    ASSERT_TRUE(paste);
    EXPECT_EQ(MenuScanner::shortcut(*paste), KeyCombo(9, M::command));
}

TEST(MenuScannerKeyCode, oneCharacterNamesOnly) {
    struct Case {
        const char* character;
        std::optional<std::uint16_t> code;
    };
    const Case cases[] = {
        {"n", 45},          {"N", 45},         {",", 43},          {"4", 21},       {"\\", 42},
        {"`", 50},          {"\u21A9", 36},    {"\u2190", 123},    {" ", std::nullopt}, {"", std::nullopt},
        {"\x03", std::nullopt}, {"\uF700", std::nullopt}, {"ab", std::nullopt}, {"f1", std::nullopt},
        {"\u00E9", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(MenuScanner::keyCode(c.character), c.code) << "\"" << c.character << "\"";
}

// A key equivalent is read as the combination that presses it: a shifted
// character is its base key with shift.
TEST_F(MenuScannerTest, keyEquivalentsAreReadAsTheCombinationsThatPressThem) {
    struct Case {
        const char* title;
        MenuKey key;
        std::optional<KeyCombo> combo;
    };
    const Case cases[] = {
        {"letter", key("n"), KeyCombo(45, M::command)},
        {"plus", key("+"), KeyCombo(24, {M::shift, M::command})},
        // The same keys as plain "+".
        {"plus with shift", key("+", 1), KeyCombo(24, {M::shift, M::command})},
        {"equals", key("=", 0), KeyCombo(24, M::command)},
        {"question mark", key("?", 0), KeyCombo(44, {M::shift, M::command})},
        {"brace with option", key("}", 2), KeyCombo(30, {M::option, M::shift, M::command})},
        {"underscore with control alone", key("_", 12), KeyCombo(27, {M::control, M::shift})},
        {"virtual key", key("x", 0, 122), KeyCombo(122, M::command)},
        {"keypad key", key(std::nullopt, 0, 69), KeyCombo(69, M::command)},
        {"no key", key(" "), std::nullopt},
    };
    std::vector<SimElement> items;
    for (const auto& c : cases) items.push_back(menuItem(c.title, c.key));
    installMenuBar(sim.accessibility(), pid, menuBar({menuBarItem("Apple", {}), menuBarItem("View", items)}));
    const auto rows = MenuScanner::commands(pid);
    ASSERT_EQ(rows.size(), std::size(cases));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].key, cases[i].combo) << cases[i].title;
        EXPECT_EQ(rows[i].command().key, cases[i].combo) << cases[i].title << ": the menu command presses the combination";
    }
}
