#include "Velorin/LivePadFeed.h"

#include "Velorin/AppModel.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/PadStage.h"

namespace velorin {

LivePadFeed::LivePadFeed(AppModel& model, PadStage* pad) : model_(model), pad_(pad), display_([this] { refresh(); }) {
    const Engine& engine = model_.engine();
    observations_.add(engine.liveTouches(), [this](const std::vector<Touch>&) { refresh(); });
    observations_.add(engine.lastFired(), [this](const std::optional<Engine::Fired>&) { refresh(); });
    observations_.add(engine.config(), [this](const AppConfig&) { refresh(); });
    refresh();
}

WaterInput LivePadFeed::input(const std::vector<Touch>& liveTouches, const std::optional<Engine::Fired>& lastFired,
                              const AppConfig& config, bool dark, bool reduceMotion) {
    WaterInput input;
    input.touches = liveTouches;
    if (lastFired) input.fired = lastFired->date;
    input.blobs = PackStyle::floorBlobs(config.enabledPacks, config.allPacks());
    input.opacity = 1;
    input.dark = dark;
    input.reduceMotion = reduceMotion;
    return input;
}

void LivePadFeed::refresh() {
    if (!pad_) return;
    const Engine& engine = model_.engine();
    const AppConfig& config = engine.config().get();
    pad_->update(input(engine.liveTouches().get(), engine.lastFired().get(), config, colorEnvironmentFor(pad_).isDark(),
                       Display::reduceMotion()));
    pad_->setCornerSize(config.recognizer.cornerSize);
}

}  // namespace velorin
