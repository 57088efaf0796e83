#pragma once
// App icons that also exist for apps that are not installed, and whether an
// app is installed. Views ask on every redraw, so every answer is kept for the
// life of the process: an app installed or removed meanwhile keeps the answer
// it got first. Main thread only.

#include <QImage>

#include <map>
#include <optional>
#include <string>

namespace velorin {

struct AppIcons {
    AppIcons() = delete;

    // The installed app's icon, else the one kept among the application's
    // resources ("PackIcons"), else absent.
    static std::optional<QImage> icon(const std::string& bundleID);
    static bool isInstalled(const std::string& bundleID);

    // Identifier → file name (without ".png") in "PackIcons".
    static const std::map<std::string, std::string>& bundledFiles();

private:
    static std::optional<QImage> bundled(const std::string& bundleID);
};

}  // namespace velorin
