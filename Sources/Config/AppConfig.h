#pragma once
// The whole persisted configuration, one plain value: the master switch, the
// user's own shortcuts, which packs are on and in which order, the user's own
// packs, the user's edits of built-in packs and the recogniser's tuning. Every
// change is made on a copy, which is then set back whole and saved.

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "Actions/Action.h"
#include "Config/Binding.h"
#include "Config/Pack.h"
#include "Recognizer/Gesture.h"
#include "Recognizer/RecognizerConfig.h"
#include "Support/Json.h"
#include "Support/Uuid.h"

namespace velorin {

// The winner for one gesture: what runs, and where it came from.
struct ResolvedBinding {
    Action action;
    BindingSource source;
    bool operator==(const ResolvedBinding&) const = default;
};

struct AppConfig {
    static constexpr std::int64_t currentVersion = 5;

    std::int64_t version = currentVersion;
    bool isEnabled = true;
    std::vector<Binding> bindings{};          // the user's own, in the user's order
    std::vector<std::string> enabledPacks{};  // earlier beats later; switching on puts a pack last
    std::vector<Pack> customPacks{};          // in the order they were first saved
    // A built-in pack's id → the user's complete edited list: its shortcuts and its spares.
    std::map<std::string, std::vector<Binding>, std::less<>> packOverrides{};
    RecognizerConfig recognizer{};

    // Used when there is no usable file: "everyday-mac" and "claude" on, default tuning.
    static const AppConfig& starter();

    // Retired pack ids replaced by their successors; duplicates dropped, first place kept.
    static std::vector<std::string> migrated(const std::vector<std::string>& ids);

    // The stored document. Reading fills absent or null keys with defaults, fails
    // (ConfigDecodeError) on a value of the wrong kind anywhere, brings older
    // documents up to the current version and drops enabled ids that name no pack.
    static AppConfig fromJson(const json::Reader& reader);
    static AppConfig decode(std::string_view text);  // fromJson of the parsed text
    // Every key, always. Throws JsonEncodeError for a number that is not finite.
    Json toJson() const;

    // ---- Packs as the windows see them

    // Every built-in pack in catalog order, an edited one with its edited list as
    // its shortcuts and no spares; then the user's own packs.
    std::vector<Pack> allPacks() const;
    // The first pack of allPacks() with the id (a built-in pack before a custom one).
    std::optional<Pack> pack(std::string_view id) const;
    // The list the user edits: the edited list when there is one, else the pack's
    // shortcuts followed by its spares; empty for an id no pack has.
    std::vector<Binding> shortcuts(std::string_view id) const;
    // Writes back such a list. The user's own pack takes it as its shortcuts (and
    // keeps no spares, since the list already holds them); a built-in pack stores it
    // as its edited list, or drops its edited list when the list is the catalog's own.
    void setShortcuts(std::vector<Binding> list, std::string_view id);
    bool isCustomized(std::string_view id) const;
    void resetPack(std::string_view id);
    void savePack(Pack pack);               // replaces the custom pack with its id, else appends
    void removePack(std::string_view id);  // from customPacks and enabledPacks
    bool isPackEnabled(std::string_view id) const;
    void setPack(std::string_view id, bool enabled);

    // ---- Effective bindings

    using Resolution = std::unordered_map<Gesture, ResolvedBinding>;
    // The winning action for every bound gesture with `frontApp` in front (none:
    // only shortcuts for every app take part). Tiers: own for particular apps,
    // packs' for particular apps, own for every app, packs' for every app; packs in
    // the order they were switched on; the first match wins. `catalog`, when given,
    // is used instead of allPacks().
    Resolution resolved(std::optional<std::string_view> frontApp = std::nullopt,
                        const std::vector<Pack>* catalog = nullptr) const;
    std::unordered_map<Gesture, Action> activeBindings(std::optional<std::string_view> frontApp = std::nullopt,
                                                       const std::vector<Pack>* catalog = nullptr) const;

    // Ids of the user's enabled shortcuts that clash with an earlier enabled one
    // (same gesture, overlapping scopes); the first of a clashing pair is not marked.
    std::unordered_set<Uuid> conflicts() const;
    // Both for every app, or sharing an app. One for every app and one for some never clash.
    static bool scopesOverlap(const std::vector<std::string>& a, const std::vector<std::string>& b);

    bool operator==(const AppConfig&) const = default;
};

}  // namespace velorin
