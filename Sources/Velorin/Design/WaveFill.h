#pragma once
// The liquid of the switch and the slider: a fill from the leading edge to
// `level` of the width whose trailing edge carries one full sine period from
// top to bottom, `amplitude` points wide, shifted by `phase` radians.

#include <QPainterPath>
#include <QRectF>

namespace velorin {

struct WaveFill {
    double level = 0;      // 0…1 of the width
    double amplitude = 0;  // points
    double phase = 0;      // radians

    static constexpr int segments = 16;  // points down the wavy edge, less one

    // Straight down at minX + level × width when the amplitude is 0; with
    // level 0 only the wave's bulge is left.
    QPainterPath path(const QRectF& rect) const;
    bool operator==(const WaveFill&) const = default;
};

}  // namespace velorin
