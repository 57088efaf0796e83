#pragma once
// One keyboard shortcut: a macOS virtual key code (the key's position on an ANSI
// keyboard) and a set of modifier keys, with its stored form and one-line text.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Support/Json.h"

namespace velorin {

struct KeyCombo {
    // Modifier keys in one byte. Bits 32, 64 and 128 mean nothing but are kept as
    // stored, so a file written by a newer version survives a round trip.
    struct Modifiers {
        std::uint8_t rawValue = 0;

        static const Modifiers command;
        static const Modifiers shift;
        static const Modifiers option;
        static const Modifiers control;
        static const Modifiers function;

        constexpr Modifiers() = default;
        constexpr explicit Modifiers(std::uint8_t raw) : rawValue(raw) {}
        constexpr Modifiers(std::initializer_list<Modifiers> members) {
            for (Modifiers m : members) rawValue |= m.rawValue;
        }

        constexpr bool isEmpty() const { return rawValue == 0; }
        constexpr bool contains(Modifiers m) const { return (rawValue & m.rawValue) == m.rawValue; }
        constexpr bool isSubset(Modifiers of) const { return (rawValue & ~of.rawValue) == 0; }
        constexpr bool isDisjoint(Modifiers with) const { return (rawValue & with.rawValue) == 0; }

        constexpr Modifiers unioned(Modifiers o) const { return Modifiers(rawValue | o.rawValue); }
        constexpr Modifiers intersection(Modifiers o) const { return Modifiers(rawValue & o.rawValue); }
        constexpr Modifiers symmetricDifference(Modifiers o) const { return Modifiers(rawValue ^ o.rawValue); }
        constexpr Modifiers subtracting(Modifiers o) const {
            return Modifiers(static_cast<std::uint8_t>(rawValue & ~o.rawValue));
        }
        constexpr void insert(Modifiers m) { rawValue |= m.rawValue; }
        constexpr void remove(Modifiers m) { rawValue = static_cast<std::uint8_t>(rawValue & ~m.rawValue); }
        constexpr void formUnion(Modifiers m) { insert(m); }
        constexpr void formIntersection(Modifiers m) { rawValue &= m.rawValue; }
        constexpr void formSymmetricDifference(Modifiers m) { rawValue ^= m.rawValue; }

        friend constexpr Modifiers operator|(Modifiers a, Modifiers b) { return a.unioned(b); }
        friend constexpr Modifiers operator&(Modifiers a, Modifiers b) { return a.intersection(b); }
        friend constexpr Modifiers operator^(Modifiers a, Modifiers b) { return a.symmetricDifference(b); }
        constexpr Modifiers& operator|=(Modifiers m) { insert(m); return *this; }

        constexpr bool operator==(const Modifiers&) const = default;
    };

    constexpr KeyCombo() = default;
    constexpr KeyCombo(std::uint16_t keyCode, Modifiers modifiers) : keyCode(keyCode), modifiers(modifiers) {}

    std::uint16_t keyCode = 0;
    Modifiers modifiers;

    // Presets used by the system commands, the built-in packs and the editor.
    static const KeyCombo missionControl;  // ⌃↑
    static const KeyCombo appExpose;       // ⌃↓
    static const KeyCombo spotlight;       // ⌘Space
    static const KeyCombo screenshot;      // ⇧⌘4

    // Key code → key name, 68 entries; built once, then only read.
    static const std::map<std::uint16_t, std::string>& names();
    static std::optional<std::string_view> name(std::uint16_t keyCode);

    // "⌃⌥⇧⌘", then "fn ", then the key's name or "key N". Never empty.
    std::string description() const;
    // The same text for `modifiers` held with a key named `keyName`.
    static std::string text(Modifiers modifiers, std::string_view keyName);

    // {"keyCode": 0…65535, "modifiers": 0…255}; both required.
    Json toJson() const;
    static KeyCombo fromJson(const json::Reader& reader);

    bool operator==(const KeyCombo&) const = default;
};

inline constexpr KeyCombo::Modifiers KeyCombo::Modifiers::command{std::uint8_t{1}};
inline constexpr KeyCombo::Modifiers KeyCombo::Modifiers::shift{std::uint8_t{2}};
inline constexpr KeyCombo::Modifiers KeyCombo::Modifiers::option{std::uint8_t{4}};
inline constexpr KeyCombo::Modifiers KeyCombo::Modifiers::control{std::uint8_t{8}};
inline constexpr KeyCombo::Modifiers KeyCombo::Modifiers::function{std::uint8_t{16}};

inline constexpr KeyCombo KeyCombo::missionControl{126, KeyCombo::Modifiers::control};
inline constexpr KeyCombo KeyCombo::appExpose{125, KeyCombo::Modifiers::control};
inline constexpr KeyCombo KeyCombo::spotlight{49, KeyCombo::Modifiers::command};
inline constexpr KeyCombo KeyCombo::screenshot{21, {KeyCombo::Modifiers::command, KeyCombo::Modifiers::shift}};

}  // namespace velorin

template <>
struct std::hash<velorin::KeyCombo::Modifiers> {
    std::size_t operator()(velorin::KeyCombo::Modifiers m) const noexcept { return m.rawValue; }
};

template <>
struct std::hash<velorin::KeyCombo> {
    std::size_t operator()(const velorin::KeyCombo& k) const noexcept;
};
