#pragma once
// A named set of shortcuts for one app or a group of apps: its shortcuts, and
// spare shortcuts that stay off until the user gives one a gesture.

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Actions/StoredEnum.h"
#include "Config/Binding.h"
#include "Support/Json.h"

namespace velorin {

struct Pack {
    // The group a pack is listed under; stored as the case name. Its cases in order
    // are allCases<Pack::Category>(), the order of the packs browser's tabs;
    // fromRawValue<Pack::Category> finds one by its stored text.
    enum class Category { general, ai, browsers, code, creative, work, social };
    static std::string_view title(Category category);  // "Notes & work", …

    // The colour of the user's own packs unless they say otherwise (0xRRGGBB).
    static constexpr std::uint32_t customAccent = 0x5E5CE6;
    static constexpr std::string_view customSymbol = "square.stack.3d.up";

    std::string id;  // "everyday-mac"; the user's own: "custom-" and a lower-case UUID
    std::string name;
    std::string summary;
    std::string symbol;             // a symbol name, drawn through the app's symbol table
    std::vector<std::string> apps;  // the apps the pack is for; each binding keeps its own list
    std::vector<Binding> bindings;
    std::vector<Binding> library;  // spare shortcuts
    std::vector<std::string> iconApps;
    Category category = Category::general;
    bool custom = false;
    std::optional<std::uint32_t> accent;  // 0xRRGGBB

    // A new, empty pack of the user's own for `apps`.
    static Pack newCustom(std::vector<std::string> apps);
    // The user's own copy: its shortcuts then its spares as shortcuts, each with a new id.
    Pack duplicated() const;

    Json toJson() const;
    static Pack fromJson(const json::Reader& reader);

    bool operator==(const Pack&) const = default;
};

std::string_view rawValue(Pack::Category category);

template <>
struct StoredEnum<Pack::Category> {
    static constexpr std::string_view typeName = "Category";
    static constexpr std::array<Pack::Category, 7> allCases = {
        Pack::Category::general,  Pack::Category::ai,   Pack::Category::browsers, Pack::Category::code,
        Pack::Category::creative, Pack::Category::work, Pack::Category::social,
    };
};

}  // namespace velorin

template <>
struct std::hash<velorin::Pack> {
    std::size_t operator()(const velorin::Pack& p) const noexcept;
};
