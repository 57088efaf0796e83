#pragma once
// Enumerations stored as their case names ("leftHalf", "playPause"): every case in
// declaration order, lookup by stored text, and the stored form.
//
// An enumeration opts in by specialising StoredEnum<E> with `typeName` and
// `allCases`, and by providing `std::string_view rawValue(E)` (an exhaustive
// switch, so a new case cannot be forgotten).

#include <optional>
#include <string>
#include <string_view>

#include "Support/Json.h"

namespace velorin {

template <class E>
struct StoredEnum;

template <class E>
constexpr const auto& allCases() {
    return StoredEnum<E>::allCases;
}

// The case whose stored text is exactly `raw` (case-sensitive), or nothing.
template <class E>
std::optional<E> fromRawValue(std::string_view raw) {
    for (E e : StoredEnum<E>::allCases) {
        if (rawValue(e) == raw) return e;
    }
    return std::nullopt;
}

template <class E>
Json toJson(E value)
    requires requires { StoredEnum<E>::typeName; }
{
    return Json(std::string(rawValue(value)));
}

// A string naming one case; any other text fails as corrupted data.
template <class E>
E decodeStoredEnum(const json::Reader& reader) {
    const std::string raw = reader.string();
    if (auto e = fromRawValue<E>(raw)) return *e;
    reader.fail("Cannot initialize " + std::string(StoredEnum<E>::typeName) + " from invalid String value " + raw);
}

}  // namespace velorin
