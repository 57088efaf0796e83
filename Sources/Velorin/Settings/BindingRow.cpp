#include "Velorin/Settings/BindingRow.h"

#include <QContextMenuEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include <cmath>

#include "Velorin/AppInfo.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/GlassCard.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/DisplayNames.h"
#include "Velorin/Packs/ScopeLabel.h"
#include "Velorin/Settings/MyShortcutsRules.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {

QString qt(const std::string& text) { return QString::fromStdString(text); }

// The icon of the app an action opens, if it opens one and the app has one.
std::optional<QImage> openedAppIcon(const Action& action) {
    if (const auto* open = action.as<Action::OpenApp>()) {
        if (!open->bundleID.empty()) return AppInfo::icon(open->bundleID);
    }
    return std::nullopt;
}

// The arrow between the gesture and the action.
class Arrow final : public QWidget {
public:
    explicit Arrow(QWidget* parent) : QWidget(parent) { setFixedSize(14, 14); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        Symbols::draw(painter, QRectF(rect()), "arrow.right", Theme::honey.resolve(colorEnvironmentFor(this)), 11);
    }
};

}  // namespace

BindingRow::BindingRow(const Binding& binding, bool conflict, QWidget* parent)
    : QWidget(parent),
      binding_(binding),
      shake_([this] { placeChip(); }),
      opacity_(binding.enabled ? 1.0 : disabledOpacity, [this] { applyOpacity(); }) {
    setObjectName("bindingRow");
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    card_ = new GlassCard(12, 14, ThemeColor::clear(), this);
    outer->addWidget(card_);
    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    card_->contentLayout()->addLayout(row);

    switch_ = new LiquidSwitch(binding_.enabled, std::nullopt, card_);
    switch_->setObjectName("row.switch");
    connect(switch_, &QAbstractButton::clicked, this, [this](bool on) { emit switched(binding_.id, on); });
    row->addWidget(switch_, 0, Qt::AlignVCenter);

    tile_ = new SymbolTile(std::string(symbol(binding_.gesture)), binding_.enabled, 32, card_);
    tile_->setObjectName("row.tile");
    row->addWidget(tile_, 0, Qt::AlignVCenter);

    gesture_ = new ThemedText(qt(displayName(binding_.gesture)), Fonts::system(13, QFont::DemiBold), Theme::ink, card_);
    gesture_->setObjectName("row.gesture");
    gesture_->setFixedWidth(gestureWidth);
    row->addWidget(gesture_, 0, Qt::AlignVCenter);

    row->addWidget(new Arrow(card_), 0, Qt::AlignVCenter);

    appIcon_ = new QLabel(card_);
    appIcon_->setObjectName("row.appIcon");
    appIcon_->setFixedSize(iconSide, iconSide);
    appIcon_->setScaledContents(true);
    row->addWidget(appIcon_, 0, Qt::AlignVCenter);

    action_ = new ThemedText(QString(), Fonts::system(13), Theme::ink, card_);
    action_->setObjectName("row.action");
    row->addWidget(action_, 1, Qt::AlignVCenter);
    row->addSpacing(6);

    scope_ = new ScopeLabel(binding_.apps, MyShortcutsRules::scopeIcons, card_);
    scope_->setObjectName("row.scope");
    row->addWidget(scope_, 0, Qt::AlignVCenter);

    // The chip shakes inside a holder that keeps its place in the row.
    chipHolder_ = new QWidget(card_);
    chip_ = new Chip(MyShortcutsRules::duplicateText, "exclamationmark.triangle.fill", Theme::warning.opacity(0.15),
                     Theme::warning, chipHolder_);
    chip_->setObjectName("row.duplicate");
    chip_->setToolTip(MyShortcutsRules::duplicateHelp);
    const QSize chipSize = chip_->sizeHint();
    chipHolder_->setFixedSize(chipSize.width() + 2 * int(ShakeEffect::amplitude), chipSize.height());
    row->addWidget(chipHolder_, 0, Qt::AlignVCenter);

    menu_ = new QMenu(this);
    QAction* edit = menu_->addAction(MyShortcutsRules::editText);
    edit->setObjectName("row.edit");
    connect(edit, &QAction::triggered, this, [this] { emit editRequested(binding_.id); });
    QAction* remove = menu_->addAction(MyShortcutsRules::deleteText);
    remove->setObjectName("row.delete");
    connect(remove, &QAction::triggered, this, [this] { emit deleteRequested(binding_.id); });

    conflict_ = !conflict;  // so the first show sets everything
    Binding first = binding_;
    show(first, conflict);
    applyOpacity();
}

BindingRow::~BindingRow() = default;

void BindingRow::show(const Binding& binding, bool conflict) {
    const bool enabledChanged = binding.enabled != binding_.enabled;
    binding_ = binding;
    switch_->setOn(binding_.enabled);
    tile_->setSymbol(std::string(symbol(binding_.gesture)));
    tile_->setActive(binding_.enabled);
    gesture_->setText(qt(displayName(binding_.gesture)));
    const QString actionText = qt(binding_.title.value_or(displayName(binding_.action)));
    action_->setText(actionText);
    if (const auto icon = openedAppIcon(binding_.action)) {
        appIcon_->setPixmap(QPixmap::fromImage(*icon));
        appIcon_->setVisible(true);
    } else {
        appIcon_->clear();
        appIcon_->setVisible(false);
    }
    scope_->setApps(binding_.apps);
    if (enabledChanged) opacity_.animateTo(binding_.enabled ? 1.0 : disabledOpacity, Animation::spring(Theme::snappy));
    if (conflict != conflict_) {
        conflict_ = conflict;
        chipHolder_->setVisible(conflict_);
        // A chip that comes into view shakes; one that stays does not shake again.
        if (conflict_) {
            ++shakes_;
            shake_.trigger(true);
        }
    }
}

void BindingRow::applyOpacity() {
    const double value = opacity_.value();
    auto* effect = qobject_cast<QGraphicsOpacityEffect*>(card_->graphicsEffect());
    if (value >= 0.999) {
        if (effect) card_->setGraphicsEffect(nullptr);
        return;
    }
    if (!effect) {
        effect = new QGraphicsOpacityEffect(card_);
        card_->setGraphicsEffect(effect);
    }
    effect->setOpacity(value);
}

void BindingRow::placeChip() { chip_->move(int(std::lround(ShakeEffect::amplitude + shake_.offset())), 0); }

void BindingRow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeChip();
}

void BindingRow::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    emit editRequested(binding_.id);
}

void BindingRow::contextMenuEvent(QContextMenuEvent* event) {
    event->accept();
    menu_->popup(event->globalPos());
}

}  // namespace velorin
