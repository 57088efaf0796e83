#include "Actions/Unicode.h"

namespace velorin::unicode {
namespace {

// Decodes one scalar at `i`, advancing it; malformed input gives U+FFFD and skips one byte.
char32_t decodeAt(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    auto cont = [&](std::size_t k) -> int {
        if (i + k >= s.size()) return -1;
        const auto b = static_cast<unsigned char>(s[i + k]);
        return (b & 0xC0) == 0x80 ? (b & 0x3F) : -1;
    };
    if (b0 < 0x80) {
        i += 1;
        return b0;
    }
    int length = 0;
    char32_t value = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        length = 2, value = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        length = 3, value = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        length = 4, value = b0 & 0x07, minimum = 0x10000;
    } else {
        i += 1;
        return 0xFFFD;
    }
    for (int k = 1; k < length; ++k) {
        const int c = cont(static_cast<std::size_t>(k));
        if (c < 0) {
            i += 1;
            return 0xFFFD;
        }
        value = (value << 6) | static_cast<char32_t>(c);
    }
    if (value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        i += 1;
        return 0xFFFD;
    }
    i += static_cast<std::size_t>(length);
    return value;
}

}  // namespace

std::vector<char32_t> scalars(std::string_view utf8Text) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < utf8Text.size();) out.push_back(decodeAt(utf8Text, i));
    return out;
}

std::string utf8(char32_t c) {
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
    return out;
}

bool isWhitespaceOrNewline(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

std::string trimmed(std::string_view s) {
    std::size_t start = 0;
    std::size_t end = 0;  // one past the last scalar that is not white space
    bool seen = false;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t at = i;
        const char32_t c = decodeAt(s, i);
        if (!isWhitespaceOrNewline(c)) {
            if (!seen) start = at;
            seen = true;
            end = i;
        }
    }
    return seen ? std::string(s.substr(start, end - start)) : std::string();
}

std::string asciiUppercased(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return out;
}

}  // namespace velorin::unicode
