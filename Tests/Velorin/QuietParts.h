#pragma once
// Parts of the application model for programs that show its views without a
// desk around them (the gallery, the benchmarks): a touchpad that never
// speaks and a settings window that is never there.

#include <functional>

#include "TouchInput/TouchSource.h"
#include "Velorin/SettingsWindow.h"

namespace velorin::testing {

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

}  // namespace velorin::testing
