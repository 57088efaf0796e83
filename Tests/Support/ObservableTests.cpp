#include "Support/Observable.h"

#include <gtest/gtest.h>

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
