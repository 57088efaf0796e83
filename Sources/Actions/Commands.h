#pragma once
// The payloads of window, media and system actions, stored as their case names.

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "Actions/StoredEnum.h"

namespace velorin {

enum class WindowCommand { leftHalf, rightHalf, topHalf, bottomHalf, maximize, center, nextDisplay };

enum class MediaKey { playPause, next, previous, volumeUp, volumeDown, mute };

enum class SystemCommand {
    lockScreen,
    showDesktop,
    missionControl,
    appWindows,
    spaceLeft,
    spaceRight,
    sleepDisplay,
    screenSaver,
    darkMode,
    brightnessUp,
    brightnessDown,
};

std::string_view rawValue(WindowCommand command);
std::string_view rawValue(MediaKey key);
std::string_view rawValue(SystemCommand command);

// The system's auxiliary-key type of a media key (play 16, next 17, previous 18,
// sound up 0, sound down 1, mute 7).
std::int32_t nxKeyType(MediaKey key);

template <>
struct StoredEnum<WindowCommand> {
    static constexpr std::string_view typeName = "WindowCommand";
    static constexpr std::array<WindowCommand, 7> allCases = {
        WindowCommand::leftHalf, WindowCommand::rightHalf, WindowCommand::topHalf, WindowCommand::bottomHalf,
        WindowCommand::maximize, WindowCommand::center,    WindowCommand::nextDisplay,
    };
};

template <>
struct StoredEnum<MediaKey> {
    static constexpr std::string_view typeName = "MediaKey";
    static constexpr std::array<MediaKey, 6> allCases = {
        MediaKey::playPause, MediaKey::next, MediaKey::previous, MediaKey::volumeUp, MediaKey::volumeDown,
        MediaKey::mute,
    };
};

template <>
struct StoredEnum<SystemCommand> {
    static constexpr std::string_view typeName = "SystemCommand";
    static constexpr std::array<SystemCommand, 11> allCases = {
        SystemCommand::lockScreen,   SystemCommand::showDesktop, SystemCommand::missionControl,
        SystemCommand::appWindows,   SystemCommand::spaceLeft,   SystemCommand::spaceRight,
        SystemCommand::sleepDisplay, SystemCommand::screenSaver, SystemCommand::darkMode,
        SystemCommand::brightnessUp, SystemCommand::brightnessDown,
    };
};

}  // namespace velorin

// Hashed by stored text, as the stored forms are.
template <>
struct std::hash<velorin::WindowCommand> {
    std::size_t operator()(velorin::WindowCommand c) const noexcept {
        return std::hash<std::string_view>{}(velorin::rawValue(c));
    }
};
template <>
struct std::hash<velorin::MediaKey> {
    std::size_t operator()(velorin::MediaKey k) const noexcept {
        return std::hash<std::string_view>{}(velorin::rawValue(k));
    }
};
template <>
struct std::hash<velorin::SystemCommand> {
    std::size_t operator()(velorin::SystemCommand c) const noexcept {
        return std::hash<std::string_view>{}(velorin::rawValue(c));
    }
};
