#include "Platform/Sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <thread>
#include <vector>

namespace velorin {
namespace {

using sim::SimClock;

class SimMainQueueTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    sim::SimMainQueue& queue = sim.mainQueue();
    std::vector<std::string> log;

    double now() const { return sim.clock().systemUptime(); }
    std::function<void()> note(std::string what) {
        return [this, what] { log.push_back(what); };
    }
};

TEST_F(SimMainQueueTest, async_runsOnlyWhenTheQueueRuns_inPostingOrder) {
    queue.async(note("a"));
    queue.async(note("b"));
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(queue.pendingCount(), 2u);
    EXPECT_EQ(queue.runUntilIdle(), 2u);
    EXPECT_EQ(log, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(queue.pendingCount(), 0u);
}

TEST_F(SimMainQueueTest, blocksPostedWhileRunning_runInTheSameRunAfterTheOthers) {
    queue.async([this] {
        log.push_back("outer");
        queue.async(note("inner"));
    });
    queue.async(note("second"));
    queue.runUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"outer", "second", "inner"}));
}

TEST_F(SimMainQueueTest, delayedItems_runInDeadlineOrder_postingOrderBreaksTies) {
    queue.asyncAfter(0.5, note("0.5"));
    queue.asyncAfter(0.1, note("0.1 first"));
    queue.asyncAfter(0.3, note("0.3"));
    queue.asyncAfter(0.1, note("0.1 second"));
    queue.async(note("now"));
    queue.advance(1.0);
    EXPECT_EQ(log, (std::vector<std::string>{"now", "0.1 first", "0.1 second", "0.3", "0.5"}));
}

TEST_F(SimMainQueueTest, delayedItem_firesExactlyAtItsDeadline) {
    // Around the deadline by one representable step either way.
    struct Case {
        const char* name;
        int steps;
        bool fires;
    };
    const Case cases[] = {
        {"just below", -1, false},
        {"exactly at", 0, true},
        {"just above", +1, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool fired = false;
        const double deadline = now() + 0.03;
        auto item = queue.asyncAfter(0.03, [&] { fired = true; });
        double target = deadline;
        if (c.steps < 0) target = std::nextafter(deadline, 0.0);
        if (c.steps > 0) target = std::nextafter(deadline, 1e9);
        queue.advanceTo(target);
        EXPECT_EQ(fired, c.fires);
        item->cancel();
        queue.runUntilIdle();
    }
}

TEST_F(SimMainQueueTest, whileAnItemRuns_theClockReadsItsDeadline) {
    const double start = now();
    double seenUptime = 0;
    Date seenDate;
    queue.asyncAfter(1.6, [&] {
        seenUptime = now();
        seenDate = sim.clock().now();
    });
    queue.advance(5.0);
    EXPECT_EQ(seenUptime, start + 1.6);
    EXPECT_DOUBLE_EQ(secondsSince1970(seenDate), SimClock::initialSecondsSince1970 + 1.6);
    EXPECT_EQ(now(), start + 5.0);
}

TEST_F(SimMainQueueTest, anItemScheduledByAnItem_countsItsDelayFromTheFirstItemsDeadline) {
    const double start = now();
    std::vector<double> firedAt;
    std::function<void()> poll = [&] {
        firedAt.push_back(now());
        if (firedAt.size() < 3) queue.asyncAfter(0.03, poll);
    };
    queue.asyncAfter(0.03, poll);
    queue.advance(1.0);
    ASSERT_EQ(firedAt.size(), 3u);
    EXPECT_EQ(firedAt[0], start + 0.03);
    EXPECT_EQ(firedAt[1], start + 0.03 + 0.03);
    EXPECT_EQ(firedAt[2], start + 0.03 + 0.03 + 0.03);
}

TEST_F(SimMainQueueTest, cancelledItem_neverRuns_andIsNotPending) {
    auto kept = queue.asyncAfter(0.25, note("kept"));
    auto cancelled = queue.asyncAfter(0.1, note("cancelled"));
    cancelled->cancel();
    EXPECT_TRUE(cancelled->isCancelled());
    EXPECT_EQ(queue.pendingCount(), 1u);
    EXPECT_EQ(queue.nextDeadline(), now() + 0.25);
    EXPECT_EQ(queue.advance(1.0), 1u);
    EXPECT_EQ(log, (std::vector<std::string>{"kept"}));
}

TEST_F(SimMainQueueTest, anItemCancelledByAnEarlierOne_doesNotRun) {
    std::shared_ptr<WorkItem> later = queue.asyncAfter(0.2, note("later"));
    queue.asyncAfter(0.1, [&] {
        log.push_back("earlier");
        later->cancel();
    });
    queue.advance(1.0);
    EXPECT_EQ(log, (std::vector<std::string>{"earlier"}));
}

TEST_F(SimMainQueueTest, replacingAPendingItem_leavesOnlyTheReplacement) {
    // The pattern of a single pending deadline: cancel, then schedule anew.
    std::shared_ptr<WorkItem> pending = queue.asyncAfter(0.1, note("first"));
    pending->cancel();
    pending = queue.asyncAfter(0.4, note("replacement"));
    queue.advance(0.3);
    EXPECT_TRUE(log.empty());
    queue.advance(0.1);
    EXPECT_EQ(log, (std::vector<std::string>{"replacement"}));
}

TEST_F(SimMainQueueTest, oddDelays) {
    struct Case {
        const char* name;
        double delay;
        bool runsNow;
        std::size_t pending;
    };
    const Case cases[] = {
        {"negative counts as 0", -3.0, true, 0},
        {"not a number counts as 0", std::numeric_limits<double>::quiet_NaN(), true, 0},
        {"infinite never comes due", std::numeric_limits<double>::infinity(), false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        bool ran = false;
        queue.asyncAfter(c.delay, [&] { ran = true; });
        EXPECT_EQ(queue.pendingCount(), c.pending + (c.runsNow ? 1 : 0));
        queue.runUntilIdle();
        EXPECT_EQ(ran, c.runsNow);
        EXPECT_EQ(queue.pendingCount(), c.pending);
    }
}

TEST_F(SimMainQueueTest, repeatingTimer_firesEveryIntervalOnItsGrid) {
    const double start = now();
    std::vector<double> firedAt;
    auto timer = queue.scheduleRepeatingTimer(2.0, [&] { firedAt.push_back(now()); });
    queue.advance(1.999);
    EXPECT_TRUE(firedAt.empty());
    queue.advanceTo(start + 2.0);
    EXPECT_EQ(firedAt, (std::vector<double>{start + 2.0}));
    queue.advanceTo(start + 7.0);
    EXPECT_EQ(firedAt, (std::vector<double>{start + 2.0, start + 4.0, start + 6.0}));
    EXPECT_EQ(queue.nextDeadline(), start + 8.0);
    EXPECT_TRUE(timer->isValid());
}

TEST_F(SimMainQueueTest, invalidatedTimer_stops_alsoFromItsOwnBlock) {
    int fired = 0;
    std::shared_ptr<RepeatingTimer> timer;
    timer = queue.scheduleRepeatingTimer(1.0, [&] {
        if (++fired == 2) timer->invalidate();
    });
    queue.advance(10.0);
    EXPECT_EQ(fired, 2);
    EXPECT_FALSE(timer->isValid());
    EXPECT_EQ(queue.pendingCount(), 0u);

    int other = 0;
    auto second = queue.scheduleRepeatingTimer(1.0, [&] { ++other; });
    second->invalidate();
    queue.advance(5.0);
    EXPECT_EQ(other, 0);
}

TEST_F(SimMainQueueTest, timerAfterAJumpOfTheClock_firesOnceAndKeepsItsGrid) {
    const double start = now();
    int fired = 0;
    auto timer = queue.scheduleRepeatingTimer(2.0, [&] { ++fired; });
    sim.clock().setUptime(start + 9.0);  // time passed without the queue running
    queue.runUntilIdle();
    EXPECT_EQ(fired, 1);
    EXPECT_EQ(queue.nextDeadline(), start + 10.0);
}

TEST_F(SimMainQueueTest, timerWithoutAUsableInterval_getsTheShortestInterval) {
    for (double interval : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN()}) {
        SCOPED_TRACE(interval);
        int fired = 0;
        auto timer = queue.scheduleRepeatingTimer(interval, [&] { ++fired; });
        EXPECT_EQ(queue.runUntilIdle(), 0u);
        EXPECT_EQ(queue.nextDeadline(), now() + MainQueue::minimumTimerIntervalSeconds);
        queue.advance(MainQueue::minimumTimerIntervalSeconds);
        EXPECT_EQ(fired, 1);
        timer->invalidate();
    }
}

TEST_F(SimMainQueueTest, advanceToNextDeadline_movesExactlyThere) {
    EXPECT_EQ(queue.advanceToNextDeadline(), 0u);
    const double start = now();
    queue.asyncAfter(0.25, note("tick"));
    queue.asyncAfter(0.5, note("later"));
    EXPECT_EQ(queue.advanceToNextDeadline(), 1u);
    EXPECT_EQ(now(), start + 0.25);
    EXPECT_EQ(log, (std::vector<std::string>{"tick"}));
}

TEST_F(SimMainQueueTest, timeNeverGoesBack) {
    const double start = now();
    queue.advance(1.0);
    EXPECT_THROW(queue.advanceTo(start), std::logic_error);
    EXPECT_THROW(queue.advance(-0.5), std::invalid_argument);
    EXPECT_THROW(sim.clock().setUptime(start), std::logic_error);
    EXPECT_EQ(now(), start + 1.0);
}

TEST_F(SimMainQueueTest, aBlockThatKeepsPostingItself_isReportedInsteadOfSpinning) {
    std::function<void()> again = [&] { queue.async(again); };
    queue.async(again);
    EXPECT_THROW(queue.runUntilIdle(), std::logic_error);
}

TEST_F(SimMainQueueTest, postsFromAnotherThread_arriveOnTheMainThread) {
    std::thread::id ranOn;
    std::thread poster([&] {
        EXPECT_FALSE(queue.isMainThread());
        queue.async([&] { ranOn = std::this_thread::get_id(); });
        EXPECT_THROW(queue.runUntilIdle(), std::logic_error);
    });
    ASSERT_TRUE(queue.waitUntilDue(std::chrono::seconds(10)));
    poster.join();
    EXPECT_TRUE(queue.isMainThread());
    EXPECT_EQ(queue.runUntilIdle(), 1u);
    EXPECT_EQ(ranOn, std::this_thread::get_id());
}

TEST_F(SimMainQueueTest, manyThreadsPosting_loseNothing) {
    constexpr int threads = 4;
    constexpr int perThread = 500;
    std::vector<int> counts(threads, 0);
    std::vector<std::thread> posters;
    for (int t = 0; t < threads; ++t) {
        posters.emplace_back([&, t] {
            for (int i = 0; i < perThread; ++i) queue.async([&counts, t] { ++counts[t]; });
        });
    }
    for (auto& p : posters) p.join();
    EXPECT_EQ(queue.runUntilIdle(), static_cast<std::size_t>(threads * perThread));
    for (int t = 0; t < threads; ++t) EXPECT_EQ(counts[t], perThread);
}

TEST(SimClockTest, wallClockMovesWithTheUptime_andCanBeSet) {
    SimClock clock;
    EXPECT_EQ(clock.systemUptime(), SimClock::initialUptimeSeconds);
    EXPECT_EQ(secondsSince1970(clock.now()), SimClock::initialSecondsSince1970);
    clock.setUptime(SimClock::initialUptimeSeconds + 5);
    EXPECT_EQ(secondsSince1970(clock.now()), SimClock::initialSecondsSince1970 + 5);
    clock.setDate(dateFromSecondsSince1970(100));
    EXPECT_EQ(secondsSince1970(clock.now()), 100);
    clock.setUptime(SimClock::initialUptimeSeconds + 7);
    EXPECT_EQ(secondsSince1970(clock.now()), 102);
    EXPECT_THROW(clock.setUptime(std::numeric_limits<double>::infinity()), std::invalid_argument);
}

}  // namespace
}  // namespace velorin
