#include "Platform/Linux/AppIdentity.h"

#include <algorithm>
#include <iterator>
#include <cctype>
#include <utility>

namespace velorin::linux_platform {
namespace {

constexpr std::string_view terminalApp = "com.apple.Terminal";

// Desktop entry ids and window classes of the Linux builds (distribution
// packages, vendor packages and Flatpaks) of apps the built-in packs name.
constexpr std::pair<std::string_view, std::string_view> counterparts[] = {
    {"google-chrome", "com.google.Chrome"},
    {"google-chrome-stable", "com.google.Chrome"},
    {"com.google.chrome", "com.google.Chrome"},
    {"firefox", "org.mozilla.firefox"},
    {"firefox-esr", "org.mozilla.firefox"},
    {"org.mozilla.firefox", "org.mozilla.firefox"},
    {"brave-browser", "com.brave.Browser"},
    {"com.brave.browser", "com.brave.Browser"},
    {"vivaldi-stable", "com.vivaldi.Vivaldi"},
    {"vivaldi", "com.vivaldi.Vivaldi"},
    {"zen", "app.zen-browser.zen"},
    {"app.zen_browser.zen", "app.zen-browser.zen"},
    {"code", "com.microsoft.VSCode"},
    {"code-oss", "com.microsoft.VSCode"},
    {"visual-studio-code", "com.microsoft.VSCode"},
    {"com.visualstudio.code", "com.microsoft.VSCode"},
    {"cursor", "com.todesktop.230313mzl4w4u92"},
    {"windsurf", "com.exafunction.windsurf"},
    {"zed", "dev.zed.Zed"},
    {"dev.zed.zed", "dev.zed.Zed"},
    {"jetbrains-idea", "com.jetbrains.intellij"},
    {"jetbrains-idea-ce", "com.jetbrains.intellij.ce"},
    {"jetbrains-pycharm", "com.jetbrains.pycharm"},
    {"jetbrains-pycharm-ce", "com.jetbrains.pycharm.ce"},
    {"jetbrains-clion", "com.jetbrains.CLion"},
    {"jetbrains-goland", "com.jetbrains.goland"},
    {"jetbrains-webstorm", "com.jetbrains.WebStorm"},
    {"jetbrains-phpstorm", "com.jetbrains.PhpStorm"},
    {"jetbrains-rider", "com.jetbrains.rider"},
    {"jetbrains-rubymine", "com.jetbrains.rubymine"},
    {"com.mitchellh.ghostty", "com.mitchellh.ghostty"},
    {"ghostty", "com.mitchellh.ghostty"},
    {"dev.warp.warp", "dev.warp.Warp-Stable"},
    {"warp-terminal", "dev.warp.Warp-Stable"},
    {"neovide", "com.neovide.neovide"},
    {"slack", "com.tinyspeck.slackmacgap"},
    {"com.slack.slack", "com.tinyspeck.slackmacgap"},
    {"discord", "com.hnc.Discord"},
    {"com.discordapp.discord", "com.hnc.Discord"},
    {"spotify", "com.spotify.client"},
    {"spotify-client", "com.spotify.client"},
    {"com.spotify.client", "com.spotify.client"},
    {"obsidian", "md.obsidian"},
    {"md.obsidian.obsidian", "md.obsidian"},
    {"notion-app", "notion.id"},
    {"notion", "notion.id"},
    {"linear", "com.linear"},
    {"figma-linux", "com.figma.Desktop"},
    {"figma", "com.figma.Desktop"},
    {"blender", "org.blenderfoundation.blender"},
    {"org.blender.blender", "org.blenderfoundation.blender"},
    {"unity", "com.unity3d.UnityEditor5.x"},
    {"unityeditor", "com.unity3d.UnityEditor5.x"},
    {"com.blackmagicdesign.resolve", "com.blackmagic-design.DaVinciResolve"},
    {"resolve", "com.blackmagic-design.DaVinciResolve"},
    {"davinci-resolve", "com.blackmagic-design.DaVinciResolve"},
    {"chatgpt", "com.openai.chat"},
    {"claude", "com.anthropic.claudefordesktop"},
    {"claude-desktop", "com.anthropic.claudefordesktop"},
    {"perplexity-comet", "ai.perplexity.comet"},
    {"arc", "company.thebrowser.Browser"},
    // Terminal emulators without a macOS build of their own stand for Terminal,
    // so the terminal pack applies to them.
    {"org.gnome.terminal", terminalApp},
    {"gnome-terminal", terminalApp},
    {"gnome-terminal-server", terminalApp},
    {"org.gnome.console", terminalApp},
    {"kgx", terminalApp},
    {"org.gnome.ptyxis", terminalApp},
    {"app.devsuite.ptyxis", terminalApp},
    {"org.kde.konsole", terminalApp},
    {"konsole", terminalApp},
    {"kitty", terminalApp},
    {"alacritty", terminalApp},
    {"org.alacritty.alacritty", terminalApp},
    {"foot", terminalApp},
    {"footclient", terminalApp},
    {"org.codeberg.dnkl.foot", terminalApp},
    {"org.wezfurlong.wezterm", terminalApp},
    {"wezterm", terminalApp},
    {"xterm", terminalApp},
    {"uxterm", terminalApp},
    {"debian-xterm", terminalApp},
    {"debian-uxterm", terminalApp},
    {"com.gexperts.tilix", terminalApp},
    {"tilix", terminalApp},
    {"terminator", terminalApp},
    {"xfce4-terminal", terminalApp},
    {"io.elementary.terminal", terminalApp},
    {"com.raggesilver.blackbox", terminalApp},
};

// The macOS identifiers of terminal emulators: the apps where command is
// pressed as Ctrl+Shift.
constexpr std::string_view terminalIdentifiers[] = {
    terminalApp,           "com.googlecode.iterm2",  "com.mitchellh.ghostty", "dev.warp.Warp-Stable",
    "net.kovidgoyal.kitty", "org.alacritty",         "com.github.wez.wezterm",
};

std::string lower(std::string_view s) {
    std::string out(s);
    for (auto& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) { return lower(a) == lower(b); }

}  // namespace

std::optional<std::string> knownBundleIdentifier(std::string_view name) {
    const std::string key = lower(name);
    for (const auto& [linuxName, bundle] : counterparts) {
        if (linuxName == key) return std::string(bundle);
    }
    return std::nullopt;
}

std::vector<std::string> counterpartIdentifiers() {
    std::vector<std::string> ids;
    for (const auto& [linuxName, bundle] : counterparts) {
        if (std::find(ids.begin(), ids.end(), bundle) == ids.end()) ids.emplace_back(bundle);
    }
    return ids;
}

bool isTerminalIdentifier(std::string_view bundleIdentifierText) {
    return std::find(std::begin(terminalIdentifiers), std::end(terminalIdentifiers), bundleIdentifierText) !=
           std::end(terminalIdentifiers);
}

std::string bundleIdentifier(const DesktopEntry& entry) {
    if (auto known = knownBundleIdentifier(entry.id)) return *known;
    if (!entry.startupWMClass.empty()) {
        if (auto known = knownBundleIdentifier(entry.startupWMClass)) return *known;
    }
    // Any other terminal emulator its entry declares as one.
    if (entry.terminalEmulator) return std::string(terminalApp);
    return entry.id;
}

const DesktopEntry* entryForWindowClass(const std::vector<DesktopEntry>& entries, std::string_view windowClass,
                                        std::string_view instance) {
    for (const auto& e : entries) {
        if (!e.startupWMClass.empty() && equalsIgnoringCase(e.startupWMClass, windowClass)) return &e;
    }
    for (const auto& e : entries) {
        const auto dot = e.id.rfind('.');
        const std::string_view last = dot == std::string::npos ? std::string_view(e.id)
                                                               : std::string_view(e.id).substr(dot + 1);
        for (std::string_view name : {windowClass, instance}) {
            if (!name.empty() && (equalsIgnoringCase(e.id, name) || equalsIgnoringCase(last, name))) return &e;
        }
    }
    return nullptr;
}

const DesktopEntry* entryForBundleIdentifier(const std::vector<DesktopEntry>& entries,
                                             std::string_view bundleIdentifierText) {
    for (const auto& e : entries) {
        if (bundleIdentifier(e) == bundleIdentifierText) return &e;
    }
    return nullptr;
}

}  // namespace velorin::linux_platform
