#include "Velorin/TapBadge.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Shadow.h"
#include "Velorin/Design/Symbols.h"

namespace velorin {

namespace {

constexpr double wellSize = 30;
constexpr double spacing = 12;
constexpr double paddingX = 22;
constexpr double paddingY = 14;
// Material glyphs sit smaller in their square than the system symbols they
// stand for: a fifth larger matches the 20- and 14-point symbols.
constexpr double symbolPixels = 24;
constexpr double arrowPixels = 17;
// Sizes are the desktop's logical pixels, as points are on the system the design comes from.
constexpr double textPoints = 17;
constexpr double ringStartScale = 0.6;
constexpr double ringEndScale = 1.9;
constexpr double ringStartOpacity = 0.7;
const QColor failedColor(255, 149, 0);  // the system's orange


QString toQt(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

TapBadge::TapBadge(TapBadgeState& state, QWidget* parent) : QWidget(parent), state_(state) {
    setObjectName("tapBadge");
    setAttribute(Qt::WA_TranslucentBackground);
    ripple_.setOnFrame([this] { update(); });
    auto redraw = [this](const auto&) { update(); };
    observations_.add(state_.gesture, redraw);
    observations_.add(state_.symbol, redraw);
    observations_.add(state_.action, redraw);
    observations_.add(state_.failed, redraw);
    observations_.add(state_.count, [this](const int&) { replayRipple(); });
    replayRipple();
}

TapBadge::~TapBadge() = default;

QFont TapBadge::gestureFont() { return Fonts::rounded(textPoints, QFont::DemiBold); }
QFont TapBadge::actionFont() { return Fonts::rounded(textPoints, QFont::Normal); }

QSize TapBadge::sizeHint() const { return {560, 120}; }

void TapBadge::replayRipple() {
    ripple_.setValue(0);
    ripple_.animateTo(1, Animation::easeOut(rippleSeconds));
}

QRect TapBadge::capsuleRect() const {
    const QFontMetricsF gestureMetrics(gestureFont(), this);
    const QFontMetricsF actionMetrics(actionFont(), this);
    const double maxWidth = width() - 2.0;
    const double fixed = 2 * paddingX + wellSize + arrowPixels + 3 * spacing;
    const double gestureWidth = gestureMetrics.horizontalAdvance(toQt(state_.gesture.get()));
    // A point to spare, so rounding never elides a text that fits.
    const double actionWidth = std::min(actionMetrics.horizontalAdvance(toQt(state_.action.get())) + 1,
                                        std::max(0.0, maxWidth - fixed - gestureWidth));
    const double contentHeight = std::max({wellSize, gestureMetrics.height(), actionMetrics.height()});
    const double w = std::min(maxWidth, fixed + gestureWidth + actionWidth);
    const double h = contentHeight + 2 * paddingY;
    return QRectF((width() - w) / 2, (height() - h) / 2, w, h).toAlignedRect();
}

void TapBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    const QRectF capsule = capsuleRect();
    const QPainterPath shape = continuousCapsule(capsule);
    paintShadow(painter, shape, ShadowStyle{QColor(0, 0, 0, int(0.35 * 255)), 16, QPointF(0, 6)});
    painter.fillPath(shape, QColor(0, 0, 0, int(0.78 * 255)));
    painter.save();
    painter.setClipPath(shape);
    painter.setPen(QPen(QColor(255, 255, 255, int(0.18 * 255)), 2));  // half of it falls inside the shape
    painter.drawPath(shape);
    painter.restore();

    double x = capsule.left() + paddingX;
    const double midY = capsule.center().y();

    // The symbol well with its ripple ring.
    const QRectF well(x, midY - wellSize / 2, wellSize, wellSize);
    const double progress = ripple_.value();
    const double scale = ringStartScale + (ringEndScale - ringStartScale) * progress;
    const double ringOpacity = ringStartOpacity * (1 - progress);
    if (ringOpacity > 0) {
        painter.save();
        painter.setPen(QPen(QColor(255, 255, 255, int(ringOpacity * 255)), 2 * scale));  // the ring scales whole
        painter.setBrush(Qt::NoBrush);
        const double r = wellSize / 2 * scale;
        painter.drawEllipse(well.center(), r, r);
        painter.restore();
    }
    Symbols::draw(painter, well, state_.symbol.get(), Qt::white, symbolPixels);
    x += wellSize + spacing;

    const QFont gestureFace = gestureFont();
    const QFontMetricsF gestureMetrics(gestureFace, this);
    const QString gesture = toQt(state_.gesture.get());
    const double gestureWidth = gestureMetrics.horizontalAdvance(gesture);
    painter.setFont(gestureFace);
    painter.setPen(Qt::white);
    painter.drawText(QRectF(x, capsule.top(), gestureWidth + 1, capsule.height()), Qt::AlignVCenter | Qt::AlignLeft,
                     gesture);
    x += gestureWidth + spacing;

    Symbols::draw(painter, QRectF(x, midY - arrowPixels / 2, arrowPixels, arrowPixels), "arrow.right",
                  QColor(255, 255, 255, int(0.6 * 255)), arrowPixels);
    x += arrowPixels + spacing;

    const QFont actionFace = actionFont();
    const double actionWidth = std::max(0.0, capsule.right() - paddingX - x);
    const QString action =
        QFontMetricsF(actionFace, this).elidedText(toQt(state_.action.get()), Qt::ElideRight, actionWidth);
    painter.setFont(actionFace);
    painter.setPen(state_.failed.get() ? failedColor : QColor(Qt::white));
    painter.drawText(QRectF(x, capsule.top(), actionWidth + 1, capsule.height()), Qt::AlignVCenter | Qt::AlignLeft,
                     action);
}

}  // namespace velorin
