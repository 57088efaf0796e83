#pragma once
// What a pack card and its scope label show and what their buttons write,
// worked out from the pack, the list its owner passes and the app in front.
// The card widget only maps these to controls.

#include <optional>
#include <string>
#include <vector>

#include "Actions/MenuCommand.h"
#include "Config/Binding.h"
#include "Config/Pack.h"
#include "Recognizer/Gesture.h"
#include "Velorin/Packs/AppDirectory.h"

namespace velorin {

struct PackCardRules {
    PackCardRules() = delete;

    static int onCount(const std::vector<Binding>& list);
    // The pack is on, names apps, and the app in front is one of them.
    static bool isActiveHere(bool enabled, const Pack& pack, const std::optional<std::string>& frontApp);
    // A pack for every app, or one of several apps of which not exactly one is installed.
    static bool showsScope(const Pack& pack, const AppDirectory& apps);
    // "5 shortcuts", or "5 on · 3 more" when some are off.
    static std::string countText(const std::vector<Binding>& list);
    // Another shortcut of the list that is on has the same gesture where this one works.
    static bool clashes(const Binding& binding, const std::vector<Binding>& list);

    // The title of the button that adds commands from the apps' menus; none for a
    // read-only card or a pack that names no apps.
    static std::optional<std::string> addFromMenusTitle(const Pack& pack, bool editable, const AppDirectory& apps);
    // A gesture for a command taken from the menus: the first of the spare
    // gestures and the three-finger double tap that no shortcut that is on
    // uses, else the first spare gesture.
    static Gesture menuGesture(const std::vector<Binding>& list);
    // The new shortcut for `command`, on, for the pack's apps, titled as the command.
    static Binding menuBinding(const MenuCommand& command, const Pack& pack, const std::vector<Binding>& list);
    // `list` with the first shortcut of `changed`'s id replaced by it; unchanged when none has it.
    static std::vector<Binding> replacing(std::vector<Binding> list, const Binding& changed);
};

struct ScopeLabelRules {
    ScopeLabelRules() = delete;

    static constexpr int cardIcons = 7;

    // Installed apps first, each group in its order, cut to `maxIcons`.
    static std::vector<std::string> shownApps(const std::vector<std::string>& apps, int maxIcons,
                                              const AppDirectory& directory);
    // "Safari, Chrome"; "4 apps"; "+2" beyond `maxIcons`.
    static std::string text(const std::vector<std::string>& apps, int maxIcons, const AppDirectory& directory);
    // "Works in every app", or "Works in " and every app's name.
    static std::string tooltip(const std::vector<std::string>& apps, const AppDirectory& directory);
};

// One shortcut line of an expanded card, and its popover.
struct ShortcutRowRules {
    ShortcutRowRules() = delete;

    // What a fresh popover picks until the shortcut's gesture is set on opening.
    static Gesture initialDraft() { return Gesture::tap(3, 1); }

    // Its own title, else what its action does.
    static std::string title(const Binding& binding);
    static std::optional<std::string> chipTooltip(const Binding& binding, bool editable);
    // "Save" for a shortcut that is on, "Switch On" for one that is off.
    static std::string confirmTitle(const Binding& binding);
    static bool offersRemove(const Binding& binding) { return binding.enabled; }
    // The copy that "Save" or "Switch On" hands back: the picked gesture, on.
    static Binding confirmed(Binding binding, const Gesture& draft);
    // The copy that "Remove gesture" hands back: off, its gesture kept.
    static Binding removed(Binding binding);
    // A shortcut for every app, in a pack that names apps.
    static bool showsGlobe(const Binding& binding, const Pack& pack);
};

}  // namespace velorin
