#pragma once
// The menu-command picker's state and its events, without widgets: the chosen
// app, the search text, the commands last read and whether the process may
// read menus. It follows apps as they start and quit, re-reads when this app
// comes back to the front and polls for the permission while it is missing;
// all of that only while it is active (its view is shown), and none of it
// outlives the object. Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Actions/MenuCommand.h"
#include "Actions/MenuScanner.h"
#include "Platform/MainQueue.h"
#include "Platform/ObserverToken.h"
#include "Platform/Workspace.h"
#include "Velorin/Editor/MenuCommandList.h"
#include "Velorin/Editor/MenuPickerGuidance.h"

namespace velorin {

class MenuCommandPickerModel {
public:
    static constexpr double permissionPollSeconds = 2.0;
    // Apps build their menus a moment after they start.
    static constexpr double launchRefreshDelaySeconds = 1.0;

    // `apps`: the bundle identifiers the picker may show; empty means any
    // running app. `changed` is called after every change of what is shown.
    explicit MenuCommandPickerModel(std::vector<std::string> apps, std::function<void()> changed = {});
    ~MenuCommandPickerModel();
    MenuCommandPickerModel(const MenuCommandPickerModel&) = delete;
    MenuCommandPickerModel& operator=(const MenuCommandPickerModel&) = delete;

    // The view came on screen: start following apps, this app's activation and
    // the permission, then refresh. Harmless when already active.
    void activate();
    // The view went away: stop all of that (pending delayed refreshes too).
    void deactivate();
    bool isActive() const { return active_; }

    const std::vector<std::string>& apps() const { return apps_; }
    const std::string& appID() const { return appID_; }
    const std::string& query() const { return query_; }
    const std::vector<ScannedCommand>& commands() const { return commands_; }
    bool trusted() const { return trusted_; }

    // Worked out afresh on every call.
    std::vector<RunningApplication> running() const;
    std::vector<ScannedCommand> shown() const { return MenuCommandList::shown(commands_, query_); }
    std::vector<CommandGroup> groups() const { return MenuCommandList::groups(shown()); }
    // Whether the header shows the app chooser: always for any app, else
    // when more than one allowed app runs.
    bool showsChooser() const;
    MenuPickerBody body() const;
    // The guidance screen of the current body (empty for `commands`).
    GuidanceScreen screen() const;
    // The header's title.
    std::string title() const;
    // The name of an app: AppInfo's, or the running app's own when AppInfo
    // could only make one from its identifier.
    std::string appName(const std::string& bundleIdentifier) const;

    // Chooses the app whose menus are shown (the chooser); reads its menus
    // when it changes.
    void chooseApp(const std::string& bundleIdentifier);
    void setQuery(std::string query);

    // Re-reads the permission, keeps the chosen app while it runs (else takes
    // the first), and reads its menus.
    void refresh();
    // Reads the chosen app's menus, or clears them without the permission or
    // when the app does not run.
    void scan();
    // The guidance screen's button.
    void perform(GuidanceAction action);

    // The menu command of a scanned one: its whole path and its key.
    static MenuCommand command(const ScannedCommand& scanned) { return MenuCommand(scanned.path, scanned.key); }

private:
    void notify();
    void permissionTick();
    // The app name the not-running and not-installed screens speak of.
    std::string allowedAppName() const;
    // The location of the one allowed app, when exactly one is allowed and installed.
    std::optional<std::string> openableLocation() const;
    bool anyAllowedInstalled() const;

    std::vector<std::string> apps_;
    std::function<void()> changed_;
    std::string appID_;
    std::string query_;
    std::vector<ScannedCommand> commands_;
    bool trusted_;

    bool active_ = false;
    std::vector<ObserverToken> observers_;
    std::shared_ptr<RepeatingTimer> poll_;
    std::vector<std::shared_ptr<WorkItem>> pendingRefreshes_;
};

}  // namespace velorin
