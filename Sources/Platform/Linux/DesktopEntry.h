#pragma once
// Desktop entries (the .desktop files that name installed apps): reading the
// few keys the workspace needs, and turning Exec= into an argument list.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velorin::linux_platform {

struct DesktopEntry {
    std::string id;    // the file's name without ".desktop" ("org.mozilla.firefox")
    std::string path;  // absolute path of the file
    std::string name;
    std::string exec;
    std::string icon;
    std::string startupWMClass;
    bool hidden = false;   // NoDisplay: installed, but not listed
    bool deleted = false;  // Hidden: the user removed it, which also hides the same id further down
    bool autostartOff = false;
    bool terminalEmulator = false;  // Categories= holds TerminalEmulator  // X-GNOME-Autostart-enabled=false: an autostart entry switched off
    bool operator==(const DesktopEntry&) const = default;
};

// Reads the [Desktop Entry] group; absent when the text has none or is not an
// application entry.
std::optional<DesktopEntry> parseDesktopEntry(std::string_view text, std::string id, std::string path);

// The program and its arguments of an Exec= value: quoting and escapes
// undone, field codes (%f, %U, %i, …) dropped, "%%" kept as "%". Absent when
// the value is malformed (an open quote) or empty.
std::optional<std::vector<std::string>> execArguments(std::string_view exec);

// The folders that hold desktop entries, most important first:
// $XDG_DATA_HOME/applications, then each of $XDG_DATA_DIRS.
std::vector<std::string> applicationFolders();

// Every application entry of those folders; an id found twice keeps its
// first, and a deleted first one leaves the id out.
std::vector<DesktopEntry> installedEntries(const std::vector<std::string>& folders);

}  // namespace velorin::linux_platform
