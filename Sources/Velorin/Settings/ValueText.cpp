#include "Velorin/Settings/ValueText.h"

#include <cmath>
#include <cstdio>

namespace velorin {

namespace {

// Exclusive bounds of the doubles whose truncation fits a long long: 2^63.
constexpr double integerLimit = 9223372036854775808.0;

// A whole-numbered double written without an integer conversion.
std::string wholeNumber(double v) {
    char text[400];
    std::snprintf(text, sizeof text, "%.0f", v);
    return text;
}

}  // namespace

std::optional<long long> ValueText::truncated(double v) {
    if (!std::isfinite(v)) return std::nullopt;
    const double whole = std::trunc(v);
    if (whole >= integerLimit || whole < -integerLimit) return std::nullopt;
    return static_cast<long long>(whole);
}

std::string ValueText::seeThrough(double v) {
    if (!std::isfinite(v) || v < 0.01) return "Off";
    // std::round rounds halves away from zero.
    return wholeNumber(std::round(v * 100)) + "%";
}

std::string ValueText::percent(double v) {
    const double p = v * 100;
    if (std::isnan(p)) return "–";
    if (std::isinf(p)) return p > 0 ? "∞%" : "-∞%";
    return wholeNumber(p) + "%";
}

std::string ValueText::milliseconds(double seconds) {
    const double ms = seconds * 1000;
    if (const auto whole = truncated(ms)) return std::to_string(*whole) + " ms";
    if (std::isnan(ms)) return "– ms";
    if (std::isinf(ms)) return ms > 0 ? "∞ ms" : "-∞ ms";
    // Finite but beyond a 64-bit integer: the truncated value, written out.
    return wholeNumber(std::trunc(ms)) + " ms";
}

}  // namespace velorin
