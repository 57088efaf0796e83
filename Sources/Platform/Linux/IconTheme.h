#pragma once
// The icon a desktop entry's Icon= names, found as the desktop finds it: an
// absolute path as it is; a name in the user's icon theme, then in the themes
// it inherits (the index.theme chain, each theme once), then in hicolor, then
// in the pixmaps folders; within a theme, from the directory whose sizes
// (Size, Type, MinSize, MaxSize, Threshold of index.theme) lie closest to the
// size asked for. Qt's icon loader keeps those rules; this points it at the
// session's folders and theme and takes the picture it chooses.

#include <optional>
#include <string>
#include <vector>

#include "Platform/Workspace.h"

namespace velorin::linux_platform {

struct IconSearch {
    std::vector<std::string> themeFolders;   // where themes live, the first winning
    std::vector<std::string> pixmapFolders;  // icons that belong to no theme
    std::string theme;                       // the user's theme

    // For a session whose data folders are `dataFolders` ($XDG_DATA_HOME, then
    // $XDG_DATA_DIRS): ~/.icons, then each data folder's icons and pixmaps.
    static IconSearch forSession(const std::vector<std::string>& dataFolders, const std::string& home,
                                 std::string theme);
    // The theme the desktop chose, as Qt reads it; hicolor where it names none.
    static std::string currentTheme();
};

// The icon drawn at `pixels` square (encoded as PNG), or the file an absolute
// path names; nothing when no icon is found. A name is looked up only while
// the Qt application runs, which draws the picture.
std::optional<Icon> findIcon(const std::string& icon, const IconSearch& search, int pixels);

}  // namespace velorin::linux_platform
