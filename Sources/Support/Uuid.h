#pragma once
// UUIDs as stored: canonical 36-character text, written in upper case, read in either case.

#include <array>
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velorin {

struct Uuid {
    std::array<std::uint8_t, 16> bytes{};

    static Uuid generate();  // random (version 4)
    static std::optional<Uuid> parse(std::string_view text);

    std::string string() const;       // upper case, as stored
    std::string lowercased() const;   // for identifiers such as "custom-…"

    auto operator<=>(const Uuid&) const = default;
    bool operator==(const Uuid&) const = default;
};

}  // namespace velorin

template <>
struct std::hash<velorin::Uuid> {
    std::size_t operator()(const velorin::Uuid& u) const noexcept {
        std::size_t h = 1469598103934665603ull;
        for (auto b : u.bytes) h = (h ^ b) * 1099511628211ull;
        return h;
    }
};
