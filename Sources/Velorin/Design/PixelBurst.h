#pragma once
// A burst of square pixels that flies out of a view each time a counter
// changes: a splash scatters rainbow pixels outward and lets them fall, a
// drain lets subpixel-coloured pixels fall steadily, a drip lets a few fall
// almost straight. `PixelBurst` is the burst in virtual time; `PixelSplash`
// draws one for a widget on the effects overlay, 36 points beyond its edges.

#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/FrameClock.h"

#include <QColor>
#include <QRectF>

#include <functional>
#include <optional>
#include <vector>

namespace velorin {

struct BurstSeed {
    double across = 0;  // 0…1
    double down = 0;    // 0…1 (0.2…0.9 for a drain)
    double angle = 0;   // 0…2π
    double speed = 0;   // 0.4…1

    bool operator==(const BurstSeed&) const = default;
};

struct BurstParticle {
    QRectF rect;
    QColor color;

    bool operator==(const BurstParticle&) const = default;
};

class PixelBurst {
public:
    static constexpr double splashDuration = 0.8;  // seconds, as views use it
    static constexpr double clearDelay = 0.05;     // seconds after the duration until the burst is cleared
    static constexpr double overflow = 36;         // points the burst may fly beyond its view
    static constexpr int dripCount = 7;
    static constexpr int drainCount = 46;
    static constexpr int splashCount = 30;

    // A uniform number in the closed range [low, high].
    using Random = std::function<double(double low, double high)>;
    // The system's random generator.
    static Random systemRandom();

    // `trigger`: the view's value so far; absent, the first `update` gives it.
    explicit PixelBurst(std::optional<int> trigger = std::nullopt, double duration = splashDuration,
                        Random random = systemRandom());

    // Takes the view's current values. A trigger different from the last one
    // starts a new burst at `now` with fresh seeds (its first value never
    // does), unless Reduce Motion is on. Returns whether a burst started.
    bool update(int trigger, bool drain, bool drip, bool reduceMotion, double now);

    // Whether a burst runs at `now`: from its start until `duration` plus the
    // clearing delay have passed. Each burst ends on its own schedule, so one
    // restarted by a newer trigger runs its full length.
    bool isRunning(double now) const;
    std::optional<double> start() const { return start_; }
    const std::vector<BurstSeed>& seeds() const { return seeds_; }
    double duration() const { return duration_; }

    // The pixels of the frame at `now` on a canvas of `size` (the view grown by
    // `overflow` on every side); none outside a burst.
    std::vector<BurstParticle> particles(double now, const QSizeF& size) const;

private:
    std::optional<int> trigger_;
    bool drain_ = false;
    bool drip_ = false;
    double duration_;
    Random random_;
    std::optional<double> start_;
    std::vector<BurstSeed> seeds_;
};

// The pixel splash of one widget: call `update` with the widget's trigger and
// flags whenever they may have changed; the burst is painted on the window's
// effects overlay and animates on the frame clock while it runs.
class PixelSplash final : public OverlayEffect {
public:
    // The first `update` only takes its trigger.
    explicit PixelSplash(QWidget* host, PixelBurst::Random random = PixelBurst::systemRandom());
    // Starting from `trigger`: only a different one fires.
    PixelSplash(QWidget* host, int trigger, PixelBurst::Random random = PixelBurst::systemRandom());
    ~PixelSplash() override;

    void update(int trigger, bool drain, bool drip);
    const PixelBurst& burst() const { return burst_; }

    QRectF area() const override;
    void paint(QPainter& painter) override;

private:
    void frame(double now);
    void stopListening();

    PixelBurst burst_;
    FrameClock* clock_ = nullptr;
    FrameClock::Token token_ = 0;
};

// The pixel splash of `host`, as a view states it: call it with the host's
// current trigger and flags whenever they may have changed; a burst flies
// each time the trigger differs from the one before. The first call only
// takes the trigger (it never fires). The splash lives as long as the host.
void pixelSplash(QWidget* host, int trigger, bool drain, bool drip);
// The splash that `pixelSplash` keeps for `host`, if it was ever called.
const PixelSplash* pixelSplashOf(const QWidget* host);

}  // namespace velorin
