#pragma once
// The main queue: blocks run one after another on the main thread, at once
// (on the next turn) or after a delay, plus repeating timers.

#include <atomic>
#include <functional>
#include <memory>

namespace velorin {

// A block that can be cancelled before it runs. Cancelling after it started
// does not stop it. Safe to cancel from any thread.
class WorkItem {
public:
    explicit WorkItem(std::function<void()> body) : body_(std::move(body)) {}
    WorkItem(const WorkItem&) = delete;
    WorkItem& operator=(const WorkItem&) = delete;

    // Runs the body unless the item is cancelled.
    void perform() {
        if (!isCancelled() && body_) body_();
    }
    void cancel() { cancelled_.store(true); }
    bool isCancelled() const { return cancelled_.load(); }

private:
    std::function<void()> body_;
    std::atomic<bool> cancelled_{false};
};

// A timer that fires every interval on the main thread until invalidated.
class RepeatingTimer {
public:
    virtual ~RepeatingTimer() = default;
    // Stops it for good; it may be called from the timer's own block.
    virtual void invalidate() = 0;
    virtual bool isValid() const = 0;
};

class MainQueue {
public:
    // The shortest interval a repeating timer is given (0 or less, or not a
    // number, would otherwise fire without pause).
    static constexpr double minimumTimerIntervalSeconds = 0.0001;

    virtual ~MainQueue() = default;

    // Runs `block` on the main thread on a later turn, after the blocks posted
    // before it. Safe from any thread.
    virtual void async(std::function<void()> block) = 0;

    // Runs the item on the main thread `delaySeconds` from now. A negative or
    // not-a-number delay counts as 0; an infinite one never comes due, so the
    // item is not kept. Safe from any thread.
    virtual void asyncAfter(double delaySeconds, std::shared_ptr<WorkItem> item) = 0;
    std::shared_ptr<WorkItem> asyncAfter(double delaySeconds, std::function<void()> block) {
        auto item = std::make_shared<WorkItem>(std::move(block));
        asyncAfter(delaySeconds, item);
        return item;
    }

    // A timer that first fires one interval from now. Main thread only.
    virtual std::shared_ptr<RepeatingTimer> scheduleRepeatingTimer(double intervalSeconds,
                                                                   std::function<void()> block) = 0;

    // Whether the calling thread is the main thread.
    virtual bool isMainThread() const = 0;
};

}  // namespace velorin
