#pragma once
// The login item as an XDG autostart entry: $XDG_CONFIG_HOME/autostart/velorin.desktop.

#include <string>

#include "Platform/LoginItems.h"

namespace velorin::linux_platform {

class LinuxLoginItems : public LoginItems {
public:
    // `autostartFolder` empty: $XDG_CONFIG_HOME/autostart, else ~/.config/autostart.
    // `executable` empty: this process's own executable.
    explicit LinuxLoginItems(std::string autostartFolder = {}, std::string executable = {});

    LoginItemStatus status() override;
    void registerMainApp() override;
    void unregisterMainApp() override;

    const std::string& entryPath() const { return entryPath_; }

private:
    std::string folder_;
    std::string entryPath_;
    std::string executable_;
};

}  // namespace velorin::linux_platform
