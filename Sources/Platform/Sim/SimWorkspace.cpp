#include "Platform/Sim/SimWorkspace.h"

#include <algorithm>

namespace velorin::sim {

SimWorkspace::SimWorkspace(SimMainQueue& mainQueue, SimFailures& failures, SimJournal& journal)
    : mainQueue_(mainQueue), failures_(failures), journal_(journal) {}

std::vector<RunningApplication> SimWorkspace::runningApplications() {
    std::lock_guard lock(mutex_);
    return running_;
}

std::optional<RunningApplication> SimWorkspace::frontmostApplication() {
    std::lock_guard lock(mutex_);
    for (const auto& app : running_) {
        if (app.isActive) return app;
    }
    return std::nullopt;
}

std::optional<std::string> SimWorkspace::urlForApplication(const std::string& bundleIdentifier) {
    std::lock_guard lock(mutex_);
    locationQueries_.push_back(bundleIdentifier);
    auto it = installed_.find(bundleIdentifier);
    if (it == installed_.end()) return std::nullopt;
    return it->second;
}

void SimWorkspace::openApplication(const std::string& path, const OpenConfiguration& configuration) {
    std::lock_guard lock(mutex_);
    openedApps_.push_back({path, configuration});
    std::string line = "openApplication " + path;
    if (!configuration.activates) line += " inactive";
    if (!configuration.arguments.empty()) {
        line += " arguments";
        for (const auto& argument : configuration.arguments) line += " " + argument;
    }
    journal_.write(std::move(line));
}

void SimWorkspace::openApplicationReporting(const std::string& path, const OpenConfiguration& configuration,
                                            std::function<void()> failedLater) {
    openApplication(path, configuration);
    std::lock_guard lock(mutex_);
    if (failedLater) pendingFailures_.push_back(std::move(failedLater));
}

bool SimWorkspace::open(const std::string& url) {
    const bool failed = failures_.shouldFail(FailurePoint::openURL);
    std::lock_guard lock(mutex_);
    if (failed || refused_.count(url)) {
        journal_.write("open refused " + url);
        return false;
    }
    openedURLs_.push_back(url);
    journal_.write("open " + url);
    return true;
}

bool SimWorkspace::openReporting(const std::string& url, std::function<void()> failedLater) {
    if (!open(url)) return false;
    std::lock_guard lock(mutex_);
    if (failedLater) pendingFailures_.push_back(std::move(failedLater));
    return true;
}

void SimWorkspace::failStartedOpenings() {
    std::vector<std::function<void()>> failures;
    {
        std::lock_guard lock(mutex_);
        failures.swap(pendingFailures_);
    }
    for (auto& f : failures) mainQueue_.async(std::move(f));
}

bool SimWorkspace::hide(std::int32_t processIdentifier) {
    std::lock_guard lock(mutex_);
    auto it = std::find_if(running_.begin(), running_.end(),
                           [&](const RunningApplication& a) { return a.processIdentifier == processIdentifier; });
    if (it == running_.end()) return false;
    it->isHidden = true;
    it->isActive = false;
    hidden_.push_back(processIdentifier);
    journal_.write("hide " + std::to_string(processIdentifier));
    return true;
}

bool SimWorkspace::activate(std::int32_t processIdentifier) {
    std::optional<RunningApplication> app;
    {
        std::lock_guard lock(mutex_);
        if (!appLocked(processIdentifier)) return false;
        activated_.push_back(processIdentifier);
        journal_.write("activate " + std::to_string(processIdentifier));
        activateLocked(processIdentifier);
        app = appLocked(processIdentifier);
    }
    sendNotice(WorkspaceNotice::didActivateApplication, app);
    return true;
}

std::optional<Icon> SimWorkspace::iconForFile(const std::string& path) {
    std::lock_guard lock(mutex_);
    iconQueries_.push_back(path);
    auto it = icons_.find(path);
    if (it == icons_.end()) return std::nullopt;
    return it->second;
}

ObserverToken SimWorkspace::addObserver(WorkspaceNotice notice, Observer observer) {
    std::lock_guard lock(mutex_);
    const ObserverToken token = nextToken_++;
    observers_.emplace(token, std::make_pair(notice, std::make_shared<Observer>(std::move(observer))));
    return token;
}

void SimWorkspace::removeObserver(ObserverToken token) {
    std::lock_guard lock(mutex_);
    observers_.erase(token);
}

void SimWorkspace::addRunningApp(RunningApplication app, bool notify) {
    {
        std::lock_guard lock(mutex_);
        std::erase_if(running_, [&](const RunningApplication& a) { return a.processIdentifier == app.processIdentifier; });
        running_.push_back(app);
        if (app.isActive) activateLocked(app.processIdentifier);
    }
    if (notify) sendNotice(WorkspaceNotice::didLaunchApplication, app);
}

void SimWorkspace::removeRunningApp(std::int32_t processIdentifier, bool notify) {
    std::optional<RunningApplication> app;
    {
        std::lock_guard lock(mutex_);
        app = appLocked(processIdentifier);
        if (!app) return;
        std::erase_if(running_, [&](const RunningApplication& a) { return a.processIdentifier == processIdentifier; });
    }
    if (notify) sendNotice(WorkspaceNotice::didTerminateApplication, app);
}

void SimWorkspace::setFrontApp(std::optional<std::int32_t> processIdentifier, bool notify) {
    std::optional<RunningApplication> app;
    {
        std::lock_guard lock(mutex_);
        activateLocked(processIdentifier);
        if (processIdentifier) app = appLocked(*processIdentifier);
    }
    if (notify) sendNotice(WorkspaceNotice::didActivateApplication, app);
}

void SimWorkspace::sendNotice(WorkspaceNotice notice, std::optional<RunningApplication> app) {
    mainQueue_.async([this, notice, app = std::move(app)] {
        std::vector<std::pair<ObserverToken, std::shared_ptr<Observer>>> told;
        {
            std::lock_guard lock(mutex_);
            for (const auto& [token, entry] : observers_) {
                if (entry.first == notice) told.emplace_back(token, entry.second);
            }
        }
        for (const auto& [token, observer] : told) {
            // An observer removed by an earlier one hears nothing more.
            {
                std::lock_guard lock(mutex_);
                if (!observers_.count(token)) continue;
            }
            (*observer)(app);
        }
    });
}

void SimWorkspace::installApp(const std::string& bundleIdentifier, const std::string& path) {
    std::lock_guard lock(mutex_);
    installed_[bundleIdentifier] = path;
}

std::vector<std::string> SimWorkspace::installedApplications() {
    std::lock_guard lock(mutex_);
    std::vector<std::string> ids;
    for (const auto& [id, path] : installed_) {
        if (!unlisted_.contains(id)) ids.push_back(id);
    }
    return ids;
}

std::string SimWorkspace::applicationsFolder() {
    std::lock_guard lock(mutex_);
    return applicationsFolder_;
}

void SimWorkspace::setUnlisted(const std::string& bundleIdentifier, bool unlisted) {
    std::lock_guard lock(mutex_);
    if (unlisted) {
        unlisted_.insert(bundleIdentifier);
    } else {
        unlisted_.erase(bundleIdentifier);
    }
}

void SimWorkspace::setApplicationsFolder(std::string path) {
    std::lock_guard lock(mutex_);
    applicationsFolder_ = std::move(path);
}

void SimWorkspace::uninstallApp(const std::string& bundleIdentifier) {
    std::lock_guard lock(mutex_);
    installed_.erase(bundleIdentifier);
}

void SimWorkspace::setIcon(const std::string& path, Icon icon) {
    std::lock_guard lock(mutex_);
    icons_[path] = std::move(icon);
}

void SimWorkspace::refuseURL(const std::string& url) {
    std::lock_guard lock(mutex_);
    refused_.insert(url);
}

std::vector<OpenedApplication> SimWorkspace::openedApplications() const {
    std::lock_guard lock(mutex_);
    return openedApps_;
}

std::vector<std::string> SimWorkspace::openedURLs() const {
    std::lock_guard lock(mutex_);
    return openedURLs_;
}

std::vector<std::int32_t> SimWorkspace::hiddenApps() const {
    std::lock_guard lock(mutex_);
    return hidden_;
}

std::vector<std::int32_t> SimWorkspace::activatedApps() const {
    std::lock_guard lock(mutex_);
    return activated_;
}

std::vector<std::string> SimWorkspace::locationQueries() const {
    std::lock_guard lock(mutex_);
    return locationQueries_;
}

std::vector<std::string> SimWorkspace::iconQueries() const {
    std::lock_guard lock(mutex_);
    return iconQueries_;
}

std::size_t SimWorkspace::observerCount() const {
    std::lock_guard lock(mutex_);
    return observers_.size();
}

void SimWorkspace::clearRecords() {
    std::lock_guard lock(mutex_);
    openedApps_.clear();
    openedURLs_.clear();
    hidden_.clear();
    activated_.clear();
    locationQueries_.clear();
    iconQueries_.clear();
}

void SimWorkspace::activateLocked(std::optional<std::int32_t> processIdentifier) {
    for (auto& app : running_) {
        const bool front = processIdentifier && app.processIdentifier == *processIdentifier;
        app.isActive = front;
        if (front) app.isHidden = false;
    }
}

std::optional<RunningApplication> SimWorkspace::appLocked(std::int32_t processIdentifier) const {
    for (const auto& app : running_) {
        if (app.processIdentifier == processIdentifier) return app;
    }
    return std::nullopt;
}

}  // namespace velorin::sim
