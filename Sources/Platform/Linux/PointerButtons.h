#pragma once
// The mouse buttons, read from every evdev pointer device (mice, touchpads,
// trackpoints): which are down now, and a press notice for each left or right
// button going down. The reader thread only reads; notices are handed to a
// callback the owner supplies (it posts them to the main queue).

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include <linux/input.h>

#include "Platform/EventSystem.h"

namespace velorin::linux_platform {

// The pure part: button state from a stream of events of several devices.
class ButtonState {
public:
    // Gives the press notice an event makes: a left or right button going down.
    std::optional<MouseButton> feed(int device, const input_event& event);
    // A device just opened: the buttons it holds down already, without notices.
    void seed(int device, bool left, bool right, bool center);
    // A device went away: its buttons are up.
    void forget(int device);
    bool isDown(MouseButton button) const;

private:
    std::map<int, std::uint32_t> down_;  // device → bit per button
};

class PointerButtons {
public:
    using PressCallback = std::function<void(MouseButton)>;

    // Opens the devices there are and reads their buttons before returning,
    // then reads on a thread of its own; devices that come later are picked up.
    explicit PointerButtons(std::string folder = "/dev/input");
    ~PointerButtons();
    PointerButtons(const PointerButtons&) = delete;
    PointerButtons& operator=(const PointerButtons&) = delete;

    bool isDown(MouseButton button) const;
    // Called on the reader thread.
    void setPressCallback(PressCallback callback);

private:
    void scan();
    void reseed(int fd);
    void run();

    std::string folder_;
    std::map<std::string, int> open_;  // path → fd; the reader thread's own once it runs
    mutable std::mutex mutex_;
    ButtonState state_;
    PressCallback callback_;
    int wakeFd_ = -1;
    std::thread thread_;
};

// Whether the evdev device open at `fd` reports mouse buttons.
bool isPointerDevice(int fd);

}  // namespace velorin::linux_platform
