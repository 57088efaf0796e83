#pragma once
// Text as Unicode scalars. "One character" in this module always means one scalar,
// never one byte ("↩" is three bytes of UTF-8).

#include <string>
#include <string_view>
#include <vector>

namespace velorin::unicode {

// The scalars of UTF-8 text; a malformed sequence reads as U+FFFD.
std::vector<char32_t> scalars(std::string_view utf8);

// The UTF-8 form of one scalar.
std::string utf8(char32_t scalar);

// White space and line breaks: U+0009…U+000D, U+0085 and the separators (Zs, Zl, Zp).
bool isWhitespaceOrNewline(char32_t scalar);

// The text without white space and line breaks at either end.
std::string trimmed(std::string_view utf8);

// ASCII letters upper-cased; every other scalar kept.
std::string asciiUppercased(std::string_view utf8);

}  // namespace velorin::unicode
