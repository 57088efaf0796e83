#pragma once
// What the menu-command picker lists, worked out afresh from the workspace's
// running apps and the chosen app's scanned commands: which apps it offers,
// which commands a search keeps, how they group under their top-level menus
// and how a row reads. Plain functions, no widgets.

#include <string>
#include <string_view>
#include <vector>

#include "Actions/MenuScanner.h"
#include "Platform/Workspace.h"

namespace velorin {

// One section of the command list: a top-level menu's title and its commands.
struct CommandGroup {
    std::string title;
    std::vector<ScannedCommand> commands;
    bool operator==(const CommandGroup&) const = default;
};

struct MenuCommandList {
    MenuCommandList() = delete;

    // The apps the picker offers: regular apps with a bundle identifier (this
    // app too), limited to `allowed` unless it is empty, sorted by name in
    // code-point order (a missing name sorts as ""), equal names keeping the
    // workspace's order.
    static std::vector<RunningApplication> runningApps(const std::vector<RunningApplication>& all,
                                                       const std::vector<std::string>& allowed);

    // The query with spaces and tabs trimmed from both ends; line breaks stay.
    static std::string trimmedQuery(std::string_view query);
    // The commands whose path, joined with single spaces, contains the
    // trimmed query ignoring letter case; all of them for an empty one.
    static std::vector<ScannedCommand> shown(const std::vector<ScannedCommand>& commands, std::string_view query);
    // `shown` by top-level menu title ("" for an empty path), groups in the
    // order their title first occurs, commands in list order.
    static std::vector<CommandGroup> groups(const std::vector<ScannedCommand>& shown);

    // A row's text: the path below its top-level menu, joined with " ▸ ".
    static std::string rowText(const ScannedCommand& command);
    // The app chooser's entry: the app's name, else its bundle identifier, else "".
    static std::string chooserText(const RunningApplication& app);
};

}  // namespace velorin
