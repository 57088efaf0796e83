#include "Platform/Linux/LinuxWorkspace.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include <QUrl>

#include "Platform/Linux/AppIdentity.h"
#include "Platform/Linux/IconTheme.h"
#include "Platform/Linux/QtServices.h"
#include "Platform/Linux/StartupNotification.h"
#include "Platform/Linux/Translations.h"
#include "Platform/Linux/X11WindowSystem.h"

namespace velorin::linux_platform {
namespace fs = std::filesystem;

LinuxWorkspace::LinuxWorkspace(std::shared_ptr<WindowSystem> windows, Processes& processes,
                               std::optional<std::string> permissionsPage, std::vector<std::string> applicationFolders,
                               std::shared_ptr<MainQueue> queue)
    : desktop_(std::move(windows)),
      processes_(processes),
      permissionsPage_(std::move(permissionsPage)),
      folders_(std::move(applicationFolders)),
      catalog_(folders_),
      queue_(queue ? std::move(queue) : std::make_shared<QtMainQueue>()) {
    desktop_->setChangeHandler([this](WindowSystem::Change change) { changed(change); });
    if (desktop_->isConnected()) {
        for (const auto& app : runningApplications()) known_[app.processIdentifier] = app;
    }
}

LinuxWorkspace::LinuxWorkspace(std::shared_ptr<X11Desktop> desktop, Processes& processes,
                               std::optional<std::string> permissionsPage, std::vector<std::string> applicationFolders,
                               std::shared_ptr<MainQueue> queue)
    : LinuxWorkspace(std::make_shared<X11WindowSystem>(std::move(desktop)), processes, std::move(permissionsPage),
                     std::move(applicationFolders), std::move(queue)) {}

LinuxWorkspace::~LinuxWorkspace() {
    desktop_->setChangeHandler({});
    // Feedback we began ends with us rather than at the desktop's own timeout.
    while (!startups_.empty()) endStartup(startups_.front().id);
}

RunningApplication LinuxWorkspace::applicationOf(const DesktopWindow& window, bool active) {
    RunningApplication app;
    app.processIdentifier = window.pid;
    app.isActive = active;
    app.isHidden = window.hidden;
    const auto installed = entries();
    if (const DesktopEntry* e = entryForWindowClass(*installed, window.windowClass, window.instance)) {
        app.bundleIdentifier = bundleIdentifier(*e);
        const std::string name = translatedName(*e, messagesLocale());
        app.localizedName = name.empty() ? window.windowClass : name;
    } else if (!window.windowClass.empty()) {
        app.bundleIdentifier = knownBundleIdentifier(window.windowClass).value_or(window.windowClass);
        app.localizedName = window.windowClass;
    } else if (!window.title.empty()) {
        app.localizedName = window.title;
    }
    return app;
}

std::vector<RunningApplication> LinuxWorkspace::runningApplications() {
    const auto active = desktop_->activeWindow();
    std::vector<RunningApplication> apps;
    std::map<std::int32_t, std::size_t> byPid;
    for (const auto& w : desktop_->clientWindows()) {
        if (w.pid == 0) continue;
        const bool isActive = active && active->pid == w.pid;
        auto it = byPid.find(w.pid);
        if (it == byPid.end()) {
            byPid[w.pid] = apps.size();
            apps.push_back(applicationOf(w, isActive));
        } else {
            // An app is hidden only when every one of its windows is.
            apps[it->second].isHidden = apps[it->second].isHidden && w.hidden;
        }
    }
    return apps;
}

std::optional<RunningApplication> LinuxWorkspace::frontmostApplication() {
    const auto active = desktop_->activeWindow();
    if (!active) return std::nullopt;
    return applicationOf(*active, true);
}

std::optional<std::string> LinuxWorkspace::urlForApplication(const std::string& bundleIdentifierText) {
    const auto installed = entries();
    if (const DesktopEntry* e = entryForBundleIdentifier(*installed, bundleIdentifierText)) return e->path;
    return std::nullopt;
}

std::vector<std::string> LinuxWorkspace::installedApplications() {
    std::vector<std::string> ids;
    std::set<std::string> seen;
    const auto installed = entries();
    for (const auto& entry : *installed) {
        if (entry.hidden || entry.deleted) continue;
        auto id = bundleIdentifier(entry);
        if (seen.insert(id).second) ids.push_back(std::move(id));
    }
    return ids;
}

std::string LinuxWorkspace::applicationsFolder() {
    for (auto it = folders_.rbegin(); it != folders_.rend(); ++it) {
        std::error_code ec;
        if (fs::is_directory(*it, ec)) return *it;
    }
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) : std::string("/");
}

std::optional<std::string> LinuxWorkspace::beginStartup(const DesktopEntry* entry, const std::string& program,
                                                        bool activates) {
    // In the background, a startup time of 0 asks the window manager (and the
    // toolkits that read it) not to give the app's first window the focus.
    if (!activates) return startupId(++launches_, 0);
    const auto context = desktop_->startupContext();
    if (!context) return std::nullopt;
    std::string id = startupId(++launches_, context->serverTime);
    // Feedback only for an app known to end it: shown for one that never
    // does, it would last until the timeout.
    if (!entry || !entry->startupNotify) return id;
    StartupFields fields{{"ID", id}, {"NAME", translatedName(*entry, messagesLocale())},
                         {"SCREEN", std::to_string(context->screen)}};
    if (!program.empty()) fields.emplace_back("BIN", fs::path(program).filename().string());
    if (!entry->icon.empty()) fields.emplace_back("ICON", entry->icon);
    if (context->desktop) fields.emplace_back("DESKTOP", std::to_string(*context->desktop));
    if (!entry->startupWMClass.empty()) fields.emplace_back("WMCLASS", entry->startupWMClass);
    fields.emplace_back("APPLICATION_ID", entry->path);
    if (!desktop_->broadcastStartupMessage(startupMessage("new", fields))) return id;
    Startup startup{id, entry->startupWMClass, {}, {}};
    for (const auto& w : desktop_->clientWindows()) startup.windowsBefore.insert(w.id);
    startup.timeout = queue_->asyncAfter(startupTimeoutSeconds, [this, id] { endStartup(id); });
    startups_.push_back(std::move(startup));
    return id;
}

void LinuxWorkspace::endStartup(const std::string& id) {
    const auto it = std::find_if(startups_.begin(), startups_.end(), [&](const Startup& s) { return s.id == id; });
    if (it == startups_.end()) return;
    if (it->timeout) it->timeout->cancel();
    startups_.erase(it);
    (void)desktop_->broadcastStartupMessage(startupMessage("remove", {{"ID", id}}));
}

void LinuxWorkspace::endStartupsOfNewWindows() {
    if (startups_.empty()) return;
    std::vector<std::string> ended;
    const auto windows = desktop_->clientWindows();
    for (const auto& startup : startups_) {
        for (const auto& w : windows) {
            if (startup.windowsBefore.count(w.id)) continue;
            const bool itsClass = !startup.windowClass.empty() &&
                                  (w.windowClass == startup.windowClass || w.instance == startup.windowClass);
            if (w.startupId == startup.id || itsClass) {
                ended.push_back(startup.id);
                break;
            }
        }
    }
    for (const auto& id : ended) endStartup(id);
}

void LinuxWorkspace::openApplication(const std::string& path, const OpenConfiguration& configuration) {
    openApplicationReporting(path, configuration, {});
}

bool LinuxWorkspace::startLaunch(const EntryLaunch& launch, const std::optional<std::string>& startupId) {
    LaunchOptions options;
    options.workingDirectory = launch.workingDirectory;
    if (startupId) options.environment.push_back({"DESKTOP_STARTUP_ID", *startupId});
    return processes_.launch(launch.program, launch.arguments, options);
}

ApplicationBus& LinuxWorkspace::applicationBus() {
    if (!bus_) bus_ = sessionApplicationBus();
    return *bus_;
}

void LinuxWorkspace::openApplicationReporting(const std::string& path, const OpenConfiguration& configuration,
                                              std::function<void()> failedLater) {
    auto fail = [&] {
        if (failedLater) queue_->async(failedLater);
    };
    switch (specialApplication(path)) {
        case SpecialApplication::showDesktop: desktop_->toggleShowingDesktop(); return;
        case SpecialApplication::screenSaver: (void)processes_.start("xdg-screensaver", {"activate"}); return;
        case SpecialApplication::none: break;
    }
    if (fs::path(path).extension() == ".desktop") {
        const auto entry = readDesktopEntry(path, folders_);
        if (!entry) return fail();
        // Opening an app that runs brings it forward; starting it again would
        // open a second window or instance.
        if (auto window = topmostWindowOf(bundleIdentifier(*entry))) {
            if (configuration.activates) desktop_->activate(*window);
            return;
        }
        const auto launch = entryLaunch(*entry, configuration.arguments);
        const auto busName = entry->dbusActivatable ? applicationBusName(entry->id) : std::nullopt;
        if (!busName && !launch) return fail();
        const auto id = beginStartup(&*entry, launch ? launch->program : std::string(), configuration.activates);
        if (!busName) {
            if (startLaunch(*launch, id)) return;
            if (id) endStartup(*id);
            return fail();
        }
        // Launch arguments reach a D-Bus app as what it is asked to open.
        std::vector<std::string> uris;
        for (const auto& argument : configuration.arguments) {
            const QString text = QString::fromStdString(argument);
            uris.push_back(argument.starts_with("/")
                               ? QUrl::fromLocalFile(text).toString(QUrl::FullyEncoded).toStdString()
                               : argument);
        }
        applicationBus().activate(*busName, uris, id.value_or(std::string()),
                                  [this, launch, id, failedLater](bool answered) {
                                      if (answered) return;
                                      // Not on the bus after all: its command, where it has one.
                                      if (launch && startLaunch(*launch, id)) return;
                                      if (id) endStartup(*id);
                                      if (failedLater) failedLater();
                                  });
        return;
    }
    if (access(path.c_str(), X_OK) == 0 && fs::is_regular_file(path)) {
        LaunchOptions options;
        if (const auto id = beginStartup(nullptr, path, configuration.activates)) {
            options.environment.push_back({"DESKTOP_STARTUP_ID", *id});
        }
        if (!processes_.launch(path, configuration.arguments, options)) fail();
        return;
    }
    if (!processes_.start("xdg-open", {path})) fail();
}

bool LinuxWorkspace::open(const std::string& url) { return openReporting(url, {}); }

bool LinuxWorkspace::openReporting(const std::string& url, std::function<void()> failedLater) {
    const auto counterpart = openCounterpart(url, permissionsPage_);
    LaunchOptions options;
    // xdg-open ends with a failure status when no handler took the address.
    if (failedLater) {
        options.exited = [failedLater = std::move(failedLater)](int status) {
            if (status != 0) failedLater();
        };
    }
    switch (counterpart.kind) {
        case OpenCounterpart::Kind::asGiven:
            // A file that isn't there can't be opened; that much is known now.
            if (const QUrl parsed(QString::fromStdString(counterpart.url)); parsed.isLocalFile()) {
                std::error_code ec;
                if (!fs::exists(parsed.toLocalFile().toStdString(), ec)) return false;
            }
            return processes_.launch("xdg-open", {counterpart.url}, options);
        case OpenCounterpart::Kind::page: return processes_.launch("xdg-open", {counterpart.url}, options);
        case OpenCounterpart::Kind::screenSaver: return processes_.start("xdg-screensaver", {"activate"});
        case OpenCounterpart::Kind::nothing: return false;
    }
    return false;
}

bool LinuxWorkspace::hide(std::int32_t pid) {
    bool any = false;
    for (const auto& w : desktop_->clientWindows()) {
        if (w.pid == pid && !w.hidden) any = desktop_->iconify(w.id) || any;
    }
    return any;
}

std::optional<std::uint32_t> LinuxWorkspace::topmostWindowOf(const std::string& bundleIdentifierText) {
    const auto windows = desktop_->clientWindows();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (applicationOf(*it, false).bundleIdentifier == bundleIdentifierText) return it->id;
    }
    return std::nullopt;
}

bool LinuxWorkspace::activate(std::int32_t pid) {
    const auto windows = desktop_->clientWindows();
    // The topmost of its windows: the list runs bottom to top.
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (it->pid == pid) return desktop_->activate(it->id);
    }
    return false;
}

std::optional<Icon> LinuxWorkspace::iconForFile(const std::string& path) {
    if (fs::path(path).extension() != ".desktop") return std::nullopt;
    const auto entry = readDesktopEntry(path, folders_);
    if (!entry) return std::nullopt;
    std::vector<std::string> data;
    for (const auto& folder : folders_) data.push_back(fs::path(folder).parent_path().string());
    const char* home = std::getenv("HOME");
    return findIcon(entry->icon, IconSearch::forSession(data, home ? home : "", IconSearch::currentTheme()),
                    iconPixels);
}

ObserverToken LinuxWorkspace::addObserver(WorkspaceNotice notice, Observer observer) {
    const auto token = next_++;
    observers_[token] = {notice, std::move(observer)};
    return token;
}

void LinuxWorkspace::removeObserver(ObserverToken token) { observers_.erase(token); }

void LinuxWorkspace::notify(WorkspaceNotice notice, const std::optional<RunningApplication>& app) {
    auto copy = observers_;
    for (auto& [token, entry] : copy) {
        if (entry.first == notice && observers_.count(token)) entry.second(app);
    }
}

void LinuxWorkspace::changed(WindowSystem::Change change) {
    if (change == WindowSystem::Change::clientList) {
        endStartupsOfNewWindows();
        std::map<std::int32_t, RunningApplication> now;
        for (const auto& app : runningApplications()) now[app.processIdentifier] = app;
        for (const auto& [pid, app] : now) {
            if (!known_.count(pid)) notify(WorkspaceNotice::didLaunchApplication, app);
        }
        for (const auto& [pid, app] : known_) {
            if (!now.count(pid)) notify(WorkspaceNotice::didTerminateApplication, app);
        }
        known_ = std::move(now);
        return;
    }
    const auto front = frontmostApplication();
    notify(WorkspaceNotice::didActivateApplication, front);
    if (front && front->processIdentifier == getpid()) notify(WorkspaceNotice::applicationDidBecomeActive, {});
}

}  // namespace velorin::linux_platform
