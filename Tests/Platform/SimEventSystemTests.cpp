#include "Platform/Sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <vector>

namespace velorin {
namespace {

class SimEventSystemTest : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    EventSystem& events = sim.platform().eventSystem();
    sim::SimEventSystem& simEvents = sim.eventSystem();

    std::unique_ptr<EventTap> clickTap(std::vector<EventType>& heard) {
        return events.createEventTap(EventTapLocation::session, EventTapPlacement::headInsert,
                                     EventTapOptions::listenOnly,
                                     eventMaskBit(event_type::leftMouseDown) | eventMaskBit(event_type::rightMouseDown),
                                     [&heard](EventType t) { heard.push_back(t); });
    }
};

TEST_F(SimEventSystemTest, postedEvents_areRecordedInOrderWithEverything) {
    auto source = events.createEventSource(EventSourceStateID::hidSystemState);
    ASSERT_TRUE(source);
    auto down = events.createKeyboardEvent(source, 8, true);
    auto up = events.createKeyboardEvent(std::nullopt, 8, false);
    ASSERT_TRUE(down && up);
    down->flags = event_flags::control;
    down->unicodeString = std::u16string(1, char16_t{3});
    SystemDefinedEvent fields;
    fields.modifierFlags = 0xA00;
    fields.subtype = 8;
    fields.data1 = 0x20A00;
    fields.data2 = -1;
    auto media = events.createSystemDefinedEvent(fields);
    ASSERT_TRUE(media);
    EXPECT_EQ(*media, fields);
    auto posted = events.quartzEvent(*media);
    ASSERT_TRUE(posted);

    events.post(EventTapLocation::hid, *down);
    events.post(EventTapLocation::hid, *posted);
    events.post(EventTapLocation::session, *up);

    KeyboardEvent expectedDown{EventSource{EventSourceStateID::hidSystemState}, 8, true, 0x40000, u"\x03"};
    KeyboardEvent expectedUp{std::nullopt, 8, false, 0, u""};
    EXPECT_EQ(simEvents.postedEvents(),
              (std::vector<sim::PostedEvent>{{EventTapLocation::hid, expectedDown},
                                             {EventTapLocation::hid, fields},
                                             {EventTapLocation::session, expectedUp}}));
    EXPECT_EQ(simEvents.postedKeyboardEvents(), (std::vector<KeyboardEvent>{expectedDown, expectedUp}));
    EXPECT_EQ(simEvents.postedSystemDefinedEvents(), (std::vector<SystemDefinedEvent>{fields}));
    simEvents.clearPostedEvents();
    EXPECT_TRUE(simEvents.postedEvents().empty());
}

TEST_F(SimEventSystemTest, madeButNotPostedEvents_leaveNoRecord) {
    ASSERT_TRUE(events.createKeyboardEvent(std::nullopt, 0, true));
    EXPECT_TRUE(simEvents.postedEvents().empty());
}

TEST_F(SimEventSystemTest, buttonState_followsTheTest) {
    EXPECT_FALSE(events.buttonState(EventSourceStateID::combinedSessionState, MouseButton::left));
    simEvents.setButtonDown(MouseButton::right, true);
    EXPECT_FALSE(events.buttonState(EventSourceStateID::combinedSessionState, MouseButton::left));
    EXPECT_TRUE(events.buttonState(EventSourceStateID::combinedSessionState, MouseButton::right));
    simEvents.setButtonDown(MouseButton::right, false);
    EXPECT_FALSE(events.buttonState(EventSourceStateID::combinedSessionState, MouseButton::right));
    EXPECT_EQ(simEvents.buttonStateQueries(), 4);
}

TEST_F(SimEventSystemTest, tap_deliversOnlyItsTypes_whileEnabledAndInTheRunLoop) {
    std::vector<EventType> heard;
    auto tap = clickTap(heard);
    ASSERT_TRUE(tap);
    EXPECT_TRUE(tap->isEnabled());
    EXPECT_EQ(simEvents.taps(), (std::vector<sim::TapDescription>{{EventTapLocation::session,
                                                                   EventTapPlacement::headInsert,
                                                                   EventTapOptions::listenOnly, 0xA, true, false}}));
    // Not yet in the run loop.
    EXPECT_EQ(simEvents.sendEvent(event_type::leftMouseDown), 0);
    tap->addToRunLoop();
    for (EventType t : {event_type::leftMouseDown, event_type::leftMouseUp, event_type::mouseMoved,
                        event_type::rightMouseDown, event_type::rightMouseUp, event_type::otherMouseDown}) {
        simEvents.sendEvent(t);
    }
    EXPECT_EQ(heard, (std::vector<EventType>{event_type::leftMouseDown, event_type::rightMouseDown}));

    tap->setEnabled(false);
    EXPECT_EQ(simEvents.sendEvent(event_type::leftMouseDown), 0);
    tap->setEnabled(true);
    tap->removeFromRunLoop();
    EXPECT_EQ(simEvents.sendEvent(event_type::leftMouseDown), 0);
    EXPECT_EQ(heard.size(), 2u);
}

TEST_F(SimEventSystemTest, disabledTap_hearsTheNotice_andNothingUntilEnabledAgain) {
    for (EventType notice : {event_type::tapDisabledByTimeout, event_type::tapDisabledByUserInput}) {
        SCOPED_TRACE(notice);
        std::vector<EventType> heard;
        auto tap = clickTap(heard);
        tap->addToRunLoop();
        simEvents.disableTaps(notice);
        EXPECT_FALSE(tap->isEnabled());
        EXPECT_EQ(heard, (std::vector<EventType>{notice}));
        simEvents.sendEvent(event_type::leftMouseDown);
        EXPECT_EQ(heard.size(), 1u);
        // Already off: no second notice.
        simEvents.disableTaps(notice);
        EXPECT_EQ(heard.size(), 1u);
        tap->setEnabled(true);
        simEvents.sendEvent(event_type::leftMouseDown);
        EXPECT_EQ(heard, (std::vector<EventType>{notice, event_type::leftMouseDown}));
    }
}

TEST_F(SimEventSystemTest, tapReenabledFromItsOwnNotice_keepsListening) {
    std::unique_ptr<EventTap> tap;
    std::vector<EventType> heard;
    tap = events.createEventTap(EventTapLocation::session, EventTapPlacement::headInsert, EventTapOptions::listenOnly,
                                0xA, [&](EventType t) {
                                    heard.push_back(t);
                                    if (t >= event_type::tapDisabledByTimeout) tap->setEnabled(true);
                                });
    tap->addToRunLoop();
    simEvents.disableTaps();
    EXPECT_TRUE(tap->isEnabled());
    simEvents.sendEvent(event_type::rightMouseDown);
    EXPECT_EQ(heard, (std::vector<EventType>{event_type::tapDisabledByTimeout, event_type::rightMouseDown}));
}

TEST_F(SimEventSystemTest, destroyedTap_isGoneAndHearsNothing) {
    std::vector<EventType> heard;
    auto tap = clickTap(heard);
    tap->addToRunLoop();
    tap.reset();
    EXPECT_TRUE(simEvents.taps().empty());
    EXPECT_EQ(simEvents.sendEvent(event_type::leftMouseDown), 0);
    EXPECT_TRUE(heard.empty());
}

TEST_F(SimEventSystemTest, tapEndedByAnotherTapsCallback_hearsNothingMore) {
    std::vector<EventType> secondHeard;
    std::unique_ptr<EventTap> second;
    auto first = events.createEventTap(EventTapLocation::session, EventTapPlacement::headInsert,
                                       EventTapOptions::listenOnly, 0xA, [&](EventType) { second.reset(); });
    second = clickTap(secondHeard);
    first->addToRunLoop();
    second->addToRunLoop();
    EXPECT_EQ(simEvents.sendEvent(event_type::leftMouseDown), 1);
    EXPECT_TRUE(secondHeard.empty());
}

TEST(SimEventTapLifetime, tapMayOutliveItsEventSystem) {
    std::unique_ptr<EventTap> tap;
    {
        sim::SimPlatform sim;
        tap = sim.eventSystem().createEventTap(EventTapLocation::session, EventTapPlacement::headInsert,
                                               EventTapOptions::listenOnly, 0xA, [](EventType) {});
        tap->addToRunLoop();
    }
    tap->setEnabled(false);
    EXPECT_FALSE(tap->isEnabled());
    tap.reset();
}

}  // namespace
}  // namespace velorin
