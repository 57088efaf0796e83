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

using namespace velorin::multitouch;
namespace fs = std::filesystem;

namespace {

class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/velorin-input-XXXXXX";
        path_ = mkdtemp(name);
    }
    ~TempFolder() { fs::remove_all(path_); }
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

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
