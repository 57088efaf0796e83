#pragma once
// The settings view at the window's size with an application model of its
// own, on the gallery's simulated desktop, in a fresh configuration folder
// holding `config`. Its touchpad is there and quiet until a scene feeds it.

#include "Scene.h"

#include "Config/AppConfig.h"
#include "TouchInput/TouchSource.h"
#include "Velorin/AppModel.h"
#include "Velorin/SettingsTab.h"

#include <QWidget>

#include <filesystem>
#include <memory>

namespace velorin {
class SettingsView;
}

namespace velorin::screenshots {

inline constexpr QSize settingsWindow(820 + 56, 580 + 56);

// Frames the scene hands the engine, as the touchpad would.
struct SceneTouchpad {
    TouchFrameHandler handler;
    void deliver(const TouchFrame& frame) {
        if (handler) handler(frame);
    }
};

class SettingsScene final : public QWidget {
public:
    SettingsScene(SceneContext& context, SettingsTab tab, const AppConfig& config);
    ~SettingsScene() override;

    AppModel& model() { return *model_; }
    SettingsView& view() { return *view_; }
    SceneTouchpad& touchpad() { return *touchpad_; }

private:
    std::filesystem::path folder_;
    std::shared_ptr<SceneTouchpad> touchpad_ = std::make_shared<SceneTouchpad>();
    std::unique_ptr<AppModel> model_;
    SettingsView* view_ = nullptr;
};

}  // namespace velorin::screenshots
