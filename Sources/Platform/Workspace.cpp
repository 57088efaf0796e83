#include "Platform/Workspace.h"

namespace velorin {

std::vector<RunningApplication> Workspace::runningApplicationsWithBundleIdentifier(const std::string& bundleIdentifier) {
    std::vector<RunningApplication> matching;
    for (auto& app : runningApplications()) {
        if (app.bundleIdentifier == bundleIdentifier) matching.push_back(std::move(app));
    }
    return matching;
}

}  // namespace velorin
