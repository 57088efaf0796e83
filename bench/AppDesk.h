#pragma once
// What the application's benches share: one offscreen QApplication, and the
// simulated desktop with a configuration folder of its own and the real
// application model on it (its touchpad silent, no settings window of its own).

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "Config/ConfigStore.h"
#include "Platform/Sim/SimPlatform.h"
#include "QuietParts.h"
#include "Support/Uuid.h"
#include "TouchInput/TouchSource.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/Animation.h"

// After the model's headers: Qt defines "slots" as a keyword.
#include <QApplication>

namespace velorin::bench {

inline QApplication& app() {
    static int argc = 1;
    static char name[] = "VelorinBench";
    static char* argv[] = {name, nullptr};
    static QApplication* made = [] {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        return new QApplication(argc, argv);
    }();
    return *made;
}

// Animations end at once, so a measurement is the work, not a timer's wait.
struct AppDesk {
    explicit AppDesk(const AppConfig& config) {
        app();
        Motion::setInstant(true);
        folder = std::filesystem::temp_directory_path() / ("velorin-bench-" + Uuid::generate().lowercased());
        std::filesystem::create_directories(folder / "Velorin");
        ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
        ConfigStore(folder / "Velorin" / "config.json").save(config);
        sim.accessibility().setTrusted(true);
        AppModel::Parts parts;
        parts.makeSettingsWindow = [](AppModel&) { return std::make_unique<testing::NoWindow>(); };
        parts.makeEngine = [](AppConfig loaded) {
            Engine::Parts engineParts;
            engineParts.touches = std::make_unique<testing::QuietTouchpad>();
            return std::make_unique<Engine>(std::move(loaded), std::move(engineParts));
        };
        model = std::make_unique<AppModel>(std::move(parts));
        sim.runUntilIdle();
    }
    ~AppDesk() {
        model.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    sim::SimPlatform sim;
    std::filesystem::path folder;
    std::unique_ptr<AppModel> model;
};

}  // namespace velorin::bench
