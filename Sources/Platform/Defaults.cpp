#include "Platform/Defaults.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace velorin {
namespace {

std::optional<double> numberIn(const std::string& text) {
    std::size_t start = 0;
    while (start < text.size() && std::isspace(static_cast<unsigned char>(text[start]))) ++start;
    std::size_t end = text.size();
    while (end > start && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    if (start == end) return std::nullopt;
    const char* first = text.data() + start;
    if (*first == '+') ++first;
    double result = 0;
    auto [ptr, ec] = std::from_chars(first, text.data() + end, result);
    if (ec != std::errc{} || ptr != text.data() + end) return std::nullopt;
    return result;
}

bool equalsIgnoringCase(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i] != '\0'; ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return i == a.size() && b[i] == '\0';
}

}  // namespace

bool Defaults::boolValue(const std::optional<PropertyValue>& value) {
    if (!value) return false;
    if (auto b = std::get_if<bool>(&*value)) return *b;
    if (auto d = std::get_if<double>(&*value)) return *d != 0 && !std::isnan(*d);
    if (auto s = std::get_if<std::string>(&*value)) {
        if (equalsIgnoringCase(*s, "yes") || equalsIgnoringCase(*s, "true")) return true;
        auto n = numberIn(*s);
        return n && *n != 0 && !std::isnan(*n);
    }
    return false;
}

double Defaults::doubleValue(const std::optional<PropertyValue>& value) {
    if (!value) return 0;
    if (auto b = std::get_if<bool>(&*value)) return *b ? 1 : 0;
    if (auto d = std::get_if<double>(&*value)) return *d;
    if (auto s = std::get_if<std::string>(&*value)) return numberIn(*s).value_or(0);
    return 0;
}

bool Defaults::boolForKey(const std::string& key) { return boolValue(object(key)); }

double Defaults::doubleForKey(const std::string& key) { return doubleValue(object(key)); }

std::optional<std::string> Defaults::stringForKey(const std::string& key) {
    auto value = object(key);
    if (!value) return std::nullopt;
    if (auto s = std::get_if<std::string>(&*value)) return *s;
    return std::nullopt;
}

bool Defaults::boolForKey(const std::string& key, const std::string& domain) {
    return boolValue(object(key, domain));
}

}  // namespace velorin
