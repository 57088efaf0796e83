// The live pad with fingers on it, the trackpad tab with touches and the card
// of a fired gesture, and the sensitivity tab with a setting in focus.

#include "SettingsScene.h"

#include "Support/Uuid.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/LiquidSlider.h"
#include "Velorin/Design/PadStage.h"
#include "Velorin/Settings/SensitivityTab.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/Settings/TrackpadTab.h"

#include <functional>
#include <memory>

namespace velorin::screenshots {
namespace {

Touch finger(int id, float x, float y) {
    Touch t;
    t.id = id;
    t.state = TouchState::touching;
    t.x = x;
    t.y = y;
    return t;
}

std::vector<Touch> threeFingers() { return {finger(1, 0.35f, 0.55f), finger(2, 0.5f, 0.62f), finger(3, 0.65f, 0.56f)}; }

// A pad on a clock of its own, so the scene steps its water frame by frame.
std::unique_ptr<QWidget> padScene(SceneContext& context, std::vector<Touch> touches) {
    auto time = std::make_shared<double>(1000);
    auto holder = std::make_unique<QWidget>();
    holder->setFixedSize(560 + 80, 350 + 80);
    auto* pad = new PadStage(holder.get(), [time] { return *time; });
    pad->setGeometry(40, 30, 560, 350);
    pad->setCornerSize(0.15);
    WaterInput input;
    input.dark = context.isDark();
    input.blobs = {FloorBlob{"a", 0.2f, 0.3f, 0.3f, {0.98f, 0.45f, 0.2f}, false},
                   FloorBlob{"b", 0.75f, 0.7f, 0.3f, {0.25f, 0.55f, 0.98f}, false}};
    pad->update(input);
    context.afterShow([pad, time, input, touches] {
        for (int i = 0; i < 20; ++i) {
            *time += 1.0 / 15;
            pad->drawFrame();
        }
        WaterInput touched = input;
        touched.touches = touches;
        pad->update(touched);
        for (int i = 0; i < 20; ++i) {
            *time += 1.0 / 60;
            pad->drawFrame();
        }
    });
    return holder;
}

const SceneRegistrar padIdle("pad-stage-idle", [](SceneContext& c) { return padScene(c, {}); });
const SceneRegistrar padTouched("pad-stage-three-fingers", [](SceneContext& c) { return padScene(c, threeFingers()); });

// The settings window on `tab`, shown, so that the engine publishes live touches.
std::unique_ptr<SettingsScene> shownScene(SceneContext& context, SettingsTab tab, const AppConfig& config) {
    context.sim.accessibility().setTrusted(true);
    context.sim.defaults().remove("windowSeeThrough");
    auto scene = std::make_unique<SettingsScene>(context, tab, config);
    scene->model().showSettings(tab);
    return scene;
}

template <typename Tab>
Tab* shownTab(SettingsScene& scene) {
    return qobject_cast<Tab*>(scene.view().tabView());
}

// One touchpad frame at frame time `t`, handled as the app would.
void frame(SceneContext& context, SettingsScene& scene, double t, std::vector<Touch> touches) {
    scene.touchpad().deliver(TouchFrame{0, t, std::move(touches)});
    context.sim.runUntilIdle();
}

AppConfig withShortcuts() {
    AppConfig config;
    config.enabledPacks = {"everyday-mac"};
    config.bindings = {
        Binding{Uuid::generate(), Gesture::tap(3, 1), Action::media(MediaKey::playPause), true, {}, std::nullopt}};
    return config;
}

// The pad's water stepped on the simulated clock, frame by frame.
void stepWater(SceneContext& context, PadStage* pad, int frames, double interval) {
    for (int i = 0; i < frames; ++i) {
        context.sim.advance(interval);
        pad->drawFrame();
    }
}

const SceneRegistrar trackpadTouches(
    "sensitivity-trackpad-touches",
    [](SceneContext& c) {
        auto scene = shownScene(c, SettingsTab::trackpad, withShortcuts());
        SettingsScene* s = scene.get();
        c.afterShow([&c, s] {
            auto* tab = shownTab<TrackpadTab>(*s);
            if (!tab) return;
            stepWater(c, tab->pad(), 20, 1.0 / 15);
            // A three-finger tap fires its shortcut; then three fingers rest on the pad.
            frame(c, *s, 10.0, threeFingers());
            frame(c, *s, 10.1, {});
            stepWater(c, tab->pad(), 6, 1.0 / 60);
            frame(c, *s, 11.0, threeFingers());
            stepWater(c, tab->pad(), 20, 1.0 / 60);
            c.sim.advance(2);  // the card has grown in
        });
        return std::unique_ptr<QWidget>(std::move(scene));
    },
    settingsWindow);

// The sensitivity tab with "Allowed movement" dragged up to 5%, then `more`.
std::unique_ptr<QWidget> travelInFocus(SceneContext& c, std::function<void(SensitivityTab&)> more = {}) {
    auto scene = shownScene(c, SettingsTab::sensitivity, withShortcuts());
    SettingsScene* s = scene.get();
    c.afterShow([&c, s, more = std::move(more)] {
        auto* tab = shownTab<SensitivityTab>(*s);
        if (!tab) return;
        tab->slider(3)->nudge(LiquidSliderRules::scrollSpan * 2 / 7);
        c.sim.runUntilIdle();
        c.sim.advance(2);
        if (more) more(*tab);
    });
    return std::unique_ptr<QWidget>(std::move(scene));
}

const SceneRegistrar sensitivityFocus(
    "sensitivity-travel-in-focus", [](SceneContext& c) { return travelInFocus(c); }, settingsWindow);

// Midway as the focus moves from "Allowed movement" to "Corner size": the
// two value texts and the preview's ring and zones part way between looks.
const SceneRegistrar sensitivityFocusMidway(
    "sensitivity-focus-midway",
    [](SceneContext& c) {
        return travelInFocus(c, [](SensitivityTab& tab) {
            static ManualFrameClock clock;
            Motion::setInstant(false);
            FrameClock::install(&clock);
            tab.slider(4)->nudge(-LiquidSliderRules::scrollSpan / 5);
            clock.advance(0.06);
            FrameClock::install(nullptr);
            Motion::setInstant(true);
        });
    },
    settingsWindow);

}  // namespace
}  // namespace velorin::screenshots
