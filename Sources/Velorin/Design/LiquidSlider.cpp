#include "Velorin/Design/LiquidSlider.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Design/Fill.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Shadow.h"
#include "Velorin/Design/Theme.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QFocusEvent>
#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace velorin {

namespace {
constexpr double knobShadowOpacity = 0.35;
constexpr double knobShadowRadius = 3;
constexpr double draggingKnobShadowRadius = 8;
constexpr QPointF knobShadowOffset{0, 2};
constexpr double bubblePoints = 11;
constexpr double bubbleHorizontalPadding = 8;
constexpr double bubbleVerticalPadding = 4;
constexpr double pageShare = 0.1;        // of the range, Page Up and Page Down
constexpr double angleUnitsPerLine = 120;  // Qt's wheel units in one line

double lerp(double a, double b, double t) { return a + (b - a) * t; }

QString defaultFormat(double value) { return QString::number(value, 'f', 2); }

// Offers the slider to assistive technology as a standard slider over the same value and range.
class SliderAccessible final : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit SliderAccessible(LiquidSlider* slider) : QAccessibleWidget(slider, QAccessible::Slider) {
        addControllingSignal(QStringLiteral("valueChanged(double)"));
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return slider()->valueText();
        return QAccessibleWidget::text(t);
    }
    QVariant currentValue() const override { return slider()->value(); }
    void setCurrentValue(const QVariant& value) override { slider()->setValue(value.toDouble()); }
    QVariant maximumValue() const override { return slider()->upper(); }
    QVariant minimumValue() const override { return slider()->lower(); }
    QVariant minimumStepSize() const override {
        return (slider()->upper() - slider()->lower()) * LiquidSliderRules::wheelLinePoints /
               LiquidSliderRules::scrollSpan;
    }

private:
    LiquidSlider* slider() const { return static_cast<LiquidSlider*>(widget()); }
};

QAccessibleInterface* sliderAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("velorin::LiquidSlider") && object && object->isWidgetType())
        return new SliderAccessible(static_cast<LiquidSlider*>(object));
    return nullptr;
}
}  // namespace

// --- Rules ---

double LiquidSliderRules::fraction(double value, double lower, double upper) {
    if (!(upper > lower)) return 0;
    return std::clamp((value - lower) / (upper - lower), 0.0, 1.0);
}

double LiquidSliderRules::valueAt(double x, double width, double lower, double upper) {
    double f = width > 0 ? x / width : 0;
    if (!(f > 0)) f = 0;
    if (f > 1) f = 1;
    return lower + (upper - lower) * f;
}

double LiquidSliderRules::nudged(double value, double delta, double lower, double upper) {
    const double next = value + delta / scrollSpan * (upper - lower);
    return std::min(std::max(next, lower), upper);
}

std::optional<double> LiquidSliderRules::scrollDelta(double dx, double dy, bool precise, bool inverted) {
    if (dx == 0 || !(std::abs(dx) > std::abs(dy))) return std::nullopt;
    const double d = precise ? dx : dx * wheelLinePoints;
    return inverted ? d : -d;
}

bool LiquidSliderRules::arrivesAtEnd(double current, double next, double lower, double upper) {
    return next != current && (next == lower || next == upper);
}

double LiquidSliderRules::wobble(double predictedTravel) {
    return std::min(std::abs(predictedTravel * 4) / wobbleSaturation, 1.0);
}

double LiquidSliderRules::bubbleOffset(double fraction, double trackWidth) {
    return std::min(std::max(fraction * trackWidth - bubbleLead, 0.0), trackWidth - bubbleRoom);
}

// --- The bubble, above the slider on the overlay ---

class LiquidSlider::Bubble final : public OverlayEffect {
public:
    explicit Bubble(LiquidSlider* slider) : OverlayEffect(slider), slider_(slider) {}

    QRectF area() const override { return slider_->bubbleRect().adjusted(-2, -2, 2, 2); }

    void paint(QPainter& painter) override {
        const double p = slider_->bubblePresence();
        if (p <= 0) return;
        const ColorEnvironment env = colorEnvironmentFor(slider_);
        const QRectF r = slider_->bubbleRect();
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setOpacity(std::clamp(p, 0.0, 1.0));
        // It grows from its bottom edge.
        const double s = lerp(bubbleStartScale, 1, p);
        const QPointF anchor(r.center().x(), r.bottom());
        painter.translate(anchor);
        painter.scale(s, s);
        painter.translate(-anchor);
        painter.fillPath(continuousCapsule(r), Theme::honey.resolve(env));
        painter.setFont(Fonts::system(bubblePoints, QFont::DemiBold));
        painter.setPen(Theme::onAccent.resolve(env));
        painter.drawText(r, Qt::AlignCenter, slider_->valueText());
        painter.restore();
    }

private:
    LiquidSlider* slider_;
};

// --- The slider ---

LiquidSlider::LiquidSlider(QWidget* parent) : LiquidSlider(0, 0, 1, {}, parent) {}

LiquidSlider::LiquidSlider(double value, double lower, double upper, Format format, QWidget* parent)
    : QWidget(parent),
      format_(format ? std::move(format) : Format(defaultFormat)),
      wobble_(0),
      grow_(0),
      bubble_(0),
      bubbleEffect_(std::make_unique<Bubble>(this)),
      display_([this] { update(); }) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(sliderAccessible);
        return true;
    }();
    (void)factoryInstalled;
    setRange(lower, upper);
    value_ = std::clamp(std::isfinite(value) ? value : lower_, lower_, upper_);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    wobble_.setOnFrame([this] { update(); });
    grow_.setOnFrame([this] { update(); });
    bubble_.setOnFrame([this] { bubbleEffect_->refresh(); });
}

LiquidSlider::~LiquidSlider() {
    bubble_.setOnFrame({});
    bubbleEffect_.reset();
}

void LiquidSlider::setValue(double value) {
    if (!std::isfinite(value)) return;
    const double next = std::clamp(value, lower_, upper_);
    if (next == value_) return;
    value_ = next;
    update();
    bubbleEffect_->refresh();
    emit valueChanged(value_);
}

void LiquidSlider::setRange(double lower, double upper) {
    if (!std::isfinite(lower) || !std::isfinite(upper)) return;
    if (lower > upper) std::swap(lower, upper);
    if (lower == lower_ && upper == upper_) return;
    lower_ = lower;
    upper_ = upper;
    const double clamped = std::clamp(value_, lower_, upper_);
    update();
    if (clamped != value_) {
        value_ = clamped;
        emit valueChanged(value_);
    }
}

void LiquidSlider::setFormat(Format format) {
    format_ = format ? std::move(format) : Format(defaultFormat);
    bubbleEffect_->refresh();
}

QString LiquidSlider::valueText() const { return format_(value_); }

void LiquidSlider::userValue(double next) {
    if (next == value_) return;
    if (LiquidSliderRules::arrivesAtEnd(value_, next, lower_, upper_)) playHaptic(HapticPattern::levelChange);
    setValue(next);
}

void LiquidSlider::nudge(double delta) { userValue(LiquidSliderRules::nudged(value_, delta, lower_, upper_)); }

QRectF LiquidSlider::trackRect() const {
    const double inset = knobDiameter / 2;
    const double top = (height() - trackHeight) / 2;
    return QRectF(inset, top, std::max(0.0, width() - 2 * inset), trackHeight);
}

WaveFill LiquidSlider::wave() const {
    return WaveFill{fraction(), Display::reduceMotion() ? 0 : wobble_.value() * waveAmplitude,
                    value_ * wavePhasePerUnit};
}

QRectF LiquidSlider::knobRect() const {
    const QRectF track = trackRect();
    const double d = knobDiameter * lerp(1, draggingKnobScale, grow_.value());
    const QPointF c(track.left() + fraction() * track.width(), track.center().y());
    return QRectF(c.x() - d / 2, c.y() - d / 2, d, d);
}

QRectF LiquidSlider::bubbleRect() const {
    const QRectF track = trackRect();
    const QFontMetricsF metrics(Fonts::system(bubblePoints, QFont::DemiBold));
    const double w = metrics.horizontalAdvance(valueText()) + 2 * bubbleHorizontalPadding;
    const double h = metrics.height() + 2 * bubbleVerticalPadding;
    const double x = track.left() + LiquidSliderRules::bubbleOffset(fraction(), track.width());
    const double y = (height() - h) / 2 - bubbleRise;
    return QRectF(x, y, w, h);
}

QSize LiquidSlider::sizeHint() const { return QSize(200, int(sliderHeight)); }
QSize LiquidSlider::minimumSizeHint() const { return QSize(int(knobDiameter * 3), int(sliderHeight)); }

void LiquidSlider::dragTo(double x, double timestamp) {
    if (!dragging_) {
        dragging_ = true;
        grow_.animateTo(1, Animation::spring(Theme::wobble));
        bubble_.animateTo(1, Animation::spring(Theme::wobble));
    }
    const QRectF track = trackRect();
    const double next = LiquidSliderRules::valueAt(x - track.left(), track.width(), lower_, upper_);
    // Speed from the last two positions; the predicted travel is where that speed carries the drag.
    double speed = 0;
    if (lastTime_ >= 0 && timestamp > lastTime_) speed = (x - lastX_) / (timestamp - lastTime_);
    lastX_ = x;
    lastTime_ = timestamp;
    wobble_.setValue(LiquidSliderRules::wobble(speed * predictionHorizon));
    userValue(next);
    update();
}

void LiquidSlider::endDrag() {
    if (!dragging_) return;
    dragging_ = false;
    lastTime_ = -1;
    grow_.animateTo(0, Animation::spring(Theme::wobble));
    bubble_.animateTo(0, Animation::spring(Theme::wobble));
    wobble_.animateTo(0, Animation::spring(ringDown));
}

void LiquidSlider::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    dragTo(event->position().x(), double(event->timestamp()) / 1000);
}

void LiquidSlider::mouseMoveEvent(QMouseEvent* event) {
    if (!(event->buttons() & Qt::LeftButton)) {
        event->ignore();
        return;
    }
    dragTo(event->position().x(), double(event->timestamp()) / 1000);
}

void LiquidSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    endDrag();
}

void LiquidSlider::wheelEvent(QWheelEvent* event) {
    const bool precise = !event->pixelDelta().isNull();
    const QPointF delta = precise ? QPointF(event->pixelDelta()) : QPointF(event->angleDelta()) / angleUnitsPerLine;
    const std::optional<double> d = LiquidSliderRules::scrollDelta(delta.x(), delta.y(), precise, event->inverted());
    if (!d) {
        event->ignore();  // mostly vertical: the page scrolls
        return;
    }
    nudge(*d);
    event->accept();
}

void LiquidSlider::keyPressEvent(QKeyEvent* event) {
    const double line = LiquidSliderRules::wheelLinePoints;
    const double page = LiquidSliderRules::scrollSpan * pageShare;
    switch (event->key()) {
        case Qt::Key_Left:
        case Qt::Key_Down: nudge(-line); break;
        case Qt::Key_Right:
        case Qt::Key_Up: nudge(line); break;
        case Qt::Key_PageDown: nudge(-page); break;
        case Qt::Key_PageUp: nudge(page); break;
        case Qt::Key_Home: userValue(lower_); break;
        case Qt::Key_End: userValue(upper_); break;
        default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

void LiquidSlider::focusOutEvent(QFocusEvent* event) {
    endDrag();
    QWidget::focusOutEvent(event);
}

void LiquidSlider::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF track = trackRect();
    const QPainterPath capsule = continuousCapsule(track);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) painter.setOpacity(0.45);

    painter.fillPath(capsule, Theme::cream.resolve(env));
    painter.save();
    painter.setClipPath(capsule, Qt::IntersectClip);
    const LinearFill liquid{evenStops({Theme::butter, Theme::honey}), UnitPoint::leading(), UnitPoint::trailing()};
    painter.fillPath(wave().path(track), brush(liquid, track, env));
    painter.restore();

    const double g = grow_.value();
    const QRectF knob = knobRect();
    QPainterPath knobShape;
    knobShape.addEllipse(knob);
    paintShadow(painter, knobShape,
                {Theme::honey.opacity(knobShadowOpacity).resolve(env),
                 lerp(knobShadowRadius, draggingKnobShadowRadius, g), knobShadowOffset});
    painter.fillPath(knobShape, Qt::white);
    const double stroke = lerp(knobStroke, draggingKnobStroke, g) * knob.width() / knobDiameter;
    painter.setPen(QPen(Theme::honey.resolve(env), stroke));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(knob.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2));

    if (focusRing_.shows()) {
        painter.setPen(QPen(Theme::honey.opacity(0.5).resolve(env), 2));
        painter.drawPath(continuousCapsule(track.adjusted(-3, -3, 3, 3)));
    }
}

}  // namespace velorin
