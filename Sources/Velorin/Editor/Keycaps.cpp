#include "Velorin/Editor/Keycaps.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Editor/ComposerRules.h"

namespace velorin {
namespace {
constexpr double enteringScale = 0.85;
constexpr Spring comboSpring{0.4, 0.65, 0};
}  // namespace

Keycaps::Keycaps(const KeyCombo& combo, bool small, QWidget* parent)
    : QWidget(parent), combo_(combo), small_(small), entrance_(1.0, [this] { update(); }), display_([this] { update(); }) {
    setObjectName("composer.keycaps");
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void Keycaps::setCombo(const KeyCombo& combo) {
    if (combo == combo_) return;
    combo_ = combo;
    updateGeometry();
    update();
    if (animates_ && isVisible() && !Motion::instant() && !Display::reduceMotion()) {
        entrance_.setValue(0);
        entrance_.animateTo(1.0, Animation::spring(comboSpring));
    }
}

double Keycaps::capsScale() const { return enteringScale + (1 - enteringScale) * entrance(); }

double Keycaps::capsOpacity() const { return std::clamp(entrance(), 0.0, 1.0); }

std::vector<std::string> Keycaps::parts() const { return ComposerRules::keycaps(combo_); }

QFont Keycaps::font() const { return Fonts::rounded(metrics().fontPoints, QFont::DemiBold); }

std::vector<QRectF> Keycaps::capRects() const {
    const Metrics& m = metrics();
    QFontMetricsF text(font());
    std::vector<QRectF> rects;
    double x = 0;
    for (const auto& part : parts()) {
        const double width = std::max(m.minimumSide, text.horizontalAdvance(QString::fromStdString(part))) + 2 * m.padding;
        rects.emplace_back(x, 0, width, m.minimumSide);
        x += width + m.spacing;
    }
    return rects;
}

QSize Keycaps::sizeHint() const {
    const auto rects = capRects();
    const double width = rects.empty() ? 0 : rects.back().right();
    return {int(std::ceil(width)), int(std::ceil(metrics().minimumSide + metrics().drop))};
}

void Keycaps::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    const Metrics& m = metrics();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    const auto texts = parts();
    const auto rects = capRects();
    const double scale = capsScale();
    const QPointF middle = QRectF(rect()).center();
    painter.setOpacity(capsOpacity());
    painter.translate(middle);
    painter.scale(scale, scale);
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
}

}  // namespace velorin
