#include "MultitouchSupport/TouchpadSwitch.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <tuple>

namespace velorin::multitouch {

namespace {

std::string_view trim(std::string_view s) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front())) s.remove_prefix(1);
    while (!s.empty() && blank(s.back())) s.remove_suffix(1);
    return s;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// KConfig's escapes: \\ \s \t \n \r and \xNN; an unknown escape stands for itself.
std::string unescape(std::string_view s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char next = s[++i];
        switch (next) {
            case 's': out += ' '; break;
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            case 'x':
                if (i + 2 < s.size() && hexDigit(s[i + 1]) >= 0 && hexDigit(s[i + 2]) >= 0) {
                    out += static_cast<char>(hexDigit(s[i + 1]) * 16 + hexDigit(s[i + 2]));
                    i += 2;
                } else {
                    out += 'x';
                }
                break;
            default: out += next; break;
        }
    }
    return out;
}

// "[a][b][c]" as its names, without a trailing option such as [$i]; none when the line is
// not a well-formed header.
std::optional<std::vector<std::string>> groupOf(std::string_view line) {
    std::vector<std::string> names;
    while (!line.empty()) {
        if (line.front() != '[') return std::nullopt;
        const auto close = line.find(']');
        if (close == std::string_view::npos) return std::nullopt;
        names.push_back(unescape(line.substr(1, close - 1)));
        line = trim(line.substr(close + 1));
    }
    if (!names.empty() && !names.back().empty() && names.back().front() == '$') names.pop_back();
    if (names.empty()) return std::nullopt;
    return names;
}

std::optional<int> decimal(std::string_view s) {
    int value = 0;
    const auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (error != std::errc() || end != s.data() + s.size() || s.empty() || value < 0) return std::nullopt;
    return value;
}

// KConfig's booleans; none for anything else (the key's default then holds).
std::optional<bool> boolean(std::string_view value) {
    for (const char* yes : {"true", "on", "yes", "1"}) {
        if (equalsIgnoringCase(value, yes)) return true;
    }
    for (const char* no : {"false", "off", "no", "0"}) {
        if (equalsIgnoringCase(value, no)) return false;
    }
    return std::nullopt;
}

// The key's name without its options ("Enabled[$i]" is "Enabled"); none for a localised
// key ("Name[de]"), which is another key.
std::optional<std::string_view> keyName(std::string_view key) {
    const auto open = key.find('[');
    if (open == std::string_view::npos) return key;
    if (open + 1 < key.size() && key[open + 1] == '$') return trim(key.substr(0, open));
    return std::nullopt;
}

}  // namespace

bool TouchpadSwitch::isOff(const DeviceIdentity& pad) const {
    if (allOff) return true;
    if (std::any_of(devicesOff.begin(), devicesOff.end(),
                    [&](const DeviceIdentity& off) { return samePad(off, pad); })) {
        return true;
    }
    return std::any_of(padsOff.begin(), padsOff.end(), [&](const PadName& off) {
        return off.vendor == pad.vendor && off.product == pad.product && off.name == pad.name;
    });
}

SwitchSources switchSourcesFor(std::string_view currentDesktop, std::string_view sessionType) {
    SwitchSources sources;
    bool gnome = false;
    bool cinnamon = false;
    while (true) {
        const auto colon = currentDesktop.find(':');
        const std::string_view entry = trim(currentDesktop.substr(0, colon));
        if (equalsIgnoringCase(entry, "GNOME") || equalsIgnoringCase(entry, "Unity") ||
            equalsIgnoringCase(entry, "Budgie")) {
            gnome = true;
        }
        if (equalsIgnoringCase(entry, "X-Cinnamon") || equalsIgnoringCase(entry, "Cinnamon")) cinnamon = true;
        if (equalsIgnoringCase(entry, "KDE")) sources.kcminputrc = sessionType == "wayland";
        if (colon == std::string_view::npos) break;
        currentDesktop.remove_prefix(colon + 1);
    }
    sources.xinput = sessionType == "x11";
    // Cinnamon names GNOME too for what it shares with it, but keeps the touchpad in its own.
    if (cinnamon) {
        sources.schema = cinnamonTouchpadSchema;
    } else if (gnome) {
        sources.schema = gnomeTouchpadSchema;
    }
    return sources;
}

std::string sessionTypeOf(std::string_view xdgSessionType, bool waylandDisplay, bool display) {
    if (xdgSessionType == "x11" || xdgSessionType == "wayland") return std::string(xdgSessionType);
    if (waylandDisplay) return "wayland";
    if (display) return "x11";
    return std::string(xdgSessionType);
}

bool sendEventsSwitchesOff(std::string_view value, bool externalMousePresent) {
    if (value == "disabled") return true;
    if (value == disabledOnExternalMouse) return externalMousePresent;
    return false;
}

std::vector<PadName> kcminputrcPadsOff(std::string_view text) {
    using Key = std::tuple<int, int, std::string>;
    std::map<Key, bool> enabled;  // the last word of each pad's group
    std::vector<Key> order;       // as the pads first appear
    std::optional<Key> pad;       // the group the lines are in, when it is a pad's
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == '#') continue;
        if (line.front() == '[') {
            pad.reset();
            const auto names = groupOf(line);
            if (!names || names->size() != 4 || (*names)[0] != "Libinput") continue;
            const auto vendor = decimal((*names)[1]);
            const auto product = decimal((*names)[2]);
            if (!vendor || !product) continue;
            pad = Key{*vendor, *product, (*names)[3]};
            continue;
        }
        if (!pad) continue;
        const auto eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        const auto key = keyName(trim(line.substr(0, eq)));
        if (!key || *key != "Enabled") continue;
        const std::string raw = unescape(trim(line.substr(eq + 1)));
        const auto value = boolean(trim(raw));
        if (!value) continue;
        if (!enabled.count(*pad)) order.push_back(*pad);
        enabled[*pad] = *value;
    }
    std::vector<PadName> off;
    for (const Key& key : order) {
        if (!enabled[key]) off.push_back({std::get<0>(key), std::get<1>(key), std::get<2>(key)});
    }
    return off;
}

namespace {

bool isFlags(const std::optional<DeviceProperty>& property, std::size_t count) {
    if (!property || property->type != DeviceProperty::Type::integer || property->format != 8) return false;
    if (property->items.size() != count) return false;
    return std::all_of(property->items.begin(), property->items.end(), [](std::uint32_t v) { return v <= 1; });
}

}  // namespace

DeviceEvents deviceEventsOf(const std::optional<DeviceProperty>& deviceEnabled,
                            const std::optional<DeviceProperty>& sendEventsModeEnabled) {
    if (isFlags(deviceEnabled, 1) && deviceEnabled->items[0] == 0) return DeviceEvents::disabled;
    if (isFlags(sendEventsModeEnabled, 2)) {
        if (sendEventsModeEnabled->items[0] == 1) return DeviceEvents::disabled;
        if (sendEventsModeEnabled->items[1] == 1) return DeviceEvents::disabledOnExternalMouse;
    }
    return DeviceEvents::enabled;
}

std::optional<std::string> deviceNodeOf(const std::optional<DeviceProperty>& deviceNode) {
    if (!deviceNode || deviceNode->type != DeviceProperty::Type::string || deviceNode->format != 8) return std::nullopt;
    std::string path;
    for (const std::uint32_t byte : deviceNode->items) path += static_cast<char>(byte);
    while (!path.empty() && path.back() == '\0') path.pop_back();
    if (path.empty() || path.front() != '/' || path.find('\0') != std::string::npos) return std::nullopt;
    return path;
}

}  // namespace velorin::multitouch
