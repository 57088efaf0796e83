#pragma once
// The shortcut editor's decisions, apart from its widgets: whether the draft's
// gesture clashes with another shortcut of the list it belongs to, which
// wording the warning takes, and the texts that follow the sheet's state.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Config/Binding.h"

namespace velorin {

struct BindingEditorRules {
    BindingEditorRules() = delete;

    static constexpr const char* newTitle = "New shortcut";
    static constexpr const char* editTitle = "Edit shortcut";
    static constexpr const char* addText = "Add";
    static constexpr const char* saveText = "Save";
    static constexpr const char* recordText = "Record Gesture";
    static constexpr const char* cancelText = "Cancel";
    static constexpr const char* listeningText = "Do the gesture on your trackpad now\u2026";
    static constexpr const char* packClashText =
        "Another shortcut in this pack already uses this gesture in the same apps.";
    static constexpr const char* ownClashText = "Another of your shortcuts already uses this gesture in the same apps.";

    // The first shortcut of `list` that another shortcut (a different id),
    // switched on, with the draft's gesture and overlapping apps; the draft's
    // own `enabled` plays no part.
    static const Binding* clash(const Binding& draft, const std::vector<Binding>& list);
    // The warning's wording: a pack's siblings were given, or the user's own list is compared.
    static std::string_view clashText(bool siblingsGiven) { return siblingsGiven ? packClashText : ownClashText; }

    static std::string_view title(bool isNew) { return isNew ? newTitle : editTitle; }
    static std::string_view confirmText(bool isNew) { return isNew ? addText : saveText; }
    static std::string_view recordButtonText(bool recording) { return recording ? cancelText : recordText; }
    // The recording row's text: the call to act while listening, else the draft's gesture.
    static std::string recordingRowText(bool recording, const Gesture& gesture);
};

}  // namespace velorin
