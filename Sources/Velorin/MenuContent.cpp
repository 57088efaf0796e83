#include "Velorin/MenuContent.h"

#include "Platform/Defaults.h"
#include "Platform/Platform.h"
#include "Velorin/AppModel.h"
#include "Velorin/DisplayNames.h"

namespace velorin {

std::string MenuContent::lastLine(const Engine::Fired& fired) {
    std::string line = "Last: " + displayName(fired.gesture) + " \u2192 ";
    line += fired.action ? displayName(*fired.action) : std::string("\u2013");
    if (fired.error) line += " (failed)";
    return line;
}

std::vector<MenuRow> MenuContent::rows(const MenuState& state) {
    using Kind = MenuRow::Kind;
    std::vector<MenuRow> rows;
    rows.push_back({Kind::toggle, "Velorin Enabled", state.isEnabled, 'E', MenuEffect::toggleEnabled});
    if (!state.accessibilityTrusted) {
        rows.push_back(
            {Kind::button, "\u26A0\uFE0F Grant Accessibility\u2026", false, 0, MenuEffect::grantAccessibility});
    }
    if (state.startError) {
        rows.push_back({Kind::text, "Trackpad unavailable: " + *state.startError, false, 0, MenuEffect::none});
    }
    if (state.lastFired) {
        rows.push_back({Kind::text, lastLine(*state.lastFired), false, 0, MenuEffect::none});
        if (state.lastFired->source) {
            rows.push_back({Kind::text, "   from " + *state.lastFired->source, false, 0, MenuEffect::none});
        }
    }
    rows.push_back({Kind::toggle, "Show Taps on Screen", state.showTaps, 0, MenuEffect::toggleShowTaps});
    rows.push_back({Kind::separator, "", false, 0, MenuEffect::none});
    rows.push_back({Kind::button, "Shortcut Packs\u2026", false, 0, MenuEffect::showPacks});
    rows.push_back({Kind::button, "Settings\u2026", false, ',', MenuEffect::showSettings});
    if (state.canCheckForUpdates) {
        rows.push_back({Kind::button, "Check for Updates\u2026", false, 0, MenuEffect::checkForUpdates});
    }
    rows.push_back({Kind::button, "Quit Velorin", false, 'Q', MenuEffect::quit});
    return rows;
}

MenuState MenuContent::state(AppModel& model) {
    auto& engine = model.engine();
    MenuState state;
    state.isEnabled = model.config().isEnabled;
    state.accessibilityTrusted = engine.accessibilityTrusted().get();
    state.startError = engine.startError().get();
    state.lastFired = engine.lastFired().get();
    state.showTaps = platform::current().defaults().boolForKey(showTapsKey);
    state.canCheckForUpdates = model.updates().controller() != nullptr;
    return state;
}

void MenuContent::perform(MenuEffect effect, AppModel& model) {
    switch (effect) {
        case MenuEffect::none:
        case MenuEffect::quit:
            return;
        case MenuEffect::toggleEnabled: {
            auto config = model.config();
            config.isEnabled = !config.isEnabled;
            model.setConfig(std::move(config));
            return;
        }
        case MenuEffect::grantAccessibility:
            model.showSettings(SettingsTab::general);
            return;
        case MenuEffect::toggleShowTaps: {
            auto& defaults = platform::current().defaults();
            defaults.set(showTapsKey, PropertyValue(!defaults.boolForKey(showTapsKey)));
            return;
        }
        case MenuEffect::showPacks:
            model.showSettings(SettingsTab::packs);
            return;
        case MenuEffect::showSettings:
            model.showSettings(std::nullopt);
            return;
        case MenuEffect::checkForUpdates:
            if (auto* controller = model.updates().controller()) controller->checkForUpdates();
            return;
    }
}

}  // namespace velorin
