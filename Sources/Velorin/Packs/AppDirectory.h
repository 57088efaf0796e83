#pragma once
// What the packs browser asks about apps: whether one is installed and the
// name the user knows it by. The running app answers through AppIcons and
// AppInfo (cached for the process); tests hand in their own answers.

#include <functional>
#include <string>

namespace velorin {

struct AppDirectory {
    std::function<bool(const std::string& bundleID)> isInstalled;
    std::function<std::string(const std::string& bundleID)> name;

    // AppIcons::isInstalled and AppInfo::name.
    static const AppDirectory& system();
};

}  // namespace velorin
