#pragma once
// The names the user sees for gestures and actions, and the symbols that stand
// for them. Never the stored forms or the one-line descriptions.

#include <string>
#include <string_view>

#include "Actions/Action.h"
#include "Actions/Commands.h"
#include "Recognizer/Gesture.h"

namespace velorin {

// "3-finger double tap", "2-finger hold", "Corner tap: bottom right".
std::string displayName(const Gesture& gesture);
// "Open Safari", "Press ⌘C", "Window → left half", ...; an app is named by AppInfo.
std::string displayName(const Action& action);
std::string_view displayName(MediaKey key);
std::string_view displayName(SystemCommand command);
std::string_view displayName(WindowCommand command);

// The symbol of a system command ("lock.fill", ...).
std::string_view symbol(SystemCommand command);
// The symbol of a gesture's kind: "hand.tap", "hand.raised" or
// "arrow.up.left.and.arrow.down.right".
std::string_view symbol(const Gesture& gesture);

}  // namespace velorin
