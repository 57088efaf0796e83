#include "MultitouchSupport/EvdevBackend.h"

#include "MultitouchSupport/TouchpadSwitchWatch.h"
#include "Support/LoginSession.h"

#include <fcntl.h>
#include <libevdev/libevdev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cmath>
#include <ctime>
#include <filesystem>
#include <map>
#include <thread>

namespace velorin::multitouch {

namespace {

// A bounded batch keeps a flood of events from starving interrupt().
constexpr int maxEventsPerRead = 1024;

double monotonicNow() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

timespec timeoutUntil(double deadline) {
    const double wait = std::max(0.0, deadline - monotonicNow());
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(wait);
    ts.tv_nsec = static_cast<long>((wait - static_cast<double>(ts.tv_sec)) * 1e9);
    return ts;
}

void drainEventFd(int fd) {
    std::uint64_t value = 0;
    while (::read(fd, &value, sizeof value) > 0) {
    }
}

void wake(int fd) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const auto written = ::write(fd, &one, sizeof one);
}

// Whether another program holds the device grabbed. Asking means grabbing it ourselves for
// an instant, so it is asked only when listing and when the device fell silent under a finger.
bool grabbedElsewhere(libevdev* device) {
    const int rc = libevdev_grab(device, LIBEVDEV_GRAB);
    if (rc == 0) libevdev_grab(device, LIBEVDEV_UNGRAB);
    return rc == -EBUSY;
}

// Without an eventfd to wake a wait, waits are cut into slices this long, so that a stop
// is still seen.
constexpr double unwakeableSliceSeconds = 0.05;

struct OpenDevice {
    int fd = -1;
    libevdev* device = nullptr;
};

OpenDevice openTouchpad(const std::string& node) {
    const int fd = ::open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return {};
    libevdev* device = nullptr;
    if (libevdev_new_from_fd(fd, &device) != 0 || !isMultitouchTouchpad(device)) {
        if (device) libevdev_free(device);
        ::close(fd);
        return {};
    }
    return {fd, device};
}

class EvdevStream final : public EventStream {
public:
    EvdevStream(int fd, libevdev* device, int wake) : fd_(fd), device_(device), wake_(wake) {
        // Frame times are seconds on the monotonic clock; where the kernel cannot stamp
        // events with it, they are stamped when read.
        monotonicTimes_ = libevdev_set_clock_id(device_, CLOCK_MONOTONIC) == 0;
        snapshot_ = snapshotOf(device_);
        identity_ = identityOf(device_);
    }
    ~EvdevStream() override {
        libevdev_free(device_);
        ::close(fd_);
        if (wake_ >= 0) ::close(wake_);
    }

    DeviceIdentity identity() const override { return identity_; }
    TouchpadSnapshot snapshot() const override { return snapshot_; }

    Read next(std::optional<double> deadline) override {
        Read read;
        for (;;) {
            if (!gone_) drain(read.events);
            read.now = monotonicNow();
            if (!read.events.empty()) return read;
            if (gone_) {
                read.outcome = Outcome::gone;
                return read;
            }
            if (interrupted_.exchange(false)) {
                if (wake_ >= 0) drainEventFd(wake_);
                read.outcome = Outcome::interrupted;
                return read;
            }
            pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
            std::optional<double> until = deadline;
            if (wake_ < 0) {
                const double slice = read.now + unwakeableSliceSeconds;
                until = std::min(deadline.value_or(slice), slice);
            }
            timespec timeout{};
            if (until) timeout = timeoutUntil(*until);
            const int ready = ::ppoll(fds, wake_ >= 0 ? 2 : 1, until ? &timeout : nullptr, nullptr);
            if (ready < 0) {
                if (errno == EINTR) continue;
                gone_ = true;
                continue;
            }
            if (wake_ >= 0 && (fds[1].revents & POLLIN)) {
                drainEventFd(wake_);  // interrupted: seen at the top of the loop
                continue;
            }
            if (ready == 0) {
                if (deadline && monotonicNow() < *deadline) continue;  // only a slice ended
                if (!deadline) continue;
                read.now = monotonicNow();
                read.outcome = Outcome::deadline;
                return read;
            }
            if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
                drain(read.events);
                gone_ = true;
            }
        }
    }

    void interrupt() override {
        interrupted_.store(true);
        if (wake_ >= 0) wake(wake_);
    }

    bool grabbedElsewhere() override { return multitouch::grabbedElsewhere(device_); }

private:
    void drain(std::vector<input_event>& events) {
        const std::size_t before = events.size();
        const bool ok = drainEvents(
            [this](unsigned flags, input_event& event) { return libevdev_next_event(device_, flags, &event); },
            syncing_, events, maxEventsPerRead);
        if (!monotonicTimes_) {
            for (std::size_t i = before; i < events.size(); ++i) stamp(events[i]);
        }
        if (!ok) gone_ = true;  // -ENODEV and every other failure: the device is unusable
    }

    static void stamp(input_event& event) {
        const double now = monotonicNow();
        const double whole = std::floor(now);
        event.input_event_sec = static_cast<decltype(event.input_event_sec)>(whole);
        event.input_event_usec = static_cast<decltype(event.input_event_usec)>((now - whole) * 1e6);
    }

    int fd_;
    libevdev* device_;
    int wake_;
    std::atomic<bool> interrupted_{false};
    bool monotonicTimes_ = false;
    bool gone_ = false;
    bool syncing_ = false;  // a SYN_DROPPED resync is being replayed
    TouchpadSnapshot snapshot_;
    DeviceIdentity identity_;
};

// Watches the folder for nodes that come and go, and the folder's parent while the
// folder itself does not exist (no input device at all yet).
class InotifyWatch final : public ChangeWatch {
public:
    InotifyWatch(std::filesystem::path folder, int wake)
        : folder_(std::move(folder)), inotify_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)), wake_(wake) {
        addWatches();
    }
    ~InotifyWatch() override {
        if (inotify_ >= 0) ::close(inotify_);
        if (wake_ >= 0) ::close(wake_);
    }

    Outcome wait() override {
        for (;;) {
            if (closed_.load()) return Outcome::closed;
            if (nudged_.exchange(false)) {
                if (wake_ >= 0) drainEventFd(wake_);
                return Outcome::changed;
            }
            pollfd fds[2] = {{wake_, POLLIN, 0}, {inotify_, POLLIN, 0}};
            timespec slice = timeoutUntil(monotonicNow() + unwakeableSliceSeconds);
            const int ready = ::ppoll(fds, 2, wake_ >= 0 ? nullptr : &slice, nullptr);
            if (ready < 0 && errno != EINTR) return Outcome::closed;
            if (closed_.load()) return Outcome::closed;
            bool changed = false;
            if (wake_ >= 0 && (fds[0].revents & POLLIN)) {
                drainEventFd(wake_);
                nudged_.store(false);
                changed = true;
            }
            if (inotify_ >= 0 && (fds[1].revents & POLLIN)) changed = drainInotify() || changed;
            if (changed) return Outcome::changed;
        }
    }
    void nudge() override {
        nudged_.store(true);
        if (wake_ >= 0) wake(wake_);
    }
    void close() override {
        closed_.store(true);
        if (wake_ >= 0) wake(wake_);
    }

private:
    static constexpr std::uint32_t folderEvents = IN_CREATE | IN_DELETE | IN_ATTRIB | IN_MOVED_TO | IN_MOVED_FROM;

    void addWatches() {
        if (inotify_ < 0) return;
        if (folderWatch_ < 0) folderWatch_ = inotify_add_watch(inotify_, folder_.c_str(), folderEvents);
        if (folderWatch_ < 0 && parentWatch_ < 0) {
            parentWatch_ = inotify_add_watch(inotify_, folder_.parent_path().c_str(), IN_CREATE | IN_MOVED_TO);
            // The folder may have appeared between the two calls.
            folderWatch_ = inotify_add_watch(inotify_, folder_.c_str(), folderEvents);
        }
    }

    bool drainInotify() {
        bool changed = false;
        drainInotifyEvents(inotify_, [&](const inotify_event& event, const std::string& name) {
            if (event.wd == folderWatch_ && eventNumber(name)) changed = true;
            if (event.wd == folderWatch_ && (event.mask & (IN_IGNORED | IN_DELETE_SELF))) folderWatch_ = -1;
            if (event.wd == parentWatch_ && name == folder_.filename().string()) changed = true;
        });
        if (folderWatch_ < 0) addWatches();
        return changed;
    }

    std::filesystem::path folder_;
    int inotify_;
    int wake_;
    int folderWatch_ = -1;
    int parentWatch_ = -1;
    std::atomic<bool> closed_{false};
    std::atomic<bool> nudged_{false};
};

// A keyboard built into the computer: one on an internal bus (the laptop's PS/2 controller,
// I2C, SPI), as libinput pairs keyboards with touchpads for disable-while-typing. USB and
// Bluetooth keyboards are external; ours is virtual.
bool isBuiltInKeyboard(const libevdev* device) {
    for (unsigned code : {KEY_A, KEY_Z, KEY_SPACE}) {
        if (!libevdev_has_event_code(device, EV_KEY, code)) return false;
    }
    switch (libevdev_get_id_bustype(device)) {
        case BUS_I8042:
        case BUS_I2C:
        case BUS_SPI:
        case BUS_HOST: return true;
        default: return false;
    }
}

// Reads every built-in keyboard, listen-only, into the typing guard; finds keyboards that come
// later (or become readable) through inotify.
class EvdevKeyboards final : public KeyboardWatch {
public:
    EvdevKeyboards(std::string folder, TypingGuard& guard, int wake)
        : folder_(std::move(folder)), guard_(guard), wake_(wake), inotify_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        if (inotify_ >= 0) inotify_add_watch(inotify_, folder_.c_str(), IN_CREATE | IN_ATTRIB);
        thread_ = std::thread([this] { run(); });
    }
    ~EvdevKeyboards() override {
        stopping_.store(true);
        if (wake_ >= 0) wake(wake_);
        thread_.join();
        for (auto& [node, board] : open_) close(board);
        if (inotify_ >= 0) ::close(inotify_);
        if (wake_ >= 0) ::close(wake_);
    }

private:
    struct Board {
        int fd = -1;
        libevdev* device = nullptr;
    };

    static void close(Board& board) {
        libevdev_free(board.device);
        ::close(board.fd);
    }

    void scan() {
        std::error_code error;
        for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
            const std::string node = entry.path().string();
            if (!eventNumber(entry.path().filename().string()) || open_.count(node)) continue;
            const int fd = ::open(node.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
            if (fd < 0) continue;
            libevdev* device = nullptr;
            if (libevdev_new_from_fd(fd, &device) != 0 || !isBuiltInKeyboard(device)) {
                if (device) libevdev_free(device);
                ::close(fd);
                continue;
            }
            libevdev_set_clock_id(device, CLOCK_MONOTONIC);  // the touch frames' clock
            open_[node] = Board{fd, device};
        }
    }

    void run() {
        scan();
        while (!stopping_.load()) {
            std::vector<pollfd> fds{{wake_, POLLIN, 0}, {inotify_, POLLIN, 0}};
            std::vector<std::string> nodes;
            for (const auto& [node, board] : open_) {
                fds.push_back({board.fd, POLLIN, 0});
                nodes.push_back(node);
            }
            timespec slice = timeoutUntil(monotonicNow() + unwakeableSliceSeconds);
            if (::ppoll(fds.data(), fds.size(), wake_ >= 0 ? nullptr : &slice, nullptr) < 0 && errno != EINTR) return;
            if (stopping_.load()) return;
            if (wake_ >= 0 && (fds[0].revents & POLLIN)) drainEventFd(wake_);
            if (inotify_ >= 0 && (fds[1].revents & POLLIN)) {
                alignas(inotify_event) char buffer[4096];
                while (::read(inotify_, buffer, sizeof buffer) > 0) {
                }
                scan();
            }
            for (std::size_t i = 2; i < fds.size(); ++i) {
                if (fds[i].revents) readBoard(nodes[i - 2]);
            }
        }
    }

    void readBoard(const std::string& node) {
        Board& board = open_.at(node);
        std::vector<input_event> events;
        bool syncing = false;
        const bool ok = drainEvents(
            [&](unsigned flags, input_event& e) { return libevdev_next_event(board.device, static_cast<int>(flags), &e); },
            syncing, events, maxEventsPerRead);
        for (const input_event& e : events) {
            if (e.type != EV_KEY) continue;
            const double time = static_cast<double>(e.input_event_sec) + static_cast<double>(e.input_event_usec) * 1e-6;
            guard_.key(board.fd, e.code, e.value, time);
        }
        if (!ok) {
            guard_.forget(board.fd);
            close(board);
            open_.erase(node);
        }
    }

    std::string folder_;
    TypingGuard& guard_;
    int wake_;
    int inotify_;
    std::map<std::string, Board> open_;  // the reader thread's own
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace

std::optional<int> eventNumber(const std::string& name) {
    const std::string prefix = "event";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) return std::nullopt;
    int number = 0;
    for (std::size_t i = prefix.size(); i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || number > 100000) return std::nullopt;
        number = number * 10 + (name[i] - '0');
    }
    return number;
}

void drainInotifyEvents(int fd, const std::function<void(const inotify_event&, const std::string& name)>& seen) {
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const auto length = ::read(fd, buffer, sizeof buffer);
        if (length <= 0) return;
        for (char* p = buffer; p < buffer + length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(p);
            seen(*event, event->len ? std::string(event->name) : std::string());
            p += sizeof(inotify_event) + event->len;
        }
    }
}

bool externalMousePresent(const std::string& folder) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (!eventNumber(entry.path().filename().string())) continue;
        const int fd = ::open(entry.path().c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;  // unreadable: not counted, so the touchpad stays on
        libevdev* device = nullptr;
        const bool mouse = libevdev_new_from_fd(fd, &device) == 0 && isExternalMouse(device);
        if (device) libevdev_free(device);
        ::close(fd);
        if (mouse) return true;
    }
    return false;
}

static int makeEventFd() { return eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC); }

EvdevBackend::EvdevBackend(std::string folder, std::function<int()> makeWakeFd)
    : folder_(std::move(folder)), makeWakeFd_(makeWakeFd ? std::move(makeWakeFd) : makeEventFd) {}

std::vector<FoundDevice> EvdevBackend::scan() {
    std::vector<std::pair<int, std::string>> nodes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder_, error)) {
        const std::string name = entry.path().filename().string();
        if (const auto number = eventNumber(name)) nodes.emplace_back(*number, entry.path().string());
    }
    std::sort(nodes.begin(), nodes.end());
    std::vector<FoundDevice> found;
    for (const auto& [number, node] : nodes) {
        const OpenDevice opened = openTouchpad(node);
        if (!opened.device) continue;
        if (!grabbedElsewhere(opened.device)) found.push_back({identityOf(opened.device), node});
        libevdev_free(opened.device);
        ::close(opened.fd);
    }
    return found;
}

std::unique_ptr<EventStream> EvdevBackend::open(const std::string& node) {
    const OpenDevice opened = openTouchpad(node);
    if (!opened.device) return nullptr;
    return std::make_unique<EvdevStream>(opened.fd, opened.device, makeWakeFd_());
}

std::unique_ptr<ChangeWatch> EvdevBackend::watch() { return std::make_unique<InotifyWatch>(folder_, makeWakeFd_()); }

// Follows this login session's active state on a thread of its own, woken by
// logind's records changing.
class LoginSessionWatch final : public SessionWatch {
public:
    LoginSessionWatch(std::string session, std::function<void(bool)> changed, int wake)
        : session_(std::move(session)), changed_(std::move(changed)), wake_(wake) {
        active_ = LoginSession::isActive(session_);
        changed_(active_);
        thread_ = std::thread([this] { run(); });
    }
    ~LoginSessionWatch() override {
        stopping_.store(true);
        if (wake_ >= 0) wake(wake_);
        thread_.join();
        if (wake_ >= 0) ::close(wake_);
    }

private:
    void run() {
        while (!stopping_.load()) {
            pollfd fds[2] = {{wake_, POLLIN, 0}, {monitor_.fd(), POLLIN, 0}};
            // Without a monitor (or a wake) the state is read again every slice.
            const bool wakeable = wake_ >= 0 && monitor_.fd() >= 0;
            timespec slice = timeoutUntil(monotonicNow() + unwakeableSliceSeconds);
            if (::ppoll(fds, 2, wakeable ? nullptr : &slice, nullptr) < 0 && errno != EINTR) return;
            if (stopping_.load()) return;
            if (wake_ >= 0 && (fds[0].revents & POLLIN)) drainEventFd(wake_);
            if (fds[1].revents & POLLIN) monitor_.flush();
            const bool active = LoginSession::isActive(session_);
            if (active == active_) continue;
            active_ = active;
            changed_(active);
        }
    }

    std::string session_;
    std::function<void(bool)> changed_;
    int wake_;
    LoginSession::Monitor monitor_;
    bool active_ = true;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

std::unique_ptr<SessionWatch> EvdevBackend::watchSession(std::function<void(bool active)> changed) {
    auto session = LoginSession::current();
    if (!session) return nullptr;
    return std::make_unique<LoginSessionWatch>(std::move(*session), std::move(changed), makeWakeFd_());
}

std::unique_ptr<TouchpadSwitchWatch> EvdevBackend::watchTouchpadSwitch(
    std::function<void(const TouchpadSwitch&)> changed) {
    return followTouchpadSwitch(touchpadSwitchSetupOfSession(folder_), std::move(changed));
}

std::unique_ptr<KeyboardWatch> EvdevBackend::watchKeyboards(TypingGuard& guard) {
    return std::make_unique<EvdevKeyboards>(folder_, guard, makeWakeFd_());
}

bool drainEvents(const std::function<int(unsigned flags, input_event& event)>& nextEvent, bool& syncing,
                 std::vector<input_event>& events, int maxEvents) {
    input_event event{};
    int live = 0;
    // A resync is never cut short: what it leaves out would stay stale in our slots.
    while (syncing || live < maxEvents) {
        const int rc = nextEvent(syncing ? LIBEVDEV_READ_FLAG_SYNC : LIBEVDEV_READ_FLAG_NORMAL, event);
        if (rc == -EAGAIN) {
            if (!syncing) return true;
            syncing = false;  // resynchronised; back to the live stream
            continue;
        }
        if (rc == LIBEVDEV_READ_STATUS_SYNC) {
            syncing = true;  // SYN_DROPPED (or a replayed event): libevdev replays the state
        } else if (rc != LIBEVDEV_READ_STATUS_SUCCESS) {
            return false;
        } else {
            ++live;
        }
        events.push_back(event);
    }
    return true;
}

}  // namespace velorin::multitouch
