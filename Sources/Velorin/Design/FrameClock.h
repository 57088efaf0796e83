#pragma once
// The beat animations move to. While anyone listens, the clock calls each
// listener once per frame with the frame's time (seconds, monotonic). By
// default frames come from a repeating timer on the platform's main queue and
// times from its uptime, so the simulated desktop's virtual time drives them
// in tests; a test may also install a manual clock of its own.

#include "Platform/MainQueue.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace velorin {

class FrameClock {
public:
    using Listener = std::function<void(double now)>;
    using Token = std::uint64_t;

    virtual ~FrameClock() = default;

    virtual double now() const = 0;
    // Listeners are told in the order they were added; one may add or remove
    // listeners (itself included) while being told.
    Token addListener(Listener listener);
    void removeListener(Token token);
    bool hasListeners() const { return !listeners_.empty(); }
    std::size_t listenerCount() const { return listeners_.size(); }

    // The installed clock, else the platform's at 60 frames a second.
    static FrameClock& current();
    // Installs `clock` (not owned); null goes back to the default.
    static void install(FrameClock* clock);

protected:
    // Called when the first listener arrives and when the last one leaves.
    virtual void listeningChanged(bool listening) = 0;
    void tell(double now);

private:
    std::map<Token, Listener> listeners_;
    Token next_ = 1;
};

// Virtual time for tests: nothing happens until `advance`.
class ManualFrameClock final : public FrameClock {
public:
    explicit ManualFrameClock(double start = 0) : now_(start) {}

    double now() const override { return now_; }
    // Moves time on by `seconds` in frames of `frame` seconds, telling the
    // listeners at each frame (the last frame may be shorter).
    void advance(double seconds, double frame = 1.0 / 60);
    // One frame at exactly `time` (never earlier than now).
    void frameAt(double time);

protected:
    void listeningChanged(bool) override {}

private:
    double now_;
};

// Frames from a repeating timer on the current platform's main queue (only
// while anyone listens), times from its uptime.
class PlatformFrameClock final : public FrameClock {
public:
    explicit PlatformFrameClock(double framesPerSecond = 60);
    ~PlatformFrameClock() override;

    double now() const override;

protected:
    void listeningChanged(bool listening) override;

private:
    double interval_;
    std::shared_ptr<RepeatingTimer> timer_;
};

}  // namespace velorin
