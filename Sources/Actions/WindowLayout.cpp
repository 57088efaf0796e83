#include "Actions/WindowLayout.h"

#include <algorithm>
#include <cmath>

namespace velorin {
namespace {

// Halves go away from zero, so adjacent halves meet on one whole-number edge.
double N(double v) { return std::round(v); }

double overlapArea(const Rect& a, const Rect& b) {
    const double w = std::min(a.maxX(), b.maxX()) - std::max(a.minX(), b.minX());
    const double h = std::min(a.maxY(), b.maxY()) - std::max(a.minY(), b.minY());
    if (w <= 0 || h <= 0) return 0;
    return w * h;
}

bool finite(const Rect& r) {
    return std::isfinite(r.origin.x) && std::isfinite(r.origin.y) && std::isfinite(r.size.width) &&
           std::isfinite(r.size.height);
}

bool usable(const Rect& r) { return finite(r) && r.size.width > 0 && r.size.height > 0; }

Rect fromEdges(double left, double top, double right, double bottom) {
    return Rect{{left, top}, {right - left, bottom - top}};
}

}  // namespace

Rect WindowLayout::axRect(const Rect& r, double primaryHeight) {
    return Rect{{r.minX(), primaryHeight - r.maxY()}, r.size};
}

std::optional<std::size_t> WindowLayout::screenIndex(const Rect& window, const std::vector<Rect>& screens) {
    if (screens.empty()) return std::nullopt;
    std::size_t best = 0;
    double bestOverlap = overlapArea(screens[0], window);
    for (std::size_t i = 1; i < screens.size(); ++i) {
        const double overlap = overlapArea(screens[i], window);
        if (overlap > bestOverlap) {
            best = i;
            bestOverlap = overlap;
        }
    }
    if (bestOverlap > 0) return best;

    auto distance = [&](const Rect& s) { return std::hypot(s.midX() - window.midX(), s.midY() - window.midY()); };
    best = 0;
    double bestDistance = distance(screens[0]);
    for (std::size_t i = 1; i < screens.size(); ++i) {
        const double d = distance(screens[i]);
        if (d < bestDistance) {
            best = i;
            bestDistance = d;
        }
    }
    return best;
}

std::optional<Rect> WindowLayout::frame(WindowCommand command, const Rect& window, const std::vector<Rect>& screens) {
    const auto index = screenIndex(window, screens);
    if (!index) return std::nullopt;
    const Rect& s = screens[*index];
    if (!usable(s) || !finite(window)) return std::nullopt;

    switch (command) {
        case WindowCommand::leftHalf:
            return fromEdges(N(s.minX()), N(s.minY()), N(s.midX()), N(s.maxY()));
        case WindowCommand::rightHalf:
            return fromEdges(N(s.midX()), N(s.minY()), N(s.maxX()), N(s.maxY()));
        case WindowCommand::topHalf:
            return fromEdges(N(s.minX()), N(s.minY()), N(s.maxX()), N(s.midY()));
        case WindowCommand::bottomHalf:
            return fromEdges(N(s.minX()), N(s.midY()), N(s.maxX()), N(s.maxY()));
        case WindowCommand::maximize:
            return s;
        case WindowCommand::center: {
            const double w = std::min(s.size.width, window.size.width);
            const double h = std::min(s.size.height, window.size.height);
            return Rect{{N(s.midX() - w * 0.5), N(s.midY() - h * 0.5)}, {w, h}};
        }
        case WindowCommand::nextDisplay: {
            if (screens.size() < 2) return std::nullopt;
            const Rect& t = screens[(*index + 1) % screens.size()];
            if (!usable(t)) return std::nullopt;
            // Relative position on the source screen, unclamped: a window partly off its
            // screen keeps that offset.
            const double fx = (window.minX() - s.minX()) / s.size.width;
            const double fy = (window.minY() - s.minY()) / s.size.height;
            const double w = std::min(t.size.width, window.size.width / s.size.width * t.size.width);
            const double h = std::min(t.size.height, window.size.height / s.size.height * t.size.height);
            const double ox = t.minX() + fx * t.size.width;
            const double oy = t.minY() + fy * t.size.height;
            return Rect{{N(ox), N(oy)}, {N(ox + w) - N(ox), N(oy + h) - N(oy)}};
        }
    }
    return std::nullopt;
}

}  // namespace velorin
