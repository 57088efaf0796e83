#include "Velorin/Design/Fill.h"

#include <QConicalGradient>
#include <QLinearGradient>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace velorin {

namespace {
// The hair between two stops that share a location.
constexpr double stopGap = 1e-5;
}  // namespace

std::vector<GradientStop> evenStops(const std::vector<ThemeColor>& colors) {
    std::vector<GradientStop> stops;
    const std::size_t n = colors.size();
    for (std::size_t i = 0; i < n; ++i) stops.push_back({colors[i], n == 1 ? 0.0 : double(i) / double(n - 1)});
    return stops;
}

std::vector<GradientStop> hardBands(const std::vector<ThemeColor>& colors) {
    std::vector<GradientStop> stops;
    const double n = double(colors.size());
    for (std::size_t i = 0; i < colors.size(); ++i) {
        stops.push_back({colors[i], double(i) / n});
        stops.push_back({colors[i], double(i + 1) / n});
    }
    return stops;
}

QGradientStops gradientStops(const std::vector<GradientStop>& stops, const ColorEnvironment& environment) {
    std::vector<double> at;
    at.reserve(stops.size());
    for (const GradientStop& s : stops) at.push_back(std::clamp(s.location, 0.0, 1.0));
    for (std::size_t i = 1; i < at.size(); ++i) at[i] = std::max(at[i], at[i - 1] + stopGap);
    if (!at.empty() && at.back() > 1) {
        at.back() = 1;
        for (std::size_t i = at.size() - 1; i-- > 0;) at[i] = std::min(at[i], at[i + 1] - stopGap);
    }
    QGradientStops out;
    for (std::size_t i = 0; i < stops.size(); ++i) out.append({at[i], stops[i].color.resolve(environment)});
    return out;
}

QBrush brush(const ShapeFill& fill, const QRectF& rect, const ColorEnvironment& environment) {
    if (const auto* color = std::get_if<ThemeColor>(&fill)) return QBrush(color->resolve(environment));
    if (const auto* linear = std::get_if<LinearFill>(&fill)) {
        QLinearGradient g(linear->start.in(rect), linear->end.in(rect));
        g.setStops(gradientStops(linear->stops, environment));
        return QBrush(g);
    }
    if (const auto* radial = std::get_if<RadialFill>(&fill)) {
        const QPointF c = radial->center.in(rect);
        QRadialGradient g(c, radial->endRadius, c, radial->startRadius);
        // Qt spreads the stops from the focal radius to the outer radius, as the design does.
        g.setStops(gradientStops(radial->stops, environment));
        return QBrush(g);
    }
    const auto& angular = std::get<AngularFill>(fill);
    // Qt runs counter-clockwise on screen: mirror the angles and the stops.
    const double angle = std::fmod(360.0 - std::fmod(angular.startAngle, 360.0), 360.0);
    QConicalGradient g(angular.center.in(rect), angle);
    std::vector<GradientStop> mirrored;
    for (auto it = angular.stops.rbegin(); it != angular.stops.rend(); ++it)
        mirrored.push_back({it->color, 1 - it->location});
    g.setStops(gradientStops(mirrored, environment));
    return QBrush(g);
}

}  // namespace velorin
