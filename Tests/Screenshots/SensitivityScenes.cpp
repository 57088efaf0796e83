// The live pad with fingers on it, the trackpad tab with touches and the card
// of a fired gesture, and the sensitivity tab with a setting in focus.

#include "Scene.h"

#include "Config/ConfigStore.h"
#include "Support/Uuid.h"
#include "TouchInput/TouchSource.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/LiquidSlider.h"
#include "Velorin/Design/PadStage.h"
#include "Velorin/Settings/SensitivityTab.h"
#include "Velorin/Settings/SettingsContent.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/Settings/TrackpadTab.h"

#include <QVBoxLayout>

#include <cstdlib>
#include <filesystem>
#include <memory>

namespace velorin::screenshots {
namespace {

constexpr QSize settingsWindow(820 + 56, 580 + 56);

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

// A touchpad the scene puts fingers on.
struct Touchpad {
    TouchFrameHandler handler;
};

class SceneTouchSource final : public TouchSource {
public:
    explicit SceneTouchSource(std::shared_ptr<Touchpad> pad) : pad_(std::move(pad)) {}
    void start(TouchFrameHandler handler) override { pad_->handler = std::move(handler); }
    void stop() override { pad_->handler = nullptr; }

private:
    std::shared_ptr<Touchpad> pad_;
};

struct NoWindow : SettingsWindow {
    void addObserver(WindowNotice, std::function<void()>) override {}
    void activateApplication() override {}
    void makeKeyAndOrderFront() override {}
};

// The settings window on one tab with a model of its own, in a fresh
// configuration folder, shown (so the engine publishes live touches).
class TabScene final : public QWidget {
public:
    TabScene(SceneContext& context, SettingsTab tab, const AppConfig& config) : sim_(context.sim) {
        folder_ = std::filesystem::temp_directory_path() / ("velorin-shots-" + Uuid::generate().lowercased());
        std::filesystem::create_directories(folder_ / "Velorin");
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
        ConfigStore(folder_ / "Velorin" / "config.json").save(config);
        context.sim.accessibility().setTrusted(true);
        context.sim.defaults().remove("windowSeeThrough");
        AppModel::Parts parts;
        parts.makeSettingsWindow = [](AppModel&) { return std::make_unique<NoWindow>(); };
        parts.makeEngine = [pad = touchpad_](AppConfig loaded) {
            Engine::Parts engineParts;
            engineParts.touches = std::make_unique<SceneTouchSource>(pad);
            return std::make_unique<Engine>(std::move(loaded), std::move(engineParts));
        };
        model_ = std::make_unique<AppModel>(std::move(parts));
        context.sim.runUntilIdle();
        model_->showSettings(tab);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        view_ = new SettingsView(*model_, SettingsContent::standard(), this);
        layout->addWidget(view_);
        setFixedSize(820, 580);
    }
    ~TabScene() override {
        delete view_;
        model_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // One frame of the touchpad at frame time `t`, handled as the app would.
    void frame(double t, std::vector<Touch> touches) {
        if (touchpad_->handler) touchpad_->handler(TouchFrame{0, t, std::move(touches)});
        sim_.runUntilIdle();
    }
    template <typename Tab>
    Tab* tab() const {
        return qobject_cast<Tab*>(view_->tabView());
    }
    AppModel& model() { return *model_; }
    sim::SimPlatform& sim() { return sim_; }

private:
    sim::SimPlatform& sim_;
    std::filesystem::path folder_;
    std::shared_ptr<Touchpad> touchpad_ = std::make_shared<Touchpad>();
    std::unique_ptr<AppModel> model_;
    SettingsView* view_ = nullptr;
};

AppConfig withShortcuts() {
    AppConfig config;
    config.enabledPacks = {"everyday-mac"};
    config.bindings = {Binding{Uuid::generate(), Gesture::tap(3, 1), Action::media(MediaKey::playPause), true, {},
                               std::nullopt}};
    return config;
}

// The pad's water stepped on the simulated clock, frame by frame.
void stepWater(TabScene& scene, PadStage* pad, int frames, double interval) {
    for (int i = 0; i < frames; ++i) {
        scene.sim().advance(interval);
        pad->drawFrame();
    }
}

const SceneRegistrar trackpadTouches(
    "sensitivity-trackpad-touches",
    [](SceneContext& c) {
        auto scene = std::make_unique<TabScene>(c, SettingsTab::trackpad, withShortcuts());
        TabScene* s = scene.get();
        c.afterShow([s] {
            auto* tab = s->tab<TrackpadTab>();
            if (!tab) return;
            stepWater(*s, tab->pad(), 20, 1.0 / 15);
            // A three-finger tap fires its shortcut; then three fingers rest on the pad.
            s->frame(10.0, threeFingers());
            s->frame(10.1, {});
            stepWater(*s, tab->pad(), 6, 1.0 / 60);
            s->frame(11.0, threeFingers());
            stepWater(*s, tab->pad(), 20, 1.0 / 60);
            s->sim().advance(2);  // the card has grown in
        });
        return scene;
    },
    settingsWindow);

const SceneRegistrar sensitivityFocus(
    "sensitivity-travel-in-focus",
    [](SceneContext& c) {
        auto scene = std::make_unique<TabScene>(c, SettingsTab::sensitivity, withShortcuts());
        TabScene* s = scene.get();
        c.afterShow([s] {
            auto* tab = s->tab<SensitivityTab>();
            if (!tab) return;
            // "Allowed movement" dragged up to 5%.
            tab->slider(3)->nudge(LiquidSliderRules::scrollSpan * 2 / 7);
            s->sim().runUntilIdle();
            s->sim().advance(2);
        });
        return scene;
    },
    settingsWindow);

}  // namespace
}  // namespace velorin::screenshots
