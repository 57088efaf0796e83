// The settings window at its own size, every tab, on the simulated desktop
// with the application model on it: the General tab with and without the
// input permission, the About tab with a cheat sheet, the save notice.

#include "Scene.h"

#include "Config/ConfigStore.h"
#include "Support/Uuid.h"
#include "TouchInput/TouchSource.h"
#include "Velorin/AppModel.h"
#include "Velorin/Settings/SettingsContent.h"
#include "Velorin/Settings/SettingsView.h"

#include <QVBoxLayout>

#include <cstdlib>
#include <filesystem>

namespace velorin::screenshots {
namespace {

constexpr QSize settingsWindow(820 + 56, 580 + 56);

// A touchpad that is there and quiet.
class QuietTouchpad final : public TouchSource {
public:
    void start(TouchFrameHandler) override {}
    void stop() override {}
};

struct NoWindow : SettingsWindow {
    void addObserver(WindowNotice, std::function<void()>) override {}
    void activateApplication() override {}
    void makeKeyAndOrderFront() override {}
};

// The settings view with a model of its own, in a fresh configuration folder;
// the view goes before the model it observes.
class SettingsScene final : public QWidget {
public:
    SettingsScene(SceneContext& context, SettingsTab tab, const AppConfig& config) {
        folder_ = std::filesystem::temp_directory_path() / ("velorin-shots-" + Uuid::generate().lowercased());
        std::filesystem::create_directories(folder_ / "Velorin");
        ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
        ConfigStore(folder_ / "Velorin" / "config.json").save(config);
        context.sim.bundle().setInfo("CFBundleShortVersionString", PropertyValue(std::string("0.1.0")));
        AppModel::Parts parts;
        parts.makeSettingsWindow = [](AppModel&) { return std::make_unique<NoWindow>(); };
        parts.makeEngine = [](AppConfig loaded) {
            Engine::Parts engineParts;
            engineParts.touches = std::make_unique<QuietTouchpad>();
            return std::make_unique<Engine>(std::move(loaded), std::move(engineParts));
        };
        model_ = std::make_unique<AppModel>(std::move(parts));
        context.sim.runUntilIdle();
        model_->selectedTab.set(tab);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        view_ = new SettingsView(*model_, SettingsContent::standard(), this);
        layout->addWidget(view_);
        setFixedSize(820, 580);
    }
    ~SettingsScene() override {
        delete view_;
        model_.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }
    AppModel& model() { return *model_; }

private:
    std::filesystem::path folder_;
    std::unique_ptr<AppModel> model_;
    SettingsView* view_ = nullptr;
};

AppConfig everyday() {
    AppConfig config;
    config.enabledPacks = {"everyday-mac"};
    return config;
}

std::unique_ptr<QWidget> tabScene(SceneContext& context, SettingsTab tab, bool trusted = true) {
    context.sim.accessibility().setTrusted(trusted);
    context.sim.defaults().remove("windowSeeThrough");
    return std::make_unique<SettingsScene>(context, tab, everyday());
}

const SceneRegistrar packs(
    "settings-1-packs", [](SceneContext& c) { return tabScene(c, SettingsTab::packs); }, settingsWindow);
const SceneRegistrar shortcuts(
    "settings-2-shortcuts", [](SceneContext& c) { return tabScene(c, SettingsTab::shortcuts); }, settingsWindow);
const SceneRegistrar sensitivity(
    "settings-3-sensitivity", [](SceneContext& c) { return tabScene(c, SettingsTab::sensitivity); }, settingsWindow);
const SceneRegistrar trackpad(
    "settings-4-trackpad", [](SceneContext& c) { return tabScene(c, SettingsTab::trackpad); }, settingsWindow);
const SceneRegistrar general(
    "settings-5-general", [](SceneContext& c) { return tabScene(c, SettingsTab::general); }, settingsWindow);
const SceneRegistrar generalMissing(
    "settings-5-general-permission-missing",
    [](SceneContext& c) { return tabScene(c, SettingsTab::general, false); }, settingsWindow);
const SceneRegistrar about(
    "settings-6-about", [](SceneContext& c) { return tabScene(c, SettingsTab::about); }, settingsWindow);
const SceneRegistrar notice(
    "settings-save-notice",
    [](SceneContext& c) {
        auto scene = tabScene(c, SettingsTab::general);
        static_cast<SettingsScene*>(scene.get())->model().saveError.set(
            "Couldn't save settings: You don't have permission to save the file “config.json”.");
        return scene;
    },
    settingsWindow);

}  // namespace
}  // namespace velorin::screenshots
