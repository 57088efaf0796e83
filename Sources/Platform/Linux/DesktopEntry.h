#pragma once
// Desktop entries (the .desktop files that name installed apps): reading the
// few keys the workspace needs, and turning Exec= into an argument list.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
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
    bool terminalEmulator = false;  // Categories= holds TerminalEmulator
    std::string tryExec{};          // a program that must be installed for the entry to count
    std::string workingDirectory{}; // Path=: the folder the program starts in
    bool terminal = false;          // Terminal=true: runs inside a terminal emulator
    bool dbusActivatable = false;   // DBusActivatable=true: started over D-Bus under its id
    bool startupNotify = false;     // StartupNotify=true: the app ends its launch feedback itself
    // Name[locale]= values: the locale as the key writes it ("de", "pt_BR", "sr@latin") and its name.
    std::vector<std::pair<std::string, std::string>> localizedNames{};
    bool operator==(const DesktopEntry&) const = default;
};

// A desktop entry's id: its path below the applications folder that holds it,
// with "/" as "-" (kde4/foo.desktop is "kde4-foo"); the file's own name
// outside those folders.
std::string desktopEntryId(const std::string& path, const std::vector<std::string>& folders);

// Reads and parses the entry at `path`, its id as above.
std::optional<DesktopEntry> readDesktopEntry(const std::string& path, const std::vector<std::string>& folders);

// Reads the [Desktop Entry] group; absent when the text has none or is not an
// application entry.
std::optional<DesktopEntry> parseDesktopEntry(std::string_view text, std::string id, std::string path);

// The user's locale for messages: LC_ALL, else LC_MESSAGES, else LANG ("" when none is set).
std::string messagesLocale();

// The entry's Name in `locale` ("lang_COUNTRY.ENCODING@MODIFIER", each part but
// the language optional): the first of Name[lang_COUNTRY@MODIFIER],
// Name[lang_COUNTRY], Name[lang@MODIFIER] and Name[lang] the entry has, else its
// plain Name.
std::string translatedName(const DesktopEntry& entry, std::string_view locale);

// What the entry's field codes stand for: %i gives "--icon" and the icon, %c
// the name, %k the entry's location; each gives nothing when empty.
struct FieldValues {
    std::string icon, name, location;
};

// The program and its arguments of an Exec= value: quoting and escapes
// undone, %i %c %k expanded, the file and address codes (%f, %U, …) and the
// deprecated ones dropped, "%%" kept as "%". Absent when the value is
// malformed (an open quote) or empty.
std::optional<std::vector<std::string>> execArguments(std::string_view exec, const FieldValues& values = {});

// Whether a program is installed: an absolute path that can be run, or a
// name found so on PATH.
using ProgramFinder = std::function<bool(const std::string& program)>;
bool isInstalledProgram(const std::string& program);

// How to start the entry's app: its program and arguments (inside a terminal
// emulator for Terminal=true, the first of the usual ones that is installed),
// `extra` after its own, in the folder Path= names; %c gives the name in
// `locale`. Absent when Exec= is malformed, or a terminal is needed and none
// is installed.
struct EntryLaunch {
    std::string program;
    std::vector<std::string> arguments;
    std::optional<std::string> workingDirectory;
    bool operator==(const EntryLaunch&) const = default;
};
std::optional<EntryLaunch> entryLaunch(const DesktopEntry& entry, const std::vector<std::string>& extra,
                                       const ProgramFinder& installed = isInstalledProgram,
                                       const std::string& locale = messagesLocale());

// The folders that hold desktop entries, most important first:
// $XDG_DATA_HOME/applications, then each of $XDG_DATA_DIRS.
std::vector<std::string> applicationFolders();

// Every application entry of those folders; an id found twice keeps its
// first, and a deleted first one leaves the id out. An entry whose TryExec
// program is not installed does not count.
std::vector<DesktopEntry> installedEntries(const std::vector<std::string>& folders,
                                           const ProgramFinder& installed = isInstalledProgram);

}  // namespace velorin::linux_platform
