#pragma once
// The stand-in framework's devices: every touchpad it has listed, by identity, so
// a touchpad keeps its device pointer when it goes away and comes back. A started
// device has one reader thread while it is present; a watch thread finds started
// devices again when they return. While a touchpad is suspended (another user's login
// session is the active one, or the desktop's own switch has the pad off), it delivers
// nothing. Stopping joins the threads.

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "MultitouchSupport/DeviceBackend.h"
#include "MultitouchSupport/MultitouchSupport.h"

namespace velorin::multitouch {

// A device silent this long under a finger is asked whether another program grabbed it.
inline constexpr double silenceCheckSeconds = 0.1;

class DeviceRegistry {
public:
    explicit DeviceRegistry(std::unique_ptr<DeviceBackend> backend);
    ~DeviceRegistry();  // stops every device and joins every thread
    DeviceRegistry(const DeviceRegistry&) = delete;
    DeviceRegistry& operator=(const DeviceRegistry&) = delete;

    // The touchpads present now; a touchpad listed before gets its earlier pointer.
    MTDeviceList* createList();
    // Pointers this registry did not hand out are ignored.
    void registerCallback(MTDeviceRef device, MTContactFrameCallback callback);
    void unregisterCallback(MTDeviceRef device, MTContactFrameCallback callback);
    void start(MTDeviceRef device);
    void stop(MTDeviceRef device);

    // Whether the device has a reader now (it is started and present).
    bool isReading(MTDeviceRef device);
    // What the readers ask before a touch lands; the keyboards feed it while a device is started.
    TypingGuard& typingGuard() { return typing_; }

private:
    struct Device;
    class Reader;

    Device* find(MTDeviceRef device);  // with mutex_ held
    void reconnect();
    void adoptNewPads(const std::vector<FoundDevice>& present);  // with mutex_ held
    bool anyListedStarted() const;                                // with mutex_ held
    void watchLoop(ChangeWatch* watch);
    void deliver(Device& device, const ContactFrame& frame);
    void readerEnded();
    void sessionChanged(bool active);
    void touchpadSwitchChanged(const TouchpadSwitch& state);
    Device& addDevice(const DeviceIdentity& identity, bool adopted);  // with mutex_ held
    bool suspended(const Device& device) const;
    void joinRetired();

    std::unique_ptr<DeviceBackend> backend_;
    TypingGuard typing_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Device>> devices_;
    std::unique_ptr<ChangeWatch> watch_;
    std::thread watchThread_;
    std::unique_ptr<KeyboardWatch> keyboards_;
    std::unique_ptr<SessionWatch> session_;
    std::unique_ptr<TouchpadSwitchWatch> touchpadSwitch_;
    std::atomic<bool> sessionActive_{true};  // this login session is the seat's active one
    TouchpadSwitch switchState_;             // what the desktop's switch last said; with mutex_ held
    std::vector<std::unique_ptr<Reader>> retired_;  // stopped from their own thread; joined later
};

}  // namespace velorin::multitouch
