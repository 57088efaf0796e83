#include "Velorin/Settings/SensitivityRules.h"

#include "Velorin/Settings/ValueText.h"

namespace velorin {

const std::array<SensitivityRow, 5>& SensitivityRules::rows() {
    static const std::array<SensitivityRow, 5> table{{
        {"Longest tap", &RecognizerConfig::maxTapDuration, 0.1, 1.0, true, SensitivityFocus::tap,
         "Touches shorter than this count as taps. Presses that click always count."},
        {"Time between taps", &RecognizerConfig::multiTapInterval, 0.1, 0.6, true, SensitivityFocus::gap,
         "Max gap for double and triple taps. Shorter = single taps fire sooner."},
        {"Hold after", &RecognizerConfig::holdDuration, 0.5, 3.0, true, SensitivityFocus::hold,
         "Keep fingers still this long for a hold."},
        {"Allowed movement", &RecognizerConfig::maxTravel, 0.01, 0.08, false, SensitivityFocus::travel,
         "How far fingers may move (fraction of the pad) before it's a swipe, not a tap."},
        {"Corner size", &RecognizerConfig::cornerSize, 0.05, 0.30, false, SensitivityFocus::corner,
         "Size of each corner zone for corner taps."},
    }};
    return table;
}

std::string SensitivityRules::valueText(const SensitivityRow& row, double value) {
    return row.milliseconds ? ValueText::milliseconds(value) : ValueText::percent(value);
}

double SensitivityRules::read(const RecognizerConfig& config, const SensitivityRow& row) {
    return std::visit([&](auto member) { return static_cast<double>(config.*member); }, row.field);
}

}  // namespace velorin
