#include "Engine/Core.h"

#include <cmath>

#include "Platform/Clock.h"
#include "Platform/Platform.h"

namespace velorin {

namespace {

// How far before its deadline a tick may read the clock through rounding alone.
constexpr double dueTolerance = 1e-9;

// A deadline that is not a finite time (a multi-tap interval that is NaN or
// infinite in memory) can never come due: treat it as none, so that nobody
// schedules a tick that would run at once, find nothing due and ask again.
std::optional<double> finite(std::optional<double> deadline) {
    if (deadline && !std::isfinite(*deadline)) return std::nullopt;
    return deadline;
}

}  // namespace

Core::Core(const Clock& clock) : clock_(clock) {}

Core::FrameResult Core::frame(const TouchFrame& frame) {
    FrameResult result;
    std::lock_guard guard(lock_);
    clockOffset_ = clock_.systemUptime() - frame.timestamp;

    auto [it, made] = recognizers_.try_emplace(frame.device, recognizerConfig_, bound_);
    (void)made;
    GestureRecognizer& recognizer = it->second;
    result.events = recognizer.process(frame);

    if (wantsTouches_) {
        const int down = frame.fingersDown();
        if (frame.timestamp - lastLiveSent_ > liveTouchInterval || down == 0) {
            lastLiveSent_ = frame.timestamp;
            std::vector<Touch> live;
            live.reserve(static_cast<std::size_t>(down));
            for (const Touch& touch : frame.touches) {
                if (touch.isDown()) live.push_back(touch);
            }
            result.liveTouches = std::move(live);
        }
    }

    result.deadline = finite(recognizer.nextDeadline());
    return result;
}

Core::Result Core::click(std::optional<int> dragFingers) {
    Result result;
    std::lock_guard guard(lock_);
    const double t = nowLocked();
    for (auto& [device, recognizer] : recognizers_) {
        recognizer.dragFingers = dragFingers;
        auto events = recognizer.click(t);
        result.events.insert(result.events.end(), events.begin(), events.end());
    }
    result.deadline = earliestDeadlineLocked();
    return result;
}

Core::Result Core::tick(std::optional<double> due) {
    Result result;
    std::lock_guard guard(lock_);
    double t = nowLocked();
    if (due && *due > t && *due - t < dueTolerance) t = *due;
    for (auto& [device, recognizer] : recognizers_) {
        auto events = recognizer.tick(t);
        result.events.insert(result.events.end(), events.begin(), events.end());
    }
    result.deadline = earliestDeadlineLocked();
    return result;
}

void Core::rearm(const RecognizerConfig& config, std::optional<GestureSet> bound) {
    std::lock_guard guard(lock_);
    recognizerConfig_ = config;
    bound_ = std::move(bound);
    for (auto& [device, recognizer] : recognizers_) {
        recognizer.config = recognizerConfig_;
        recognizer.bound = bound_;
    }
}

void Core::setWantsTouches(bool wants) {
    std::lock_guard guard(lock_);
    wantsTouches_ = wants;
}

double Core::now() const {
    std::lock_guard guard(lock_);
    return nowLocked();
}

bool Core::threeFingerDragOn() {
    static constexpr const char* key = "TrackpadThreeFingerDrag";
    Defaults& defaults = platform::current().defaults();
    if (defaults.boolForKey(key, "com.apple.AppleMultitouchTrackpad")) return true;
    return defaults.boolForKey(key, "com.apple.driver.AppleBluetoothMultitouch.trackpad");
}

std::size_t Core::recognizerCount() const {
    std::lock_guard guard(lock_);
    return recognizers_.size();
}

double Core::nowLocked() const { return clock_.systemUptime() - clockOffset_.value_or(0); }

std::optional<double> Core::earliestDeadlineLocked() const {
    std::optional<double> earliest;
    for (const auto& [device, recognizer] : recognizers_) {
        auto deadline = finite(recognizer.nextDeadline());
        if (deadline && (!earliest || *deadline < *earliest)) earliest = deadline;
    }
    return earliest;
}

}  // namespace velorin
