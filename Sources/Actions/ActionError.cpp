#include "Actions/ActionError.h"

namespace velorin {
namespace {

std::string message(ActionError::Kind kind, const std::string& text) {
    switch (kind) {
        case ActionError::Kind::appNotFound: return "No app with bundle ID " + text;
        case ActionError::Kind::menuItemNotFound: return "The front app has no menu command " + text;
        case ActionError::Kind::cannotOpen: return "Couldn't open " + text;
        case ActionError::Kind::needsAccessibility: return "Velorin needs Accessibility permission for this action";
        case ActionError::Kind::noFocusedWindow: return "No focused window";
        case ActionError::Kind::cannotMoveWindow: return "That window can't be moved or resized";
        case ActionError::Kind::eventFailed: return "Could not create the input event";
    }
    return {};
}

}  // namespace

ActionError::ActionError(Kind kind, std::string text)
    : kind_(kind), text_(std::move(text)), description_(message(kind_, text_)) {}

}  // namespace velorin
