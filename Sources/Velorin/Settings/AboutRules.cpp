#include "Velorin/Settings/AboutRules.h"

#include <algorithm>
#include <cctype>

#include "Platform/Bundle.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/DisplayNames.h"

namespace velorin {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
char folded(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// -1, 0 or 1 for a < b, a == b, a > b in file-name order, ignoring case.
int compareNatural(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            std::size_t ie = i;
            std::size_t je = j;
            while (ie < a.size() && isDigit(a[ie])) ++ie;
            while (je < b.size() && isDigit(b[je])) ++je;
            // Leading zeros do not change a number's value.
            std::size_t is = i;
            std::size_t js = j;
            while (is + 1 < ie && a[is] == '0') ++is;
            while (js + 1 < je && b[js] == '0') ++js;
            const std::string_view na = a.substr(is, ie - is);
            const std::string_view nb = b.substr(js, je - js);
            if (na.size() != nb.size()) return na.size() < nb.size() ? -1 : 1;
            if (const int c = na.compare(nb); c != 0) return c < 0 ? -1 : 1;
            i = ie;
            j = je;
            continue;
        }
        const char ca = folded(a[i]);
        const char cb = folded(b[j]);
        if (ca != cb) return static_cast<unsigned char>(ca) < static_cast<unsigned char>(cb) ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

}  // namespace

std::string AboutRules::version(Bundle& bundle) {
    const auto value = bundle.objectForInfoDictionaryKey("CFBundleShortVersionString");
    if (!value) return fallbackVersion;
    const auto* text = std::get_if<std::string>(&*value);
    return text ? *text : fallbackVersion;
}

bool AboutRules::localizedStandardLess(std::string_view a, std::string_view b) {
    const int c = compareNatural(a, b);
    // Names equal but for case keep one fixed order.
    return c != 0 ? c < 0 : a < b;
}

std::vector<CheatSheetEntry> AboutRules::everywhere(const AppConfig& config) {
    std::vector<std::pair<std::string, CheatSheetEntry>> named;
    for (const auto& [gesture, resolved] : config.resolved()) {
        named.push_back({displayName(gesture), CheatSheetEntry{gesture, resolved.action, resolved.source}});
    }
    std::sort(named.begin(), named.end(),
              [](const auto& a, const auto& b) { return localizedStandardLess(a.first, b.first); });
    std::vector<CheatSheetEntry> entries;
    entries.reserve(named.size());
    for (auto& [name, entry] : named) entries.push_back(std::move(entry));
    return entries;
}

SourceChip AboutRules::sourceChip(const BindingSource& source, const AppConfig& config) {
    if (const auto* pack = source.asPack()) {
        const auto found = config.pack(pack->id);
        return {pack->name, PackStyle::accent(found ? &*found : nullptr).opacity(0.22)};
    }
    return {"Mine", Theme::honey.opacity(0.2)};
}

}  // namespace velorin
