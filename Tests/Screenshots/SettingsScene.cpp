#include "SettingsScene.h"
#include "QuietParts.h"

#include "Config/ConfigStore.h"
#include "Support/Uuid.h"
#include "Velorin/Settings/SettingsContent.h"
#include "Velorin/Settings/SettingsView.h"

#include <QVBoxLayout>

#include <cstdlib>

namespace velorin::screenshots {
namespace {

class SceneTouchSource final : public TouchSource {
public:
    explicit SceneTouchSource(std::shared_ptr<SceneTouchpad> pad) : pad_(std::move(pad)) {}
    void start(TouchFrameHandler handler) override { pad_->handler = std::move(handler); }
    void stop() override { pad_->handler = nullptr; }

private:
    std::shared_ptr<SceneTouchpad> pad_;
};

}  // namespace

SettingsScene::SettingsScene(SceneContext& context, SettingsTab tab, const AppConfig& config) {
    folder_ = std::filesystem::temp_directory_path() / ("velorin-shots-" + Uuid::generate().lowercased());
    std::filesystem::create_directories(folder_ / "Velorin");
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
    ConfigStore(folder_ / "Velorin" / "config.json").save(config);
    context.sim.bundle().setInfo("CFBundleShortVersionString", PropertyValue(std::string("0.1.0")));
    AppModel::Parts parts;
    parts.makeSettingsWindow = [](AppModel&) { return std::make_unique<testing::NoWindow>(); };
    parts.makeEngine = [pad = touchpad_](AppConfig loaded) {
        Engine::Parts engineParts;
        engineParts.touches = std::make_unique<SceneTouchSource>(pad);
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

// The view goes before the model it observes.
SettingsScene::~SettingsScene() {
    delete view_;
    model_.reset();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}

}  // namespace velorin::screenshots
