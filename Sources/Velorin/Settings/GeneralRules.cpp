#include "Velorin/Settings/GeneralRules.h"

#include "Platform/Bundle.h"

namespace velorin {

std::string GeneralRules::resetCommand(Bundle& bundle) {
    return "tccutil reset Accessibility " + bundle.bundleIdentifier().value_or(fallbackIdentifier);
}

GeneralRules::TrackpadStatus GeneralRules::trackpadStatus(bool running, const std::optional<std::string>& startError) {
    if (running) return {true, "Listening"};
    return {false, startError.value_or("Stopped")};
}

std::string GeneralRules::seeThroughNote(bool reduceTransparency) {
    return reduceTransparency
               ? "Off because Reduce Transparency is on in System Settings."
               : "Lets your desktop show softly through the water. Cards stay frosted so text is easy to read.";
}

}  // namespace velorin
