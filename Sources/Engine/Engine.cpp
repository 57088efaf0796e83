#include "Engine/Engine.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <utility>

#include "Actions/ActionError.h"
#include "Actions/Permissions.h"
#include "Engine/Core.h"
#include "Platform/MainQueue.h"
#include "Platform/Platform.h"
#include "Platform/Workspace.h"
#include "TouchInput/MultitouchSource.h"

namespace velorin {
namespace {

std::optional<std::string> frontmostBundleIdentifier(Workspace& workspace) {
    auto app = workspace.frontmostApplication();
    if (!app) return std::nullopt;
    return app->bundleIdentifier;
}

std::optional<std::string_view> view(const std::optional<std::string>& text) {
    if (!text) return std::nullopt;
    return std::string_view(*text);
}

// Keystrokes, window moves and menu presses would act on what the held
// button is dragging or pressing, so they wait for the buttons to come up.
bool waitsForMouseUp(const Action& action) {
    switch (action.kind()) {
        case Action::Kind::keystroke:
        case Action::Kind::window:
        case Action::Kind::menuItem:
            return true;
        case Action::Kind::openApp:
        case Action::Kind::media:
        case Action::Kind::system:
        case Action::Kind::open:
        case Action::Kind::shortcut:
            return false;
    }
    return false;
}

std::string sourceText(const BindingSource& source) {
    if (const auto* pack = source.asPack()) return pack->name;
    return Engine::mySourceText;
}

}  // namespace

Engine::Engine(AppConfig config) : Engine(std::move(config), Parts{}) {}

Engine::Engine(AppConfig config, Parts parts)
    : accessibilityTrusted_(Permissions::isAccessibilityTrusted()),
      config_(std::move(config)),
      frontApp_(frontmostBundleIdentifier(platform::current().workspace())),
      queue_(platform::current().mainQueue()),
      clock_(platform::current().clock()),
      workspace_(platform::current().workspace()),
      core_(std::make_shared<Core>(clock_)),
      touches_(std::move(parts.touches)),
      clicks_(std::move(parts.clicks)),
      runner_(std::move(parts.runner)) {
    if (!touches_) touches_ = std::make_unique<MultitouchSource>();
    if (!clicks_) clicks_ = std::make_unique<ClickSource>();
    if (!runner_) runner_ = std::make_unique<ActionRunner>();
    rearm();
}

Engine::~Engine() {
    alive_.reset();
    if (tickWork_) tickWork_->cancel();
    if (permissionTimer_) permissionTimer_->invalidate();
    if (appObserver_) workspace_.removeObserver(*appObserver_);
}

// ---- Observable state

void Engine::setConfig(AppConfig config) {
    config_.set(std::move(config));
    rearm();
}

void Engine::setShowsLiveTouches(bool shows) {
    showsLiveTouches_.set(shows);
    core_->setWantsTouches(shows);
    if (!shows) liveTouches_.set({});
}

// ---- Life cycle

void Engine::start() {
    if (isRunning_.get()) return;

    std::weak_ptr<void> alive = alive_;
    try {
        // Runs on the framework's thread: it touches the core (held here
        // strongly) and the main queue, never the engine itself.
        touches_->start([core = core_, queue = &queue_, alive, engine = this](const TouchFrame& frame) {
            Core::FrameResult result = core->frame(frame);
            if (result.isEmpty()) return;
            queue->async([alive, engine, result = std::move(result)] {
                if (alive.expired()) return;
                if (result.liveTouches && engine->showsLiveTouches_.get()) {
                    engine->liveTouches_.set(*result.liveTouches);
                    if (alive.expired()) return;  // an observer ended the engine
                }
                engine->deliver(result.deadline, result.events, alive);
            });
        });
    } catch (const MultitouchError& error) {
        startError_.set(error.description());
        return;
    }

    try {
        clicks_->start([core = core_, queue = &queue_, alive, engine = this] {
            const std::optional<int> dragFingers = Core::threeFingerDragOn() ? std::optional<int>(3) : std::nullopt;
            Core::Result result = core->click(dragFingers);
            queue->async([alive, engine, result = std::move(result)] {
                if (alive.expired()) return;
                engine->deliver(result.deadline, result.events, alive);
            });
        });
    } catch (const ClickSourceError&) {
        // Without clicks the engine still works; a press just isn't a tap.
    }

    isRunning_.set(true);
    startError_.set(std::nullopt);

    if (appObserver_) workspace_.removeObserver(*appObserver_);
    appObserver_ = workspace_.addObserver(WorkspaceNotice::didActivateApplication,
                                          [alive, engine = this](const std::optional<RunningApplication>& app) {
                                              if (alive.expired()) return;
                                              engine->frontAppActivated(app ? app->bundleIdentifier : std::nullopt);
                                          });

    if (permissionTimer_) permissionTimer_->invalidate();
    permissionTimer_ = queue_.scheduleRepeatingTimer(permissionIntervalSeconds, [alive, engine = this] {
        if (alive.expired()) return;
        engine->refreshPermissions();
    });
}

void Engine::stop() {
    touches_->stop();
    clicks_->stop();
    if (tickWork_) tickWork_->cancel();
    if (permissionTimer_) {
        permissionTimer_->invalidate();
        permissionTimer_.reset();
    }
    if (appObserver_) {
        workspace_.removeObserver(*appObserver_);
        appObserver_.reset();
    }
    isRunning_.set(false);
}

void Engine::refreshPermissions() {
    const bool trusted = Permissions::isAccessibilityTrusted();
    const bool arrived = trusted && !accessibilityTrusted_.get();
    std::weak_ptr<void> alive = alive_;
    accessibilityTrusted_.set(trusted);
    if (alive.expired()) return;  // an observer ended the engine
    // Input access is also what reading the touchpad takes: a start that failed without it
    // is tried again the moment it arrives.
    if (arrived && !isRunning_.get() && startError_.get()) start();
}

void Engine::frontAppActivated(std::optional<std::string> bundleIdentifier) {
    if (bundleIdentifier == frontApp_.get()) return;
    frontApp_.set(std::move(bundleIdentifier));
    rearm();
}

// ---- The core's inputs on the main thread

void Engine::rearm() {
    std::optional<Core::GestureSet> bound;
    if (!recorder_) {
        bound.emplace();
        for (const auto& [gesture, action] : config_.get().activeBindings(view(frontApp_.get())))
            bound->insert(gesture);
    }
    core_->rearm(config_.get().recognizer, std::move(bound));
}

void Engine::scheduleTick(double deadline) {
    if (!std::isfinite(deadline)) return;
    if (tickWork_) tickWork_->cancel();
    double delay = deadline - core_->now();
    if (!(delay > 0)) delay = 0;  // past, or not a number
    delay = std::min(delay, maxTickDelaySeconds);
    std::weak_ptr<void> alive = alive_;
    tickWork_ = queue_.asyncAfter(delay, [core = core_, alive, engine = this, deadline] {
        Core::Result result = core->tick(deadline);
        if (alive.expired()) return;
        engine->deliver(result.deadline, result.events, alive);
    });
}

void Engine::deliver(std::optional<double> deadline, const std::vector<GestureEvent>& events,
                     const std::weak_ptr<void>& alive) {
    if (deadline) scheduleTick(*deadline);
    for (const GestureEvent& event : events) {
        // A recording request or an observer may end the engine mid-way.
        if (alive.expired()) return;
        fire(event.gesture);
    }
}

// ---- Firing

void Engine::recordNextGesture(Recorder recorder) {
    recorder_ = std::move(recorder);
    rearm();
}

void Engine::cancelRecording() {
    recorder_ = nullptr;
    rearm();
}

void Engine::fire(const Gesture& gesture) {
    if (recorder_) {
        Recorder request = std::move(recorder_);
        recorder_ = nullptr;
        rearm();
        request(gesture);
        return;
    }

    std::optional<std::string> front = frontmostBundleIdentifier(workspace_);
    if (!front) front = frontApp_.get();
    const AppConfig::Resolution resolution = config_.get().resolved(view(front));
    const auto found = resolution.find(gesture);
    if (found == resolution.end()) return;
    const ResolvedBinding& winner = found->second;

    if (waitsForMouseUp(winner.action) && ActionRunner::mouseButtonDown()) {
        const Date deadline = clock_.now() + std::chrono::duration<double>(mouseUpMaxWaitSeconds);
        waitForMouseUp(gesture, winner.action, winner.source, deadline);
        return;
    }
    run(gesture, winner.action, winner.source);
}

void Engine::waitForMouseUp(Gesture gesture, Action action, BindingSource source, Date deadline) {
    std::weak_ptr<void> alive = alive_;
    queue_.asyncAfter(mouseUpPollSeconds, [alive, engine = this, gesture = std::move(gesture),
                                           action = std::move(action), source = std::move(source), deadline] {
        if (alive.expired()) return;
        engine->runWhenMouseUp(gesture, action, source, deadline);
    });
}

void Engine::runWhenMouseUp(const Gesture& gesture, const Action& action, const BindingSource& source, Date deadline) {
    if (ActionRunner::mouseButtonDown() && clock_.now() < deadline) {
        waitForMouseUp(gesture, action, source, deadline);
        return;
    }
    run(gesture, action, source);
}

void Engine::run(const Gesture& gesture, const Action& action, const BindingSource& source) {
    std::optional<std::string> error;
    // A failure that shows later lands on this run's record while it is still
    // the last one; a later gesture's record is not touched.
    auto record = std::make_shared<std::optional<Fired>>();
    std::weak_ptr<void> alive = alive_;
    auto failedLater = [this, alive, record](const ActionError& failure) {
        if (alive.expired() || !*record || lastFired_.get() != *record) return;
        Fired fired = **record;
        fired.error = failure.description();
        lastFired_.set(fired);
    };
    try {
        runner_->run(action, failedLater);
    } catch (const ActionError& failure) {
        error = failure.description();
    }
    *record = Fired{gesture, action, sourceText(source), std::move(error), clock_.now()};
    lastFired_.set(**record);
}

}  // namespace velorin
