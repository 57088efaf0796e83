#pragma once
// The real backend: touchpads are the evdev nodes of a folder (/dev/input), read
// through libevdev, listen-only (never grabbed), and watched with inotify so that
// a touchpad that comes back is found again.

#include <functional>
#include <string>

#include "MultitouchSupport/DeviceBackend.h"

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

private:
    std::string folder_;
    std::function<int()> makeWakeFd_;
};

// Reads what libevdev has, up to `maxEvents` live events, into `events`. A SYN_DROPPED starts
// libevdev's resync, which is read whole, however long, and may carry on from an earlier call
// (`syncing`). Gives false when the device failed (gone).
bool drainEvents(const std::function<int(unsigned flags, input_event& event)>& nextEvent, bool& syncing,
                 std::vector<input_event>& events, int maxEvents);

}  // namespace velorin::multitouch
