#include "Velorin/Design/PadStage.h"

#include "Velorin/Design/Chip.h"
#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Design/WaterLayer.h"
#include "Velorin/Design/WaterPicture.h"

#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cmath>

namespace velorin {

namespace {

QColor mix(const QColor& a, const QColor& b, double t) {
    const auto lerp = [t](float x, float y) { return x + (y - x) * float(t); };
    return QColor::fromRgbF(lerp(a.redF(), b.redF()), lerp(a.greenF(), b.greenF()), lerp(a.blueF(), b.blueF()),
                            lerp(a.alphaF(), b.alphaF()));
}

}  // namespace

// The corner zones and the rim, painted over the water (a sibling above it).
class PadStage::Overlay final : public QWidget {
public:
    explicit Overlay(PadStage* pad) : QWidget(pad), pad_(pad) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        const ColorEnvironment env = colorEnvironmentFor(this);
        const QRectF pad(rect());
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        pad_->zones_.paint(painter, pad, env);
        // The rim, on the inside of the edge.
        const double half = rimWidth / 2;
        painter.setPen(QPen(Theme::rim.resolve(env), rimWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(continuousRoundedRect(pad.adjusted(half, half, -half, -half), cornerRadius - half));
    }

private:
    PadStage* pad_;
};

PadStage::PadStage(QWidget* parent, std::function<double()> clock)
    : PadStage(parent, WaterLayer::surfaceFormat(), std::move(clock)) {}

PadStage::PadStage(QWidget* parent, const QSurfaceFormat& format, std::function<double()> clock)
    : QWidget(parent),
      lit_(0),
      shadow_(
          this, [this] { return shape(); },
          [this] {
              const ColorEnvironment env = colorEnvironmentFor(this);
              return ShadowStyle{Theme::shadow.opacity(shadowOpacity).resolve(env), shadowRadius, shadowOffset};
          }),
      display_([this] {
          refreshChip();
          QWidget::update();
          overlay_->update();
          shadow_.refresh();
      }) {
    setObjectName("padStage");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    // Back to front: the water, the zones and rim, the chip.
    water_ = new WaterLayer(this, WaterLayer::Clipped{cornerRadius}, format, std::move(clock));
    overlay_ = new Overlay(this);
    chip_ = new Chip(this);
    chip_->setObjectName("fingerChip");
    chip_->setSystemImage(std::string(chipSymbol));
    chip_->move(int(chipInset), int(chipInset));
    lit_.setOnFrame([this] { refreshChip(); });
    refreshChip();
    layoutLayers();
}

PadStage::~PadStage() = default;

std::string PadStage::fingerText(int count) { return std::to_string(count) + (count == 1 ? " finger" : " fingers"); }

void PadStage::update(const WaterInput& input) {
    if (input == input_) return;
    const int before = fingers();
    input_ = input;
    water_->update(input_);
    if (fingers() != before) {
        const double lit = fingers() > 0 ? 1 : 0;
        if (lit != lit_.target()) lit_.animateTo(lit, Animation::spring(Theme::snappy));
        refreshChip();
    }
}

void PadStage::setCornerSize(double size) {
    if (size == zones_.size || (std::isnan(size) && std::isnan(zones_.size))) return;
    zones_.size = size;
    overlay_->update();
}

void PadStage::refreshChip() {
    const ColorEnvironment env = colorEnvironmentFor(this);
    const double t = lit_.value();
    const QColor idleTint = Theme::warmWhite.opacity(0.7).resolve(env);
    const QColor litTint = Rainbow::colors[2].toQColor();
    const QColor idleText = Theme::ink.resolve(env);
    const QColor litText = Theme::onAccent.resolve(env);
    chip_->setText(QString::fromStdString(fingerText(fingers())));
    chip_->setTint(ThemeColor::plain(Rgba::from(mix(idleTint, litTint, t))));
    chip_->setForeground(ThemeColor::plain(Rgba::from(mix(idleText, litText, t))));
    chip_->resize(chip_->sizeHint());
}

QSizeF PadStage::fittedSize(const QSizeF& offered) {
    const double w = std::max(0.0, std::min({offered.width(), maxWidth, offered.height() * aspectRatio}));
    return {w, w / aspectRatio};
}

QRectF PadStage::padRect() const { return QRectF(QPointF(0, 0), fittedSize(QSizeF(size()))); }

QPainterPath PadStage::shape() const {
    const QRectF pad = padRect();
    if (pad.isEmpty()) return {};
    return continuousRoundedRect(pad, cornerRadius);
}

void PadStage::drawFrame() {
    if (WaterPicture* picture = water_->picture()) picture->drawFrame();
}

int PadStage::heightForWidth(int width) const {
    return int(std::lround(std::min(double(width), maxWidth) / aspectRatio));
}

QSize PadStage::sizeHint() const { return QSize(int(maxWidth), heightForWidth(int(maxWidth))); }

QSize PadStage::minimumSizeHint() const { return QSize(160, 100); }

void PadStage::layoutLayers() {
    const QRect pad = padRect().toRect();
    water_->setGeometry(pad);
    overlay_->setGeometry(pad);
    shadow_.refresh();
}

void PadStage::paintEvent(QPaintEvent*) {
    // The floor beneath the water: all that shows where no water can be drawn.
    const QRectF pad = padRect();
    if (pad.isEmpty()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Theme::milk.resolve(colorEnvironmentFor(this)));
    painter.drawPath(continuousRoundedRect(pad, cornerRadius));
}

void PadStage::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutLayers();
}

void PadStage::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    shadow_.refresh();
}

}  // namespace velorin
