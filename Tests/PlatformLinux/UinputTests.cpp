// End to end through the kernel: what the system posts arrives on a reader of
// the virtual keyboard as Linux keys. Needs a writable /dev/uinput.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <tuple>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <libevdev/libevdev.h>

#include "Platform/Linux/LinuxEventSystem.h"
#include "Platform/Linux/QtServices.h"
#include "Platform/Linux/VirtualKeyboard.h"

using namespace velorin;
using namespace velorin::linux_platform;
namespace fs = std::filesystem;

namespace {

using Key = std::tuple<unsigned, unsigned, int>;  // type, code, value

struct Reader {
    int fd = -1;
    libevdev* device = nullptr;
    ~Reader() {
        if (device) libevdev_free(device);
        if (fd >= 0) close(fd);
    }
    // Every key and report until `count` keys came, or a second passed without one.
    std::vector<Key> read(std::size_t count) {
        std::vector<Key> out;
        std::size_t keys = 0;
        while (keys < count) {
            pollfd p{fd, POLLIN, 0};
            if (poll(&p, 1, 1000) <= 0) break;
            input_event e;
            while (libevdev_next_event(device, LIBEVDEV_READ_FLAG_NORMAL, &e) == LIBEVDEV_READ_STATUS_SUCCESS) {
                if (e.type == EV_KEY) ++keys;
                if (e.type == EV_KEY || (e.type == EV_SYN && e.code == SYN_REPORT)) out.emplace_back(e.type, e.code, e.value);
            }
        }
        return out;
    }
};

// While another user's session has the seat, nothing is pressed, and whatever we
// hold down is still let go, so no key stays stuck in their session.
TEST(UinputKeyboard, whileAnotherSessionIsActive_onlyReleasesAreWritten) {
    struct Case {
        const char* name;
        std::vector<KeyWrite> writes;
        std::vector<KeyWrite> written;
    };
    const std::vector<Case> cases = {
        {"presses", {{KEY_LEFTCTRL, 1}, {KEY_C, 1}}, {}},
        {"releases", {{KEY_C, 0}, {KEY_LEFTCTRL, 0}}, {{KEY_C, 0}, {KEY_LEFTCTRL, 0}}},
        {"a whole stroke", {{KEY_LEFTCTRL, 1}, {KEY_C, 1}, {KEY_C, 0}, {KEY_LEFTCTRL, 0}},
         {{KEY_C, 0}, {KEY_LEFTCTRL, 0}}},
        {"auto-repeat", {{KEY_C, 2}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(writableWhileAway(c.writes), c.written);
    }
}

TEST(UinputKeyboard, postedKeysArriveAsLinuxKeysWithTheirModifiersAround) {
    if (access("/dev/uinput", W_OK) != 0) {
        GTEST_SKIP() << "no writable /dev/uinput here: the virtual keyboard cannot be made "
                     << "(load the uinput module and allow the input group, see packaging/udev)";
    }
    auto keyboard = std::make_shared<VirtualKeyboard>();
    ASSERT_TRUE(keyboard->ensure());
    const auto node = keyboard->deviceNode();
    ASSERT_TRUE(node) << "the kernel named no node for the virtual keyboard";
    Reader reader;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while ((reader.fd = open(node->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC)) < 0 &&
           std::chrono::steady_clock::now() < deadline) {
        poll(nullptr, 0, 20);  // the node appears when the device is registered
    }
    ASSERT_GE(reader.fd, 0) << *node << " never appeared";
    ASSERT_EQ(libevdev_new_from_fd(reader.fd, &reader.device), 0);
    // Ours alone: the keys must not reach whatever session runs here.
    ASSERT_EQ(libevdev_grab(reader.device, LIBEVDEV_GRAB), 0);

    const fs::path noDevices = fs::temp_directory_path() / ("velorin-noinput-" + std::to_string(getpid()));
    fs::create_directories(noDevices);
    LinuxEventSystem events(std::make_shared<QtMainQueue>(), keyboard, {}, DesktopKind::other, noDevices.string());

    // ⌘C: Ctrl around C, each change a report of its own.
    KeyboardEvent down{std::nullopt, 8, true, event_flags::command, u"c"};
    KeyboardEvent up = down;
    up.keyDown = false;
    events.post(EventTapLocation::hid, down);
    events.post(EventTapLocation::hid, up);
    const Key report{EV_SYN, SYN_REPORT, 0};
    EXPECT_EQ(reader.read(4), (std::vector<Key>{{EV_KEY, KEY_LEFTCTRL, 1}, report, {EV_KEY, KEY_C, 1}, report,
                                                {EV_KEY, KEY_C, 0}, report, {EV_KEY, KEY_LEFTCTRL, 0}, report}));

    // Play/pause as the action runner sends it: a press and a release word.
    for (std::uint32_t word : {0xA00u, 0xB00u}) {
        SystemDefinedEvent media;
        media.subtype = 8;
        media.data1 = static_cast<std::int32_t>((16u << 16) | word);
        events.post(EventTapLocation::hid, *events.quartzEvent(media));
    }
    EXPECT_EQ(reader.read(2), (std::vector<Key>{{EV_KEY, KEY_PLAYPAUSE, 1}, report, {EV_KEY, KEY_PLAYPAUSE, 0}, report}));
    fs::remove_all(noDevices);
}

}  // namespace
