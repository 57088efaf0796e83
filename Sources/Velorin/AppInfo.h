#pragma once
// The names and icons of apps, by bundle identifier. Packs, shortcuts and
// actions name apps by identifier; the user sees these names and icons.

#include <QImage>

#include <map>
#include <optional>
#include <string>

namespace velorin {

struct AppInfo {
    AppInfo() = delete;

    // The app's display name: the table of known names first, then the
    // installed app's own name (without ".app"), else the identifier's last
    // dot-separated piece, else the identifier itself. Never fails.
    static std::string name(const std::string& bundleID);

    // The installed app's icon, asked of the workspace every time; absent
    // when the app is not installed or its icon cannot be read.
    static std::optional<QImage> icon(const std::string& bundleID);

    // The names of well-known apps, whether installed or not.
    static const std::map<std::string, std::string>& knownNames();
};

}  // namespace velorin
