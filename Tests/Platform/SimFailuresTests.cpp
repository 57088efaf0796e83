#include "Platform/Sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace velorin {
namespace {

using sim::FailurePoint;

TEST(SimFailures, failNext_failsOnceAfterTheSkippedAttempts) {
    struct Case {
        const char* name;
        std::vector<int> skips;  // one failNext per entry
        std::vector<bool> expected;
    };
    const Case cases[] = {
        {"nothing set", {}, {false, false, false}},
        {"next", {0}, {true, false, false}},
        {"after one success", {1}, {false, true, false}},
        {"two in a row", {0, 0}, {true, true, false}},
        {"next and the third", {0, 2}, {true, false, true, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::SimFailures failures;
        for (int skip : c.skips) failures.failNext(FailurePoint::keyboardEvent, skip);
        std::vector<bool> seen;
        for (std::size_t i = 0; i < c.expected.size(); ++i) seen.push_back(failures.shouldFail(FailurePoint::keyboardEvent));
        EXPECT_EQ(seen, c.expected);
        EXPECT_EQ(failures.attempts(FailurePoint::keyboardEvent), static_cast<int>(c.expected.size()));
        EXPECT_EQ(failures.attempts(FailurePoint::eventTap), 0);
    }
}

TEST(SimFailures, setFailing_failsEveryAttemptUntilSwitchedOff_andOnlyAtItsPoint) {
    sim::SimFailures failures;
    failures.setFailing(FailurePoint::openURL, true);
    EXPECT_TRUE(failures.shouldFail(FailurePoint::openURL));
    EXPECT_TRUE(failures.shouldFail(FailurePoint::openURL));
    EXPECT_FALSE(failures.shouldFail(FailurePoint::processStart));
    failures.setFailing(FailurePoint::openURL, false);
    EXPECT_FALSE(failures.shouldFail(FailurePoint::openURL));
    failures.failNext(FailurePoint::openURL);
    failures.reset();
    EXPECT_FALSE(failures.shouldFail(FailurePoint::openURL));
    EXPECT_EQ(failures.attempts(FailurePoint::openURL), 1);
    EXPECT_THROW(failures.failNext(FailurePoint::openURL, -1), std::invalid_argument);
}

// Every failure point makes its own creation or call fail, once, and only it.
TEST(SimFailures, everyPointReachesItsService) {
    struct Case {
        FailurePoint point;
        std::function<bool(sim::SimPlatform&)> succeeds;
    };
    const std::vector<Case> cases = {
        {FailurePoint::eventSource,
         [](sim::SimPlatform& s) {
             return s.eventSystem().createEventSource(EventSourceStateID::hidSystemState).has_value();
         }},
        {FailurePoint::keyboardEvent,
         [](sim::SimPlatform& s) { return s.eventSystem().createKeyboardEvent(std::nullopt, 8, true).has_value(); }},
        {FailurePoint::systemDefinedEvent,
         [](sim::SimPlatform& s) { return s.eventSystem().createSystemDefinedEvent({}).has_value(); }},
        {FailurePoint::quartzEvent,
         [](sim::SimPlatform& s) { return s.eventSystem().quartzEvent({}).has_value(); }},
        {FailurePoint::eventTap,
         [](sim::SimPlatform& s) {
             return s.eventSystem().createEventTap(EventTapLocation::session, EventTapPlacement::headInsert,
                                                   EventTapOptions::listenOnly, 0xA, [](EventType) {}) != nullptr;
         }},
        {FailurePoint::accessibilityValue,
         [](sim::SimPlatform& s) {
             return s.accessibility().createValue(Point{1, 2}).has_value() &&
                    s.accessibility().createValue(Size{3, 4}).has_value();
         }},
        {FailurePoint::openURL, [](sim::SimPlatform& s) { return s.workspace().open("https://example.com"); }},
        {FailurePoint::processStart,
         [](sim::SimPlatform& s) { return s.processes().start("/usr/bin/pmset", {"displaysleepnow"}); }},
        {FailurePoint::scriptCreation,
         [](sim::SimPlatform& s) { return s.scripting().makeScript("beep") != nullptr; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(sim::name(c.point)));
        sim::SimPlatform s;
        EXPECT_TRUE(c.succeeds(s));
        s.failNext(c.point);
        EXPECT_FALSE(c.succeeds(s));
        EXPECT_TRUE(c.succeeds(s));
        // Another point's switch leaves this one alone.
        for (const auto& other : cases) {
            if (other.point != c.point) s.setFailing(other.point, true);
        }
        EXPECT_TRUE(c.succeeds(s));
    }
}

TEST(SimFailures, processStartFailure_alsoStopsReadingOutput) {
    sim::SimPlatform s;
    s.processes().setOutput("/usr/bin/shortcuts", {"list"}, "Morning\n");
    s.failNext(FailurePoint::processStart);
    EXPECT_EQ(s.processes().runAndReadOutput("/usr/bin/shortcuts", {"list"}), std::nullopt);
    EXPECT_EQ(s.processes().runAndReadOutput("/usr/bin/shortcuts", {"list"}), std::optional<std::string>("Morning\n"));
}

}  // namespace
}  // namespace velorin
