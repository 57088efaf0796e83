#pragma once
// What the sensitivity tab edits, decided without a display: its five slider
// rows (title, the recogniser field each edits, range, how its value reads,
// the setting it puts in focus, help), reading and writing a row's field of
// the recogniser's tuning, and the defaults the reset restores.

#include <array>
#include <string>
#include <variant>

#include "Recognizer/RecognizerConfig.h"

namespace velorin {

// The setting the preview highlights: the one moved last.
enum class SensitivityFocus { tap, gap, hold, travel, corner };

struct SensitivityRow {
    // The field it edits: times are 64-bit seconds, distances 32-bit fractions of the pad.
    using Field = std::variant<double RecognizerConfig::*, float RecognizerConfig::*>;

    const char* title;
    Field field;
    double lower;
    double upper;
    bool milliseconds;  // else percent
    SensitivityFocus focus;
    const char* help;
};

struct SensitivityRules {
    SensitivityRules() = delete;

    // The five rows, in the order the tab shows them.
    static const std::array<SensitivityRow, 5>& rows();

    // The row's value text for a stored value (not clamped to its range).
    static std::string valueText(const SensitivityRow& row, double value);

    // The row's field, widened to 64 bits.
    static double read(const RecognizerConfig& config, const SensitivityRow& row);

    // The recogniser's tuning with every field at its default, `holdTravel` included.
    static RecognizerConfig defaults() { return RecognizerConfig{}; }
};

}  // namespace velorin
