#include "Velorin/AppIcons.h"

#include <QString>

#include "Platform/Bundle.h"
#include "Platform/Platform.h"
#include "Platform/Workspace.h"
#include "Velorin/AppInfo.h"

namespace velorin {

namespace {

// An entry holding no image is an answer too: the workspace is not asked again.
std::map<std::string, std::optional<QImage>>& iconCache() {
    static std::map<std::string, std::optional<QImage>> cache;
    return cache;
}

std::map<std::string, bool>& installedCache() {
    static std::map<std::string, bool> installed;
    return installed;
}

}  // namespace

const std::map<std::string, std::string>& AppIcons::bundledFiles() {
    static const std::map<std::string, std::string> files{
        {"company.thebrowser.Browser", "arc"},
        {"com.brave.Browser", "brave"},
        {"com.neovide.neovide", "neovim"},
        {"com.exafunction.windsurf", "windsurf"},
        {"ai.openclaw.mac", "openclaw"},
        {"com.apple.FinalCut", "finalcut"},
        {"com.apple.logic10", "logic"},
        {"com.tinyspeck.slackmacgap", "slack"},
        {"com.blackmagic-design.DaVinciResolve", "davinci"},
        {"com.microsoft.VSCode", "vscode"},
        {"com.figma.Desktop", "figma"},
        {"com.linear", "linear"},
        {"com.unity3d.UnityEditor5.x", "unity"},
        {"app.zen-browser.zen", "zen"},
    };
    return files;
}

std::optional<QImage> AppIcons::icon(const std::string& bundleID) {
    auto& cache = iconCache();
    if (auto it = cache.find(bundleID); it != cache.end()) return it->second;
    auto answer = AppInfo::icon(bundleID);
    if (!answer) answer = bundled(bundleID);
    cache.emplace(bundleID, answer);
    return answer;
}

bool AppIcons::isInstalled(const std::string& bundleID) {
    auto& installed = installedCache();
    if (auto it = installed.find(bundleID); it != installed.end()) return it->second;
    const bool answer = platform::current().workspace().urlForApplication(bundleID).has_value();
    installed.emplace(bundleID, answer);
    return answer;
}

std::optional<QImage> AppIcons::bundled(const std::string& bundleID) {
    const auto& files = bundledFiles();
    const auto it = files.find(bundleID);
    if (it == files.end()) return std::nullopt;
    const auto path = platform::current().bundle().pathForResource(it->second, "png", "PackIcons");
    if (!path) return std::nullopt;
    QImage image;
    if (!image.load(QString::fromStdString(*path)) || image.isNull()) return std::nullopt;
    return image;
}

}  // namespace velorin
