#include "Velorin/Design/Color.h"

#include <algorithm>

namespace velorin {

namespace {
// How far the accent moves toward white to make `butter`.
constexpr double butterFractionLight = 0.28;
constexpr double butterFractionDark = 0.12;
constexpr Rgba white{1, 1, 1, 1};

double unit(double v) { return std::clamp(v, 0.0, 1.0); }
}  // namespace

QColor Rgba::toQColor() const {
    return QColor::fromRgbF(float(unit(red)), float(unit(green)), float(unit(blue)), float(unit(alpha)));
}

Rgba Rgba::from(const QColor& color) {
    const QColor c = color.toRgb();
    return {c.redF(), c.greenF(), c.blueF(), c.alphaF()};
}

Rgba blended(const Rgba& color, double fraction, const Rgba& other) {
    const double f = unit(fraction);
    auto mix = [f](double a, double b) { return a * (1 - f) + b * f; };
    return {mix(color.red, other.red), mix(color.green, other.green), mix(color.blue, other.blue),
            mix(color.alpha, other.alpha)};
}

Rgba ThemeColor::resolveRgba(const ColorEnvironment& environment) const {
    Rgba base;
    switch (kind_) {
        case Kind::fixed:
            base = environment.isDark() ? dark_ : light_;
            break;
        case Kind::accent:
            base = Rgba::from(environment.accent);
            break;
        case Kind::butter:
            base = blended(Rgba::from(environment.accent),
                           environment.isDark() ? butterFractionDark : butterFractionLight, white);
            break;
    }
    base.alpha = unit(base.alpha * opacity_);
    return base;
}

}  // namespace velorin
