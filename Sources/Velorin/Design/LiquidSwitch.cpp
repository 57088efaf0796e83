#include "Velorin/Design/LiquidSwitch.h"

#include "Velorin/Design/Blur.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Shadow.h"
#include "Velorin/Design/Theme.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>
#include <QRadialGradient>

#include <cmath>

namespace velorin {

namespace {
constexpr double wellOpacity = 0.32;
constexpr double wellShadeOpacity = 0.25;
constexpr double wellShadeWidth = 2;
constexpr double wellShadeBlur = 1.5;
constexpr double grainOn = 0.2;
constexpr double grainOff = 0.1;
constexpr double rainbowRimOpacity = 0.6;
constexpr double pearlRadius = 16;
constexpr double knobShadowOpacity = 0.3;
constexpr double knobShadowRadius = 2.5;
constexpr QPointF knobShadowOffset{0, 1.5};

// Offers the switch to assistive technology as a standard toggle.
class SwitchAccessible final : public QAccessibleWidget {
public:
    explicit SwitchAccessible(LiquidSwitch* control) : QAccessibleWidget(control, QAccessible::CheckBox) {
        addControllingSignal(QStringLiteral("toggled(bool)"));
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = control()->isChecked();
        return s;
    }
    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& name) override {
        if (name == toggleAction() || name == pressAction()) control()->click();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    LiquidSwitch* control() const { return static_cast<LiquidSwitch*>(widget()); }
};

QAccessibleInterface* switchAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("velorin::LiquidSwitch") && object && object->isWidgetType())
        return new SwitchAccessible(static_cast<LiquidSwitch*>(object));
    return nullptr;
}
}  // namespace

LiquidSwitch::LiquidSwitch(QWidget* parent) : LiquidSwitch(false, std::nullopt, parent) {}

LiquidSwitch::LiquidSwitch(bool on, std::optional<ShapeFill> fill, QWidget* parent)
    : QAbstractButton(parent),
      fill_(std::move(fill)),
      level_(on ? 1 : 0),
      knob_(knobSize),
      slosh_(0),
      splash_(this, splashes_),
      display_([this] { update(); }) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(switchAccessible);
        return true;
    }();
    (void)factoryInstalled;
    setCheckable(true);
    setChecked(on);
    setFocusPolicy(Qt::TabFocus);  // a ring only for keyboard focus, never after a click
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    level_.setOnFrame([this] { update(); });
    knob_.setOnFrame([this] { update(); });
    slosh_.setOnFrame([this] { update(); });
    connect(this, &QAbstractButton::toggled, this,
            [this](bool checked) { level_.animateTo(checked ? 1 : 0, Animation::spring(Theme::wobble)); });
    connect(this, &QAbstractButton::pressed, this,
            [this] { knob_.animateTo(pressedKnobSize, Animation::spring(Theme::snappy)); });
    connect(this, &QAbstractButton::released, this,
            [this] { knob_.animateTo(knobSize, Animation::spring(Theme::wobble)); });
}

LiquidSwitch::~LiquidSwitch() = default;

void LiquidSwitch::setFill(const std::optional<ShapeFill>& fill) {
    if (fill == fill_) return;
    fill_ = fill;
    update();
}

void LiquidSwitch::nextCheckState() {
    // The user's own toggle: one tick, the value, a splash in the rainbow
    // look (draining when it turns off), and the liquid sloshes.
    playHaptic(HapticPattern::alignment);
    setChecked(!isChecked());
    if (isRainbow()) {
        ++splashes_;
        splash_.update(splashes_, !isChecked(), false);
    }
    slosh_.setValue(1);
    slosh_.animateTo(0, Animation::spring(sloshSpring));
}

bool LiquidSwitch::hitButton(const QPoint& position) const {
    // Once pressed, a release anywhere counts.
    if (isDown()) return true;
    return continuousCapsule(switchRect()).contains(QPointF(position));
}

QSize LiquidSwitch::sizeHint() const { return QSize(int(width), int(height)); }

QRectF LiquidSwitch::switchRect() const {
    const QRectF r(rect());
    return QRectF(r.center().x() - width / 2, r.center().y() - height / 2, width, height);
}

WaveFill LiquidSwitch::wave() const {
    const double s = slosh_.value();
    return WaveFill{level_.value(), Display::reduceMotion() ? 0 : s * sloshAmplitude, s * sloshPhase};
}

QRectF LiquidSwitch::knobRect() const {
    const QRectF frame = switchRect();
    const QSizeF k = knob_.value();
    const double travel = frame.width() - 2 * knobInset - k.width();
    const double x = frame.left() + knobInset + travel * std::clamp(level_.value(), -0.2, 1.2);
    return QRectF(x, frame.center().y() - k.height() / 2, k.width(), k.height());
}

void LiquidSwitch::paintWell(QPainter& painter, const QRectF& frame, const ColorEnvironment& env) {
    const QPainterPath capsule = continuousCapsule(frame);
    if (!isRainbow()) {
        painter.fillPath(capsule, Theme::cream.resolve(env));
        return;
    }
    painter.fillPath(capsule, QColor::fromRgbF(0, 0, 0, float(wellOpacity)));
    // An inset shade: a soft dark stroke along the inside of the edge.
    const double dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage mask(QSize(int(std::ceil(frame.width() * dpr)), int(std::ceil(frame.height() * dpr))),
                QImage::Format_Alpha8);
    mask.fill(0);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(dpr, dpr);
        p.setPen(QPen(Qt::black, wellShadeWidth));
        p.setBrush(Qt::NoBrush);
        p.drawPath(continuousCapsule(QRectF(QPointF(0, 0), frame.size()).adjusted(1, 1, -1, -1)));
    }
    QImage shade = tinted(blurredAlpha(mask, blurSigma(wellShadeBlur) * dpr),
                          QColor::fromRgbF(0, 0, 0, float(wellShadeOpacity)));
    shade.setDevicePixelRatio(dpr);
    painter.save();
    painter.setClipPath(capsule, Qt::IntersectClip);
    painter.drawImage(frame.topLeft(), shade);
    painter.restore();
}

void LiquidSwitch::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    const QRectF frame = switchRect();
    const QPainterPath capsule = continuousCapsule(frame);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled()) painter.setOpacity(0.45);

    paintWell(painter, frame, env);

    painter.save();
    painter.setClipPath(capsule, Qt::IntersectClip);
    const ShapeFill liquid = fill_ ? *fill_ : ShapeFill(Rainbow::bands());
    painter.fillPath(wave().path(frame), brush(liquid, frame, env));
    if (isRainbow()) {
        const double on = std::clamp(level_.value(), 0.0, 1.0);
        paintPixelGrain(painter, frame, grainOff + (grainOn - grainOff) * on);
    }
    painter.restore();

    painter.setBrush(Qt::NoBrush);
    if (isRainbow()) {
        painter.setPen(QPen(Theme::rim.opacity(rainbowRimOpacity).resolve(env), 1));
        painter.drawPath(continuousCapsule(frame.adjusted(0.5, 0.5, -0.5, -0.5)));
    } else {
        painter.setPen(QPen(Theme::inkFaint.resolve(env), 0.5));
        painter.drawPath(continuousCapsule(frame.adjusted(0.25, 0.25, -0.25, -0.25)));
    }

    const QRectF knob = knobRect();
    const QPainterPath knobShape = continuousCapsule(knob);
    paintShadow(painter, knobShape,
                {Theme::ink.opacity(knobShadowOpacity).resolve(env), knobShadowRadius, knobShadowOffset});
    if (isRainbow()) {
        // A pearl: white, then 0.9 and 0.7 grey, from a highlight up and to the left.
        const QPointF centre(knob.left() + knob.width() * 0.3, knob.top() + knob.height() * 0.25);
        QRadialGradient pearl(centre, pearlRadius);
        pearl.setColorAt(0, Qt::white);
        pearl.setColorAt(0.5, QColor::fromRgbF(0.9f, 0.9f, 0.9f));
        pearl.setColorAt(1, QColor::fromRgbF(0.7f, 0.7f, 0.7f));
        painter.fillPath(knobShape, pearl);
    } else {
        painter.fillPath(knobShape, Qt::white);
    }

    if (focusRing_.shows()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Theme::honey.resolve(env), 2));
        painter.drawPath(continuousCapsule(frame.adjusted(1, 1, -1, -1)));
    }
}



}  // namespace velorin
