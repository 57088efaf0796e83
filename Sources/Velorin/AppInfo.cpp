#include "Velorin/AppInfo.h"

#include <QByteArray>
#include <QString>

#include "Platform/FileManager.h"
#include "Platform/Platform.h"
#include "Platform/Workspace.h"

namespace velorin {

namespace {

std::string withoutAppSuffix(std::string name) {
    static const std::string suffix = ".app";
    for (auto at = name.find(suffix); at != std::string::npos; at = name.find(suffix, at)) {
        name.erase(at, suffix.size());
    }
    return name;
}

std::string lastPiece(const std::string& bundleID) {
    const auto end = bundleID.find_last_not_of('.');
    if (end == std::string::npos) return bundleID;
    const auto dot = bundleID.rfind('.', end);
    const auto begin = dot == std::string::npos ? 0 : dot + 1;
    return bundleID.substr(begin, end + 1 - begin);
}

std::optional<QImage> decode(const Icon& icon) {
    QImage image;
    if (!icon.filePath.empty()) {
        image.load(QString::fromStdString(icon.filePath));
    } else if (!icon.encodedData.empty()) {
        image.loadFromData(reinterpret_cast<const uchar*>(icon.encodedData.data()),
                           static_cast<int>(icon.encodedData.size()));
    }
    if (image.isNull()) return std::nullopt;
    return image;
}

}  // namespace

const std::map<std::string, std::string>& AppInfo::knownNames() {
    static const std::map<std::string, std::string> names{
        {"com.anthropic.claudefordesktop", "Claude"},
        {"com.google.Chrome", "Chrome"},
        {"com.apple.Safari", "Safari"},
        {"company.thebrowser.dia", "Dia"},
        {"company.thebrowser.Browser", "Arc"},
        {"com.brave.Browser", "Brave"},
        {"com.microsoft.VSCode", "VS Code"},
        {"com.todesktop.230313mzl4w4u92", "Cursor"},
        {"dev.zed.Zed", "Zed"},
        {"com.exafunction.windsurf", "Windsurf"},
        {"com.neovide.neovide", "Neovim"},
        {"com.jetbrains.pycharm", "PyCharm"},
        {"com.jetbrains.pycharm.ce", "PyCharm CE"},
        {"com.jetbrains.intellij", "IntelliJ IDEA"},
        {"com.jetbrains.intellij.ce", "IntelliJ IDEA CE"},
        {"com.jetbrains.WebStorm", "WebStorm"},
        {"com.jetbrains.goland", "GoLand"},
        {"com.jetbrains.CLion", "CLion"},
        {"com.jetbrains.rider", "Rider"},
        {"com.jetbrains.PhpStorm", "PhpStorm"},
        {"com.jetbrains.rubymine", "RubyMine"},
        {"com.apple.dt.Xcode", "Xcode"},
        {"com.apple.iphonesimulator", "Simulator"},
        {"com.mitchellh.ghostty", "Ghostty"},
        {"com.apple.Terminal", "Terminal"},
        {"com.googlecode.iterm2", "iTerm2"},
        {"dev.warp.Warp-Stable", "Warp"},
        {"org.mozilla.firefox", "Firefox"},
        {"app.zen-browser.zen", "Zen"},
        {"com.vivaldi.Vivaldi", "Vivaldi"},
        {"ai.perplexity.comet", "Comet"},
        {"com.openai.atlas", "ChatGPT Atlas"},
        {"com.openai.codex", "ChatGPT"},
        {"com.openai.chat", "ChatGPT"},
        {"com.nousresearch.hermes.setup", "Hermes"},
        {"ai.openclaw.mac", "OpenClaw"},
        {"com.timpler.screenstudio", "Screen Studio"},
        {"org.blenderfoundation.blender", "Blender"},
        {"com.unity3d.UnityEditor5.x", "Unity"},
        {"com.figma.Desktop", "Figma"},
        {"com.apple.FinalCut", "Final Cut Pro"},
        {"com.apple.logic10", "Logic Pro"},
        {"com.blackmagic-design.DaVinciResolve", "DaVinci Resolve"},
        {"md.obsidian", "Obsidian"},
        {"notion.id", "Notion"},
        {"com.linear", "Linear"},
        {"com.tinyspeck.slackmacgap", "Slack"},
        {"com.hnc.Discord", "Discord"},
        {"com.spotify.client", "Spotify"},
    };
    return names;
}

std::string AppInfo::name(const std::string& bundleID) {
    const auto& known = knownNames();
    if (auto it = known.find(bundleID); it != known.end()) return it->second;
    auto& platform = platform::current();
    if (auto path = platform.workspace().urlForApplication(bundleID)) {
        return withoutAppSuffix(platform.fileManager().displayName(*path));
    }
    return lastPiece(bundleID);
}

std::optional<QImage> AppInfo::icon(const std::string& bundleID) {
    auto& workspace = platform::current().workspace();
    const auto path = workspace.urlForApplication(bundleID);
    if (!path) return std::nullopt;
    const auto icon = workspace.iconForFile(*path);
    if (!icon) return std::nullopt;
    return decode(*icon);
}

}  // namespace velorin
