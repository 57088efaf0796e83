#include "Velorin/Design/PackTile.h"

#include "Velorin/Design/Blur.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/RetroAppleTile.h"
#include "Velorin/Design/Saturation.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Design/Theme.h"

#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velorin {

namespace {
constexpr const char* logoSymbol = "apple.logo";

// Points the glow reaches beyond what casts it.
double glowReach() { return std::ceil(blurReach(PackTile::glowRadius)) + 1; }
}  // namespace

// What of the icon and its glow lies beyond the tile: the icon is a little
// larger than the tile (icons keep a margin round their artwork), and the
// glow spreads round it.
class PackTile::IconSpill final : public OverlayEffect {
public:
    explicit IconSpill(PackTile* tile) : OverlayEffect(tile), tile_(tile) {}

    QRectF area() const override {
        const double reach = glowReach();
        return tile_->iconSquare().adjusted(-reach, -reach, reach, reach + glowDrop) | QRectF(tile_->rect());
    }

    void paint(QPainter& painter) override {
        if (!tile_->isVisible() || !tile_->icon_) return;
        // The tile paints what lies inside itself.
        painter.setClipRegion(QRegion(area().toAlignedRect()).subtracted(QRegion(tile_->rect())), Qt::IntersectClip);
        tile_->paintIcon(painter, colorEnvironmentFor(tile_));
    }

private:
    PackTile* tile_;
};

PackTile::PackTile(AppLookup lookup, QWidget* parent)
    : QWidget(parent),
      lookup_(std::move(lookup)),
      activeAmount_(0.0),
      symbolGlow_(
          this,
          [this] {
              if (look() != Look::symbol) return QPainterPath();
              return continuousRoundedRect(frame(), size_ * SymbolTile::cornerShare);
          },
          [this] { return glow(colorEnvironmentFor(this)); }),
      spill_(std::make_unique<IconSpill>(this)),
      display_([this] { changed(); }) {
    setObjectName(QStringLiteral("packTile"));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    activeAmount_.setOnFrame([this] { changed(); });
}

PackTile::PackTile(AppLookup lookup, const Pack& pack, bool active, double size, QWidget* parent)
    : PackTile(std::move(lookup), parent) {
    active_ = active;
    size_ = size;
    activeAmount_.setValue(active ? 1.0 : 0.0);
    setPack(pack);
    arrange();
}

PackTile::~PackTile() = default;

void PackTile::setPack(const Pack& pack) {
    const PackIdentity identity = PackStyle::identity(pack);
    const bool sameApps = pack.iconApps == iconApps_;
    if (identity == identity_ && pack.name == name_ && pack.symbol == symbol_ && sameApps && !identity_.id.empty())
        return;
    identity_ = identity;
    name_ = pack.name;
    symbol_ = pack.symbol;
    setAccessibleName(QString::fromStdString(name_));
    if (!sameApps || identity_.id.empty()) {
        iconApps_ = pack.iconApps;
        findIcon();
    }
    arrange();
    changed();
}

void PackTile::findIcon() {
    icon_.reset();
    iconApp_.clear();
    scaled_ = QImage();
    for (const std::string& app : iconApps_) {
        std::optional<QImage> icon = lookup_.iconFor(app);
        if (icon && !icon->isNull()) {
            icon_ = std::move(icon);
            iconApp_ = app;
            return;
        }
    }
}

void PackTile::setActive(bool active) {
    if (active == active_) return;
    active_ = active;
    activeAmount_.animateTo(active ? 1.0 : 0.0, Animation::spring(Theme::wobble));
    if (retro_) retro_->setActive(active);
    if (symbolTile_) symbolTile_->setActive(active);
}

void PackTile::setEdge(double size) {
    if (size == size_) return;
    size_ = size;
    updateGeometry();
    arrange();
    changed();
}

PackTile::Look PackTile::look() const {
    if (icon_) return Look::icon;
    if (symbol_ == logoSymbol) return Look::retroApple;
    return Look::symbol;
}

QRectF PackTile::frame() const {
    return QRectF(QPointF((width() - size_) / 2, (height() - size_) / 2), QSizeF(size_, size_));
}

QRectF PackTile::iconSquare() const {
    const double side = size_ * iconShare;
    return QRectF(frame().center() - QPointF(side / 2, side / 2), QSizeF(side, side));
}

void PackTile::arrange() {
    const Look current = look();
    if (current != Look::retroApple && retro_) {
        delete retro_;
        retro_ = nullptr;
    }
    if (current != Look::symbol && symbolTile_) {
        delete symbolTile_;
        symbolTile_ = nullptr;
    }
    const QRect square = frame().toAlignedRect();
    if (current == Look::retroApple) {
        if (!retro_) {
            retro_ = new RetroAppleTile(active_, size_, this);
            retro_->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        retro_->setActive(active_);
        retro_->setEdge(size_);
        retro_->setGeometry(square);
        retro_->show();
    }
    if (current == Look::symbol) {
        if (!symbolTile_) {
            symbolTile_ = new SymbolTile(symbol_, active_, size_, this);
            symbolTile_->setObjectName(QStringLiteral("packTileSymbol"));
            symbolTile_->setAttribute(Qt::WA_TransparentForMouseEvents);
        }
        symbolTile_->setSymbol(symbol_);
        symbolTile_->setActive(active_);
        symbolTile_->setEdge(size_);
        symbolTile_->setGeometry(square);
        symbolTile_->show();
    }
}

void PackTile::changed() {
    update();
    symbolGlow_.refresh();
    spill_->refresh();
}

ShadowStyle PackTile::glow(const ColorEnvironment& environment) const {
    Rgba color = PackStyle::accent(std::optional<PackIdentity>(identity_)).resolveRgba(environment);
    color.alpha *= std::clamp(glowOpacity * activeAmount_.value(), 0.0, 1.0);
    return {color.toQColor(), glowRadius, QPointF(0, glowDrop)};
}

QSize PackTile::sizeHint() const {
    const int edge = int(std::ceil(size_));
    return QSize(edge, edge);
}

void PackTile::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    changed();  // the effects join the overlay of the window the tile is shown in
}

void PackTile::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    arrange();
    changed();
}

void PackTile::paintEvent(QPaintEvent*) {
    if (look() != Look::icon) return;  // the child tile draws itself
    QPainter painter(this);
    paintIcon(painter, colorEnvironmentFor(this));
}

void PackTile::paintIcon(QPainter& painter, const ColorEnvironment& environment) {
    if (!icon_) return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const double dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QRectF square = iconSquare();
    const QSize pixels(int(std::ceil(square.width() * dpr)), int(std::ceil(square.height() * dpr)));
    if (scaled_.isNull() || scaledFor_ != pixels || scaled_.devicePixelRatio() != dpr) {
        // Scaled once to the pixels it covers, with high-quality filtering.
        scaled_ = icon_->scaled(pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        scaled_.setDevicePixelRatio(dpr);
        scaledFor_ = pixels;
        glowMask_ = QImage();
        muted_ = QImage();
        mutedSaturation_ = -1;
    }
    const QSizeF drawnSize = QSizeF(scaled_.size()) / dpr;
    const QRectF drawn(square.center() - QPointF(drawnSize.width() / 2, drawnSize.height() / 2), drawnSize);
    const double amount = activeAmount_.value();

    const ShadowStyle shadow = glow(environment);
    if (shadow.color.alpha() > 0) {
        const int margin = int(std::round(glowReach() * dpr));
        if (glowMask_.isNull()) {
            QImage coverage(scaled_.size() + QSize(2 * margin, 2 * margin), QImage::Format_Alpha8);
            coverage.fill(0);
            {
                QImage pixelsOnly = scaled_;  // drawn pixel for pixel
                pixelsOnly.setDevicePixelRatio(1);
                QPainter p(&coverage);
                p.drawImage(QPoint(margin, margin), pixelsOnly);
            }
            glowMask_ = blurredAlpha(coverage, blurSigma(glowRadius) * dpr);
            glowMask_.setDevicePixelRatio(dpr);
        }
        const double m = margin / dpr;
        painter.drawImage(drawn.topLeft() - QPointF(m, m) + shadow.offset, tinted(glowMask_, shadow.color));
    }

    const double saturation = idleSaturation + (1 - idleSaturation) * amount;
    painter.setOpacity(std::clamp(idleOpacity + (1 - idleOpacity) * amount, 0.0, 1.0));
    if (saturation == 1) {
        painter.drawImage(drawn, scaled_);
    } else {
        if (saturation != mutedSaturation_) {
            muted_ = saturated(scaled_, saturation);
            muted_.setDevicePixelRatio(dpr);
            mutedSaturation_ = saturation;
        }
        painter.drawImage(drawn, muted_);
    }
    painter.restore();
}

}  // namespace velorin
