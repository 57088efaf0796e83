#pragma once
// The built-in packs: 36 fixed, read-only packs that ship with the program.
//
// How a built-in pack is made
// ---------------------------
// The table of the 36 packs (id, name, summary, symbol, apps, category, slot table)
// lives in PackCatalog.cpp. The rows of each pack (its shortcuts and its spare
// shortcuts) are supplied separately, one function per pack, declared in
// "Config/PackRows.h" and defined in one source file per group of packs
// (PackRowsGeneral.cpp, PackRowsAI.cpp, PackRowsBrowsers.cpp, PackRowsCode.cpp,
// PackRowsCreative.cpp, PackRowsWork.cpp, PackRowsSocial.cpp). Each function gives
// a `Rows`: the shortcut rows in order, then the spare rows in order, each an `Item`
// (title, action, and whether it works in every app). A row carries no gesture and
// no id; the catalog adds them:
//
//   - shortcut row i (from 1): gesture = the pack's slot table[i - 1], enabled,
//     id = stableId(pack id, i);
//   - spare row k (from 0): gesture = spare()[k mod 6], switched off,
//     id = stableId(pack id, 100 + k);
//   - apps = [] for a row marked global, otherwise the pack's apps; title = the row's.
//
// A pack may not have more shortcut rows than its slot table has gestures. The ids
// are derived from the pack id and the row's number only, so they are the same in
// every process and stored edits of a pack (which refer to rows by id) keep matching:
// never renumber the rows of a shipped pack.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "Actions/Action.h"
#include "Actions/KeyCombo.h"
#include "Config/Pack.h"
#include "Recognizer/Gesture.h"
#include "Support/Uuid.h"

namespace velorin {

struct PackCatalog {
    PackCatalog() = delete;

    // One row before it becomes a Binding.
    struct Item {
        std::string title;
        Action action;
        bool global = false;  // works in every app, not only in the pack's apps
        bool operator==(const Item&) const = default;
    };

    // A pack's rows: its shortcuts in slot order, then its spare shortcuts.
    struct Rows {
        std::vector<Item> bindings;
        std::vector<Item> library;
    };

    // Modifier shorthands for writing rows.
    static constexpr KeyCombo::Modifiers cmd{KeyCombo::Modifiers::command};
    static constexpr KeyCombo::Modifiers shiftCmd{KeyCombo::Modifiers::shift, KeyCombo::Modifiers::command};
    static constexpr KeyCombo::Modifiers optCmd{KeyCombo::Modifiers::option, KeyCombo::Modifiers::command};
    static constexpr KeyCombo::Modifiers ctrlCmd{KeyCombo::Modifiers::control, KeyCombo::Modifiers::command};
    static constexpr KeyCombo::Modifiers ctrl{KeyCombo::Modifiers::control};
    static constexpr KeyCombo::Modifiers shift{KeyCombo::Modifiers::shift};
    static constexpr KeyCombo::Modifiers opt{KeyCombo::Modifiers::option};

    // Rows shared by the creative packs (their shortcut rows 4 and 5).
    static const Item& undo();  // "Undo", ⌘Z
    static const Item& redo();  // "Redo", ⇧⌘Z

    // Bundle identifiers shared by packs.
    struct App {
        App() = delete;
        static const std::vector<std::string>& terminals();
        static const std::vector<std::string>& chatGPT();
        static const std::vector<std::string>& jetBrains();
    };

    // The standard slot table: tap 3×1, tap 3×3, hold 3, tap 4×1, tap 4×2.
    static const std::vector<Gesture>& slots();
    // The gestures handed to spare rows in turn: tap 5×1, hold 4, tap 4×3, tap 5×2, tap 5×3, hold 5.
    static const std::vector<Gesture>& spare();
    // Retired pack ids and the ids that took their place.
    static const std::map<std::string, std::vector<std::string>, std::less<>>& replaced();

    // The 36 packs in catalog order; built once, the same values on every call.
    static const std::vector<Pack>& all();
    // The first built-in pack with exactly this id; null when none (retired ids included).
    static const Pack* pack(std::string_view id);

    // Each built-in pack by name.
    static const Pack& everydayMac();
    static const Pack& terminal();
    static const Pack& claude();
    static const Pack& chatGPT();
    static const Pack& hermes();
    static const Pack& openClaw();
    static const Pack& chrome();
    static const Pack& safari();
    static const Pack& dia();
    static const Pack& arc();
    static const Pack& brave();
    static const Pack& firefox();
    static const Pack& zen();
    static const Pack& vivaldi();
    static const Pack& comet();
    static const Pack& atlas();
    static const Pack& vsCode();
    static const Pack& cursor();
    static const Pack& zed();
    static const Pack& windsurf();
    static const Pack& jetBrains();
    static const Pack& neovim();
    static const Pack& xcode();
    static const Pack& screenStudio();
    static const Pack& blender();
    static const Pack& unity();
    static const Pack& figma();
    static const Pack& finalCut();
    static const Pack& logic();
    static const Pack& davinci();
    static const Pack& obsidian();
    static const Pack& notion();
    static const Pack& linear();
    static const Pack& slack();
    static const Pack& discord();
    static const Pack& spotify();

    // The fixed text hash the row ids are derived from (never the standard library's,
    // which may differ between builds).
    static std::uint64_t hashValueStable(std::string_view text);
    // "7A9D0000-0000-4000-8000-0000" and eight hex digits derived from `packId` and row `n`.
    static Uuid stableId(std::string_view packId, std::int64_t n);

    // What a built-in pack is made of besides its rows.
    struct Definition {
        std::string id;
        std::string name;
        std::string summary;
        std::string symbol;
        std::vector<std::string> apps;
        Pack::Category category = Pack::Category::general;
        std::vector<Gesture> slots;
    };
    // Makes a pack from its definition and rows, as described at the top of this
    // header. Throws std::logic_error when there are more shortcut rows than slots.
    static Pack make(const Definition& definition, const Rows& rows);
};

}  // namespace velorin
