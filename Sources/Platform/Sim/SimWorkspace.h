#pragma once
// The simulated workspace: running and installed apps as the test sets them,
// notices delivered through the simulated main queue, and a record of every
// opening, hiding and activation.

#include "Platform/Sim/SimFailures.h"
#include "Platform/Sim/SimJournal.h"
#include "Platform/Sim/SimMainQueue.h"
#include "Platform/Workspace.h"

#include <map>
#include <mutex>
#include <set>
#include <vector>

namespace velorin::sim {

struct OpenedApplication {
    std::string path;
    OpenConfiguration configuration;
    bool operator==(const OpenedApplication&) const = default;
};

class SimWorkspace : public Workspace {
public:
    SimWorkspace(SimMainQueue& mainQueue, SimFailures& failures, SimJournal& journal);

    std::vector<RunningApplication> runningApplications() override;
    std::optional<RunningApplication> frontmostApplication() override;
    std::optional<std::string> urlForApplication(const std::string& bundleIdentifier) override;
    // The installed apps by identifier, those set unlisted left out.
    std::vector<std::string> installedApplications() override;
    std::string applicationsFolder() override;
    void openApplication(const std::string& path, const OpenConfiguration& configuration) override;
    void openApplicationReporting(const std::string& path, const OpenConfiguration& configuration,
                                  std::function<void()> failedLater) override;
    bool open(const std::string& url) override;
    bool openReporting(const std::string& url, std::function<void()> failedLater) override;
    bool hide(std::int32_t processIdentifier) override;
    bool activate(std::int32_t processIdentifier) override;
    std::optional<Icon> iconForFile(const std::string& path) override;
    ObserverToken addObserver(WorkspaceNotice notice, Observer observer) override;
    void removeObserver(ObserverToken token) override;

    // The test side. Notices reach observers on the main queue's next run, as
    // the system's do.

    // Adds a running app at the end of the list (replacing one with the same
    // process identifier) and sends the launch notice. An app added active
    // becomes the front app.
    void addRunningApp(RunningApplication app, bool notify = true);
    // Removes it and sends the termination notice.
    void removeRunningApp(std::int32_t processIdentifier, bool notify = true);
    // Makes the app with this process identifier the active one (none for
    // absent, or for an identifier that runs no app) and sends the activation
    // notice with it.
    void setFrontApp(std::optional<std::int32_t> processIdentifier, bool notify = true);
    // Sends a notice as the system would, with any app or none.
    void sendNotice(WorkspaceNotice notice, std::optional<RunningApplication> app);

    // An app that `urlForApplication` finds.
    void installApp(const std::string& bundleIdentifier, const std::string& path);
    void uninstallApp(const std::string& bundleIdentifier);
    // An installed app that listings leave out (as desktops do for helpers).
    void setUnlisted(const std::string& bundleIdentifier, bool unlisted = true);
    // The folder `applicationsFolder` names ("/Applications" at first).
    void setApplicationsFolder(std::string path);
    void setIcon(const std::string& path, Icon icon);
    // `open` gives false for this URL from now on.
    void refuseURL(const std::string& url);
    // The openings started so far fail now, as a handler that gave up would
    // tell: their `failedLater` run on the main queue's next run.
    void failStartedOpenings();

    std::vector<OpenedApplication> openedApplications() const;
    // The URLs opened successfully, in order.
    std::vector<std::string> openedURLs() const;
    std::vector<std::int32_t> hiddenApps() const;
    std::vector<std::int32_t> activatedApps() const;
    // Every identifier `urlForApplication` was asked for, and every path
    // `iconForFile`, in order.
    std::vector<std::string> locationQueries() const;
    std::vector<std::string> iconQueries() const;
    std::size_t observerCount() const;
    void clearRecords();

private:
    void activateLocked(std::optional<std::int32_t> processIdentifier);
    std::optional<RunningApplication> appLocked(std::int32_t processIdentifier) const;

    SimMainQueue& mainQueue_;
    SimFailures& failures_;
    SimJournal& journal_;
    mutable std::mutex mutex_;
    std::vector<RunningApplication> running_;
    std::map<std::string, std::string> installed_;
    std::set<std::string> unlisted_;
    std::string applicationsFolder_ = "/Applications";
    std::map<std::string, Icon> icons_;
    std::set<std::string> refused_;
    std::map<ObserverToken, std::pair<WorkspaceNotice, std::shared_ptr<Observer>>> observers_;
    ObserverToken nextToken_ = 1;
    std::vector<OpenedApplication> openedApps_;
    std::vector<std::string> openedURLs_;
    std::vector<std::function<void()>> pendingFailures_;
    std::vector<std::int32_t> hidden_;
    std::vector<std::int32_t> activated_;
    std::vector<std::string> locationQueries_;
    std::vector<std::string> iconQueries_;
};

}  // namespace velorin::sim
