#pragma once
// The pack editor's working copy and its states: the draft that every edit
// changes, the shortcut handed to the shortcut editor (none while no
// shortcut is being edited) and the delete confirmation. Nothing reaches the
// configuration: the editor ends with a result that its caller acts on.
//
//   editing:  none ──(pencil, double click, "Add Shortcut…")──▶ a shortcut
//             a shortcut ──(the shortcut editor finished, either way)──▶ none
//   confirm:  off ──("Delete Pack")──▶ on ──(its action or its cancel)──▶ off

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Config/Binding.h"
#include "Config/Pack.h"

namespace velorin {

struct PackEditorResult {
    enum class Kind { save, remove, cancel };

    Kind kind = Kind::cancel;
    std::optional<Pack> pack;  // save: the finished pack
    std::string id;            // remove: the pack's id

    static PackEditorResult save(Pack pack) { return {Kind::save, std::move(pack), {}}; }
    static PackEditorResult remove(std::string id) { return {Kind::remove, std::nullopt, std::move(id)}; }
    static PackEditorResult cancel() { return {}; }

    bool operator==(const PackEditorResult&) const = default;
};

class PackEditorModel {
public:
    // The colours offered, 0xRRGGBB, in the order they are shown.
    static constexpr std::array<std::uint32_t, 8> swatches{0x5E5CE6, 0x1E8EF5, 0x13A89E, 0x1DB954,
                                                           0xF5A623, 0xFF7139, 0xFF375F, 0xA259FF};
    // The preview's name while the pack has none.
    static constexpr const char* unnamed = "My pack";

    PackEditorModel(Pack draft, bool isNew);

    const Pack& draft() const { return draft_; }
    bool isNew() const { return isNew_; }

    std::string title() const { return isNew_ ? "New pack" : "Edit pack"; }
    std::string saveTitle() const { return isNew_ ? "Add Pack" : "Save"; }

    void setName(std::string name) { draft_.name = std::move(name); }
    void setSummary(std::string summary) { draft_.summary = std::move(summary); }
    void setAccent(std::uint32_t rgb) { draft_.accent = rgb; }
    // Shortcuts that followed the old apps exactly follow the new ones.
    void setApps(std::vector<std::string> apps);

    // A name of white space only (line breaks included) can't be saved: the
    // same rule that trims the finished name.
    bool canSave() const;
    // The draft with its name and summary trimmed, its icon apps its apps, and custom.
    Pack finished() const;
    // The finished pack, named "My pack" while it has no name.
    Pack preview() const;

    // ---- Shortcuts
    const std::optional<Binding>& editingBinding() const { return editing_; }
    // Whether the shortcut being edited is not yet in the list.
    bool editingIsNew() const;
    // Starts editing a new shortcut: ⌘N on a three-finger tap, for the pack's apps.
    void addShortcut();
    // Starts editing the shortcut with `id`; nothing when the list has none.
    void editShortcut(const Uuid& id);
    // The shortcut editor's answer: a shortcut replaces the first of its id or
    // is appended; none (cancelled) leaves the list. Either way editing ends.
    void finishEditing(std::optional<Binding> result);
    void removeShortcut(const Uuid& id);

    // ---- Deleting
    bool confirmingDelete() const { return confirmDelete_; }
    void askToDelete();
    void dismissDelete() { confirmDelete_ = false; }
    // "Delete "name"?" with the name exactly as typed.
    std::string deleteTitle() const;
    std::string deleteMessage() const;

    // ---- Results; save() requires canSave().
    PackEditorResult save() const { return PackEditorResult::save(finished()); }
    PackEditorResult remove() { confirmDelete_ = false; return PackEditorResult::remove(draft_.id); }
    static PackEditorResult cancel() { return PackEditorResult::cancel(); }

    // White space and line breaks trimmed from both ends.
    static std::string trimmed(const std::string& text);

private:
    Pack draft_;
    bool isNew_;
    std::optional<Binding> editing_;
    bool confirmDelete_ = false;
};

}  // namespace velorin
