// Rows of the notes and work packs: obsidian, notion and linear.

#include "Config/PackRows.h"
#include "Config/PackTables.h"

namespace velorin::packrows {
namespace tables {

using namespace notation;

const Table& obsidian() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Command palette", key("⌘P", 35, cmd)},
                {tap(3, 3), "Quick switcher", key("⌘O", 31, cmd)},
                {hold(3), "Reading / editing view", key("⌘E", 14, cmd)},
                {tap(4, 1), "Back", key("⌥⌘←", 123, optCmd)},
                {tap(4, 2), "Forward", key("⌥⌘→", 124, optCmd)},
            },
        .library =
            {
                {"New note", key("⌘N", 45, cmd)},
                {"Search", key("⇧⌘F", 3, shiftCmd)},
                {"Close tab", key("⌘W", 13, cmd)},
                {"Graph view", key("⌘G", 5, cmd)},
            },
    };
    return table;
}

const Table& notion() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Search", key("⌘P", 35, cmd)},
                {tap(3, 3), "New page", key("⌘N", 45, cmd)},
                {hold(3), "Show / hide sidebar", key("⌘\\", 42, cmd)},
                {tap(4, 1), "Back", key("⌘[", 33, cmd)},
                {tap(4, 2), "Forward", key("⌘]", 30, cmd)},
            },
        .library =
            {
                {"Reopen closed tab", key("⇧⌘T", 17, shiftCmd)},
                {"New tab", key("⌘T", 17, cmd)},
                {"Comment", key("⇧⌘M", 46, shiftCmd)},
                {"Dark mode", key("⇧⌘L", 37, shiftCmd)},
                {"Toggle checkbox", key("⌘↩", 36, cmd)},
            },
    };
    return table;
}

const Table& linear() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Command menu", key("⌘K", 40, cmd)},
                {tap(3, 3), "New issue", key("C", 8, none)},
                {hold(3), "Search", key("/", 44, none)},
                {tap(4, 1), "Close / back", key("⎋", 53, none)},
                {tap(4, 2), "Collapse sidebar", key("[", 33, none)},
            },
        .library = {},
    };
    return table;
}

}  // namespace tables

Rows obsidian() { return items(tables::obsidian()); }
Rows notion() { return items(tables::notion()); }
Rows linear() { return items(tables::linear()); }

}  // namespace velorin::packrows
