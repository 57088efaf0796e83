#pragma once
// The recogniser's tuning: times in seconds, distances in fractions of the pad.

#include <vector>

#include "Support/Json.h"

namespace velorin {

struct RecognizerConfig {
    double maxTapDuration = 0.3;
    double holdDuration = 1.2;
    float maxTravel = 0.03f;
    float holdTravel = 0.06f;
    double multiTapInterval = 0.25;
    float cornerSize = 0.15f;

    // The longest tap sequence; reaching it emits at once.
    static constexpr int maxTapCount = 3;
    // The hold duration's default in files before version 5.
    static constexpr double previousHoldDuration = 1.5;

    Json toJson() const;  // throws JsonEncodeError for a value that is not finite
    static RecognizerConfig fromJson(const json::Reader& reader);

    bool operator==(const RecognizerConfig&) const = default;
};

// Derives settings from measured taps and holds, for a calibration flow.
namespace Calibration {

struct Sample {
    double duration = 0;  // seconds the tap lasted
    float travel = 0;     // how far its fingers travelled
    bool operator==(const Sample&) const = default;
};

struct DoubleRange {
    double lowerBound;
    double upperBound;
};
struct FloatRange {
    float lowerBound;
    float upperBound;
};

inline constexpr DoubleRange tapRange{0.15, 1.2};
inline constexpr FloatRange travelRange{0.02f, 0.06f};
inline constexpr double minGap = 0.25;

RecognizerConfig fit(const std::vector<Sample>& taps, const std::vector<double>& holds, const RecognizerConfig& base);

}  // namespace Calibration
}  // namespace velorin
