#include "Actions/Commands.h"

namespace velorin {

std::string_view rawValue(WindowCommand command) {
    switch (command) {
        case WindowCommand::leftHalf: return "leftHalf";
        case WindowCommand::rightHalf: return "rightHalf";
        case WindowCommand::topHalf: return "topHalf";
        case WindowCommand::bottomHalf: return "bottomHalf";
        case WindowCommand::maximize: return "maximize";
        case WindowCommand::center: return "center";
        case WindowCommand::nextDisplay: return "nextDisplay";
    }
    return {};
}

std::string_view rawValue(MediaKey key) {
    switch (key) {
        case MediaKey::playPause: return "playPause";
        case MediaKey::next: return "next";
        case MediaKey::previous: return "previous";
        case MediaKey::volumeUp: return "volumeUp";
        case MediaKey::volumeDown: return "volumeDown";
        case MediaKey::mute: return "mute";
    }
    return {};
}

std::string_view rawValue(SystemCommand command) {
    switch (command) {
        case SystemCommand::lockScreen: return "lockScreen";
        case SystemCommand::showDesktop: return "showDesktop";
        case SystemCommand::missionControl: return "missionControl";
        case SystemCommand::appWindows: return "appWindows";
        case SystemCommand::spaceLeft: return "spaceLeft";
        case SystemCommand::spaceRight: return "spaceRight";
        case SystemCommand::sleepDisplay: return "sleepDisplay";
        case SystemCommand::screenSaver: return "screenSaver";
        case SystemCommand::darkMode: return "darkMode";
        case SystemCommand::brightnessUp: return "brightnessUp";
        case SystemCommand::brightnessDown: return "brightnessDown";
    }
    return {};
}

std::int32_t nxKeyType(MediaKey key) {
    switch (key) {
        case MediaKey::playPause: return 16;
        case MediaKey::next: return 17;
        case MediaKey::previous: return 18;
        case MediaKey::volumeUp: return 0;
        case MediaKey::volumeDown: return 1;
        case MediaKey::mute: return 7;
    }
    return 0;
}

}  // namespace velorin
