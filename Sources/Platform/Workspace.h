#pragma once
// The workspace: the apps that run and the one in front, where apps are
// installed, opening apps, links and files, hiding and activating, notices of
// activation, launch and termination, and the icons of files.

#include "Platform/ObserverToken.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velorin {

// How an app takes part in the desktop: `regular` apps have a Dock icon (a
// window-list entry), `accessory` apps only windows, `prohibited` apps neither.
enum class ActivationPolicy { regular, accessory, prohibited };

struct RunningApplication {
    std::int32_t processIdentifier = 0;
    std::optional<std::string> bundleIdentifier;
    std::optional<std::string> localizedName;
    bool isActive = false;
    bool isHidden = false;
    ActivationPolicy activationPolicy = ActivationPolicy::regular;
    bool operator==(const RunningApplication&) const = default;
};

// How an app is opened. The defaults are the workspace's own: the app comes
// to the front, without launch arguments.
struct OpenConfiguration {
    bool activates = true;
    std::vector<std::string> arguments;
    bool operator==(const OpenConfiguration&) const = default;
};

// An icon as the desktop hands it out: an image file, or encoded image bytes
// (PNG, SVG, ...) when there is no file. Turning it into pixels is the user
// interface's business.
struct Icon {
    std::string filePath;
    std::vector<std::uint8_t> encodedData;
    bool operator==(const Icon&) const = default;
};

enum class WorkspaceNotice {
    didActivateApplication,   // carries the activated app when known
    didLaunchApplication,     // carries the launched app
    didTerminateApplication,  // carries the app that ended
    applicationDidBecomeActive,  // this process came to the front; carries nothing
};

class Workspace {
public:
    // Called on the main thread with the app the notice is about, absent when
    // the notice names none.
    using Observer = std::function<void(const std::optional<RunningApplication>&)>;

    virtual ~Workspace() = default;

    // Every running app, in the workspace's own order.
    virtual std::vector<RunningApplication> runningApplications() = 0;
    // The running apps with exactly this bundle identifier, in the same order.
    std::vector<RunningApplication> runningApplicationsWithBundleIdentifier(const std::string& bundleIdentifier);
    virtual std::optional<RunningApplication> frontmostApplication() = 0;

    // The location (absolute path) of the installed app with this bundle
    // identifier; absent when none is installed.
    virtual std::optional<std::string> urlForApplication(const std::string& bundleIdentifier) = 0;

    // The bundle identifiers of the apps installed where the desktop lists
    // apps, each once, in the workspace's own order; apps the desktop keeps
    // out of its listings are left out. None where the workspace cannot tell.
    virtual std::vector<std::string> installedApplications() { return {}; }
    // The folder an open panel for choosing an app starts in.
    virtual std::string applicationsFolder() { return "/Applications"; }

    // Starts opening the app at `path`. Nothing is awaited: a failure of the
    // opening itself is not reported.
    virtual void openApplication(const std::string& path, const OpenConfiguration& configuration) = 0;
    // `openApplication`, and `failedLater` runs on the main thread when the
    // opening that started fails afterwards (the app could not be started, nor
    // asked to come up). Where the workspace can't tell, it never runs.
    virtual void openApplicationReporting(const std::string& path, const OpenConfiguration& configuration,
                                          std::function<void()> failedLater) {
        (void)failedLater;
        openApplication(path, configuration);
    }
    // Opens an absolute URL ("https://…", "file:///…", "notion://…") with its
    // default handler; false when the workspace could not.
    [[nodiscard]] virtual bool open(const std::string& url) = 0;
    // `open`, and `failedLater` runs on the main thread when the opening that
    // started fails afterwards (no app handles the address, the file went
    // away). Where the workspace can't tell, it never runs.
    [[nodiscard]] virtual bool openReporting(const std::string& url, std::function<void()> failedLater) {
        (void)failedLater;
        return open(url);
    }

    // False when there is no such app or the desktop refused.
    virtual bool hide(std::int32_t processIdentifier) = 0;
    virtual bool activate(std::int32_t processIdentifier) = 0;

    // The icon the desktop shows for the file or app at `path`.
    virtual std::optional<Icon> iconForFile(const std::string& path) = 0;

    virtual ObserverToken addObserver(WorkspaceNotice notice, Observer observer) = 0;
    // Harmless for a token that is not registered.
    virtual void removeObserver(ObserverToken token) = 0;
};

}  // namespace velorin
