// Rows of the general packs: everyday-mac and terminal.

#include "Config/PackRows.h"
#include "Config/PackTables.h"

namespace velorin::packrows {
namespace tables {

using namespace notation;
using Corner = Gesture::Corner;

// everyday-mac: its own slot table, and no apps, so every row works everywhere.
const Table& everydayMac() {
    static const Table table{
        .bindings =
            {
                {hold(3), "Mission Control", key("⌃↑", KeyCombo::missionControl)},
                {corner(Corner::topRight), "Spotlight", key("⌘Space", KeyCombo::spotlight)},
                {corner(Corner::topLeft), "Screenshot of an area", key("⇧⌘4", KeyCombo::screenshot)},
                {tap(5, 1), "Play / pause", media(MediaKey::playPause)},
                {hold(5), "Lock screen", key("⌃⌘Q", 12, ctrlCmd)},
            },
        .library =
            {
                {"App Exposé", key("⌃↓", KeyCombo::appExpose)},
                {"Screenshot & recording panel", key("⇧⌘5", 23, shiftCmd)},
                {"Emoji & symbols", key("⌃⌘Space", 49, ctrlCmd)},
                {"Next input source", key("⌃⌥Space", 49, ctrl | opt)},
                {"Snap window left", window(WindowCommand::leftHalf)},
                {"Snap window right", window(WindowCommand::rightHalf)},
                {"Maximise window", window(WindowCommand::maximize)},
                {"Next track", media(MediaKey::next)},
                {"Previous track", media(MediaKey::previous)},
            },
    };
    return table;
}

const Table& terminal() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Tab", key("⌘T", 17, cmd)},
                {tap(3, 3), "Split Right", key("⌘D", 2, cmd)},
                {hold(3), "Clear", key("⌘K", 40, cmd)},
                {tap(4, 1), "Interrupt", key("⌃C", 8, ctrl)},
                {tap(4, 2), "Next Tab", key("⌃⇥", 48, ctrl)},
            },
        .library =
            {
                {"Previous Tab", key("⌃⇧⇥", 48, ctrl | shift)},
                {"Split Down", key("⇧⌘D", 2, shiftCmd)},
                {"Command Palette (Ghostty)", key("⇧⌘P", 35, shiftCmd)},
                {"Command Palette (Warp)", key("⌘P", 35, cmd)},
                {"Next Split", key("⌘]", 30, cmd)},
                {"Previous Split", key("⌘[", 33, cmd)},
            },
    };
    return table;
}

}  // namespace tables

Rows everydayMac() { return items(tables::everydayMac()); }
Rows terminal() { return items(tables::terminal()); }

}  // namespace velorin::packrows
