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
    // A device went away: its buttons are up.
    void forget(int device);
    bool isDown(MouseButton button) const;

private:
    std::map<int, std::uint32_t> down_;  // device → bit per button
};

class PointerButtons {
public:
    using PressCallback = std::function<void(MouseButton)>;

    // Starts reading at once; devices that come later are picked up.
    explicit PointerButtons(std::string folder = "/dev/input");
    ~PointerButtons();
    PointerButtons(const PointerButtons&) = delete;
    PointerButtons& operator=(const PointerButtons&) = delete;

    bool isDown(MouseButton button) const;
    // Called on the reader thread.
    void setPressCallback(PressCallback callback);

private:
    void run();

    std::string folder_;
    mutable std::mutex mutex_;
    ButtonState state_;
    PressCallback callback_;
    int wakeFd_ = -1;
    std::thread thread_;
};

// Whether an evdev device at this path reports mouse buttons.
bool isPointerDevice(int fd);

}  // namespace velorin::linux_platform
