#include "SwaySession.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include <fcntl.h>
#include <poll.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace velorin::testing {
namespace fs = std::filesystem;
namespace {

constexpr const char* testUser = "velorin-test";

// Root runs the compositor as this unprivileged user, made once per machine.
std::optional<RunAs> unprivilegedUser(std::string& error) {
    if (geteuid() != 0) return std::nullopt;
    if (const passwd* p = getpwnam(testUser)) return RunAs{p->pw_uid, p->pw_gid};
    pid_t pid = -1;
    const int rc = startChild(pid, "useradd",
                              {"useradd", "--system", "--no-create-home", "--shell", "/usr/sbin/nologin", testUser},
                              environmentWith({}), {{0, -1}, {1, -1}, {2, -1}});
    int status = 0;
    if (rc == 0) waitpid(pid, &status, 0);
    if (const passwd* p = getpwnam(testUser)) return RunAs{p->pw_uid, p->pw_gid};
    error = "could not make the unprivileged user " + std::string(testUser) + " that runs sway";
    return std::nullopt;
}

bool waitUntil(const std::function<bool()>& done, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (Clock::now() > deadline) return false;
        poll(nullptr, 0, 20);
    }
    return true;
}

}  // namespace

SwaySession::SwaySession() {
    folder_ = (fs::temp_directory_path() / ("velorin-sway-" + std::to_string(getpid()))).string();
}

SwaySession::~SwaySession() {
    for (auto& pid : clients_) end(pid);
    end(sway_);
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

std::optional<std::string> SwaySession::start() {
    std::string error;
    user_ = unprivilegedUser(error);
    if (!error.empty()) return error;
    std::error_code ec;
    fs::create_directories(folder_, ec);
    // The runtime folder is the compositor's own: its user's, closed to others.
    fs::permissions(folder_, fs::perms::owner_all, ec);
    if (user_ && chown(folder_.c_str(), user_->uid, user_->gid) != 0) return "could not hand " + folder_ + " over";
    std::ofstream(folder_ + "/config") << "output HEADLESS-1 resolution 1280x800 position 0 0\n"
                                       << "focus_on_window_activation focus\n";
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        if (entry.path().filename().string().rfind("sway-ipc.", 0) == 0) fs::remove(entry.path(), ec);
    }
    const int log = open((folder_ + ".log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int rc = startChild(sway_, "sway", {"sway", "-c", folder_ + "/config"},
                              environmentWith({{"XDG_RUNTIME_DIR", folder_},
                                               {"HOME", folder_},
                                               {"WLR_BACKENDS", "headless"},
                                               {"WLR_RENDERER", "pixman"},
                                               {"WLR_LIBINPUT_NO_DEVICES", "1"}},
                                              {"WAYLAND_DISPLAY", "DISPLAY", "SWAYSOCK", "I3SOCK"}),
                              {{0, -1}, {1, log}, {2, log}}, user_, folder_);
    if (log >= 0) close(log);
    if (rc != 0) return "sway could not start";
    socket_.clear();
    display_.clear();
    const bool up = waitUntil(
        [&] {
            if (exited(sway_)) {
                sway_ = -1;
                return true;
            }
            for (const auto& entry : fs::directory_iterator(folder_, ec)) {
                const std::string name = entry.path().filename().string();
                if (name.rfind("sway-ipc.", 0) == 0) socket_ = entry.path().string();
                if (name.rfind("wayland-", 0) == 0 && name.find(".lock") == std::string::npos) display_ = name;
            }
            return !socket_.empty() && !display_.empty();
        },
        10000);
    if (sway_ < 0) return "sway ended at start; see " + folder_ + ".log";
    if (!up) return "sway's IPC socket never appeared";
    return std::nullopt;
}

void SwaySession::stop() {
    for (auto& pid : clients_) end(pid);
    clients_.clear();
    end(sway_);
}

pid_t SwaySession::openClient(const std::string& appId) {
    pid_t pid = -1;
    const int rc = startChild(pid, "foot", {"foot", "--app-id=" + appId, "sleep", "600"},
                              environmentWith({{"XDG_RUNTIME_DIR", folder_},
                                               {"HOME", folder_},
                                               {"WAYLAND_DISPLAY", display_}},
                                              {"DISPLAY", "SWAYSOCK"}),
                              {{0, -1}, {1, -1}, {2, -1}}, user_, folder_);
    if (rc != 0) return -1;
    clients_.push_back(pid);
    return pid;
}

void SwaySession::closeClient(pid_t pid) {
    auto it = std::find(clients_.begin(), clients_.end(), pid);
    if (it == clients_.end()) return;
    end(*it);
    clients_.erase(it);
}

}  // namespace velorin::testing
