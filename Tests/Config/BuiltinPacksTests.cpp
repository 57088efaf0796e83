// The built-in packs' rows against what was written for them: key texts against
// key codes and modifiers, row counts against the pack table, written gestures
// against the slot tables, and the rows that work in every app.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "Config/PackCatalog.h"
#include "Config/PackTables.h"

using namespace velorin;
namespace tables = packrows::tables;

namespace {

// Every built-in pack in catalog order, with the table its rows are written in and
// its row counts as the pack table gives them (shortcuts / spares).
struct Expected {
    std::string_view id;
    const packrows::Table& (*table)();
    std::size_t bindings;
    std::size_t library;
};

const std::vector<Expected>& expectedPacks() {
    static const std::vector<Expected> packs{
        {"everyday-mac", tables::everydayMac, 5, 9},
        {"terminal", tables::terminal, 5, 6},
        {"claude", tables::claude, 5, 8},
        {"chatgpt", tables::chatGPT, 5, 6},
        {"hermes", tables::hermes, 5, 3},
        {"openclaw", tables::openClaw, 2, 0},
        {"chrome", tables::chromium, 5, 11},
        {"safari", tables::safari, 5, 9},
        {"dia", tables::dia, 5, 9},
        {"arc", tables::arc, 5, 5},
        {"brave", tables::chromium, 5, 11},
        {"firefox", tables::firefox, 5, 4},
        {"zen", tables::zen, 4, 3},
        {"vivaldi", tables::vivaldi, 5, 2},
        {"comet", tables::comet, 3, 3},
        {"atlas", tables::atlas, 5, 8},
        {"vscode", tables::vsCode, 5, 8},
        {"cursor", tables::cursor, 5, 6},
        {"zed", tables::zed, 5, 7},
        {"windsurf", tables::windsurf, 5, 0},
        {"jetbrains", tables::jetBrains, 5, 8},
        {"neovim", tables::neovim, 4, 4},
        {"xcode", tables::xcode, 5, 7},
        {"screen-studio", tables::screenStudio, 5, 2},
        {"blender", tables::blender, 5, 6},
        {"unity", tables::unity, 5, 6},
        {"figma", tables::figma, 5, 5},
        {"final-cut", tables::finalCut, 5, 7},
        {"logic", tables::logic, 5, 6},
        {"davinci", tables::davinci, 5, 6},
        {"obsidian", tables::obsidian, 5, 4},
        {"notion", tables::notion, 5, 5},
        {"linear", tables::linear, 5, 0},
        {"slack", tables::slack, 5, 6},
        {"discord", tables::discord, 3, 0},
        {"spotify", tables::spotify, 5, 5},
    };
    return packs;
}

std::string where(std::string_view pack, std::string_view list, std::size_t index, const std::string& title) {
    return std::string(pack) + " " + std::string(list) + " " + std::to_string(index) + " \"" + title + "\"";
}

}  // namespace

TEST(BuiltinPacks, catalogHoldsEveryPackInOrderWithThePackTablesRowCounts) {
    const auto& all = PackCatalog::all();
    const auto& expected = expectedPacks();
    ASSERT_EQ(all.size(), 36u);
    ASSERT_EQ(expected.size(), 36u);
    std::size_t bindings = 0;
    std::size_t library = 0;
    for (std::size_t i = 0; i < all.size(); ++i) {
        SCOPED_TRACE(std::string(expected[i].id));
        EXPECT_EQ(all[i].id, expected[i].id);
        EXPECT_EQ(all[i].bindings.size(), expected[i].bindings);
        EXPECT_EQ(all[i].library.size(), expected[i].library);
        // The written table and the pack table count the same rows.
        EXPECT_EQ(expected[i].table().bindings.size(), expected[i].bindings);
        EXPECT_EQ(expected[i].table().library.size(), expected[i].library);
        bindings += all[i].bindings.size();
        library += all[i].library.size();
    }
    EXPECT_EQ(bindings, 171u);
    EXPECT_EQ(library, 195u);
    EXPECT_EQ(bindings + library, 366u);
}

TEST(BuiltinPacks, keystrokeRowsKeyCodeAndModifiersGiveTheWrittenKeyText) {
    std::size_t keystrokes = 0;
    for (const Expected& e : expectedPacks()) {
        const auto check = [&](const std::vector<packrows::TableRow>& rows, std::string_view list) {
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const packrows::TableRow& row = rows[i];
                if (const auto* keystroke = row.action.as<Action::Keystroke>()) {
                    ++keystrokes;
                    const std::string made = keystroke->combo.description();
                    EXPECT_EQ(made, row.keyText)
                        << where(e.id, list, i, row.title) << ": written " << row.keyText << ", made " << made;
                } else {
                    EXPECT_EQ(row.keyText, "") << where(e.id, list, i, row.title);
                }
            }
        };
        check(e.table().bindings, "shortcut");
        check(e.table().library, "spare");
    }
    // Every row but three app openers, three window moves and three media keys;
    // the Chromium rows count once per browser.
    EXPECT_EQ(keystrokes, 357u);
}

TEST(BuiltinPacks, catalogRowsAreTheWrittenRowsWithTheirPacksApps) {
    for (const Expected& e : expectedPacks()) {
        const Pack* pack = PackCatalog::pack(e.id);
        ASSERT_NE(pack, nullptr) << e.id;
        const packrows::Table& table = e.table();
        const auto check = [&](const std::vector<Binding>& bindings, const std::vector<packrows::TableRow>& rows,
                               std::string_view list, bool enabled) {
            ASSERT_EQ(bindings.size(), rows.size()) << e.id << " " << list;
            for (std::size_t i = 0; i < rows.size(); ++i) {
                const Binding& b = bindings[i];
                const packrows::TableRow& row = rows[i];
                SCOPED_TRACE(where(e.id, list, i, row.title));
                EXPECT_EQ(b.title, std::optional<std::string>(row.title));
                EXPECT_EQ(b.action, row.action);
                EXPECT_EQ(b.enabled, enabled);
                EXPECT_EQ(b.apps, row.global ? std::vector<std::string>{} : pack->apps);
            }
        };
        check(pack->bindings, table.bindings, "shortcut", true);
        check(pack->library, table.library, "spare", false);
    }
}

TEST(BuiltinPacks, shortcutRowsGetTheGestureWrittenBesideThemAndSparesTheSpareGestures) {
    const auto& spare = PackCatalog::spare();
    for (const Expected& e : expectedPacks()) {
        const Pack* pack = PackCatalog::pack(e.id);
        ASSERT_NE(pack, nullptr) << e.id;
        const packrows::Table& table = e.table();
        ASSERT_EQ(pack->bindings.size(), table.bindings.size()) << e.id;
        for (std::size_t i = 0; i < table.bindings.size(); ++i) {
            SCOPED_TRACE(where(e.id, "shortcut", i, table.bindings[i].title));
            ASSERT_TRUE(table.bindings[i].gesture.has_value());
            EXPECT_EQ(pack->bindings[i].gesture, *table.bindings[i].gesture);
        }
        ASSERT_EQ(pack->library.size(), table.library.size()) << e.id;
        for (std::size_t k = 0; k < table.library.size(); ++k) {
            SCOPED_TRACE(where(e.id, "spare", k, table.library[k].title));
            EXPECT_FALSE(table.library[k].gesture.has_value());
            EXPECT_EQ(pack->library[k].gesture, spare[k % spare.size()]);
        }
    }
}

TEST(BuiltinPacks, onlyTheMarkedRowsWorkInEveryApp) {
    using Place = std::tuple<std::string, std::string, std::size_t>;  // pack, list, index
    const std::set<Place> marked{
        {"claude", "spare", 7},       // Open Claude from anywhere
        {"chatgpt", "spare", 5},      // Chat Bar from anywhere
        {"hermes", "spare", 2},       // Open Hermes from anywhere
        {"openclaw", "shortcut", 0},  // Quick Chat
        {"xcode", "spare", 6},        // Open Simulator from anywhere
    };
    std::set<Place> global;
    for (const Pack& pack : PackCatalog::all()) {
        const auto collect = [&](const std::vector<Binding>& bindings, const std::string& list) {
            for (std::size_t i = 0; i < bindings.size(); ++i) {
                // everyday-mac is for no app in particular, so all of its rows work everywhere.
                if (bindings[i].isGlobal() && !pack.apps.empty()) global.insert({pack.id, list, i});
                if (pack.apps.empty()) {
                    EXPECT_TRUE(bindings[i].isGlobal()) << pack.id << " " << list << " " << i;
                }
            }
        };
        collect(pack.bindings, "shortcut");
        collect(pack.library, "spare");
    }
    EXPECT_EQ(global, marked);
    EXPECT_TRUE(PackCatalog::pack("everyday-mac")->apps.empty());
}

TEST(BuiltinPacks, bindingIdsAreDistinctAndStable) {
    std::set<Uuid> ids;
    std::size_t count = 0;
    for (const Pack& pack : PackCatalog::all()) {
        for (const auto* list : {&pack.bindings, &pack.library}) {
            for (const Binding& b : *list) ids.insert(b.id);
            count += list->size();
        }
    }
    EXPECT_EQ(count, 366u);
    EXPECT_EQ(ids.size(), count);

    // Stored edits refer to rows by these ids, so they must never move.
    struct Case {
        std::string_view pack;
        bool spare;
        std::size_t index;
        std::string_view id;
    };
    const Case cases[] = {
        {"everyday-mac", true, 0, "7A9D0000-0000-4000-8000-000066526B5D"},
        {"openclaw", false, 0, "7A9D0000-0000-4000-8000-000023A11A8F"},
        {"chrome", true, 10, "7A9D0000-0000-4000-8000-000031D252D0"},
        {"brave", true, 10, "7A9D0000-0000-4000-8000-0000654489DF"},
        {"xcode", true, 6, "7A9D0000-0000-4000-8000-000014E30086"},
        {"final-cut", true, 4, "7A9D0000-0000-4000-8000-0000E9097F96"},
        {"davinci", false, 4, "7A9D0000-0000-4000-8000-000064A665DF"},
        {"spotify", false, 4, "7A9D0000-0000-4000-8000-0000FC83E868"},
    };
    for (const Case& c : cases) {
        const Pack* pack = PackCatalog::pack(c.pack);
        ASSERT_NE(pack, nullptr) << c.pack;
        const auto& list = c.spare ? pack->library : pack->bindings;
        ASSERT_LT(c.index, list.size()) << c.pack;
        EXPECT_EQ(list[c.index].id.string(), c.id) << c.pack << " " << c.index;
    }
}

TEST(BuiltinPacks, sharedRowsAppearWhereTheyAreShared) {
    // Chrome and Brave: the same rows, each for its own browser.
    const Pack* chrome = PackCatalog::pack("chrome");
    const Pack* brave = PackCatalog::pack("brave");
    ASSERT_NE(chrome, nullptr);
    ASSERT_NE(brave, nullptr);
    ASSERT_EQ(chrome->bindings.size(), brave->bindings.size());
    ASSERT_EQ(chrome->library.size(), brave->library.size());
    for (std::size_t i = 0; i < chrome->library.size(); ++i) {
        EXPECT_EQ(chrome->library[i].title, brave->library[i].title);
        EXPECT_EQ(chrome->library[i].action, brave->library[i].action);
        EXPECT_NE(chrome->library[i].id, brave->library[i].id);
    }

    // The editing apps bind the shared Undo and Redo as their fourth and fifth shortcuts.
    for (std::string_view id : {"blender", "unity", "figma", "final-cut", "logic", "davinci"}) {
        const Pack* pack = PackCatalog::pack(id);
        ASSERT_NE(pack, nullptr) << id;
        ASSERT_EQ(pack->bindings.size(), 5u) << id;
        EXPECT_EQ(pack->bindings[3].title, PackCatalog::undo().title) << id;
        EXPECT_EQ(pack->bindings[3].action, PackCatalog::undo().action) << id;
        EXPECT_EQ(pack->bindings[4].title, PackCatalog::redo().title) << id;
        EXPECT_EQ(pack->bindings[4].action, PackCatalog::redo().action) << id;
    }
    // Neovim's Undo is its own: a bare U.
    const Pack* neovim = PackCatalog::pack("neovim");
    ASSERT_NE(neovim, nullptr);
    EXPECT_EQ(neovim->bindings[3].title, std::optional<std::string>("Undo"));
    EXPECT_NE(neovim->bindings[3].action, PackCatalog::undo().action);
}
