#pragma once
// A simulated desktop with the application model on it: a temporary
// configuration folder, a fake touchpad source that the test feeds frames
// through, and fake windows that record what the model asks of them.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Config/AppConfig.h"
#include "Config/Binding.h"
#include "Engine/Engine.h"
#include "FakePanel.h"
#include "Platform/Sim/SimPlatform.h"
#include "Support/Uuid.h"
#include "TouchInput/MultitouchError.h"
#include "TouchInput/TouchSource.h"
#include "Velorin/AppModel.h"

namespace velorin::testing {

// Stands for the touchpad framework; it outlives the engine, as the framework does.
struct FakeTouchpad {
    std::optional<MultitouchError> failure;  // starting throws this
    TouchFrameHandler handler;

    void deliver(const TouchFrame& frame) {
        if (handler) handler(frame);
    }
};

class FakeTouchSource final : public TouchSource {
public:
    explicit FakeTouchSource(std::shared_ptr<FakeTouchpad> pad) : pad_(std::move(pad)) {}
    void start(TouchFrameHandler handler) override {
        if (pad_->failure) throw *pad_->failure;
        pad_->handler = std::move(handler);
    }
    void stop() override { pad_->handler = nullptr; }

private:
    std::shared_ptr<FakeTouchpad> pad_;
};

struct FakeWindow : SettingsWindow {
    void addObserver(WindowNotice notice, std::function<void()> observer) override {
        observers[notice].push_back(std::move(observer));
    }
    void activateApplication() override { ++activations; }
    void makeKeyAndOrderFront() override { ++shown; }
    void send(WindowNotice notice) {
        for (auto& observer : observers[notice]) observer();
    }

    std::map<WindowNotice, std::vector<std::function<void()>>> observers;
    int activations = 0;
    int shown = 0;
};

inline Binding binding(Gesture gesture, Action action) {
    return Binding{Uuid::generate(), gesture, std::move(action), true, {}, std::nullopt};
}

// Touches of `fingers` fingers side by side, all touching.
inline std::vector<Touch> fingersDown(int fingers) {
    std::vector<Touch> touches;
    for (int i = 0; i < fingers; ++i) {
        touches.push_back(Touch{i + 1, TouchState::touching, 0.4f + 0.05f * float(i), 0.5f, 0, 0, 1});
    }
    return touches;
}

class AppModelFixture : public ::testing::Test {
protected:
    AppModelFixture() {
        folder = std::filesystem::temp_directory_path() / ("velorin-shell-" + Uuid::generate().lowercased());
        std::filesystem::create_directories(folder);
        setConfigFolder(folder);
        sim.accessibility().setTrusted(true);
    }
    ~AppModelFixture() override {
        model.reset();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    // Where the configuration store's standard location points.
    static void setConfigFolder(const std::filesystem::path& path) { ::setenv("XDG_CONFIG_HOME", path.c_str(), 1); }
    std::filesystem::path configFile() const { return folder / "Velorin" / "config.json"; }

    void writeConfig(const AppConfig& config) { ConfigStore(configFile()).save(config); }

    AppModel::Parts parts() {
        AppModel::Parts parts;
        parts.makeSettingsWindow = [this](AppModel&) {
            ++windowsMade;
            auto made = std::make_unique<FakeWindow>();
            window = made.get();
            return made;
        };
        parts.makeOverlayPanel = [this](TapBadgeState&) {
            auto made = std::make_unique<FakePanel>();
            panel = made.get();
            return made;
        };
        parts.updateFramework = updateFramework;
        parts.makeEngine = [this](AppConfig config) {
            Engine::Parts engineParts;
            engineParts.touches = std::make_unique<FakeTouchSource>(touchpad);
            return std::make_unique<Engine>(std::move(config), std::move(engineParts));
        };
        return parts;
    }

    AppModel& makeModel() {
        model = std::make_unique<AppModel>(parts());
        return *model;
    }

    // One tap of `fingers` fingers at frame time t, lifting 0.1 seconds later;
    // the main queue does not run.
    void tapFrames(double t, int fingers) {
        touchpad->deliver(TouchFrame{0, t, fingersDown(fingers)});
        touchpad->deliver(TouchFrame{0, t + 0.1, {}});
    }

    sim::SimPlatform sim;
    std::filesystem::path folder;
    std::shared_ptr<FakeTouchpad> touchpad = std::make_shared<FakeTouchpad>();
    Updates::Framework updateFramework;
    int windowsMade = 0;
    FakeWindow* window = nullptr;
    FakePanel* panel = nullptr;
    std::unique_ptr<AppModel> model;
};

}  // namespace velorin::testing
