#include "Recognizer/RecognizerConfig.h"

#include <algorithm>

namespace velorin {

Json RecognizerConfig::toJson() const {
    return {
        {"maxTapDuration", json::fromDouble(maxTapDuration)},
        {"holdDuration", json::fromDouble(holdDuration)},
        {"maxTravel", json::fromFloat(maxTravel)},
        {"holdTravel", json::fromFloat(holdTravel)},
        {"multiTapInterval", json::fromDouble(multiTapInterval)},
        {"cornerSize", json::fromFloat(cornerSize)},
    };
}

RecognizerConfig RecognizerConfig::fromJson(const json::Reader& reader) {
    const RecognizerConfig d;
    RecognizerConfig c;
    c.maxTapDuration = reader.numberOr("maxTapDuration", d.maxTapDuration);
    c.holdDuration = reader.numberOr("holdDuration", d.holdDuration);
    c.maxTravel = reader.floatOr("maxTravel", d.maxTravel);
    c.holdTravel = reader.floatOr("holdTravel", d.holdTravel);
    c.multiTapInterval = reader.numberOr("multiTapInterval", d.multiTapInterval);
    c.cornerSize = reader.floatOr("cornerSize", d.cornerSize);
    return c;
}

namespace Calibration {

RecognizerConfig fit(const std::vector<Sample>& taps, const std::vector<double>& holds, const RecognizerConfig& base) {
    if (taps.empty()) return base;
    double longest = taps.front().duration;
    float farthest = taps.front().travel;
    for (const auto& s : taps) {
        longest = std::max(longest, s.duration);
        farthest = std::max(farthest, s.travel);
    }
    RecognizerConfig c = base;
    c.maxTapDuration = std::min(std::max(longest * 1.3, tapRange.lowerBound), tapRange.upperBound);
    c.maxTravel = std::min(std::max(farthest * 2.0f, travelRange.lowerBound), travelRange.upperBound);
    const double floor = c.maxTapDuration + minGap;
    if (holds.empty()) {
        c.holdDuration = std::max(base.holdDuration, floor);
    } else {
        c.holdDuration = std::max(*std::min_element(holds.begin(), holds.end()) * 0.75, floor);
    }
    return c;
}

}  // namespace Calibration
}  // namespace velorin
