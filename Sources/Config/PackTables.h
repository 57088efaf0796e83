#pragma once
// The built-in packs' rows as they are written: a shortcut row with its gesture,
// title, action and whether it works in every app; a spare row the same without a
// gesture. A keystroke keeps its key text ("⇧⌘P") beside its key code and
// modifiers, and a shortcut row keeps the gesture it was written with, so that a
// slip in a code, a modifier or a slot shows up against what was written. The
// catalog takes only the items (`packrows::items`); the gestures it hands out come
// from the pack's slot table, never from here.
//
// One table per pack, defined beside the pack's `packrows` function in the
// PackRows*.cpp files; chrome and brave share the Chromium table.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Actions/Action.h"
#include "Actions/KeyCombo.h"
#include "Config/PackCatalog.h"
#include "Recognizer/Gesture.h"

namespace velorin::packrows {

// What a row does, and for a keystroke its key text as written.
struct RowAction {
    Action action;
    std::string keyText;  // empty for anything but a keystroke
};

struct TableRow {
    // A shortcut row.
    TableRow(Gesture gesture, std::string title, RowAction action, bool global = false)
        : gesture(gesture),
          title(std::move(title)),
          action(std::move(action.action)),
          keyText(std::move(action.keyText)),
          global(global) {}
    // A shortcut row made of a row the catalog shares between packs.
    TableRow(Gesture gesture, const PackCatalog::Item& shared, std::string keyText)
        : gesture(gesture),
          title(shared.title),
          action(shared.action),
          keyText(std::move(keyText)),
          global(shared.global) {}
    // A spare row: it has no gesture until the user gives it one.
    TableRow(std::string title, RowAction action, bool global = false)
        : title(std::move(title)),
          action(std::move(action.action)),
          keyText(std::move(action.keyText)),
          global(global) {}

    std::optional<Gesture> gesture;  // shortcut rows only
    std::string title;
    Action action;
    std::string keyText;
    bool global = false;  // works in every app, whatever the pack's apps

    PackCatalog::Item item() const { return {title, action, global}; }
    bool operator==(const TableRow&) const = default;
};

struct Table {
    std::vector<TableRow> bindings;  // row n is bound to the n-th gesture of the pack's slot table
    std::vector<TableRow> library;   // spare rows, off until given a gesture
};

inline PackCatalog::Rows items(const Table& table) {
    PackCatalog::Rows rows;
    for (const TableRow& row : table.bindings) rows.bindings.push_back(row.item());
    for (const TableRow& row : table.library) rows.library.push_back(row.item());
    return rows;
}

// The words the tables are written in.
namespace notation {

using Mods = KeyCombo::Modifiers;
inline constexpr Mods none{};
inline constexpr Mods cmd = PackCatalog::cmd;
inline constexpr Mods shiftCmd = PackCatalog::shiftCmd;
inline constexpr Mods optCmd = PackCatalog::optCmd;
inline constexpr Mods ctrlCmd = PackCatalog::ctrlCmd;
inline constexpr Mods ctrl = PackCatalog::ctrl;
inline constexpr Mods shift = PackCatalog::shift;
inline constexpr Mods opt = PackCatalog::opt;

// Marks a row that works in every app.
inline constexpr bool global = true;
// An app-opening row that hides the app when it is already in front.
inline constexpr bool toggle = true;

inline RowAction key(std::string text, std::uint16_t keyCode, Mods modifiers) {
    return {Action::keystroke(KeyCombo(keyCode, modifiers)), std::move(text)};
}
inline RowAction key(std::string text, KeyCombo preset) { return {Action::keystroke(preset), std::move(text)}; }
inline RowAction openApp(std::string bundleID, bool toggles) {
    return {Action::openApp(std::move(bundleID), toggles), {}};
}
inline RowAction window(WindowCommand command) { return {Action::window(command), {}}; }
inline RowAction media(MediaKey key) { return {Action::media(key), {}}; }

inline Gesture tap(int fingers, int count) { return Gesture::tap(fingers, count); }
inline Gesture hold(int fingers) { return Gesture::hold(fingers); }
inline Gesture corner(Gesture::Corner where) { return Gesture::cornerTap(where); }

}  // namespace notation

namespace tables {

// general
const Table& everydayMac();
const Table& terminal();
// ai
const Table& claude();
const Table& chatGPT();
const Table& hermes();
const Table& openClaw();
// browsers
const Table& chromium();  // chrome and brave
const Table& safari();
const Table& dia();
const Table& arc();
const Table& firefox();
const Table& zen();
const Table& vivaldi();
const Table& comet();
const Table& atlas();
// code
const Table& vsCode();
const Table& cursor();
const Table& zed();
const Table& windsurf();
const Table& jetBrains();
const Table& neovim();
const Table& xcode();
// creative
const Table& screenStudio();
const Table& blender();
const Table& unity();
const Table& figma();
const Table& finalCut();
const Table& logic();
const Table& davinci();
// work
const Table& obsidian();
const Table& notion();
const Table& linear();
// social
const Table& slack();
const Table& discord();
const Table& spotify();

}  // namespace tables

}  // namespace velorin::packrows
