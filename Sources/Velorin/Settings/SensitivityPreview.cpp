#include "Velorin/Settings/SensitivityPreview.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPen>
#include <QVBoxLayout>

#include <cmath>

#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/Design/Shadow.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Settings/SensitivityPreviewGeometry.h"
#include "Velorin/ThemedText.h"

namespace velorin {

namespace {

using Geometry = SensitivityPreviewGeometry;

enum Value { tapValue, gapValue, holdValue, travelValue, cornerValue };

std::size_t index(SensitivityFocus focus) { return static_cast<std::size_t>(focus); }

// Glides to a finite value; a value that is not finite (a hand-edited file)
// is shown at once, as no spring can travel to it, and so is every value
// under Reduce Motion.
void glide(AnimatedValue<double>& value, double target, const Animation& animation) {
    if (!Display::reduceMotion() && std::isfinite(target) && std::isfinite(value.value()))
        value.animateTo(target, animation);
    else
        value.setValue(target);
}

QColor withOpacity(ThemeColor color, double opacity, const ColorEnvironment& env) {
    return color.opacity(opacity).resolve(env);
}

}  // namespace

// The small trackpad: its floor, the corner zones, the travel ring and the finger dot.
class SensitivityPreview::Pad final : public QWidget {
public:
    Pad(SensitivityPreview* preview, QWidget* parent) : QWidget(parent), preview_(preview) {
        setObjectName("sensitivity.previewPad");
        QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int w) const override { return int(std::lround(Geometry::padSize(w).height())); }
    QSize sizeHint() const override { return QSize(222, heightForWidth(222)); }

protected:
    void paintEvent(QPaintEvent*) override {
        const Shown shown = preview_->shown();
        const ColorEnvironment env = colorEnvironmentFor(this);
        const QSizeF size = Geometry::padSize(width());
        const QRectF pad(QPointF(0, (height() - size.height()) / 2), size);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::cream.resolve(env));
        painter.drawPath(continuousRoundedRect(pad, Geometry::padCornerRadius));

        const double corner = shown.highlight[index(Focus::corner)];
        painter.setBrush(withOpacity(Theme::butter, Geometry::zoneOpacity(corner), env));
        for (const QRectF& zone : Geometry::cornerZones(size, shown.cornerSize)) {
            if (zone.isEmpty()) continue;
            painter.drawPath(continuousRoundedRect(zone.translated(pad.topLeft()), Geometry::zoneCornerRadius));
        }

        const double travel = shown.highlight[index(Focus::travel)];
        const double d = Geometry::ringDiameter(size.width(), shown.maxTravel);
        const QPointF c = pad.center();
        painter.setBrush(withOpacity(Theme::honey, Geometry::ringFillOpacity(travel), env));
        painter.drawEllipse(c, d / 2, d / 2);
        // The dashed border lies on the inside of the ring's edge.
        QPen dashed(Theme::honey.resolve(env), Geometry::ringLineWidth);
        dashed.setDashPattern(
            {Geometry::ringDash / Geometry::ringLineWidth, Geometry::ringDash / Geometry::ringLineWidth});
        painter.setPen(dashed);
        painter.setBrush(Qt::NoBrush);
        const double inner = d / 2 - Geometry::ringLineWidth / 2;
        painter.drawEllipse(c, inner, inner);

        // The finger dot with its honey glow.
        QPainterPath dot;
        const double r = Geometry::fingerDiameter / 2;
        dot.addEllipse(c, r, r);
        paintShadow(painter, dot, ShadowStyle{withOpacity(Theme::honey, 0.6, env), 6, QPointF(0, 0)});
        painter.setPen(Qt::NoPen);
        painter.fillPath(dot, Qt::white);
    }

private:
    SensitivityPreview* preview_;
};

// One timing bar: its label in a 30-point column, then the track standing for 3 seconds.
class SensitivityPreview::Bar final : public QWidget {
public:
    Bar(SensitivityPreview* preview, QString label, Value value, Focus focus, QWidget* parent)
        : QWidget(parent), preview_(preview), label_(std::move(label)), value_(value), focus_(focus) {
        setObjectName("sensitivity.bar." + label_);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }
    QSize sizeHint() const override {
        const double text = QFontMetricsF(font()).height();
        return QSize(200, int(std::ceil(std::max(text, Geometry::barHeight(1)))));
    }
    double trackWidth() const { return width() - Geometry::barLabelWidth - Geometry::barSpacing; }

protected:
    void paintEvent(QPaintEvent*) override {
        const Shown shown = preview_->shown();
        const ColorEnvironment env = colorEnvironmentFor(this);
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setFont(labelFont());
        painter.setPen(Theme::ink.resolve(env));
        painter.drawText(QRectF(0, 0, Geometry::barLabelWidth, height()), Qt::AlignLeft | Qt::AlignVCenter, label_);

        const double highlight = shown.highlight[index(focus_)];
        const double h = Geometry::barHeight(highlight);
        const QRectF track(Geometry::barLabelWidth + Geometry::barSpacing, (height() - h) / 2, trackWidth(), h);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Theme::cream.resolve(env));
        painter.drawPath(continuousCapsule(track));
        const double seconds = value_ == tapValue   ? shown.maxTapDuration
                               : value_ == gapValue ? shown.multiTapInterval
                                                    : shown.holdDuration;
        const QRectF fill(track.topLeft(), QSizeF(Geometry::barFillWidth(seconds, track.width()), h));
        QLinearGradient gradient(fill.topLeft(), fill.topRight());
        gradient.setColorAt(0, Theme::butter.resolve(env));
        gradient.setColorAt(1, Theme::honey.resolve(env));
        painter.setOpacity(Geometry::barOpacity(highlight));
        painter.setBrush(gradient);
        painter.drawPath(continuousCapsule(fill));
    }

private:
    static QFont labelFont() { return Fonts::system(10.5, QFont::DemiBold); }
    SensitivityPreview* preview_;
    QString label_;
    Value value_;
    Focus focus_;
};

SensitivityPreview::SensitivityPreview(QWidget* parent) : GlassCard(14, 20, ThemeColor::clear(), parent) {
    setObjectName("sensitivity.preview");
    setFixedWidth(int(width));
    for (auto& v : values_) v.setOnFrame([this] { repaintParts(); });
    for (auto& h : highlight_) h.setOnFrame([this] { repaintParts(); });

    auto* content = new QWidget(this);
    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);
    column->addWidget(new ThemedText("Preview", Fonts::system(12, QFont::DemiBold), Theme::inkMuted, content));
    pad_ = new Pad(this, content);
    column->addWidget(pad_);

    auto* bars = new QVBoxLayout;
    bars->setSpacing(9);
    const std::array<std::tuple<const char*, Value, Focus>, 3> kinds{{
        {"Tap", tapValue, Focus::tap},
        {"Gap", gapValue, Focus::gap},
        {"Hold", holdValue, Focus::hold},
    }};
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        auto [label, value, focus] = kinds[i];
        auto* bar = new Bar(this, label, value, focus, content);
        bar->setFont(Fonts::system(10.5, QFont::DemiBold));
        bars_[i] = bar;
        bars->addWidget(bar);
    }
    auto* axis = new QHBoxLayout;
    axis->setSpacing(0);
    const QFont axisFont = Fonts::system(9.5, QFont::Medium);
    axis->addWidget(new ThemedText("0s", axisFont, Theme::inkMuted, content));
    axis->addStretch(1);
    axis->addWidget(new ThemedText("1.5s", axisFont, Theme::inkMuted, content));
    axis->addStretch(1);
    axis->addWidget(new ThemedText("3s", axisFont, Theme::inkMuted, content));
    bars->addLayout(axis);
    column->addLayout(bars);
    addContent(content);

    // Stands at the defaults until the tab gives the stored values.
    values_[tapValue].setValue(config_.maxTapDuration);
    values_[gapValue].setValue(config_.multiTapInterval);
    values_[holdValue].setValue(config_.holdDuration);
    values_[travelValue].setValue(config_.maxTravel);
    values_[cornerValue].setValue(config_.cornerSize);
}

SensitivityPreview::~SensitivityPreview() = default;

void SensitivityPreview::setConfig(const RecognizerConfig& config) {
    if (config == config_) return;
    config_ = config;
    const Animation wobble = Animation::spring(Theme::wobble);
    glide(values_[tapValue], config_.maxTapDuration, wobble);
    glide(values_[gapValue], config_.multiTapInterval, wobble);
    glide(values_[holdValue], config_.holdDuration, wobble);
    glide(values_[travelValue], config_.maxTravel, wobble);
    glide(values_[cornerValue], config_.cornerSize, wobble);
}

void SensitivityPreview::setFocus(std::optional<Focus> focus) {
    if (focus == focus_) return;
    focus_ = focus;
    const Animation snappy = Animation::spring(Theme::snappy);
    const bool still = Display::reduceMotion();
    for (std::size_t i = 0; i < highlight_.size(); ++i) {
        const double target = focus_ && index(*focus_) == i ? 1 : 0;
        if (highlight_[i].target() == target) continue;
        if (still)
            highlight_[i].setValue(target);
        else
            highlight_[i].animateTo(target, snappy);
    }
}

SensitivityPreview::Shown SensitivityPreview::shown() const {
    Shown s;
    s.maxTapDuration = values_[tapValue].value();
    s.multiTapInterval = values_[gapValue].value();
    s.holdDuration = values_[holdValue].value();
    s.maxTravel = values_[travelValue].value();
    s.cornerSize = values_[cornerValue].value();
    for (std::size_t i = 0; i < highlight_.size(); ++i) s.highlight[i] = highlight_[i].value();
    return s;
}

void SensitivityPreview::repaintParts() {
    if (pad_) pad_->update();
    for (QWidget* bar : bars_)
        if (bar) bar->update();
}

}  // namespace velorin
