#pragma once
// What the pack visuals need to know of apps: an app's icon and its display
// name, by bundle identifier. The answers belong to the application's shell
// (its process-wide caches of icons and names), which lies above this
// library, so the views that show apps are handed the lookups by their owner.

#include <QImage>

#include <functional>
#include <optional>
#include <string>

namespace velorin {

struct AppLookup {
    // The app's icon, if one can be found; absent (or unset) gives none.
    std::function<std::optional<QImage>(const std::string& bundleID)> icon;
    // The app's display name; unset gives the empty name.
    std::function<std::string(const std::string& bundleID)> name;

    std::optional<QImage> iconFor(const std::string& bundleID) const { return icon ? icon(bundleID) : std::nullopt; }
    std::string nameFor(const std::string& bundleID) const { return name ? name(bundleID) : std::string(); }
};

}  // namespace velorin
