#include "Platform/Sim/SimMainQueue.h"

#include <cmath>
#include <stdexcept>

namespace velorin::sim {

class SimMainQueue::Timer : public RepeatingTimer {
public:
    Timer(double start, double interval, std::function<void()> block)
        : start(start), interval(interval), block(std::move(block)) {}

    void invalidate() override { valid.store(false); }
    bool isValid() const override { return valid.load(); }

    // The first firing after `now`, on the timer's own grid (start + k ×
    // interval), so firings never drift however they are reached.
    double nextFireAfter(double now) {
        auto k = static_cast<std::uint64_t>(std::floor((now - start) / interval));
        if (k < firings) k = firings;
        while (start + static_cast<double>(k) * interval <= now) ++k;
        firings = k;
        return start + static_cast<double>(k) * interval;
    }

    const double start;
    const double interval;
    std::function<void()> block;
    std::atomic<bool> valid{true};
    std::uint64_t firings = 1;
};

SimMainQueue::SimMainQueue(SimClock& clock) : clock_(clock), mainThread_(std::this_thread::get_id()) {}

SimMainQueue::~SimMainQueue() {
    // Blocks may hold what holds this queue; drop them outside the lock.
    std::map<Key, Job> jobs;
    {
        std::lock_guard lock(mutex_);
        jobs.swap(jobs_);
    }
}

void SimMainQueue::async(std::function<void()> block) {
    enqueue(clock_.systemUptime(), Job{std::move(block)});
}

void SimMainQueue::asyncAfter(double delaySeconds, std::shared_ptr<WorkItem> item) {
    if (!item) return;
    if (std::isnan(delaySeconds) || delaySeconds < 0) delaySeconds = 0;
    const double deadline = clock_.systemUptime() + delaySeconds;
    if (std::isinf(deadline)) return;  // never comes due
    enqueue(deadline, Job{std::move(item)});
}

std::shared_ptr<RepeatingTimer> SimMainQueue::scheduleRepeatingTimer(double intervalSeconds,
                                                                     std::function<void()> block) {
    requireMainThread("scheduleRepeatingTimer");
    if (!(intervalSeconds >= minimumTimerIntervalSeconds)) intervalSeconds = minimumTimerIntervalSeconds;
    const double now = clock_.systemUptime();
    auto timer = std::make_shared<Timer>(now, intervalSeconds, std::move(block));
    const double first = now + intervalSeconds;
    if (std::isfinite(first)) enqueue(first, Job{timer});
    return timer;
}

bool SimMainQueue::isMainThread() const { return std::this_thread::get_id() == mainThread_; }

void SimMainQueue::requireMainThread(const char* operation) const {
    if (!isMainThread()) {
        throw std::logic_error(std::string("SimMainQueue::") + operation + " is for the main thread only");
    }
}

void SimMainQueue::enqueue(double deadline, Job job) {
    {
        std::lock_guard lock(mutex_);
        jobs_.emplace(Key{deadline, nextSequence_++}, std::move(job));
    }
    posted_.notify_all();
}

bool SimMainQueue::isLive(const Job& job) {
    if (auto item = std::get_if<std::shared_ptr<WorkItem>>(&job)) return !(*item)->isCancelled();
    if (auto timer = std::get_if<std::shared_ptr<Timer>>(&job)) return (*timer)->isValid();
    return true;
}

bool SimMainQueue::popDue(double limit, Job& job) {
    std::lock_guard lock(mutex_);
    for (auto it = jobs_.begin(); it != jobs_.end() && it->first.first <= limit;) {
        if (!isLive(it->second)) {
            it = jobs_.erase(it);
            continue;
        }
        const double deadline = it->first.first;
        job = std::move(it->second);
        jobs_.erase(it);
        if (deadline > clock_.systemUptime()) clock_.setUptime(deadline);
        return true;
    }
    return false;
}

bool SimMainQueue::runOne(double limit, std::size_t& ran) {
    Job job;
    if (!popDue(limit, job)) return false;
    if (++ran > maxTurnsPerRun) throw std::logic_error("The main queue never became idle");
    if (auto block = std::get_if<std::function<void()>>(&job)) {
        if (*block) (*block)();
    } else if (auto item = std::get_if<std::shared_ptr<WorkItem>>(&job)) {
        (*item)->perform();
    } else if (auto timer = std::get_if<std::shared_ptr<Timer>>(&job)) {
        // The next firing is scheduled first, so the block can invalidate it.
        auto t = *timer;
        const double next = t->nextFireAfter(clock_.systemUptime());
        if (std::isfinite(next)) enqueue(next, Job{t});
        if (t->block) t->block();
    }
    return true;
}

std::size_t SimMainQueue::runUntilIdle() {
    requireMainThread("runUntilIdle");
    std::size_t ran = 0;
    while (runOne(clock_.systemUptime(), ran)) {
    }
    return ran;
}

std::size_t SimMainQueue::advance(double seconds) {
    requireMainThread("advance");
    if (!std::isfinite(seconds) || seconds < 0) {
        throw std::invalid_argument("advance: time moves forward by a finite amount");
    }
    return advanceTo(clock_.systemUptime() + seconds);
}

std::size_t SimMainQueue::advanceTo(double uptime) {
    requireMainThread("advanceTo");
    if (!std::isfinite(uptime)) throw std::invalid_argument("advanceTo: the uptime must be finite");
    if (uptime < clock_.systemUptime()) throw std::logic_error("advanceTo: the uptime never goes back");
    std::size_t ran = 0;
    while (runOne(uptime, ran)) {
    }
    clock_.setUptime(uptime);
    while (runOne(uptime, ran)) {
    }
    return ran;
}

std::size_t SimMainQueue::advanceToNextDeadline() {
    requireMainThread("advanceToNextDeadline");
    auto deadline = nextDeadline();
    if (!deadline) return 0;
    return advanceTo(std::max(*deadline, clock_.systemUptime()));
}

std::optional<double> SimMainQueue::nextDeadline() const {
    std::lock_guard lock(mutex_);
    for (const auto& [key, job] : jobs_) {
        if (isLive(job)) return key.first;
    }
    return std::nullopt;
}

std::size_t SimMainQueue::pendingCount() const {
    std::lock_guard lock(mutex_);
    std::size_t count = 0;
    for (const auto& [key, job] : jobs_) {
        if (isLive(job)) ++count;
    }
    return count;
}

bool SimMainQueue::waitUntilDue(std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex_);
    return posted_.wait_for(lock, timeout, [this] {
        const double now = clock_.systemUptime();
        for (const auto& [key, job] : jobs_) {
            if (key.first > now) return false;
            if (isLive(job)) return true;
        }
        return false;
    });
}

}  // namespace velorin::sim
