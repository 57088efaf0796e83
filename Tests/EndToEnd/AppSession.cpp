#include "AppSession.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include <gtest/gtest.h>
#include <xcb/xcb.h>

extern char** environ;

namespace velorin::e2e {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

void pause(Seconds s) { std::this_thread::sleep_for(s); }

std::string readWhole(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Waits up to `wait` for `pid` to end; its status, or none while it still runs.
std::optional<int> reap(pid_t pid, Seconds wait) {
    const auto until = Clock::now() + wait;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return status;
        if (done < 0) return -1;
        if (Clock::now() >= until) return std::nullopt;
        pause(Seconds(0.02));
    }
}

void stop(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    if (!reap(pid, Seconds(5))) {
        kill(pid, SIGKILL);
        reap(pid, Seconds(5));
    }
    pid = -1;
}

std::vector<char*> pointers(std::vector<std::string>& strings) {
    std::vector<char*> out;
    for (auto& s : strings) out.push_back(s.data());
    out.push_back(nullptr);
    return out;
}

// Whether a system tray has taken the display's tray selection (what the app asks at start).
bool trayOwned(const std::string& display) {
    xcb_connection_t* connection = xcb_connect(display.c_str(), nullptr);
    bool owned = false;
    if (!xcb_connection_has_error(connection)) {
        const char name[] = "_NET_SYSTEM_TRAY_S0";
        xcb_intern_atom_reply_t* atom =
            xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        if (atom) {
            xcb_get_selection_owner_reply_t* owner =
                xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr);
            owned = owner && owner->owner != XCB_NONE;
            free(owner);
            free(atom);
        }
    }
    xcb_disconnect(connection);
    return owned;
}

// Starts `argv` with exactly `env`; `redirect` adds the file actions (stdin, stdout, …).
// Throws when it cannot start.
pid_t startProcess(std::vector<std::string> argv, std::vector<std::string> env,
                   const std::function<void(posix_spawn_file_actions_t*)>& redirect) {
    auto argp = pointers(argv);
    auto envp = pointers(env);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    redirect(&actions);
    pid_t pid = -1;
    const int error = posix_spawnp(&pid, argp[0], &actions, nullptr, argp.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) throw std::runtime_error("cannot start " + argv[0] + ": " + std::strerror(error));
    return pid;
}

}  // namespace

// ---- Touchpad

Touchpad::Touchpad(fs::path fifo) : path_(std::move(fifo)) {
    if (mkfifo(path_.c_str(), 0600) != 0 && errno != EEXIST) throw std::runtime_error("cannot make " + path_.string());
    // Read and write, so opening never waits for the app and the app never sees an end of file.
    fd_ = ::open(path_.c_str(), O_RDWR | O_CLOEXEC);
    if (fd_ < 0) throw std::runtime_error("cannot open " + path_.string());
}

Touchpad::~Touchpad() {
    if (fd_ >= 0) close(fd_);
}

void Touchpad::play(const testing::EventScript& script) {
    const auto start = Clock::now();
    std::string batch;
    double batchTime = -1;
    auto flush = [&] {
        if (batch.empty()) return;
        std::this_thread::sleep_until(start + std::chrono::duration_cast<Clock::duration>(Seconds(batchTime)));
        if (::write(fd_, batch.data(), batch.size()) != ssize_t(batch.size()))
            throw std::runtime_error("the touchpad's FIFO took less than was written");
        batch.clear();
    };
    for (const input_event& e : script.events()) {
        const double t = double(e.input_event_sec) + double(e.input_event_usec) / 1e6;
        if (t != batchTime) {
            flush();
            batchTime = t;
        }
        batch += std::to_string(e.type) + " " + std::to_string(e.code) + " " + std::to_string(e.value) + "\n";
    }
    flush();
}

void Touchpad::unplug() {
    const std::string gone = "gone\n";
    [[maybe_unused]] const auto n = ::write(fd_, gone.data(), gone.size());
    fs::remove(path_);
}

// ---- AppSession

AppSession::AppSession() : AppSession(Options{}) {}

AppSession::AppSession(Options options) : options_(std::move(options)) {
    std::string pattern = (fs::temp_directory_path() / "velorin-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a session folder");
    root_ = pattern;
    home_ = root_ / "home";
    padFolder_ = root_ / "pads";
    probeSocket_ = root_ / "probe";
    for (const auto& folder : {home_, configHome(), home_ / ".local/share", home_ / ".cache", root_ / "runtime",
                               root_ / "tmp", root_ / "bin", root_ / "calls", padFolder_}) {
        fs::create_directories(folder);
    }
    fs::permissions(root_ / "runtime", fs::perms::owner_all);
    for (const auto& name : options_.pads) pads_[name] = std::make_unique<Touchpad>(padFolder_ / (name + ".pad"));
    if (options_.config) {
        fs::create_directories(configFile().parent_path());
        std::ofstream(configFile()) << options_.config->dump(2);
    }
    try {
        startServer();
        startWindowManager();
        if (options_.tray) startTray();
        startApp();
        waitFor(options_.tray ? trayIcon : "settingsView", startWait);
    } catch (...) {
        shutDown();
        throw;
    }
}

AppSession::~AppSession() { shutDown(); }

void AppSession::shutDown() {
    // An app that ended by itself, not at the session's end, crashed or quit: a fault.
    if (!root_.empty() && !appRunning() && appStatus_ != -1 && !(WIFEXITED(appStatus_) && WEXITSTATUS(appStatus_) == 0)) {
        std::string log = appLog();
        if (log.size() > 4000) log = "…" + log.substr(log.size() - 4000);
        ADD_FAILURE() << "the app ended with status " << appStatus_ << "\n--- the app's log:\n" << log;
    }
    if (app_ > 0) {
        kill(app_, SIGTERM);
        if (!reap(app_, Seconds(5))) {
            kill(app_, SIGKILL);
            reap(app_, Seconds(5));
        }
        app_ = -1;
    }
    pads_.clear();
    stop(tray_);
    stop(windowManager_);
    stop(server_);
    const char* keep = std::getenv("VELORIN_E2E_KEEP");
    if (!root_.empty() && !(keep && *keep == '1')) {
        std::error_code ignored;
        fs::remove_all(root_, ignored);
    }
    root_.clear();
}

pid_t AppSession::spawn(const std::vector<std::string>& argv, const std::string& logName) {
    const std::string log = (root_ / logName).string();
    return startProcess(argv, appEnvironment(), [&](posix_spawn_file_actions_t* actions) {
        posix_spawn_file_actions_addopen(actions, 0, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_addopen(actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
        posix_spawn_file_actions_adddup2(actions, 1, 2);
    });
}

std::vector<std::string> AppSession::appEnvironment() const {
    std::vector<std::string> env = {
        "HOME=" + home_.string(),
        "XDG_CONFIG_HOME=" + configHome().string(),
        "XDG_DATA_HOME=" + (home_ / ".local/share").string(),
        "XDG_CACHE_HOME=" + (home_ / ".cache").string(),
        "XDG_RUNTIME_DIR=" + (root_ / "runtime").string(),
        "XDG_SESSION_TYPE=x11",
        "TMPDIR=" + (root_ / "tmp").string(),
        "QT_QPA_PLATFORM=xcb",
        "QT_ACCESSIBILITY=0",
        "NO_AT_BRIDGE=1",
        "VELORIN_TEST_TOUCHPADS=" + padFolder_.string(),
        "VELORIN_PROBE=" + probeSocket_.string(),
    };
    if (!display_.empty()) env.push_back("DISPLAY=" + display_);
    // What the tools and the sanitizers need from the test's own environment.
    const char* path = std::getenv("PATH");
    env.push_back("PATH=" + (root_ / "bin").string() + ":" + (path ? path : "/usr/bin:/bin"));
    for (const char* name : {"LANG", "LC_ALL", "ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS",
                             "LD_LIBRARY_PATH", "LIBGL_ALWAYS_SOFTWARE", "GALLIUM_DRIVER"}) {
        if (const char* value = std::getenv(name)) env.push_back(std::string(name) + "=" + value);
    }
    for (const auto& [name, value] : options_.environment) env.push_back(name + "=" + value);
    return env;
}

void AppSession::startServer() {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    const std::string log = (root_ / "xvfb.log").string();
    try {
        server_ = startProcess({"Xvfb", "-displayfd", "3", "-screen", "0",
                                std::to_string(options_.screenWidth) + "x" + std::to_string(options_.screenHeight) + "x24",
                                "-nolisten", "tcp", "-noreset"},
                               {"PATH=" + std::string(std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin")},
                               [&](posix_spawn_file_actions_t* actions) {
                                   posix_spawn_file_actions_addopen(actions, 1, log.c_str(),
                                                                    O_WRONLY | O_CREAT | O_APPEND, 0600);
                                   posix_spawn_file_actions_adddup2(actions, 1, 2);
                                   posix_spawn_file_actions_adddup2(actions, pipeFds[1], 3);
                               });
    } catch (...) {
        close(pipeFds[0]);
        close(pipeFds[1]);
        throw;
    }
    close(pipeFds[1]);
    // The server writes its display number once it accepts clients.
    std::string number;
    char c;
    while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
    close(pipeFds[0]);
    if (number.empty()) throw std::runtime_error("Xvfb did not start: " + readWhole(root_ / "xvfb.log"));
    display_ = ":" + number;
}

void AppSession::startWindowManager() {
    windowManager_ = spawn({"openbox", "--sm-disable"}, "openbox.log");
    const bool ready = waitUntil(
        [&] { return runClient({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).output.find("window id") != std::string::npos; },
        Seconds(10));
    if (!ready) throw std::runtime_error("openbox did not start: " + readWhole(root_ / "openbox.log"));
}

void AppSession::startTray() {
    tray_ = spawn({"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "24",
                   "--SetDockType", "true", "--transparent", "false"},
                  "trayer.log");
    const bool ready = waitUntil([&] { return trayOwned(display_); }, Seconds(10));
    if (!ready) throw std::runtime_error("trayer did not start: " + readWhole(root_ / "trayer.log"));
}

void AppSession::startApp() { app_ = spawn({VELORIN_E2E_APP}, "app.log"); }

[[noreturn]] void AppSession::fail(const std::string& what) {
    std::string log = appLog();
    if (log.size() > 4000) log = "…" + log.substr(log.size() - 4000);
    throw std::runtime_error(what + (appRunning() ? "" : " (the app has ended)") + "\n--- the app's log:\n" + log);
}

nlohmann::json AppSession::readConfig() const {
    std::error_code error;
    if (!fs::exists(configFile(), error)) return nullptr;
    nlohmann::json parsed = nlohmann::json::parse(readWhole(configFile()), nullptr, false);
    return parsed.is_discarded() ? nlohmann::json(nullptr) : parsed;
}

std::optional<std::string> AppSession::defaultsValue(const std::string& key) const {
    std::istringstream lines(readWhole(defaultsFile()));
    std::string line;
    bool general = false;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.front() == '[') {
            general = line == "[General]";
            continue;
        }
        if (general && line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return std::nullopt;
}

std::string AppSession::probe(const std::string& request) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, probeSocket_.c_str(), sizeof address.sun_path - 1);
    if (connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        return {};
    }
    const std::string line = request + "\n";
    std::string reply;
    if (::write(fd, line.data(), line.size()) == ssize_t(line.size())) {
        char c;
        timeval timeout{10, 0};
        setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        while (::read(fd, &c, 1) == 1 && c != '\n') reply += c;
    }
    close(fd);
    return reply;
}

std::optional<Rect> AppSession::find(const std::string& path) {
    std::istringstream reply(probe("find " + path));
    Rect r;
    if (reply >> r.x >> r.y >> r.width >> r.height) return r;
    return std::nullopt;
}

Rect AppSession::waitFor(const std::string& path, Seconds wait) {
    std::optional<Rect> found;
    waitUntil([&] { return bool(found = find(path)) || !appRunning(); }, wait);
    if (!found) fail("\"" + path + "\" did not show");
    return *found;
}

Rect AppSession::waitForSteady(const std::string& path, Seconds wait) {
    Rect last = waitFor(path, wait);
    const auto until = Clock::now() + std::chrono::seconds(5);
    while (Clock::now() < until) {
        pause(Seconds(0.1));
        const Rect now = waitFor(path, wait);
        if (now.x == last.x && now.y == last.y && now.width == last.width && now.height == last.height) break;
        last = now;
    }
    return last;
}

bool AppSession::waitUntilGone(const std::string& path, Seconds wait) {
    return waitUntil([&] { return !find(path); }, wait);
}

bool AppSession::waitUntil(const std::function<bool()>& done, Seconds wait) {
    const auto until = Clock::now() + std::chrono::duration_cast<Clock::duration>(wait);
    for (;;) {
        if (done()) return true;
        if (Clock::now() >= until) return false;
        pause(Seconds(0.05));
    }
}

std::vector<std::string> AppSession::windowTitles() {
    std::vector<std::string> titles;
    std::istringstream reply(probe("windows"));
    std::string title;
    while (std::getline(reply, title, '\t')) titles.push_back(title);
    return titles;
}

std::optional<std::string> AppSession::property(const std::string& path, const std::string& name) {
    const std::string reply = probe("property " + path + " " + name);
    if (reply == "none" || reply.empty()) return std::nullopt;
    return reply;
}

fs::path AppSession::screenshot(const std::string& path, const std::string& fileName) {
    const fs::path file = root_ / fileName;
    if (probe("grab " + path + " " + file.string()) != "ok") fail("cannot grab \"" + path + "\"");
    return file;
}

AppSession::Run AppSession::runClient(const std::vector<std::string>& argv) {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) throw std::runtime_error("no pipe");
    pid_t pid = -1;
    try {
        pid = startProcess(argv, appEnvironment(), [&](posix_spawn_file_actions_t* actions) {
            posix_spawn_file_actions_addopen(actions, 0, "/dev/null", O_RDONLY, 0);
            posix_spawn_file_actions_adddup2(actions, out[1], 1);
            posix_spawn_file_actions_addopen(actions, 2, "/dev/null", O_WRONLY, 0);
        });
    } catch (...) {
        close(out[0]);
        close(out[1]);
        throw;
    }
    close(out[1]);
    Run run;
    char chunk[4096];
    ssize_t n;
    while ((n = ::read(out[0], chunk, sizeof chunk)) > 0) run.output.append(chunk, std::size_t(n));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

void AppSession::click(const std::string& path) {
    const Rect r = waitForSteady(path);
    clickAt(r.centerX(), r.centerY());
}

void AppSession::chooseItem(const std::string& path, const std::string& text) {
    std::optional<Rect> r;
    waitUntil([&] {
        std::istringstream reply(probe("item " + path + " " + text));
        Rect found;
        if (reply >> found.x >> found.y >> found.width >> found.height) r = found;
        return r.has_value() || !appRunning();
    });
    if (!r) fail("no item \"" + text + "\" in \"" + path + "\"");
    clickAt(r->centerX(), r->centerY());
}

void AppSession::clickAt(int x, int y) {
    // A pause between the move and the press: the widget sees the pointer enter first.
    runClient({"xdotool", "mousemove", std::to_string(x), std::to_string(y), "sleep", "0.1", "click", "1"});
}

void AppSession::drag(const std::string& path, double from, double to) {
    const Rect r = waitForSteady(path);
    dragBetween(r.x + int(r.width * from), r.centerY(), r.x + int(r.width * to), r.centerY());
}

void AppSession::dragBetween(int x1, int y1, int x2, int y2) {
    std::vector<std::string> args = {"xdotool", "mousemove", std::to_string(x1), std::to_string(y1), "sleep", "0.1",
                                     "mousedown", "1"};
    constexpr int steps = 12;
    for (int i = 1; i <= steps; ++i) {
        args.insert(args.end(), {"sleep", "0.02", "mousemove", std::to_string(x1 + (x2 - x1) * i / steps),
                                 std::to_string(y1 + (y2 - y1) * i / steps)});
    }
    args.insert(args.end(), {"sleep", "0.1", "mouseup", "1"});
    runClient(args);
}

void AppSession::waitForFocus() {
    // Keys go to the window with the focus, which the window manager hands over a
    // moment after it showed a window.
    if (!waitUntil([&] { return probe("focus") == "yes" || !appRunning(); }) || !appRunning())
        fail("no window of the app has the keyboard focus");
}

void AppSession::key(const std::string& keys) {
    waitForFocus();
    runClient({"xdotool", "key", "--clearmodifiers", keys});
}

void AppSession::type(const std::string& text) {
    waitForFocus();
    runClient({"xdotool", "type", "--clearmodifiers", "--delay", "30", text});
}

int AppSession::launchAgain() {
    const pid_t second = spawn({VELORIN_E2E_APP}, "second-launch.log");
    const auto status = reap(second, Seconds(20));
    if (!status) {
        kill(second, SIGKILL);
        reap(second, Seconds(5));
        fail("the second launch did not end");
    }
    return WIFEXITED(*status) ? WEXITSTATUS(*status) : -1;
}

bool AppSession::appRunning() {
    if (app_ <= 0) return false;
    int status = 0;
    if (waitpid(app_, &status, WNOHANG) == app_) {
        appStatus_ = status;
        app_ = -1;
        return false;
    }
    return true;
}

void AppSession::recordProgram(const std::string& name) {
    const fs::path program = root_ / "bin" / name;
    std::ofstream(program) << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" << (root_ / "calls" / name).string() << "'\n";
    fs::permissions(program, fs::perms::owner_all);
}

std::vector<std::string> AppSession::recordedCalls(const std::string& name) const {
    std::vector<std::string> calls;
    std::istringstream lines(readWhole(root_ / "calls" / name));
    for (std::string line; std::getline(lines, line);) calls.push_back(line);
    return calls;
}

std::string AppSession::appLog() const { return readWhole(root_ / "app.log"); }

Touchpad& AppSession::pad(const std::string& name) {
    auto it = pads_.find(name);
    if (it == pads_.end()) throw std::runtime_error("no pad \"" + name + "\"");
    return *it->second;
}

Touchpad& AppSession::plugPad(const std::string& name) {
    auto& pad = pads_[name];
    pad = std::make_unique<Touchpad>(padFolder_ / (name + ".pad"));
    return *pad;
}

}  // namespace velorin::e2e
