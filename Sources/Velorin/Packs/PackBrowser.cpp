#include "Velorin/Packs/PackBrowser.h"

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Config/PackCatalog.h"

#include <QChar>
#include <QString>

#include <algorithm>


namespace velorin {

namespace {

bool isBlank(QChar c) { return c == u'\t' || c.category() == QChar::Separator_Space; }

bool contains(const std::string& text, const QString& q) {
    return QString::fromStdString(text).contains(q, Qt::CaseInsensitive);
}

}  // namespace

PackBrowser::PackBrowser(const AppConfig& config, const PackFilter& filter, const AppDirectory& apps)
    : config_(config), filter_(filter), apps_(apps), q_(trimmedQuery(filter.query)) {}

std::string PackBrowser::trimmedQuery(std::string_view query) {
    const QString text = QString::fromUtf8(query.data(), qsizetype(query.size()));
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && isBlank(text[start])) ++start;
    while (end > start && isBlank(text[end - 1])) --end;
    return text.mid(start, end - start).toStdString();
}

bool PackBrowser::shown(const Pack& pack) const {
    if (filter_.showAll) return true;
    if (!filter_.query.empty()) return true;
    if (pack.apps.empty()) return true;
    if (config_.isPackEnabled(pack.id)) return true;
    if (filter_.kept.contains(pack.id)) return true;
    return std::any_of(pack.apps.begin(), pack.apps.end(), [this](const std::string& app) {
        return apps_.isInstalled(app);
    });
}

bool PackBrowser::matches(const Pack& pack) const {
    if (q_.empty()) return true;
    const QString q = QString::fromStdString(q_);
    if (contains(pack.name, q) || contains(pack.summary, q)) return true;
    return std::any_of(pack.apps.begin(), pack.apps.end(),
                       [&](const std::string& app) { return contains(apps_.name(app), q); });
}

std::vector<Pack> PackBrowser::visiblePacks() const {
    std::vector<Pack> list;
    if (!q_.empty()) {
        for (Pack& pack : config_.allPacks()) {
            if (matches(pack)) list.push_back(std::move(pack));
        }
        return list;
    }
    const std::string& tab = filter_.tab;
    if (tab == PackFilter::onTab) {
        for (Pack& pack : config_.allPacks()) {
            if (config_.isPackEnabled(pack.id) || filter_.kept.contains(pack.id)) list.push_back(std::move(pack));
        }
        return list;
    }
    if (tab == PackFilter::mineTab) return config_.customPacks;
    if (tab == PackFilter::allTab) {
        list = config_.customPacks;
        for (const Pack& pack : PackCatalog::all()) {
            if (shown(pack)) list.push_back(pack);
        }
        return list;
    }
    for (const Pack& pack : PackCatalog::all()) {
        if (rawValue(pack.category) == tab && shown(pack)) list.push_back(pack);
    }
    return list;
}

int PackBrowser::hiddenCount() const {
    const auto& all = PackCatalog::all();
    return int(std::count_if(all.begin(), all.end(), [this](const Pack& pack) { return !shown(pack); }));
}

std::vector<PackTab> PackBrowser::tabs() const {
    std::vector<PackTab> tabs;
    tabs.push_back({std::string(PackFilter::allTab), "All", std::nullopt});
    const int on = int(std::count_if(config_.enabledPacks.begin(), config_.enabledPacks.end(),
                                     [this](const std::string& id) { return config_.pack(id).has_value(); }));
    tabs.push_back({std::string(PackFilter::onTab), "On", on});
    std::optional<int> mine;
    if (!config_.customPacks.empty()) mine = int(config_.customPacks.size());
    tabs.push_back({std::string(PackFilter::mineTab), "Mine", mine});
    for (Pack::Category category : allCases<Pack::Category>()) {
        const auto& all = PackCatalog::all();
        const bool offered = std::any_of(all.begin(), all.end(), [&](const Pack& pack) {
            return pack.category == category && shown(pack);
        });
        if (offered) tabs.push_back({std::string(rawValue(category)), std::string(Pack::title(category)), std::nullopt});
    }
    return tabs;
}

std::string PackBrowser::offeredTab(const std::string& tab, const std::vector<PackTab>& tabs) {
    const bool offered = std::any_of(tabs.begin(), tabs.end(), [&](const PackTab& t) { return t.id == tab; });
    return offered ? tab : std::string(PackFilter::allTab);
}

bool PackBrowser::showsNewPackCard() const {
    return filter_.tab == PackFilter::allTab || filter_.tab == PackFilter::mineTab;
}

bool PackBrowser::showsNothingOn(const std::vector<Pack>& visible) const {
    return visible.empty() && filter_.tab == PackFilter::onTab;
}

bool PackBrowser::showsMoreButton() const {
    return !filter_.showAll && filter_.query.empty() && filter_.tab != PackFilter::onTab &&
           filter_.tab != PackFilter::mineTab && hiddenCount() >= 1;
}

}  // namespace velorin
