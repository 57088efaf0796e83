// Rows of the code packs: vscode, cursor, zed, windsurf, jetbrains, neovim and xcode.

#include "Config/PackRows.h"
#include "Config/PackTables.h"

namespace velorin::packrows {
namespace tables {

using namespace notation;

const Table& vsCode() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Show All Commands", key("⇧⌘P", 35, shiftCmd)},
                {tap(3, 3), "Quick Open", key("⌘P", 35, cmd)},
                {hold(3), "Toggle Terminal", key("⌃`", 50, ctrl)},
                {tap(4, 1), "Toggle Sidebar", key("⌘B", 11, cmd)},
                {tap(4, 2), "Split Editor", key("⌘\\", 42, cmd)},
            },
        .library =
            {
                {"Toggle Line Comment", key("⌘/", 44, cmd)},
                {"Go to Definition", key("F12", 111, none)},
                {"Find in Files", key("⇧⌘F", 3, shiftCmd)},
                {"Start Debugging", key("F5", 96, none)},
                {"Quick Fix", key("⌘.", 47, cmd)},
                {"Accept suggestion", key("⇥", 48, none)},
                {"Run Build Task", key("⇧⌘B", 11, shiftCmd)},
                {"Save", key("⌘S", 1, cmd)},
            },
    };
    return table;
}

const Table& cursor() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Agent", key("⌘N", 45, cmd)},
                {tap(3, 3), "Command Palette", key("⌘K", 40, cmd)},
                {hold(3), "Terminal", key("⌘J", 38, cmd)},
                {tap(4, 1), "Changes", key("⌘E", 14, cmd)},
                {tap(4, 2), "Files", key("⌘G", 5, cmd)},
            },
        .library =
            {
                {"Browser", key("⇧⌘B", 11, shiftCmd)},
                {"New Terminal", key("⌃⇧`", 50, ctrl | shift)},
                {"Open IDE", key("⇧⌘N", 45, shiftCmd)},
                {"Accept all changes", key("⌘↩", 36, cmd)},
                {"Reject all changes", key("⇧⌘⌫", 51, shiftCmd)},
                {"Accept Tab suggestion", key("⇥", 48, none)},
            },
    };
    return table;
}

const Table& zed() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Command Palette", key("⇧⌘P", 35, shiftCmd)},
                {tap(3, 3), "Go to File", key("⌘P", 35, cmd)},
                {hold(3), "Agent Panel", key("⇧⌘/", 44, shiftCmd)},
                {tap(4, 1), "Toggle Left Dock", key("⌘B", 11, cmd)},
                {tap(4, 2), "Toggle Bottom Dock", key("⌘J", 38, cmd)},
            },
        .library =
            {
                {"Terminal Panel", key("⌃`", 50, ctrl)},
                {"Split Right", key("⌘\\", 42, cmd)},
                {"Find in Project", key("⇧⌘F", 3, shiftCmd)},
                {"Inline Assist", key("⌃↩", 36, ctrl)},
                {"Diagnostics", key("⇧⌘M", 46, shiftCmd)},
                {"Git Panel", key("⌃⇧G", 5, ctrl | shift)},
                {"Save", key("⌘S", 1, cmd)},
            },
    };
    return table;
}

const Table& windsurf() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Command Palette", key("⇧⌘P", 35, shiftCmd)},
                {tap(3, 3), "Quick Open", key("⌘P", 35, cmd)},
                {hold(3), "Cascade", key("⌘L", 37, cmd)},
                {tap(4, 1), "Toggle Sidebar", key("⌘B", 11, cmd)},
                {tap(4, 2), "Toggle Terminal", key("⌃`", 50, ctrl)},
            },
        .library = {},
    };
    return table;
}

const Table& jetBrains() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Find Action", key("⇧⌘A", 0, shiftCmd)},
                {tap(3, 3), "Go to File", key("⇧⌘O", 31, shiftCmd)},
                {hold(3), "Terminal", key("⌥F12", 111, opt)},
                {tap(4, 1), "Recent Files", key("⌘E", 14, cmd)},
                {tap(4, 2), "Run", key("⌃⌥R", 15, ctrl | opt)},
            },
        .library =
            {
                {"Debug", key("⌃⌥D", 2, ctrl | opt)},
                {"Stop", key("⌘F2", 120, cmd)},
                {"Go to Declaration", key("⌘B", 11, cmd)},
                {"Show Intention Actions", key("⌥↩", 36, opt)},
                {"Rename", key("⇧F6", 97, shift)},
                {"Reformat Code", key("⌥⌘L", 37, optCmd)},
                {"Project window", key("⌘1", 18, cmd)},
                {"Find in Files", key("⇧⌘F", 3, shiftCmd)},
            },
    };
    return table;
}

// neovim: four slots, no triple tap; its own Undo is a bare U, and Redo waits in the library.
const Table& neovim() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Command line", key("⇧;", 41, shift)},
                {hold(3), "Jump back", key("⌃O", 31, ctrl)},
                {tap(4, 1), "Normal mode", key("⎋", 53, none)},
                {tap(4, 2), "Undo", key("U", 32, none)},
            },
        .library =
            {
                {"Redo", key("⌃R", 15, ctrl)},
                {"Next match", key("N", 45, none)},
                {"Half page down", key("⌃D", 2, ctrl)},
                {"Half page up", key("⌃U", 32, ctrl)},
            },
    };
    return table;
}

const Table& xcode() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Run", key("⌘R", 15, cmd)},
                {tap(3, 3), "Open Quickly", key("⇧⌘O", 31, shiftCmd)},
                {hold(3), "Show / hide Navigator", key("⌘0", 29, cmd)},
                {tap(4, 1), "Stop", key("⌘.", 47, cmd)},
                {tap(4, 2), "Build", key("⌘B", 11, cmd)},
            },
        .library =
            {
                {"Test", key("⌘U", 32, cmd)},
                {"Clean Build Folder", key("⇧⌘K", 40, shiftCmd)},
                {"Debug area", key("⇧⌘Y", 16, shiftCmd)},
                {"Jump to Definition", key("⌃⌘J", 38, ctrlCmd)},
                {"Find in Project", key("⇧⌘F", 3, shiftCmd)},
                {"Library", key("⇧⌘L", 37, shiftCmd)},
                {"Open Simulator from anywhere", openApp("com.apple.iphonesimulator", toggle), global},
            },
    };
    return table;
}

}  // namespace tables

Rows vsCode() { return items(tables::vsCode()); }
Rows cursor() { return items(tables::cursor()); }
Rows zed() { return items(tables::zed()); }
Rows windsurf() { return items(tables::windsurf()); }
Rows jetBrains() { return items(tables::jetBrains()); }
Rows neovim() { return items(tables::neovim()); }
Rows xcode() { return items(tables::xcode()); }

}  // namespace velorin::packrows
