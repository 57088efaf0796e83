#pragma once
// The gesture engine: owns the touchpad and click sources, the locked core
// with one recogniser per touchpad, and the action runner. It turns every
// recognised gesture into the binding that wins for the app in front and runs
// its action, hands single gestures to a recording request, and publishes its
// live state. It lives on the main thread; only the core is shared with the
// touchpad framework's thread.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Actions/Action.h"
#include "Actions/ActionRunner.h"
#include "Config/AppConfig.h"
#include "Config/Binding.h"
#include "Platform/Clock.h"
#include "Platform/ObserverToken.h"
#include "Recognizer/Gesture.h"
#include "Support/Observable.h"
#include "TouchInput/ClickSource.h"
#include "TouchInput/Touch.h"
#include "TouchInput/TouchSource.h"

namespace velorin {

class Core;
class MainQueue;
class RepeatingTimer;
class WorkItem;
class Workspace;

class Engine {
public:
    // The last gesture whose binding ran.
    struct Fired {
        Gesture gesture;
        std::optional<Action> action;
        // The pack's name, or "My shortcut" for the user's own shortcuts.
        std::optional<std::string> source;
        // The action's error text when it failed.
        std::optional<std::string> error;
        // When the action finished running.
        Date date;
        bool operator==(const Fired&) const = default;
    };

    // What the engine drives. Tests hand in fakes; a part left empty is made
    // real (the multitouch source, the click source, the action runner).
    struct Parts {
        std::unique_ptr<TouchSource> touches;
        std::unique_ptr<ClickSource> clicks;
        std::unique_ptr<ActionRunner> runner;
    };

    using Recorder = std::function<void(const Gesture&)>;

    static constexpr const char* mySourceText = "My shortcut";
    static constexpr double permissionIntervalSeconds = 2.0;
    static constexpr double mouseUpPollSeconds = 0.03;
    static constexpr double mouseUpMaxWaitSeconds = 5.0;
    // A multi-tap deadline further away than this is woken for early and
    // asked again, so that no timer is set beyond what a timer can hold.
    static constexpr double maxTickDelaySeconds = 3600.0;

    // Builds the engine with the real sources and runner; nothing is started.
    explicit Engine(AppConfig config);
    Engine(AppConfig config, Parts parts);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // ---- Observable state (main thread). Readers observe; the engine sets
    // all of it except `config` and `showsLiveTouches`, which have setters.
    const Observable<bool>& isRunning() const { return isRunning_; }
    const Observable<std::optional<std::string>>& startError() const { return startError_; }
    const Observable<std::optional<Fired>>& lastFired() const { return lastFired_; }
    const Observable<bool>& accessibilityTrusted() const { return accessibilityTrusted_; }
    const Observable<std::vector<Touch>>& liveTouches() const { return liveTouches_; }
    const Observable<bool>& showsLiveTouches() const { return showsLiveTouches_; }
    const Observable<AppConfig>& config() const { return config_; }
    const Observable<std::optional<std::string>>& frontApp() const { return frontApp_; }

    // The live configuration. Observers hear of a different value only; every
    // assignment re-arms the recognisers.
    void setConfig(AppConfig config);
    // Every assignment reaches the core; switching off empties `liveTouches`.
    void setShowsLiveTouches(bool shows);

    // Starts the touchpad source, then the click source (whose failure is
    // ignored), the front-app observer and the permission timer. Does nothing
    // while running. A touchpad source that fails leaves the engine stopped
    // with `startError` set.
    void start();
    // Stops both sources, the pending tick, the permission timer and the
    // front-app observer.
    void stop();
    void refreshPermissions();

    // The next gesture goes to `recorder` instead of running anything; a
    // request still pending is dropped without being called.
    void recordNextGesture(Recorder recorder);
    void cancelRecording();

private:
    void rearm();
    void scheduleTick(double deadline);
    void runTick();
    void deliver(std::optional<double> deadline, const std::vector<GestureEvent>& events,
                 const std::weak_ptr<void>& alive);
    void fire(const Gesture& gesture);
    void run(const Gesture& gesture, const Action& action, const BindingSource& source);
    void waitForMouseUp(Gesture gesture, Action action, BindingSource source, Date deadline);
    void runWhenMouseUp(const Gesture& gesture, const Action& action, const BindingSource& source, Date deadline);
    void frontAppActivated(std::optional<std::string> bundleIdentifier);

    // Observable state, in this order.
    Observable<bool> isRunning_{false};
    Observable<std::optional<std::string>> startError_;
    Observable<std::optional<Fired>> lastFired_;
    Observable<bool> accessibilityTrusted_{false};
    Observable<std::vector<Touch>> liveTouches_;
    Observable<bool> showsLiveTouches_{false};
    Observable<AppConfig> config_;
    Observable<std::optional<std::string>> frontApp_;

    // The platform's services, which outlive every engine.
    MainQueue& queue_;
    const Clock& clock_;
    Workspace& workspace_;

    std::shared_ptr<Core> core_;
    std::unique_ptr<TouchSource> touches_;
    std::unique_ptr<ClickSource> clicks_;
    std::unique_ptr<ActionRunner> runner_;
    std::shared_ptr<WorkItem> tickWork_;
    std::shared_ptr<RepeatingTimer> permissionTimer_;
    Recorder recorder_;  // empty while no recording is requested
    std::optional<ObserverToken> appObserver_;

    // Work posted to the main queue holds this weakly and does nothing once
    // the engine is gone.
    std::shared_ptr<int> alive_ = std::make_shared<int>(0);
};

}  // namespace velorin
