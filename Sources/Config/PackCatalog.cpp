#include "Config/PackCatalog.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <unordered_map>

#include "Config/PackRows.h"

namespace velorin {
namespace {

using Category = Pack::Category;

// Slot tables of the packs that do not use the standard five.
const std::vector<Gesture>& everydayMacSlots() {
    static const std::vector<Gesture> table{Gesture::hold(3), Gesture::cornerTap(Gesture::Corner::topRight),
                                            Gesture::cornerTap(Gesture::Corner::topLeft), Gesture::tap(5, 1),
                                            Gesture::hold(5)};
    return table;
}
const std::vector<Gesture>& openClawSlots() {
    static const std::vector<Gesture> table{Gesture::tap(3, 2), Gesture::hold(3)};
    return table;
}
const std::vector<Gesture>& zenSlots() {
    static const std::vector<Gesture> table{Gesture::tap(3, 1), Gesture::tap(3, 3), Gesture::tap(4, 1),
                                            Gesture::tap(4, 2)};
    return table;
}
const std::vector<Gesture>& neovimSlots() {
    static const std::vector<Gesture> table{Gesture::tap(3, 1), Gesture::hold(3), Gesture::tap(4, 1),
                                            Gesture::tap(4, 2)};
    return table;
}
const std::vector<Gesture>& threeSlots() {  // comet and discord
    static const std::vector<Gesture> table{Gesture::tap(3, 1), Gesture::tap(4, 1), Gesture::tap(4, 2)};
    return table;
}

struct Entry {
    PackCatalog::Definition definition;
    PackCatalog::Rows (*rows)();
};

Entry entry(std::string id, std::string name, Category category, std::string symbol, std::vector<std::string> apps,
            std::string summary, PackCatalog::Rows (*rows)(), const std::vector<Gesture>& slots = PackCatalog::slots()) {
    return Entry{{std::move(id), std::move(name), std::move(summary), std::move(symbol), std::move(apps), category,
                  slots},
                 rows};
}

// chrome and brave: one set of rows, the browser's name in the summary.
Entry chromium(std::string id, std::string name, std::string bundleID) {
    std::string summary = "New tab, address bar, search tabs, reopen and close tabs in " + name + ".";
    return entry(std::move(id), std::move(name), Category::browsers, "globe", {std::move(bundleID)},
                 std::move(summary), packrows::chromium);
}

std::vector<Entry> entries() {
    using App = PackCatalog::App;
    const std::string code = "chevron.left.forwardslash.chevron.right";
    std::vector<Entry> e;
    e.reserve(36);
    // general
    e.push_back(entry("everyday-mac", "Everyday Mac", Category::general, "apple.logo", {},
                      "Mission Control, Spotlight, screenshots, play/pause and lock screen, in every app.",
                      packrows::everydayMac, everydayMacSlots()));
    e.push_back(entry("terminal", "Terminal", Category::general, "terminal", App::terminals(),
                      "New tab, split, clear, interrupt and next tab in Ghostty, Terminal, iTerm2 and Warp.",
                      packrows::terminal));
    // ai
    e.push_back(entry("claude", "Claude", Category::ai, "sparkles", {"com.anthropic.claudefordesktop"},
                      "New session, command palette, terminal, and previous or next session in Claude.",
                      packrows::claude));
    e.push_back(entry("chatgpt", "ChatGPT", Category::ai, "bubble.left.and.text.bubble.right", App::chatGPT(),
                      "New chat, temporary chat, sidebar, and previous or next chat in ChatGPT (with Codex).",
                      packrows::chatGPT));
    e.push_back(entry("hermes", "Hermes", Category::ai, "bolt.horizontal", {"com.nousresearch.hermes.setup"},
                      "New session, command palette, terminal, sidebar and close tab in the Hermes agent.",
                      packrows::hermes));
    e.push_back(entry("openclaw", "OpenClaw", Category::ai, "ant", {"ai.openclaw.mac"},
                      "Quick Chat with your OpenClaw agent from anywhere, and its settings.", packrows::openClaw,
                      openClawSlots()));
    // browsers
    e.push_back(chromium("chrome", "Chrome", "com.google.Chrome"));
    e.push_back(entry("safari", "Safari", Category::browsers, "safari", {"com.apple.Safari"},
                      "New tab, address bar, tab overview, reopen and close tabs in Safari.", packrows::safari));
    e.push_back(entry("dia", "Dia", Category::browsers, "globe", {"company.thebrowser.dia"},
                      "Chat, command bar, search tabs, reopen and close tabs in Dia.", packrows::dia));
    e.push_back(entry("arc", "Arc", Category::browsers, "globe", {"company.thebrowser.Browser"},
                      "Command bar, copy URL, sidebar, reopen and close tabs in Arc.", packrows::arc));
    e.push_back(chromium("brave", "Brave", "com.brave.Browser"));
    e.push_back(entry("firefox", "Firefox", Category::browsers, "globe", {"org.mozilla.firefox"},
                      "New tab, address bar, private window, reopen and close tabs in Firefox.", packrows::firefox));
    e.push_back(entry("zen", "Zen", Category::browsers, "globe", {"app.zen-browser.zen"},
                      "New tab, address bar, reopen and close tabs in Zen.", packrows::zen, zenSlots()));
    e.push_back(entry("vivaldi", "Vivaldi", Category::browsers, "globe", {"com.vivaldi.Vivaldi"},
                      "New tab, Quick Commands, address bar, reopen and close tabs in Vivaldi.", packrows::vivaldi));
    e.push_back(entry("comet", "Comet", Category::browsers, "globe", {"ai.perplexity.comet"},
                      "New tab, reopen and close tabs in Comet; its Assistant is in the library.", packrows::comet,
                      threeSlots()));
    e.push_back(entry("atlas", "ChatGPT Atlas", Category::browsers, "globe", {"com.openai.atlas"},
                      "New tab, Ask ChatGPT sidebar, search tabs, reopen and close tabs in ChatGPT Atlas.",
                      packrows::atlas));
    // code
    e.push_back(entry("vscode", "VS Code", Category::code, code, {"com.microsoft.VSCode"},
                      "Commands, quick open, terminal, sidebar and split editor in VS Code.", packrows::vsCode));
    e.push_back(entry("cursor", "Cursor", Category::code, code, {"com.todesktop.230313mzl4w4u92"},
                      "New agent, command palette, terminal, changes and files in Cursor.", packrows::cursor));
    e.push_back(entry("zed", "Zed", Category::code, code, {"dev.zed.Zed"},
                      "Command palette, go to file, agent panel, left and bottom docks in Zed.", packrows::zed));
    e.push_back(entry("windsurf", "Windsurf", Category::code, code, {"com.exafunction.windsurf"},
                      "Command palette, quick open, Cascade, sidebar and terminal in Windsurf.", packrows::windsurf));
    e.push_back(entry("jetbrains", "JetBrains IDEs", Category::code, code, App::jetBrains(),
                      "Find action, go to file, terminal, recent files and run in PyCharm, IntelliJ and the other "
                      "JetBrains IDEs.",
                      packrows::jetBrains));
    e.push_back(entry("neovim", "Neovim", Category::code, code, {"com.neovide.neovide"},
                      "Command line, jump back, normal mode and undo in Neovide.", packrows::neovim, neovimSlots()));
    e.push_back(entry("xcode", "Xcode & Simulator", Category::code, "hammer", {"com.apple.dt.Xcode"},
                      "Run, open quickly, navigator, stop and build in Xcode.", packrows::xcode));
    // creative
    e.push_back(entry("screen-studio", "Screen Studio", Category::creative, "record.circle",
                      {"com.timpler.screenstudio"},
                      "New recording, record an area, display or window, and open the last project in Screen Studio.",
                      packrows::screenStudio));
    e.push_back(entry("blender", "Blender", Category::creative, "cube", {"org.blenderfoundation.blender"},
                      "Edit mode, menu search, play animation, undo and redo in Blender.", packrows::blender));
    e.push_back(entry("unity", "Unity", Category::creative, "cube.transparent", {"com.unity3d.UnityEditor5.x"},
                      "Play, pause, frame the selection, undo and redo in the Unity editor.", packrows::unity));
    e.push_back(entry("figma", "Figma", Category::creative, "pencil.and.outline", {"com.figma.Desktop"},
                      "Actions, auto layout, zoom to fit, undo and redo in Figma.", packrows::figma));
    e.push_back(entry("final-cut", "Final Cut Pro", Category::creative, "film", {"com.apple.FinalCut"},
                      "Play, blade, add marker, undo and redo in Final Cut Pro.", packrows::finalCut));
    e.push_back(entry("logic", "Logic Pro", Category::creative, "pianokeys", {"com.apple.logic10"},
                      "Play, record, split at the playhead, undo and redo in Logic Pro.", packrows::logic));
    e.push_back(entry("davinci", "DaVinci Resolve", Category::creative, "film.stack",
                      {"com.blackmagic-design.DaVinciResolve"},
                      "Play, split clip, add marker, undo and redo in DaVinci Resolve.", packrows::davinci));
    // work
    e.push_back(entry("obsidian", "Obsidian", Category::work, "diamond", {"md.obsidian"},
                      "Command palette, quick switcher, reading view, back and forward in Obsidian.",
                      packrows::obsidian));
    e.push_back(entry("notion", "Notion", Category::work, "doc.text", {"notion.id"},
                      "Search, new page, sidebar, back and forward in Notion.", packrows::notion));
    e.push_back(entry("linear", "Linear", Category::work, "line.diagonal", {"com.linear"},
                      "Command menu, new issue, search, close and sidebar in Linear.", packrows::linear));
    // social
    e.push_back(entry("slack", "Slack", Category::social, "number", {"com.tinyspeck.slackmacgap"},
                      "Jump to, unreads, threads, back and activity in Slack.", packrows::slack));
    e.push_back(entry("discord", "Discord", Category::social, "headphones", {"com.hnc.Discord"},
                      "Quick switcher, mute and deafen in Discord.", packrows::discord, threeSlots()));
    e.push_back(entry("spotify", "Spotify", Category::social, "music.note", {"com.spotify.client"},
                      "Play, search, shuffle, previous and next in Spotify.", packrows::spotify));
    return e;
}

// Indexes into all(), in catalog order.
enum Index : std::size_t {
    iEverydayMac,
    iTerminal,
    iClaude,
    iChatGPT,
    iHermes,
    iOpenClaw,
    iChrome,
    iSafari,
    iDia,
    iArc,
    iBrave,
    iFirefox,
    iZen,
    iVivaldi,
    iComet,
    iAtlas,
    iVsCode,
    iCursor,
    iZed,
    iWindsurf,
    iJetBrains,
    iNeovim,
    iXcode,
    iScreenStudio,
    iBlender,
    iUnity,
    iFigma,
    iFinalCut,
    iLogic,
    iDavinci,
    iObsidian,
    iNotion,
    iLinear,
    iSlack,
    iDiscord,
    iSpotify,
    packCount,
};

}  // namespace

const PackCatalog::Item& PackCatalog::undo() {
    static const Item item{"Undo", Action::keystroke(KeyCombo(6, cmd)), false};
    return item;
}

const PackCatalog::Item& PackCatalog::redo() {
    static const Item item{"Redo", Action::keystroke(KeyCombo(6, shiftCmd)), false};
    return item;
}

const std::vector<std::string>& PackCatalog::App::terminals() {
    static const std::vector<std::string> ids{"com.mitchellh.ghostty", "com.apple.Terminal", "com.googlecode.iterm2",
                                              "dev.warp.Warp-Stable"};
    return ids;
}

const std::vector<std::string>& PackCatalog::App::chatGPT() {
    static const std::vector<std::string> ids{"com.openai.codex", "com.openai.chat"};
    return ids;
}

const std::vector<std::string>& PackCatalog::App::jetBrains() {
    static const std::vector<std::string> ids{
        "com.jetbrains.pycharm", "com.jetbrains.pycharm.ce", "com.jetbrains.intellij", "com.jetbrains.intellij.ce",
        "com.jetbrains.WebStorm", "com.jetbrains.goland", "com.jetbrains.CLion", "com.jetbrains.rider",
        "com.jetbrains.PhpStorm", "com.jetbrains.rubymine"};
    return ids;
}

const std::vector<Gesture>& PackCatalog::slots() {
    static const std::vector<Gesture> table{Gesture::tap(3, 1), Gesture::tap(3, 3), Gesture::hold(3),
                                            Gesture::tap(4, 1), Gesture::tap(4, 2)};
    return table;
}

const std::vector<Gesture>& PackCatalog::spare() {
    static const std::vector<Gesture> table{Gesture::tap(5, 1), Gesture::hold(4),    Gesture::tap(4, 3),
                                            Gesture::tap(5, 2), Gesture::tap(5, 3), Gesture::hold(5)};
    return table;
}

const std::map<std::string, std::vector<std::string>, std::less<>>& PackCatalog::replaced() {
    static const std::map<std::string, std::vector<std::string>, std::less<>> table{
        {"browser", {"chrome", "safari", "dia", "arc", "brave"}},
        {"code-editors", {"vscode", "cursor", "zed", "windsurf", "jetbrains", "neovim"}},
    };
    return table;
}

std::uint64_t PackCatalog::hashValueStable(std::string_view text) {
    // FNV-1a steps from this program's own starting value, then one bit dropped so
    // the result is never negative as a signed number.
    std::uint64_t h = 1469598103934665603ull;
    for (unsigned char b : text) h = (h ^ b) * 1099511628211ull;
    return h >> 1;
}

Uuid PackCatalog::stableId(std::string_view packId, std::int64_t n) {
    const std::uint64_t h = hashValueStable(packId);  // below 2^63: its own magnitude
    const std::uint64_t v = (static_cast<std::uint64_t>(n) + 31 * h) & 0xFFFFFFFFFFFFull;
    // Only the low 32 bits reach the text: the first four of the twelve digits are always 0.
    char text[40];
    std::snprintf(text, sizeof text, "7A9D0000-0000-4000-8000-0000%08" PRIX32, static_cast<std::uint32_t>(v));
    return *Uuid::parse(text);
}

Pack PackCatalog::make(const Definition& d, const Rows& rows) {
    if (rows.bindings.size() > d.slots.size()) {
        throw std::logic_error("Pack " + d.id + " has more shortcut rows than gestures in its slot table");
    }
    auto bindingOf = [&](const Item& item, std::int64_t n, Gesture gesture, bool enabled) {
        return Binding{.id = stableId(d.id, n),
                       .gesture = gesture,
                       .action = item.action,
                       .enabled = enabled,
                       .apps = item.global ? std::vector<std::string>{} : d.apps,
                       .title = item.title};
    };
    Pack p;
    p.id = d.id;
    p.name = d.name;
    p.summary = d.summary;
    p.symbol = d.symbol;
    p.apps = d.apps;
    for (std::size_t i = 0; i < rows.bindings.size(); ++i) {
        p.bindings.push_back(bindingOf(rows.bindings[i], static_cast<std::int64_t>(i + 1), d.slots[i], true));
    }
    const auto& spares = spare();
    for (std::size_t k = 0; k < rows.library.size(); ++k) {
        p.library.push_back(
            bindingOf(rows.library[k], static_cast<std::int64_t>(100 + k), spares[k % spares.size()], false));
    }
    p.iconApps = d.apps;
    p.category = d.category;
    p.custom = false;
    p.accent = std::nullopt;
    return p;
}

const std::vector<Pack>& PackCatalog::all() {
    static const std::vector<Pack> packs = [] {
        std::vector<Pack> out;
        out.reserve(packCount);
        for (const Entry& e : entries()) out.push_back(make(e.definition, e.rows()));
        return out;
    }();
    return packs;
}

const Pack* PackCatalog::pack(std::string_view id) {
    static const std::unordered_map<std::string_view, const Pack*> index = [] {
        std::unordered_map<std::string_view, const Pack*> out;
        for (const Pack& p : all()) out.try_emplace(p.id, &p);  // the first pack with an id wins
        return out;
    }();
    auto it = index.find(id);
    return it == index.end() ? nullptr : it->second;
}

const Pack& PackCatalog::everydayMac() { return all()[iEverydayMac]; }
const Pack& PackCatalog::terminal() { return all()[iTerminal]; }
const Pack& PackCatalog::claude() { return all()[iClaude]; }
const Pack& PackCatalog::chatGPT() { return all()[iChatGPT]; }
const Pack& PackCatalog::hermes() { return all()[iHermes]; }
const Pack& PackCatalog::openClaw() { return all()[iOpenClaw]; }
const Pack& PackCatalog::chrome() { return all()[iChrome]; }
const Pack& PackCatalog::safari() { return all()[iSafari]; }
const Pack& PackCatalog::dia() { return all()[iDia]; }
const Pack& PackCatalog::arc() { return all()[iArc]; }
const Pack& PackCatalog::brave() { return all()[iBrave]; }
const Pack& PackCatalog::firefox() { return all()[iFirefox]; }
const Pack& PackCatalog::zen() { return all()[iZen]; }
const Pack& PackCatalog::vivaldi() { return all()[iVivaldi]; }
const Pack& PackCatalog::comet() { return all()[iComet]; }
const Pack& PackCatalog::atlas() { return all()[iAtlas]; }
const Pack& PackCatalog::vsCode() { return all()[iVsCode]; }
const Pack& PackCatalog::cursor() { return all()[iCursor]; }
const Pack& PackCatalog::zed() { return all()[iZed]; }
const Pack& PackCatalog::windsurf() { return all()[iWindsurf]; }
const Pack& PackCatalog::jetBrains() { return all()[iJetBrains]; }
const Pack& PackCatalog::neovim() { return all()[iNeovim]; }
const Pack& PackCatalog::xcode() { return all()[iXcode]; }
const Pack& PackCatalog::screenStudio() { return all()[iScreenStudio]; }
const Pack& PackCatalog::blender() { return all()[iBlender]; }
const Pack& PackCatalog::unity() { return all()[iUnity]; }
const Pack& PackCatalog::figma() { return all()[iFigma]; }
const Pack& PackCatalog::finalCut() { return all()[iFinalCut]; }
const Pack& PackCatalog::logic() { return all()[iLogic]; }
const Pack& PackCatalog::davinci() { return all()[iDavinci]; }
const Pack& PackCatalog::obsidian() { return all()[iObsidian]; }
const Pack& PackCatalog::notion() { return all()[iNotion]; }
const Pack& PackCatalog::linear() { return all()[iLinear]; }
const Pack& PackCatalog::slack() { return all()[iSlack]; }
const Pack& PackCatalog::discord() { return all()[iDiscord]; }
const Pack& PackCatalog::spotify() { return all()[iSpotify]; }

}  // namespace velorin
