#pragma once
// Apps whose desktop entries say DBusActivatable=true are started by asking
// them over the session bus (org.freedesktop.Application), under the name
// their desktop id gives, rather than by running their command.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace velorin::linux_platform {

// The bus name of the app with this desktop id: the id itself, absent when
// it is not a valid well-known bus name (the app then can't be asked).
std::optional<std::string> applicationBusName(const std::string& desktopId);
// Its object path: "/" and the name, with "." as "/" and "-" as "_".
std::string applicationObjectPath(const std::string& busName);

class ApplicationBus {
public:
    virtual ~ApplicationBus() = default;
    // Asks the app at `busName` to come up (Activate) or, with `uris`, to open
    // them (Open), with `startupId` (when not empty) as its startup id and
    // activation token. Returns at once; `answered` runs on the main thread
    // with whether the app answered without an error. Dropping the bus drops
    // the answers still to come.
    virtual void activate(const std::string& busName, const std::vector<std::string>& uris,
                          const std::string& startupId, std::function<void(bool answered)> answered) = 0;
};

// The user's session bus, or the bus at a D-Bus address.
std::unique_ptr<ApplicationBus> sessionApplicationBus();
std::unique_ptr<ApplicationBus> applicationBusAt(const std::string& address);

}  // namespace velorin::linux_platform
