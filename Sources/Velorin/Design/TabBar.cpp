#include "Velorin/Design/TabBar.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/ControlGlass.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Design/FocusRing.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Shadow.h"
#include "Velorin/Design/SymbolBounce.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"

#include <QAbstractButton>
#include <QFontMetricsF>
#include <QHBoxLayout>
#include <QLinearGradient>
#include <QPainter>
#include <QShortcut>

#include <cmath>

namespace velorin {

namespace {
constexpr TabBarItem tabItems[] = {
    {SettingsTab::packs, "Packs", "square.stack.3d.up.fill"},
    {SettingsTab::shortcuts, "My Shortcuts", "hand.tap.fill"},
    {SettingsTab::sensitivity, "Sensitivity", "slider.horizontal.3"},
    {SettingsTab::trackpad, "Trackpad", "rectangle.and.hand.point.up.left.fill"},
    {SettingsTab::general, "General", "gearshape.fill"},
    {SettingsTab::about, "About", "info.circle.fill"},
};
static_assert(std::size(tabItems) == allSettingsTabs.size());

constexpr const char* tabNames[] = {"packs", "shortcuts", "sensitivity", "trackpad", "general", "about"};

constexpr double blobRimWidth = 0.8;
constexpr double blobShadowOpacity = 0.35;
constexpr double blobShadowRadius = 8;
constexpr QPointF blobShadowOffset{0, 3};
constexpr double blobGlossOpacity = 0.4;
constexpr double labelShadowOpacity = 0.5;
constexpr double labelShadowRadius = 2;
constexpr QPointF labelShadowOffset{0, 1};

std::size_t indexOf(SettingsTab tab) { return std::size_t(tab); }

QFont labelFont(bool selected) { return Fonts::system(TabBar::fontPoints, selected ? QFont::DemiBold : QFont::Medium); }
}  // namespace

// One tab: its symbol and title; the bar paints the blob behind it.
class TabBar::Button final : public QAbstractButton {
public:
    Button(TabBar* bar, SettingsTab tab) : QAbstractButton(bar), bar_(bar), tab_(tab), splash_(this, 0), bounce_([this] { update(); }) {
        const TabBarItem& it = TabBar::item(tab);
        setText(QString::fromUtf8(it.title.data(), qsizetype(it.title.size())));
        setObjectName(QStringLiteral("tab.%1").arg(QLatin1String(tabNames[indexOf(tab)])));
        setToolTip(TabBar::toolTip(tab));
        setAccessibleName(text());
        setCheckable(true);
        setFocusPolicy(Qt::TabFocus);
        setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        connect(this, &QAbstractButton::clicked, this, [this] { bar_->select(tab_); });
    }

    SettingsTab tab() const { return tab_; }
    PixelSplash& splash() { return splash_; }
    double symbolScale() const { return bounce_.scale(); }

    void setSelected(bool selected) {
        if (selected == isChecked()) return;
        setChecked(selected);
        // Both the newly and the previously selected symbols bounce.
        bounce_.play();
        updateGeometry();
    }

    QSize sizeHint() const override {
        const QFontMetricsF metrics(labelFont(isChecked()));
        const double w = TabBar::symbolPoints + TabBar::labelSpacing + metrics.horizontalAdvance(text()) +
                         2 * TabBar::buttonHorizontalPadding;
        const double h = std::max(metrics.height(), TabBar::symbolPoints) + 2 * TabBar::buttonVerticalPadding;
        return QSize(int(std::ceil(w)), int(std::ceil(h)));
    }
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    // The bar decides the selection; a click only asks for it.
    void nextCheckState() override {}

    bool hitButton(const QPoint& position) const override {
        return continuousCapsule(QRectF(rect())).contains(QPointF(position));
    }


    void paintEvent(QPaintEvent*) override {
        const ColorEnvironment env = colorEnvironmentFor(this);
        const bool selected = isChecked();
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        const QFont font = labelFont(selected);
        const QFontMetricsF metrics(font);
        const QRectF r(rect());
        const double contentWidth = TabBar::symbolPoints + TabBar::labelSpacing + metrics.horizontalAdvance(text());
        const double x = r.center().x() - contentWidth / 2;
        const QRectF symbolRect(x, r.center().y() - TabBar::symbolPoints / 2, TabBar::symbolPoints,
                                TabBar::symbolPoints);
        const QPointF baseline(x + TabBar::symbolPoints + TabBar::labelSpacing,
                               r.center().y() + (metrics.ascent() - metrics.descent()) / 2);
        const QColor ink = selected ? QColor(Qt::white) : Theme::inkMuted.resolve(env);
        const std::string symbol(TabBar::item(tab_).symbol);

        if (selected) {
            QPainterPath glyphs;
            glyphs.addText(baseline, font, text());
            glyphs.addText(QPointF(symbolRect.left(), symbolRect.bottom() - 1), Symbols::font(TabBar::symbolPoints),
                           Symbols::text(symbol));
            paintShadow(painter, glyphs,
                        {QColor::fromRgbF(0, 0, 0, float(labelShadowOpacity)), labelShadowRadius, labelShadowOffset},
                        false);
        }
        painter.save();
        painter.translate(symbolRect.center());
        painter.scale(bounce_.scale(), bounce_.scale());
        painter.translate(-symbolRect.center());
        Symbols::draw(painter, symbolRect, symbol, ink, TabBar::symbolPoints);
        painter.restore();
        painter.setFont(font);
        painter.setPen(ink);
        painter.drawText(baseline, text());

        if (focusRing_.shows()) {
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(Theme::honey.resolve(env), 2));
            painter.drawPath(continuousCapsule(r.adjusted(1, 1, -1, -1)));
        }
    }

private:
    TabBar* bar_;
    SettingsTab tab_;
    PixelSplash splash_;
    SymbolBounce bounce_;
    FocusRing focusRing_{this};
};

std::span<const TabBarItem> TabBar::items() { return tabItems; }

const TabBarItem& TabBar::item(SettingsTab tab) { return tabItems[indexOf(tab)]; }

int TabBar::number(SettingsTab tab) { return int(indexOf(tab)) + 1; }

QString TabBar::title(SettingsTab tab) {
    const std::string_view t = item(tab).title;
    return QString::fromUtf8(t.data(), qsizetype(t.size()));
}

QString TabBar::toolTip(SettingsTab tab) {
    return title(tab) + QString::fromUtf8(" (\u2318") + QString::number(number(tab)) + QLatin1Char(')');
}

QKeySequence TabBar::keyEquivalent(SettingsTab tab) {
    return QKeySequence(QKeyCombination(Qt::ControlModifier, Qt::Key(Qt::Key_0 + number(tab))));
}

TabBar::TabBar(QWidget* parent)
    : QWidget(parent),
      blob_(QRectF()),
      shadow_(
          this, [this] { return continuousCapsule(QRectF(rect())); },
          [this] { return controlGlassShadow(colorEnvironmentFor(this)); }),
      display_([this] { update(); }) {
    setObjectName(QStringLiteral("tabBar"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* row = new QHBoxLayout(this);
    const int m = int(padding);
    row->setContentsMargins(m, m, m, m);
    row->setSpacing(int(spacing));
    for (const TabBarItem& it : tabItems) {
        auto* b = new Button(this, it.tab);
        buttons_[indexOf(it.tab)] = b;
        row->addWidget(b, 0, Qt::AlignVCenter);
        auto* shortcut = new QShortcut(keyEquivalent(it.tab), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, tab = it.tab] { select(tab); });
        shortcuts_[indexOf(it.tab)] = shortcut;
    }
    buttons_[indexOf(selection_)]->setSelected(true);
    blob_.setOnFrame([this] { update(); });
}

TabBar::~TabBar() = default;

QAbstractButton* TabBar::button(SettingsTab tab) const { return buttons_[indexOf(tab)]; }

QRectF TabBar::buttonRect(SettingsTab tab) const { return QRectF(buttons_[indexOf(tab)]->geometry()); }

double TabBar::symbolScale(SettingsTab tab) const { return buttons_[indexOf(tab)]->symbolScale(); }

QRectF TabBar::blobRect() const { return blob_.isAnimating() ? blob_.value() : buttonRect(selection_); }

void TabBar::apply(SettingsTab tab) {
    buttons_[indexOf(selection_)]->setSelected(false);
    selection_ = tab;
    buttons_[indexOf(selection_)]->setSelected(true);
    update();
    emit selectionChanged(tab);
}

void TabBar::setSelection(SettingsTab tab) {
    if (tab == selection_) return;
    blob_.setValue(QRectF());
    apply(tab);
}

void TabBar::select(SettingsTab tab) {
    if (tab == selection_) return;
    playHaptic(HapticPattern::alignment);
    const QRectF from = blobRect();
    apply(tab);
    // The new tab's width settles with its bolder title once the layout runs;
    // the blob glides toward where the button stands then.
    if (QLayout* l = layout()) l->activate();
    blob_.setValue(from);
    blob_.animateTo(buttonRect(tab), Animation::spring(Theme::wobble));
    ++splashes_;
    buttons_[indexOf(tab)]->splash().update(splashes_, false, false);
}

void TabBar::setShortcutsEnabled(bool enabled) {
    if (enabled == shortcutsEnabled_) return;
    shortcutsEnabled_ = enabled;
    for (QShortcut* s : shortcuts_) s->setEnabled(enabled);
}

void TabBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    shadow_.refresh();
}

void TabBar::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shadow_.refresh();
}

void TabBar::paintBlob(QPainter& painter, const QRectF& blob, const ColorEnvironment& env) {
    const QPainterPath capsule = continuousCapsule(blob);
    Rgba glow = Rainbow::colors[4];
    glow.alpha = blobShadowOpacity;
    paintShadow(painter, capsule, {glow.toQColor(), blobShadowRadius, blobShadowOffset});

    painter.save();
    painter.setClipPath(capsule, Qt::IntersectClip);
    // Brim-full: the liquid's top is flat, so it stands still.
    RainbowLiquid(blobLevel).paint(painter, blob, env);
    paintPixelGrain(painter, blob, blobGrain);
    QLinearGradient gloss(blob.topLeft(), QPointF(blob.left(), blob.center().y()));
    gloss.setColorAt(0, QColor::fromRgbF(1, 1, 1, float(blobGlossOpacity)));
    gloss.setColorAt(1, QColor::fromRgbF(1, 1, 1, 0));
    painter.setCompositionMode(QPainter::CompositionMode_Overlay);
    painter.fillRect(blob, gloss);
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Theme::rim.resolve(env), blobRimWidth));
    const double h = blobRimWidth / 2;
    painter.drawPath(continuousCapsule(blob.adjusted(h, h, -h, -h)));
}

void TabBar::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF r(rect());
    const QPainterPath capsule = continuousCapsule(r);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    paintControlGlass(painter, capsule, env);

    const QRectF blob = blobRect();
    if (!blob.isEmpty()) paintBlob(painter, blob, env);
}

}  // namespace velorin
