#include "Support/Observable.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using velorin::Observable;

TEST(Observable, equalValuesDoNotNotifyButAssignAlwaysDoes) {
    Observable<int> value(1);
    std::vector<int> seen;
    auto token = value.observe([&](const int& v) { seen.push_back(v); });
    value.set(1);
    value.set(2);
    value.assign(2);
    value.unobserve(token);
    value.set(3);
    EXPECT_EQ(seen, (std::vector<int>{2, 2}));
    EXPECT_EQ(value.get(), 3);
}

TEST(Observable, observerMayUnsubscribeAnotherWhileBeingTold) {
    Observable<int> value(0);
    int second = 0;
    Observable<int>::Token t2 = 0;
    value.observe([&](const int&) { value.unobserve(t2); });
    t2 = value.observe([&](const int&) { ++second; });
    value.set(1);
    EXPECT_EQ(second, 0);
}

TEST(Observable, readerHoldingItAsConstObservesAndStopsObserving) {
    Observable<int> value(0);
    const Observable<int>& reader = value;
    int seen = 0;
    auto token = reader.observe([&](const int& v) { seen = v; });
    value.set(4);
    reader.unobserve(token);
    value.set(5);
    EXPECT_EQ(seen, 4);
}

// A subscription ends with its holder, and survives its observable going first.
TEST(Observable, aSubscription_isSafeWhicheverSideGoesFirst) {
    int seen = 0;
    {
        Observable<int> value(0);
        auto observation = value.subscribe([&](const int&) { ++seen; });
        value.set(1);
        {
            auto moved = std::move(observation);
            EXPECT_FALSE(observation.isActive());
            EXPECT_TRUE(moved.isActive());
            value.set(2);
        }  // the holder goes first: no more callbacks
        value.set(3);
        EXPECT_EQ(seen, 2);
    }

    auto value = std::make_unique<Observable<int>>(0);
    auto observation = value->subscribe([&](const int&) { ++seen; });
    value.reset();  // the observable goes first
    EXPECT_FALSE(observation.isActive());
    observation.reset();
    EXPECT_EQ(seen, 2);
}

TEST(Observable, anObserverThatEndsTheObservable_stopsTheTelling) {
    auto value = std::make_unique<Observable<int>>(0);
    int later = 0;
    auto first = value->subscribe([&](const int&) { value.reset(); });
    auto second = value->subscribe([&](const int&) { ++later; });
    value->set(1);
    EXPECT_EQ(value, nullptr);
    EXPECT_EQ(later, 0);
}
