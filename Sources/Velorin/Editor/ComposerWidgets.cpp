#include "Velorin/Editor/ComposerWidgets.h"

#include <QEnterEvent>
#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QTimer>

#include <algorithm>
#include <cmath>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Symbols.h"
#include "Velorin/Design/Theme.h"

namespace velorin::composer {
namespace {

constexpr Spring tileOnSpring{0.35, 0.65, 0};
constexpr Spring tileAppearSpring{0.45, 0.72, 0};
constexpr Spring pillAppearSpring{0.45, 0.75, 0};
constexpr Spring capsuleSpring{0.45, 0.7, 0};

constexpr double tileRadius = 14;
constexpr double tileVerticalPadding = 12;
constexpr double tileSidePadding = 6;
constexpr double tileGap = 8;             // between icon and title
constexpr double tileTitleHeight = 30;    // at least, two lines of 12 points
constexpr double tileTitlePoints = 12;
constexpr double hoverScaleTile = 1.04;
constexpr double hiddenScaleTile = 0.8;

constexpr double pillVerticalPadding = 9;
constexpr double pillGap = 7;
constexpr double pillSymbolPoints = 12.5;
constexpr double pillTextPoints = 13;
constexpr double hoverScalePill = 1.03;
constexpr double pillRise = 8;  // points below its place before it comes in
constexpr int pillSpacing = 8;

}  // namespace

// --- AdaptiveGridLayout ---

AdaptiveGridLayout::AdaptiveGridLayout(double minimum, double maximum, int spacing, QWidget* parent)
    : QLayout(parent), minimum_(minimum), maximum_(maximum), gap_(spacing) {
    setContentsMargins(0, 0, 0, 0);
}

AdaptiveGridLayout::~AdaptiveGridLayout() {
    for (auto* item : items_) delete item;
}

void AdaptiveGridLayout::addItem(QLayoutItem* item) { items_.push_back(item); }

QLayoutItem* AdaptiveGridLayout::itemAt(int index) const {
    return index >= 0 && index < count() ? items_[static_cast<std::size_t>(index)] : nullptr;
}

QLayoutItem* AdaptiveGridLayout::takeAt(int index) {
    if (index < 0 || index >= count()) return nullptr;
    QLayoutItem* item = items_[static_cast<std::size_t>(index)];
    items_.erase(items_.begin() + index);
    return item;
}

int AdaptiveGridLayout::columns(int width) const {
    const double room = std::max(0, width) + gap_;
    return std::max(1, static_cast<int>(std::floor(room / (minimum_ + gap_))));
}

QSize AdaptiveGridLayout::sizeHint() const {
    const auto margins = contentsMargins();
    const int width = static_cast<int>(std::ceil(minimum_ * 3 + gap_ * 2)) + margins.left() + margins.right();
    return {width, heightForWidth(width)};
}

QSize AdaptiveGridLayout::minimumSize() const {
    const auto margins = contentsMargins();
    // The height follows the width (heightForWidth); a single column's would
    // be far taller than any row the grid is given.
    return {static_cast<int>(std::ceil(minimum_)) + margins.left() + margins.right(), 0};
}

int AdaptiveGridLayout::heightForWidth(int width) const { return arrange(QRect(0, 0, width, 0), false); }

void AdaptiveGridLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

int AdaptiveGridLayout::arrange(const QRect& outer, bool apply) const {
    const auto margins = contentsMargins();
    const QRect rect = outer.marginsRemoved(margins);
    std::vector<QLayoutItem*> shown;
    for (auto* item : items_) {
        if (!item->isEmpty()) shown.push_back(item);
    }
    const int cols = columns(rect.width());
    double column = (rect.width() - gap_ * (cols - 1)) / double(cols);
    if (maximum_ > 0) column = std::min(column, maximum_);
    column = std::max(column, 1.0);
    const double used = column * cols + gap_ * (cols - 1);
    const double left = rect.left() + std::max(0.0, (rect.width() - used) / 2);
    int y = rect.top();
    for (std::size_t start = 0; start < shown.size(); start += static_cast<std::size_t>(cols)) {
        const std::size_t end = std::min(shown.size(), start + static_cast<std::size_t>(cols));
        int rowHeight = 0;
        for (std::size_t i = start; i < end; ++i) {
            const QSize hint = shown[i]->sizeHint();
            const int h = shown[i]->hasHeightForWidth() ? shown[i]->heightForWidth(int(column)) : hint.height();
            rowHeight = std::max(rowHeight, h);
        }
        if (apply) {
            for (std::size_t i = start; i < end; ++i) {
                const double x = left + (column + gap_) * double(i - start);
                const int x0 = static_cast<int>(std::round(x));
                const int x1 = static_cast<int>(std::round(x + column));
                shown[i]->setGeometry(QRect(x0, y, x1 - x0, rowHeight));
            }
        }
        y += rowHeight + gap_;
    }
    if (!shown.empty()) y -= gap_;
    return y - rect.top() + margins.top() + margins.bottom();
}

// --- Icons ---

void paintOptionIcon(QPainter& painter, const QRectF& rect, std::string_view symbol, bool on,
                     const ColorEnvironment& environment) {
    const ThemeColor color = on ? Theme::ink : Theme::inkMuted;
    Symbols::draw(painter, rect, symbol, color.resolve(environment), 18 * 1.2);
}

void paintWindowDiagram(QPainter& painter, const QRectF& rect, WindowCommand command, bool on,
                        const ColorEnvironment& environment) {
    painter.save();
    painter.translate(rect.topLeft());
    const QSizeF size = rect.size();
    const QColor colour = Theme::inkMuted.resolve(environment);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    QColor screen = colour;
    screen.setAlphaF(screen.alphaF() * 0.12f);
    painter.fillPath(continuousRoundedRect(QRectF(QPointF(0, 0), size), 8), screen);
    const QRectF target = ComposerRules::windowTarget(command, ComposerRules::windowInner(size));
    const QPainterPath targetPath = continuousRoundedRect(target, 4);
    if (on) {
        QLinearGradient gradient(target.topLeft(), target.bottomLeft());
        QColor top = colour;
        QColor bottom = colour;
        bottom.setAlphaF(bottom.alphaF() * 0.7f);
        gradient.setColorAt(0, top);
        gradient.setColorAt(1, bottom);
        painter.fillPath(targetPath, gradient);
    } else {
        QColor idle = colour;
        idle.setAlphaF(idle.alphaF() * 0.45f);
        painter.fillPath(targetPath, idle);
    }
    if (command == WindowCommand::nextDisplay) {
        Symbols::draw(painter, QRectF(QPointF(0, 0), size), "arrow.right", Qt::white, 11 * 1.25);
    }
    painter.restore();
}

// --- Appearing ---

Appearing::Appearing(QWidget* widget, Spring spring)
    : widget_(widget), spring_(spring), progress_(0.0, [widget] { widget->update(); }) {}

void Appearing::shown(double delaySeconds) {
    if (started_) return;
    started_ = true;
    if (Motion::instant() || Display::reduceMotion()) {
        progress_.setValue(1);
        return;
    }
    QTimer::singleShot(static_cast<int>(std::lround(delaySeconds * 1000)), widget_,
                       [this] { progress_.animateTo(1.0, Animation::spring(spring_)); });
}

// --- Entrance ---

Entrance::Entrance(Spring spring, double rise, QWidget* card)
    : QGraphicsEffect(card), card_(card), spring_(spring), rise_(rise), progress_(1.0, [this] { moved(); }) {}

void Entrance::play() {
    if (Motion::instant() || Display::reduceMotion() || !card_->isVisible()) {
        leaving_ = QPixmap();
        progress_.setValue(1);
        updateBoundingRect();
        return;
    }
    // The card as it stands now, drawn without this effect; a card still on
    // its way in leaves from where it had come to.
    leavingFrom_ = opacity();
    leavingOffset_ = offset();
    setEnabled(false);
    QPixmap picture = card_->grab();
    setEnabled(true);
    progress_.setValue(0);
    leaving_ = std::move(picture);  // after the jump, which drops a picture at rest
    progress_.animateTo(1.0, Animation::spring(spring_));
    updateBoundingRect();
}

double Entrance::leavingOpacity() const {
    return leaving_.isNull() ? 0 : leavingFrom_ * std::clamp(1 - progress(), 0.0, 1.0);
}

void Entrance::moved() {
    if (!progress_.isAnimating() && !leaving_.isNull()) {
        leaving_ = QPixmap();
        updateBoundingRect();
    }
    update();
}

QRectF Entrance::boundingRectFor(const QRectF& rect) const {
    // Room for the card's travel, above when the spring overshoots, and for
    // the old card where it stood.
    QRectF room = rect.adjusted(0, -rise_, 0, rise_);
    if (!leaving_.isNull()) {
        const QSizeF size = QSizeF(leaving_.size()) / leaving_.devicePixelRatio();
        room = room.united(QRectF(QPointF(0, leavingOffset_), size));
    }
    return room;
}

void Entrance::draw(QPainter* painter) {
    if (progress() >= 1 && !progress_.isAnimating() && leaving_.isNull()) {
        drawSource(painter);
        return;
    }
    QPoint origin;
    const QPixmap pixmap = sourcePixmap(Qt::LogicalCoordinates, &origin);
    painter->save();
    const double base = painter->opacity();
    if (const double gone = leavingOpacity(); gone > 0) {
        painter->setOpacity(base * gone);
        painter->drawPixmap(QPointF(0, leavingOffset_), leaving_);
    }
    painter->setOpacity(base * opacity());
    painter->drawPixmap(QPointF(origin) + QPointF(0, offset()), pixmap);
    painter->restore();
}

// --- OptionTile ---

OptionTile::OptionTile(QString title, QSizeF iconSize, IconPainter icon, int index, QWidget* parent)
    : QAbstractButton(parent),
      iconSize_(iconSize),
      icon_(std::move(icon)),
      index_(index),
      onAmount_(0.0, [this] { update(); }),
      hoverAmount_(0.0, [this] { update(); }),
      bounce_([this] { update(); }),
      appearing_(this, tileAppearSpring),
      display_([this] { update(); }) {
    setObjectName("composer.tile");
    setText(title);
    setProperty("title", title);
    setProperty("on", false);
    setCursor(Qt::PointingHandCursor);
    setAttribute(Qt::WA_Hover);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

OptionTile::~OptionTile() = default;

void OptionTile::setOn(bool on) {
    if (on == on_) return;
    on_ = on;
    setProperty("on", on);
    onAmount_.animateTo(on ? 1.0 : 0.0, Animation::spring(tileOnSpring));
    // A tile's first state is no change: only a tile on screen bounces.
    if (bounces_ && appearing_.started()) bounce_.play();
}

void OptionTile::setTitle(const QString& title) {
    if (title == text()) return;
    setText(title);
    setProperty("title", title);
    updateGeometry();
    update();
}

void OptionTile::setIcon(IconPainter icon) {
    icon_ = std::move(icon);
    update();
}

QSize OptionTile::sizeHint() const {
    const double height = tileVerticalPadding * 2 + iconSize_.height() + tileGap + tileTitleHeight;
    return {int(TileGrid::minimumColumn), int(std::ceil(height))};
}

QSize OptionTile::minimumSizeHint() const { return sizeHint(); }

void OptionTile::enterEvent(QEnterEvent* event) {
    QAbstractButton::enterEvent(event);
    hovering_ = true;
    hoverAmount_.animateTo(1.0, Animation::spring(Theme::snappy));
}

void OptionTile::leaveEvent(QEvent* event) {
    QAbstractButton::leaveEvent(event);
    hovering_ = false;
    hoverAmount_.animateTo(0.0, Animation::spring(Theme::snappy));
}

void OptionTile::showEvent(QShowEvent* event) {
    QAbstractButton::showEvent(event);
    appearing_.shown(ComposerRules::tileDelay(index_));
}

void OptionTile::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double shown = appearing_.progress();
    const double on = onAmount_.value();
    const double hover = on_ ? 0 : hoverAmount_.value();
    const double scale = (hiddenScaleTile + (1 - hiddenScaleTile) * shown) * (1 + (hoverScaleTile - 1) * hover);
    painter.setOpacity(std::clamp(shown, 0.0, 1.0));
    const QRectF bounds = QRectF(rect());
    painter.translate(bounds.center());
    painter.scale(scale, scale);
    painter.translate(-bounds.center());

    const QRectF tile = bounds.adjusted(1, 1, -1, -1);
    const QPainterPath shape = continuousRoundedRect(tile, tileRadius);
    painter.fillPath(shape, Theme::warmWhite.opacity(0.3 + 0.5 * on).resolve(env));
    if (on > 0.5) {
        painter.setPen(QPen(Theme::ink.opacity(0.55).resolve(env), 1.5));
        painter.drawPath(continuousRoundedRect(tile.adjusted(0.75, 0.75, -0.75, -0.75), tileRadius - 0.75));
    } else {
        painter.setPen(QPen(Theme::inkFaint.resolve(env), 1));
        painter.drawPath(continuousRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), tileRadius - 0.5));
    }

    const QRectF iconRect(bounds.center().x() - iconSize_.width() / 2, bounds.top() + tileVerticalPadding,
                          iconSize_.width(), iconSize_.height());
    if (icon_) {
        painter.save();
        const double bounce = bounce_.scale();
        painter.translate(iconRect.center());
        painter.scale(bounce, bounce);
        painter.translate(-iconRect.center());
        icon_(painter, iconRect, env);
        painter.restore();
    }

    const QRectF titleRect(bounds.left() + tileSidePadding, iconRect.bottom() + tileGap,
                           bounds.width() - 2 * tileSidePadding, tileTitleHeight);
    painter.setPen(Theme::ink.resolve(env));
    painter.setFont(Fonts::system(tileTitlePoints, on_ ? QFont::Bold : QFont::DemiBold));
    QFontMetricsF metrics(painter.font());
    // At most two lines; the second is cut short when the title runs on.
    QString title = text();
    const QRectF needed = metrics.boundingRect(titleRect, Qt::AlignHCenter | Qt::TextWordWrap, title);
    if (needed.height() > metrics.lineSpacing() * 2 + 1) {
        title = metrics.elidedText(title, Qt::ElideRight, titleRect.width() * 2 - metrics.averageCharWidth());
    }
    painter.drawText(titleRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap, title);

    if (on > 0.01) {
        // The check at the top trailing corner pops in with the on state.
        const double side = 15 * 1.2;
        const QRectF check(bounds.right() - 6 - side, bounds.top() + 6, side, side);
        painter.save();
        painter.setOpacity(painter.opacity() * std::clamp(on, 0.0, 1.0));
        const double s = 0.3 + 0.7 * std::clamp(on, 0.0, 1.2);
        painter.translate(check.center());
        painter.scale(s, s);
        painter.translate(-check.center());
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::ink.resolve(env));
        painter.drawEllipse(check.adjusted(2, 2, -2, -2));
        Symbols::draw(painter, check.adjusted(3, 3, -3, -3), "checkmark", Theme::milk.resolve(env), side * 0.62);
        painter.restore();
    }
}

// --- TileGrid ---

TileGrid::TileGrid(QWidget* parent) : QWidget(parent) {
    layout_ = new AdaptiveGridLayout(minimumColumn, 0, spacing, this);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

TileGrid::~TileGrid() = default;

void TileGrid::setItems(std::vector<Item> items) {
    std::vector<std::pair<std::string, OptionTile*>> kept;
    for (std::size_t i = 0; i < items.size(); ++i) {
        auto& item = items[i];
        OptionTile* tile = nullptr;
        auto it = std::find_if(tiles_.begin(), tiles_.end(), [&](const auto& entry) { return entry.first == item.key; });
        if (it != tiles_.end()) {
            tile = it->second;
            tiles_.erase(it);
            tile->setTitle(item.title);
            tile->setIcon(std::move(item.icon));
        } else {
            tile = new OptionTile(item.title, item.iconSize, std::move(item.icon), static_cast<int>(i), this);
            tile->setBounces(item.bounces);
            connect(tile, &OptionTile::clicked, this, [this, key = item.key] { emit tapped(key); });
        }
        tile->setOn(item.on);
        kept.emplace_back(item.key, tile);
    }
    for (auto& [key, tile] : tiles_) {
        tile->hide();
        tile->deleteLater();  // it may be the one being clicked
    }
    while (layout_->count() > 0) delete layout_->takeAt(0);
    for (auto& [key, tile] : kept) {
        layout_->addWidget(tile);
        tile->show();
    }
    tiles_ = std::move(kept);
    layout_->invalidate();
    updateGeometry();
}

std::vector<OptionTile*> TileGrid::tiles() const {
    std::vector<OptionTile*> list;
    for (const auto& [key, tile] : tiles_) list.push_back(tile);
    return list;
}

// --- KindPills ---

class KindPills::Pill : public QAbstractButton {
public:
    Pill(ComposerKind kind, int index, QWidget* parent)
        : QAbstractButton(parent),
          kind_(kind),
          index_(index),
          hover_(0.0, [this] { update(); }),
          appearing_(this, pillAppearSpring) {
        setObjectName("composer.pill");
        const auto& texts = ComposerRules::texts(kind);
        setText(QString::fromUtf8(texts.pill.data(), qsizetype(texts.pill.size())));
        setProperty("kind", text());
        setCursor(Qt::PointingHandCursor);
        setAttribute(Qt::WA_Hover);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

    ComposerKind kind() const { return kind_; }
    void setOn(bool on) {
        if (on == on_) return;
        on_ = on;
        setProperty("on", on);
        update();
    }

    QSize sizeHint() const override {
        QFontMetricsF metrics(Fonts::system(pillTextPoints, QFont::Bold));
        const double width = pillSymbolPoints * 1.3 + pillGap + metrics.horizontalAdvance(text()) + 16;
        return {int(std::ceil(width)), int(std::ceil(metrics.height() + 2 * pillVerticalPadding))};
    }
    QSize minimumSizeHint() const override { return {10, sizeHint().height()}; }

protected:
    bool hitButton(const QPoint& position) const override {
        return continuousCapsule(QRectF(rect())).contains(QPointF(position));
    }
    void enterEvent(QEnterEvent* event) override {
        QAbstractButton::enterEvent(event);
        hover_.animateTo(1.0, Animation::spring(Theme::snappy));
    }
    void leaveEvent(QEvent* event) override {
        QAbstractButton::leaveEvent(event);
        hover_.animateTo(0.0, Animation::spring(Theme::snappy));
    }
    void showEvent(QShowEvent* event) override {
        QAbstractButton::showEvent(event);
        appearing_.shown(ComposerRules::pillDelay(index_));
    }
    void paintEvent(QPaintEvent*) override {
        const ColorEnvironment env = colorEnvironmentFor(this);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const double shown = appearing_.progress();
        painter.setOpacity(std::clamp(shown, 0.0, 1.0));
        painter.translate(0, (1 - shown) * pillRise);
        const QRectF bounds(rect());
        if (!on_) paintRainbowGlass(painter, bounds, false, false, env);
        const double scale = on_ ? 1 : 1 + (hoverScalePill - 1) * hover_.value();
        painter.translate(bounds.center());
        painter.scale(scale, scale);
        painter.translate(-bounds.center());
        const QColor colour = (on_ ? Theme::ink : Theme::inkMuted).resolve(env);
        const QFont font = Fonts::system(pillTextPoints, on_ ? QFont::Bold : QFont::DemiBold);
        QFontMetricsF metrics(font);
        const double symbolSide = pillSymbolPoints * 1.3;
        const double textWidth = std::min(metrics.horizontalAdvance(text()), bounds.width() - symbolSide - pillGap);
        const double total = symbolSide + pillGap + textWidth;
        const double x = bounds.center().x() - total / 2;
        const auto& texts = ComposerRules::texts(kind_);
        Symbols::draw(painter, QRectF(x, bounds.center().y() - symbolSide / 2, symbolSide, symbolSide), texts.symbol,
                      colour, pillSymbolPoints * 1.2);
        painter.setFont(font);
        painter.setPen(colour);
        const QRectF textRect(x + symbolSide + pillGap, bounds.top(), textWidth + 1, bounds.height());
        painter.drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                         metrics.elidedText(text(), Qt::ElideRight, textRect.width()));
    }

private:
    ComposerKind kind_;
    int index_;
    bool on_ = false;
    AnimatedValue<double> hover_;
    Appearing appearing_;
};

KindPills::KindPills(QWidget* parent)
    : QWidget(parent), capsule_(QRectF(), [this] { update(); }), display_([this] { update(); }) {
    setObjectName("composer.pills");
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(pillSpacing);
    grid->setVerticalSpacing(pillSpacing);
    int index = 0;
    for (ComposerKind kind : allComposerKinds) {
        auto* pill = new Pill(kind, index, this);
        connect(pill, &QAbstractButton::clicked, this, [this, kind] { emit tapped(kind); });
        grid->addWidget(pill, index / 4, index % 4);
        pills_.push_back(pill);
        ++index;
    }
    for (int column = 0; column < 4; ++column) grid->setColumnStretch(column, 1);
    pills_.front()->setOn(true);
}

KindPills::~KindPills() = default;

QAbstractButton* KindPills::pill(ComposerKind kind) const { return pills_[static_cast<std::size_t>(kind)]; }

void KindPills::setCurrent(ComposerKind kind) {
    if (kind == current_) return;
    current_ = kind;
    for (auto* pill : pills_) pill->setOn(pill->kind() == kind);
    if (placed_) {
        capsule_.animateTo(targetCapsule(), Animation::spring(capsuleSpring));
    } else {
        capsule_.setValue(targetCapsule());
    }
}

QRectF KindPills::targetCapsule() const { return QRectF(pills_[static_cast<std::size_t>(current_)]->geometry()); }

void KindPills::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    capsule_.setValue(targetCapsule());
}

void KindPills::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    placed_ = true;
    capsule_.setValue(targetCapsule());
}

void KindPills::paintEvent(QPaintEvent*) {
    const QRectF capsule = capsule_.value();
    if (capsule.isEmpty()) return;
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = continuousCapsule(capsule);
    // A soft shadow under the capsule, inside the room between the pills.
    for (int i = 3; i >= 1; --i) {
        QColor shade = Theme::shadow.resolve(env);
        shade.setAlphaF(shade.alphaF() * 0.18f / 3);
        painter.fillPath(continuousCapsule(capsule.translated(0, 2).adjusted(-i, -i + 1, i, i)), shade);
    }
    painter.fillPath(shape, Theme::warmWhite.opacity(0.92).resolve(env));
    painter.save();
    painter.setClipPath(shape);
    const QRectF band(capsule.left() + 14, capsule.bottom() - 2.5, capsule.width() - 28, 2.5);
    QLinearGradient rainbow(band.topLeft(), band.topRight());
    const int count = int(Rainbow::colors.size());
    for (int i = 0; i <= count; ++i) rainbow.setColorAt(double(i) / count, Rainbow::colors[std::size_t(i % count)].toQColor());
    painter.fillRect(band, rainbow);
    painter.restore();
    painter.setPen(QPen(Theme::rim.resolve(env), 1));
    painter.drawPath(continuousCapsule(capsule.adjusted(0.5, 0.5, -0.5, -0.5)));
}

// --- SymbolIcon ---

SymbolIcon::SymbolIcon(std::string_view symbol, double points, QWidget* parent)
    : QWidget(parent), symbol_(symbol), points_(points), display_([this] { update(); }) {
    const int side = int(std::ceil(points * 1.3));
    setFixedSize(side, side);
    setProperty("symbol", QString::fromUtf8(symbol.data(), qsizetype(symbol.size())));
}

void SymbolIcon::setSymbol(std::string_view symbol) {
    if (symbol == symbol_) return;
    symbol_ = std::string(symbol);
    setProperty("symbol", QString::fromStdString(symbol_));
    update();
}

void SymbolIcon::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    Symbols::draw(painter, QRectF(rect()), symbol_, Theme::inkMuted.resolve(colorEnvironmentFor(this)), points_ * 1.2);
}

// --- PlainField ---

PlainField::PlainField(const QString& placeholder, double points, QWidget* parent)
    : QWidget(parent), display_([this] { recolor(); }) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    edit_ = new QLineEdit(this);
    edit_->setFrame(false);
    edit_->setFont(Fonts::system(points, QFont::Medium));
    edit_->setPlaceholderText(placeholder);
    edit_->setAttribute(Qt::WA_TranslucentBackground);
    edit_->setStyleSheet("QLineEdit { background: transparent; }");
    layout->addWidget(edit_);
    setFocusProxy(edit_);
    recolor();
}

void PlainField::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ParentChange) recolor();
}

void PlainField::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    recolor();
}

void PlainField::recolor() {
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Text, Theme::ink.resolve(env));
    palette.setColor(QPalette::PlaceholderText, Theme::inkMuted.opacity(0.8).resolve(env));
    palette.setColor(QPalette::Base, Qt::transparent);
    edit_->setPalette(palette);
}

// --- HeaderIcon ---

HeaderIcon::HeaderIcon(QWidget* parent) : QWidget(parent), display_([this] { update(); }) {
    setObjectName("composer.headerIcon");
    setFixedSize(36, 36);
}

void HeaderIcon::setSymbol(std::string_view symbol) {
    if (symbol == symbol_) return;
    symbol_ = std::string(symbol);
    update();
}

void HeaderIcon::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(continuousRoundedRect(QRectF(rect()), 11), Theme::inkFaint.resolve(env));
    Symbols::draw(painter, QRectF(rect()), symbol_, Theme::ink.resolve(env), 16 * 1.25);
}

}  // namespace velorin::composer
