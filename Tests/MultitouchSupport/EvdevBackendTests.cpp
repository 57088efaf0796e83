#include "MultitouchSupport/EvdevBackend.h"

#include <gtest/gtest.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <thread>

#include "MultitouchSupport/EvdevTranslator.h"
#include "TempFolder.h"

using namespace velorin::multitouch;
namespace fs = std::filesystem;
using velorin::testing::TempFolder;

namespace {

void touch(const fs::path& file) { std::ofstream(file) << "not a device"; }

double monotonicNow() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

}  // namespace

TEST(EvdevBackend, scan_skipsNodesThatAreNoTouchpads) {
    TempFolder folder;
    touch(folder.path() / "event0");
    touch(folder.path() / "mouse0");
    EvdevBackend backend(folder.path().string());
    EXPECT_TRUE(backend.scan().empty());
    EXPECT_EQ(backend.open((folder.path() / "event0").string()), nullptr);
    EXPECT_TRUE(EvdevBackend((folder.path() / "missing").string()).scan().empty());
}

TEST(EvdevBackend, watch_tellsWhenAnEventNodeAppearsOrGoes) {
    TempFolder folder;
    EvdevBackend backend(folder.path().string());
    const auto watch = backend.watch();
    touch(folder.path() / "event3");
    EXPECT_EQ(watch->wait(), ChangeWatch::Outcome::changed);
    fs::remove(folder.path() / "event3");
    EXPECT_EQ(watch->wait(), ChangeWatch::Outcome::changed);
    watch->nudge();
    EXPECT_EQ(watch->wait(), ChangeWatch::Outcome::changed);
}

TEST(EvdevBackend, watch_waitsForTheFolderItselfWhenThereIsNoneYet) {
    TempFolder parent;
    const fs::path folder = parent.path() / "input";
    EvdevBackend backend(folder.string());
    const auto watch = backend.watch();
    fs::create_directory(folder);
    EXPECT_EQ(watch->wait(), ChangeWatch::Outcome::changed);
    touch(folder / "event0");
    EXPECT_EQ(watch->wait(), ChangeWatch::Outcome::changed);
}

TEST(EvdevBackend, watch_closeEndsAWaitOnAnotherThread) {
    TempFolder folder;
    EvdevBackend backend(folder.path().string());
    const auto watch = backend.watch();
    ChangeWatch::Outcome outcome = ChangeWatch::Outcome::changed;
    std::thread waiter([&] { outcome = watch->wait(); });
    watch->close();
    waiter.join();
    EXPECT_EQ(outcome, ChangeWatch::Outcome::closed);
}

// A real kernel device, where this machine lets us make one.
TEST(EvdevBackend, virtualTouchpad_isListedOpenedAndRead) {
    if (access("/dev/uinput", W_OK) != 0) GTEST_SKIP() << "no writable /dev/uinput here: no virtual touchpad";

    libevdev* description = libevdev_new();
    libevdev_set_name(description, "Velorin Test Touchpad");
    input_absinfo x{0, 0, 1212, 0, 0, 12}, y{0, 0, 792, 0, 0, 12}, slots{0, 0, 4, 0, 0, 0}, ids{0, 0, 65535, 0, 0, 0};
    libevdev_enable_event_code(description, EV_ABS, ABS_X, &x);
    libevdev_enable_event_code(description, EV_ABS, ABS_Y, &y);
    libevdev_enable_event_code(description, EV_ABS, ABS_MT_SLOT, &slots);
    libevdev_enable_event_code(description, EV_ABS, ABS_MT_TRACKING_ID, &ids);
    libevdev_enable_event_code(description, EV_ABS, ABS_MT_POSITION_X, &x);
    libevdev_enable_event_code(description, EV_ABS, ABS_MT_POSITION_Y, &y);
    libevdev_enable_event_code(description, EV_KEY, BTN_TOUCH, nullptr);
    libevdev_enable_event_code(description, EV_KEY, BTN_TOOL_FINGER, nullptr);
    libevdev_enable_property(description, INPUT_PROP_POINTER);
    libevdev_enable_property(description, INPUT_PROP_BUTTONPAD);
    libevdev_uinput* uinput = nullptr;
    const int rc = libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &uinput);
    libevdev_free(description);
    if (rc != 0) GTEST_SKIP() << "the kernel refused a virtual touchpad";
    const std::string node = libevdev_uinput_get_devnode(uinput);

    EvdevBackend backend;
    std::unique_ptr<EventStream> stream;
    // udev may still be settling the node's permissions: wait for the device, not for time.
    for (int attempt = 0; attempt < 200 && !stream; ++attempt) {
        const auto found = backend.scan();
        const bool listed = std::any_of(found.begin(), found.end(), [&](const FoundDevice& f) { return f.node == node; });
        if (listed) stream = backend.open(node);
        if (!stream) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_NE(stream, nullptr) << node;
    EXPECT_EQ(stream->identity().name, "Velorin Test Touchpad");

    auto write = [&](unsigned type, unsigned code, int value) { libevdev_uinput_write_event(uinput, type, code, value); };
    write(EV_ABS, ABS_MT_SLOT, 0);
    write(EV_ABS, ABS_MT_TRACKING_ID, 5);
    write(EV_ABS, ABS_MT_POSITION_X, 606);
    write(EV_ABS, ABS_MT_POSITION_Y, 198);
    write(EV_KEY, BTN_TOUCH, 1);
    write(EV_SYN, SYN_REPORT, 0);

    EvdevTranslator translator(stream->snapshot());
    std::vector<ContactFrame> frames;
    const double before = monotonicNow();
    while (frames.empty()) {
        const auto read = stream->next(monotonicNow() + 5.0);
        ASSERT_EQ(read.outcome, EventStream::Outcome::events);
        for (const auto& e : read.events) {
            for (auto& f : translator.feed(e)) frames.push_back(f);
        }
    }
    ASSERT_EQ(frames[0].touches.size(), 1u);
    EXPECT_EQ(frames[0].touches[0].state, MTTouchStateMakeTouch);
    EXPECT_FLOAT_EQ(frames[0].touches[0].normalized.position.x, 0.5f);
    EXPECT_FLOAT_EQ(frames[0].touches[0].normalized.position.y, 0.75f);
    EXPECT_GE(frames[0].timestamp, before - 1.0);  // on the monotonic clock
    EXPECT_LE(frames[0].timestamp, monotonicNow());

    libevdev_uinput_destroy(uinput);
    EventStream::Outcome outcome = EventStream::Outcome::events;
    while (outcome == EventStream::Outcome::events) outcome = stream->next(monotonicNow() + 5.0).outcome;
    EXPECT_EQ(outcome, EventStream::Outcome::gone);
}

namespace {

// libevdev's answers, one per call, and the flags each call was made with.
struct ScriptedDevice {
    std::vector<int> answers;  // LIBEVDEV_READ_STATUS_* or -errno
    std::vector<unsigned> flags;
    std::size_t next = 0;
    int operator()(unsigned flag, input_event& event) {
        flags.push_back(flag);
        const int rc = next < answers.size() ? answers[next] : -EAGAIN;
        event = input_event{};
        event.code = static_cast<decltype(event.code)>(next);
        ++next;
        return rc;
    }
};

}  // namespace

TEST(EvdevBackend, drain_readsAResyncWholeAcrossItsEventLimit) {
    constexpr int success = LIBEVDEV_READ_STATUS_SUCCESS;
    constexpr int sync = LIBEVDEV_READ_STATUS_SYNC;
    struct Case {
        const char* name;
        std::vector<int> answers;
        int maxEvents;
        bool syncingBefore;
        std::size_t expectedEvents;
        bool expectedSyncing;
        bool expectedOk;
    };
    const Case cases[] = {
        {"live events stop at the limit", {success, success, success, success}, 3, false, 3, false, true},
        {"a resync longer than the limit is read whole", {success, sync, sync, sync, sync, sync, -EAGAIN, success},
         3, false, 7, false, true},
        {"a resync still running carries on with the sync flag", {sync, sync, -EAGAIN}, 3, true, 2, false, true},
        {"a failing device is gone", {success, -ENODEV}, 3, false, 1, false, false},
    };
    for (const auto& c : cases) {
        ScriptedDevice device{c.answers, {}, 0};
        bool syncing = c.syncingBefore;
        std::vector<input_event> events;
        const bool ok = drainEvents(std::ref(device), syncing, events, c.maxEvents);
        EXPECT_EQ(ok, c.expectedOk) << c.name;
        EXPECT_EQ(events.size(), c.expectedEvents) << c.name;
        EXPECT_EQ(syncing, c.expectedSyncing) << c.name;
        if (c.syncingBefore) {
            EXPECT_EQ(device.flags.front(), unsigned{LIBEVDEV_READ_FLAG_SYNC}) << c.name;
        }
    }
    // After the SYN_DROPPED, libevdev is asked in sync mode until it has replayed everything.
    ScriptedDevice device{{success, sync, sync, -EAGAIN}, {}, 0};
    bool syncing = false;
    std::vector<input_event> events;
    drainEvents(std::ref(device), syncing, events, 100);
    EXPECT_EQ(device.flags, (std::vector<unsigned>{LIBEVDEV_READ_FLAG_NORMAL, LIBEVDEV_READ_FLAG_NORMAL,
                                                   LIBEVDEV_READ_FLAG_SYNC, LIBEVDEV_READ_FLAG_SYNC,
                                                   LIBEVDEV_READ_FLAG_NORMAL}));
}

TEST(EvdevBackend, withoutAnEventfd_aWatchStillEndsOnCloseAndNudge) {
    TempFolder folder;
    EvdevBackend backend(folder.path().string(), [] { return -1; });
    const auto watch = backend.watch();
    watch->nudge();
    EXPECT_EQ(watch->wait(), ChangeWatch::Outcome::changed);
    ChangeWatch::Outcome outcome = ChangeWatch::Outcome::changed;
    std::thread waiter([&] { outcome = watch->wait(); });
    watch->close();
    waiter.join();
    EXPECT_EQ(outcome, ChangeWatch::Outcome::closed);
}
