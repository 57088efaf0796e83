#pragma once
// Strict reading and full writing of the stored JSON forms.
//
// Reading is lenient about what is missing (absent or null takes the caller's
// default) and strict about what is there: a value of the wrong kind fails the
// whole read with an error that names the coding path ("bindings[2].gesture").
// Integers are range-checked; a boolean or a fractional number is never an
// integer. Writing never lets a non-finite number become null.

#include <cmath>
#include <concepts>
#include <cstdint>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include <nlohmann/json.hpp>

namespace velorin {

using Json = nlohmann::json;  // std::map objects: keys are written sorted

// A stored form that does not decode. `description()` is the text shown to the user.
class ConfigDecodeError : public std::exception {
public:
    ConfigDecodeError(std::string path, std::string message);
    const std::string& path() const { return path_; }
    const std::string& message() const { return message_; }
    const std::string& description() const { return description_; }
    const char* what() const noexcept override { return description_.c_str(); }

private:
    std::string path_;
    std::string message_;
    std::string description_;
};

// A value that cannot be written (NaN or an infinity).
class JsonEncodeError : public std::exception {
public:
    explicit JsonEncodeError(std::string message) : message_(std::move(message)) {}
    const std::string& description() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

namespace json {

// A node of a document being decoded, with its coding path.
class Reader {
public:
    explicit Reader(const Json& node, std::string path = {});

    const Json& raw() const { return *node_; }
    const std::string& path() const { return path_; }
    bool isNull() const { return node_->is_null(); }
    bool isObject() const { return node_->is_object(); }

    [[noreturn]] void fail(const std::string& message) const;

    // Scalars; each fails on a value of another kind.
    std::string string() const;
    bool boolean() const;
    double number() const;  // integer or floating point, never a boolean
    float float32() const;  // a number that fits a float's range
    std::int64_t int64() const;
    template <std::integral I>
    I integer() const {
        const std::int64_t v = int64();
        bool fits;
        if constexpr (std::is_same_v<I, bool>) {
            fits = false;
        } else if constexpr (std::is_unsigned_v<I>) {
            fits = v >= 0 && static_cast<std::uint64_t>(v) <= std::numeric_limits<I>::max();
        } else {
            fits = v >= std::numeric_limits<I>::min() && v <= std::numeric_limits<I>::max();
        }
        if (!fits) fail("Number " + std::to_string(v) + " does not fit");
        return static_cast<I>(v);
    }
    std::uint32_t uint32() const { return integer<std::uint32_t>(); }

    // Containers.
    std::vector<Reader> array() const;   // fails unless an array
    std::vector<std::string> keys() const;  // fails unless an object
    void requireObject() const;

    // Members of an object. `member` is absent for an absent or null key.
    bool has(std::string_view key) const;  // present and not null
    std::optional<Reader> member(std::string_view key) const;
    Reader require(std::string_view key) const;  // fails when absent or null
    Reader element(std::size_t index) const;

    // Lenient reads of a member: absent or null gives the fallback.
    std::string stringOr(std::string_view key, std::string fallback) const;
    bool boolOr(std::string_view key, bool fallback) const;
    double numberOr(std::string_view key, double fallback) const;
    float floatOr(std::string_view key, float fallback) const;
    template <std::integral I>
    I integerOr(std::string_view key, I fallback) const {
        auto m = member(key);
        return m ? m->integer<I>() : fallback;
    }

private:
    const Json* node_;
    std::string path_;
};

// Decodes `text` as a document; a syntax error becomes a ConfigDecodeError at the root.
Json parse(std::string_view text);

// Numbers for writing. A float is written through its shortest text (0.03, not
// 0.029999999329447746). Both throw JsonEncodeError for NaN and infinities.
Json fromFloat(float value);
Json fromDouble(double value);

// Pretty-printed (two spaces) with sorted keys, as the configuration file is written.
std::string dumpPretty(const Json& value);

}  // namespace json
}  // namespace velorin
