#pragma once
// A main queue that runs only when the test says so, in virtual time. Blocks
// run in the order of their deadlines (posting order among equal ones), each
// exactly at its deadline: while a block runs, the clock reads its deadline.

#include "Platform/MainQueue.h"
#include "Platform/Sim/SimClock.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>
#include <variant>

namespace velorin::sim {

class SimMainQueue : public MainQueue {
public:
    // Runs that do more turns than this throw std::logic_error: something
    // keeps posting to itself without time passing.
    static constexpr std::size_t maxTurnsPerRun = 1'000'000;

    // The constructing thread is the main thread.
    explicit SimMainQueue(SimClock& clock);
    ~SimMainQueue() override;

    using MainQueue::asyncAfter;
    void async(std::function<void()> block) override;
    void asyncAfter(double delaySeconds, std::shared_ptr<WorkItem> item) override;
    std::shared_ptr<RepeatingTimer> scheduleRepeatingTimer(double intervalSeconds,
                                                           std::function<void()> block) override;
    bool isMainThread() const override;

    // The test side; main thread only (std::logic_error otherwise). Each
    // gives the number of blocks, items and timer firings that ran.

    // Runs everything due now, including what running it posts for now.
    std::size_t runUntilIdle();
    // Moves time forward by `seconds` (or to `uptime`), running everything
    // that comes due on the way at its own deadline, then what is due at the
    // end. Time never goes back.
    std::size_t advance(double seconds);
    std::size_t advanceTo(double uptime);
    // Moves time to the earliest pending deadline and runs what is due then;
    // 0 when nothing is pending.
    std::size_t advanceToNextDeadline();

    // The earliest deadline of a block, item or timer that is still pending
    // (not cancelled, not invalidated).
    std::optional<double> nextDeadline() const;
    // How many are pending, cancelled and invalidated ones left out.
    std::size_t pendingCount() const;

    // Waits in real time, up to `timeout`, until something is due now (for
    // blocks posted by other threads). Never use it to wait for a deadline.
    bool waitUntilDue(std::chrono::milliseconds timeout);

private:
    class Timer;
    using Job = std::variant<std::function<void()>, std::shared_ptr<WorkItem>, std::shared_ptr<Timer>>;
    using Key = std::pair<double, std::uint64_t>;

    void requireMainThread(const char* operation) const;
    void enqueue(double deadline, Job job);
    // Pops the first live job due by `limit`, setting the clock to its
    // deadline; false when there is none.
    bool popDue(double limit, Job& job);
    bool runOne(double limit, std::size_t& ran);
    static bool isLive(const Job& job);

    SimClock& clock_;
    std::thread::id mainThread_;
    mutable std::mutex mutex_;
    std::condition_variable posted_;
    std::map<Key, Job> jobs_;
    std::uint64_t nextSequence_ = 0;
};

}  // namespace velorin::sim
