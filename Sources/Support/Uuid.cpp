#include "Support/Uuid.h"

#include <cctype>

#include <uuid/uuid.h>

namespace velorin {

Uuid Uuid::generate() {
    Uuid u;
    uuid_generate_random(u.bytes.data());
    return u;
}

std::optional<Uuid> Uuid::parse(std::string_view text) {
    // Only the canonical 8-4-4-4-12 form; libuuid alone would also take other lengths' prefixes.
    if (text.size() != 36) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool dash = i == 8 || i == 13 || i == 18 || i == 23;
        if (dash ? text[i] != '-' : !std::isxdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
    }
    std::string s(text);
    Uuid u;
    if (uuid_parse(s.c_str(), u.bytes.data()) != 0) return std::nullopt;
    return u;
}

std::string Uuid::string() const {
    char buf[37];
    uuid_unparse_upper(bytes.data(), buf);
    return buf;
}

std::string Uuid::lowercased() const {
    char buf[37];
    uuid_unparse_lower(bytes.data(), buf);
    return buf;
}

}  // namespace velorin
