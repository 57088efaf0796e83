#include "Velorin/Settings/SensitivityPreviewGeometry.h"

#include <algorithm>
#include <cmath>

namespace velorin {

std::array<QRectF, 4> SensitivityPreviewGeometry::cornerZones(const QSizeF& pad, double cornerSize) {
    std::array<QRectF, 4> zones{};
    if (!std::isfinite(cornerSize) || cornerSize <= 0) return zones;
    const double share = std::min(cornerSize, 1.0);
    const double cw = pad.width() * share;
    const double ch = pad.height() * share;
    for (std::size_t i = 0; i < zones.size(); ++i) {
        const double cx = i % 2 == 0 ? cw / 2 : pad.width() - cw / 2;
        const double cy = i < 2 ? ch / 2 : pad.height() - ch / 2;
        zones[i] = QRectF(cx - cw / 2, cy - ch / 2, cw, ch);
    }
    return zones;
}

double SensitivityPreviewGeometry::ringDiameter(double padWidth, double maxTravel) {
    double travel = padWidth * maxTravel;
    if (std::isnan(travel)) travel = 0;
    travel = std::clamp(travel, minTravelRadius, std::max(minTravelRadius, padWidth / 2));
    return 2 * travel + fingerDiameter;
}

double SensitivityPreviewGeometry::barFillWidth(double seconds, double trackWidth) {
    double width = seconds / trackSeconds * trackWidth;
    if (std::isnan(width)) width = 0;
    return std::clamp(width, minBarWidth, std::max(minBarWidth, trackWidth));
}

}  // namespace velorin
