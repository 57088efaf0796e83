#pragma once
// The sensitivity preview's geometry as pure functions of the tuning values:
// the pad (ratio 1.6), its four corner zones (the corner size of its width
// and height, each touching the two edges of its corner), the travel ring
// (the allowed movement on the pad's width, never under 3 points, plus the
// finger dot's radius), the timing bars (a track stands for 3 seconds) and
// the looks of the highlighted setting. Values a hand-edited configuration
// can hold (not finite, negative, huge) are drawn within the pad.

#include <QRectF>
#include <QSizeF>

#include <array>

namespace velorin {

struct SensitivityPreviewGeometry {
    SensitivityPreviewGeometry() = delete;

    static constexpr double padRatio = 1.6;
    static constexpr double padCornerRadius = 12;
    static constexpr double zoneCornerRadius = 7;
    static constexpr double fingerDiameter = 14;
    static constexpr double minTravelRadius = 3;  // points
    static constexpr double ringLineWidth = 1.5;
    static constexpr double ringDash = 3;  // points on, then as many off
    static constexpr double trackSeconds = 3;
    static constexpr double minBarWidth = 8;
    static constexpr double barLabelWidth = 30;
    static constexpr double barSpacing = 8;

    static QSizeF padSize(double width) { return {width, width / padRatio}; }

    // Zones 0 top-left, 1 top-right, 2 bottom-left, 3 bottom-right, from the
    // pad's top-left corner; none (empty) for a size that is not a positive
    // finite number; at most the whole pad.
    static std::array<QRectF, 4> cornerZones(const QSizeF& pad, double cornerSize);

    // 2 × max(W × travel, 3) + 14, the travel's part at most half the pad's width.
    static double ringDiameter(double padWidth, double maxTravel);

    // max(seconds ÷ 3 × track, 8), at most the whole track.
    static double barFillWidth(double seconds, double trackWidth);

    // The looks, from 0 (not highlighted) to 1 (highlighted); in between while the focus moves.
    static double barHeight(double highlight) { return 7 + 3 * highlight; }
    static double barOpacity(double highlight) { return 0.6 + 0.4 * highlight; }
    static double ringFillOpacity(double highlight) { return 0.15 + 0.15 * highlight; }
    static double zoneOpacity(double highlight) { return 0.45 + 0.4 * highlight; }
};

}  // namespace velorin
