#include "Config/PackCatalog.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

using namespace velorin;

namespace {

PackCatalog::Item row(std::string title, bool global = false) {
    return {std::move(title), Action::keystroke(KeyCombo(6, PackCatalog::cmd)), global};
}

PackCatalog::Definition definition(std::string id, std::vector<std::string> apps = {"com.example.app"}) {
    return {std::move(id), "Example", "Summary.", "globe", std::move(apps), Pack::Category::code, PackCatalog::slots()};
}

}  // namespace

TEST(PackCatalogHash, matchesTheFixedValues) {
    struct Case {
        const char* text;
        std::uint64_t expected;
    };
    const Case cases[] = {
        {"", 0x0A3287D839CE81C1ull},
        {"claude", 6385639859093531416ull},
        {"abc", 8121116751872937854ull},
    };
    for (const auto& c : cases) EXPECT_EQ(PackCatalog::hashValueStable(c.text), c.expected) << c.text;
}

TEST(PackCatalogHash, isNeverNegativeAsASignedNumber) {
    for (const char* text : {"", "a", "everyday-mac", "screen-studio", "\xff\xfe"}) {
        EXPECT_LT(PackCatalog::hashValueStable(text), 1ull << 63) << text;
    }
}

TEST(PackCatalogStableId, matchesTheFixedIdentifiers) {
    struct Case {
        const char* pack;
        std::int64_t n;
        const char* expected;
    };
    const Case cases[] = {
        {"claude", 1, "7A9D0000-0000-4000-8000-00009234F7E9"},
        {"claude", 2, "7A9D0000-0000-4000-8000-00009234F7EA"},
        {"claude", 100, "7A9D0000-0000-4000-8000-00009234F84C"},
        {"claude", 107, "7A9D0000-0000-4000-8000-00009234F853"},
        {"everyday-mac", 1, "7A9D0000-0000-4000-8000-000066526AFA"},
    };
    for (const auto& c : cases) EXPECT_EQ(PackCatalog::stableId(c.pack, c.n).string(), c.expected) << c.pack << c.n;
}

TEST(PackCatalogStableId, lastGroupAlwaysStartsWithFourZeros) {
    for (const Pack& p : PackCatalog::all()) {
        for (std::int64_t n : {1, 5, 100, 110}) {
            const std::string text = PackCatalog::stableId(p.id, n).string();
            EXPECT_EQ(text.substr(0, 28), "7A9D0000-0000-4000-8000-0000") << p.id << " " << n;
        }
    }
}

TEST(PackCatalogTable, holdsTheThirtySixPacksInCatalogOrder) {
    const std::vector<std::string> expected{
        "everyday-mac", "terminal", "claude",   "chatgpt",  "hermes",    "openclaw",      "chrome",  "safari",
        "dia",          "arc",      "brave",    "firefox",  "zen",       "vivaldi",       "comet",   "atlas",
        "vscode",       "cursor",   "zed",      "windsurf", "jetbrains", "neovim",        "xcode",   "screen-studio",
        "blender",      "unity",    "figma",    "final-cut", "logic",    "davinci",       "obsidian", "notion",
        "linear",       "slack",    "discord",  "spotify"};
    std::vector<std::string> ids;
    for (const Pack& p : PackCatalog::all()) ids.push_back(p.id);
    EXPECT_EQ(ids, expected);
}

TEST(PackCatalogTable, eachPackHasItsNameCategorySymbolAppsAndSummary) {
    using Category = Pack::Category;
    struct Case {
        const char* id;
        const char* name;
        Category category;
        const char* symbol;
        std::vector<std::string> apps;  // decide where the pack's rows work
        const char* summary;
    };
    const Case cases[] = {
        {"everyday-mac", "Everyday Mac", Category::general, "apple.logo", {},
         "Mission Control, Spotlight, screenshots, play/pause and lock screen, in every app."},
        {"terminal", "Terminal", Category::general, "terminal",
         {"com.mitchellh.ghostty", "com.apple.Terminal", "com.googlecode.iterm2", "dev.warp.Warp-Stable"},
         "New tab, split, clear, interrupt and next tab in Ghostty, Terminal, iTerm2 and Warp."},
        {"claude", "Claude", Category::ai, "sparkles", {"com.anthropic.claudefordesktop"},
         "New session, command palette, terminal, and previous or next session in Claude."},
        {"chatgpt", "ChatGPT", Category::ai, "bubble.left.and.text.bubble.right",
         {"com.openai.codex", "com.openai.chat"},
         "New chat, temporary chat, sidebar, and previous or next chat in ChatGPT (with Codex)."},
        {"hermes", "Hermes", Category::ai, "bolt.horizontal", {"com.nousresearch.hermes.setup"},
         "New session, command palette, terminal, sidebar and close tab in the Hermes agent."},
        {"openclaw", "OpenClaw", Category::ai, "ant", {"ai.openclaw.mac"},
         "Quick Chat with your OpenClaw agent from anywhere, and its settings."},
        {"chrome", "Chrome", Category::browsers, "globe", {"com.google.Chrome"},
         "New tab, address bar, search tabs, reopen and close tabs in Chrome."},
        {"safari", "Safari", Category::browsers, "safari", {"com.apple.Safari"},
         "New tab, address bar, tab overview, reopen and close tabs in Safari."},
        {"dia", "Dia", Category::browsers, "globe", {"company.thebrowser.dia"},
         "Chat, command bar, search tabs, reopen and close tabs in Dia."},
        {"arc", "Arc", Category::browsers, "globe", {"company.thebrowser.Browser"},
         "Command bar, copy URL, sidebar, reopen and close tabs in Arc."},
        {"brave", "Brave", Category::browsers, "globe", {"com.brave.Browser"},
         "New tab, address bar, search tabs, reopen and close tabs in Brave."},
        {"firefox", "Firefox", Category::browsers, "globe", {"org.mozilla.firefox"},
         "New tab, address bar, private window, reopen and close tabs in Firefox."},
        {"zen", "Zen", Category::browsers, "globe", {"app.zen-browser.zen"},
         "New tab, address bar, reopen and close tabs in Zen."},
        {"vivaldi", "Vivaldi", Category::browsers, "globe", {"com.vivaldi.Vivaldi"},
         "New tab, Quick Commands, address bar, reopen and close tabs in Vivaldi."},
        {"comet", "Comet", Category::browsers, "globe", {"ai.perplexity.comet"},
         "New tab, reopen and close tabs in Comet; its Assistant is in the library."},
        {"atlas", "ChatGPT Atlas", Category::browsers, "globe", {"com.openai.atlas"},
         "New tab, Ask ChatGPT sidebar, search tabs, reopen and close tabs in ChatGPT Atlas."},
        {"vscode", "VS Code", Category::code, "chevron.left.forwardslash.chevron.right", {"com.microsoft.VSCode"},
         "Commands, quick open, terminal, sidebar and split editor in VS Code."},
        {"cursor", "Cursor", Category::code, "chevron.left.forwardslash.chevron.right",
         {"com.todesktop.230313mzl4w4u92"},
         "New agent, command palette, terminal, changes and files in Cursor."},
        {"zed", "Zed", Category::code, "chevron.left.forwardslash.chevron.right", {"dev.zed.Zed"},
         "Command palette, go to file, agent panel, left and bottom docks in Zed."},
        {"windsurf", "Windsurf", Category::code, "chevron.left.forwardslash.chevron.right",
         {"com.exafunction.windsurf"},
         "Command palette, quick open, Cascade, sidebar and terminal in Windsurf."},
        {"jetbrains", "JetBrains IDEs", Category::code, "chevron.left.forwardslash.chevron.right",
         {"com.jetbrains.pycharm", "com.jetbrains.pycharm.ce", "com.jetbrains.intellij", "com.jetbrains.intellij.ce",
          "com.jetbrains.WebStorm", "com.jetbrains.goland", "com.jetbrains.CLion", "com.jetbrains.rider",
          "com.jetbrains.PhpStorm", "com.jetbrains.rubymine"},
         "Find action, go to file, terminal, recent files and run in PyCharm, IntelliJ and the other JetBrains IDEs."},
        {"neovim", "Neovim", Category::code, "chevron.left.forwardslash.chevron.right", {"com.neovide.neovide"},
         "Command line, jump back, normal mode and undo in Neovide."},
        {"xcode", "Xcode & Simulator", Category::code, "hammer", {"com.apple.dt.Xcode"},
         "Run, open quickly, navigator, stop and build in Xcode."},
        {"screen-studio", "Screen Studio", Category::creative, "record.circle", {"com.timpler.screenstudio"},
         "New recording, record an area, display or window, and open the last project in Screen Studio."},
        {"blender", "Blender", Category::creative, "cube", {"org.blenderfoundation.blender"},
         "Edit mode, menu search, play animation, undo and redo in Blender."},
        {"unity", "Unity", Category::creative, "cube.transparent", {"com.unity3d.UnityEditor5.x"},
         "Play, pause, frame the selection, undo and redo in the Unity editor."},
        {"figma", "Figma", Category::creative, "pencil.and.outline", {"com.figma.Desktop"},
         "Actions, auto layout, zoom to fit, undo and redo in Figma."},
        {"final-cut", "Final Cut Pro", Category::creative, "film", {"com.apple.FinalCut"},
         "Play, blade, add marker, undo and redo in Final Cut Pro."},
        {"logic", "Logic Pro", Category::creative, "pianokeys", {"com.apple.logic10"},
         "Play, record, split at the playhead, undo and redo in Logic Pro."},
        {"davinci", "DaVinci Resolve", Category::creative, "film.stack", {"com.blackmagic-design.DaVinciResolve"},
         "Play, split clip, add marker, undo and redo in DaVinci Resolve."},
        {"obsidian", "Obsidian", Category::work, "diamond", {"md.obsidian"},
         "Command palette, quick switcher, reading view, back and forward in Obsidian."},
        {"notion", "Notion", Category::work, "doc.text", {"notion.id"},
         "Search, new page, sidebar, back and forward in Notion."},
        {"linear", "Linear", Category::work, "line.diagonal", {"com.linear"},
         "Command menu, new issue, search, close and sidebar in Linear."},
        {"slack", "Slack", Category::social, "number", {"com.tinyspeck.slackmacgap"},
         "Jump to, unreads, threads, back and activity in Slack."},
        {"discord", "Discord", Category::social, "headphones", {"com.hnc.Discord"},
         "Quick switcher, mute and deafen in Discord."},
        {"spotify", "Spotify", Category::social, "music.note", {"com.spotify.client"},
         "Play, search, shuffle, previous and next in Spotify."},
    };
    const auto& all = PackCatalog::all();
    ASSERT_EQ(all.size(), std::size(cases));
    for (std::size_t i = 0; i < all.size(); ++i) {
        const Case& c = cases[i];
        SCOPED_TRACE(c.id);
        EXPECT_EQ(all[i].id, c.id);
        EXPECT_EQ(all[i].name, c.name);
        EXPECT_EQ(all[i].category, c.category);
        EXPECT_EQ(all[i].symbol, c.symbol);
        EXPECT_EQ(all[i].apps, c.apps);
        EXPECT_EQ(all[i].summary, c.summary);
    }
}

TEST(PackCatalogTable, namedAccessorsGiveTheirOwnPack) {
    struct Case {
        const Pack& (*accessor)();
        const char* id;
    };
    const Case cases[] = {
        {PackCatalog::everydayMac, "everyday-mac"}, {PackCatalog::terminal, "terminal"},
        {PackCatalog::claude, "claude"},            {PackCatalog::chatGPT, "chatgpt"},
        {PackCatalog::hermes, "hermes"},            {PackCatalog::openClaw, "openclaw"},
        {PackCatalog::chrome, "chrome"},            {PackCatalog::safari, "safari"},
        {PackCatalog::dia, "dia"},                  {PackCatalog::arc, "arc"},
        {PackCatalog::brave, "brave"},              {PackCatalog::firefox, "firefox"},
        {PackCatalog::zen, "zen"},                  {PackCatalog::vivaldi, "vivaldi"},
        {PackCatalog::comet, "comet"},              {PackCatalog::atlas, "atlas"},
        {PackCatalog::vsCode, "vscode"},            {PackCatalog::cursor, "cursor"},
        {PackCatalog::zed, "zed"},                  {PackCatalog::windsurf, "windsurf"},
        {PackCatalog::jetBrains, "jetbrains"},      {PackCatalog::neovim, "neovim"},
        {PackCatalog::xcode, "xcode"},              {PackCatalog::screenStudio, "screen-studio"},
        {PackCatalog::blender, "blender"},          {PackCatalog::unity, "unity"},
        {PackCatalog::figma, "figma"},              {PackCatalog::finalCut, "final-cut"},
        {PackCatalog::logic, "logic"},              {PackCatalog::davinci, "davinci"},
        {PackCatalog::obsidian, "obsidian"},        {PackCatalog::notion, "notion"},
        {PackCatalog::linear, "linear"},            {PackCatalog::slack, "slack"},
        {PackCatalog::discord, "discord"},          {PackCatalog::spotify, "spotify"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.accessor().id, c.id);
        EXPECT_EQ(&c.accessor(), PackCatalog::pack(c.id)) << c.id;
    }
}

TEST(PackCatalogTable, everyBuiltInPackIsPlain) {
    for (const Pack& p : PackCatalog::all()) {
        EXPECT_FALSE(p.custom) << p.id;
        EXPECT_FALSE(p.accent) << p.id;
        EXPECT_EQ(p.iconApps, p.apps) << p.id;
        EXPECT_FALSE(p.name.empty()) << p.id;
        EXPECT_FALSE(p.summary.empty()) << p.id;
        EXPECT_FALSE(p.symbol.empty()) << p.id;
        EXPECT_EQ(p.apps.empty(), p.id == "everyday-mac") << p.id;
    }
}

TEST(PackCatalogTable, chromiumBrowsersShareTheirBuilder) {
    const Pack& chrome = PackCatalog::chrome();
    const Pack& brave = PackCatalog::brave();
    EXPECT_EQ(chrome.summary, "New tab, address bar, search tabs, reopen and close tabs in Chrome.");
    EXPECT_EQ(brave.summary, "New tab, address bar, search tabs, reopen and close tabs in Brave.");
    EXPECT_EQ(chrome.apps, std::vector<std::string>{"com.google.Chrome"});
    EXPECT_EQ(brave.apps, std::vector<std::string>{"com.brave.Browser"});
    for (const Pack* p : {&chrome, &brave}) {
        EXPECT_EQ(p->symbol, "globe");
        EXPECT_EQ(p->category, Pack::Category::browsers);
    }
}

TEST(PackCatalogTable, sharedAppListsAreThePacksApps) {
    EXPECT_EQ(PackCatalog::terminal().apps, PackCatalog::App::terminals());
    EXPECT_EQ(PackCatalog::chatGPT().apps, PackCatalog::App::chatGPT());
    EXPECT_EQ(PackCatalog::jetBrains().apps, PackCatalog::App::jetBrains());
    EXPECT_EQ(PackCatalog::App::jetBrains().size(), 10u);
}

TEST(PackCatalogLookup, findsExactIdsOnly) {
    EXPECT_NE(PackCatalog::pack("claude"), nullptr);
    for (const char* id : {"browser", "code-editors", "Claude", "claude ", ""}) {
        EXPECT_EQ(PackCatalog::pack(id), nullptr) << id;
    }
}

TEST(PackCatalogLookup, retiredIdsNameTheirSuccessors) {
    const auto& replaced = PackCatalog::replaced();
    ASSERT_EQ(replaced.size(), 2u);
    EXPECT_EQ(replaced.at("browser"), (std::vector<std::string>{"chrome", "safari", "dia", "arc", "brave"}));
    EXPECT_EQ(replaced.at("code-editors"),
              (std::vector<std::string>{"vscode", "cursor", "zed", "windsurf", "jetbrains", "neovim"}));
    for (const auto& [retired, successors] : replaced) {
        for (const auto& id : successors) EXPECT_NE(PackCatalog::pack(id), nullptr) << id;
    }
}

TEST(PackCatalogGestures, slotAndSpareTables) {
    EXPECT_EQ(PackCatalog::slots(), (std::vector<Gesture>{Gesture::tap(3, 1), Gesture::tap(3, 3), Gesture::hold(3),
                                                           Gesture::tap(4, 1), Gesture::tap(4, 2)}));
    EXPECT_EQ(PackCatalog::spare(), (std::vector<Gesture>{Gesture::tap(5, 1), Gesture::hold(4), Gesture::tap(4, 3),
                                                           Gesture::tap(5, 2), Gesture::tap(5, 3), Gesture::hold(5)}));
}

TEST(PackCatalogGestures, sharedUndoAndRedoRows) {
    EXPECT_EQ(PackCatalog::undo(), (PackCatalog::Item{"Undo", Action::keystroke(KeyCombo(6, PackCatalog::cmd)), false}));
    EXPECT_EQ(PackCatalog::redo(),
              (PackCatalog::Item{"Redo", Action::keystroke(KeyCombo(6, PackCatalog::shiftCmd)), false}));
    EXPECT_EQ(KeyCombo(6, PackCatalog::shiftCmd).description(), "⇧⌘Z");
}

TEST(PackCatalogMake, shortcutRowsTakeSlotsAndSpareRowsTakeSpareGesturesInTurn) {
    PackCatalog::Rows rows;
    for (int i = 0; i < 5; ++i) rows.bindings.push_back(row("b" + std::to_string(i)));
    for (int k = 0; k < 8; ++k) rows.library.push_back(row("l" + std::to_string(k)));
    const Pack p = PackCatalog::make(definition("claude"), rows);

    ASSERT_EQ(p.bindings.size(), 5u);
    ASSERT_EQ(p.library.size(), 8u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(p.bindings[i].gesture, PackCatalog::slots()[i]);
        EXPECT_EQ(p.bindings[i].id, PackCatalog::stableId("claude", static_cast<std::int64_t>(i + 1)));
        EXPECT_TRUE(p.bindings[i].enabled);
        EXPECT_EQ(p.bindings[i].title, "b" + std::to_string(i));
    }
    for (std::size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(p.library[k].gesture, PackCatalog::spare()[k % 6]);
        EXPECT_EQ(p.library[k].id, PackCatalog::stableId("claude", static_cast<std::int64_t>(100 + k)));
        EXPECT_FALSE(p.library[k].enabled);
    }
    // The seventh and eighth spare rows start the spare gestures again.
    EXPECT_EQ(p.library[6].gesture, Gesture::tap(5, 1));
    EXPECT_EQ(p.library[7].gesture, Gesture::hold(4));
    EXPECT_EQ(p.library[7].id.string(), "7A9D0000-0000-4000-8000-00009234F853");
}

TEST(PackCatalogMake, globalRowsWorkInEveryAppOthersInThePacksApps) {
    PackCatalog::Rows rows{{row("local"), row("everywhere", true)}, {row("spare everywhere", true), row("spare")}};
    const Pack p = PackCatalog::make(definition("x", {"com.example.a", "com.example.b"}), rows);
    const std::vector<std::string> apps{"com.example.a", "com.example.b"};
    EXPECT_EQ(p.bindings[0].apps, apps);
    EXPECT_TRUE(p.bindings[1].apps.empty());
    EXPECT_TRUE(p.library[0].apps.empty());
    EXPECT_EQ(p.library[1].apps, apps);
    EXPECT_EQ(p.iconApps, apps);
    EXPECT_FALSE(p.custom);
    EXPECT_FALSE(p.accent);
    EXPECT_EQ(p.category, Pack::Category::code);
}

TEST(PackCatalogMake, refusesMoreShortcutRowsThanSlots) {
    PackCatalog::Definition d = definition("x");
    d.slots = {Gesture::tap(3, 2), Gesture::hold(3)};
    EXPECT_THROW(PackCatalog::make(d, {{row("a"), row("b"), row("c")}, {}}), std::logic_error);
    EXPECT_NO_THROW(PackCatalog::make(d, {{row("a"), row("b")}, {}}));
}

TEST(PackCatalogIds, everyBindingIdIsDistinctAcrossTheCatalog) {
    std::set<Uuid> seen;
    for (const Pack& p : PackCatalog::all()) {
        for (const auto* list : {&p.bindings, &p.library}) {
            for (const Binding& b : *list) EXPECT_TRUE(seen.insert(b.id).second) << p.id << " " << b.id.string();
        }
    }
}
