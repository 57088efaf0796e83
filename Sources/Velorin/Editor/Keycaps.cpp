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

double CapsSwap::extent(double width, Look look) {
    // Caps of width w scaled by s about their centre reach w (1 + s) / 2.
    return width * (1 + look.scale) / 2;
}

double CapsSwap::width(double progress, double oldWidth, double newWidth) {
    const double room = oldWidth + (newWidth - oldWidth) * progress;
    const Look left = leaving(progress);
    const double leftover = left.opacity > 0 ? extent(oldWidth, left) : 0;
    return std::max({room, extent(newWidth, entering(progress)), leftover});
}

struct CapsSwaps::Set {
    Set(const KeyCombo& combo, double presence, std::function<void()> onFrame)
        : combo(combo), presence(presence, std::move(onFrame)) {}
    KeyCombo combo;
    AnimatedValue<double> presence;  // 0 gone … 1 whole
};

CapsSwaps::CapsSwaps(const KeyCombo& combo, std::function<void()> onFrame) : onFrame_(std::move(onFrame)) {
    sets_.push_back(std::make_unique<Set>(combo, 1.0, onFrame_));
}

CapsSwaps::~CapsSwaps() = default;

const KeyCombo& CapsSwaps::current() const { return sets_.back()->combo; }

double CapsSwaps::entrance() const { return sets_.back()->presence.value(); }

void CapsSwaps::show(const KeyCombo& combo, const std::optional<Spring>& spring) {
    if (!spring) {
        sets_.clear();
        sets_.push_back(std::make_unique<Set>(combo, 1.0, onFrame_));
        if (onFrame_) onFrame_();
        return;
    }
    if (combo == current()) return;
    // Sets that are gone are dropped here, never from inside their own frame.
    std::erase_if(sets_, [&](const std::unique_ptr<Set>& set) {
        return set != sets_.back() && !set->presence.isAnimating() && set->presence.value() <= 0;
    });
    const Animation animation = Animation::spring(*spring);
    sets_.back()->presence.animateTo(0.0, animation);
    auto back = std::find_if(sets_.begin(), sets_.end(), [&](const auto& set) { return set->combo == combo; });
    if (back != sets_.end()) {
        // Coming back while it leaves: it turns round from where it stands.
        std::unique_ptr<Set> set = std::move(*back);
        sets_.erase(back);
        sets_.push_back(std::move(set));
    } else {
        sets_.push_back(std::make_unique<Set>(combo, 0.0, onFrame_));
    }
    sets_.back()->presence.animateTo(1.0, animation);
}

std::vector<CapsSwaps::Leaving> CapsSwaps::leaving() const {
    std::vector<Leaving> out;
    for (std::size_t i = 0; i + 1 < sets_.size(); ++i) {
        const double presence = sets_[i]->presence.value();
        const CapsSwap::Look look = CapsSwap::leaving(1 - presence);
        if (look.opacity > 0 || sets_[i]->presence.isAnimating()) out.push_back({sets_[i]->combo, presence, look});
    }
    return out;
}

bool CapsSwaps::isSwapping() const {
    return std::any_of(sets_.begin(), sets_.end(), [](const auto& set) { return set->presence.isAnimating(); });
}

Keycaps::Keycaps(const KeyCombo& combo, bool small, QWidget* parent)
    : QWidget(parent), small_(small), swaps_(combo, [this] { swapped(); }), display_([this] { update(); }) {
    setObjectName("composer.keycaps");
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}


void Keycaps::setCombo(const KeyCombo& combo) {
    if (combo == this->combo()) return;
    const bool moves = animates_ && isVisible() && !Motion::instant() && !Display::reduceMotion();
    swaps_.show(combo, moves ? std::optional<Spring>(comboSpring) : std::nullopt);
    updateGeometry();
    update();
}

void Keycaps::swapped() {
    updateGeometry();
    update();
}

std::optional<KeyCombo> Keycaps::leavingCombo() const {
    const auto sets = swaps_.leaving();
    if (sets.empty()) return std::nullopt;
    return sets.back().combo;
}

CapsSwap::Look Keycaps::leavingLook() const {
    const auto sets = swaps_.leaving();
    return sets.empty() ? CapsSwap::Look{1, 0} : sets.back().look;
}

std::vector<std::string> Keycaps::parts() const { return ComposerRules::keycaps(combo()); }

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
    const auto leaving = swaps_.leaving();
    const double current = capsWidth(combo());
    // The room springs from the latest caps to leave; none of the caps still drawn is cut off.
    double width = leaving.empty() ? current : CapsSwap::width(entrance(), capsWidth(leaving.back().combo), current);
    for (const auto& set : leaving) {
        if (set.look.opacity > 0) width = std::max(width, CapsSwap::extent(capsWidth(set.combo), set.look));
    }
    return {int(std::ceil(width)), int(std::ceil(metrics().minimumSide + metrics().drop))};
}

void Keycaps::paintEvent(QPaintEvent*) {
    const ColorEnvironment env = colorEnvironmentFor(this);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setFont(font());
    for (const auto& set : swaps_.leaving()) paintCaps(painter, set.combo, set.look, env);
    paintCaps(painter, combo(), CapsSwap::entering(entrance()), env);
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
