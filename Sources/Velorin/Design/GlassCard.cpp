#include "Velorin/Design/GlassCard.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Theme.h"

#include <QEnterEvent>
#include <QHoverEvent>
#include <QImage>
#include <QPainter>
#include <QRadialGradient>
#include <QVBoxLayout>

#include <cmath>

namespace velorin {

namespace {
constexpr double veilOpacity = 0.66;
constexpr double shadowRadius = 16;
constexpr QPointF shadowOffset{0, 7};
constexpr double lampOpacityDark = 0.22;
constexpr double lampOpacityLight = 0.30;
constexpr double floodButterInner = 0.42;
constexpr double floodButterOuter = 0.14;
constexpr double floodDiagonalFactor = 2.2;
}  // namespace

GlassCard::GlassCard(QWidget* parent) : GlassCard(defaultPadding, defaultRadius, ThemeColor::clear(), parent) {}

GlassCard::GlassCard(double padding, double radius, ThemeColor tint, QWidget* parent)
    : QWidget(parent),
      padding_(padding),
      radius_(radius),
      tint_(tint),
      hover_(0),
      floodScale_(drainedFloodScale),
      shadow_(
          this, [this] { return shape(); },
          [this] {
              const ColorEnvironment env = colorEnvironmentFor(this);
              return ShadowStyle{Theme::shadow.opacity(shadowOpacity()).resolve(env), shadowRadius, shadowOffset};
          }),
      display_([this] { update(); }) {
    setAttribute(Qt::WA_Hover);
    setMouseTracking(true);
    layout_ = new QVBoxLayout(this);
    const int m = int(std::lround(padding_));
    layout_->setContentsMargins(m, m, m, m);
    layout_->setAlignment(Qt::AlignTop);
    hover_.setOnFrame([this] {
        update();
        shadow_.refresh();
    });
    floodScale_.setOnFrame([this] { update(); });
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
}

GlassCard::~GlassCard() = default;

void GlassCard::setPadding(double padding) {
    if (padding == padding_) return;
    padding_ = padding;
    const int m = int(std::lround(padding_));
    layout_->setContentsMargins(m, m, m, m);
    update();
}

void GlassCard::setRadius(double radius) {
    if (radius == radius_) return;
    radius_ = radius;
    update();
    shadow_.refresh();
}

void GlassCard::setTint(const ShapeFill& tint) {
    if (tint == tint_) return;
    tint_ = tint;
    update();
}

void GlassCard::setFlood(std::optional<bool> flood) {
    if (flood == flood_) return;
    const bool hadLayer = flood_.has_value();
    flood_ = flood;
    const double scale = flood_.value_or(false) ? 1.0 : drainedFloodScale;
    // A layer that appears starts where its value puts it; only a change of
    // a present layer floods or drains.
    if (!hadLayer || !flood_)
        floodScale_.setValue(scale);
    else
        floodScale_.animateTo(scale, Animation::spring(floodSpring));
    update();
}

void GlassCard::setFloodFill(const std::optional<ShapeFill>& fill) {
    if (fill == floodFill_) return;
    floodFill_ = fill;
    update();
}

void GlassCard::setArt(Art art) {
    art_ = std::move(art);
    update();
}

void GlassCard::addContent(QWidget* widget) { layout_->addWidget(widget); }

double GlassCard::shadowOpacity() const {
    const double h = hover_.value();
    return restingShadowOpacity + (hoveringShadowOpacity - restingShadowOpacity) * h;
}

bool GlassCard::showsLamp() const { return hover_.value() > 0 && !Display::reduceMotion(); }

QPainterPath GlassCard::shape() const { return continuousRoundedRect(QRectF(rect()), radius_); }

void GlassCard::pointerMoved(QPointF position) {
    pointer_ = position;
    if (!hovering_) {
        hovering_ = true;
        hover_.animateTo(1, Animation::easeOut(hoverInDuration));
    }
    if (showsLamp()) update();
}

void GlassCard::enterEvent(QEnterEvent* event) {
    pointerMoved(event->position());
    QWidget::enterEvent(event);
}

void GlassCard::leaveEvent(QEvent* event) {
    if (hovering_) {
        hovering_ = false;
        hover_.animateTo(0, Animation::easeOut(hoverOutDuration));
    }
    QWidget::leaveEvent(event);
}

bool GlassCard::event(QEvent* event) {
    // Hover moves reach the card over its children too, so the lamp follows
    // the pointer across the whole card.
    if (event->type() == QEvent::HoverMove) pointerMoved(static_cast<QHoverEvent*>(event)->position());
    return QWidget::event(event);
}

void GlassCard::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    shadow_.refresh();
}

void GlassCard::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shadow_.refresh();
}

void GlassCard::paintFlood(QPainter& painter, const QRectF& rect, const ColorEnvironment& env) {
    const double w = rect.width();
    const double h = rect.height();
    const double d = floodDiagonalFactor * std::hypot(w, h);
    QBrush fill;
    if (floodFill_) {
        fill = brush(*floodFill_, rect, env);
    } else {
        const QPointF corner = rect.topRight();
        QRadialGradient glow(corner, d / 2, corner, 0);
        glow.setColorAt(0, Theme::butter.opacity(floodButterInner).resolve(env));
        glow.setColorAt(1, Theme::butter.opacity(floodButterOuter).resolve(env));
        fill = QBrush(glow);
    }
    // The mask: a circle of diameter d about the flood's point, scaled about that point.
    const QPointF centre(rect.left() + w - floodInsetRight, rect.top() + floodInsetTop);
    const double r = d / 2 * floodScale_.value();
    QPainterPath circle;
    circle.addEllipse(centre, r, r);
    painter.fillPath(circle, fill);
}

void GlassCard::paintLamp(QPainter& painter, const QRectF& rect, const ColorEnvironment& env) {
    const double dpr = devicePixelRatioF();
    QImage lamp(QSize(int(std::ceil(lampSize * dpr)), int(std::ceil(lampSize * dpr))),
                QImage::Format_ARGB32_Premultiplied);
    lamp.setDevicePixelRatio(dpr);
    lamp.fill(Qt::transparent);
    {
        QPainter p(&lamp);
        p.setRenderHint(QPainter::Antialiasing);
        const QRectF disc(0, 0, lampSize, lampSize);
        std::vector<ThemeColor> colors;
        for (int i = 0; i < 6; ++i) colors.push_back(Rainbow::color(i));
        colors.push_back(Rainbow::color(0));  // closes the circle
        const double turn = (pointer_.x() + pointer_.y()) * lampTurnPerPoint;
        p.fillRect(disc, brush(AngularFill{evenStops(colors), UnitPoint::center(), turn}, disc, env));
        // A soft spot: full in the middle, a third at half the radius, gone at the rim.
        QRadialGradient spot(disc.center(), lampRadius);
        spot.setColorAt(0, QColor(0, 0, 0, 255));
        spot.setColorAt(0.5, QColor::fromRgbF(0, 0, 0, 0.35f));
        spot.setColorAt(1, QColor(0, 0, 0, 0));
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.fillRect(disc, spot);
    }
    painter.save();
    painter.setOpacity((env.isDark() ? lampOpacityDark : lampOpacityLight) * hover_.value());
    painter.drawImage(QPointF(rect.left() + pointer_.x() - lampSize / 2, rect.top() + pointer_.y() - lampSize / 2),
                      lamp);
    painter.restore();
}

void GlassCard::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF r(rect());
    const QPainterPath card = shape();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    // The system blurs the desktop behind a card; here the card lies on the
    // window's own water, so the material is the theme's thin raised-surface
    // veil that the capsule glass uses too.
    painter.fillPath(card, ultraThinMaterial.resolve(env));
    painter.fillPath(card, Theme::warmWhite.opacity(veilOpacity).resolve(env));
    painter.fillPath(card, brush(tint_, r, env));

    painter.save();
    painter.setClipPath(card, Qt::IntersectClip);
    if (flood_) paintFlood(painter, r, env);
    if (art_) art_(painter, r, env);
    if (showsLamp()) paintLamp(painter, r, env);
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(Theme::rim.resolve(env), 1));
    painter.drawPath(continuousRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), std::max(0.0, radius_ - 0.5)));
    painter.setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
    painter.drawPath(continuousRoundedRect(r.adjusted(0.25, 0.25, -0.25, -0.25), std::max(0.0, radius_ - 0.25)));
}

}  // namespace velorin
