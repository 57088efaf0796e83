#include "Velorin/Design/Rainbow.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Theme.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velorin {

namespace {
int wrap(int index, int count) { return ((index % count) + count) % count; }

// 2001-01-01 00:00:00 UTC in Unix time.
constexpr double referenceDateUnixSeconds = 978307200.0;

constexpr int wavePoints = 24;              // segments across the width
constexpr double wavePeriods = 2.2;         // sine periods across the width
constexpr double minimumBandsLevel = 0.01;  // so an empty liquid still has a frame
}  // namespace

ThemeColor Rainbow::color(int index) { return ThemeColor::plain(colors[std::size_t(wrap(index, 6))]); }
ThemeColor Rainbow::subpixel(int index) { return ThemeColor::plain(rgb[std::size_t(wrap(index, 3))]); }

LinearFill Rainbow::bands() {
    std::vector<ThemeColor> six;
    for (int i = 0; i < 6; ++i) six.push_back(color(i));
    return LinearFill{hardBands(six), UnitPoint::top(), UnitPoint::bottom()};
}

std::vector<GrainStripe> pixelGrainStripes(const QSizeF& size) {
    std::vector<GrainStripe> stripes;
    if (!(size.width() > 0)) return stripes;
    for (double x = 0; x < size.width(); x += grainPitch) {
        for (int i = 0; i < 3; ++i) stripes.push_back({QRectF(x + i, 0, grainStripeWidth, size.height()), i});
    }
    return stripes;
}

void paintPixelGrain(QPainter& painter, const QRectF& rect, double strength) {
    if (!(strength > 0)) return;
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Screen);
    painter.setPen(Qt::NoPen);
    QColor channel[3];
    for (int i = 0; i < 3; ++i) {
        Rgba c = Rainbow::rgb[std::size_t(i)];
        c.alpha = std::clamp(strength, 0.0, 1.0);
        channel[i] = c.toQColor();
    }
    for (const GrainStripe& s : pixelGrainStripes(rect.size()))
        painter.fillRect(s.rect.translated(rect.topLeft()), channel[s.channel]);
    painter.restore();
}

QPainterPath waveTopPath(const QRectF& rect, double level, double phase, double amplitude) {
    QPainterPath path;
    const double top = rect.bottom() - level * rect.height();
    path.moveTo(rect.left(), rect.bottom());
    for (int i = 0; i <= wavePoints; ++i) {
        const double share = double(i) / wavePoints;
        path.lineTo(rect.left() + rect.width() * share,
                    top + amplitude * std::sin(phase + wavePeriods * std::numbers::pi * share));
    }
    path.lineTo(rect.right(), rect.bottom());
    path.closeSubpath();
    return path;
}

double secondsSinceReferenceDate(Date date) { return secondsSince1970(date) - referenceDateUnixSeconds; }

RainbowLiquid::RainbowLiquid(double level, double now) : level_(level), time_(now) {}

void RainbowLiquid::tick(double now) {
    if (isRunning()) time_ = now;
}

double RainbowLiquid::phase() const { return std::fmod(phaseRate * time_, 2 * std::numbers::pi); }

double RainbowLiquid::amplitude() const { return level_ >= 1 ? 0 : waveAmplitude; }

QRectF RainbowLiquid::bandsRect(const QSizeF& size) const {
    const double height = std::clamp(level_, minimumBandsLevel, 1.0) * size.height() + troughAllowance;
    return QRectF(0, size.height() - height, size.width(), height);
}

QPainterPath RainbowLiquid::outline(const QSizeF& size) const {
    return waveTopPath(QRectF(QPointF(0, 0), size), level_, phase(), amplitude());
}

void RainbowLiquid::paint(QPainter& painter, const QRectF& rect, const ColorEnvironment& environment) const {
    painter.save();
    painter.translate(rect.topLeft());
    const QRectF bands = bandsRect(rect.size());
    painter.setClipPath(outline(rect.size()), Qt::IntersectClip);
    painter.fillRect(bands, brush(Rainbow::bands(), bands, environment));
    painter.restore();
}

void paintRainbowGlass(QPainter& painter, const QRectF& rect, bool dark, bool solid,
                       const ColorEnvironment& environment) {
    const QPainterPath capsule = continuousCapsule(rect);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(capsule, ultraThinMaterial.resolve(environment));
    const ThemeColor veil = dark ? ThemeColor::plain(0x000000, 0.28) : Theme::warmWhite.opacity(solid ? 0.9 : 0.32);
    painter.fillPath(capsule, veil.resolve(environment));

    painter.save();
    painter.setClipPath(capsule, Qt::IntersectClip);
    paintPixelGrain(painter, rect, solid ? 0.06 : 0.12);
    // A sheen from the top down to the middle.
    QLinearGradient sheen(rect.topLeft(), QPointF(rect.left(), rect.center().y()));
    sheen.setColorAt(0, QColor::fromRgbF(1, 1, 1, 0.45f));
    sheen.setColorAt(1, QColor::fromRgbF(1, 1, 1, 0));
    painter.setCompositionMode(QPainter::CompositionMode_Overlay);
    painter.fillRect(rect, sheen);
    painter.restore();

    // The rim: a 1-point stroke inside the edge, rim colour at the top to faint ink at the bottom.
    QLinearGradient rimFill(rect.topLeft(), rect.bottomLeft());
    rimFill.setColorAt(0, Theme::rim.resolve(environment));
    rimFill.setColorAt(1, Theme::inkFaint.resolve(environment));
    painter.setPen(QPen(QBrush(rimFill), 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(continuousCapsule(rect.adjusted(0.5, 0.5, -0.5, -0.5)));
    painter.restore();
}

ShadowStyle rainbowGlassShadow(const ColorEnvironment& environment) {
    return {Theme::shadow.opacity(0.18).resolve(environment), 8, QPointF(0, 4)};
}

}  // namespace velorin
