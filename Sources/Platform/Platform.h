#pragma once
// Everything the system asks of the operating system, one service per area,
// and the one installed instance the process reaches them through.

#include "Platform/Accessibility.h"
#include "Platform/Bundle.h"
#include "Platform/Clock.h"
#include "Platform/Defaults.h"
#include "Platform/DisplaySettings.h"
#include "Platform/EventSystem.h"
#include "Platform/FileManager.h"
#include "Platform/Haptics.h"
#include "Platform/LoginItems.h"
#include "Platform/MainQueue.h"
#include "Platform/Pasteboard.h"
#include "Platform/Processes.h"
#include "Platform/Screens.h"
#include "Platform/Scripting.h"
#include "Platform/Workspace.h"

#include <memory>

namespace velorin {

class Platform {
public:
    // One of each; none may be missing.
    struct Services {
        std::unique_ptr<Workspace> workspace;
        std::unique_ptr<EventSystem> eventSystem;
        std::unique_ptr<Accessibility> accessibility;
        std::unique_ptr<Screens> screens;
        std::unique_ptr<Processes> processes;
        std::unique_ptr<Scripting> scripting;
        std::unique_ptr<Defaults> defaults;
        std::unique_ptr<LoginItems> loginItems;
        std::unique_ptr<Bundle> bundle;
        std::unique_ptr<FileManager> fileManager;
        std::unique_ptr<Haptics> haptics;
        std::unique_ptr<DisplaySettings> displaySettings;
        std::unique_ptr<Pasteboard> pasteboard;
        std::unique_ptr<MainQueue> mainQueue;
        std::unique_ptr<Clock> clock;
    };

    // Throws std::invalid_argument naming the first missing service.
    explicit Platform(Services services);
    Platform(const Platform&) = delete;
    Platform& operator=(const Platform&) = delete;

    Workspace& workspace() const { return *services_.workspace; }
    EventSystem& eventSystem() const { return *services_.eventSystem; }
    Accessibility& accessibility() const { return *services_.accessibility; }
    Screens& screens() const { return *services_.screens; }
    Processes& processes() const { return *services_.processes; }
    Scripting& scripting() const { return *services_.scripting; }
    Defaults& defaults() const { return *services_.defaults; }
    LoginItems& loginItems() const { return *services_.loginItems; }
    Bundle& bundle() const { return *services_.bundle; }
    FileManager& fileManager() const { return *services_.fileManager; }
    Haptics& haptics() const { return *services_.haptics; }
    DisplaySettings& displaySettings() const { return *services_.displaySettings; }
    Pasteboard& pasteboard() const { return *services_.pasteboard; }
    MainQueue& mainQueue() const { return *services_.mainQueue; }
    Clock& clock() const { return *services_.clock; }

private:
    Services services_;
};

namespace platform {

// The installed platform. Throws std::logic_error when none is installed.
// Safe from any thread while one stays installed.
Platform& current();
bool isInstalled();

// Makes `platform` the current one. Throws std::logic_error when one is
// already installed (the process has exactly one) and std::invalid_argument
// for a null platform.
void install(std::unique_ptr<Platform> platform);
// Takes the current platform out and gives it back; null when none was installed.
std::unique_ptr<Platform> uninstall();

// Installs a platform for the lifetime of the object (a test, `main`) and
// uninstalls and destroys it at the end.
class ScopedPlatform {
public:
    explicit ScopedPlatform(std::unique_ptr<Platform> platform);
    ~ScopedPlatform();
    ScopedPlatform(const ScopedPlatform&) = delete;
    ScopedPlatform& operator=(const ScopedPlatform&) = delete;

    Platform& platform() const { return *platform_; }

private:
    Platform* platform_;
};

}  // namespace platform
}  // namespace velorin
