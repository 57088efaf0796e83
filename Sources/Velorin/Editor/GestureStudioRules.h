#pragma once
// The gesture studio's decisions, apart from its widgets and timers: which
// recorded gestures it takes, whether the composed action can be saved, what
// the target chip and the target list show, the clash warning, and the one
// configuration a save writes.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Actions/Action.h"
#include "Config/AppConfig.h"
#include "Config/Pack.h"
#include "Recognizer/Gesture.h"
#include "Support/Uuid.h"
#include "Velorin/Design/ReadableOnWater.h"

namespace velorin {

struct GestureStudioRules {
    GestureStudioRules() = delete;

    static constexpr const char* title = "New shortcut";
    static constexpr const char* listeningText = "Do the gesture on your trackpad";
    static constexpr const char* hintText =
        "Tap, double tap, triple tap or hold, with two to five fingers. Or tap a corner of the pad.";
    static constexpr const char* chooseText = "Choose\u2026";
    static constexpr const char* mineTitle = "My shortcuts";
    static constexpr const char* mineSubtitle = "Works everywhere";
    static constexpr const char* packOnSubtitle = "Pack";
    static constexpr const char* packOffSubtitle = "Pack, off: saving turns it on";
    static constexpr const char* savedTitle = "Saved";
    static constexpr const char* closeHelp = "Close";
    static constexpr const char* retryHelp = "Do the gesture again";

    // The listening call is white with a soft dark shadow; on the light pad
    // that alone leaves it faint, so a tight dark edge lies beneath it too.
    static constexpr std::array<Halo, 1> listeningShadowDark{{{6, 0.5}}};
    static constexpr std::array<Halo, 3> listeningShadowLight{{{1, 0.85}, {3, 0.55}, {6, 0.5}}};
    static Halos listeningShadow(bool dark) { return dark ? Halos(listeningShadowDark) : Halos(listeningShadowLight); }

    // Delays of the studio's one-shot steps, in seconds.
    static constexpr double unbumpDelaySeconds = 0.22;
    static constexpr double actionChosenDelaySeconds = 0.35;
    static constexpr double closeAfterSaveSeconds = 0.95;

    // The action a new studio starts with, so a caught gesture can be saved at once.
    static Action startingAction() { return Action::media(MediaKey::playPause); }

    // One-finger taps and holds are everyday pointer use and not taken; a
    // corner tap is, although it is made with one finger.
    static bool takes(const Gesture& gesture);
    // Whether the action is complete enough to save.
    static bool ready(const Action& action);
    // The symbol of the action chip, by the action's kind.
    static std::string_view actionSymbol(Action::Kind kind);
    // The action chip's title.
    static std::string actionTitle(const Action& action);

    // The pack the target names, if any pack still has that id.
    static std::optional<Pack> targetPack(const AppConfig& config, const std::optional<std::string>& target);
    // The target chip's title: the pack's name, or "My shortcuts".
    static std::string targetName(const AppConfig& config, const std::optional<std::string>& target);
    // Every pack, those switched on first, each group in catalog order.
    static std::vector<Pack> packChoices(const AppConfig& config);
    static std::string_view packSubtitle(bool enabled) { return enabled ? packOnSubtitle : packOffSubtitle; }

    // Why the new shortcut would not be the one that runs; absent when it would (or without a gesture).
    static std::optional<std::string> clash(const AppConfig& config, const std::optional<std::string>& target,
                                            const std::optional<Gesture>& gesture);

    // The configuration after saving the shortcut `id`: into the target pack's
    // list with the pack's apps, switching the pack on (last) when it is off;
    // else (no target, or a pack that is gone) into the user's own shortcuts,
    // for every app.
    static AppConfig saving(AppConfig config, const std::optional<std::string>& target, const Gesture& gesture,
                            const Action& action, const Uuid& id);

    // The "Saved" card's line: the gesture, " → " and the action.
    static std::string savedLine(const std::optional<Gesture>& gesture, const Action& action);
};

}  // namespace velorin
