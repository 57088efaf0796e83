#include "Platform/Linux/PointerButtons.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace velorin::linux_platform {
namespace {

std::uint32_t bit(MouseButton b) { return 1u << static_cast<std::uint32_t>(b); }

std::optional<MouseButton> buttonFor(int code) {
    switch (code) {
        case BTN_LEFT: return MouseButton::left;
        case BTN_RIGHT: return MouseButton::right;
        case BTN_MIDDLE: return MouseButton::center;
        default: return std::nullopt;
    }
}

bool testBit(const unsigned long* bits, int n) {
    constexpr int perLong = static_cast<int>(sizeof(unsigned long) * 8);
    return (bits[n / perLong] >> (n % perLong)) & 1ul;
}

}  // namespace

std::optional<MouseButton> ButtonState::feed(int device, const input_event& event) {
    if (event.type != EV_KEY) return std::nullopt;
    const auto button = buttonFor(event.code);
    if (!button) return std::nullopt;
    auto& bits = down_[device];
    const bool wasDown = bits & bit(*button);
    if (event.value == 0) {
        bits &= ~bit(*button);
        return std::nullopt;
    }
    bits |= bit(*button);
    // Auto-repeat (value 2) or a second press report is no new press.
    if (wasDown || *button == MouseButton::center) return std::nullopt;
    return button;
}

void ButtonState::seed(int device, bool left, bool right, bool center) {
    auto& bits = down_[device];
    bits = 0;
    if (left) bits |= bit(MouseButton::left);
    if (right) bits |= bit(MouseButton::right);
    if (center) bits |= bit(MouseButton::center);
}

void ButtonState::forget(int device) { down_.erase(device); }

bool ButtonState::isDown(MouseButton button) const {
    for (const auto& [device, bits] : down_) {
        if (bits & bit(button)) return true;
    }
    return false;
}

using KeyBits = unsigned long[(KEY_MAX + 1) / (sizeof(unsigned long) * 8) + 1];

bool isPointerDevice(int fd) {
    KeyBits keys = {};
    if (ioctl(fd, EVIOCGBIT(EV_KEY, sizeof keys), keys) < 0) return false;
    return testBit(keys, BTN_LEFT);
}

PointerButtons::PointerButtons(std::string folder) : folder_(std::move(folder)) {
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    scan();
    // Without a way to wake it, the reader could never be stopped.
    if (wakeFd_ >= 0) thread_ = std::thread([this] { run(); });
}

void PointerButtons::reseed(int fd) {
    KeyBits held = {};
    if (ioctl(fd, EVIOCGKEY(sizeof held), held) < 0) return;
    std::lock_guard lock(mutex_);
    state_.seed(fd, testBit(held, BTN_LEFT), testBit(held, BTN_RIGHT), testBit(held, BTN_MIDDLE));
}

void PointerButtons::scan() {
    namespace fs = std::filesystem;
    std::error_code ec;
    for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string path = it->path().string();
        if (it->path().filename().string().rfind("event", 0) != 0 || open_.count(path)) continue;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) continue;
        if (!isPointerDevice(fd)) {
            close(fd);
            continue;
        }
        open_[path] = fd;
        // A button held while the device is opened counts as down, though its
        // press came before us.
        reseed(fd);
    }
}

PointerButtons::~PointerButtons() {
    const std::uint64_t one = 1;
    if (wakeFd_ >= 0 && write(wakeFd_, &one, sizeof one) < 0) {
        // The thread then ends at its next read; nothing else can be done.
    }
    if (thread_.joinable()) thread_.join();
    if (wakeFd_ >= 0) close(wakeFd_);
}

bool PointerButtons::isDown(MouseButton button) const {
    std::lock_guard lock(mutex_);
    return state_.isDown(button);
}

void PointerButtons::setPressCallback(PressCallback callback) {
    std::lock_guard lock(mutex_);
    callback_ = std::move(callback);
}

void PointerButtons::run() {
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (watch >= 0) inotify_add_watch(watch, folder_.c_str(), IN_CREATE | IN_ATTRIB);
    std::set<int> dropping;  // devices whose buffer overflowed, until their next report
    for (;;) {
        std::vector<pollfd> fds{{wakeFd_, POLLIN, 0}};
        if (watch >= 0) fds.push_back({watch, POLLIN, 0});
        for (const auto& [path, fd] : open_) fds.push_back({fd, POLLIN, 0});
        if (poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents) break;
        std::size_t first = 1;
        if (watch >= 0) {
            first = 2;
            if (fds[1].revents & POLLIN) {
                char buf[4096];
                while (read(watch, buf, sizeof buf) > 0) {
                }
                // A new node, or one whose permissions changed so it may open now.
                scan();
            }
        }
        for (std::size_t i = first; i < fds.size(); ++i) {
            if (!fds[i].revents) continue;
            const int fd = fds[i].fd;
            input_event events[64];
            const ssize_t n = read(fd, events, sizeof events);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (n <= 0) {
                // Unplugged: its buttons are up, and it may come back under a new node.
                {
                    std::lock_guard lock(mutex_);
                    state_.forget(fd);
                }
                dropping.erase(fd);
                for (auto it = open_.begin(); it != open_.end(); ++it) {
                    if (it->second == fd) {
                        open_.erase(it);
                        break;
                    }
                }
                close(fd);
                continue;
            }
            const std::size_t count = static_cast<std::size_t>(n) / sizeof(input_event);
            for (std::size_t k = 0; k < count; ++k) {
                const input_event& e = events[k];
                if (e.type == EV_SYN && e.code == SYN_DROPPED) {
                    dropping.insert(fd);
                    continue;
                }
                if (dropping.count(fd)) {
                    // Events were lost: skip the broken report, then ask the
                    // device what is down now (no press notice for it).
                    if (e.type == EV_SYN && e.code == SYN_REPORT) {
                        dropping.erase(fd);
                        reseed(fd);
                    }
                    continue;
                }
                PressCallback callback;
                std::optional<MouseButton> pressed;
                {
                    std::lock_guard lock(mutex_);
                    pressed = state_.feed(fd, e);
                    if (pressed) callback = callback_;
                }
                if (pressed && callback) callback(*pressed);
            }
        }
    }
    for (const auto& [path, fd] : open_) close(fd);
    open_.clear();
    if (watch >= 0) close(watch);
}

}  // namespace velorin::linux_platform
