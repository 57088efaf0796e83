#include "Velorin/Editor/MenuCommandPickerModel.h"

#include <algorithm>

#include "Actions/Permissions.h"
#include "Platform/Platform.h"
#include "Velorin/AppInfo.h"

namespace velorin {
namespace {

Workspace& workspace() { return platform::current().workspace(); }

}  // namespace

MenuCommandPickerModel::MenuCommandPickerModel(std::vector<std::string> apps, std::function<void()> changed)
    : apps_(std::move(apps)), changed_(std::move(changed)), trusted_(Permissions::isAccessibilityTrusted()) {}

MenuCommandPickerModel::~MenuCommandPickerModel() { deactivate(); }

void MenuCommandPickerModel::activate() {
    if (active_) return;
    active_ = true;
    Workspace& ws = workspace();
    observers_.push_back(ws.addObserver(WorkspaceNotice::didLaunchApplication, [this](const auto&) {
        // Cancelled with the rest when the picker goes away.
        auto item = std::make_shared<WorkItem>([this] { refresh(); });
        std::erase_if(pendingRefreshes_, [](const auto& pending) { return pending.use_count() == 1; });
        pendingRefreshes_.push_back(item);
        platform::current().mainQueue().asyncAfter(launchRefreshDelaySeconds, item);
    }));
    observers_.push_back(ws.addObserver(WorkspaceNotice::didTerminateApplication, [this](const auto&) { refresh(); }));
    observers_.push_back(
        ws.addObserver(WorkspaceNotice::applicationDidBecomeActive, [this](const auto&) { refresh(); }));
    poll_ = platform::current().mainQueue().scheduleRepeatingTimer(permissionPollSeconds,
                                                                    [this] { permissionTick(); });
    refresh();
}

void MenuCommandPickerModel::deactivate() {
    if (!active_) return;
    active_ = false;
    Workspace& ws = workspace();
    for (ObserverToken token : observers_) ws.removeObserver(token);
    observers_.clear();
    if (poll_) poll_->invalidate();
    poll_.reset();
    for (auto& item : pendingRefreshes_) item->cancel();
    pendingRefreshes_.clear();
}

std::vector<RunningApplication> MenuCommandPickerModel::running() const {
    return MenuCommandList::runningApps(workspace().runningApplications(), apps_);
}

bool MenuCommandPickerModel::showsChooser() const { return apps_.empty() || running().size() > 1; }

MenuPickerBody MenuCommandPickerModel::body() const {
    const bool anyRunning = !running().empty();
    // Asking where apps are installed only matters with none running.
    const bool anyInstalled = anyRunning || anyAllowedInstalled();
    return MenuPickerGuidance::body(trusted_, anyRunning, !commands_.empty(), anyInstalled);
}

GuidanceScreen MenuCommandPickerModel::screen() const {
    const MenuPickerBody current = body();
    switch (current) {
        case MenuPickerBody::commands:
            return {};
        case MenuPickerBody::permission:
            return MenuPickerGuidance::screen(current, {}, false);
        case MenuPickerBody::unread:
            return MenuPickerGuidance::screen(current, appName(appID_), false);
        case MenuPickerBody::notRunning:
        case MenuPickerBody::notInstalled:
            return MenuPickerGuidance::screen(current, allowedAppName(), openableLocation().has_value());
    }
    return {};
}

std::string MenuCommandPickerModel::title() const {
    return MenuPickerGuidance::title(appID_.empty() ? std::string() : appName(appID_));
}

void MenuCommandPickerModel::chooseApp(const std::string& bundleIdentifier) {
    if (bundleIdentifier == appID_) return;
    appID_ = bundleIdentifier;
    scan();
}

void MenuCommandPickerModel::setQuery(std::string query) {
    if (query == query_) return;
    query_ = std::move(query);
    notify();
}

void MenuCommandPickerModel::refresh() {
    trusted_ = Permissions::isAccessibilityTrusted();
    const auto apps = running();
    const bool stillRuns = std::any_of(apps.begin(), apps.end(), [&](const RunningApplication& app) {
        return app.bundleIdentifier == appID_;
    });
    // A change of app reads its menus, as refreshing does: they are read once.
    if (!stillRuns) appID_ = apps.empty() ? std::string() : apps.front().bundleIdentifier.value_or(std::string());
    scan();
}

void MenuCommandPickerModel::scan() {
    commands_.clear();
    if (trusted_) {
        for (const auto& app : running()) {
            if (app.bundleIdentifier == appID_) {
                commands_ = MenuScanner::commands(app.processIdentifier);
                break;
            }
        }
    }
    notify();
}

void MenuCommandPickerModel::perform(GuidanceAction action) {
    switch (action) {
        case GuidanceAction::openSystemSettings:
            (void)Permissions::requestAccessibility();
            Permissions::openAccessibilitySettings();
            return;
        case GuidanceAction::tryAgain:
            scan();
            return;
        case GuidanceAction::openApp:
            if (auto location = openableLocation()) {
                OpenConfiguration configuration;
                configuration.activates = false;  // the user stays in the picker
                workspace().openApplication(*location, configuration);
            }
            return;
    }
}

void MenuCommandPickerModel::notify() {
    if (changed_) changed_();
}

void MenuCommandPickerModel::permissionTick() {
    // Only a refresh takes the permission away again.
    if (trusted_ || !Permissions::isAccessibilityTrusted()) return;
    trusted_ = true;
    scan();
}

std::string MenuCommandPickerModel::appName(const std::string& bundleIdentifier) const {
    // A running app the workspace can't place (started from a folder of its
    // own) would otherwise be named by a piece of its identifier ("writer");
    // its own name is what the user knows it by.
    if (!AppInfo::knownNames().contains(bundleIdentifier) && !workspace().urlForApplication(bundleIdentifier)) {
        for (const auto& app : running()) {
            if (app.bundleIdentifier == bundleIdentifier && app.localizedName && !app.localizedName->empty()) {
                return *app.localizedName;
            }
        }
    }
    return AppInfo::name(bundleIdentifier);
}

std::string MenuCommandPickerModel::allowedAppName() const {
    return apps_.size() == 1 ? AppInfo::name(apps_.front()) : std::string("the app");
}

std::optional<std::string> MenuCommandPickerModel::openableLocation() const {
    if (apps_.size() != 1) return std::nullopt;
    return workspace().urlForApplication(apps_.front());
}

bool MenuCommandPickerModel::anyAllowedInstalled() const {
    if (apps_.empty()) return true;
    Workspace& ws = workspace();
    return std::any_of(apps_.begin(), apps_.end(),
                       [&](const std::string& id) { return ws.urlForApplication(id).has_value(); });
}

}  // namespace velorin
