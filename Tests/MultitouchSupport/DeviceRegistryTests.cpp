#include "MultitouchSupport/DeviceRegistry.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>

#include "EventScript.h"
#include "FakeBackend.h"

using namespace velorin::multitouch;
using velorin::testing::EventScript;
using velorin::testing::FakeBackend;

namespace {

struct Delivered {
    MTDeviceRef device = nullptr;
    std::vector<MTTouch> touches;
    double timestamp = 0;
    int frame = 0;
    int callback = 0;  // which of the test callbacks got it
};

// What the callbacks received; they take no context, so it is shared.
class Sink {
public:
    void add(Delivered d) {
        std::lock_guard lock(mutex_);
        frames_.push_back(std::move(d));
        cv_.notify_all();
    }
    // Waits (for the reader thread, never for time) until `count` frames came.
    bool waitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        return cv_.wait_for(lock, std::chrono::seconds(20), [&] { return frames_.size() >= count; });
    }
    std::vector<Delivered> frames() {
        std::lock_guard lock(mutex_);
        return frames_;
    }
    void clear() {
        std::lock_guard lock(mutex_);
        frames_.clear();
    }

private:
    std::mutex mutex_;
    std::condition_variable cv_;
    std::vector<Delivered> frames_;
};

Sink sink;
DeviceRegistry* stopFromCallback = nullptr;  // set by the test that stops a device from its own callback

template <int Which>
int32_t record(MTDeviceRef device, const MTTouch* touches, int32_t count, double timestamp, int32_t frame) {
    Delivered d{device, {}, timestamp, frame, Which};
    if (touches && count > 0) d.touches.assign(touches, touches + count);
    sink.add(std::move(d));
    if (Which == 3 && stopFromCallback) stopFromCallback->stop(device);
    return 0;
}

std::string states(const Delivered& d) {
    std::string out;
    for (const auto& t : d.touches) out += std::to_string(t.pathIndex) + ":" + std::to_string(t.state) + " ";
    return out;
}

FakeBackend::Pad pad(const std::string& name, int product = 1) {
    FakeBackend::Pad p;
    p.identity.name = name;
    p.identity.vendor = 0x06cb;
    p.identity.product = product;
    p.snapshot.axes.x = {0, 1000};
    p.snapshot.axes.y = {0, 500};
    p.snapshot.axes.slotCount = 3;
    p.snapshot.slots.resize(3);
    return p;
}

std::vector<input_event> landAt(double t) { return EventScript().at(t).land(0, 1, 500, 250).report().take(); }

class DeviceRegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        sink.clear();
        control = std::make_shared<FakeBackend::Control>();
        registry = std::make_unique<DeviceRegistry>(std::make_unique<FakeBackend>(control));
    }
    void TearDown() override {
        registry.reset();
        stopFromCallback = nullptr;
    }

    std::vector<MTDeviceRef> list() {
        MTDeviceList* l = registry->createList();
        EXPECT_NE(l, nullptr);
        std::vector<MTDeviceRef> refs(l->devices, l->devices + l->count);
        l->release(l);
        return refs;
    }

    // Lists the touchpad at `node` (the only one), registers the first callback and starts it.
    MTDeviceRef startOnly(const std::string& node, const FakeBackend::Pad& p) {
        control->plug(node, p);
        const auto d = list().at(0);
        registry->registerCallback(d, &record<1>);
        registry->start(d);
        EXPECT_TRUE(control->waitForOpens(node, 1));
        return d;
    }

    // What holds whatever suspends the touchpad at event4, by `suspend` and `resume` at a time:
    // a finger down then delivers nothing further and gives no tap; on return it lifts at
    // that time (no tap, no hold), and new touches land afresh, in the slot the pad means.
    void expectSilentWhileSuspended(const std::function<void(double)>& suspend,
                                    const std::function<void(double)>& resume) {
        const std::string node = "/dev/input/event4";
        control->send(node, landAt(10.0));
        ASSERT_TRUE(sink.waitFor(1));

        // Suspended under the finger: no lift (no tap), no repeats (no hold), and nothing
        // touched meanwhile is delivered.
        suspend(10.05);
        ASSERT_TRUE(control->waitForIdle(node));
        control->send(node, EventScript().at(10.1).slot(0).x(600).report().take());
        control->tick(node, 10.2);
        control->send(node, EventScript().at(11.0).slot(0).id(-1).report().take());
        // The pad's last word names slot 1; later events that name no slot are about it.
        control->send(node, EventScript().at(12.0).land(1, 7, 200, 200).report().take());
        control->send(node, EventScript().at(13.0).id(-1).report().take());

        ASSERT_TRUE(control->waitForIdle(node));
        resume(30.0);
        control->send(node, EventScript().at(31.0).id(9).x(300).y(300).report().take());
        ASSERT_TRUE(sink.waitFor(3));
        const auto frames = sink.frames();
        ASSERT_EQ(frames.size(), 3u);
        EXPECT_EQ(states(frames[0]), "0:3 ");
        EXPECT_EQ(states(frames[1]), "0:5 ");
        EXPECT_DOUBLE_EQ(frames[1].timestamp, 30.0);
        EXPECT_EQ(states(frames[2]), "1:3 ");
        EXPECT_DOUBLE_EQ(frames[2].timestamp, 31.0);
    }

    std::shared_ptr<FakeBackend::Control> control;
    std::unique_ptr<DeviceRegistry> registry;
};

}  // namespace

TEST_F(DeviceRegistryTest, list_givesEachTouchpadTheSamePointerEveryTime) {
    EXPECT_TRUE(list().empty());
    control->plug("/dev/input/event5", pad("B"));
    control->plug("/dev/input/event3", pad("A"));
    const auto first = list();
    ASSERT_EQ(first.size(), 2u);
    EXPECT_NE(first[0], first[1]);
    EXPECT_EQ(list(), first);

    // A comes back under another node: same pointer; a new pad gets a new one.
    control->unplug("/dev/input/event3");
    control->plug("/dev/input/event9", pad("A"));
    control->plug("/dev/input/event8", pad("C"));
    const auto later = list();
    ASSERT_EQ(later.size(), 3u);
    EXPECT_EQ(later[0], first[1]);  // B, at event5
    EXPECT_NE(later[1], first[0]);  // C, at event8
    EXPECT_NE(later[1], first[1]);
    EXPECT_EQ(later[2], first[0]);  // A, at event9
}

TEST_F(DeviceRegistryTest, twoIdenticalTouchpads_getTwoPointersAndBothDeliver) {
    control->plug("/dev/input/event1", pad("Same"));
    control->plug("/dev/input/event2", pad("Same"));
    const auto devices = list();
    ASSERT_EQ(devices.size(), 2u);
    ASSERT_NE(devices[0], devices[1]);
    for (auto d : devices) {
        registry->registerCallback(d, &record<1>);
        registry->start(d);
    }
    ASSERT_TRUE(control->waitForOpens("/dev/input/event1", 1));
    ASSERT_TRUE(control->waitForOpens("/dev/input/event2", 1));
    control->send("/dev/input/event1", landAt(0));
    control->send("/dev/input/event2", landAt(0));
    ASSERT_TRUE(sink.waitFor(2));
    const auto frames = sink.frames();
    EXPECT_NE(frames[0].device, frames[1].device);
}

TEST_F(DeviceRegistryTest, startedTouchpad_deliversEveryReportToItsCallbacks) {
    control->plug("/dev/input/event4", pad("A"));
    const auto devices = list();
    ASSERT_EQ(devices.size(), 1u);
    registry->registerCallback(devices[0], &record<1>);
    registry->registerCallback(devices[0], &record<1>);  // twice: held once
    registry->registerCallback(devices[0], &record<2>);
    registry->start(devices[0]);
    registry->start(devices[0]);  // a second start changes nothing
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));
    EXPECT_TRUE(registry->isReading(devices[0]));

    EventScript s;
    s.at(3.000).land(0, 7, 250, 100).report();
    s.at(3.007).report();
    control->send("/dev/input/event4", s.take());
    ASSERT_TRUE(sink.waitFor(4));
    auto frames = sink.frames();
    ASSERT_EQ(frames.size(), 4u);
    for (const auto& f : frames) EXPECT_EQ(f.device, devices[0]);
    EXPECT_EQ(frames[0].callback, 1);
    EXPECT_EQ(frames[1].callback, 2);
    EXPECT_EQ(states(frames[0]), "0:3 ");
    EXPECT_EQ(states(frames[2]), "0:4 ");
    EXPECT_DOUBLE_EQ(frames[2].timestamp, 3.007);
    EXPECT_EQ(frames[2].frame, frames[0].frame + 1);

    registry->unregisterCallback(devices[0], &record<2>);
    control->send("/dev/input/event4", EventScript().at(3.014).lift(0).report().take());
    ASSERT_TRUE(sink.waitFor(5));
    frames = sink.frames();
    ASSERT_EQ(frames.size(), 5u);
    EXPECT_EQ(frames[4].callback, 1);
    EXPECT_EQ(states(frames[4]), "0:5 ");
    EXPECT_EQ(control->opens("/dev/input/event4"), 1);  // opened once, never grabbed or reopened
}

TEST_F(DeviceRegistryTest, silentFingerIsRepeatedWhenTheReadersDeadlinePasses) {
    control->plug("/dev/input/event4", pad("A"));
    const auto d = list().at(0);
    registry->registerCallback(d, &record<1>);
    registry->start(d);
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));
    control->send("/dev/input/event4", landAt(10.0));
    control->tick("/dev/input/event4", 10.0 + repeatIntervalSeconds);
    ASSERT_TRUE(sink.waitFor(2));
    const auto frames = sink.frames();
    EXPECT_EQ(states(frames[1]), "0:4 ");
    EXPECT_DOUBLE_EQ(frames[1].timestamp, 10.0 + repeatIntervalSeconds);
}

TEST_F(DeviceRegistryTest, stop_joinsTheReaderAndStartOpensTheTouchpadAgain) {
    control->plug("/dev/input/event4", pad("A"));
    const auto d = list().at(0);
    registry->registerCallback(d, &record<1>);
    registry->start(d);
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));
    EXPECT_TRUE(control->watching());
    registry->stop(d);
    EXPECT_FALSE(registry->isReading(d));
    EXPECT_FALSE(control->watching());  // nothing started: no watch thread either
    control->send("/dev/input/event4", landAt(0));  // to a stream nobody reads any more

    registry->start(d);
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 2));
    control->send("/dev/input/event4", landAt(1.0));
    ASSERT_TRUE(sink.waitFor(1));
    const auto frames = sink.frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_DOUBLE_EQ(frames[0].timestamp, 1.0);
}

TEST_F(DeviceRegistryTest, touchpadThatGoes_liftsItsFingersAndResumesWhenItComesBack) {
    control->plug("/dev/input/event4", pad("A"));
    const auto d = list().at(0);
    registry->registerCallback(d, &record<1>);
    registry->start(d);
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));
    control->send("/dev/input/event4", landAt(1.0));
    ASSERT_TRUE(sink.waitFor(1));

    control->unplug("/dev/input/event4");  // suspended or unplugged with a finger down
    ASSERT_TRUE(sink.waitFor(2));
    EXPECT_EQ(states(sink.frames()[1]), "0:5 ");

    auto moved = pad("A");  // back, under another node and in another port
    moved.identity.phys = "usb-0000:00:14.0-2/input0";
    control->plug("/dev/input/event11", moved);
    control->changed();
    ASSERT_TRUE(control->waitForOpens("/dev/input/event11", 1));
    control->send("/dev/input/event11", landAt(7.0));
    ASSERT_TRUE(sink.waitFor(3));
    const auto frames = sink.frames();
    EXPECT_EQ(frames[2].device, d);  // the same device, so the same index in the source's list
    EXPECT_EQ(states(frames[2]), "0:3 ");
    EXPECT_EQ(list(), (std::vector<MTDeviceRef>{d}));
}

TEST_F(DeviceRegistryTest, touchpadAbsentWhenStarted_isReadOnceItAppears) {
    control->plug("/dev/input/event4", pad("A"));
    const auto d = list().at(0);
    control->unplug("/dev/input/event4");
    registry->registerCallback(d, &record<1>);
    registry->start(d);
    EXPECT_FALSE(registry->isReading(d));
    control->plug("/dev/input/event6", pad("A"));
    control->changed();
    ASSERT_TRUE(control->waitForOpens("/dev/input/event6", 1));
    EXPECT_TRUE(registry->isReading(d));
}

TEST_F(DeviceRegistryTest, aTouchpadThatComesLater_deliversToTheStartedCallbacksUntilTheyStop) {
    control->plug("/dev/input/event4", pad("A"));
    const auto d = list().at(0);
    registry->registerCallback(d, &record<1>);
    registry->start(d);
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));

    // A Bluetooth pad connects after the list was made: it is read without a restart.
    control->plug("/dev/input/event7", pad("Later", 2));
    control->changed();
    ASSERT_TRUE(control->waitForOpens("/dev/input/event7", 1));
    control->send("/dev/input/event7", landAt(5.0));
    ASSERT_TRUE(sink.waitFor(1));
    const MTDeviceRef later = sink.frames()[0].device;
    EXPECT_NE(later, d);
    EXPECT_EQ(sink.frames()[0].callback, 1);
    EXPECT_EQ(states(sink.frames()[0]), "0:3 ");

    // Gone and back in another port: its fingers lift, and it delivers as the same device.
    control->unplug("/dev/input/event7");
    ASSERT_TRUE(sink.waitFor(2));
    EXPECT_EQ(states(sink.frames()[1]), "0:5 ");
    auto moved = pad("Later", 2);
    moved.identity.phys = "usb-0000:00:14.0-3/input0";
    control->plug("/dev/input/event9", moved);
    control->changed();
    ASSERT_TRUE(control->waitForOpens("/dev/input/event9", 1));
    control->send("/dev/input/event9", landAt(9.0));
    ASSERT_TRUE(sink.waitFor(3));
    EXPECT_EQ(sink.frames()[2].device, later);
    EXPECT_TRUE(registry->isReading(later));

    // Once the listed touchpads stop, so does the one that came later.
    registry->stop(d);
    EXPECT_FALSE(registry->isReading(later));
    EXPECT_FALSE(control->watching());
}

TEST_F(DeviceRegistryTest, withoutAStartedTouchpad_aNewOneIsNotOpened) {
    control->plug("/dev/input/event4", pad("A"));
    const auto d = list().at(0);
    registry->registerCallback(d, &record<1>);
    registry->start(d);
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));
    registry->stop(d);
    control->plug("/dev/input/event7", pad("Later", 2));
    control->changed();
    EXPECT_EQ(list().size(), 2u);
    EXPECT_EQ(control->opens("/dev/input/event7"), 0);
}

TEST_F(DeviceRegistryTest, pointersItDidNotHandOut_areIgnored) {
    int stranger = 0;
    registry->registerCallback(&stranger, &record<1>);
    registry->start(&stranger);
    registry->unregisterCallback(&stranger, &record<1>);
    registry->stop(&stranger);
    registry->start(nullptr);
    EXPECT_FALSE(registry->isReading(&stranger));
    EXPECT_FALSE(control->watching());
}

TEST_F(DeviceRegistryTest, stopFromInsideItsOwnCallback_endsDeliveryWithoutDeadlock) {
    control->plug("/dev/input/event4", pad("A"));
    const auto d = list().at(0);
    stopFromCallback = registry.get();
    registry->registerCallback(d, &record<3>);
    registry->start(d);
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));
    EventScript s;
    s.at(0).land(0, 1, 10, 10).report();
    s.at(0.007).report();
    control->send("/dev/input/event4", s.take());
    ASSERT_TRUE(sink.waitFor(1));
    registry.reset();  // joins the reader that stopped itself
    const auto frames = sink.frames();
    ASSERT_EQ(frames.size(), 1u) << states(frames.back()) << frames.back().timestamp << " cb" << frames.back().callback;
}

TEST_F(DeviceRegistryTest, destroyingTheRegistry_stopsAndJoinsEverything) {
    control->plug("/dev/input/event4", pad("A"));
    control->plug("/dev/input/event5", pad("B"));
    for (auto d : list()) {
        registry->registerCallback(d, &record<1>);
        registry->start(d);
    }
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));
    ASSERT_TRUE(control->waitForOpens("/dev/input/event5", 1));
    registry.reset();
    EXPECT_FALSE(control->watching());
}

TEST_F(DeviceRegistryTest, silenceUnderAFinger_isCheckedOnceForAGrabByAnotherProgram) {
    for (const bool grabbed : {true, false}) {
        SCOPED_TRACE(grabbed ? "grabbed" : "resting");
        sink.clear();
        SetUp();
        control->plug("/dev/input/event4", pad("A"));
        const auto d = list().at(0);
        registry->registerCallback(d, &record<1>);
        registry->start(d);
        ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));
        control->send("/dev/input/event4", landAt(10.0));
        control->grab("/dev/input/event4", grabbed);
        // Just before the check: a repeat. At it, the device is asked once whether it is grabbed.
        control->tick("/dev/input/event4", 10.0 + silenceCheckSeconds - 0.001);
        control->tick("/dev/input/event4", 10.0 + silenceCheckSeconds);
        ASSERT_TRUE(control->waitForGrabChecks("/dev/input/event4", 1));
        // After it: a grabbed pad repeats nothing (no phantom hold) and lifts nothing (no tap);
        // a resting finger is repeated on, and not asked about again.
        control->tick("/dev/input/event4", 10.0 + silenceCheckSeconds + 0.05);
        ASSERT_TRUE(sink.waitFor(grabbed ? 2 : 3));
        control->grab("/dev/input/event4", false);
        control->send("/dev/input/event4", EventScript().at(12.0).slot(0).id(2).x(300).report().take());
        ASSERT_TRUE(sink.waitFor(grabbed ? 4 : 5));
        std::vector<std::string> got;
        std::vector<double> times;
        for (const auto& f : sink.frames()) {
            got.push_back(states(f));
            times.push_back(f.timestamp);
        }
        // When the device speaks again: after a grab, the stale finger lifts first, at that time.
        const std::vector<std::string> expected =
            grabbed ? std::vector<std::string>{"0:3 ", "0:4 ", "0:5 ", "0:3 "}
                    : std::vector<std::string>{"0:3 ", "0:4 ", "0:4 ", "0:5 ", "0:3 "};
        EXPECT_EQ(got, expected);
        if (grabbed) {
            ASSERT_EQ(times.size(), 4u);
            EXPECT_DOUBLE_EQ(times[2], 12.0);
        }
        {
            std::lock_guard lock(control->mutex);
            EXPECT_EQ(control->grabChecks["/dev/input/event4"], 1);
        }
        TearDown();
    }
}

TEST_F(DeviceRegistryTest, whileAnotherUsersSessionIsActive_nothingIsDeliveredAndTheFingerLiftsOnReturn) {
    const auto d = startOnly("/dev/input/event4", pad("A"));
    EXPECT_TRUE(control->watchingSession());
    expectSilentWhileSuspended([&](double now) { control->switchSession(false, now); },
                               [&](double now) { control->switchSession(true, now); });
    registry->stop(d);
    EXPECT_FALSE(control->watchingSession());
}

TEST_F(DeviceRegistryTest, whileTheDesktopHasTheTouchpadOff_nothingIsDeliveredAndTheFingerLiftsOnReturn) {
    struct Case {
        const char* name;
        TouchpadSwitch off;
    };
    const Case cases[] = {
        {"every pad off (GNOME)", {true, {}, {}}},
        {"this pad off by name (Plasma)", {false, {{0x06cb, 1, "Other"}, {0x06cb, 1, "A"}}, {}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        sink.clear();
        SetUp();
        const auto d = startOnly("/dev/input/event4", pad("A"));
        EXPECT_TRUE(control->watchingTouchpadSwitch());
        expectSilentWhileSuspended([&](double now) { control->switchTouchpads(c.off, now); },
                                   [&](double now) { control->switchTouchpads(TouchpadSwitch{}, now); });
        registry->stop(d);
        EXPECT_FALSE(control->watchingTouchpadSwitch());
        TearDown();
    }
}

TEST_F(DeviceRegistryTest, aTouchpadTheDesktopDoesNotNameOff_goesOnDelivering) {
    control->plug("/dev/input/event4", pad("A"));
    control->plug("/dev/input/event5", pad("B", 2));
    const auto devices = list();
    for (auto d : devices) {
        registry->registerCallback(d, &record<1>);
        registry->start(d);
    }
    ASSERT_TRUE(control->waitForOpens("/dev/input/event4", 1));
    ASSERT_TRUE(control->waitForOpens("/dev/input/event5", 1));
    control->switchTouchpads(TouchpadSwitch{false, {{0x06cb, 2, "B"}, {0x06cb, 1, "B"}, {0x06cb, 2, "A"}}, {}}, 1.0);
    ASSERT_TRUE(control->waitForIdle("/dev/input/event5"));
    control->send("/dev/input/event5", landAt(2.0));
    ASSERT_TRUE(control->waitForIdle("/dev/input/event5"));
    control->send("/dev/input/event4", landAt(3.0));
    ASSERT_TRUE(sink.waitFor(1));
    const auto frames = sink.frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].device, devices[0]);
    EXPECT_DOUBLE_EQ(frames[0].timestamp, 3.0);
}

TEST_F(DeviceRegistryTest, theSessionAndTheDesktopSwitch_eachKeepTheTouchpadSilentOnTheirOwn) {
    startOnly("/dev/input/event4", pad("A"));
    control->send("/dev/input/event4", landAt(10.0));
    ASSERT_TRUE(sink.waitFor(1));

    control->switchTouchpads(TouchpadSwitch{true, {}, {}}, 10.05);
    control->switchSession(false, 10.1);
    control->switchTouchpads(TouchpadSwitch{}, 11.0);  // on, but another user's session is active
    ASSERT_TRUE(control->waitForIdle("/dev/input/event4"));
    control->send("/dev/input/event4", EventScript().at(12.0).land(1, 7, 200, 200).report().take());
    ASSERT_TRUE(control->waitForIdle("/dev/input/event4"));
    control->switchTouchpads(TouchpadSwitch{true, {}, {}}, 13.0);
    control->switchSession(true, 14.0);  // back, but the desktop has the pad off again
    ASSERT_TRUE(control->waitForIdle("/dev/input/event4"));
    control->send("/dev/input/event4", EventScript().at(15.0).land(2, 8, 300, 300).report().take());
    ASSERT_TRUE(control->waitForIdle("/dev/input/event4"));

    control->switchTouchpads(TouchpadSwitch{}, 30.0);
    ASSERT_TRUE(sink.waitFor(2));
    const auto frames = sink.frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(states(frames[1]), "0:5 ");
    EXPECT_DOUBLE_EQ(frames[1].timestamp, 30.0);
}

TEST_F(DeviceRegistryTest, offBeforeStarting_andAPadThatComesWhileOff_deliverNothingUntilOn) {
    control->touchpadSwitch = TouchpadSwitch{true, {}, {}};
    const auto d = startOnly("/dev/input/event4", pad("A"));
    control->send("/dev/input/event4", landAt(1.0));
    control->plug("/dev/input/event7", pad("Later", 2));
    control->changed();
    ASSERT_TRUE(control->waitForOpens("/dev/input/event7", 1));
    control->send("/dev/input/event7", landAt(2.0));
    ASSERT_TRUE(control->waitForIdle("/dev/input/event4"));
    ASSERT_TRUE(control->waitForIdle("/dev/input/event7"));

    control->switchTouchpads(TouchpadSwitch{}, 20.0);
    ASSERT_TRUE(control->waitForIdle("/dev/input/event4"));
    ASSERT_TRUE(control->waitForIdle("/dev/input/event7"));
    control->send("/dev/input/event7", EventScript().at(21.0).land(0, 5, 100, 100).report().take());
    ASSERT_TRUE(sink.waitFor(1));
    const auto frames = sink.frames();
    ASSERT_EQ(frames.size(), 1u);  // nothing from before, no lift of what was never delivered
    EXPECT_NE(frames[0].device, d);
    EXPECT_EQ(states(frames[0]), "0:3 ");
    EXPECT_DOUBLE_EQ(frames[0].timestamp, 21.0);
}

TEST_F(DeviceRegistryTest, touchpadGrabbedByAnotherProgram_isNotListed) {
    control->plug("/dev/input/event4", pad("A"));
    control->plug("/dev/input/event5", pad("B"));
    control->grab("/dev/input/event4", true);
    EXPECT_EQ(list().size(), 1u);
    control->grab("/dev/input/event4", false);
    EXPECT_EQ(list().size(), 2u);
}
