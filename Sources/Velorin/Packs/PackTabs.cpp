#include "Velorin/Packs/PackTabs.h"

#include <QEvent>

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Theme.h"

namespace velorin {

namespace {

constexpr double spacing = 6;
constexpr double verticalMargin = 2;
constexpr double paddingX = 14;
constexpr double paddingY = 7;
constexpr double badgeSpacing = 5;
constexpr double badgePaddingX = 6;
constexpr double badgePaddingY = 1;
constexpr double pillLevel = 1.2;
constexpr double grainStrength = 0.2;
constexpr double rimWidth = 0.8;

QFont titleFont() { return Fonts::system(13, QFont::DemiBold); }
QFont badgeFont() { return Fonts::system(11, QFont::Bold); }

QSizeF badgeSize(int count) {
    const QFontMetricsF m(badgeFont());
    return QSizeF(m.horizontalAdvance(QString::number(count)) + 2 * badgePaddingX, m.height() + 2 * badgePaddingY);
}

}  // namespace

// ---- PackTabButton

PackTabButton::PackTabButton(PackTab tab, QWidget* parent)
    : QAbstractButton(parent), tab_(std::move(tab)), display_([this] { update(); }) {
    setObjectName(QString::fromStdString("packTabs." + tab_.id));
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(QString::fromStdString(tab_.title));
}

void PackTabButton::setTab(PackTab tab) {
    if (tab == tab_) return;
    tab_ = std::move(tab);
    updateGeometry();
    update();
}

void PackTabButton::setSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    update();
}

QSize PackTabButton::sizeHint() const {
    const QFontMetricsF m(titleFont());
    double w = m.horizontalAdvance(QString::fromStdString(tab_.title));
    double h = m.height();
    if (tab_.count) {
        const QSizeF badge = badgeSize(*tab_.count);
        w += badgeSpacing + badge.width();
        h = std::max(h, badge.height());
    }
    return QSize(int(std::ceil(w + 2 * paddingX)), int(std::ceil(h + 2 * paddingY)));
}

void PackTabButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QColor text = selected_ ? QColor(Qt::white) : Theme::ink.resolve(env);
    const QFontMetricsF m(titleFont());
    const QString title = QString::fromStdString(tab_.title);
    double x = paddingX;
    const double mid = height() / 2.0;
    auto drawText = [&](const QRectF& r, const QString& s, const QFont& font) {
        painter.setFont(font);
        if (selected_) {
            painter.setPen(QColor(0, 0, 0, 128));
            painter.drawText(r.translated(0, 1), Qt::AlignCenter, s);
        }
        painter.setPen(text);
        painter.drawText(r, Qt::AlignCenter, s);
    };
    const double titleWidth = m.horizontalAdvance(title);
    drawText(QRectF(x, mid - m.height() / 2, titleWidth, m.height()), title, titleFont());
    x += titleWidth;
    if (tab_.count) {
        const QSizeF badge = badgeSize(*tab_.count);
        const QRectF r(x + badgeSpacing, mid - badge.height() / 2, badge.width(), badge.height());
        painter.setPen(Qt::NoPen);
        painter.setBrush((selected_ ? Theme::onAccent.opacity(0.15) : Theme::inkFaint).resolve(env));
        painter.drawPath(continuousCapsule(r));
        drawText(r, QString::number(*tab_.count), badgeFont());
    }
    if (focusRing_.shows()) {
        painter.setPen(QPen(Theme::honey.resolve(env), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(continuousCapsule(QRectF(rect()).adjusted(1, 1, -1, -1)));
    }
}



// ---- PackTabStrip

PackTabStrip::PackTabStrip(QWidget* parent)
    : QWidget(parent), pill_(QRectF(), [this] {
          pillAnchor_->setGeometry(pill_.value().toAlignedRect());
          update();
      }),
      pillAnchor_(new QWidget(this)), liquid_(this, pillLevel), display_([this] { update(); }) {
    setObjectName("packTabs.strip");
    pillAnchor_->setAttribute(Qt::WA_TransparentForMouseEvents);
    pillAnchor_->lower();
    splash_ = std::make_unique<PixelSplash>(pillAnchor_);
    splash_->update(0, false, false);
}

PackTabStrip::~PackTabStrip() { splash_.reset(); }

PackTabButton* PackTabStrip::button(const std::string& id) const {
    for (auto* b : buttons_) {
        if (b->tab().id == id) return b;
    }
    return nullptr;
}

void PackTabStrip::setTabs(const std::vector<PackTab>& tabs, const std::string& selected) {
    bool changedIds = tabs.size() != buttons_.size();
    for (std::size_t i = 0; !changedIds && i < tabs.size(); ++i) changedIds = buttons_[i]->tab().id != tabs[i].id;
    if (changedIds) {
        // Buttons are kept by tab id; only tabs that come or go are made or dropped.
        std::vector<PackTabButton*> next;
        for (const auto& tab : tabs) {
            PackTabButton* b = button(tab.id);
            if (!b) {
                b = new PackTabButton(tab, this);
                const std::string id = tab.id;
                connect(b, &QAbstractButton::clicked, this, [this, id] {
                    if (id != selected_) emit selectionRequested(id);
                });
                b->show();
            }
            next.push_back(b);
        }
        for (auto* b : buttons_) {
            if (std::find(next.begin(), next.end(), b) == next.end()) {
                b->hide();
                b->deleteLater();
            }
        }
        buttons_ = std::move(next);
    }
    for (std::size_t i = 0; i < tabs.size(); ++i) buttons_[i]->setTab(tabs[i]);
    const bool moved = selected != selected_ && !selected_.empty();
    selected_ = selected;
    for (auto* b : buttons_) b->setSelected(b->tab().id == selected_);
    if (moved) {
        ++splashes_;
        splash_->update(splashes_, false, false);
    }
    const QRectF from = pill_.value();
    resize(sizeHint());
    if (moved && !from.isNull()) pill_.setValue(from);
    arrange(moved);
}

QSize PackTabStrip::sizeHint() const {
    double w = 0;
    double h = 0;
    for (auto* b : buttons_) {
        const QSize s = b->sizeHint();
        w += s.width();
        h = std::max(h, double(s.height()));
    }
    if (!buttons_.empty()) w += spacing * double(buttons_.size() - 1);
    return QSize(int(std::ceil(w)), int(std::ceil(h + 2 * verticalMargin)));
}

void PackTabStrip::arrange(bool animated) {
    double x = 0;
    QRectF target;
    for (auto* b : buttons_) {
        const QSize s = b->sizeHint();
        b->setGeometry(int(x), int(verticalMargin), s.width(), s.height());
        if (b->isSelected()) target = QRectF(b->geometry());
        x += s.width() + spacing;
    }
    if (target.isNull()) {
        pill_.setValue(QRectF());
    } else if (animated && !pill_.value().isNull()) {
        pill_.animateTo(target, Animation::spring(Theme::wobble));
    } else {
        pill_.setValue(target);
    }
    update();
}

void PackTabStrip::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange(false);
}

void PackTabStrip::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    liquid_.refresh();
}

void PackTabStrip::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    liquid_.refresh();
}

void PackTabStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const ColorEnvironment env = colorEnvironmentFor(this);
    for (auto* b : buttons_) {
        if (b->isSelected()) continue;
        paintRainbowGlass(painter, QRectF(b->geometry()), false, false, env);
    }
    const QRectF pill = pill_.value();
    if (pill.isEmpty()) return;
    const QPainterPath capsule = continuousCapsule(pill);
    painter.save();
    painter.setClipPath(capsule);
    liquid_.paint(painter, pill, env);
    paintPixelGrain(painter, pill, grainStrength);
    painter.restore();
    painter.setPen(QPen(Theme::rim.resolve(env), rimWidth));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousCapsule(pill.adjusted(rimWidth / 2, rimWidth / 2, -rimWidth / 2, -rimWidth / 2)));
}

// ---- PackTabs

PackTabs::PackTabs(QWidget* parent) : QScrollArea(parent), strip_(new PackTabStrip) {
    setObjectName("packTabs");
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(false);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    setWidget(strip_);
    // setWidget turns the strip's background on: off again, the water shows through.
    strip_->setAutoFillBackground(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

bool PackTabs::eventFilter(QObject* watched, QEvent* event) {
    const bool handled = QScrollArea::eventFilter(watched, event);
    // The strip sizes itself to its tabs; the area follows its height.
    if (watched == strip_ && event->type() == QEvent::Resize) updateGeometry();
    return handled;
}

QSize PackTabs::sizeHint() const { return QSize(400, strip_->sizeHint().height()); }

}  // namespace velorin
