#include "Actions/MenuScanner.h"

#include <cmath>

#include "Actions/Hashing.h"
#include "Actions/Permissions.h"
#include "Actions/Unicode.h"
#include "Platform/Platform.h"

namespace velorin {
namespace {

// The Accessibility interface's menu-item modifier bits, which differ from KeyCombo's.
constexpr std::uint8_t axShift = 1;
constexpr std::uint8_t axOption = 2;
constexpr std::uint8_t axControl = 4;
constexpr std::uint8_t axNoCommand = 8;

Accessibility& ax() { return platform::current().accessibility(); }

// The characters shift types on the ANSI layout key codes name, with the key
// that types them.
constexpr std::pair<std::string_view, std::string_view> shiftedCharacters[] = {
    {"!", "1"}, {"@", "2"}, {"#", "3"}, {"$", "4"}, {"%", "5"}, {"^", "6"}, {"&", "7"},
    {"*", "8"}, {"(", "9"}, {")", "0"}, {"_", "-"}, {"+", "="}, {"{", "["}, {"}", "]"},
    {"|", "\\"}, {":", ";"}, {"\"", "'"}, {"<", ","}, {">", "."}, {"?", "/"}, {"~", "`"},
};

// A menu that shows a shifted character ("+" for Zoom In) is reached by the
// key that types it with Shift.
std::optional<std::string_view> unshifted(std::string_view character) {
    for (const auto& [shifted, base] : shiftedCharacters) {
        if (shifted == character) return base;
    }
    return std::nullopt;
}

std::string title(AXElement element) {
    auto value = ax().copyAttributeValue(element, "AXTitle");
    if (auto* text = std::get_if<std::string>(&value)) return *text;
    return {};
}

std::vector<AXElement> children(AXElement element) {
    auto value = ax().copyAttributeValue(element, "AXChildren");
    if (auto* list = std::get_if<std::vector<AXElement>>(&value)) return *list;
    return {};
}

std::optional<AXElement> menuBar(std::int32_t pid) {
    const AXElement app = ax().applicationElement(pid);
    auto value = ax().copyAttributeValue(app, "AXMenuBar");
    if (auto* element = std::get_if<AXElement>(&value)) return *element;
    return std::nullopt;
}

bool enabled(AXElement item) {
    auto value = ax().copyAttributeValue(item, "AXEnabled");
    if (auto* flag = std::get_if<bool>(&value)) return *flag;
    return true;
}

struct Walk {
    std::vector<ScannedCommand>& rows;
    std::vector<AXElement> openMenus;  // the menus being walked, outermost first

    void walk(AXElement menu, const std::vector<std::string>& path, const std::string& top) {
        for (AXElement open : openMenus) {
            if (open == menu) return;  // a menu inside itself
        }
        openMenus.push_back(menu);
        for (AXElement item : children(menu)) {
            const std::string itemTitle = title(item);
            if (itemTitle.empty()) continue;  // separators and untitled items
            std::vector<std::string> itemPath = path;
            itemPath.push_back(itemTitle);

            const auto submenus = children(item);
            if (!submenus.empty()) {
                if (MenuScanner::skippedSubmenus().contains(itemTitle)) continue;
                // A submenu's leaves would have at least one title more than itemPath.
                if (itemPath.size() >= MenuScanner::maxPathLength) continue;
                for (AXElement submenu : submenus) walk(submenu, itemPath, top);
                continue;
            }

            auto key = MenuScanner::shortcut(item);
            if (!key && MenuScanner::listMenus().contains(top)) continue;
            rows.push_back(ScannedCommand{std::move(itemPath), key, enabled(item)});
        }
        openMenus.pop_back();
    }
};

}  // namespace

std::string ScannedCommand::id() const {
    std::string text;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i > 0) text += '\x1F';
        text += path[i];
    }
    return text;
}

const std::set<std::string>& MenuScanner::skippedSubmenus() {
    static const std::set<std::string> titles = {
        "Open Recent", "Services", "Recently Closed", "Recently Closed Windows", "Recently Visited",
    };
    return titles;
}

const std::set<std::string>& MenuScanner::listMenus() {
    static const std::set<std::string> titles = {"Window", "History", "Help", "Bookmarks", "Favorites"};
    return titles;
}

std::vector<ScannedCommand> MenuScanner::commands(std::int32_t pid) {
    std::vector<ScannedCommand> rows;
    if (!Permissions::isAccessibilityTrusted()) return rows;
    const auto bar = menuBar(pid);
    if (!bar) return rows;

    const auto barItems = children(*bar);
    Walk walker{rows, {}};
    // The first item is the system menu at the left end of the bar.
    for (std::size_t i = 1; i < barItems.size(); ++i) {
        const std::string top = title(barItems[i]);
        if (top.empty()) continue;
        for (AXElement menu : children(barItems[i])) walker.walk(menu, {top}, top);
    }
    return rows;
}

std::optional<AXElement> MenuScanner::item(const std::vector<std::string>& path, std::int32_t pid) {
    if (!Permissions::isAccessibilityTrusted()) return std::nullopt;
    const auto bar = menuBar(pid);
    if (!bar || path.empty()) return std::nullopt;

    std::vector<AXElement> candidates = children(*bar);
    std::optional<AXElement> found;
    for (std::size_t level = 0; level < path.size(); ++level) {
        if (level > 0) {
            // The items of the menus that the item found one level up opens.
            candidates.clear();
            for (AXElement menu : children(*found)) {
                for (AXElement item : children(menu)) candidates.push_back(item);
            }
        }
        found.reset();
        for (AXElement candidate : candidates) {
            if (title(candidate) == path[level]) {
                found = candidate;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    return found;
}

std::optional<KeyCombo> MenuScanner::shortcut(AXElement item) {
    std::optional<std::string> character;
    {
        auto value = ax().copyAttributeValue(item, "AXMenuItemCmdChar");
        if (auto* text = std::get_if<std::string>(&value)) character = *text;
    }
    std::optional<std::uint16_t> virtualKey;
    {
        auto value = ax().copyAttributeValue(item, "AXMenuItemCmdVirtualKey");
        // A number that is no key code (fractional, negative, too large) counts as absent
        // rather than wrapping to some other key.
        if (auto* number = std::get_if<double>(&value)) {
            if (*number >= 0 && *number <= 65535 && std::floor(*number) == *number) {
                virtualKey = static_cast<std::uint16_t>(*number);
            }
        }
    }
    std::uint8_t bits = 0;
    {
        auto value = ax().copyAttributeValue(item, "AXMenuItemCmdModifiers");
        if (auto* number = std::get_if<double>(&value)) {
            if (std::isfinite(*number) && std::fabs(*number) < 9.2e18) {
                bits = static_cast<std::uint8_t>(static_cast<std::int64_t>(*number) & 0xFF);
            }
        }
    }

    using M = KeyCombo::Modifiers;
    M modifiers;  // as the menu shows them
    if (bits & axShift) modifiers.insert(M::shift);
    if (bits & axOption) modifiers.insert(M::option);
    if (bits & axControl) modifiers.insert(M::control);
    if (!(bits & axNoCommand)) modifiers.insert(M::command);

    if (virtualKey) return KeyCombo(*virtualKey, modifiers);
    if (!character) return std::nullopt;
    if (auto code = keyCode(*character)) return KeyCombo(*code, modifiers);
    // The menu shows the shifted character itself; pressing it takes shift.
    if (auto base = unshifted(*character); base && keyCode(*base)) {
        return KeyCombo(*keyCode(*base), modifiers | M::shift);
    }
    return std::nullopt;
}

std::optional<std::uint16_t> MenuScanner::keyCode(std::string_view character) {
    const std::string upper = unicode::asciiUppercased(character);
    if (upper.empty()) return std::nullopt;
    if (unicode::scalars(upper).front() < 0x20) return std::nullopt;
    for (const auto& [code, name] : KeyCombo::names()) {
        if (name == upper && unicode::scalars(name).size() == 1) return code;
    }
    return std::nullopt;
}

}  // namespace velorin

std::size_t std::hash<velorin::ScannedCommand>::operator()(const velorin::ScannedCommand& c) const noexcept {
    using velorin::detail::hashFeed;
    std::size_t seed = std::hash<velorin::MenuCommand>{}(c.command());
    hashFeed(seed, c.enabled);
    return seed;
}
