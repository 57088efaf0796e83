#pragma once
// The real backend: touchpads are the evdev nodes of a folder (/dev/input), read
// through libevdev, listen-only (never grabbed), and watched with inotify so that
// a touchpad that comes back is found again.

#include <functional>
#include <optional>
#include <string>

#include "MultitouchSupport/DeviceBackend.h"

struct inotify_event;

namespace velorin::multitouch {

class EvdevBackend final : public DeviceBackend {
public:
    // `makeWakeFd` makes the eventfd that wakes a reader or a watch (by default eventfd(2));
    // when it fails (-1), waits still end on a stop, a little later.
    explicit EvdevBackend(std::string folder = "/dev/input", std::function<int()> makeWakeFd = {});

    std::vector<FoundDevice> scan() override;
    std::unique_ptr<EventStream> open(const std::string& node) override;
    std::unique_ptr<ChangeWatch> watch() override;
    std::unique_ptr<KeyboardWatch> watchKeyboards(TypingGuard& guard) override;
    // Through logind's records; none outside a login session.
    std::unique_ptr<SessionWatch> watchSession(std::function<void(bool active)> changed) override;
    // Through the running desktop's settings (TouchpadSwitchWatch.h).
    std::unique_ptr<TouchpadSwitchWatch> watchTouchpadSwitch(std::function<void(const TouchpadSwitch&)> changed) override;

private:
    std::string folder_;
    std::function<int()> makeWakeFd_;
};

// The number in "event12", or nothing for other names: the nodes of an input folder.
std::optional<int> eventNumber(const std::string& name);

// Hands every event waiting on a non-blocking inotify descriptor to `seen`, with the name
// it carries (empty for the watched folder itself).
void drainInotifyEvents(int fd, const std::function<void(const inotify_event&, const std::string& name)>& seen);

// Whether an external mouse (isExternalMouse) is among the folder's event nodes now.
bool externalMousePresent(const std::string& folder);

// Reads what libevdev has, up to `maxEvents` live events, into `events`. A SYN_DROPPED starts
// libevdev's resync, which is read whole, however long, and may carry on from an earlier call
// (`syncing`). Gives false when the device failed (gone).
bool drainEvents(const std::function<int(unsigned flags, input_event& event)>& nextEvent, bool& syncing,
                 std::vector<input_event>& events, int maxEvents);

}  // namespace velorin::multitouch
