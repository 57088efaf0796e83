// Rows of the browser packs: the Chromium rows (chrome and brave), safari, dia,
// arc, firefox, zen, vivaldi, comet and atlas.

#include "Config/PackRows.h"
#include "Config/PackTables.h"

namespace velorin::packrows {
namespace tables {

using namespace notation;

// Shared by every Chromium browser pack.
const Table& chromium() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Tab", key("⌘T", 17, cmd)},
                {tap(3, 3), "Address bar", key("⌘L", 37, cmd)},
                {hold(3), "Search Tabs", key("⇧⌘A", 0, shiftCmd)},
                {tap(4, 1), "Reopen Closed Tab", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 2), "Close Tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"Next Tab", key("⌃⇥", 48, ctrl)},
                {"Previous Tab", key("⌃⇧⇥", 48, ctrl | shift)},
                {"Back", key("⌘[", 33, cmd)},
                {"Forward", key("⌘]", 30, cmd)},
                {"Add Tab to New Split View", key("⌥⌘N", 45, optCmd)},
                {"Reload", key("⌘R", 15, cmd)},
                {"New Incognito Window", key("⇧⌘N", 45, shiftCmd)},
                {"Developer Tools", key("⌥⌘I", 34, optCmd)},
                {"History", key("⌘Y", 16, cmd)},
                {"Bookmark This Tab", key("⌘D", 2, cmd)},
                {"Downloads", key("⇧⌘J", 38, shiftCmd)},
            },
    };
    return table;
}

const Table& safari() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Tab", key("⌘T", 17, cmd)},
                {tap(3, 3), "Address bar", key("⌘L", 37, cmd)},
                {hold(3), "Tab Overview", key("⇧⌘\\", 42, shiftCmd)},
                {tap(4, 1), "Reopen Last Closed", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 2), "Close Tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"Show Reader", key("⇧⌘R", 15, shiftCmd)},
                {"Sidebar", key("⇧⌘L", 37, shiftCmd)},
                {"Add to Reading List", key("⇧⌘D", 2, shiftCmd)},
                {"Next Tab", key("⌃⇥", 48, ctrl)},
                {"Previous Tab", key("⌃⇧⇥", 48, ctrl | shift)},
                {"Back", key("⌘[", 33, cmd)},
                {"Forward", key("⌘]", 30, cmd)},
                {"New Private Window", key("⇧⌘N", 45, shiftCmd)},
                {"Web Inspector (Develop menu)", key("⌥⌘I", 34, optCmd)},
            },
    };
    return table;
}

const Table& dia() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Chat", key("⌘E", 14, cmd)},
                {tap(3, 3), "Command Bar", key("⌘L", 37, cmd)},
                {hold(3), "Search Tabs", key("⇧⌘A", 0, shiftCmd)},
                {tap(4, 1), "Reopen Closed Tab", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 2), "Close Tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"New Tab", key("⌘T", 17, cmd)},
                {"Open Split Pane", key("⌃⇧=", 24, ctrl | shift)},
                {"Show Tabs in Sidebar", key("⇧⌘S", 1, shiftCmd)},
                {"Pin", key("⇧⌘D", 2, shiftCmd)},
                {"Focus Chat", key("⌃⌘E", 14, ctrlCmd)},
                {"Next Tab", key("⇧⌘]", 30, shiftCmd)},
                {"Previous Tab", key("⇧⌘[", 33, shiftCmd)},
                {"Clean Up Tabs", key("⌥⌘K", 40, optCmd)},
                {"Developer Tools", key("⌥⌘I", 34, optCmd)},
            },
    };
    return table;
}

const Table& arc() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Command bar / new tab", key("⌘T", 17, cmd)},
                {tap(3, 3), "Copy URL", key("⇧⌘C", 8, shiftCmd)},
                {hold(3), "Toggle sidebar", key("⌘S", 1, cmd)},
                {tap(4, 1), "Reopen tab", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 2), "Close tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"Split view", key("⌃⇧=", 24, ctrl | shift)},
                {"Little Arc", key("⌥⌘N", 45, optCmd)},
                {"Next Space", key("⌥⌘→", 124, optCmd)},
                {"Previous Space", key("⌥⌘←", 123, optCmd)},
                {"Pin tab", key("⌘D", 2, cmd)},
            },
    };
    return table;
}

const Table& firefox() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Tab", key("⌘T", 17, cmd)},
                {tap(3, 3), "Address bar", key("⌘L", 37, cmd)},
                {hold(3), "New Private Window", key("⇧⌘P", 35, shiftCmd)},
                {tap(4, 1), "Reopen closed tab", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 2), "Close Tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"Find in Page", key("⌘F", 3, cmd)},
                {"Downloads", key("⌘J", 38, cmd)},
                {"Manage Bookmarks", key("⇧⌘O", 31, shiftCmd)},
                {"Developer tools", key("⌥⌘I", 34, optCmd)},
            },
    };
    return table;
}

// zen: four slots, no hold.
const Table& zen() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Tab", key("⌘T", 17, cmd)},
                {tap(3, 3), "Address bar", key("⌘L", 37, cmd)},
                {tap(4, 1), "Reopen closed tab", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 2), "Close tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"Compact Mode", key("⌃⌘C", 8, ctrlCmd)},
                {"Copy URL", key("⇧⌘C", 8, shiftCmd)},
                {"Split view", key("⌃⌘V", 9, ctrlCmd)},
            },
    };
    return table;
}

const Table& vivaldi() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Tab", key("⌘T", 17, cmd)},
                {tap(3, 3), "Quick Commands", key("⌘E", 14, cmd)},
                {hold(3), "Address bar", key("⌘L", 37, cmd)},
                {tap(4, 1), "Reopen tab", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 2), "Close tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"New Private Window", key("⇧⌘N", 45, shiftCmd)},
                {"Shortcut cheat sheet", key("⌘F1", 122, cmd)},
            },
    };
    return table;
}

// comet: three slots; its Assistant waits in the library.
const Table& comet() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Tab", key("⌘T", 17, cmd)},
                {tap(4, 1), "Reopen closed tab", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 2), "Close tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"Assistant", key("⌥A", 0, opt)},
                {"Summarize page", key("⌥S", 1, opt)},
                {"Search tabs", key("⇧⌘A", 0, shiftCmd)},
            },
    };
    return table;
}

const Table& atlas() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Tab", key("⌘T", 17, cmd)},
                {tap(3, 3), "Ask ChatGPT sidebar", key("⇧⌘.", 47, shiftCmd)},
                {hold(3), "Search Tabs", key("⇧⌘A", 0, shiftCmd)},
                {tap(4, 1), "Reopen Closed Tab", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 2), "Close Tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"Edit with ChatGPT", key("⌘E", 14, cmd)},
                {"Address bar", key("⌘L", 37, cmd)},
                {"Next Tab", key("⌥⌘↓", 125, optCmd)},
                {"Previous Tab", key("⌥⌘↑", 126, optCmd)},
                {"New Incognito Window", key("⇧⌘N", 45, shiftCmd)},
                {"Back", key("⌘[", 33, cmd)},
                {"Forward", key("⌘]", 30, cmd)},
                {"Developer Tools", key("⌥⌘I", 34, optCmd)},
            },
    };
    return table;
}

}  // namespace tables

Rows chromium() { return items(tables::chromium()); }
Rows safari() { return items(tables::safari()); }
Rows dia() { return items(tables::dia()); }
Rows arc() { return items(tables::arc()); }
Rows firefox() { return items(tables::firefox()); }
Rows zen() { return items(tables::zen()); }
Rows vivaldi() { return items(tables::vivaldi()); }
Rows comet() { return items(tables::comet()); }
Rows atlas() { return items(tables::atlas()); }

}  // namespace velorin::packrows
