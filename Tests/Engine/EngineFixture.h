#pragma once
// A simulated desktop with an engine on it: frames come in through a fake
// touchpad source on the frame clock, everything else is the real thing
// (click source on the simulated event system, recogniser, resolution,
// action runner).

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Config/AppConfig.h"
#include "Engine/Engine.h"
#include "Platform/Sim/SimPlatform.h"
#include "TouchInput/MultitouchError.h"
#include "TouchInput/TouchSource.h"

namespace velorin::test {

// Stands for the touchpad framework: one handler slot shared by every source,
// which it calls on whatever thread delivers a frame. It outlives the engine,
// as the framework does.
class FakeFramework {
public:
    void setHandler(TouchFrameHandler handler) {
        std::lock_guard guard(mutex_);
        handler_ = std::move(handler);
    }
    bool hasHandler() const {
        std::lock_guard guard(mutex_);
        return static_cast<bool>(handler_);
    }
    // Safe from any thread; the handler runs outside the slot's lock.
    void deliver(const TouchFrame& frame) {
        TouchFrameHandler handler;
        {
            std::lock_guard guard(mutex_);
            handler = handler_;
        }
        if (handler) handler(frame);
    }

    std::optional<MultitouchError> failure;  // the next starts throw this
    int starts = 0;
    int stops = 0;

private:
    mutable std::mutex mutex_;
    TouchFrameHandler handler_;
};

class FakeTouchSource final : public TouchSource {
public:
    explicit FakeTouchSource(std::shared_ptr<FakeFramework> framework) : framework_(std::move(framework)) {}
    void start(TouchFrameHandler handler) override {
        if (framework_->failure) throw *framework_->failure;
        ++framework_->starts;
        framework_->setHandler(std::move(handler));
    }
    void stop() override {
        ++framework_->stops;
        framework_->setHandler(nullptr);
    }

private:
    std::shared_ptr<FakeFramework> framework_;
};

// Touches of `fingers` fingers side by side around (x, y), all touching.
inline std::vector<Touch> fingersAt(int fingers, float x = 0.5f, float y = 0.5f,
                                    TouchState state = TouchState::touching) {
    std::vector<Touch> touches;
    for (int i = 0; i < fingers; ++i) {
        touches.push_back(Touch{i + 1, state, x + 0.04f * static_cast<float>(i), y, 0, 0, 1});
    }
    return touches;
}

inline Binding binding(Gesture gesture, Action action, std::vector<std::string> apps = {}) {
    return Binding{Uuid::generate(), gesture, std::move(action), true, std::move(apps), std::nullopt};
}

// A configuration with only the user's own shortcuts given, no packs.
inline AppConfig configWith(std::vector<Binding> bindings) {
    AppConfig config;
    config.bindings = std::move(bindings);
    return config;
}

inline const KeyCombo commandC{8, KeyCombo::Modifiers::command};
inline const Action copyAction = Action::keystroke(commandC);

class EngineFixture : public ::testing::Test {
protected:
    // Frame-clock time t happens at uptime t + frameClockOffset.
    static constexpr double frameClockOffset = 900.0;  // frame times start at 100

    void SetUp() override { sim.accessibility().setTrusted(true); }

    // Makes the engine (not started).
    Engine& makeEngine(AppConfig config = {}) {
        Engine::Parts parts;
        parts.touches = std::make_unique<FakeTouchSource>(framework);
        engine = std::make_unique<Engine>(std::move(config), std::move(parts));
        return *engine;
    }
    Engine& startEngine(AppConfig config = {}) {
        makeEngine(std::move(config)).start();
        return *engine;
    }

    // Moves virtual time to frame-clock time t (running what comes due on the
    // way), delivers one frame of `device` stamped t, and runs the main queue.
    void frameAt(double t, std::vector<Touch> touches, long device = 0) {
        advanceToFrameTime(t);
        framework->deliver(TouchFrame{device, t, std::move(touches)});
        sim.runUntilIdle();
    }
    // A contact of `fingers` fingers from `down` to `up`.
    void tapAt(double down, double up, int fingers, long device = 0, float x = 0.5f, float y = 0.5f) {
        frameAt(down, fingersAt(fingers, x, y), device);
        frameAt(up, {}, device);
    }
    void advanceToFrameTime(double t) { sim.mainQueue().advanceTo(t + frameClockOffset); }

    // A physical left click on the simulated event system.
    void click() {
        sim.eventSystem().sendEvent(event_type::leftMouseDown);
        sim.runUntilIdle();
    }

    // The virtual keys of the key-down events posted so far.
    std::vector<std::uint16_t> keysDown() const {
        std::vector<std::uint16_t> keys;
        for (const auto& e : sim.eventSystem().postedKeyboardEvents()) {
            if (e.keyDown) keys.push_back(e.virtualKey);
        }
        return keys;
    }

    sim::SimPlatform sim;
    std::shared_ptr<FakeFramework> framework = std::make_shared<FakeFramework>();
    std::unique_ptr<Engine> engine;
};

}  // namespace velorin::test
