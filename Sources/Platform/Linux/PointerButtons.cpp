#include "Platform/Linux/PointerButtons.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
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

void ButtonState::forget(int device) { down_.erase(device); }

bool ButtonState::isDown(MouseButton button) const {
    for (const auto& [device, bits] : down_) {
        if (bits & bit(button)) return true;
    }
    return false;
}

bool isPointerDevice(int fd) {
    unsigned long keys[(KEY_MAX + 1) / (sizeof(unsigned long) * 8) + 1] = {};
    if (ioctl(fd, EVIOCGBIT(EV_KEY, sizeof keys), keys) < 0) return false;
    return testBit(keys, BTN_LEFT);
}

PointerButtons::PointerButtons(std::string folder) : folder_(std::move(folder)) {
    wakeFd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    thread_ = std::thread([this] { run(); });
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
    namespace fs = std::filesystem;
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (watch >= 0) inotify_add_watch(watch, folder_.c_str(), IN_CREATE | IN_ATTRIB);
    std::map<std::string, int> open;  // path → fd
    bool rescan = true;
    for (;;) {
        if (rescan) {
            rescan = false;
            std::error_code ec;
            for (fs::directory_iterator it(folder_, ec), end; !ec && it != end; it.increment(ec)) {
                const std::string path = it->path().string();
                if (it->path().filename().string().rfind("event", 0) != 0 || open.count(path)) continue;
                const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd < 0) continue;
                if (isPointerDevice(fd)) {
                    open[path] = fd;
                } else {
                    close(fd);
                }
            }
        }
        std::vector<pollfd> fds{{wakeFd_, POLLIN, 0}};
        if (watch >= 0) fds.push_back({watch, POLLIN, 0});
        for (const auto& [path, fd] : open) fds.push_back({fd, POLLIN, 0});
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
                rescan = true;
            }
        }
        for (std::size_t i = first; i < fds.size(); ++i) {
            if (!fds[i].revents) continue;
            const int fd = fds[i].fd;
            input_event events[64];
            const ssize_t n = read(fd, events, sizeof events);
            if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
            if (n <= 0 || (fds[i].revents & (POLLHUP | POLLERR))) {
                // Unplugged: its buttons are up, and it may come back under a new node.
                std::lock_guard lock(mutex_);
                state_.forget(fd);
                for (auto it = open.begin(); it != open.end(); ++it) {
                    if (it->second == fd) {
                        open.erase(it);
                        break;
                    }
                }
                close(fd);
                continue;
            }
            const std::size_t count = static_cast<std::size_t>(n) / sizeof(input_event);
            for (std::size_t k = 0; k < count; ++k) {
                PressCallback callback;
                std::optional<MouseButton> pressed;
                {
                    std::lock_guard lock(mutex_);
                    pressed = state_.feed(fd, events[k]);
                    if (pressed) callback = callback_;
                }
                if (pressed && callback) callback(*pressed);
            }
        }
    }
    for (const auto& [path, fd] : open) close(fd);
    if (watch >= 0) close(watch);
}

}  // namespace velorin::linux_platform
