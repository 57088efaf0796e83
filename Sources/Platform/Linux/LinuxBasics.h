#pragma once
// The small services that need nothing of the desktop: the monotonic clock,
// scripting (none here), haptics (none here), the file system's folders and
// this app's own bundle information.

#include <string>

#include "Platform/Bundle.h"
#include "Platform/Clock.h"
#include "Platform/FileManager.h"
#include "Platform/Haptics.h"
#include "Platform/Scripting.h"

namespace velorin::linux_platform {

class LinuxClock : public Clock {
public:
    double systemUptime() const override;  // CLOCK_MONOTONIC, the clock of the touchpad frames
    Date now() const override;
};

// There is no scripting language for other apps here: no script can be made,
// so the callers' own "cannot" path runs.
class LinuxScripting : public Scripting {
public:
    std::unique_ptr<Script> makeScript(const std::string& source) override;
};

class LinuxHaptics : public Haptics {
public:
    void perform(HapticPattern, HapticPerformanceTime) override {}
};

class LinuxFileManager : public FileManager {
public:
    std::string homeDirectory() override;
    std::optional<std::string> applicationSupportDirectory() override;  // $XDG_CONFIG_HOME or ~/.config
    std::optional<std::vector<std::string>> contentsOfDirectory(const std::string& path) override;
    std::string displayName(const std::string& path) override;
};

// Built-in values; resources live in "Resources" beside the executable.
class LinuxBundle : public Bundle {
public:
    explicit LinuxBundle(std::string resourceFolder = {});
    std::optional<std::string> bundleIdentifier() override;
    std::optional<std::string> shortVersion() override;
    std::optional<std::string> buildVersion() override;
    std::optional<PropertyValue> objectForInfoDictionaryKey(const std::string& key) override;
    std::optional<std::string> pathForResource(const std::string& name, const std::string& extension,
                                               const std::string& subdirectory) override;
    std::optional<std::string> bundleIdentifierAtPath(const std::string& path) override;

private:
    std::string resources_;
};

}  // namespace velorin::linux_platform
