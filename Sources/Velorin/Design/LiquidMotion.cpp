#include "Velorin/Design/LiquidMotion.h"

#include "Platform/Platform.h"
#include "Velorin/Design/Display.h"

#include <QWidget>

namespace velorin {

namespace {
double referenceNow() { return secondsSinceReferenceDate(platform::current().clock().now()); }
// Frames a little early still count as the next tick of the 1/30-second timeline.
constexpr double tickSlack = 1e-3;
}  // namespace

LiquidMotion::LiquidMotion(QWidget* host, double level)
    : host_(host), level_(level), liquid_(level, referenceNow()) {
    level_.setOnFrame([this] {
        if (host_) host_->update();
        refresh();
    });
}

LiquidMotion::~LiquidMotion() { stopFrames(); }

void LiquidMotion::setLevel(double level) {
    if (level == level_.target()) return;
    level_.animateTo(level, Animation::spring(RainbowLiquid::levelSpring));
}

bool LiquidMotion::wantsFrames() const {
    const double level = level_.value();
    // A full liquid has a flat top: its wave moves nothing that shows.
    return host_ && host_->isVisible() && level > 0 && (level < 1 || level_.isAnimating()) &&
           !Display::reduceMotion();
}

void LiquidMotion::refresh() {
    if (!wantsFrames()) {
        stopFrames();
        return;
    }
    if (clock_) return;
    clock_ = &FrameClock::current();
    token_ = clock_->addListener([this](double now) { frame(now); });
}

void LiquidMotion::frame(double now) {
    if (lastTick_ >= 0 && now - lastTick_ < RainbowLiquid::tickInterval - tickSlack) return;
    lastTick_ = now;
    liquid_.setLevel(level_.value());
    liquid_.setReduceMotion(Display::reduceMotion());
    liquid_.tick(referenceNow());
    if (host_) host_->update();
    if (!wantsFrames()) stopFrames();
}

void LiquidMotion::stopFrames() {
    if (!clock_) return;
    clock_->removeListener(token_);
    clock_ = nullptr;
    lastTick_ = -1;
}

void LiquidMotion::paint(QPainter& painter, const QRectF& rect, const ColorEnvironment& environment) {
    liquid_.setLevel(level_.value());
    liquid_.setReduceMotion(Display::reduceMotion());
    if (liquid_.level() <= 0) return;
    liquid_.paint(painter, rect, environment);
}

}  // namespace velorin
