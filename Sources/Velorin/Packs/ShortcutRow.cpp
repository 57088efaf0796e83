#include "Velorin/Packs/ShortcutRow.h"

// Before any Qt header: Qt defines "slots" as a keyword.
#include "Velorin/Packs/PackCardRules.h"

#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QVBoxLayout>

#include <cmath>

#include "Velorin/AppLookups.h"
#include "Velorin/Design/AppBadge.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/PillButton.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/DisplayNames.h"
#include "Velorin/Editor/GesturePicker.h"
#include "Velorin/Packs/Keycap.h"
#include "Velorin/Packs/Overlays.h"
#include "Velorin/Packs/ThemedLabel.h"

namespace velorin {

namespace {

QString qs(const std::string& s) { return QString::fromStdString(s); }

// The chip's measures, in points.
constexpr double chipDisc = 20;
constexpr double chipGap = 5;
constexpr double chipTrailing = 7;
constexpr double addHorizontal = 8;
constexpr double addVertical = 3;
constexpr double textPoints = 11.5;

QFont chipFont() { return Fonts::system(textPoints, QFont::Medium); }

}  // namespace

// ---- GestureChip

GestureChip::GestureChip(QWidget* parent) : QAbstractButton(parent), display_([this] { update(); }) {
    setObjectName(QStringLiteral("shortcutRow.chip"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

void GestureChip::setGesture(std::optional<Gesture> gesture, const Pack& pack) {
    const PackIdentity identity = PackStyle::identity(pack);
    if (gesture == gesture_ && identity == pack_) return;
    gesture_ = std::move(gesture);
    pack_ = identity;
    setAccessibleName(label());
    updateGeometry();
    update();
}

QString GestureChip::label() const { return gesture_ ? qs(displayName(*gesture_)) : QStringLiteral("Add gesture"); }

QSize GestureChip::sizeHint() const {
    const QFontMetricsF m(chipFont());
    double w = 0;
    double h = 0;
    if (gesture_) {
        w = chipDisc + chipGap + m.horizontalAdvance(label()) + chipTrailing;
        h = std::max(chipDisc, m.height());
    } else {
        w = 2 * addHorizontal + 9 + chipGap + m.horizontalAdvance(label());
        h = 2 * addVertical + m.height();
    }
    return QSize(std::max(minimumWidth, int(std::ceil(w))), int(std::ceil(h)));
}

void GestureChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF r(rect());
    if (gesture_) {
        painter.fillPath(continuousCapsule(r), PackStyle::accent(pack_).opacity(0.14).resolve(env));
        const QRectF disc(0, (r.height() - chipDisc) / 2, chipDisc, chipDisc);
        painter.setPen(Qt::NoPen);
        painter.setBrush(brush(PackStyle::switchFill(pack_), disc, env));
        painter.drawEllipse(disc);
        Symbols::draw(painter, disc, symbol(*gesture_), PackStyle::onFill(pack_).resolve(env), 10);
        painter.setFont(chipFont());
        painter.setPen(Theme::ink.resolve(env));
        const double x = chipDisc + chipGap;
        painter.drawText(QRectF(x, 0, r.width() - x, r.height()), Qt::AlignVCenter | Qt::AlignLeft, label());
        return;
    }
    const QColor muted = Theme::inkMuted.resolve(env);
    QPen dash(Theme::inkMuted.opacity(0.4).resolve(env), 1);
    dash.setDashPattern({3, 3});
    painter.setPen(dash);
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousCapsule(r.adjusted(0.5, 0.5, -0.5, -0.5)));
    const QRectF plus(addHorizontal, 0, 9, r.height());
    Symbols::draw(painter, plus, "plus", muted, 9);
    painter.setFont(chipFont());
    painter.setPen(muted);
    const double x = plus.right() + chipGap;
    painter.drawText(QRectF(x, 0, r.width() - x, r.height()), Qt::AlignVCenter | Qt::AlignLeft, label());
}

// ---- ShortcutPopover

ShortcutPopover::ShortcutPopover(const Binding& binding, const Gesture& draft, QWidget* parent)
    : SheetSurface(16, 12, parent), draft_(draft) {
    setObjectName(QStringLiteral("shortcutPopover"));
    auto* title = new ThemedLabel(qs(ShortcutRowRules::title(binding)), Fonts::rounded(15, QFont::Bold), Theme::ink, this);
    title->setObjectName(QStringLiteral("shortcutPopover.title"));
    column()->addWidget(title);

    picker_ = new GesturePicker(this);
    picker_->setGesture(draft_);
    connect(picker_, &GesturePicker::gesturePicked, this, [this](const Gesture& g) { draft_ = g; });
    column()->addWidget(picker_, 0, Qt::AlignLeft);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(8);
    if (ShortcutRowRules::offersRemove(binding)) {
        remove_ = new PillButton(QStringLiteral("Remove gesture"), false, this);
        remove_->setObjectName(QStringLiteral("shortcutPopover.remove"));
        connect(remove_, &QAbstractButton::clicked, this, [this] { emit removeRequested(); });
        buttons->addWidget(remove_);
    }
    buttons->addStretch(1);
    confirm_ = new PillButton(qs(ShortcutRowRules::confirmTitle(binding)), true, this);
    confirm_->setObjectName(QStringLiteral("shortcutPopover.confirm"));
    connect(confirm_, &QAbstractButton::clicked, this, [this] { emit confirmed(draft_); });
    buttons->addWidget(confirm_);
    column()->addLayout(buttons);
    setFocusPolicy(Qt::StrongFocus);
}

QSize ShortcutPopover::sizeHint() const { return QSize(width, SheetSurface::sizeHint().height()); }

void ShortcutPopover::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        event->accept();
        confirm_->click();
        return;
    }
    SheetSurface::keyPressEvent(event);
}

// ---- ShortcutRow

// The title on one line, cut short at its end when there is no room.
class ShortcutRow::Title : public QWidget {
public:
    explicit Title(QWidget* parent) : QWidget(parent), display_([this] { update(); }) {
        setObjectName(QStringLiteral("shortcutRow.title"));
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    }
    void set(const QString& text, bool on) {
        if (text == text_ && on == on_) return;
        text_ = text;
        on_ = on;
        updateGeometry();
        update();
    }
    const QString& text() const { return text_; }
    bool isOn() const { return on_; }
    QFont font() const { return Fonts::system(12, on_ ? QFont::DemiBold : QFont::Normal); }
    QSize sizeHint() const override {
        const QFontMetricsF m(font());
        return QSize(int(std::ceil(m.horizontalAdvance(text_))), int(std::ceil(m.height())));
    }
    QSize minimumSizeHint() const override { return QSize(20, sizeHint().height()); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font());
        painter.setPen((on_ ? Theme::ink : Theme::inkMuted).resolve(colorEnvironmentFor(this)));
        const QString shown = QFontMetricsF(font()).elidedText(text_, Qt::ElideRight, width());
        painter.drawText(QRectF(rect()), Qt::AlignVCenter | Qt::AlignLeft, shown);
    }

private:
    QString text_;
    bool on_ = true;
    DisplayObserver display_;
};

ShortcutRow::ShortcutRow(Binding binding, Pack pack, bool clashes, bool editable, Change change, QWidget* parent)
    : ShortcutRow(std::move(binding), std::move(pack), clashes, editable, std::move(change), appLookup(), parent) {}

ShortcutRow::ShortcutRow(Binding binding, Pack pack, bool clashes, bool editable, Change change, AppLookup lookup,
                         QWidget* parent)
    : QWidget(parent),
      binding_(std::move(binding)),
      pack_(std::move(pack)),
      clashes_(clashes),
      editable_(editable),
      change_(std::move(change)),
      lookup_(std::move(lookup)),
      draft_(ShortcutRowRules::initialDraft()) {
    setObjectName(QStringLiteral("shortcutRow"));
    setAttribute(Qt::WA_TranslucentBackground);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    chip_ = new GestureChip(this);
    connect(chip_, &QAbstractButton::clicked, this, &ShortcutRow::choose);
    row->addWidget(chip_, 0, Qt::AlignVCenter);

    app_ = new AppBadge(lookup_, std::string(), 16, this);
    app_->setObjectName(QStringLiteral("shortcutRow.app"));
    row->addWidget(app_, 0, Qt::AlignVCenter);

    title_ = new Title(this);
    row->addWidget(title_, 0, Qt::AlignVCenter);

    keys_ = new Keycap(this);
    keys_->setObjectName(QStringLiteral("shortcutRow.keys"));
    row->addWidget(keys_, 0, Qt::AlignVCenter);

    row->addSpacerItem(new QSpacerItem(4, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));

    clash_ = new SymbolView("exclamationmark.triangle.fill", 11, Theme::warning, 14, this);
    clash_->setObjectName(QStringLiteral("shortcutRow.clash"));
    clash_->setToolTip(QStringLiteral("Another shortcut in this pack uses the same gesture; only the first one runs."));
    row->addWidget(clash_, 0, Qt::AlignVCenter);

    globe_ = new SymbolView("globe", 10, Theme::inkMuted, 20, this);
    globe_->setObjectName(QStringLiteral("shortcutRow.globe"));
    globe_->setToolTip(QStringLiteral("Works in every app"));
    row->addWidget(globe_, 0, Qt::AlignVCenter);

    refresh();
}

ShortcutRow::~ShortcutRow() {
    // A popover lives on the window's overlay, not inside the row.
    if (popover_) Overlays::dismiss(this, popover_);
}

void ShortcutRow::set(Binding binding, Pack pack, bool clashes, bool editable) {
    binding_ = std::move(binding);
    pack_ = std::move(pack);
    clashes_ = clashes;
    editable_ = editable;
    refresh();
}

QString ShortcutRow::title() const { return title_->text(); }

void ShortcutRow::refresh() {
    chip_->setGesture(binding_.enabled ? std::optional<Gesture>(binding_.gesture) : std::nullopt, pack_);
    chip_->setEnabled(editable_);
    const auto tip = ShortcutRowRules::chipTooltip(binding_, editable_);
    chip_->setToolTip(tip ? qs(*tip) : QString());

    const auto* open = binding_.action.as<Action::OpenApp>();
    if (open) app_->setBundleID(open->bundleID);
    app_->setVisible(open != nullptr);

    title_->set(qs(ShortcutRowRules::title(binding_)), binding_.enabled);

    const auto* keys = binding_.action.as<Action::Keystroke>();
    if (keys) keys_->setText(qs(keys->combo.description()));
    keys_->setVisible(keys != nullptr);

    clash_->setVisible(clashes_);
    globe_->setDisc(PackStyle::accent(&pack_).opacity(0.18));
    globe_->setVisible(ShortcutRowRules::showsGlobe(binding_, pack_));
}

void ShortcutRow::choose() {
    if (!editable_ || popover_) return;
    draft_ = binding_.gesture;
    auto* popover = new ShortcutPopover(binding_, draft_);
    popover_ = popover;
    connect(popover, &ShortcutPopover::confirmed, this,
            [this](const Gesture& g) { finish(ShortcutRowRules::confirmed(binding_, g)); });
    connect(popover, &ShortcutPopover::removeRequested, this,
            [this] { finish(ShortcutRowRules::removed(binding_)); });
    popover->pointAt(chip_);
    Overlays::present(this, popover, [this] { dismiss(); }, chip_);
}

void ShortcutRow::dismiss() { finish(std::nullopt); }

void ShortcutRow::finish(std::optional<Binding> changed) {
    if (popover_) {
        QWidget* popover = popover_;
        popover_ = nullptr;
        Overlays::dismiss(this, popover);
    }
    // Last: the owner may rebuild the card from the stored list.
    if (changed && change_) change_(*changed);
}

}  // namespace velorin
