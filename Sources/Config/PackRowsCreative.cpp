// Rows of the creative packs: screen-studio, blender, unity, figma, final-cut,
// logic and davinci. The editing apps bind the shared Undo and Redo rows on
// tap 4 fingers ×1 and ×2.

#include "Config/PackRows.h"
#include "Config/PackTables.h"

namespace velorin::packrows {
namespace tables {

using namespace notation;

const Table& screenStudio() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New recording", key("⌃⌘↩", 36, ctrlCmd)},
                {tap(3, 3), "Record area", key("⌥⌘5", 23, optCmd)},
                {hold(3), "Record display", key("⌥⌘3", 20, optCmd)},
                {tap(4, 1), "Record window", key("⌥⌘4", 21, optCmd)},
                {tap(4, 2), "Open last project", key("⌥⌘Z", 6, optCmd)},
            },
        .library =
            {
                {"Show recording widget", key("⌥⌘'", 39, optCmd)},
                {"Show speaker notes", key("⌥⌘/", 44, optCmd)},
            },
    };
    return table;
}

const Table& blender() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Edit / Object mode", key("⇥", 48, none)},
                {tap(3, 3), "Menu search", key("F3", 99, none)},
                {hold(3), "Play animation", key("Space", 49, none)},
                {tap(4, 1), PackCatalog::undo(), "⌘Z"},
                {tap(4, 2), PackCatalog::redo(), "⇧⌘Z"},
            },
        .library =
            {
                {"Render image", key("F12", 111, none)},
                {"Sidebar", key("N", 45, none)},
                {"Toolbar", key("T", 17, none)},
                {"Add", key("⇧A", 0, shift)},
                {"Duplicate", key("⇧D", 2, shift)},
                {"Save", key("⌘S", 1, cmd)},
            },
    };
    return table;
}

const Table& unity() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Play", key("⌘P", 35, cmd)},
                {tap(3, 3), "Pause", key("⇧⌘P", 35, shiftCmd)},
                {hold(3), "Frame selected", key("F", 3, none)},
                {tap(4, 1), PackCatalog::undo(), "⌘Z"},
                {tap(4, 2), PackCatalog::redo(), "⇧⌘Z"},
            },
        .library =
            {
                {"Step", key("⌥⌘P", 35, optCmd)},
                {"Save", key("⌘S", 1, cmd)},
                {"Duplicate", key("⌘D", 2, cmd)},
                {"Move tool", key("W", 13, none)},
                {"Rotate tool", key("E", 14, none)},
                {"Scale tool", key("R", 15, none)},
            },
    };
    return table;
}

const Table& figma() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Actions", key("⌘K", 40, cmd)},
                {tap(3, 3), "Auto layout", key("⇧A", 0, shift)},
                {hold(3), "Zoom to fit", key("⇧1", 18, shift)},
                {tap(4, 1), PackCatalog::undo(), "⌘Z"},
                {tap(4, 2), PackCatalog::redo(), "⇧⌘Z"},
            },
        .library =
            {
                {"Duplicate", key("⌘D", 2, cmd)},
                {"Create component", key("⌥⌘K", 40, optCmd)},
                {"Show / hide UI", key("⌘\\", 42, cmd)},
                {"Group selection", key("⌘G", 5, cmd)},
                {"Keyboard shortcuts", key("⌃⇧/", 44, ctrl | shift)},
            },
    };
    return table;
}

const Table& finalCut() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Play / pause", key("Space", 49, none)},
                {tap(3, 3), "Blade", key("⌘B", 11, cmd)},
                {hold(3), "Add Marker", key("M", 46, none)},
                {tap(4, 1), PackCatalog::undo(), "⌘Z"},
                {tap(4, 2), PackCatalog::redo(), "⇧⌘Z"},
            },
        .library =
            {
                {"Snapping", key("N", 45, none)},
                {"Zoom to fit", key("⇧Z", 6, shift)},
                {"Blade All", key("⇧⌘B", 11, shiftCmd)},
                {"Append to Storyline", key("E", 14, none)},
                {"Connect to Primary Storyline", key("Q", 12, none)},
                {"Share", key("⌘E", 14, cmd)},
                {"Render Selection", key("⌃R", 15, ctrl)},
            },
    };
    return table;
}

const Table& logic() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Play / stop", key("Space", 49, none)},
                {tap(3, 3), "Record", key("R", 15, none)},
                {hold(3), "Split at playhead", key("⌘T", 17, cmd)},
                {tap(4, 1), PackCatalog::undo(), "⌘Z"},
                {tap(4, 2), PackCatalog::redo(), "⇧⌘Z"},
            },
        .library =
            {
                {"Cycle mode", key("C", 8, none)},
                {"Metronome", key("K", 40, none)},
                {"Mixer", key("X", 7, none)},
                {"Piano Roll", key("P", 35, none)},
                {"Go to beginning", key("↩", 36, none)},
                {"Bounce", key("⌘B", 11, cmd)},
            },
    };
    return table;
}

const Table& davinci() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "Play / stop", key("Space", 49, none)},
                {tap(3, 3), "Split clip", key("⌘\\", 42, cmd)},
                {hold(3), "Add marker", key("M", 46, none)},
                {tap(4, 1), PackCatalog::undo(), "⌘Z"},
                {tap(4, 2), PackCatalog::redo(), "⇧⌘Z"},
            },
        .library =
            {
                {"Blade mode", key("B", 11, none)},
                {"Selection mode", key("A", 0, none)},
                {"Snapping", key("N", 45, none)},
                {"Mark in", key("I", 34, none)},
                {"Mark out", key("O", 31, none)},
                {"Save project", key("⌘S", 1, cmd)},
            },
    };
    return table;
}

}  // namespace tables

Rows screenStudio() { return items(tables::screenStudio()); }
Rows blender() { return items(tables::blender()); }
Rows unity() { return items(tables::unity()); }
Rows figma() { return items(tables::figma()); }
Rows finalCut() { return items(tables::finalCut()); }
Rows logic() { return items(tables::logic()); }
Rows davinci() { return items(tables::davinci()); }

}  // namespace velorin::packrows
