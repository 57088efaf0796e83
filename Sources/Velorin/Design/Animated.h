#pragma once
// A value that moves toward its target along an `Animation`. `Animated` is
// the pure part (its value is a function of time); `AnimatedValue` ties one to
// the frame clock and calls back on every frame while it moves, which is what
// a widget uses (the callback usually calls `update()`).
//
// A spring that is retargeted mid-flight keeps its velocity, component by
// component; an ease-out starts again from where the value stands.

#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <numbers>
#include <optional>
#include <utility>

namespace velorin {

// How a type is taken apart into numbers for animation, and put back.
template <typename T>
struct Animatable;

template <>
struct Animatable<double> {
    static constexpr std::size_t size = 1;
    static std::array<double, 1> split(double v) { return {v}; }
    static double join(const std::array<double, 1>& a) { return a[0]; }
};

template <>
struct Animatable<float> {
    static constexpr std::size_t size = 1;
    static std::array<double, 1> split(float v) { return {double(v)}; }
    static float join(const std::array<double, 1>& a) { return float(a[0]); }
};

template <>
struct Animatable<QPointF> {
    static constexpr std::size_t size = 2;
    static std::array<double, 2> split(const QPointF& p) { return {p.x(), p.y()}; }
    static QPointF join(const std::array<double, 2>& a) { return {a[0], a[1]}; }
};

template <>
struct Animatable<QSizeF> {
    static constexpr std::size_t size = 2;
    static std::array<double, 2> split(const QSizeF& s) { return {s.width(), s.height()}; }
    static QSizeF join(const std::array<double, 2>& a) { return {a[0], a[1]}; }
};

template <>
struct Animatable<QRectF> {
    static constexpr std::size_t size = 4;
    static std::array<double, 4> split(const QRectF& r) { return {r.x(), r.y(), r.width(), r.height()}; }
    static QRectF join(const std::array<double, 4>& a) { return {a[0], a[1], a[2], a[3]}; }
};

template <>
struct Animatable<QColor> {
    static constexpr std::size_t size = 4;
    static std::array<double, 4> split(const QColor& c) {
        const QColor rgb = c.toRgb();
        return {rgb.redF(), rgb.greenF(), rgb.blueF(), rgb.alphaF()};
    }
    static QColor join(const std::array<double, 4>& a) {
        auto unit = [](double v) { return float(v < 0 ? 0 : (v > 1 ? 1 : v)); };
        return QColor::fromRgbF(unit(a[0]), unit(a[1]), unit(a[2]), unit(a[3]));
    }
};

template <typename T>
class Animated {
    using Traits = Animatable<T>;
    using Numbers = std::array<double, Traits::size>;

public:
    explicit Animated(T value = T{}) : from_(Traits::split(value)), target_(from_) { velocity_.fill(0); }

    T target() const { return Traits::join(target_); }

    T value(double now) const { return Traits::join(valuesAt(now)); }

    // Whether the value is still on its way (a pulse always is).
    bool isAnimating(double now) const {
        if (!animation_) return false;
        if (animation_->repeats() && std::holds_alternative<EaseOut>(animation_->curve())) return true;
        const double t = now - start_;
        if (const auto* ease = std::get_if<EaseOut>(&animation_->curve())) return t < ease->duration;
        const Spring& spring = std::get<Spring>(animation_->curve());
        for (std::size_t i = 0; i < Traits::size; ++i) {
            const SpringState s = evaluateSpring(spring, from_[i], target_[i], velocity_[i], t);
            if (!springSettled(s, target_[i], span(spring, i))) return true;
        }
        return false;
    }

    // Stands still at `value` at once.
    void jump(T value) {
        from_ = Traits::split(value);
        target_ = from_;
        velocity_.fill(0);
        animation_.reset();
    }

    // Sets off toward `target` at `now`; with instant motion, jumps there.
    void animate(T target, const Animation& animation, double now) {
        if (Motion::instant()) {
            jump(target);
            return;
        }
        const Numbers current = valuesAt(now);
        const Numbers speed = velocitiesAt(now);
        from_ = current;
        target_ = Traits::split(target);
        velocity_ = speed;
        animation_ = animation;
        start_ = now;
    }

    // Ends a finished motion: the value stands at its target from now on.
    void settle() {
        if (animation_ && animation_->repeats() && std::holds_alternative<EaseOut>(animation_->curve())) return;
        jump(target());
    }

private:
    double span(const Spring& spring, std::size_t i) const {
        const double omega = spring.response > 0 ? 2 * std::numbers::pi / spring.response : 1;
        return std::max(std::abs(from_[i] - target_[i]), std::abs(velocity_[i]) / omega);
    }

    Numbers valuesAt(double now) const {
        if (!animation_) return target_;
        const double t = now - start_;
        Numbers out{};
        if (const auto* ease = std::get_if<EaseOut>(&animation_->curve())) {
            double fraction = ease->duration > 0 ? t / ease->duration : 1;
            if (animation_->repeats() && ease->duration > 0) fraction = fraction - std::floor(fraction);
            const double p = EaseOut::progress(fraction);
            for (std::size_t i = 0; i < Traits::size; ++i) out[i] = from_[i] + (target_[i] - from_[i]) * p;
            return out;
        }
        const Spring& spring = std::get<Spring>(animation_->curve());
        for (std::size_t i = 0; i < Traits::size; ++i)
            out[i] = evaluateSpring(spring, from_[i], target_[i], velocity_[i], t).value;
        return out;
    }

    Numbers velocitiesAt(double now) const {
        Numbers out{};
        if (!animation_) return out;
        const double t = now - start_;
        if (std::holds_alternative<EaseOut>(animation_->curve())) {
            constexpr double h = 1e-3;
            const Numbers before = valuesAt(now - h);
            const Numbers after = valuesAt(now + h);
            for (std::size_t i = 0; i < Traits::size; ++i) out[i] = (after[i] - before[i]) / (2 * h);
            return out;
        }
        const Spring& spring = std::get<Spring>(animation_->curve());
        for (std::size_t i = 0; i < Traits::size; ++i)
            out[i] = evaluateSpring(spring, from_[i], target_[i], velocity_[i], t).velocity;
        return out;
    }

    Numbers from_;
    Numbers target_;
    Numbers velocity_{};
    std::optional<Animation> animation_;
    double start_ = 0;
};

// An `Animated` on the frame clock: while it moves it listens to the clock and
// calls `onFrame` on every frame, and once more when it comes to rest.
template <typename T>
class AnimatedValue {
public:
    explicit AnimatedValue(T initial = T{}, std::function<void()> onFrame = {})
        : animated_(initial), onFrame_(std::move(onFrame)) {}
    ~AnimatedValue() { stopListening(); }
    AnimatedValue(const AnimatedValue&) = delete;
    AnimatedValue& operator=(const AnimatedValue&) = delete;

    void setOnFrame(std::function<void()> onFrame) { onFrame_ = std::move(onFrame); }

    T value() const { return listening_ ? animated_.value(clock_->now()) : animated_.target(); }
    T target() const { return animated_.target(); }
    bool isAnimating() const { return listening_ && animated_.isAnimating(clock_->now()); }

    // Stands at `value` at once.
    void setValue(T value) {
        stopListening();
        animated_.jump(value);
        if (onFrame_) onFrame_();
    }

    // Moves to `target`; with instant motion it is there at once.
    void animateTo(T target, const Animation& animation) {
        FrameClock& clock = listening_ ? *clock_ : FrameClock::current();
        animated_.animate(target, animation, clock.now());
        if (animated_.isAnimating(clock.now())) {
            startListening(clock);
        } else {
            animated_.settle();
            stopListening();
        }
        if (onFrame_) onFrame_();
    }

private:
    void startListening(FrameClock& clock) {
        if (listening_) return;
        clock_ = &clock;
        token_ = clock.addListener([this](double now) { frame(now); });
        listening_ = true;
    }

    void stopListening() {
        if (!listening_) return;
        clock_->removeListener(token_);
        listening_ = false;
    }

    void frame(double now) {
        if (!animated_.isAnimating(now)) {
            animated_.settle();
            stopListening();
        }
        if (onFrame_) onFrame_();
    }

    Animated<T> animated_;
    std::function<void()> onFrame_;
    FrameClock* clock_ = nullptr;
    FrameClock::Token token_ = 0;
    bool listening_ = false;
};

}  // namespace velorin
