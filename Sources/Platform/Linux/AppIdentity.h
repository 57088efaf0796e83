#pragma once
// Apps are named by their macOS bundle identifier throughout the system, so the
// built-in packs apply to the Linux builds of the same apps. A Linux app is
// reported under the identifier of its macOS counterpart where it has a known
// one, and under its desktop entry id otherwise.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Linux/DesktopEntry.h"

namespace velorin::linux_platform {

// The macOS bundle identifier of a Linux app known by a desktop entry id or a
// window class (compared without regard to case); absent for unknown apps.
std::optional<std::string> knownBundleIdentifier(std::string_view desktopIdOrWindowClass);

// Every macOS identifier the table reports, once each.
std::vector<std::string> counterpartIdentifiers();

// Whether the app reported under this identifier is a terminal emulator.
bool isTerminalIdentifier(std::string_view bundleIdentifier);

// The identifier reported for a desktop entry: a known counterpart's, else
// Terminal's for a terminal emulator, else the entry's id.
std::string bundleIdentifier(const DesktopEntry& entry);

// The entry of a window with this class and instance name: the one whose
// StartupWMClass is the class, else whose id (or its last dotted part) is the
// class or the instance, compared without regard to case.
const DesktopEntry* entryForWindowClass(const std::vector<DesktopEntry>& entries, std::string_view windowClass,
                                        std::string_view instance);

// The entry reported under `bundleIdentifier`.
const DesktopEntry* entryForBundleIdentifier(const std::vector<DesktopEntry>& entries,
                                             std::string_view bundleIdentifier);

}  // namespace velorin::linux_platform
