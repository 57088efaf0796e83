#include "Velorin/Design/FrameClock.h"

#include "Platform/Platform.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace velorin {

namespace {
FrameClock* installedClock = nullptr;
}

FrameClock::Token FrameClock::addListener(Listener listener) {
    const Token token = next_++;
    const bool first = listeners_.empty();
    listeners_.emplace(token, std::move(listener));
    if (first) listeningChanged(true);
    return token;
}

void FrameClock::removeListener(Token token) {
    if (listeners_.erase(token) && listeners_.empty()) listeningChanged(false);
}

void FrameClock::tell(double now) {
    std::vector<Token> tokens;
    tokens.reserve(listeners_.size());
    for (const auto& entry : listeners_) tokens.push_back(entry.first);
    for (Token token : tokens) {
        auto it = listeners_.find(token);
        if (it == listeners_.end()) continue;
        Listener listener = it->second;  // a copy: the listener may remove itself
        listener(now);
    }
}

FrameClock& FrameClock::current() {
    if (installedClock) return *installedClock;
    // Never destroyed: animations may still let go of it at the end of the process.
    static PlatformFrameClock* fallback = new PlatformFrameClock;
    return *fallback;
}

void FrameClock::install(FrameClock* clock) { installedClock = clock; }

void ManualFrameClock::advance(double seconds, double frame) {
    if (!(seconds > 0)) return;
    if (!(frame > 0)) frame = seconds;
    const double end = now_ + seconds;
    while (now_ < end) {
        now_ = std::min(end, now_ + frame);
        // Guard against a step lost to rounding near the end.
        if (end - now_ < frame * 1e-9) now_ = end;
        tell(now_);
    }
}

void ManualFrameClock::frameAt(double time) {
    now_ = std::max(now_, time);
    tell(now_);
}

PlatformFrameClock::PlatformFrameClock(double framesPerSecond)
    : interval_(framesPerSecond > 0 ? 1.0 / framesPerSecond : 1.0 / 60) {}

PlatformFrameClock::~PlatformFrameClock() {
    if (timer_) timer_->invalidate();
}

double PlatformFrameClock::now() const { return platform::current().clock().systemUptime(); }

void PlatformFrameClock::listeningChanged(bool listening) {
    if (timer_) {
        timer_->invalidate();
        timer_.reset();
    }
    if (listening) {
        timer_ = platform::current().mainQueue().scheduleRepeatingTimer(interval_, [this] { tell(now()); });
    }
}

}  // namespace velorin
