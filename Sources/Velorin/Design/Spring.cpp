#include "Velorin/Design/Spring.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace velorin {

namespace {
// A motion is over once it is within this share of its span, and moving at
// less than ten times that share per second.
constexpr double settleFraction = 1e-3;
constexpr double settleSpeedFraction = 1e-2;
constexpr double minimumSpan = 1e-6;
}  // namespace

SpringState evaluateSpring(const Spring& spring, double from, double target, double velocity, double t) {
    if (!(spring.response > 0) || !std::isfinite(spring.response)) return {target, 0};
    if (t <= 0) return {from, velocity};
    // Unit mass: stiffness (2π / response)², damping 2ζω₀.
    const double omega = 2 * std::numbers::pi / spring.response;
    const double zeta = std::max(0.0, spring.dampingFraction);
    const double x0 = from - target;
    const double v0 = velocity;
    double x = 0;
    double v = 0;
    if (std::abs(zeta - 1) < 1e-9) {
        const double e = std::exp(-omega * t);
        const double c = v0 + omega * x0;
        x = e * (x0 + c * t);
        v = e * (v0 - omega * c * t);
    } else if (zeta < 1) {
        const double decay = zeta * omega;
        const double wd = omega * std::sqrt(1 - zeta * zeta);
        const double e = std::exp(-decay * t);
        const double cs = std::cos(wd * t);
        const double sn = std::sin(wd * t);
        x = e * (x0 * cs + (v0 + decay * x0) / wd * sn);
        v = e * (v0 * cs - (omega * omega * x0 + decay * v0) / wd * sn);
    } else {
        const double root = std::sqrt(zeta * zeta - 1);
        const double r1 = -omega * (zeta - root);
        const double r2 = -omega * (zeta + root);
        const double c1 = (v0 - r2 * x0) / (r1 - r2);
        const double c2 = x0 - c1;
        const double e1 = std::exp(r1 * t);
        const double e2 = std::exp(r2 * t);
        x = c1 * e1 + c2 * e2;
        v = c1 * r1 * e1 + c2 * r2 * e2;
    }
    return {target + x, v};
}

bool springSettled(const SpringState& state, double target, double span) {
    const double s = std::max(std::abs(span), minimumSpan);
    return std::abs(state.value - target) <= settleFraction * s && std::abs(state.velocity) <= settleSpeedFraction * s;
}

}  // namespace velorin
