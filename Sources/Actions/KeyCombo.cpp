#include "Actions/KeyCombo.h"

#include "Actions/Hashing.h"

namespace velorin {

const std::map<std::uint16_t, std::string>& KeyCombo::names() {
    static const std::map<std::uint16_t, std::string> table = {
        // Letters
        {0, "A"}, {1, "S"}, {2, "D"}, {3, "F"}, {4, "H"}, {5, "G"}, {6, "Z"}, {7, "X"}, {8, "C"},
        {9, "V"}, {11, "B"}, {12, "Q"}, {13, "W"}, {14, "E"}, {15, "R"}, {16, "Y"}, {17, "T"},
        {31, "O"}, {32, "U"}, {34, "I"}, {35, "P"}, {37, "L"}, {38, "J"}, {40, "K"}, {45, "N"},
        {46, "M"},
        // Digits
        {18, "1"}, {19, "2"}, {20, "3"}, {21, "4"}, {23, "5"}, {22, "6"}, {26, "7"}, {28, "8"},
        {25, "9"}, {29, "0"},
        // Return, tab, space, delete, escape
        {36, "\u21A9"}, {48, "\u21E5"}, {49, "Space"}, {51, "\u232B"}, {53, "\u238B"},
        // Punctuation
        {24, "="}, {27, "-"}, {30, "]"}, {33, "["}, {39, "'"}, {41, ";"}, {42, "\\"}, {43, ","},
        {44, "/"}, {47, "."}, {50, "`"},
        // Arrows
        {123, "\u2190"}, {124, "\u2192"}, {125, "\u2193"}, {126, "\u2191"},
        // Function keys
        {122, "F1"}, {120, "F2"}, {99, "F3"}, {118, "F4"}, {96, "F5"}, {97, "F6"}, {98, "F7"},
        {100, "F8"}, {101, "F9"}, {109, "F10"}, {103, "F11"}, {111, "F12"},
    };
    return table;
}

std::optional<std::string_view> KeyCombo::name(std::uint16_t keyCode) {
    const auto& table = names();
    auto it = table.find(keyCode);
    if (it == table.end()) return std::nullopt;
    return std::string_view(it->second);
}

std::string KeyCombo::text(Modifiers modifiers, std::string_view keyName) {
    std::string text;
    if (modifiers.contains(Modifiers::control)) text += "\u2303";
    if (modifiers.contains(Modifiers::option)) text += "\u2325";
    if (modifiers.contains(Modifiers::shift)) text += "\u21E7";
    if (modifiers.contains(Modifiers::command)) text += "\u2318";
    if (modifiers.contains(Modifiers::function)) text += "fn ";
    text += keyName;
    return text;
}

std::string KeyCombo::description() const {
    if (auto n = name(keyCode)) return text(modifiers, *n);
    return text(modifiers, "key " + std::to_string(keyCode));
}

Json KeyCombo::toJson() const {
    Json j = Json::object();
    j["keyCode"] = keyCode;
    j["modifiers"] = modifiers.rawValue;
    return j;
}

KeyCombo KeyCombo::fromJson(const json::Reader& reader) {
    reader.requireObject();
    KeyCombo combo;
    combo.keyCode = reader.require("keyCode").integer<std::uint16_t>();
    combo.modifiers = Modifiers(reader.require("modifiers").integer<std::uint8_t>());
    return combo;
}

}  // namespace velorin

std::size_t std::hash<velorin::KeyCombo>::operator()(const velorin::KeyCombo& k) const noexcept {
    std::size_t seed = 0;
    velorin::detail::hashFeed(seed, k.keyCode);
    velorin::detail::hashFeed(seed, k.modifiers.rawValue);
    return seed;
}
