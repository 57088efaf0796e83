#include "Velorin/Settings/ShortcutsTab.h"

#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <set>

#include "Velorin/AppModel.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/PadStage.h"
#include "Velorin/Design/TabHeader.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/BindingEditor.h"
#include "Velorin/Editor/SymbolPill.h"
#include "Velorin/LivePadFeed.h"
#include "Velorin/PermissionBanner.h"
#include "Velorin/Settings/BindingRow.h"
#include "Velorin/Settings/GroupHeading.h"
#include "Velorin/Settings/MyShortcutsRules.h"
#include "Velorin/Settings/TabPage.h"
#include "Velorin/SheetHost.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {

constexpr int emptyPadMaxWidth = 420;  // points

// The live pad of the empty state, fed from the engine; a click anywhere on it
// opens the studio.
class EmptyPad final : public QWidget {
public:
    EmptyPad(AppModel& model, QWidget* parent, ShortcutsTab::PadFactory factory) : QWidget(parent), model_(model) {
        setObjectName("shortcuts.pad");
        setCursor(Qt::PointingHandCursor);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        if (factory) {
            layout->addWidget(factory(model, this));
        } else {
            auto* pad = new PadStage(this);
            feed_ = std::make_unique<LivePadFeed>(model, pad);
            layout->addWidget(pad);
        }
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        setMaximumWidth(emptyPadMaxWidth);
    }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override { return int(std::ceil(width / PadStage::aspectRatio)); }
    QSize sizeHint() const override { return {emptyPadMaxWidth, heightForWidth(emptyPadMaxWidth)}; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
            event->accept();
            model_.studioOpen.set(true);
            return;
        }
        QWidget::mouseReleaseEvent(event);
    }
    void mousePressEvent(QMouseEvent* event) override { event->accept(); }
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        setFixedHeight(heightForWidth(width()));
    }

private:
    AppModel& model_;
    std::unique_ptr<LivePadFeed> feed_;
};

}  // namespace

ShortcutsTab::ShortcutsTab(AppModel& model, QWidget* parent, PadFactory emptyPad) : QWidget(parent), model_(model) {
    setObjectName("shortcutsTab");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    auto* page = new TabPage(this);
    outer->addWidget(page);
    QWidget* host = page->widget();

    // Header: the title and, at the bottom of the row, the add button.
    auto* header = new QHBoxLayout;
    header->addWidget(new TabHeader(MyShortcutsRules::title, MyShortcutsRules::subtitle, host), 1);
    auto* add = new SymbolPill("plus", 13, MyShortcutsRules::addText, true, host);
    add->setObjectName("shortcuts.add");
    add->installEventFilter(this);
    connect(add, &QAbstractButton::clicked, this, [this] { model_.studioOpen.set(true); });
    header->addWidget(add, 0, Qt::AlignBottom);
    page->add(header);

    auto* bannerHost = new QWidget(host);
    bannerSlot_ = new QVBoxLayout(bannerHost);
    bannerSlot_->setContentsMargins(0, 0, 0, 0);
    page->add(bannerHost);

    // Empty state.
    empty_ = new QWidget(host);
    empty_->setObjectName("shortcuts.empty");
    auto* emptyColumn = new QVBoxLayout(empty_);
    emptyColumn->setContentsMargins(0, 10, 0, 10);
    emptyColumn->setSpacing(10);
    emptyColumn->addWidget(new EmptyPad(model_, empty_, std::move(emptyPad)), 0, Qt::AlignHCenter);
    auto* emptyTitle =
        new ThemedText(MyShortcutsRules::emptyTitle, Fonts::rounded(17, QFont::Bold), Theme::ink, empty_);
    emptyTitle->setReadableOnWater(true);
    emptyColumn->addWidget(emptyTitle, 0, Qt::AlignHCenter);
    auto* emptyText =
        new ThemedText(MyShortcutsRules::emptyText, Fonts::system(13, QFont::Medium), Theme::inkMuted, empty_);
    emptyText->setWrapping(true);
    emptyText->setReadableOnWater(true);
    emptyText->setMaximumWidth(emptyPadMaxWidth + 60);
    emptyColumn->addWidget(emptyText, 0, Qt::AlignHCenter);
    page->add(empty_);

    // The list.
    list_ = new QWidget(host);
    list_->setObjectName("shortcuts.list");
    listLayout_ = new QVBoxLayout(list_);
    listLayout_->setContentsMargins(0, 0, 0, 0);
    listLayout_->setSpacing(8);
    page->add(list_);
    page->finish();

    observations_.add(model_.engine().config(), [this](const AppConfig&) { scheduleRefresh(); });
    observations_.add(model_.engine().accessibilityTrusted(), [this](const bool&) { refreshBanner(); });
    refreshBanner();
    refresh();
}

ShortcutsTab::~ShortcutsTab() { observations_.clear(); }

bool ShortcutsTab::eventFilter(QObject* watched, QEvent* event) {
    if (auto* add = qobject_cast<SymbolPill*>(watched)) {
        if (event->type() == QEvent::Enter) add->setTurn(90);
        if (event->type() == QEvent::Leave) add->setTurn(0);
    }
    return QWidget::eventFilter(watched, event);
}

BindingRow* ShortcutsTab::row(const Uuid& id) const {
    auto it = rows_.find(id);
    return it == rows_.end() ? nullptr : it->second;
}

GroupHeading* ShortcutsTab::heading(const std::vector<std::string>& apps) const {
    auto it = headings_.find(apps);
    return it == headings_.end() ? nullptr : it->second;
}

std::vector<QWidget*> ShortcutsTab::listed() const {
    std::vector<QWidget*> shown;
    for (int i = 0; i < listLayout_->count(); ++i) {
        if (QWidget* widget = listLayout_->itemAt(i)->widget()) shown.push_back(widget);
    }
    return shown;
}

BindingEditor* ShortcutsTab::editor() const { return editor_; }

bool ShortcutsTab::showsEmptyState() const { return !empty_->isHidden(); }

void ShortcutsTab::scheduleRefresh() { refreshLater_.schedule(); }

void ShortcutsTab::refresh() {
    const AppConfig& config = model_.config();
    const auto groups = MyShortcutsRules::groups(config.bindings);
    const auto conflicts = config.conflicts();

    empty_->setVisible(config.bindings.empty());
    list_->setVisible(!config.bindings.empty());

    // Take every item out of the column (the widgets stay) and put back, in
    // order, the kept and the new ones.
    while (listLayout_->count() > 0) delete listLayout_->takeAt(0);
    std::set<std::vector<std::string>> keptHeadings;
    std::set<Uuid> keptRows;
    for (const auto& group : groups) {
        GroupHeading*& heading = headings_[group.apps];
        if (!heading) heading = new GroupHeading(group.apps, list_);
        heading->setCount(int(group.ids.size()));
        keptHeadings.insert(group.apps);
        listLayout_->addWidget(heading);
        for (const auto& id : group.ids) {
            // A shortcut listed twice under one id is shown once.
            if (keptRows.count(id)) continue;
            const Binding* binding = MyShortcutsRules::find(config, id);
            if (!binding) continue;
            const bool conflict = conflicts.count(id) > 0;
            BindingRow*& row = rows_[id];
            if (!row) {
                row = new BindingRow(*binding, conflict, list_);
                connect(row, &BindingRow::switched, this,
                        [this](const Uuid& which, bool on) { setEnabled(which, on); });
                connect(row, &BindingRow::editRequested, this, [this](const Uuid& which) { edit(which); });
                connect(row, &BindingRow::deleteRequested, this, [this](const Uuid& which) { remove(which); });
            } else {
                row->show(*binding, conflict);
            }
            keptRows.insert(id);
            listLayout_->addWidget(row);
        }
    }
    for (auto it = headings_.begin(); it != headings_.end();) {
        if (keptHeadings.count(it->first)) {
            ++it;
            continue;
        }
        it->second->hide();
        it->second->deleteLater();
        it = headings_.erase(it);
    }
    for (auto it = rows_.begin(); it != rows_.end();) {
        if (keptRows.count(it->first)) {
            it->second->setVisible(true);
            ++it;
            continue;
        }
        it->second->hide();
        it->second->deleteLater();
        it = rows_.erase(it);
    }
    for (auto& [apps, heading] : headings_) heading->setVisible(true);
}

void ShortcutsTab::refreshBanner() {
    const bool trusted = model_.engine().accessibilityTrusted().get();
    if (trusted && banner_) {
        banner_->hide();
        banner_->deleteLater();
        banner_ = nullptr;
    } else if (!trusted && !banner_) {
        banner_ = new PermissionBanner(model_, bannerSlot_->parentWidget());
        banner_->setObjectName("shortcuts.banner");
        bannerSlot_->addWidget(banner_);
    }
    bannerSlot_->parentWidget()->setVisible(!trusted);
}

void ShortcutsTab::setEnabled(const Uuid& id, bool on) {
    if (auto changed = MyShortcutsRules::settingEnabled(model_.config(), id, on)) model_.setConfig(std::move(*changed));
}

void ShortcutsTab::remove(const Uuid& id) {
    if (auto changed = MyShortcutsRules::deleting(model_.config(), id)) model_.setConfig(std::move(*changed));
}

void ShortcutsTab::edit(const Uuid& id) {
    const Binding* binding = MyShortcutsRules::find(model_.config(), id);
    if (!binding || editor_) return;
    SheetHost* host = SheetHost::of(this);
    if (!host) return;
    const bool isNew = MyShortcutsRules::isNew(model_.config(), binding->id);
    editor_ = new BindingEditor(model_, *binding, isNew, std::nullopt, [this](std::optional<Binding> result) {
        if (result) model_.setConfig(MyShortcutsRules::storing(model_.config(), *result));
        closeEditor();
    });
    host->present(editor_, [this] { closeEditor(); });
}

void ShortcutsTab::closeEditor() {
    if (!editor_) return;
    if (SheetHost* host = SheetHost::of(this)) host->dismiss(editor_);
    editor_ = nullptr;
}

}  // namespace velorin
