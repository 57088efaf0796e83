#pragma once
// Fills as values: a colour or a gradient over theme colours, given in unit
// points of the shape's bounds, turned into a brush for a rectangle at paint
// time (where the colours resolve for the appearance).

#include "Velorin/Design/Color.h"

#include <QBrush>
#include <QGradient>
#include <QRectF>

#include <variant>
#include <vector>

namespace velorin {

// A point in a shape's bounds: (0, 0) top-leading, (1, 1) bottom-trailing.
struct UnitPoint {
    double x = 0.5;
    double y = 0.5;

    static constexpr UnitPoint top() { return {0.5, 0}; }
    static constexpr UnitPoint bottom() { return {0.5, 1}; }
    static constexpr UnitPoint leading() { return {0, 0.5}; }
    static constexpr UnitPoint trailing() { return {1, 0.5}; }
    static constexpr UnitPoint center() { return {0.5, 0.5}; }
    static constexpr UnitPoint topLeading() { return {0, 0}; }
    static constexpr UnitPoint topTrailing() { return {1, 0}; }
    static constexpr UnitPoint bottomLeading() { return {0, 1}; }
    static constexpr UnitPoint bottomTrailing() { return {1, 1}; }

    QPointF in(const QRectF& rect) const { return {rect.x() + x * rect.width(), rect.y() + y * rect.height()}; }
    bool operator==(const UnitPoint&) const = default;
};

struct GradientStop {
    ThemeColor color;
    double location = 0;  // 0…1

    bool operator==(const GradientStop&) const = default;
};

struct LinearFill {
    std::vector<GradientStop> stops;
    UnitPoint start = UnitPoint::top();
    UnitPoint end = UnitPoint::bottom();

    bool operator==(const LinearFill&) const = default;
};

struct RadialFill {
    std::vector<GradientStop> stops;
    UnitPoint center = UnitPoint::center();
    double startRadius = 0;  // points
    double endRadius = 0;    // points

    bool operator==(const RadialFill&) const = default;
};

// Colours around a centre, clockwise on screen from `startAngle` degrees
// (0 points to the trailing side).
struct AngularFill {
    std::vector<GradientStop> stops;
    UnitPoint center = UnitPoint::center();
    double startAngle = 0;

    bool operator==(const AngularFill&) const = default;
};

using ShapeFill = std::variant<ThemeColor, LinearFill, RadialFill, AngularFill>;

// Colours spread evenly from 0 to 1.
std::vector<GradientStop> evenStops(const std::vector<ThemeColor>& colors);
// Each colour held flat over its share: colour i from i/n to (i+1)/n.
std::vector<GradientStop> hardBands(const std::vector<ThemeColor>& colors);

// Resolved stops for Qt. Qt keeps one stop per location, so stops at the same
// location (the edges of hard bands) are moved apart by a hair, in order.
QGradientStops gradientStops(const std::vector<GradientStop>& stops, const ColorEnvironment& environment);

// The brush that paints `fill` over `rect`.
QBrush brush(const ShapeFill& fill, const QRectF& rect, const ColorEnvironment& environment);

}  // namespace velorin
