#include "Velorin/Design/PixelBurst.h"

#include "Velorin/Design/Display.h"
#include "Velorin/Design/Rainbow.h"

#include <QPainter>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>

namespace velorin {

namespace {
// Times within this of a boundary count as at it, whatever the rounding of the clock's sums.
constexpr double timeTolerance = 1e-9;
}  // namespace

PixelBurst::Random PixelBurst::systemRandom() {
    return [](double low, double high) {
        // One engine per thread, seeded from the system once: asking the
        // system for a seed per widget costs more than the widget itself.
        thread_local std::mt19937_64 engine{std::random_device{}()};
        std::uniform_real_distribution<double> uniform(low, std::nextafter(high, std::numeric_limits<double>::max()));
        return uniform(engine);
    };
}

PixelBurst::PixelBurst(std::optional<int> trigger, double duration, Random random)
    : trigger_(trigger), duration_(duration), random_(std::move(random)) {}

bool PixelBurst::update(int trigger, bool drain, bool drip, bool reduceMotion, double now) {
    drain_ = drain;
    drip_ = drip;
    const bool first = !trigger_;
    if (trigger == trigger_) return false;
    trigger_ = trigger;
    if (first) return false;
    if (reduceMotion) return false;
    const int n = drip ? dripCount : (drain ? drainCount : splashCount);
    seeds_.clear();
    seeds_.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        BurstSeed s;
        s.across = random_(0, 1);
        s.down = drain ? random_(0.2, 0.9) : random_(0, 1);
        s.angle = random_(0, 2 * std::numbers::pi);
        s.speed = random_(0.4, 1.0);
        seeds_.push_back(s);
    }
    start_ = now;
    return true;
}

bool PixelBurst::isRunning(double now) const {
    return start_ && now - *start_ + timeTolerance < duration_ + clearDelay;
}

std::vector<BurstParticle> PixelBurst::particles(double now, const QSizeF& size) const {
    std::vector<BurstParticle> out;
    if (!start_) return out;
    const double elapsed = now - *start_;
    if (elapsed < 0 || elapsed + timeTolerance >= duration_ || !(duration_ > 0)) return out;
    const double p = elapsed / duration_;
    const double opacity = 1 - p;
    out.reserve(seeds_.size());
    for (std::size_t index = 0; index < seeds_.size(); ++index) {
        const BurstSeed& s = seeds_[index];
        const int i = int(index);
        double dx = 0;
        double dy = 0;
        double side = 2.5;
        Rgba color;
        if (drip_) {
            dx = 5 * p * std::cos(s.angle);
            dy = 4 * p + 46 * p * p * s.speed;
            color = drain_ ? Rainbow::subpixel(i).light() : Rainbow::color(i + trigger_.value_or(0)).light();
        } else if (drain_) {
            dx = 6 * p * std::cos(s.angle);
            dy = 8 * p + 40 * p * p * s.speed;
            color = Rainbow::subpixel(i).light();
        } else {
            dx = 34 * p * s.speed * std::cos(s.angle);
            dy = 30 * p * p + 26 * p * s.speed * std::sin(s.angle);
            color = Rainbow::color(i + trigger_.value_or(0)).light();
            side = 3;
        }
        color.alpha = opacity;
        const double x = (size.width() - 2 * overflow) * s.across + overflow + dx;
        const double y = (size.height() - 2 * overflow) * s.down + overflow + dy;
        out.push_back({QRectF(x, y, side, side + 1), color.toQColor()});
    }
    return out;
}

PixelSplash::PixelSplash(QWidget* host, PixelBurst::Random random)
    : OverlayEffect(host), burst_(std::nullopt, PixelBurst::splashDuration, std::move(random)) {}

PixelSplash::PixelSplash(QWidget* host, int trigger, PixelBurst::Random random)
    : OverlayEffect(host), burst_(trigger, PixelBurst::splashDuration, std::move(random)) {}

PixelSplash::~PixelSplash() { stopListening(); }

void PixelSplash::update(int trigger, bool drain, bool drip) {
    FrameClock& clock = clock_ ? *clock_ : FrameClock::current();
    const bool started = burst_.update(trigger, drain, drip, Display::reduceMotion(), clock.now());
    if (started && !clock_) {
        clock_ = &clock;
        token_ = clock.addListener([this](double now) { frame(now); });
    }
    refresh();
}

void PixelSplash::frame(double now) {
    if (!burst_.isRunning(now)) stopListening();
    refresh();
}

void PixelSplash::stopListening() {
    if (!clock_) return;
    clock_->removeListener(token_);
    clock_ = nullptr;
}

QRectF PixelSplash::area() const {
    if (!host()) return {};
    // The burst's canvas: the host grown by the overflow on every side; it clips the pixels.
    const double m = PixelBurst::overflow;
    return QRectF(QPointF(0, 0), host()->size()).adjusted(-m, -m, m, m);
}

void PixelSplash::paint(QPainter& painter) {
    if (!host() || !clock_) return;
    const double m = PixelBurst::overflow;
    const QSizeF canvas(host()->width() + 2 * m, host()->height() + 2 * m);
    painter.save();
    painter.translate(-m, -m);
    painter.setPen(Qt::NoPen);
    for (const BurstParticle& particle : burst_.particles(clock_->now(), canvas))
        painter.fillRect(particle.rect, particle.color);
    painter.restore();
}

namespace {

constexpr const char* splashHolderName = "velorinPixelSplash";

// Keeps a host's splash as a child object, so that it dies with its host.
class SplashHolder final : public QObject {
public:
    SplashHolder(QWidget* host, int trigger) : QObject(host), splash(host, trigger) {
        setObjectName(QString::fromLatin1(splashHolderName));
    }
    PixelSplash splash;
};

SplashHolder* holderOf(const QWidget* host) {
    if (!host) return nullptr;
    // Found by its name, checked by its type.
    QObject* child = host->findChild<QObject*>(QString::fromLatin1(splashHolderName), Qt::FindDirectChildrenOnly);
    return dynamic_cast<SplashHolder*>(child);
}

}  // namespace

void pixelSplash(QWidget* host, int trigger, bool drain, bool drip) {
    if (!host) return;
    SplashHolder* holder = holderOf(host);
    if (!holder) holder = new SplashHolder(host, trigger);
    holder->splash.update(trigger, drain, drip);
}

const PixelSplash* pixelSplashOf(const QWidget* host) {
    const SplashHolder* holder = holderOf(host);
    return holder ? &holder->splash : nullptr;
}

}  // namespace velorin
