#pragma once
// Feeds a live pad from the engine: its water gets the live touches, the date
// of the last fired gesture and the floor spots of the switched-on packs at
// full opacity, in the appearance the pad is drawn in; its corner zones get
// the configuration's corner size. It re-feeds the pad on every change of
// these and of the display settings, for as long as it lives. The views that
// show a live pad (the trackpad tab, the empty shortcut list, the gesture
// studio) each hold one beside their pad.
//
// The engine publishes live touches only while the settings window is shown
// (the model switches that), so a pad in a closed or minimised window shows
// no fingers.

#include "Config/AppConfig.h"
#include "Engine/Engine.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/WaterInput.h"
#include "Velorin/Observations.h"

#include <QPointer>

#include <optional>
#include <vector>

namespace velorin {

class AppModel;
class PadStage;

class LivePadFeed {
public:
    LivePadFeed(AppModel& model, PadStage* pad);
    LivePadFeed(const LivePadFeed&) = delete;
    LivePadFeed& operator=(const LivePadFeed&) = delete;

    // What a pad's water is fed from the engine's state.
    static WaterInput input(const std::vector<Touch>& liveTouches, const std::optional<Engine::Fired>& lastFired,
                            const AppConfig& config, bool dark, bool reduceMotion);

    // Feeds the pad now.
    void refresh();

private:
    AppModel& model_;
    QPointer<PadStage> pad_;
    Observations observations_;
    DisplayObserver display_;
};

}  // namespace velorin
