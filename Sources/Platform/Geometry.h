#pragma once
// Points, sizes and rectangles of 64-bit floats, as the desktop reports them.
// Which way y grows depends on who reports it: screens use the bottom-left
// convention (origin at the bottom left of the primary screen, y up); the
// Accessibility interface uses the top-left convention (y down).

namespace velorin {

struct Point {
    double x = 0;
    double y = 0;
    bool operator==(const Point&) const = default;
};

struct Size {
    double width = 0;
    double height = 0;
    bool operator==(const Size&) const = default;
};

struct Rect {
    Point origin;
    Size size;

    double minX() const { return origin.x; }
    double minY() const { return origin.y; }
    double maxX() const { return origin.x + size.width; }
    double maxY() const { return origin.y + size.height; }
    double midX() const { return origin.x + size.width / 2; }
    double midY() const { return origin.y + size.height / 2; }
    // Half-open on the far edges, so a point on the edge shared by two
    // adjacent screens belongs to exactly one of them.
    bool contains(Point p) const {
        return p.x >= minX() && p.x < maxX() && p.y >= minY() && p.y < maxY();
    }
    bool operator==(const Rect&) const = default;
};

}  // namespace velorin
