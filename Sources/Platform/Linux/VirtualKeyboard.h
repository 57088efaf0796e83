#pragma once
// The uinput virtual keyboard that every posted key goes through. Posting and
// the trust test share it: the process counts as trusted exactly when the
// keyboard exists, so a granted permission is never answered by keys that go
// nowhere.

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Linux/KeyMap.h"
#include "Support/LoginSession.h"

struct libevdev_uinput;

namespace velorin::linux_platform {

// Where posted keys are written; the virtual keyboard is the program's.
class KeyOutput {
public:
    virtual ~KeyOutput() = default;
    // False when the keys went nowhere.
    virtual bool write(const std::vector<KeyWrite>& writes) = 0;
};

// What may be written while another user's login session is on the seat: the
// keyboard is theirs then, so only releases go out (nothing stays held down
// across the switch) and no key is pressed.
std::vector<KeyWrite> writableWhileAway(const std::vector<KeyWrite>& writes);

class VirtualKeyboard : public KeyOutput {
public:
    // `sessionActive`: whether this login session is the seat's active one, asked
    // before every write.
    explicit VirtualKeyboard(std::string uinputPath = "/dev/uinput",
                             std::function<bool()> sessionActive = LoginSession::currentIsActive);
    ~VirtualKeyboard() override;
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    // Makes the device if it does not exist yet (the permission may have been
    // granted since the last try); whether it exists. Safe from any thread.
    bool ensure();

    // Writes each key change as a report of its own, so every reader sees the
    // modifiers before the key; false when there is no device, or when keys
    // were held back because another user's session is active.
    bool write(const std::vector<KeyWrite>& writes) override;

    // The device's node (/dev/input/eventN); absent without a device or when
    // the kernel does not say.
    std::optional<std::string> deviceNode();

private:
    bool ensureLocked();

    std::string path_;
    std::function<bool()> sessionActive_;
    std::mutex mutex_;
    libevdev_uinput* device_ = nullptr;
};

}  // namespace velorin::linux_platform
