#include "TouchInput/MultitouchSource.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <mutex>
#include <thread>

#include "FakeMultitouch.h"
#include "TouchInput/ContactRecords.h"

using namespace velorin;

namespace {

// Collects what the handler got; the framework may call it on any thread.
class Received {
public:
    TouchFrameHandler handler() {
        return [this](const TouchFrame& frame) {
            std::lock_guard lock(mutex_);
            frames_.push_back(frame);
        };
    }
    std::vector<TouchFrame> frames() {
        std::lock_guard lock(mutex_);
        return frames_;
    }

private:
    std::mutex mutex_;
    std::vector<TouchFrame> frames_;
};

MTTouch contact(int32_t pathIndex, int32_t state, float x, float y) {
    MTTouch t{};
    t.pathIndex = pathIndex;
    t.state = state;
    t.normalized.position = {x, y};
    return t;
}

class MultitouchSourceTest : public ::testing::Test {
protected:
    void SetUp() override { fakeMTReset(); }
    void TearDown() override { source.stop(); }

    MultitouchSource source{FAKE_MULTITOUCH_PATH};
    Received received;
};

}  // namespace

TEST_F(MultitouchSourceTest, start_registersEachDeviceThenStartsItInListOrder) {
    fakeMTSetDeviceCount(2);
    source.start(received.handler());
    EXPECT_STREQ(fakeMTCalls(), "list register0 start0:0 register1 start1:0");
    EXPECT_EQ(source.deviceCount(), 2);
    EXPECT_EQ(fakeMTListsAlive(), 1);  // held while started
}

TEST_F(MultitouchSourceTest, frame_readsTheFourFieldsOfEachRecordInOrder) {
    fakeMTSetDeviceCount(2);
    source.start(received.handler());
    MTTouch records[2] = {contact(7, 4, 0.25f, 0.75f), contact(2, 3, 0.5f, 0.125f)};
    records[0].normalized.velocity = {1.5f, -2.0f};
    records[0].zTotal = 0.4f;
    // Fields the source does not read.
    records[0].frame = 999;
    records[0].timestamp = 12345.0;
    records[0].fingerID = 3;
    records[0].absolute.position = {88.0f, 99.0f};
    fakeMTDeliver(1, records, 2, 81.25);

    const auto frames = received.frames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].device, 1);  // the second trackpad of the list
    EXPECT_DOUBLE_EQ(frames[0].timestamp, 81.25);  // the callback's, not the record's
    ASSERT_EQ(frames[0].touches.size(), 2u);
    EXPECT_EQ(frames[0].touches[0], (Touch{7, TouchState::touching, 0.25f, 0.75f, 1.5f, -2.0f, 0.4f}));
    EXPECT_EQ(frames[0].touches[1], (Touch{2, TouchState::makeTouch, 0.5f, 0.125f, 0, 0, 0}));
}

TEST_F(MultitouchSourceTest, oddFrames_areDeliveredSafely) {
    fakeMTSetDeviceCount(1);
    source.start(received.handler());
    const MTTouch nine[1] = {contact(1, 9, 0.5f, 0.5f)};
    const MTTouch negative[1] = {contact(1, -1, 0.5f, 0.5f)};
    struct Case {
        const char* name;
        int device;
        const MTTouch* records;
        int32_t count;
        long expectedDevice;
        std::vector<TouchState> expectedStates;
    };
    const Case cases[] = {
        {"null record pointer", 0, nullptr, 3, 0, {}},
        {"count of zero", 0, nine, 0, 0, {}},
        {"negative count", 0, nine, -4, 0, {}},
        {"state 9", 0, nine, 1, 0, {TouchState::notTracking}},
        {"state -1", 0, negative, 1, 0, {TouchState::notTracking}},
        {"unknown device", -2, nine, 1, -1, {TouchState::notTracking}},
        {"null device", -1, nine, 1, -1, {TouchState::notTracking}},
    };
    for (const auto& c : cases) {
        const auto before = received.frames().size();
        fakeMTDeliver(c.device, c.records, c.count, 1.0);
        const auto frames = received.frames();
        ASSERT_EQ(frames.size(), before + 1) << c.name;
        EXPECT_EQ(frames.back().device, c.expectedDevice) << c.name;
        std::vector<TouchState> states;
        for (const auto& t : frames.back().touches) states.push_back(t.state);
        EXPECT_EQ(states, c.expectedStates) << c.name;
    }
}

TEST_F(MultitouchSourceTest, frameOnTheFrameworksOwnThread_reachesTheHandler) {
    fakeMTSetDeviceCount(1);
    source.start(received.handler());
    const MTTouch one[1] = {contact(1, 4, 0.5f, 0.5f)};
    fakeMTDeliverOnThread(0, one, 1, 2.0);
    ASSERT_EQ(received.frames().size(), 1u);
    EXPECT_EQ(received.frames()[0].fingersDown(), 1);
}

TEST_F(MultitouchSourceTest, stop_unregistersAndStopsEveryDeviceAndDropsLateFrames) {
    fakeMTSetDeviceCount(2);
    source.start(received.handler());
    source.stop();
    EXPECT_STREQ(fakeMTCalls(), "list register0 start0:0 register1 start1:0 unregister0 stop0 unregister1 stop1");
    EXPECT_EQ(source.deviceCount(), 0);
    EXPECT_EQ(fakeMTListsAlive(), 0);

    const MTTouch one[1] = {contact(1, 4, 0.5f, 0.5f)};
    fakeMTDeliverLate(0, one, 1, 3.0);  // already on its way when the source stopped
    EXPECT_TRUE(received.frames().empty());
}

TEST_F(MultitouchSourceTest, destroyingAStartedSource_stopsIt) {
    {
        MultitouchSource scoped(FAKE_MULTITOUCH_PATH);
        scoped.start(received.handler());
    }
    EXPECT_STREQ(fakeMTCalls(), "list register0 start0:0 unregister0 stop0");
}

TEST_F(MultitouchSourceTest, laterStart_replacesTheHandlerForEverySource) {
    Received second;
    MultitouchSource other(FAKE_MULTITOUCH_PATH);
    source.start(received.handler());
    other.start(second.handler());
    const MTTouch one[1] = {contact(1, 4, 0.5f, 0.5f)};
    fakeMTDeliver(0, one, 1, 1.0);
    EXPECT_TRUE(received.frames().empty());
    EXPECT_EQ(second.frames().size(), 1u);  // once: the callback is registered once per device
    other.stop();
}

TEST_F(MultitouchSourceTest, startFailures_throwTheirTextAndRegisterNothing) {
    struct Case {
        const char* name;
        std::string library;
        int deviceCount;
        MultitouchError::Kind kind;
        std::string text;
    };
    const std::string missingList = FAKE_MULTITOUCH_WITHOUT_MTDeviceCreateList;
    const std::string missingRegister = FAKE_MULTITOUCH_WITHOUT_MTRegisterContactFrameCallback;
    const std::string missingUnregister = FAKE_MULTITOUCH_WITHOUT_MTUnregisterContactFrameCallback;
    const std::string missingStart = FAKE_MULTITOUCH_WITHOUT_MTDeviceStart;
    const std::string missingStop = FAKE_MULTITOUCH_WITHOUT_MTDeviceStop;
    const Case cases[] = {
        {"no library there", "/nonexistent/libMultitouchSupport.so", 1, MultitouchError::Kind::frameworkNotFound,
         "MultitouchSupport.framework could not be loaded"},
        {"not a library", VELORIN_SOURCE_DIR "/CMakeLists.txt", 1, MultitouchError::Kind::frameworkNotFound,
         "MultitouchSupport.framework could not be loaded"},
        {"no list function", missingList, 1, MultitouchError::Kind::symbolMissing,
         "MultitouchSupport symbol missing: MTDeviceCreateList"},
        {"no register function", missingRegister, 1, MultitouchError::Kind::symbolMissing,
         "MultitouchSupport symbol missing: MTRegisterContactFrameCallback"},
        {"no unregister function", missingUnregister, 1, MultitouchError::Kind::symbolMissing,
         "MultitouchSupport symbol missing: MTUnregisterContactFrameCallback"},
        {"no start function", missingStart, 1, MultitouchError::Kind::symbolMissing,
         "MultitouchSupport symbol missing: MTDeviceStart"},
        {"no stop function", missingStop, 1, MultitouchError::Kind::symbolMissing,
         "MultitouchSupport symbol missing: MTDeviceStop"},
        {"null device list", FAKE_MULTITOUCH_PATH, -1, MultitouchError::Kind::noDevices,
         "No multitouch trackpads found"},
        {"empty device list", FAKE_MULTITOUCH_PATH, 0, MultitouchError::Kind::noDevices,
         "No multitouch trackpads found"},
    };
    for (const auto& c : cases) {
        fakeMTReset();
        fakeMTSetDeviceCount(c.deviceCount);
        MultitouchSource failing(c.library);
        try {
            failing.start(received.handler());
            ADD_FAILURE() << c.name << ": started";
        } catch (const MultitouchError& e) {
            EXPECT_EQ(e.kind(), c.kind) << c.name;
            EXPECT_EQ(e.description(), c.text) << c.name;
            EXPECT_STREQ(e.what(), c.text.c_str()) << c.name;
        }
        EXPECT_EQ(failing.deviceCount(), 0) << c.name;
        const std::string calls = fakeMTCalls();
        EXPECT_EQ(calls.find("register"), std::string::npos) << c.name;
        EXPECT_EQ(calls.find("start"), std::string::npos) << c.name;
    }
}

TEST_F(MultitouchSourceTest, emptyList_staysHeldUntilTheNextStartOrStop) {
    fakeMTSetDeviceCount(0);
    EXPECT_THROW(source.start(received.handler()), MultitouchError);
    EXPECT_EQ(fakeMTListsAlive(), 1);
    fakeMTSetDeviceCount(1);
    source.start(received.handler());  // replaces it
    EXPECT_EQ(fakeMTListsAlive(), 1);
    source.stop();
    EXPECT_EQ(fakeMTListsAlive(), 0);
}

TEST_F(MultitouchSourceTest, failedStart_keepsTheEarlierHandler) {
    source.start(received.handler());
    Received other;
    MultitouchSource missingStart(FAKE_MULTITOUCH_WITHOUT_MTDeviceStart);
    EXPECT_THROW(missingStart.start(other.handler()), MultitouchError);
    MultitouchSource noList(FAKE_MULTITOUCH_PATH);
    fakeMTSetDeviceCount(-1);
    EXPECT_THROW(noList.start(other.handler()), MultitouchError);

    const MTTouch one[1] = {contact(1, 4, 0.5f, 0.5f)};
    fakeMTDeliver(0, one, 1, 1.0);
    EXPECT_EQ(received.frames().size(), 1u);
    EXPECT_TRUE(other.frames().empty());
}

TEST_F(MultitouchSourceTest, startAndStopWhileTheFrameworkDelivers_isRaceFree) {
    fakeMTSetDeviceCount(1);
    std::atomic<bool> running{true};
    const MTTouch one[1] = {contact(1, 4, 0.5f, 0.5f)};
    std::thread framework([&] {
        while (running.load()) fakeMTDeliverLate(0, one, 1, 1.0);
    });
    for (int i = 0; i < 50; ++i) {
        source.start(received.handler());
        source.stop();
    }
    running.store(false);
    framework.join();
    for (const auto& frame : received.frames()) EXPECT_EQ(frame.touches.size(), 1u);
}

TEST_F(MultitouchSourceTest, usableThroughTheTouchSourceInterface) {
    TouchSource& touchSource = source;
    touchSource.start(received.handler());
    const MTTouch one[1] = {contact(4, 4, 0.5f, 0.5f)};
    fakeMTDeliver(0, one, 1, 1.0);
    touchSource.stop();
    fakeMTDeliverLate(0, one, 1, 2.0);
    EXPECT_EQ(received.frames().size(), 1u);
}

TEST(ContactRecords, numbersThatAreNotFinite_neverReachTheHandler) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    MTTouch records[4] = {contact(0, 4, nan, 0.5f), contact(1, 4, 0.5f, inf), contact(2, 4, 0.5f, 0.5f),
                          contact(3, 4, 0.25f, 0.25f)};
    records[2].normalized.velocity = {nan, -inf};
    records[2].zTotal = inf;
    const auto touches = touchesFromRecords(records, 4);
    ASSERT_EQ(touches.size(), 2u);  // the two without a position are dropped
    EXPECT_EQ(touches[0], (Touch{2, TouchState::touching, 0.5f, 0.5f, 0, 0, 0}));
    EXPECT_EQ(touches[1].id, 3);
}

TEST(ContactRecords, recordsNeedNotBeAligned) {
    alignas(8) unsigned char buffer[sizeof(MTTouch) * 2 + 4] = {};
    MTTouch t = contact(5, 3, 0.125f, 0.875f);
    t.zTotal = 0.5f;
    std::memcpy(buffer + 4, &t, sizeof t);
    std::memcpy(buffer + 4 + sizeof t, &t, sizeof t);
    const auto touches = touchesFromRecords(reinterpret_cast<const MTTouch*>(buffer + 4), 2);
    ASSERT_EQ(touches.size(), 2u);
    EXPECT_EQ(touches[1], (Touch{5, TouchState::makeTouch, 0.125f, 0.875f, 0, 0, 0.5f}));
}

TEST(MultitouchSourceDefault, looksForTheStandInBesideTheExecutable) {
    const auto path = std::filesystem::path(MultitouchSource::defaultLibraryPath());
    EXPECT_EQ(path.filename(), "libMultitouchSupport.so");
    EXPECT_EQ(path.parent_path(), std::filesystem::read_symlink("/proc/self/exe").parent_path());
}

// Our own stand-in, over whatever touchpads this machine has.
TEST(MultitouchSourceDefault, standInLoadsAndListsThisMachinesTouchpads) {
    MultitouchSource source;
    try {
        source.start([](const TouchFrame&) {});
        EXPECT_GT(source.deviceCount(), 0);
        source.stop();
    } catch (const MultitouchError& e) {
        EXPECT_EQ(e.description(), "No multitouch trackpads found");  // loaded, all five functions found
    }
}
