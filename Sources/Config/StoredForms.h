#pragma once
// Small pieces shared by the stored forms of the Config module.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "Config/Binding.h"
#include "Support/Json.h"

namespace velorin::storedforms {

std::vector<std::string> readStrings(const json::Reader& reader);
Json writeStrings(const std::vector<std::string>& values);
std::vector<Binding> readBindings(const json::Reader& reader);
Json writeBindings(const std::vector<Binding>& bindings);

// Hashing that feeds values in order, as the stored records' hashes are defined.
class Hasher {
public:
    void feed(std::size_t value) { state_ ^= value + 0x9E3779B97F4A7C15ull + (state_ << 6) + (state_ >> 2); }
    void feedByte(std::uint8_t value) { feed(value); }
    void feed(std::string_view text) { feed(std::hash<std::string_view>{}(text)); }
    void feed(const std::vector<std::string>& texts) {
        feed(texts.size());
        for (const auto& t : texts) feed(std::string_view(t));
    }
    std::size_t value() const { return state_; }

private:
    std::size_t state_ = 0xCBF29CE484222325ull;
};

}  // namespace velorin::storedforms
