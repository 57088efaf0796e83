// Rows of the AI packs: claude, chatgpt, hermes and openclaw.

#include "Config/PackRows.h"
#include "Config/PackTables.h"

namespace velorin::packrows {
namespace tables {

using namespace notation;

const Table& claude() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Session", key("⌘N", 45, cmd)},
                {tap(3, 3), "Command Palette", key("⌘K", 40, cmd)},
                {hold(3), "Show Terminal", key("⌘J", 38, cmd)},
                {tap(4, 1), "Previous Session", key("⇧⌘[", 33, shiftCmd)},
                {tap(4, 2), "Next Session", key("⇧⌘]", 30, shiftCmd)},
            },
        .library =
            {
                {"Search", key("⇧⌘K", 40, shiftCmd)},
                {"Show Side Chat", key("⌘;", 41, cmd)},
                {"Show Changes", key("⇧⌘D", 2, shiftCmd)},
                {"Show Files", key("⇧⌘F", 3, shiftCmd)},
                {"Reopen Closed Session", key("⇧⌘T", 17, shiftCmd)},
                {"New Session on the Right", key("⌃⌘\\", 42, ctrlCmd)},
                {"Stop the response", key("⎋", 53, none)},
                {"Open Claude from anywhere", openApp("com.anthropic.claudefordesktop", toggle), global},
            },
    };
    return table;
}

const Table& chatGPT() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New Chat", key("⌘N", 45, cmd)},
                {tap(3, 3), "New Temporary Chat", key("⇧⌘N", 45, shiftCmd)},
                {hold(3), "Toggle Sidebar", key("⇧⌘S", 1, shiftCmd)},
                {tap(4, 1), "Previous Chat", key("⇧⌘[", 33, shiftCmd)},
                {tap(4, 2), "Next Chat", key("⇧⌘]", 30, shiftCmd)},
            },
        .library =
            {
                {"Open Terminal", key("⌃`", 50, ctrl)},
                {"Toggle Bottom Panel", key("⌘J", 38, cmd)},
                {"Toggle navigation panel", key("⇧⌘E", 14, shiftCmd)},
                {"Switch between Chat and tabs", key("⌥⌘B", 11, optCmd)},
                {"Find", key("⌘F", 3, cmd)},
                {"Chat Bar from anywhere", key("⌥Space", 49, opt), global},
            },
    };
    return table;
}

const Table& hermes() {
    static const Table table{
        .bindings =
            {
                {tap(3, 1), "New session", key("⌘N", 45, cmd)},
                {tap(3, 3), "Command palette", key("⌘K", 40, cmd)},
                {hold(3), "Terminal", key("⌃`", 50, ctrl)},
                {tap(4, 1), "Toggle sidebar", key("⌘B", 11, cmd)},
                {tap(4, 2), "Close tab", key("⌘W", 13, cmd)},
            },
        .library =
            {
                {"Search sessions", key("⇧⌘F", 3, shiftCmd)},
                {"Find", key("⌘F", 3, cmd)},
                {"Open Hermes from anywhere", openApp("com.nousresearch.hermes.setup", toggle), global},
            },
    };
    return table;
}

// openclaw: its own two-slot table; Quick Chat answers from any app.
const Table& openClaw() {
    static const Table table{
        .bindings =
            {
                {tap(3, 2), "Quick Chat", key("⌥Space", 49, opt), global},
                {hold(3), "Settings", key("⌘,", 43, cmd)},
            },
        .library = {},
    };
    return table;
}

}  // namespace tables

Rows claude() { return items(tables::claude()); }
Rows chatGPT() { return items(tables::chatGPT()); }
Rows hermes() { return items(tables::hermes()); }
Rows openClaw() { return items(tables::openClaw()); }

}  // namespace velorin::packrows
