#include "Velorin/Design/PillButton.h"

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fade.h"
#include "Velorin/Design/Feedback.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Symbols.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace velorin {

namespace {
// Room on each side for the squash, which widens the pill by 5 %.
constexpr double squashRoom = 3;
constexpr double primaryFillOpacity = 0.85;
constexpr double textShadowRadius = 2;
constexpr QPointF textShadowOffset{0, 1};

QFont pillFont() { return Fonts::system(PillButtonStyle::fontPoints, QFont::DemiBold); }

QRectF scaledAboutCentre(const QRectF& r, QSizeF scale) {
    const QPointF c = r.center();
    const double w = r.width() * scale.width();
    const double h = r.height() * scale.height();
    return QRectF(c.x() - w / 2, c.y() - h / 2, w, h);
}
}  // namespace

PillButton::PillButton(QWidget* parent) : PillButton(QString(), false, parent) {}

PillButton::PillButton(const QString& text, bool primary, QWidget* parent)
    : QAbstractButton(parent),
      style_{primary},
      liquid_(this, style_.liquidLevel(false)),
      squash_(QSizeF(1, 1)),
      swell_(1.0),
      width_(0.0),
      splash_(this, splashes_),
      shadow_(
          this, [this] { return continuousCapsule(drawnPillRect()); },
          [this] {
              ShadowStyle style = rainbowGlassShadow(colorEnvironmentFor(this));
              if (!isEnabled()) style.color.setAlphaF(style.color.alphaF() * PillButtonStyle::disabledOpacity);
              return style;
          }),
      display_([this] {
          liquid_.refresh();
          update();
      }) {
    setText(text);
    setFont(pillFont());
    setFocusPolicy(Qt::TabFocus);  // a ring only for keyboard focus, never after a click
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAttribute(Qt::WA_Hover);
    squash_.setOnFrame([this] {
        update();
        shadow_.refresh();
    });
    swell_.setOnFrame([this] {
        update();
        shadow_.refresh();
    });
    width_.setOnFrame([this] {
        updateGeometry();
        update();
        shadow_.refresh();
    });
    connect(this, &QAbstractButton::pressed, this, [this] { pressChanged(true); });
    connect(this, &QAbstractButton::released, this, [this] { pressChanged(false); });
}

PillButton::~PillButton() = default;

void PillButton::setSymbol(std::optional<std::string> symbol) {
    if (symbol == symbol_) return;
    symbol_ = std::move(symbol);
    updateGeometry();
    update();
}

double PillButton::symbolRoom() const { return symbol_ ? PillButtonStyle::fontPoints + symbolSpacing : 0; }

void PillButton::setPrimary(bool primary) {
    if (primary == style_.primary) return;
    style_.primary = primary;
    liquid_.setLevel(style_.liquidLevel(isDown()));
    update();
}

void PillButton::setTextColor(std::optional<ThemeColor> color) {
    if (color == textColor_) return;
    textColor_ = color;
    update();
}

void PillButton::pressChanged(bool pressed) {
    liquid_.setLevel(style_.liquidLevel(pressed));
    squash_.animateTo(style_.scale(pressed), Animation::spring(PillButtonStyle::pressSpring));
    if (!pressed) {
        // Letting go splashes and ticks, whether or not the action fires.
        ++splashes_;
        splash_.update(splashes_, false, false);
        if (ticks_) playHaptic(HapticPattern::alignment);
    }
    liquid_.refresh();
}

void PillButton::setSwellRoom(double largest) {
    largest = std::max(1.0, largest);
    if (largest == swellRoom_) return;
    swellRoom_ = largest;
    updateGeometry();
    update();
}

void PillButton::swellTo(double scale, const std::optional<Animation>& animation) {
    if (animation) {
        swell_.animateTo(scale, *animation);
    } else {
        swell_.setValue(scale);
    }
    update();
    shadow_.refresh();
}

double PillButton::naturalWidth() const {
    return symbolRoom() + QFontMetricsF(font()).horizontalAdvance(text()) + 2 * PillButtonStyle::horizontalPadding;
}

QSizeF PillButton::contentSize() const {
    const QFontMetricsF metrics(font());
    return {width_.isAnimating() ? width_.value() : naturalWidth(),
            metrics.height() + 2 * PillButtonStyle::verticalPadding};
}

void PillButton::setTextGliding(const QString& text, const Spring& spring) {
    if (text == this->text()) return;
    const double shown = contentSize().width();
    const bool glides = width_.isAnimating();
    setText(text);
    const double target = naturalWidth();
    if (!isVisible() || Display::reduceMotion() || Motion::instant()) {
        width_.setValue(target);
    } else {
        // A glide under way turns toward the new width with the speed it has.
        if (!glides) width_.setValue(shown);
        width_.animateTo(target, Animation::spring(spring));
    }
    updateGeometry();
    update();
}

QMarginsF PillButton::swellMargins() const {
    // Whole points, so the pill keeps its own size inside the room.
    const QSizeF content = contentSize();
    const double x = std::ceil(content.width() * (swellRoom_ - 1) / 2);
    const double y = std::ceil(content.height() * (swellRoom_ - 1) / 2);
    return {x, y, x, y};
}

QMarginsF PillButton::room() const { return swellMargins() + QMarginsF(squashRoom, 0, squashRoom, 0); }

QRectF PillButton::pillRect() const { return QRectF(rect()).marginsRemoved(room()); }

QRectF PillButton::drawnPillRect() const {
    const QSizeF squash = squash_.value();
    const double swell = swell_.value();
    return scaledAboutCentre(pillRect(), QSizeF(squash.width() * swell, squash.height() * swell));
}

double PillButton::paintOpacity() const { return PillButtonStyle::opacity(isEnabled()) * fadeOf(this); }

QSize PillButton::sizeHint() const {
    const QSizeF content = contentSize();
    const QMarginsF m = room();
    return QSize(int(std::ceil(content.width() + m.left() + m.right())),
                 int(std::ceil(content.height() + m.top() + m.bottom())));
}

QSize PillButton::minimumSizeHint() const { return sizeHint(); }

bool PillButton::hitButton(const QPoint& position) const {
    return continuousCapsule(pillRect()).contains(QPointF(position));
}

void PillButton::changeEvent(QEvent* event) {
    QAbstractButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) shadow_.refresh();
    if (event->type() == QEvent::FontChange) updateGeometry();
}

void PillButton::showEvent(QShowEvent* event) {
    QAbstractButton::showEvent(event);
    liquid_.refresh();
    shadow_.refresh();
}

void PillButton::hideEvent(QHideEvent* event) {
    QAbstractButton::hideEvent(event);
    liquid_.refresh();
}

void PillButton::resizeEvent(QResizeEvent* event) {
    QAbstractButton::resizeEvent(event);
    shadow_.refresh();
}

void PillButton::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    const bool pressed = isDown();
    const QRectF pill = drawnPillRect();
    const QPainterPath capsule = continuousCapsule(pill);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setOpacity(paintOpacity());

    // The glass lies behind the liquid and gives the pill its body and rim.
    paintRainbowGlass(painter, pill, style_.primary, false, env);

    painter.save();
    painter.setClipPath(capsule, Qt::IntersectClip);
    if (style_.primary) {
        QLinearGradient fill(pill.topLeft(), pill.bottomRight());
        Rgba from = Rainbow::colors[5];
        Rgba to = Rainbow::colors[4];
        from.alpha = to.alpha = primaryFillOpacity;
        fill.setColorAt(0, from.toQColor());
        fill.setColorAt(1, to.toQColor());
        painter.fillPath(capsule, fill);
    }
    liquid_.paint(painter, pill, env);
    paintPixelGrain(painter, pill, PillButtonStyle::grainStrength);
    painter.restore();

    // The label, centred in the unsquashed padding, squashed and swollen with the pill.
    painter.save();
    const QPointF c = pill.center();
    painter.translate(c);
    painter.scale(squash_.value().width() * swell_.value(), squash_.value().height() * swell_.value());
    painter.translate(-c);
    const QRectF label = pillRect();
    const QFont f = font();
    const QFontMetricsF metrics(f);
    // While the width glides the text stays whole, cut by the capsule where
    // the pill is still narrower, rather than flickering between elisions.
    const bool gliding = width_.isAnimating();
    const QString shown =
        gliding ? text()
                : metrics.elidedText(text(), Qt::ElideRight,
                                     label.width() - 2 * PillButtonStyle::horizontalPadding - symbolRoom());
    if (gliding) painter.setClipPath(capsule, Qt::IntersectClip);
    // The symbol and the text, centred together.
    const double textWidth = metrics.horizontalAdvance(shown);
    const double start = label.center().x() - (symbolRoom() + textWidth) / 2;
    const QRectF textRect(start + symbolRoom(), label.top(), textWidth, label.height());
    const ThemeColor ink = !style_.whiteText(pressed) && textColor_ ? *textColor_ : style_.textColor(pressed);
    if (symbol_) {
        const double size = PillButtonStyle::fontPoints;
        Symbols::draw(painter, QRectF(start, label.center().y() - size / 2, size, size), *symbol_, ink.resolve(env),
                      size);
    }
    if (style_.whiteText(pressed)) {
        QPainterPath glyphs;
        const double x = textRect.x();
        const double y = label.center().y() + (metrics.ascent() - metrics.descent()) / 2;
        glyphs.addText(QPointF(x, y), f, shown);
        paintShadow(
            painter, glyphs,
            {QColor::fromRgbF(0, 0, 0, float(PillButtonStyle::textShadowOpacity)), textShadowRadius, textShadowOffset},
            false);
    }
    painter.setFont(f);
    painter.setPen(ink.resolve(env));
    painter.drawText(textRect, Qt::AlignCenter, shown);
    painter.restore();

    if (focusRing_.shows()) {
        painter.setOpacity(fadeOf(this));
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Theme::honey.resolve(env), 2));
        painter.drawPath(continuousCapsule(pill.adjusted(1, 1, -1, -1)));
    }
}

}  // namespace velorin
