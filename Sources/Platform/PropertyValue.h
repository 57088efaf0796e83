#pragma once
// A stored preference or information-list value: a Boolean, a number, a text
// or raw data. Shared by user defaults and the bundle's information.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace velorin {

using PropertyData = std::vector<std::uint8_t>;
using PropertyValue = std::variant<bool, double, std::string, PropertyData>;

}  // namespace velorin
