#include "Velorin/Packs/PackCard.h"

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Velorin/Packs/PackCardRules.h"

#include <QContextMenuEvent>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QVBoxLayout>

#include <array>
#include <cmath>

#include "Velorin/AppLookups.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/GlidingFrame.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/PackTile.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/PulseDot.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/MenuCommandPicker.h"
#include "Velorin/Packs/Overlays.h"
#include "Velorin/Packs/PackArt.h"
#include "Velorin/Packs/PackArtLayer.h"
#include "Velorin/Packs/Presence.h"
#include "Velorin/Packs/ScopeLabel.h"
#include "Velorin/Packs/ShortcutRow.h"
#include "Velorin/Packs/ThemedLabel.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

constexpr double activeNowScale = 0.00001;  // "Active now" grows from a point
constexpr double rowDrop = -6;              // rows come down from 6 points above
constexpr double rowCascade = 0.025;        // seconds between rows coming in
constexpr double rowLeave = 0.1;            // seconds for a row to fade out

// The pencil: a symbol on a 26-point cream circle with a faint rim.
class RoundButton : public QAbstractButton {
public:
    RoundButton(std::string symbol, double side, double points, QWidget* parent)
        : QAbstractButton(parent), symbol_(std::move(symbol)), side_(side), points_(points),
          display_([this] { update(); }) {
        setFixedSize(int(side_), int(side_));
        setCursor(Qt::PointingHandCursor);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const ColorEnvironment env = colorEnvironmentFor(this);
        const QRectF r(rect());
        painter.setBrush(Theme::cream.resolve(env));
        painter.setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
        painter.drawEllipse(r.adjusted(0.25, 0.25, -0.25, -0.25));
        Symbols::draw(painter, r, symbol_, Theme::ink.resolve(env), points_);
    }

private:
    std::string symbol_;
    double side_;
    double points_;
    DisplayObserver display_;
};

// A button whose label is a row of child views; the whole rectangle takes clicks.
class RowButton : public QAbstractButton {
public:
    explicit RowButton(QWidget* parent) : QAbstractButton(parent) {
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(6);
        setCursor(Qt::PointingHandCursor);
        setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    }
    void add(QWidget* part) {
        part->setAttribute(Qt::WA_TransparentForMouseEvents);
        static_cast<QHBoxLayout*>(layout())->addWidget(part, 0, Qt::AlignVCenter);
    }
    QSize sizeHint() const override { return layout()->sizeHint(); }
    QSize minimumSizeHint() const override { return layout()->minimumSize(); }

protected:
    void paintEvent(QPaintEvent*) override {}
};

}  // namespace

// The description, wrapped; its height for a width is worked out once per
// width and text, since the grid asks for it on every layout.
class PackCard::Description : public ThemedText {
public:
    Description(QWidget* parent) : ThemedText(QString(), Fonts::system(12.5), Theme::inkMuted, parent) {
        setWrapping(true);
    }
    void setTextIfChanged(const QString& text) {
        if (text == this->text()) return;
        heights_.clear();
        setText(text);
    }
    int heightForWidth(int width) const override {
        auto it = heights_.find(width);
        if (it == heights_.end()) it = heights_.emplace(width, ThemedText::heightForWidth(width)).first;
        return it->second;
    }

private:
    mutable std::map<int, int> heights_;
};

// ---- PackCard

PackCard::PackCard(PackCardState state, PackCardActions actions, QWidget* parent)
    : PackCard(std::move(state), std::move(actions), AppDirectory::system(), appLookup(), {}, parent) {}

PackCard::PackCard(PackCardState state, PackCardActions actions, AppDirectory directory, AppLookup lookup,
                   ArtSource art, QWidget* parent)
    : GlassCard(16, 20, ThemeColor::clear(), parent),
      state_(std::move(state)),
      actions_(std::move(actions)),
      directory_(std::move(directory)),
      lookup_(std::move(lookup)),
      artSource_(std::move(art)) {
    setObjectName(QStringLiteral("packCard"));
    chevronTurn_.setOnFrame([this] { chevron_->setRotation(chevronTurn_.value()); });
    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    // The card's bottom padding goes inside the frame that glides the card's
    // height, so what the frame cuts off is cut at the card's edge.
    const int bottom = int(std::lround(padding()));
    column->setContentsMargins(0, 0, 0, bottom);
    column->setSpacing(12);
    // Room the frame gives beyond the content stays below it.
    column->setAlignment(Qt::AlignTop);

    // The head.
    auto* head = new QHBoxLayout;
    head->setSpacing(12);
    tile_ = new PackTile(lookup_, state_.pack, state_.enabled, 44, content);
    tile_->setObjectName(QStringLiteral("packCard.tile"));
    head->addWidget(tile_, 0, Qt::AlignTop);

    auto* names = new QVBoxLayout;
    names->setSpacing(5);
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(8);
    name_ = new ThemedLabel(QString(), Fonts::rounded(16, QFont::Bold), Theme::ink, content);
    name_->setObjectName(QStringLiteral("packCard.name"));
    nameRow->addWidget(name_, 0, Qt::AlignVCenter);
    activeNow_ = new QWidget(content);
    activeNow_->setObjectName(QStringLiteral("packCard.activeNow"));
    auto* activeRow = new QHBoxLayout(activeNow_);
    activeRow->setContentsMargins(0, 0, 0, 0);
    activeRow->setSpacing(5);
    activeRow->addWidget(new PulseDot(Theme::success, activeNow_), 0, Qt::AlignVCenter);
    activeRow->addWidget(new ThemedLabel(QStringLiteral("Active now"), Fonts::system(11, QFont::DemiBold),
                                         Theme::success, activeNow_),
                         0, Qt::AlignVCenter);
    nameRow->addWidget(activeNow_, 0, Qt::AlignVCenter);
    activeNowPresence_ = std::make_unique<Presence>(activeNow_, PresenceStyle{activeNowScale, 0});
    nameRow->addStretch(1);
    names->addLayout(nameRow);
    scope_ = new ScopeLabel(state_.pack.apps, ScopeLabelRules::cardIcons, directory_, lookup_, content);
    scope_->setObjectName(QStringLiteral("packCard.scope"));
    names->addWidget(scope_, 0, Qt::AlignLeft);
    head->addLayout(names, 1);
    head->addSpacing(8);

    edit_ = new RoundButton("pencil", 26, 12, content);
    edit_->setObjectName(QStringLiteral("packCard.edit"));
    edit_->setToolTip(QStringLiteral("Edit this pack"));
    connect(edit_, &QAbstractButton::clicked, this, [this] {
        if (actions_.edit) actions_.edit();
    });
    head->addWidget(edit_, 0, Qt::AlignTop);

    switch_ = new LiquidSwitch(state_.enabled, PackStyle::switchFill(state_.pack), content);
    switch_->setObjectName(QStringLiteral("packCard.switch"));
    connect(switch_, &QAbstractButton::clicked, this, [this](bool on) {
        if (actions_.setEnabled) actions_.setEnabled(on);
    });
    head->addWidget(switch_, 0, Qt::AlignTop);
    column->addLayout(head);

    // The description.
    description_ = new Description(content);
    description_->setObjectName(QStringLiteral("packCard.description"));
    column->addWidget(description_);

    // The disclosure.
    auto* disclosure = new RowButton(content);
    disclosure->setObjectName(QStringLiteral("packCard.disclosure"));
    chevron_ = new SymbolView("chevron.right", 10, Theme::inkMuted, 12, disclosure);
    disclosure->add(chevron_);
    count_ = new ThemedLabel(QString(), Fonts::system(12, QFont::DemiBold), Theme::inkMuted, disclosure);
    count_->setObjectName(QStringLiteral("packCard.count"));
    disclosure->add(count_);
    disclosure_ = disclosure;
    connect(disclosure_, &QAbstractButton::clicked, this, [this] { setExpanded(!expanded_); });
    column->addWidget(disclosure_, 0, Qt::AlignLeft);

    // The shortcut list is built when first opened.
    column_ = column;
    frame_ = new GlidingFrame(content, this);
    frame_->setObjectName(QStringLiteral("packCard.frame"));
    const QMargins margins = contentLayout()->contentsMargins();
    contentLayout()->setContentsMargins(margins.left(), margins.top(), margins.right(), 0);
    addContent(frame_);
    refresh();
    built_ = true;
}

PackCard::~PackCard() {
    if (menuPicker_) Overlays::dismiss(this, menuPicker_);
}

void PackCard::setState(PackCardState state) {
    if (state == state_) return;
    state_ = std::move(state);
    refresh();
}

void PackCard::setActions(PackCardActions actions) {
    // What shows depends only on which actions are present.
    auto present = [](const PackCardActions& a) {
        return std::array<bool, 6>{bool(a.setEnabled), bool(a.edit),         bool(a.duplicate),
                                   bool(a.remove),     bool(a.setShortcuts), bool(a.reset)};
    };
    const bool reshaped = present(actions) != present(actions_);
    actions_ = std::move(actions);
    if (reshaped) refresh();
}

void PackCard::setExpanded(bool expanded) {
    if (expanded == expanded_) return;
    expanded_ = expanded;
    chevronTurn_.animateTo(expanded_ ? 90 : 0, Animation::spring(Theme::wobble));
    refresh();
    // The card grows to the open list, or back to its head, with the same spring.
    frame_->glide(Theme::wobble);
}

QString PackCard::countText() const { return count_->text(); }

bool PackCard::showsActiveNow() const { return isPresent(activeNow_, *activeNowPresence_); }

QString PackCard::descriptionText() const { return description_->text(); }

std::vector<ShortcutRow*> PackCard::rows() const { return expanded_ ? order_ : std::vector<ShortcutRow*>{}; }

ShortcutRow* PackCard::row(const Uuid& id) const {
    auto it = rows_.find(id);
    return expanded_ && it != rows_.end() ? it->second : nullptr;
}

bool PackCard::showsSpareHeading() const { return expanded_ && spareHeading_ && !spareHeading_->isHidden(); }

void PackCard::refresh() {
    const Pack& pack = state_.pack;
    const bool enabled = state_.enabled;
    tile_->setPack(pack);
    tile_->setActive(enabled);
    name_->setTextIfChanged(qs(pack.name));
    setPresent(activeNow_, *activeNowPresence_, PackCardRules::isActiveHere(enabled, pack, state_.frontApp),
               built_ && isVisible() ? std::optional(Animation::spring(Theme::snappy)) : std::nullopt);
    scope_->setApps(pack.apps);
    scope_->setVisible(PackCardRules::showsScope(pack, directory_));
    edit_->setVisible(bool(actions_.edit));
    switch_->setFill(PackStyle::switchFill(pack));
    if (switch_->isOn() != enabled) switch_->setOn(enabled);
    description_->setTextIfChanged(pack.summary.empty() ? QStringLiteral("No description yet.") : qs(pack.summary));
    count_->setTextIfChanged(qs(PackCardRules::countText(state_.list())));
    chevron_->setRotation(chevronTurn_.value());

    setFlood(enabled);
    setFloodFill(PackStyle::floodFill(pack));
    const std::vector<QImage> images = artSource_ ? artSource_(pack.id) : PackArt::images(pack.id);
    if (images.empty()) {
        if (art_) {
            art_.reset();
            setArt({});
        }
    } else if (!art_ || art_->images().size() != images.size()) {
        art_ = std::make_unique<PackArtLayer>(images, enabled, [this] { update(); });
        setArt([this](QPainter& painter, const QRectF& card, const ColorEnvironment&) { art_->paint(painter, card); });
    } else {
        art_->setActive(enabled);
    }

    refreshList();
}

void PackCard::buildList() {
    if (list_) return;
    QWidget* content = disclosure_->parentWidget();
    list_ = new QWidget(content);
    list_->setObjectName(QStringLiteral("packCard.list"));
    listLayout_ = new QVBoxLayout(list_);
    listLayout_->setContentsMargins(0, 0, 0, 0);
    listLayout_->setSpacing(7);
    spareHeading_ = new ThemedLabel(QStringLiteral("More shortcuts · pick a gesture to switch one on"),
                                    Fonts::system(11, QFont::DemiBold), Theme::inkMuted, list_);
    spareHeading_->setObjectName(QStringLiteral("packCard.spareHeading"));
    spareHeading_->setContentsMargins(0, 4, 0, 0);
    listButtons_ = new QWidget(list_);
    auto* buttons = new QHBoxLayout(listButtons_);
    buttons->setContentsMargins(0, 4, 0, 0);
    buttons->setSpacing(8);
    addFromMenus_ = new PillButton(QString(), false, listButtons_);
    addFromMenus_->setObjectName(QStringLiteral("packCard.addFromMenus"));
    connect(addFromMenus_, &QAbstractButton::clicked, this, &PackCard::addFromMenus);
    buttons->addWidget(addFromMenus_);
    reset_ = new PillButton(QStringLiteral("Reset to defaults"), false, listButtons_);
    reset_->setObjectName(QStringLiteral("packCard.reset"));
    connect(reset_, &QAbstractButton::clicked, this, [this] {
        if (actions_.reset) actions_.reset();
    });
    buttons->addWidget(reset_);
    buttons->addStretch(1);
    column_->addWidget(list_);
    listPresence_ = std::make_unique<Presence>(list_, PresenceStyle{});
    headingPresence_ = std::make_unique<Presence>(spareHeading_, PresenceStyle{});
    buttonsPresence_ = std::make_unique<Presence>(listButtons_, PresenceStyle{});
}

void PackCard::refreshList() {
    if (!expanded_ && !list_) return;
    buildList();
    const bool animate = built_ && isVisible() && !Motion::instant();
    const bool opening = expanded_ && !listOpen_;
    const bool closing = !expanded_ && listOpen_;
    listOpen_ = expanded_;
    if (!expanded_) {
        // The open list fades out as one, then its rows go.
        if (closing && animate) {
            // Out of the layout at once, so the card starts closing up, while
            // the list fades where it stood.
            column_->removeWidget(list_);
            listPresence_->leave(Animation::easeOut(rowLeave), [this] { listOutOfSight(); });
        } else if (!listPresence_->isLeaving()) {
            listOutOfSight();
        }
        return;
    }
    if (column_->indexOf(list_) < 0) column_->addWidget(list_);
    list_->show();
    listPresence_->show();
    const std::vector<Binding>& list = state_.list();
    const bool editable = bool(actions_.setShortcuts);

    // Rows are kept by shortcut id; only new ones are made and gone ones dropped.
    std::map<Uuid, ShortcutRow*> kept;
    std::vector<ShortcutRow*> on;
    std::vector<ShortcutRow*> off;
    std::vector<ShortcutRow*> entering;
    {
        for (const Binding& binding : list) {
            if (kept.contains(binding.id)) continue;  // a duplicated id shows once
            const bool clashes = PackCardRules::clashes(binding, list);
            ShortcutRow* row = nullptr;
            bool comes = opening;
            if (auto it = rows_.find(binding.id); it != rows_.end()) {
                row = it->second;
                rows_.erase(it);
                row->set(binding, state_.pack, clashes, editable);
                // A row that moves between the lists that are on and spare comes in anew.
                if (auto was = rowWasOn_.find(binding.id); was != rowWasOn_.end() && was->second != binding.enabled)
                    comes = true;
            } else {
                row = new ShortcutRow(binding, state_.pack, clashes, editable, {}, lookup_, list_);
                rowPresences_[row] = std::make_unique<Presence>(row, PresenceStyle{1, rowDrop});
                comes = true;
            }
            row->setChange([this](const Binding& changed) { changeRow(changed); });
            kept[binding.id] = row;
            (binding.enabled ? on : off).push_back(row);
            if (comes) entering.push_back(row);
        }
    }
    for (auto& [id, row] : rows_) dropRow(row, animate);
    rows_ = std::move(kept);
    rowWasOn_.clear();
    for (const ShortcutRow* row : on) rowWasOn_[row->binding().id] = true;
    for (const ShortcutRow* row : off) rowWasOn_[row->binding().id] = false;

    // Re-lay the list in order: rows that are on, the heading, spare rows, buttons.
    while (listLayout_->count() > 0) delete listLayout_->takeAt(0);
    order_.clear();
    for (ShortcutRow* row : on) {
        listLayout_->addWidget(row);
        row->show();
        order_.push_back(row);
    }
    listLayout_->addWidget(spareHeading_);
    for (ShortcutRow* row : off) {
        listLayout_->addWidget(row);
        row->show();
        order_.push_back(row);
    }
    // Rows come in one after another, in the order they are listed.
    for (std::size_t i = 0; i < order_.size(); ++i) {
        if (std::find(entering.begin(), entering.end(), order_[i]) == entering.end()) continue;
        Presence& presence = *rowPresences_.at(order_[i]);
        if (animate) {
            presence.appear(Animation::spring(Theme::snappy), double(i) * rowCascade);
        } else {
            presence.show();
        }
    }
    const auto addTitle = PackCardRules::addFromMenusTitle(state_.pack, editable, directory_);
    if (addTitle) addFromMenus_->setText(qs(*addTitle));
    addFromMenus_->setVisible(addTitle.has_value());
    reset_->setVisible(state_.customized && bool(actions_.reset));
    // Shown with the list as it opens; the rest of the time, as the list changes.
    const std::optional<Animation> fade =
        animate ? std::optional(Animation::spring(opening ? Theme::wobble : Theme::snappy)) : std::nullopt;
    if (opening) {
        spareHeading_->hide();
        listButtons_->hide();
    }
    setPresent(spareHeading_, *headingPresence_, !off.empty(), fade);
    setPresent(listButtons_, *buttonsPresence_, addTitle.has_value() || !reset_->isHidden(), fade);
    listLayout_->addWidget(listButtons_);
}

void PackCard::dropRow(ShortcutRow* row, bool animate) {
    listLayout_->removeWidget(row);
    auto it = rowPresences_.find(row);
    if (!animate || it == rowPresences_.end()) {
        rowPresences_.erase(row);
        row->hide();
        row->deleteLater();
        return;
    }
    // It fades where it stood, above the rows that close up under it.
    row->raise();
    it->second->leave(Animation::easeOut(rowLeave), [this, row] {
        row->hide();
        row->deleteLater();
        // Not from inside the presence's own frame.
        QMetaObject::invokeMethod(this, [this, row] { rowPresences_.erase(row); }, Qt::QueuedConnection);
    });
}

void PackCard::listOutOfSight() {
    if (expanded_ || !list_) return;
    list_->hide();
    if (column_->indexOf(list_) < 0) column_->addWidget(list_);
    listPresence_->show();
    for (auto& [id, row] : rows_) dropRow(row, false);
    rows_.clear();
    order_.clear();
    rowWasOn_.clear();
}

void PackCard::changeRow(const Binding& changed) {
    if (!actions_.setShortcuts) return;
    actions_.setShortcuts(PackCardRules::replacing(state_.list(), changed));
}

void PackCard::addFromMenus() {
    if (menuPicker_) return;
    auto* picker = new MenuCommandPicker(
        state_.pack.apps, [this](const MenuCommand& command) { add(command); },
        [this] {
            if (menuPicker_) Overlays::dismiss(this, menuPicker_);
            menuPicker_ = nullptr;
        });
    picker->setObjectName(QStringLiteral("packCard.menuPicker"));
    menuPicker_ = picker;
    Overlays::present(this, picker, [this] {
        if (menuPicker_) Overlays::dismiss(this, menuPicker_);
        menuPicker_ = nullptr;
    });
}

void PackCard::add(const MenuCommand& command) {
    if (menuPicker_) Overlays::dismiss(this, menuPicker_);
    menuPicker_ = nullptr;
    if (!actions_.setShortcuts) return;
    std::vector<Binding> list = state_.list();
    list.push_back(PackCardRules::menuBinding(command, state_.pack, list));
    setExpanded(true);
    actions_.setShortcuts(std::move(list));
}

QMenu* PackCard::makeMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("packCard.menu"));
    if (actions_.edit) menu->addAction(QStringLiteral("Edit Pack…"), this, [this] {
        if (actions_.edit) actions_.edit();
    });
    if (actions_.duplicate)
        menu->addAction(state_.pack.custom ? QStringLiteral("Duplicate") : QStringLiteral("Duplicate to Edit"), this,
                        [this] {
                            if (actions_.duplicate) actions_.duplicate();
                        });
    if (actions_.remove) {
        menu->addSeparator();
        menu->addAction(QStringLiteral("Delete Pack"), this, [this] {
            if (actions_.remove) actions_.remove();
        });
    }
    return menu;
}

void PackCard::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    if (!actions_.edit && !actions_.duplicate && !actions_.remove) return;
    QMenu* menu = makeMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

// ---- NewPackCard

namespace {
constexpr double plusSide = 44;
constexpr double gap = 12;
QFont titleFont() { return Fonts::rounded(16, QFont::Bold); }
QFont subtitleFont() { return Fonts::system(12); }
}  // namespace

// The grown card, drawn above the content: grown about its centre it
// reaches beyond its own bounds, where the card itself cannot paint.
class NewPackCard::Grown final : public OverlayEffect {
public:
    explicit Grown(NewPackCard* card) : OverlayEffect(card), card_(card) {}
    QRectF area() const override {
        const QRectF r(card_->rect());
        const double m = (hoverScale - 1) * 2;  // room for the spring's overshoot
        return r.adjusted(-r.width() * m, -r.height() * m, r.width() * m, r.height() * m);
    }
    void paint(QPainter& painter) override {
        if (card_->isVisible() && card_->drawsAbove()) card_->paintCard(painter);
    }

private:
    NewPackCard* card_;
};

NewPackCard::NewPackCard(std::function<void()> action, QWidget* parent)
    : QAbstractButton(parent),
      hover_(0.0,
             [this] {
                 update();
                 grown_->refresh();
             }),
      grown_(std::make_unique<Grown>(this)),
      display_([this] { update(); }) {
    setObjectName(QStringLiteral("newPackCard"));
    setAccessibleName(QString::fromLatin1(title));
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    connect(this, &QAbstractButton::clicked, this, [action = std::move(action)] {
        if (action) action();
    });
}

double NewPackCard::textWidth(int width) const { return std::max(40.0, width - 2 * padding - plusSide - gap); }

int NewPackCard::heightForWidth(int width) const {
    const QFontMetricsF title(titleFont());
    const QRectF sub = QFontMetricsF(subtitleFont())
                           .boundingRect(QRectF(0, 0, textWidth(width), 1000), Qt::TextWordWrap,
                                         QString::fromLatin1(subtitle));
    const double text = title.height() + 3 + sub.height();
    return int(std::ceil(2 * padding + std::max(plusSide, text)));
}

QSize NewPackCard::sizeHint() const { return QSize(330, heightForWidth(330)); }

QSize NewPackCard::minimumSizeHint() const { return QSize(200, heightForWidth(200)); }

NewPackCard::~NewPackCard() = default;

void NewPackCard::setHovering(bool hovering) {
    if (hovering == hovering_) return;
    hovering_ = hovering;
    if (Display::reduceMotion())
        hover_.setValue(hovering ? 1 : 0);
    else
        hover_.animateTo(hovering ? 1 : 0, Animation::spring(Theme::snappy));
}

double NewPackCard::scale() const { return 1 + (hoverScale - 1) * hover_.value(); }

double NewPackCard::fillOpacity() const { return restingFill + (hoveringFill - restingFill) * hover_.value(); }

void NewPackCard::enterEvent(QEnterEvent* event) {
    setHovering(true);
    QAbstractButton::enterEvent(event);
}

void NewPackCard::leaveEvent(QEvent* event) {
    setHovering(false);
    QAbstractButton::leaveEvent(event);
}

bool NewPackCard::drawsAbove() const { return scale() > 1.0001; }

void NewPackCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!drawsAbove()) paintCard(painter);
}

void NewPackCard::paintCard(QPainter& painter) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF r(rect());
    const double s = scale();
    painter.translate(r.center());
    painter.scale(s, s);
    painter.translate(-r.center());
    const QPainterPath shape = continuousRoundedRect(r.adjusted(0.75, 0.75, -0.75, -0.75), radius);
    painter.fillPath(shape, Theme::warmWhite.opacity(fillOpacity()).resolve(env));
    QPen dash(Theme::ink.opacity(0.25).resolve(env), 1.5);
    dash.setDashPattern({6 / 1.5, 5 / 1.5});  // Qt measures dashes in pen widths
    painter.setPen(dash);
    painter.drawPath(shape);

    const QColor ink = Theme::ink.resolve(env);
    const QRectF circle(r.left() + padding, r.center().y() - plusSide / 2, plusSide, plusSide);
    painter.setBrush(Theme::cream.resolve(env));
    painter.setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
    painter.drawEllipse(circle.adjusted(0.25, 0.25, -0.25, -0.25));
    Symbols::draw(painter, circle, "plus", ink, 18);

    const double x = circle.right() + gap;
    const double w = textWidth(int(r.width()));
    const QFontMetricsF tm(titleFont());
    const QRectF sub = QFontMetricsF(subtitleFont())
                           .boundingRect(QRectF(0, 0, w, 1000), Qt::TextWordWrap, QString::fromLatin1(subtitle));
    const double textHeight = tm.height() + 3 + sub.height();
    const double y = r.center().y() - textHeight / 2;
    painter.setPen(ink);
    painter.setFont(titleFont());
    painter.drawText(QRectF(x, y, w, tm.height()), Qt::AlignLeft | Qt::AlignVCenter, QString::fromLatin1(title));
    painter.setPen(Theme::inkMuted.resolve(env));
    painter.setFont(subtitleFont());
    painter.drawText(QRectF(x, y + tm.height() + 3, w, sub.height()), Qt::TextWordWrap | Qt::AlignLeft,
                     QString::fromLatin1(subtitle));
    painter.restore();
}

}  // namespace velorin
