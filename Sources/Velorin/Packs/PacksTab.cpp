#include "Velorin/Packs/PacksTab.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <set>

#include "Platform/Defaults.h"
#include "Platform/Platform.h"
#include "Velorin/AppLookups.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/LiquidToggle.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/TabHeader.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Packs/CardGrid.h"
#include "Velorin/Packs/Overlays.h"
#include "Velorin/Packs/PackTabs.h"
#include "Velorin/Packs/Presence.h"
#include "Velorin/Packs/SearchField.h"
#include "Velorin/PermissionBanner.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {

std::string storedTab() {
    auto stored = platform::current().defaults().stringForKey(PacksTab::tabDefaultsKey);
    return stored ? *stored : std::string(PackFilter::allTab);
}

}  // namespace

PacksTab::PacksTab(AppModel& model, QWidget* parent, PacksTabParts parts)
    : QWidget(parent), model_(model), parts_(std::move(parts)), lookup_(parts_.lookup ? *parts_.lookup : appLookup()) {
    setObjectName(QStringLiteral("packsTab"));
    filter_.tab = storedTab();

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    scroll_ = new QScrollArea(this);
    scroll_->setObjectName(QStringLiteral("packsTab.scroll"));
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll_->setWidgetResizable(true);
    scroll_->setAutoFillBackground(false);
    scroll_->viewport()->setAutoFillBackground(false);
    outer->addWidget(scroll_);
    auto* page = new QWidget;
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(0, 0, 0, 8);
    column->setSpacing(16);

    column->addWidget(new TabHeader(
        QStringLiteral("Shortcut packs"),
        QStringLiteral("Ready-made gestures for each app, or packs you make yourself. App packs only work while their "
                       "app is in front, so one gesture can do different things in different apps."),
        page));

    banner_ = new PermissionBanner(model_, page);
    column->addWidget(banner_);

    auto* controls = new QHBoxLayout;
    controls->setSpacing(10);
    search_ = new SearchField(page);
    search_->setObjectName(QStringLiteral("packsTab.search"));
    connect(search_, &SearchField::textChanged, this, &PacksTab::setQuery);
    controls->addWidget(search_, 1, Qt::AlignVCenter);
    showAll_ = new LiquidToggle(QStringLiteral("Apps I don't have"), false, page);
    showAll_->setObjectName(QStringLiteral("packsTab.showAll"));
    showAll_->label()->setFont(Fonts::system(12, QFont::DemiBold));
    showAll_->setToolTip(QStringLiteral("Also show packs for apps that aren't installed on this Mac."));
    showAll_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(showAll_, &LiquidToggle::clicked, this, &PacksTab::setShowAll);
    controls->addWidget(showAll_, 0, Qt::AlignVCenter);
    column->addLayout(controls);

    auto* tabs = new PackTabs(page);
    tabs->setObjectName(QStringLiteral("packsTab.tabs"));
    strip_ = tabs->strip();
    connect(strip_, &PackTabStrip::selectionRequested, this, [this](const std::string& id) { selectTab(id); });
    column->addWidget(tabs);

    grid_ = new CardGrid(page);
    grid_->setObjectName(QStringLiteral("packsTab.grid"));
    column->addWidget(grid_);
    newPack_ = new NewPackCard([this] { openEditor(Pack::newCustom({})); }, grid_);

    nothingOn_ = new ThemedText(QStringLiteral("No packs are on yet. Switch one on in All."),
                                Fonts::system(13, QFont::Medium), Theme::ink.opacity(0.8), page);
    nothingOn_->setObjectName(QStringLiteral("packsTab.nothingOn"));
    nothingOn_->setReadableOnWater(true);
    column->addWidget(nothingOn_);

    more_ = new PillButton(QString(), false, page);
    more_->setObjectName(QStringLiteral("packsTab.more"));
    connect(more_, &QAbstractButton::clicked, this, [this] {
        showAll_->setOn(true);
        setShowAll(true);
    });
    column->addWidget(more_, 0, Qt::AlignLeft);
    morePresence_ = std::make_unique<Presence>(more_, PresenceStyle{});

    auto* footer = new ThemedText(
        QStringLiteral("Your own shortcuts beat packs, and shortcuts for the app in front beat ones that work everywhere."),
        Fonts::system(11.5, QFont::Medium), Theme::ink.opacity(0.78), page);
    footer->setObjectName(QStringLiteral("packsTab.footer"));
    footer->setSymbol(std::string("arrow.up.arrow.down"));
    footer->setWrapping(true);
    footer->setReadableOnWater(true);
    column->addWidget(footer);
    column->addStretch(1);

    scroll_->setWidget(page);
    page->setAutoFillBackground(false);

    Engine& engine = model_.engine();
    observations_.add(engine.config(), [this](const AppConfig&) { scheduleRefresh(); });
    observations_.add(engine.frontApp(), [this](const std::optional<std::string>&) { scheduleRefresh(); });
    observations_.add(engine.accessibilityTrusted(), [this](const bool&) { scheduleRefresh(); });
    refresh();
}

PacksTab::~PacksTab() {
    observations_.clear();
    if (editor_) Overlays::dismiss(this, editor_);
}

void PacksTab::scheduleRefresh() { refreshLater_.schedule(); }

void PacksTab::selectTab(const std::string& id) {
    if (id == filter_.tab) return;
    filter_.tab = id;
    filter_.kept.clear();
    platform::current().defaults().set(tabDefaultsKey, PropertyValue(id));
    refresh();
}

void PacksTab::setQuery(const QString& query) {
    const std::string q = query.toStdString();
    if (q == filter_.query) return;
    filter_.query = q;
    if (search_->text() != query) search_->setText(query);
    refresh();
}

void PacksTab::setShowAll(bool on) {
    if (on == filter_.showAll) return;
    filter_.showAll = on;
    if (showAll_->isOn() != on) showAll_->setOn(on);
    refresh();
}

void PacksTab::write(const std::function<void(AppConfig&)>& change) {
    AppConfig config = model_.config();
    change(config);
    model_.setConfig(std::move(config));
}

PackCardState PacksTab::stateOf(const Pack& pack, const AppConfig& config) const {
    return PackCardState{pack, config.isPackEnabled(pack.id), model_.engine().frontApp().get(),
                         config.shortcuts(pack.id), config.isCustomized(pack.id)};
}

PackCardActions PacksTab::actionsOf(const Pack& pack) {
    const std::string id = pack.id;
    PackCardActions actions;
    actions.setEnabled = [this, id](bool on) {
        filter_.kept.insert(id);
        write([&](AppConfig& c) { c.setPack(id, on); });
    };
    // A copy is always of the pack as the user has it, their edited list included.
    actions.duplicate = [this, id] {
        if (auto current = model_.config().pack(id)) openEditor(current->duplicated());
    };
    actions.setShortcuts = [this, id](std::vector<Binding> list) {
        write([&](AppConfig& c) { c.setShortcuts(std::move(list), id); });
    };
    actions.reset = [this, id] { write([&](AppConfig& c) { c.resetPack(id); }); };
    if (pack.custom) {
        actions.edit = [this, id] {
            if (auto current = model_.config().pack(id)) openEditor(*current);
        };
        actions.remove = [this, id] { write([&](AppConfig& c) { c.removePack(id); }); };
    }
    return actions;
}

void PacksTab::refresh() {
    const AppConfig& config = model_.config();
    banner_->setVisible(!model_.engine().accessibilityTrusted().get());

    // A stored tab that is no longer offered falls back to All.
    std::vector<PackTab> tabs = PackBrowser(config, filter_, parts_.directory).tabs();
    if (const std::string offered = PackBrowser::offeredTab(filter_.tab, tabs); offered != filter_.tab) {
        filter_.tab = offered;
        filter_.kept.clear();
        platform::current().defaults().set(tabDefaultsKey, PropertyValue(offered));
        tabs = PackBrowser(config, filter_, parts_.directory).tabs();
    }
    strip_->setTabs(tabs, filter_.tab);

    const PackBrowser browser(config, filter_, parts_.directory);
    const std::vector<Pack> visible = browser.visiblePacks();
    std::vector<QWidget*> cells;
    cells.reserve(visible.size() + 1);
    const bool showsNew = browser.showsNewPackCard();
    newPack_->setVisible(showsNew);
    if (showsNew) cells.push_back(newPack_);

    // Cards are kept by pack id, also while a search or a tab hides them, so
    // that typing and switching tabs only shows and hides them.
    std::set<std::string> listed;
    std::vector<PackCard*> order;
    for (const Pack& pack : visible) {
        if (!listed.insert(pack.id).second) continue;
        PackCard*& card = cards_[pack.id];
        if (card) {
            // A card that comes back starts closed.
            if (std::find(order_.begin(), order_.end(), card) == order_.end()) card->setExpanded(false);
            card->setActions(actionsOf(pack));
            card->setState(stateOf(pack, config));
        } else {
            card = new PackCard(stateOf(pack, config), actionsOf(pack), parts_.directory, lookup_, parts_.art, grid_);
            card->setObjectName(QString::fromStdString("pack." + pack.id));
        }
        order.push_back(card);
        cells.push_back(card);
    }
    order_ = std::move(order);
    // The first filling is not animated; every later change is.
    grid_->setCells(std::move(cells), built_);

    // Cards of packs that are gone go once they are out of sight.
    std::set<std::string> custom;
    for (const Pack& p : config.customPacks) custom.insert(p.id);
    for (auto it = cards_.begin(); it != cards_.end();) {
        if (!listed.contains(it->first) && it->second->state().pack.custom && !custom.contains(it->first)) {
            grid_->discard(it->second);
            it = cards_.erase(it);
        } else {
            ++it;
        }
    }

    nothingOn_->setVisible(browser.showsNothingOn(visible));
    const bool more = browser.showsMoreButton();
    if (more)
        more_->setText(QStringLiteral("Show %1 more packs for apps you don't have").arg(browser.hiddenCount()));
    setPresent(more_, *morePresence_, more,
               built_ && isVisible() ? std::optional(Animation::spring(Theme::snappy)) : std::nullopt);
    built_ = true;
}


PackCard* PacksTab::card(const std::string& packId) const {
    auto it = std::find_if(order_.begin(), order_.end(),
                           [&](const PackCard* c) { return c->state().pack.id == packId; });
    return it == order_.end() ? nullptr : *it;
}

std::vector<PackCard*> PacksTab::cards() const { return order_; }

bool PacksTab::showsNewPackCard() const { return !newPack_->isHidden(); }

void PacksTab::openEditor(const Pack& pack) {
    if (editor_) return;
    const auto& custom = model_.config().customPacks;
    const bool isNew = std::none_of(custom.begin(), custom.end(), [&](const Pack& p) { return p.id == pack.id; });
    PackEditorParts parts{parts_.shortcutEditor, parts_.directory, lookup_};
    auto* editor = new PackEditor(model_, pack, isNew, [this, isNew](PackEditorResult result) {
        if (result.kind == PackEditorResult::Kind::save && result.pack && isNew) {
            // A new pack is switched on, last in precedence.
            const std::string id = result.pack->id;
            write([&](AppConfig& c) { c.savePack(*result.pack); });
            write([&](AppConfig& c) { c.setPack(id, true); });
            result = PackEditorResult::cancel();
        }
        finishEditing(result);
    }, std::move(parts));
    editor_ = editor;
    Overlays::present(this, editor, [this] {
        if (editor_) editor_->cancel();
    });
}

void PacksTab::finishEditing(const PackEditorResult& result) {
    switch (result.kind) {
        case PackEditorResult::Kind::save:
            if (result.pack) write([&](AppConfig& c) { c.savePack(*result.pack); });
            break;
        case PackEditorResult::Kind::remove:
            write([&](AppConfig& c) { c.removePack(result.id); });
            break;
        case PackEditorResult::Kind::cancel:
            break;
    }
    if (editor_) Overlays::dismiss(this, editor_);
    editor_ = nullptr;
}

}  // namespace velorin
