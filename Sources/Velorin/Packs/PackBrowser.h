#pragma once
// Which pack cards the packs tab lists, in which order, under which tabs:
// worked out from the live configuration and the tab's four controls (the
// search text, "Apps I don't have", the selected tab and the packs whose
// switch was flipped since the tab was last changed). Recomputed on every
// change; holds only references.

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "Config/AppConfig.h"
#include "Config/Pack.h"
#include "Velorin/Packs/AppDirectory.h"

namespace velorin {

// One tab of the strip above the grid.
struct PackTab {
    std::string id;  // "all", "on", "mine" or a category's stored name
    std::string title;
    std::optional<int> count;  // the badge after the title

    bool operator==(const PackTab&) const = default;
};

// The view state of the packs tab that decides what is listed.
struct PackFilter {
    static constexpr std::string_view allTab = "all";
    static constexpr std::string_view onTab = "on";
    static constexpr std::string_view mineTab = "mine";

    std::string query;  // as typed
    bool showAll = false;
    std::string tab{allTab};
    std::set<std::string> kept;  // packs switched on or off here since the tab last changed
};

class PackBrowser {
public:
    PackBrowser(const AppConfig& config, const PackFilter& filter, const AppDirectory& apps);

    std::vector<PackTab> tabs() const;
    // The packs the grid lists, in order. On All and the category tabs a
    // built-in pack is the catalog's own; searched and on On, the user's.
    std::vector<Pack> visiblePacks() const;
    // How many built-in packs are hidden because none of their apps is installed.
    int hiddenCount() const;

    bool shown(const Pack& pack) const;
    bool matches(const Pack& pack) const;

    // The query without blanks (spaces and tabs, not line ends) at either end.
    static std::string trimmedQuery(std::string_view query);
    // `tab` when `tabs` offers it, else "all".
    static std::string offeredTab(const std::string& tab, const std::vector<PackTab>& tabs);

    // Whether the grid starts with the "New pack" card.
    bool showsNewPackCard() const;
    // Whether the On tab's empty-state text shows.
    bool showsNothingOn(const std::vector<Pack>& visible) const;
    // Whether the button that lists the hidden packs shows.
    bool showsMoreButton() const;

private:
    const AppConfig& config_;
    const PackFilter& filter_;
    const AppDirectory& apps_;
    std::string q_;
};

}  // namespace velorin
