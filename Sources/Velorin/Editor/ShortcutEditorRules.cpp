#include "Velorin/Editor/ShortcutEditorRules.h"

#include "Config/AppConfig.h"
#include "Velorin/DisplayNames.h"

namespace velorin {

const Binding* BindingEditorRules::clash(const Binding& draft, const std::vector<Binding>& list) {
    for (const auto& other : list) {
        if (other.id != draft.id && other.enabled && other.gesture == draft.gesture &&
            AppConfig::scopesOverlap(other.apps, draft.apps)) {
            return &other;
        }
    }
    return nullptr;
}

std::string BindingEditorRules::recordingRowText(bool recording, const Gesture& gesture) {
    return recording ? std::string(listeningText) : displayName(gesture);
}

}  // namespace velorin
