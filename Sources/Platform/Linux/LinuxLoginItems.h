#pragma once
// The login item as an XDG autostart entry: $XDG_CONFIG_HOME/autostart/velorin.desktop.

#include <string>
#include <vector>

#include "Platform/Linux/DesktopEntry.h"
#include "Platform/LoginItems.h"

namespace velorin::linux_platform {

// The program an autostart entry starts: the installed one (the program of
// the first "velorin.desktop" in `applicationFolders`, when it is there), else
// `running`, the program that runs now (as from a build tree).
std::string autostartProgram(const std::string& running, const std::vector<std::string>& applicationFolders,
                             const ProgramFinder& installed = isInstalledProgram);

class LinuxLoginItems : public LoginItems {
public:
    // `autostartFolder` empty: $XDG_CONFIG_HOME/autostart, else ~/.config/autostart.
    // `executable` empty: the installed program, else this process's own
    // executable, looked up at each registration.
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
