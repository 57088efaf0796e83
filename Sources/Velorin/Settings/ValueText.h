#pragma once
// The texts the settings tabs show for numbers, each with its own rounding:
// the see-through strength rounds halves away from zero, the sensitivity
// percent rounds as "%.0f" does (halves to even), milliseconds truncate. No
// text ever converts a double that is not finite, or too large for an
// integer, to an integer.

#include <optional>
#include <string>

namespace velorin {

struct ValueText {
    ValueText() = delete;

    // "Off" below 0.01 (and for a value that is not finite, which the window
    // treats as 0); else v × 100 rounded, halves away from zero, and "%".
    static std::string seeThrough(double v);
    // "%.0f%%" of v × 100: 0.03 reads "3%", 0.15 reads "15%".
    static std::string percent(double v);
    // v seconds × 1000 truncated toward zero, and " ms": 0.3 reads "300 ms".
    static std::string milliseconds(double seconds);

    // The whole number `v` truncates to, when it is finite and fits a 64-bit integer.
    static std::optional<long long> truncated(double v);
};

}  // namespace velorin
