// The touchpads of the end-to-end app: every FIFO named "*.pad" in the folder that
// VELORIN_TEST_TOUCHPADS names is one pad. A test writes evdev events to it as text
// lines, "type code value" in decimal, and "gone" when the pad goes away; the pad is
// stamped with the arrival time on CLOCK_MONOTONIC, as a real pad's events are.
// Creating or removing a FIFO there is a pad plugged in or out (inotify).
//
// Built into a libMultitouchSupport.so of its own that sits beside the end-to-end
// app, so the app runs its real multitouch path on these pads.

#include <fcntl.h>
#include <linux/input.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>

#include "MultitouchSupport/ExportedBackend.h"

namespace velorin::multitouch {

namespace {

namespace fs = std::filesystem;

double monotonicNow() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

DeviceIdentity identityOf(const fs::path& node) {
    DeviceIdentity identity;
    identity.name = "Velorin Test Touchpad " + node.stem().string();
    identity.phys = "velorin-test/" + node.stem().string();
    identity.bustype = BUS_I2C;
    identity.vendor = 0x1d6b;
    identity.product = 0x0104;
    return identity;
}

// A pad of 5 slots, 0…4000 × 0…2500, with pressure and touch size, like a laptop's.
TouchpadSnapshot freshSnapshot() {
    TouchpadSnapshot snapshot;
    snapshot.axes.x = {0, 4000};
    snapshot.axes.y = {0, 2500};
    snapshot.axes.pressure = AxisRange{0, 255};
    snapshot.axes.touchMajor = AxisRange{0, 30};
    snapshot.axes.slotCount = 5;
    snapshot.axes.touchButton = true;
    snapshot.slots.resize(5);
    return snapshot;
}

input_event eventAt(double seconds, int type, int code, int value) {
    input_event e{};
    const auto micros = static_cast<long long>(seconds * 1e6);
    e.input_event_sec = static_cast<decltype(e.input_event_sec)>(micros / 1000000);
    e.input_event_usec = static_cast<decltype(e.input_event_usec)>(micros % 1000000);
    e.type = static_cast<decltype(e.type)>(type);
    e.code = static_cast<decltype(e.code)>(code);
    e.value = value;
    return e;
}

class FifoStream final : public EventStream {
public:
    FifoStream(fs::path node, int fd) : node_(std::move(node)), fd_(fd), wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
    ~FifoStream() override {
        close(fd_);
        if (wake_ >= 0) close(wake_);
    }

    DeviceIdentity identity() const override { return identityOf(node_); }
    TouchpadSnapshot snapshot() const override { return freshSnapshot(); }

    Read next(std::optional<double> deadline) override {
        Read read;
        for (;;) {
            if (gone_) {
                read.outcome = Outcome::gone;
                return read;
            }
            const double now = monotonicNow();
            if (!pending_.empty()) {
                read.outcome = Outcome::events;
                read.events = std::move(pending_);
                pending_.clear();
                read.now = now;
                return read;
            }
            int timeout = -1;
            if (deadline) {
                if (*deadline <= now) {
                    read.outcome = Outcome::deadline;
                    read.now = now;
                    return read;
                }
                timeout = std::max(1, int((*deadline - now) * 1000));
            }
            pollfd fds[2] = {{fd_, POLLIN, 0}, {wake_, POLLIN, 0}};
            const int ready = poll(fds, wake_ >= 0 ? 2 : 1, timeout);
            if (ready < 0 && errno != EINTR) {
                read.outcome = Outcome::gone;
                return read;
            }
            if (wake_ >= 0 && (fds[1].revents & POLLIN)) {
                std::uint64_t count = 0;
                [[maybe_unused]] const auto n = ::read(wake_, &count, sizeof count);
                read.outcome = Outcome::interrupted;
                return read;
            }
            if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) take();
        }
    }

    void interrupt() override {
        const std::uint64_t one = 1;
        if (wake_ >= 0) [[maybe_unused]] const auto n = write(wake_, &one, sizeof one);
    }

    bool grabbedElsewhere() override { return false; }

private:
    void take() {
        char chunk[4096];
        const ssize_t n = ::read(fd_, chunk, sizeof chunk);
        if (n <= 0) {
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) return;
            gone_ = true;
            return;
        }
        buffer_.append(chunk, std::size_t(n));
        const double now = monotonicNow();
        std::size_t end;
        while ((end = buffer_.find('\n')) != std::string::npos) {
            const std::string line = buffer_.substr(0, end);
            buffer_.erase(0, end + 1);
            if (line == "gone") {
                gone_ = true;
                return;
            }
            std::istringstream fields(line);
            int type = 0, code = 0, value = 0;
            if (fields >> type >> code >> value) pending_.push_back(eventAt(now, type, code, value));
        }
    }

    fs::path node_;
    int fd_;
    int wake_;
    std::string buffer_;
    std::vector<input_event> pending_;
    bool gone_ = false;
};

class FolderWatch final : public ChangeWatch {
public:
    explicit FolderWatch(const fs::path& folder)
        : inotify_(inotify_init1(IN_CLOEXEC | IN_NONBLOCK)), wake_(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
        if (inotify_ >= 0) inotify_add_watch(inotify_, folder.c_str(), IN_CREATE | IN_DELETE | IN_MOVED_TO | IN_MOVED_FROM);
    }
    ~FolderWatch() override {
        if (inotify_ >= 0) ::close(inotify_);
        if (wake_ >= 0) ::close(wake_);
    }

    Outcome wait() override {
        for (;;) {
            pollfd fds[2] = {{wake_, POLLIN, 0}, {inotify_, POLLIN, 0}};
            if (poll(fds, 2, -1) < 0 && errno != EINTR) return Outcome::closed;
            if (fds[0].revents & POLLIN) {
                std::uint64_t count = 0;
                [[maybe_unused]] const auto n = read(wake_, &count, sizeof count);
                if (closed_) return Outcome::closed;
                return Outcome::changed;
            }
            if (fds[1].revents & POLLIN) {
                char events[4096];
                while (read(inotify_, events, sizeof events) > 0) {
                }
                return Outcome::changed;
            }
        }
    }
    void nudge() override { signal(); }
    void close() override {
        closed_ = true;
        signal();
    }

private:
    void signal() {
        const std::uint64_t one = 1;
        [[maybe_unused]] const auto n = write(wake_, &one, sizeof one);
    }

    int inotify_;
    int wake_;
    std::atomic<bool> closed_{false};
};

class PadFolderBackend final : public DeviceBackend {
public:
    explicit PadFolderBackend(fs::path folder) : folder_(std::move(folder)) {}

    std::vector<FoundDevice> scan() override {
        std::vector<FoundDevice> found;
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder_, error)) {
            if (entry.path().extension() != ".pad" || !entry.is_fifo(error)) continue;
            found.push_back({identityOf(entry.path()), entry.path().string()});
        }
        std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.node < b.node; });
        return found;
    }

    std::unique_ptr<EventStream> open(const std::string& node) override {
        // Read and write: the test's writer may come and go without an end of file.
        const int fd = ::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) return nullptr;
        return std::make_unique<FifoStream>(node, fd);
    }

    std::unique_ptr<ChangeWatch> watch() override { return std::make_unique<FolderWatch>(folder_); }

private:
    fs::path folder_;
};

// No touchpads at all when no folder is named.
class NoPads final : public DeviceBackend {
public:
    std::vector<FoundDevice> scan() override { return {}; }
    std::unique_ptr<EventStream> open(const std::string&) override { return nullptr; }
    std::unique_ptr<ChangeWatch> watch() override { return nullptr; }
};

}  // namespace

std::unique_ptr<DeviceBackend> makeExportedBackend() {
    const char* folder = std::getenv("VELORIN_TEST_TOUCHPADS");
    if (!folder || !*folder) return std::make_unique<NoPads>();
    return std::make_unique<PadFolderBackend>(folder);
}

}  // namespace velorin::multitouch
