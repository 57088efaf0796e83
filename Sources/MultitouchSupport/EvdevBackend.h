#pragma once
// The real backend: touchpads are the evdev nodes of a folder (/dev/input), read
// through libevdev, listen-only (never grabbed), and watched with inotify so that
// a touchpad that comes back is found again.

#include <string>

#include "MultitouchSupport/DeviceBackend.h"

namespace velorin::multitouch {

class EvdevBackend final : public DeviceBackend {
public:
    explicit EvdevBackend(std::string folder = "/dev/input");

    std::vector<FoundDevice> scan() override;
    std::unique_ptr<EventStream> open(const std::string& node) override;
    std::unique_ptr<ChangeWatch> watch() override;

private:
    std::string folder_;
};

}  // namespace velorin::multitouch
