// The gesture studio in each of its states and midway through its changes,
// the My shortcuts list (with rows, with a conflict, without the permission)
// and the shortcut editor sheet, in the settings window on the simulated
// desktop.

#include "SettingsScene.h"

#include "Support/Uuid.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Editor/GestureStudio.h"
#include "Velorin/Editor/GestureStudioSession.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/Settings/ShortcutsTab.h"

namespace velorin::screenshots {
namespace {

Binding own(Gesture gesture, Action action, std::vector<std::string> apps = {}, bool enabled = true) {
    return Binding{Uuid::generate(), gesture, std::move(action), enabled, std::move(apps), std::nullopt};
}

AppConfig withShortcuts() {
    AppConfig config;
    config.enabledPacks = {"everyday-mac"};
    config.bindings = {
        own(Gesture::tap(3, 1), Action::media(MediaKey::playPause)),
        own(Gesture::tap(2, 2), Action::keystroke(KeyCombo(17, KeyCombo::Modifiers::command))),
        own(Gesture::hold(4), Action::window(WindowCommand::maximize), {"com.apple.Safari", "com.google.Chrome"},
            false),
        own(Gesture::cornerTap(Gesture::Corner::topRight), Action::system(SystemCommand::lockScreen)),
        own(Gesture::tap(4, 1), Action::openApp("com.apple.Terminal"), {"com.google.Chrome", "com.apple.Safari"}),
    };
    return config;
}

AppConfig withConflict() {
    AppConfig config = withShortcuts();
    config.bindings.push_back(own(Gesture::tap(3, 1), Action::media(MediaKey::mute)));
    return config;
}

std::unique_ptr<SettingsScene> scene(SceneContext& context, SettingsTab tab, const AppConfig& config,
                                     bool trusted = true) {
    context.sim.accessibility().setTrusted(trusted);
    context.sim.defaults().remove("windowSeeThrough");
    return std::make_unique<SettingsScene>(context, tab, config);
}

const SceneRegistrar rows(
    "shortcuts-rows", [](SceneContext& c) { return scene(c, SettingsTab::shortcuts, withShortcuts()); },
    settingsWindow);
const SceneRegistrar conflict(
    "shortcuts-conflict", [](SceneContext& c) { return scene(c, SettingsTab::shortcuts, withConflict()); },
    settingsWindow);
const SceneRegistrar emptyMissing(
    "shortcuts-empty-permission-missing",
    [](SceneContext& c) { return scene(c, SettingsTab::shortcuts, AppConfig(), false); }, settingsWindow);
const SceneRegistrar editor(
    "shortcuts-editor",
    [](SceneContext& c) {
        auto made = scene(c, SettingsTab::shortcuts, withConflict());
        SettingsScene* s = made.get();
        c.afterShow([s] {
            if (auto* tab = qobject_cast<ShortcutsTab*>(s->view().tabView())) {
                tab->edit(s->model().config().bindings.back().id);
            }
        });
        return made;
    },
    settingsWindow);

// The studio open over the window; `steps` run once it listens.
std::unique_ptr<QWidget> studioScene(SceneContext& context, const AppConfig& config,
                                     std::function<void(SceneContext&, SettingsScene&, GestureStudioSession&)> steps) {
    auto made = scene(context, SettingsTab::shortcuts, config);
    made->model().studioOpen.set(true);
    SettingsScene* s = made.get();
    SceneContext* ctx = &context;
    context.afterShow([ctx, s, steps] {
        auto* studio = qobject_cast<GestureStudio*>(s->view().studio());
        if (studio && steps) steps(*ctx, *s, studio->session());
    });
    return made;
}

// A tap of `fingers` on the pad, and time for the engine to hand it over.
void tap(SceneContext& context, SettingsScene& s, int fingers) {
    std::vector<Touch> touches;
    for (int i = 0; i < fingers; ++i) {
        touches.push_back(Touch{i + 1, TouchState::touching, 0.4f + 0.05f * float(i), 0.5f, 0, 0, 1});
    }
    s.touchpad().deliver(TouchFrame{0, 100, touches});
    s.touchpad().deliver(TouchFrame{0, 100.125, {}});
    context.sim.advance(1);
}

const SceneRegistrar listening(
    "studio-1-listening", [](SceneContext& c) { return studioScene(c, withShortcuts(), {}); }, settingsWindow);
const SceneRegistrar caught(
    "studio-2-caught",
    [](SceneContext& c) {
        return studioScene(c, AppConfig(),
                           [](SceneContext& ctx, SettingsScene& s, GestureStudioSession&) { tap(ctx, s, 2); });
    },
    settingsWindow);
const SceneRegistrar clash(
    "studio-3-clash",
    [](SceneContext& c) {
        return studioScene(c, withShortcuts(),
                           [](SceneContext& ctx, SettingsScene& s, GestureStudioSession&) { tap(ctx, s, 3); });
    },
    settingsWindow);
const SceneRegistrar choosingAction(
    "studio-4-action-popover",
    [](SceneContext& c) {
        return studioScene(c, AppConfig(), [](SceneContext& ctx, SettingsScene& s, GestureStudioSession& session) {
            tap(ctx, s, 2);
            session.setChoosingAction(true);
        });
    },
    settingsWindow);
const SceneRegistrar choosingTarget(
    "studio-5-target-popover",
    [](SceneContext& c) {
        AppConfig config;
        config.enabledPacks = {"everyday-mac"};
        return studioScene(c, config, [](SceneContext& ctx, SettingsScene& s, GestureStudioSession& session) {
            tap(ctx, s, 2);
            session.setChoosingTarget(true);
        });
    },
    settingsWindow);
const SceneRegistrar saved(
    "studio-6-saved",
    [](SceneContext& c) {
        return studioScene(c, AppConfig(), [](SceneContext& ctx, SettingsScene& s, GestureStudioSession& session) {
            tap(ctx, s, 2);
            session.chooseTarget(std::string("everyday-mac"));
            session.save();
        });
    },
    settingsWindow);

// `steps` run with motion on a frame clock of their own, which then stands
// `seconds` later, so what moves is caught midway.
void midway(double seconds, const std::function<void()>& steps) {
    static ManualFrameClock clock;
    Motion::setInstant(false);
    FrameClock::install(&clock);
    steps();
    clock.advance(seconds);
    FrameClock::install(nullptr);
    Motion::setInstant(true);
}

// A tenth of a second after the catch: the name grows on the pad, the line
// comes up from below, the listening mark and the hint fade out.
const SceneRegistrar caughtMidway(
    "studio-7-caught-midway",
    [](SceneContext& c) {
        return studioScene(c, AppConfig(), [](SceneContext& ctx, SettingsScene& s, GestureStudioSession&) {
            midway(0.1, [&] { tap(ctx, s, 2); });
        });
    },
    settingsWindow);
// A tenth of a second after Save: the card grows in, its check bounces.
const SceneRegistrar savedMidway(
    "studio-8-saved-midway",
    [](SceneContext& c) {
        return studioScene(c, AppConfig(), [](SceneContext& ctx, SettingsScene& s, GestureStudioSession& session) {
            tap(ctx, s, 2);
            midway(0.1, [&] { session.save(); });
        });
    },
    settingsWindow);
// Save swelling a moment after a target is chosen, and the target chip's new
// title coming up from below.
const SceneRegistrar swellMidway(
    "studio-9-swell-midway",
    [](SceneContext& c) {
        AppConfig config;
        config.enabledPacks = {"everyday-mac"};
        return studioScene(c, config, [](SceneContext& ctx, SettingsScene& s, GestureStudioSession& session) {
            tap(ctx, s, 2);
            midway(0.06, [&] { session.chooseTarget(std::string("everyday-mac")); });
        });
    },
    settingsWindow);

// Closing after Save: the studio fades out over the tab, its shadows with it.
const SceneRegistrar closingMidway(
    "studio-10-closing-midway",
    [](SceneContext& c) {
        return studioScene(c, AppConfig(), [](SceneContext& ctx, SettingsScene& s, GestureStudioSession& session) {
            tap(ctx, s, 2);
            midway(0.12, [&] {
                session.save();
                ctx.sim.advance(1);
            });
        });
    },
    settingsWindow);

}  // namespace
}  // namespace velorin::screenshots
