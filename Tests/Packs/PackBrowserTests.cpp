#include <gtest/gtest.h>

#include <algorithm>

#include "Config/AppConfig.h"
#include "Config/PackCatalog.h"
#include "FakeApps.h"
#include "Velorin/Packs/PackBrowser.h"

namespace velorin {
namespace {

using testing::FakeApps;

std::vector<std::string> ids(const std::vector<Pack>& packs) {
    std::vector<std::string> out;
    for (const auto& p : packs) out.push_back(p.id);
    return out;
}

std::vector<std::string> tabIds(const std::vector<PackTab>& tabs) {
    std::vector<std::string> out;
    for (const auto& t : tabs) out.push_back(t.id);
    return out;
}

Pack custom(std::string name, Pack::Category category = Pack::Category::general) {
    Pack p = Pack::newCustom({});
    p.name = std::move(name);
    p.category = category;
    return p;
}

class PackBrowserTest : public ::testing::Test {
protected:
    PackBrowserTest() {
        apps.names = {{"com.spotify.client", "Spotify"}, {"com.tinyspeck.slackmacgap", "Slack"}};
    }
    PackBrowser browser() {
        directory = apps.directory();
        return PackBrowser(config, filter, directory);
    }

    AppConfig config;
    PackFilter filter;
    FakeApps apps;
    AppDirectory directory;
};

TEST_F(PackBrowserTest, allTab_listsCustomPacksFirstThenShownCatalogPacks) {
    config.enabledPacks = {"claude"};
    config.customPacks = {custom("Mine A"), custom("Mine B")};
    apps.installed = {"com.spotify.client"};
    const auto list = ids(browser().visiblePacks());
    const std::vector<std::string> expected{config.customPacks[0].id, config.customPacks[1].id, "everyday-mac",
                                            "claude", "spotify"};
    EXPECT_EQ(list, expected);
}

TEST_F(PackBrowserTest, allAndCategoryTabs_holdCatalogPacks_searchAndOnHoldTheUsersList) {
    config.enabledPacks = {"spotify"};
    std::vector<Binding> edited = {PackCatalog::spotify().bindings.front()};
    edited.front().enabled = false;
    config.packOverrides["spotify"] = edited;
    filter.showAll = true;
    auto find = [](const std::vector<Pack>& list) { return *std::find_if(list.begin(), list.end(), [](const Pack& p) { return p.id == "spotify"; }); };

    filter.tab = "all";
    EXPECT_EQ(find(browser().visiblePacks()), PackCatalog::spotify());
    filter.tab = "social";
    EXPECT_EQ(find(browser().visiblePacks()), PackCatalog::spotify());
    filter.tab = "on";
    EXPECT_EQ(find(browser().visiblePacks()).bindings, edited);
    filter.tab = "all";
    filter.query = "spot";
    EXPECT_EQ(find(browser().visiblePacks()).bindings, edited);
}

TEST_F(PackBrowserTest, onTab_listsEnabledAndKeptPacksInCatalogOrderThenCustom) {
    Pack mine = custom("Mine");
    config.customPacks = {mine};
    config.enabledPacks = {mine.id, "spotify", "everyday-mac"};
    filter.tab = "on";
    filter.kept = {"slack"};
    EXPECT_EQ(ids(browser().visiblePacks()), (std::vector<std::string>{"everyday-mac", "slack", "spotify", mine.id}));
}

TEST_F(PackBrowserTest, mineTab_listsEveryCustomPack_categoryTabsNone) {
    config.customPacks = {custom("A", Pack::Category::social), custom("B")};
    filter.tab = "mine";
    EXPECT_EQ(browser().visiblePacks(), config.customPacks);
    filter.tab = "social";
    filter.showAll = true;
    EXPECT_EQ(ids(browser().visiblePacks()), (std::vector<std::string>{"slack", "discord", "spotify"}));
}

TEST_F(PackBrowserTest, shown_rulesInOrder) {
    const Pack& spotify = PackCatalog::spotify();
    struct Case {
        const char* name;
        bool showAll;
        std::string query;
        bool enabled;
        bool kept;
        bool installed;
        bool expected;
    } cases[] = {
        {"hidden by default", false, "", false, false, false, false},
        {"apps I don't have", true, "", false, false, false, true},
        {"any query, blanks too", false, "  ", false, false, false, true},
        {"switched on", false, "", true, false, false, true},
        {"flipped here", false, "", false, true, false, true},
        {"installed", false, "", false, false, true, true},
    };
    for (const auto& c : cases) {
        filter = PackFilter{};
        filter.showAll = c.showAll;
        filter.query = c.query;
        config.enabledPacks = c.enabled ? std::vector<std::string>{"spotify"} : std::vector<std::string>{};
        if (c.kept) filter.kept = {"spotify"};
        apps.installed = c.installed ? std::set<std::string>{"com.spotify.client"} : std::set<std::string>{};
        EXPECT_EQ(browser().shown(spotify), c.expected) << c.name;
    }
    EXPECT_TRUE(browser().shown(PackCatalog::everydayMac())) << "a pack for every app";
}

TEST_F(PackBrowserTest, shown_stopsAtTheFirstInstalledApp) {
    const Pack& terminal = PackCatalog::terminal();
    ASSERT_GT(terminal.apps.size(), 2u);
    apps.installed = {terminal.apps[0]};
    EXPECT_TRUE(browser().shown(terminal));
    EXPECT_EQ(apps.installedLookups, 1);
}

TEST_F(PackBrowserTest, search_matchesNameSummaryOrAppName_trimmedAndCaseless) {
    Pack mine = custom("Video editing");
    mine.summary = "Cuts and fades";
    mine.apps = {"org.example.cutter"};
    apps.names["org.example.cutter"] = "cutter pro";
    config.customPacks = {mine};
    struct Case {
        std::string query;
        std::vector<std::string> expected;
    } cases[] = {
        {"spotify", {"spotify"}},
        {"  SPOTIFY\t", {"spotify"}},
        {"FADES", {mine.id}},
        {"CUTTER PRO", {mine.id}},
        {"video", {mine.id}},
        {"zzzz-nothing", {}},
    };
    filter.tab = "mine";  // a search lists from every pack whatever the tab
    for (const auto& c : cases) {
        filter.query = c.query;
        EXPECT_EQ(ids(browser().visiblePacks()), c.expected) << c.query;
    }
}

TEST_F(PackBrowserTest, search_byAppDisplayName_findsPacksOfAppsNotInstalled) {
    apps.names["com.tinyspeck.slackmacgap"] = "slack messenger";
    filter.query = "MESSENGER";
    EXPECT_EQ(ids(browser().visiblePacks()), (std::vector<std::string>{"slack"}));
}

TEST_F(PackBrowserTest, blankQuery_searchesNothingButShowsEveryPack) {
    filter.query = " \t ";
    filter.tab = "social";
    EXPECT_EQ(ids(browser().visiblePacks()), (std::vector<std::string>{"slack", "discord", "spotify"}));
    EXPECT_EQ(browser().hiddenCount(), 0);
    EXPECT_FALSE(browser().showsMoreButton());
}

TEST_F(PackBrowserTest, trimmedQuery_dropsBlanksButNotLineEnds) {
    EXPECT_EQ(PackBrowser::trimmedQuery("  ab \t"), "ab");
    EXPECT_EQ(PackBrowser::trimmedQuery("\u00A0ab\u2003"), "ab");
    EXPECT_EQ(PackBrowser::trimmedQuery("\nab\n"), "\nab\n");
    EXPECT_EQ(PackBrowser::trimmedQuery(" \t"), "");
}

TEST_F(PackBrowserTest, hiddenCount_countsOnlyCatalogPacks) {
    config.customPacks = {[] {
        Pack p = custom("Mine");
        p.apps = {"org.example.absent"};
        return p;
    }()};
    // Nothing installed, nothing on: every catalog pack that names apps is hidden.
    const auto& all = PackCatalog::all();
    const int withApps = int(std::count_if(all.begin(), all.end(), [](const Pack& p) { return !p.apps.empty(); }));
    EXPECT_EQ(browser().hiddenCount(), withApps);
    config.enabledPacks = {"spotify"};
    filter.kept = {"slack"};
    EXPECT_EQ(browser().hiddenCount(), withApps - 2);
}

TEST_F(PackBrowserTest, moreButton_onlyWhenPacksAreHiddenOnAllAndCategories) {
    struct Case {
        std::string tab;
        std::string query;
        bool showAll;
        bool expected;
    } cases[] = {
        {"all", "", false, true},     {"general", "", false, true}, {"on", "", false, false},
        {"mine", "", false, false},   {"all", " ", false, false},   {"all", "", true, false},
    };
    for (const auto& c : cases) {
        filter.tab = c.tab;
        filter.query = c.query;
        filter.showAll = c.showAll;
        EXPECT_EQ(browser().showsMoreButton(), c.expected) << c.tab << " '" << c.query << "' " << c.showAll;
    }
    // Every catalog pack already listed: no button.
    for (const auto& p : PackCatalog::all()) apps.installed.insert(p.apps.begin(), p.apps.end());
    filter = PackFilter{};
    EXPECT_FALSE(browser().showsMoreButton());
}

TEST_F(PackBrowserTest, tabs_countsAndOfferedCategories) {
    config.enabledPacks = {"everyday-mac", "claude", "custom-gone"};
    auto tabs = browser().tabs();
    ASSERT_GE(tabs.size(), 3u);
    EXPECT_EQ(tabs[0], (PackTab{"all", "All", std::nullopt}));
    EXPECT_EQ(tabs[1], (PackTab{"on", "On", 2})) << "ids of packs that no longer exist don't count";
    EXPECT_EQ(tabs[2], (PackTab{"mine", "Mine", std::nullopt})) << "no badge before the first custom pack";
    // general (a pack for every app) and ai (claude is on); nothing installed.
    EXPECT_EQ(tabIds(tabs), (std::vector<std::string>{"all", "on", "mine", "general", "ai"}));

    config.enabledPacks.clear();
    config.customPacks = {custom("Mine", Pack::Category::social)};
    tabs = browser().tabs();
    EXPECT_EQ(tabs[1].count, 0) << "On always has a count";
    EXPECT_EQ(tabs[2].count, 1);
    EXPECT_EQ(tabIds(tabs), (std::vector<std::string>{"all", "on", "mine", "general"}))
        << "custom packs never add a category";

    filter.showAll = true;
    const auto all = browser().tabs();
    ASSERT_EQ(all.size(), 10u);
    EXPECT_EQ(all[4].title, "AI");
    EXPECT_EQ(all[8].title, "Notes & work");
    EXPECT_EQ(all[9].title, "Chat & music");
}

TEST_F(PackBrowserTest, offeredTab_fallsBackToAll) {
    config.enabledPacks = {"claude"};
    const auto tabs = browser().tabs();
    EXPECT_EQ(PackBrowser::offeredTab("ai", tabs), "ai");
    EXPECT_EQ(PackBrowser::offeredTab("social", tabs), "all") << "its packs are all hidden";
    EXPECT_EQ(PackBrowser::offeredTab("nonsense", tabs), "all");
}

TEST_F(PackBrowserTest, newPackCardAndEmptyOnText) {
    for (const auto& [tab, card] : std::vector<std::pair<std::string, bool>>{
             {"all", true}, {"mine", true}, {"on", false}, {"ai", false}}) {
        filter.tab = tab;
        EXPECT_EQ(browser().showsNewPackCard(), card) << tab;
    }
    filter.tab = "on";
    EXPECT_TRUE(browser().showsNothingOn(browser().visiblePacks()));
    filter.query = "zzzz";
    filter.tab = "all";
    EXPECT_FALSE(browser().showsNothingOn(browser().visiblePacks())) << "an empty search shows no text";
}

}  // namespace
}  // namespace velorin
