#pragma once
// The settings window's tabs, in the order of its tab bar.

#include <array>

namespace velorin {

enum class SettingsTab { packs, shortcuts, sensitivity, trackpad, general, about };

inline constexpr std::array<SettingsTab, 6> allSettingsTabs{
    SettingsTab::packs,    SettingsTab::shortcuts, SettingsTab::sensitivity,
    SettingsTab::trackpad, SettingsTab::general,   SettingsTab::about,
};

}  // namespace velorin
