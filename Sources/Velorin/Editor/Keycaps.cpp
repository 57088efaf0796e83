#include "Velorin/Editor/Keycaps.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Design/Transition.h"
#include "Velorin/Editor/ComposerRules.h"

namespace velorin {
namespace {
constexpr Spring comboSpring{0.4, 0.65, 0};
}  // namespace

CapsSwap::Look CapsSwap::entering(double progress) {
    const TransitionLook look = Transition::scaled(hiddenScale).lookAt(progress, 0, false);
    return {look.scale, look.opacity};
}

CapsSwap::Look CapsSwap::leaving(double progress) {
    // The old caps run the same way out as the new ones in.
    const TransitionLook look = Transition::scaled(hiddenScale).lookAt(1 - progress, 0, true);
    return {look.scale, look.opacity};
}

double CapsSwap::width(double progress, double oldWidth, double newWidth) {
    // Caps of width w scaled by s about their centre reach w (1 + s) / 2.
    const double room = oldWidth + (newWidth - oldWidth) * progress;
    const double entered = newWidth * (1 + entering(progress).scale) / 2;
    const Look left = leaving(progress);
    const double leftover = left.opacity > 0 ? oldWidth * (1 + left.scale) / 2 : 0;
    return std::max({room, entered, leftover});
}

Keycaps::Keycaps(const KeyCombo& combo, bool small, QWidget* parent)
    : QWidget(parent), combo_(combo), small_(small), swap_(1.0, [this] { swapped(); }), display_([this] { update(); }) {
    setObjectName("composer.keycaps");
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Keycaps::setCombo(const KeyCombo& combo) {
    if (combo == combo_) return;
    const bool moves = animates_ && isVisible() && !Motion::instant() && !Display::reduceMotion();
    // A swap under way gives way from where it stands: its old caps go at once.
    const KeyCombo previous = combo_;
    combo_ = combo;
    swap_.setValue(moves ? 0 : 1);  // which drops any caps on their way out
    if (moves) {
        leaving_ = previous;
        swap_.animateTo(1.0, Animation::spring(comboSpring));
    }
    updateGeometry();
    update();
}

void Keycaps::swapped() {
    if (!swap_.isAnimating()) leaving_.reset();
    updateGeometry();
    update();
}

std::vector<std::string> Keycaps::parts() const { return ComposerRules::keycaps(combo_); }

QFont Keycaps::font() const { return Fonts::rounded(metrics().fontPoints, QFont::DemiBold); }

double Keycaps::capsWidth(const KeyCombo& combo) const {
    const auto rects = capRects(combo);
    return rects.empty() ? 0 : rects.back().right();
}

std::vector<QRectF> Keycaps::capRects(const KeyCombo& combo) const {
    const Metrics& m = metrics();
    QFontMetricsF text(font());
    std::vector<QRectF> rects;
    double x = 0;
    for (const auto& part : ComposerRules::keycaps(combo)) {
        const double width = std::max(m.minimumSide, text.horizontalAdvance(QString::fromStdString(part))) + 2 * m.padding;
        rects.emplace_back(x, 0, width, m.minimumSide);
        x += width + m.spacing;
    }
    return rects;
}

QSize Keycaps::sizeHint() const {
    const double width = leaving_ ? CapsSwap::width(entrance(), capsWidth(*leaving_), capsWidth(combo_))
                                  : capsWidth(combo_);
    return {int(std::ceil(width)), int(std::ceil(metrics().minimumSide + metrics().drop))};
}

void Keycaps::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    if (leaving_) paintCaps(painter, *leaving_, leavingLook(), env);
    paintCaps(painter, combo_, CapsSwap::entering(entrance()), env);
}

void Keycaps::paintCaps(QPainter& painter, const KeyCombo& combo, CapsSwap::Look look,
                        const ColorEnvironment& env) const {
    if (look.opacity <= 0) return;
    const Metrics& m = metrics();
    const auto texts = ComposerRules::keycaps(combo);
    const auto rects = capRects(combo);
    // About the middle of these caps, which all start at the leading edge.
    const QPointF middle(capsWidth(combo) / 2, height() / 2.0);
    painter.save();
    painter.setOpacity(look.opacity);
    painter.translate(middle);
    painter.scale(look.scale, look.scale);
    painter.translate(-middle);
    QColor drop = Theme::shadow.resolve(env);
    drop.setAlphaF(drop.alphaF() * 0.35f);
    for (std::size_t i = 0; i < rects.size(); ++i) {
        const QRectF& cap = rects[i];
        const QPainterPath face = continuousRoundedRect(cap, m.radius);
        painter.fillPath(face.translated(0, m.drop), drop);
        QLinearGradient gradient(cap.topLeft(), cap.bottomLeft());
        gradient.setColorAt(0, Theme::warmWhite.resolve(env));
        gradient.setColorAt(1, Theme::cream.resolve(env));
        painter.fillPath(face, gradient);
        painter.setPen(QPen(Theme::inkFaint.resolve(env), 1));
        painter.drawPath(continuousRoundedRect(cap.adjusted(0.5, 0.5, -0.5, -0.5), m.radius - 0.5));
        painter.setPen(Theme::ink.resolve(env));
        painter.drawText(cap, Qt::AlignCenter, QString::fromStdString(texts[i]));
    }
    painter.restore();
}

}  // namespace velorin
