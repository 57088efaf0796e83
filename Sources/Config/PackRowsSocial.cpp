// Rows of the chat and music packs: slack, discord and spotify.

#include "Config/PackRows.h"
#include "Config/PackTables.h"

namespace velorin::packrows {
namespace tables {

using namespace notation;

const Table& slack() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Jump to", key("⌘K", 40, cmd)},
                {tap(3, 3), "All unreads", key("⇧⌘A", 0, shiftCmd)},
                {hold(3), "Threads", key("⇧⌘T", 17, shiftCmd)},
                {tap(4, 1), "Back", key("⌘[", 33, cmd)},
                {tap(4, 2), "Activity", key("⇧⌘M", 46, shiftCmd)},
            },
        .library =
            {
                {"New message", key("⌘N", 45, cmd)},
                {"Search", key("⌘G", 5, cmd)},
                {"Mark all read", key("⇧⎋", 53, shift)},
                {"Huddle mute", key("⇧⌘Space", 49, shiftCmd)},
                {"Set status", key("⇧⌘Y", 16, shiftCmd)},
                {"Hide sidebar", key("⌘.", 47, cmd)},
            },
    };
    return table;
}

// discord: three slots, no triple tap or hold.
const Table& discord() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Quick switcher", key("⌘K", 40, cmd)},
                {tap(4, 1), "Mute", key("⇧⌘M", 46, shiftCmd)},
                {tap(4, 2), "Deafen", key("⇧⌘D", 2, shiftCmd)},
            },
        .library = {},
    };
    return table;
}

const Table& spotify() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Play / pause", key("Space", 49, none)},
                {tap(3, 3), "Search", key("⌘L", 37, cmd)},
                {hold(3), "Shuffle", key("⌘S", 1, cmd)},
                {tap(4, 1), "Previous", key("⌘←", 123, cmd)},
                {tap(4, 2), "Next", key("⌘→", 124, cmd)},
            },
        .library =
            {
                {"Repeat", key("⌘R", 15, cmd)},
                {"Like the song", key("⌥⇧B", 11, opt | shift)},
                {"Volume up", key("⌘↑", 126, cmd)},
                {"Volume down", key("⌘↓", 125, cmd)},
                {"New Playlist", key("⌘N", 45, cmd)},
            },
    };
    return table;
}

}  // namespace tables

Rows slack() { return items(tables::slack()); }
Rows discord() { return items(tables::discord()); }
Rows spotify() { return items(tables::spotify()); }

}  // namespace velorin::packrows
