#pragma once
// What the action composer decides, without widgets: the kinds of action it
// offers and what each shows, the action a new choice of kind starts with,
// the options of the tile grids, the texts of key presets and window
// commands, how a key combination splits into caps, the window diagram's
// geometry and the delays with which grids bring their cells in.

#include <QRectF>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Actions/Action.h"
#include "Actions/Commands.h"
#include "Actions/KeyCombo.h"

namespace velorin {

// The kinds of action, in the order of the composer's pills.
enum class ComposerKind { app, keys, menu, window, media, system, open, shortcut };

inline constexpr std::array<ComposerKind, 8> allComposerKinds{
    ComposerKind::app,   ComposerKind::keys,   ComposerKind::menu, ComposerKind::window,
    ComposerKind::media, ComposerKind::system, ComposerKind::open, ComposerKind::shortcut,
};

struct ComposerKindTexts {
    std::string_view pill;         // "App"
    std::string_view symbol;       // of the pill and the header
    std::string_view title;        // the header's title
    std::string_view description;  // the header's line below it
};

struct ComposerRules {
    ComposerRules() = delete;

    // The kind an action is composed as.
    static ComposerKind kindOf(const Action& action);
    static const ComposerKindTexts& texts(ComposerKind kind);
    // What choosing a kind sets: an app still to be chosen (toggling), ⌘Space,
    // a menu command still to be chosen, left half, play/pause, lock screen,
    // an empty link, an empty shortcut name.
    static Action defaultAction(ComposerKind kind);

    // The symbol of a media key's tile.
    static std::string_view symbol(MediaKey key);
    // A window command as its tile names it: "Left half", "Fill screen", ….
    static std::string shortName(WindowCommand command);

    // The four ready-made combinations, in the order of their tiles.
    static const std::array<KeyCombo, 4>& presets();
    // A preset's name ("Spotlight"), else the combination's description.
    static std::string presetName(const KeyCombo& combo);
    // A preset's symbol, else "keyboard".
    static std::string_view presetSymbol(const KeyCombo& combo);
    // How a combination's keys are written: as the combination reads, or as
    // a menu writes its command's key (`MenuScanner::keyText`).
    enum class KeyWriting { combination, menu };
    // The texts of a combination's caps: one per leading modifier glyph, then
    // the rest (the key, with "fn " before it when set) as one.
    static std::vector<std::string> keycaps(const KeyCombo& combo, KeyWriting writing = KeyWriting::combination);

    // Where the window diagram draws the command's target inside `inner`.
    static QRectF windowTarget(WindowCommand command, const QRectF& inner);
    // The diagram's screen inset by its margin on every side.
    static QRectF windowInner(const QSizeF& size);

    // Seconds each cell waits before it comes in, by its place in its grid.
    static double pillDelay(int index);
    static double tileDelay(int index);
    static double appCellDelay(int index);

    // The link panel's texts for what the user typed.
    static constexpr std::string_view linkPlaceholder = "wikipedia.org, notion://…, or a path like ~/Documents";
    static constexpr std::string_view linkHint = "Type a website, a link into an app, or a file or folder.";
    // "Opens …" for the text, or nothing when it names no link or file.
    static std::optional<std::string> linkStatus(std::string_view text, std::string_view homeFolder);
    // Whether the text names a file location (the field's icon shows a document).
    static bool namesFile(std::string_view text, std::string_view homeFolder);

    // The menu panel's texts.
    static constexpr std::string_view menuHint =
        "Pick a command from any app's menus. It runs in whichever app is in front, if that app has it.";
    static constexpr std::string_view menuChooseFirst = "Choose from an App's Menus\u2026";
    static constexpr std::string_view menuChooseAnother = "Choose Another\u2026";

    // The shortcut panel's texts.
    static constexpr std::string_view shortcutsReading = "Reading your shortcuts\u2026";
    static constexpr std::string_view shortcutsNone =
        "You don't have any shortcuts yet. Make one in the Shortcuts app and it shows up here.";
    static constexpr std::string_view shortcutsTool = "/usr/bin/shortcuts";
    static constexpr std::string_view shortcutsApp = "/System/Applications/Shortcuts.app";
    // The names the tool printed: split at line feeds (invalid UTF-8
    // replaced), empty lines dropped, nothing trimmed, sorted without regard
    // to case (names that compare equal keep the tool's order).
    static std::vector<std::string> shortcutNames(std::string_view output);
};

}  // namespace velorin
