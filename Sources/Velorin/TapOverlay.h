#pragma once
// The on-screen badge of each gesture whose shortcut ran, when "Show Taps on
// Screen" is on: a capsule near the bottom of the screen under the pointer
// that stays 1.6 seconds after the last badge, then fades out in 0.25 seconds.
// The panel that draws it is the user interface's; what is shown, where and
// when is decided here, on the platform's main queue.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Engine/Engine.h"
#include "Platform/Geometry.h"
#include "Platform/Screens.h"
#include "Support/Observable.h"

namespace velorin {

class WorkItem;

// What the badge shows; it redraws when one of these changes.
struct TapBadgeState {
    Observable<std::string> gesture{std::string()};
    Observable<std::string> symbol{std::string("hand.tap")};
    Observable<std::string> action{std::string()};
    Observable<bool> failed{false};
    // Badges shown since the overlay was made; each new one replays the ripple.
    Observable<int> count{0};
};

// The borderless, click-through, always-on-top window the badge is drawn in.
// Positions are in the screens' bottom-left convention.
class OverlayPanel {
public:
    virtual ~OverlayPanel() = default;
    virtual Size size() const = 0;
    virtual void setFrameOrigin(Point origin) = 0;
    // The alpha the panel has or is fading to.
    virtual double alphaValue() const = 0;
    // Sets it at once, stopping a fade under way.
    virtual void setAlphaValue(double alpha) = 0;
    // Fades to `alpha` over the duration; `alphaValue()` reads `alpha` at once.
    virtual void fadeAlphaValue(double alpha, double durationSeconds) = 0;
    // On screen above everything, without activating the application.
    virtual void orderFrontRegardless() = 0;
    virtual void orderOut() = 0;
    virtual bool isVisible() const = 0;
};

class TapOverlay {
public:
    using PanelFactory = std::function<std::unique_ptr<OverlayPanel>(TapBadgeState& state)>;

    static constexpr const char* showTapsKey = "showTapsOnScreen";
    static constexpr Size panelSize{560, 120};
    static constexpr double hideDelaySeconds = 1.6;
    static constexpr double fadeDurationSeconds = 0.25;
    static constexpr double bottomMarginPoints = 48;

    explicit TapOverlay(PanelFactory makePanel);
    ~TapOverlay();
    TapOverlay(const TapOverlay&) = delete;
    TapOverlay& operator=(const TapOverlay&) = delete;

    // Shows a badge for the record; does nothing while "showTapsOnScreen" is off.
    void show(const Engine::Fired& fired);

    const TapBadgeState& state() const { return state_; }
    // Absent until the first badge is shown.
    OverlayPanel* panel() const { return panel_.get(); }

private:
    void hide();
    void place(OverlayPanel& panel);

    PanelFactory makePanel_;
    std::unique_ptr<OverlayPanel> panel_;
    TapBadgeState state_;
    std::shared_ptr<WorkItem> hideWork_;
    std::shared_ptr<WorkItem> fadeEnd_;
};

// Where the panel goes: on the first screen whose frame holds the pointer
// (else the main screen), centred on its visible frame and 48 points above its
// bottom. Absent when there is no screen at all: the panel stays where it is.
std::optional<Point> overlayOrigin(const std::vector<Screen>& screens, const std::optional<Screen>& mainScreen,
                                   Point mouse, Size panel);

}  // namespace velorin
