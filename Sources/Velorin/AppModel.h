#pragma once
// The one application model every view holds. Creating it starts the system:
// it loads the configuration, makes and starts the engine, decides on
// updates, shows fired gestures in the tap overlay and, without the
// Accessibility permission, opens the settings window. Afterwards it is the
// only write path of the configuration (every change goes to the engine and
// to the file) and owns the settings window and the state its tabs share.
// Main thread only.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Config/AppConfig.h"
#include "Config/ConfigStore.h"
#include "Engine/Engine.h"
#include "Support/Observable.h"
#include "Velorin/SettingsTab.h"
#include "Velorin/SettingsWindow.h"
#include "Velorin/TapOverlay.h"
#include "Velorin/Updates.h"

namespace velorin {

class AppModel {
public:
    // What the application supplies: the Qt windows, and the update framework
    // where the platform has one. Tests supply fakes.
    struct Parts {
        std::function<std::unique_ptr<SettingsWindow>(AppModel& model)> makeSettingsWindow;
        TapOverlay::PanelFactory makeOverlayPanel;
        Updates::Framework updateFramework;
        // Makes the engine with the loaded configuration; absent: the real one.
        std::function<std::unique_ptr<Engine>(AppConfig config)> makeEngine;
    };

    explicit AppModel(Parts parts);
    ~AppModel();
    AppModel(const AppModel&) = delete;
    AppModel& operator=(const AppModel&) = delete;

    Engine& engine() { return *engine_; }
    const ConfigStore& store() const { return store_; }

    // The engine's live configuration.
    const AppConfig& config() const;
    // Hands the value to the engine and saves it; a failed save sets
    // `saveError` ("Couldn't save settings: …"), a successful one clears it.
    void setConfig(AppConfig config);

    // The last failed save or launch-at-login change, cleared by the next
    // successful one of either.
    Observable<std::optional<std::string>> saveError{std::nullopt};
    Observable<SettingsTab> selectedTab{SettingsTab::packs};
    Observable<bool> studioOpen{false};

    // Read fresh from the login-item service every time.
    bool launchAtLogin() const;
    void setLaunchAtLogin(bool on);

    // Shows the settings window, building it on first use, on `tab` (absent:
    // the tab it showed last), and switches live touches on.
    void showSettings(std::optional<SettingsTab> tab);
    // Absent until the first showSettings; then kept for the whole process.
    SettingsWindow* settingsWindow() const { return settingsWindow_.get(); }

    Updates& updates() { return *updates_; }
    TapOverlay& overlay() { return overlay_; }

private:
    void followFiredGestures();
    void observeVisibility(SettingsWindow& window);

    Parts parts_;
    ConfigStore store_;
    std::unique_ptr<Engine> engine_;
    std::unique_ptr<SettingsWindow> settingsWindow_;
    std::unique_ptr<Updates> updates_;
    TapOverlay overlay_;
    // Blocks posted to the main queue hold this weakly and do nothing once
    // the model is gone.
    std::shared_ptr<AppModel*> alive_;
    Observation firedObservation_;
    bool followPending_ = false;
};

}  // namespace velorin
