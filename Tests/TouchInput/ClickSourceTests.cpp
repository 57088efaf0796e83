#include "TouchInput/ClickSource.h"

#include <gtest/gtest.h>

#include <memory>
#include <unordered_set>

#include "Platform/Sim/SimPlatform.h"

using namespace velorin;

namespace {

class ClickSourceTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    sim::SimEventSystem& events = sim.eventSystem();
    int clicks = 0;
    ClickSource::ClickHandler count() {
        return [this] { ++clicks; };
    }
};

const std::string tapUnavailableText =
    "Could not create a mouse event tap (check Accessibility / Input Monitoring permission)";

}  // namespace

TEST_F(ClickSourceTest, start_makesAnEnabledListenOnlySessionTapForButtonDowns) {
    ClickSource source;
    source.start(count());
    const sim::TapDescription expected{EventTapLocation::session, EventTapPlacement::headInsert,
                                       EventTapOptions::listenOnly, 0xA, true, true};
    EXPECT_EQ(events.taps(), std::vector<sim::TapDescription>{expected});
}

TEST_F(ClickSourceTest, leftAndRightButtonDowns_callTheHandlerOnceEach) {
    ClickSource source;
    source.start(count());
    struct Case {
        EventType type;
        int clicks;
    };
    const Case cases[] = {
        {event_type::leftMouseDown, 1},   {event_type::rightMouseDown, 1}, {event_type::leftMouseUp, 0},
        {event_type::rightMouseUp, 0},    {event_type::mouseMoved, 0},     {event_type::leftMouseDragged, 0},
        {event_type::otherMouseDown, 0},  {event_type::keyDown, 0},        {event_type::scrollWheel, 0},
    };
    for (const auto& c : cases) {
        clicks = 0;
        events.sendEvent(c.type);
        EXPECT_EQ(clicks, c.clicks) << "event type " << c.type;
    }
}

TEST_F(ClickSourceTest, tapDisabledNotices_enableTheTapAgainWithoutAClick) {
    ClickSource source;
    source.start(count());
    for (EventType notice : {event_type::tapDisabledByTimeout, event_type::tapDisabledByUserInput}) {
        events.disableTaps(notice);
        ASSERT_EQ(events.taps().size(), 1u);
        EXPECT_TRUE(events.taps()[0].enabled) << notice;
        EXPECT_EQ(clicks, 0) << notice;
    }
    events.sendEvent(event_type::leftMouseDown);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ClickSourceTest, tapRefused_throwsItsTextAndKeepsTheHandler) {
    ClickSource source;
    auto owner = std::make_shared<int>(0);
    sim.failNext(sim::FailurePoint::eventTap);
    try {
        source.start([owner] {});
        ADD_FAILURE() << "started";
    } catch (const ClickSource::Error& e) {
        EXPECT_EQ(e, ClickSource::Error::tapUnavailable());
        EXPECT_EQ(e.description(), tapUnavailableText);
        EXPECT_STREQ(e.what(), tapUnavailableText.c_str());
    }
    EXPECT_TRUE(events.taps().empty());
    EXPECT_EQ(owner.use_count(), 2);  // the handler is still held
    source.stop();
    EXPECT_EQ(owner.use_count(), 1);

    source.start(count());  // a later start can succeed
    events.sendEvent(event_type::rightMouseDown);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ClickSourceTest, afterStop_clicksReachNothingAndTheTapIsGone) {
    ClickSource source;
    source.start(count());
    source.stop();
    EXPECT_TRUE(events.taps().empty());
    EXPECT_EQ(events.sendEvent(event_type::leftMouseDown), 0);
    EXPECT_EQ(clicks, 0);
    source.stop();  // twice is harmless
}

TEST_F(ClickSourceTest, secondStart_replacesTheFirstTap) {
    ClickSource source;
    int first = 0;
    source.start([&first] { ++first; });
    source.start(count());
    EXPECT_EQ(events.taps().size(), 1u);
    events.sendEvent(event_type::leftMouseDown);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ClickSourceTest, destroyingTheSource_endsItsTap) {
    {
        ClickSource source;
        source.start(count());
    }
    EXPECT_TRUE(events.taps().empty());
    EXPECT_EQ(events.sendEvent(event_type::leftMouseDown), 0);
}

TEST_F(ClickSourceTest, handlerThatStopsTheSource_runsToTheEnd) {
    ClickSource source;
    auto owner = std::make_shared<int>(0);
    source.start([&, owner] {
        source.stop();
        ++*owner;  // still alive while it runs
        ++clicks;
    });
    events.sendEvent(event_type::leftMouseDown);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(events.taps().empty());
}

TEST(ClickSourceError, isEquatableAndHashable) {
    std::unordered_set<ClickSourceError> errors{ClickSourceError::tapUnavailable(), ClickSourceError::tapUnavailable()};
    EXPECT_EQ(errors.size(), 1u);
}
