#pragma once
// What the About tab shows, worked out from the live configuration and the
// bundle: the version, the cheat sheet of gestures that work in every app
// right now with where each comes from, and the chip of each source.

#include <string>
#include <string_view>
#include <vector>

#include "Actions/Action.h"
#include "Config/AppConfig.h"
#include "Config/Binding.h"
#include "Recognizer/Gesture.h"
#include "Velorin/Design/Color.h"

namespace velorin {

class Bundle;

struct CheatSheetEntry {
    Gesture gesture;
    Action action;
    BindingSource source;
    bool operator==(const CheatSheetEntry&) const = default;
};

struct SourceChip {
    std::string text;
    ThemeColor tint;
    bool operator==(const SourceChip&) const = default;
};

struct AboutRules {
    AboutRules() = delete;

    static constexpr const char* fallbackVersion = "dev";
    static constexpr const char* releasesAddress = "https://github.com/quillmere/velorin/releases";
    static constexpr const char* newIssueAddress = "https://github.com/quillmere/velorin/issues/new";

    // The bundle's short version string when it has one, else "dev".
    static std::string version(Bundle& bundle);

    // The shortcuts that work in every app with this configuration, one per
    // gesture (own beating packs', earlier packs beating later ones), sorted
    // by the gestures' display names the way file names are sorted.
    static std::vector<CheatSheetEntry> everywhere(const AppConfig& config);

    // "Mine" on honey, or the pack's name on the accent of the pack the
    // configuration holds under that id (the accent's fallback when none).
    static SourceChip sourceChip(const BindingSource& source, const AppConfig& config);

    // File-name order: letter case ignored, runs of digits by their value.
    static bool localizedStandardLess(std::string_view a, std::string_view b);
};

}  // namespace velorin
