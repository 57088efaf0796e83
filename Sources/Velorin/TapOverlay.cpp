#include "Velorin/TapOverlay.h"

#include "Platform/Defaults.h"
#include "Platform/MainQueue.h"
#include "Platform/Platform.h"
#include "Velorin/DisplayNames.h"

namespace velorin {

TapOverlay::TapOverlay(PanelFactory makePanel) : makePanel_(std::move(makePanel)) {}

TapOverlay::~TapOverlay() {
    if (hideWork_) hideWork_->cancel();
    if (fadeEnd_) fadeEnd_->cancel();
}

void TapOverlay::show(const Engine::Fired& fired) {
    auto& platform = platform::current();
    if (!platform.defaults().boolForKey(showTapsKey)) return;
    if (!panel_) panel_ = makePanel_(state_);

    state_.gesture.set(displayName(fired.gesture));
    state_.symbol.set(std::string(symbol(fired.gesture)));
    state_.action.set(fired.action ? displayName(*fired.action) : std::string("\u2013"));
    state_.failed.set(fired.error.has_value());
    state_.count.set(state_.count.get() + 1);

    place(*panel_);
    panel_->setAlphaValue(1);
    panel_->orderFrontRegardless();

    if (hideWork_) hideWork_->cancel();
    hideWork_ = platform.mainQueue().asyncAfter(hideDelaySeconds, [this] { hide(); });
}

void TapOverlay::hide() {
    if (!panel_ || !panel_->isVisible()) return;
    panel_->fadeAlphaValue(0, fadeDurationSeconds);
    if (fadeEnd_) fadeEnd_->cancel();
    // A badge shown during the fade set the alpha back to 1: the panel stays.
    fadeEnd_ = platform::current().mainQueue().asyncAfter(fadeDurationSeconds, [this] {
        if (panel_ && panel_->alphaValue() == 0) panel_->orderOut();
    });
}

void TapOverlay::place(OverlayPanel& panel) {
    auto& screens = platform::current().screens();
    if (auto origin = overlayOrigin(screens.screens(), screens.mainScreen(), screens.mouseLocation(), panel.size())) {
        panel.setFrameOrigin(*origin);
    }
}

std::optional<Point> overlayOrigin(const std::vector<Screen>& screens, const std::optional<Screen>& mainScreen,
                                   Point mouse, Size panel) {
    std::optional<Screen> target;
    for (const auto& screen : screens) {
        if (screen.frame.contains(mouse)) {
            target = screen;
            break;
        }
    }
    if (!target) target = mainScreen;
    if (!target) return std::nullopt;
    const Rect& visible = target->visibleFrame;
    return Point{visible.midX() - panel.width / 2, visible.minY() + TapOverlay::bottomMarginPoints};
}

}  // namespace velorin
