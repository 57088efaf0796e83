#include "Velorin/Packs/PackArtLayout.h"

#include <algorithm>

namespace velorin {

std::vector<PackArtLayout::Frame> PackArtLayout::frames(int count, double width) {
    std::vector<Frame> out;
    if (count <= 0) return out;
    if (count == 1) {
        out.push_back({0, width, false, false});
        return out;
    }
    const double slot = width / count;
    for (int i = 0; i < count; ++i) {
        const double x = i == 0 ? 0 : slot * i - overlap;
        out.push_back({x, slot + 2 * overlap, i > 0, i < count - 1});
    }
    return out;
}

double PackArtLayout::easeInOut(double fraction) {
    if (fraction <= 0) return 0;
    if (fraction >= 1) return 1;
    const double x = fraction;
    // x(t) = 3(1-t)²t·0.42 + 3(1-t)t²·0.58 + t³ rises with t: bisect for t.
    auto bx = [](double t) { return 3 * (1 - t) * (1 - t) * t * 0.42 + 3 * (1 - t) * t * t * 0.58 + t * t * t; };
    double lo = 0;
    double hi = 1;
    for (int i = 0; i < 40; ++i) {
        const double mid = (lo + hi) / 2;
        (bx(mid) < x ? lo : hi) = mid;
    }
    const double t = (lo + hi) / 2;
    return 3 * (1 - t) * t * t + t * t * t;
}

}  // namespace velorin
