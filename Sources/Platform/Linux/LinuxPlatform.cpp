#include "Platform/Linux/LinuxPlatform.h"

#include <QUrl>

#include <cstdlib>

#include "Platform/Linux/DesktopEntry.h"
#include "Platform/Linux/LinuxAccessibility.h"
#include "Platform/Linux/LinuxBasics.h"
#include "Platform/Linux/LinuxEventSystem.h"
#include "Platform/Linux/LinuxLoginItems.h"
#include "Platform/Linux/LinuxProcesses.h"
#include "Platform/Linux/LinuxWorkspace.h"
#include "Platform/Linux/QtServices.h"
#include "Platform/Linux/VirtualKeyboard.h"
#include "Platform/Linux/WaylandSession.h"
#include "Platform/Linux/X11WindowSystem.h"

namespace velorin::linux_platform {

std::unique_ptr<Platform> makeLinuxPlatform() {
    Platform::Services s;
    // The workspace and the window commands share one view of the windows.
    const SessionDesktop session = sessionDesktop();
    const bool x11 = session == SessionDesktop::x11;
    std::shared_ptr<WindowSystem> desktop = x11 ? std::make_shared<X11WindowSystem>(std::make_shared<X11Desktop>())
                                                : makeWaylandWindowSystem(session);
    // Made at once: the display server takes a moment to pick up a new input
    // device, and keys written before it has are lost.
    auto keyboard = std::make_shared<VirtualKeyboard>();
    (void)keyboard->ensure();
    auto processes = std::make_unique<LinuxProcesses>(std::make_shared<QtMainQueue>());
    auto queue = std::make_unique<QtMainQueue>();
    auto bundle = std::make_unique<LinuxBundle>();
    std::optional<std::string> page;
    if (auto p = bundle->pathForResource("input-permissions", "html", "")) {
        page = QUrl::fromLocalFile(QString::fromStdString(*p)).toString(QUrl::FullyEncoded).toStdString();
    }

    s.workspace = std::make_unique<LinuxWorkspace>(desktop, *processes, page, applicationFolders());
    // The pointer reader posts from its own thread; its own handle on the main
    // queue stays valid however the platform's services are taken apart.
    // Keys are posted on the main thread while the platform, which owns the
    // workspace too, is installed.
    Workspace* workspace = s.workspace.get();
    auto frontApp = [workspace]() -> std::optional<std::string> {
        auto front = workspace->frontmostApplication();
        return front ? front->bundleIdentifier : std::nullopt;
    };
    const char* currentDesktop = std::getenv("XDG_CURRENT_DESKTOP");
    s.eventSystem = std::make_unique<LinuxEventSystem>(std::make_shared<QtMainQueue>(), keyboard, std::move(frontApp),
                                                       desktopKind(currentDesktop ? currentDesktop : ""));
    s.accessibility =
        std::make_unique<LinuxAccessibility>(desktop, keyboard, x11 ? qtDesktopUnits : logicalDesktopUnits);
    s.screens = std::make_unique<QtScreens>();
    s.processes = std::move(processes);
    s.scripting = std::make_unique<LinuxScripting>();
    s.defaults = std::make_unique<QtDefaults>();
    s.loginItems = std::make_unique<LinuxLoginItems>();
    s.bundle = std::move(bundle);
    s.fileManager = std::make_unique<LinuxFileManager>();
    s.haptics = std::make_unique<LinuxHaptics>();
    s.displaySettings = std::make_unique<QtDisplaySettings>();
    s.pasteboard = std::make_unique<QtPasteboard>();
    s.mainQueue = std::move(queue);
    s.clock = std::make_unique<LinuxClock>();
    return std::make_unique<Platform>(std::move(s));
}

}  // namespace velorin::linux_platform
