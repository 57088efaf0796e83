#pragma once
// The X server's input devices, read over a connection of our own (XCB, so an X error is
// an answer to one request and never a process-wide handler's): which evdev node each
// device is read from, and what its properties say of its events. Used by one thread.

#include <memory>
#include <string>
#include <vector>

#include "MultitouchSupport/TouchpadSwitch.h"

namespace velorin::multitouch {

struct XInputDevice {
    std::string node;  // "Device Node"
    DeviceEvents events = DeviceEvents::enabled;
    bool operator==(const XInputDevice&) const = default;
};

class XInputDevices {
public:
    // Connects to `display` and asks to be told of the devices' property and hierarchy
    // changes; none without a server there that speaks XInput 2.
    static std::unique_ptr<XInputDevices> connect(const std::string& display);
    ~XInputDevices();
    XInputDevices(const XInputDevices&) = delete;
    XInputDevices& operator=(const XInputDevices&) = delete;

    // The connection's descriptor, readable when events arrive.
    int fd() const;
    // Takes every event that arrived: whether one may change what devices() gives.
    bool takeEvents();
    // Whether the connection is lost (the server ended): nothing more comes.
    bool broken() const;
    // The devices read from an evdev node, as they are now.
    std::vector<XInputDevice> devices();

private:
    struct Connection;
    explicit XInputDevices(std::unique_ptr<Connection> connection);
    std::unique_ptr<Connection> connection_;
};

}  // namespace velorin::multitouch
