#include "Platform/Linux/VirtualKeyboard.h"

#include <fcntl.h>
#include <unistd.h>

#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>

namespace velorin::linux_platform {

std::vector<KeyWrite> writableWhileAway(const std::vector<KeyWrite>& writes) {
    std::vector<KeyWrite> releases;
    for (const KeyWrite& w : writes) {
        if (w.value == 0) releases.push_back(w);
    }
    return releases;
}

VirtualKeyboard::VirtualKeyboard(std::string uinputPath, std::function<bool()> sessionActive)
    : path_(std::move(uinputPath)), sessionActive_(std::move(sessionActive)) {}

VirtualKeyboard::~VirtualKeyboard() {
    if (!device_) return;
    // The node was opened by us, so libevdev leaves closing it to us.
    const int fd = libevdev_uinput_get_fd(device_);
    libevdev_uinput_destroy(device_);
    close(fd);
}

bool VirtualKeyboard::ensure() {
    std::lock_guard lock(mutex_);
    return ensureLocked();
}

bool VirtualKeyboard::ensureLocked() {
    if (device_) return true;
    const int fd = open(path_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0) return false;
    libevdev* description = libevdev_new();
    libevdev_set_name(description, "Velorin virtual keyboard");
    libevdev_set_id_bustype(description, BUS_VIRTUAL);
    libevdev_enable_event_type(description, EV_KEY);
    for (int code : allLinuxKeys()) {
        libevdev_enable_event_code(description, EV_KEY, static_cast<unsigned>(code), nullptr);
    }
    if (libevdev_uinput_create_from_device(description, fd, &device_) != 0) {
        device_ = nullptr;
        close(fd);
    }
    libevdev_free(description);
    return device_ != nullptr;
}

bool VirtualKeyboard::write(const std::vector<KeyWrite>& writes) {
    std::lock_guard lock(mutex_);
    if (!ensureLocked()) return false;
    const bool away = sessionActive_ && !sessionActive_();
    const std::vector<KeyWrite> allowed = away ? writableWhileAway(writes) : writes;
    bool written = allowed.size() == writes.size();
    for (const auto& w : allowed) {
        written = libevdev_uinput_write_event(device_, EV_KEY, static_cast<unsigned>(w.code), w.value) == 0 &&
                  libevdev_uinput_write_event(device_, EV_SYN, SYN_REPORT, 0) == 0 && written;
    }
    return written;
}

std::optional<std::string> VirtualKeyboard::deviceNode() {
    std::lock_guard lock(mutex_);
    if (!device_) return std::nullopt;
    const char* node = libevdev_uinput_get_devnode(device_);
    if (!node) return std::nullopt;
    return std::string(node);
}

}  // namespace velorin::linux_platform
