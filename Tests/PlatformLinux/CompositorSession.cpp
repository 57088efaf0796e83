#include "CompositorSession.h"

#include "XSession.h"

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
    // Tests that start at once each try to add the user; all but one find the
    // user database locked, and see the user once the one that won is done.
    const auto deadline = Clock::now() + std::chrono::seconds(30);
    do {
        if (const passwd* p = getpwnam(testUser)) return RunAs{p->pw_uid, p->pw_gid};
        poll(nullptr, 0, 100);
    } while (Clock::now() < deadline);
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

CompositorSession::CompositorSession(Kind kind) : kind_(kind) {
    const char* name = kind == Kind::sway ? "velorin-sway-" : kind == Kind::kwin ? "velorin-kwin-" : "velorin-gnome-";
    folder_ = (fs::temp_directory_path() / (name + std::to_string(getpid()))).string();
}

CompositorSession::~CompositorSession() {
    stop();
    end(busDaemon_);
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

std::optional<std::string> CompositorSession::missingProgram() const {
    if (kind_ == Kind::sway) return velorin::testing::missingProgram({"sway", "foot"});
    if (kind_ == Kind::kwin) return velorin::testing::missingProgram({"kwin_wayland", "dbus-daemon", "zenity"});
    return velorin::testing::missingProgram({"gnome-shell", "dbus-daemon", "zenity"});
}

std::optional<std::string> CompositorSession::start() {
    std::string error;
    user_ = unprivilegedUser(error);
    if (!error.empty()) return error;
    std::error_code ec;
    fs::create_directories(folder_, ec);
    // The runtime folder is the compositor's own: its user's, closed to others.
    fs::permissions(folder_, fs::perms::owner_all, ec);
    if (user_ && chown(folder_.c_str(), user_->uid, user_->gid) != 0) return "could not hand " + folder_ + " over";
    for (const auto& entry : fs::directory_iterator(folder_, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("sway-ipc.", 0) == 0 || name.rfind("wayland-", 0) == 0) fs::remove(entry.path(), ec);
    }
    const int log = open((folder_ + ".log").c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    auto result = kind_ == Kind::sway ? startSway(log) : startBus(log);
    if (!result && kind_ == Kind::kwin) result = startKWin(log);
    if (!result && kind_ == Kind::gnomeShell) result = startGnomeShell(log);
    if (log >= 0) close(log);
    if (!result && compositor_ < 0) return "the compositor ended at start; see " + folder_ + ".log";
    return result;
}

std::optional<std::string> CompositorSession::startSway(int log) {
    std::ofstream(folder_ + "/config") << "output HEADLESS-1 resolution 1280x800 position 0 0\n"
                                       << "focus_on_window_activation focus\n";
    const int rc = startChild(compositor_, "sway", {"sway", "-c", folder_ + "/config"},
                              environmentWith({{"XDG_RUNTIME_DIR", folder_},
                                               {"HOME", folder_},
                                               {"WLR_BACKENDS", "headless"},
                                               {"WLR_RENDERER", "pixman"},
                                               {"WLR_LIBINPUT_NO_DEVICES", "1"}},
                                              {"WAYLAND_DISPLAY", "DISPLAY", "SWAYSOCK", "I3SOCK"}),
                              {{0, -1}, {1, log}, {2, log}}, user_, folder_);
    if (rc != 0) return "sway could not start";
    socket_.clear();
    display_.clear();
    std::error_code ec;
    const bool up = waitUntil(
        [&] {
            if (exited(compositor_)) {
                compositor_ = -1;
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
    if (!up) return "sway's IPC socket never appeared";
    return std::nullopt;
}

std::optional<std::string> CompositorSession::startBus(int log) {
    if (busDaemon_ >= 0) return std::nullopt;
    std::error_code ec;
    // A bus that the compositor's user and this test's may both use.
    const std::string socket = folder_ + "/bus";
    std::ofstream(folder_ + "/bus.conf")
        << "<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\" "
           "\"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
        << "<busconfig><type>session</type><listen>unix:path=" << socket << "</listen><auth>EXTERNAL</auth>"
        << "<policy context=\"default\"><allow user=\"*\"/><allow send_destination=\"*\" eavesdrop=\"true\"/>"
        << "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n";
    if (startChild(busDaemon_, "dbus-daemon",
                   {"dbus-daemon", "--config-file=" + folder_ + "/bus.conf", "--nofork", "--nopidfile"},
                   environmentWith({{"HOME", folder_}}), {{0, -1}, {1, log}, {2, log}}, user_, folder_) != 0) {
        return "dbus-daemon could not start";
    }
    if (!waitUntil([&] { return fs::exists(socket, ec); }, 10000)) return "the bus never made its socket";
    bus_ = "unix:path=" + socket;
    return std::nullopt;
}

std::optional<std::string> CompositorSession::startKWin(int log) {
    std::error_code ec;
    // The installed binary carries a file capability that a container may
    // refuse to run; a copy without it runs, under its own name so that its
    // platform plugin is found.
    fs::create_directories(folder_ + "/bin", ec);
    const std::string kwin = folder_ + "/bin/kwin_wayland";
    fs::copy_file(onPath("kwin_wayland"), kwin, fs::copy_options::overwrite_existing, ec);
    if (ec) return "could not copy kwin_wayland: " + ec.message();
    const int rc = startChild(compositor_, kwin,
                              {kwin, "--virtual", "--width", "1280", "--height", "800", "--no-lockscreen",
                               "--no-global-shortcuts"},
                              environmentWith({{"XDG_RUNTIME_DIR", folder_},
                                               {"HOME", folder_},
                                               {"DBUS_SESSION_BUS_ADDRESS", bus_}},
                                              // Its own Qt platform, not the tests' offscreen one.
                                              {"WAYLAND_DISPLAY", "DISPLAY", "SWAYSOCK", "QT_QPA_PLATFORM"}),
                              {{0, -1}, {1, log}, {2, log}}, user_, folder_);
    if (rc != 0) return "kwin_wayland could not start";
    return waitForDisplay("kwin_wayland", 20000);
}

std::optional<std::string> CompositorSession::waitForDisplay(const std::string& program, int timeoutMs) {
    std::error_code ec;
    display_ = "wayland-0";
    const bool up = waitUntil(
        [&] {
            if (exited(compositor_)) {
                compositor_ = -1;
                return true;
            }
            return fs::exists(folder_ + "/" + display_, ec);
        },
        timeoutMs);
    if (!up) return program + "'s display never appeared";
    return std::nullopt;
}

void CompositorSession::stop() {
    for (auto& pid : clients_) end(pid);
    clients_.clear();
    end(compositor_);
}

std::optional<std::string> CompositorSession::startGnomeShell(int log) {
    std::error_code ec;
    // Our extension, as the build made it for this GNOME Shell, where the
    // Shell looks for its user's extensions.
    const fs::path extensions = fs::path(folder_) / ".local/share/gnome-shell/extensions";
    fs::create_directories(extensions, ec);
    fs::copy(fs::path(VELORIN_GNOME_EXTENSION_DIR) / "velorin@velorin.app", extensions / "velorin@velorin.app",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
    if (ec) return "could not copy the extension: " + ec.message();
    if (user_) {
        for (const auto& p : fs::recursive_directory_iterator(fs::path(folder_) / ".local", ec)) {
            if (chown(p.path().c_str(), user_->uid, user_->gid) != 0) return "could not hand the extension over";
        }
        if (chown((fs::path(folder_) / ".local").c_str(), user_->uid, user_->gid) != 0) return "could not hand over";
    }
    // The Shell asks logind on the system bus; the private bus stands in.
    const int rc = startChild(compositor_, "gnome-shell",
                              {"gnome-shell", "--headless", "--wayland", "--virtual-monitor", "1280x800"},
                              environmentWith({{"XDG_RUNTIME_DIR", folder_},
                                               {"HOME", folder_},
                                               {"DBUS_SESSION_BUS_ADDRESS", bus_},
                                               {"DBUS_SYSTEM_BUS_ADDRESS", bus_},
                                               {"GSETTINGS_BACKEND", "memory"},
                                               {"NO_AT_BRIDGE", "1"}},
                                              {"WAYLAND_DISPLAY", "DISPLAY", "SWAYSOCK", "QT_QPA_PLATFORM"}),
                              {{0, -1}, {1, log}, {2, log}}, user_, folder_);
    if (rc != 0) return "gnome-shell could not start";
    return waitForDisplay("gnome-shell", 30000);
}

pid_t CompositorSession::openClient(const std::string& appId) {
    pid_t pid = -1;
    // foot stops with a division by zero on the virtual outputs of KWin and
    // GNOME Shell (they have no physical size); a GTK window that can be
    // resized, whose program name is its app id, serves.
    const std::vector<std::string> args =
        kind_ == Kind::sway ? std::vector<std::string>{"foot", "--app-id=" + appId, "sleep", "600"}
                            : std::vector<std::string>{"zenity", "--text-info", "--title=" + appId, "--name=" + appId};
    const int rc = startChild(pid, args.front(), args,
                              environmentWith({{"XDG_RUNTIME_DIR", folder_},
                                               {"HOME", folder_},
                                               {"WAYLAND_DISPLAY", display_},
                                               {"GDK_BACKEND", "wayland"},
                                               {"NO_AT_BRIDGE", "1"}},
                                              {"DISPLAY", "SWAYSOCK", "DBUS_SESSION_BUS_ADDRESS"}),
                              {{0, -1}, {1, -1}, {2, -1}}, user_, folder_);
    if (rc != 0) return -1;
    clients_.push_back(pid);
    return pid;
}

void CompositorSession::closeClient(pid_t pid) {
    auto it = std::find(clients_.begin(), clients_.end(), pid);
    if (it == clients_.end()) return;
    end(*it);
    clients_.erase(it);
}

}  // namespace velorin::testing
