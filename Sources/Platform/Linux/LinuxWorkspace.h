#pragma once
// The workspace on a Linux desktop: running apps and the front app from the
// desktop's window system (the X11 window manager, or a Wayland compositor),
// installed apps from desktop entries (named by the macOS bundle identifier of
// their counterpart where one is known), opening with the desktop's default
// handlers, and activation, launch and termination notices from the window
// system's changes.

#include <filesystem>
#include <map>
#include <memory>
#include <set>

#include "Platform/Linux/DBusActivation.h"
#include "Platform/Linux/DesktopEntry.h"
#include "Platform/Linux/EntryCatalog.h"
#include "Platform/Linux/WindowSystem.h"
#include "Platform/Linux/X11Desktop.h"
#include "Platform/MainQueue.h"
#include "Platform/Processes.h"
#include "Platform/Workspace.h"

namespace velorin::linux_platform {

class LinuxWorkspace : public Workspace {
public:
    // `permissionsPage`: the file URL of our page on input permissions, opened in
    // place of the system's privacy settings.
    // `queue`: where launch feedback ends when an app never ends it (Qt's
    // main loop when none is given).
    LinuxWorkspace(std::shared_ptr<WindowSystem> windows, Processes& processes,
                   std::optional<std::string> permissionsPage, std::vector<std::string> applicationFolders,
                   std::shared_ptr<MainQueue> queue = nullptr);
    // On the X11 window manager.
    LinuxWorkspace(std::shared_ptr<X11Desktop> desktop, Processes& processes,
                   std::optional<std::string> permissionsPage, std::vector<std::string> applicationFolders,
                   std::shared_ptr<MainQueue> queue = nullptr);
    ~LinuxWorkspace() override;

    std::vector<RunningApplication> runningApplications() override;
    std::optional<RunningApplication> frontmostApplication() override;
    std::optional<std::string> urlForApplication(const std::string& bundleIdentifier) override;
    // The desktop entries the desktop lists (not NoDisplay), by the
    // identifier each is reported under, in the folders' order.
    std::vector<std::string> installedApplications() override;
    // The system's folder of desktop entries (the last that exists).
    std::string applicationsFolder() override;
    void openApplication(const std::string& path, const OpenConfiguration& configuration) override;
    // An entry with DBusActivatable=true is asked to come up over the session
    // bus; when it does not answer, its command runs, and without one the
    // opening fails.
    void openApplicationReporting(const std::string& path, const OpenConfiguration& configuration,
                                  std::function<void()> failedLater) override;
    bool open(const std::string& url) override;
    bool openReporting(const std::string& url, std::function<void()> failedLater) override;
    bool hide(std::int32_t processIdentifier) override;
    bool activate(std::int32_t processIdentifier) override;
    // The icon of a desktop entry, from the user's icon theme (see IconTheme.h).
    std::optional<Icon> iconForFile(const std::string& path) override;
    // The size icons are drawn at: room for every badge, at twice its points.
    static constexpr int iconPixels = 128;
    ObserverToken addObserver(WorkspaceNotice notice, Observer observer) override;
    void removeObserver(ObserverToken token) override;

    // The app a window belongs to, as this workspace reports it.
    RunningApplication applicationOf(const DesktopWindow& window, bool active);

    // How long launch feedback lasts at most, for an app whose window never
    // shows (or never says it is the one launched): as long as desktops give it.
    double startupTimeoutSeconds = 15;
    // The bus D-Bus activatable apps are asked on (the session bus unless set).
    void setApplicationBus(std::unique_ptr<ApplicationBus> bus) { bus_ = std::move(bus); }

private:
    std::optional<std::uint32_t> topmostWindowOf(const std::string& bundleIdentifier);
    EntryCatalog::Entries entries() { return catalog_.entries(); }
    void notify(WorkspaceNotice notice, const std::optional<RunningApplication>& app);
    void changed(WindowSystem::Change change);
    // The startup id a launch of `program` (from `entry`, when it comes from
    // one) carries, and for an entry whose app ends its own feedback the
    // feedback begun; absent when the desktop has no startup notification.
    std::optional<std::string> beginStartup(const DesktopEntry* entry, const std::string& program, bool activates);
    void endStartup(const std::string& id);
    void endStartupsOfNewWindows();
    bool startLaunch(const EntryLaunch& launch, const std::optional<std::string>& startupId);
    ApplicationBus& applicationBus();

    std::shared_ptr<WindowSystem> desktop_;
    Processes& processes_;
    std::optional<std::string> permissionsPage_;
    std::vector<std::string> folders_;
    EntryCatalog catalog_;
    std::map<ObserverToken, std::pair<WorkspaceNotice, Observer>> observers_;
    ObserverToken next_ = 1;
    std::map<std::int32_t, RunningApplication> known_;  // running apps at the last client-list notice
    std::shared_ptr<MainQueue> queue_;
    struct Startup {
        std::string id;
        std::string windowClass;                   // StartupWMClass
        std::set<std::uint32_t> windowsBefore;     // the client windows at the launch
        std::shared_ptr<WorkItem> timeout;
    };
    std::vector<Startup> startups_;                // launch feedback shown now
    unsigned launches_ = 0;
    std::unique_ptr<ApplicationBus> bus_;  // last: its answers still to come go first
};

}  // namespace velorin::linux_platform
