#pragma once
// The app scope picker's decisions: which of its two choices shows, what each
// change writes to the caller's list of bundle identifiers (empty means every
// app), and what adding chosen apps appends. The list is the caller's; only the
// choice lives here.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velorin {

class AppScope {
public:
    static constexpr const char* everyAppText = "Every app";
    static constexpr const char* onlyTheseText = "Only these apps";
    static constexpr const char* addAppText = "Add App\u2026";
    static constexpr const char* emptyWarning = "Add at least one app, or choose Every app.";

    // The choice as the picker first shows it: "Only these apps" for a
    // non-empty list, "Every app" for an empty one.
    explicit AppScope(const std::vector<std::string>& apps) : onlySome_(!apps.empty()) {}

    bool onlySome() const { return onlySome_; }
    // Rows, the add button and the warning show only under "Only these apps".
    bool showsList() const { return onlySome_; }
    bool showsWarning(const std::vector<std::string>& apps) const { return onlySome_ && apps.empty(); }

    // The user picks a choice. "Every app" gives the empty list to write;
    // "Only these apps" writes nothing (absent).
    std::optional<std::vector<std::string>> choose(bool onlySome);

    // The list without any entry equal to `bundleID`, the others in order.
    static std::vector<std::string> removing(std::vector<std::string> apps, const std::string& bundleID);
    // The list with the identifier of each chosen location appended in order,
    // skipping locations whose identifier cannot be read and identifiers
    // already listed (exact text).
    static std::vector<std::string> adding(
        std::vector<std::string> apps, const std::vector<std::string>& locations,
        const std::function<std::optional<std::string>(const std::string& location)>& bundleIdentifierAt);

private:
    bool onlySome_;
};

}  // namespace velorin
