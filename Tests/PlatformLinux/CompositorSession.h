#pragma once
// A private headless Wayland compositor for tests, with Wayland clients of an
// app id of the test's choosing: Sway, KWin on its virtual backend, or GNOME
// Shell headless with our extension in its user's extension folder, the last
// two with a session bus of their own. Sway refuses to run as root, so a root
// test runs the compositor, its bus and its clients as an unprivileged user it
// creates.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace velorin::testing {

class CompositorSession {
public:
    enum class Kind { sway, kwin, gnomeShell };

    explicit CompositorSession(Kind kind = Kind::sway);
    ~CompositorSession();  // ends the clients, the compositor and its bus
    CompositorSession(const CompositorSession&) = delete;
    CompositorSession& operator=(const CompositorSession&) = delete;

    // The programs it needs that are not installed, for a skip; absent when all are.
    std::optional<std::string> missingProgram() const;

    // Starts the compositor (one 1280×800 output) and waits until it is up;
    // the reason when that failed.
    std::optional<std::string> start();
    // Ends the compositor alone, as when it crashes; start() starts it again.
    void stop();
    // Sway's IPC socket.
    const std::string& socketPath() const { return socket_; }
    // The session bus KWin or GNOME Shell is on.
    const std::string& busAddress() const { return bus_; }
    // A file the compositor's user can read, in its runtime folder.
    std::string sharedFile(const std::string& name) const { return folder_ + "/" + name; }

    // Starts a foot terminal with this app id; its process id, or -1.
    pid_t openClient(const std::string& appId);
    void closeClient(pid_t pid);

private:
    std::optional<std::string> startSway(int log);
    std::optional<std::string> startBus(int log);
    std::optional<std::string> startKWin(int log);
    std::optional<std::string> startGnomeShell(int log);
    std::optional<std::string> waitForDisplay(const std::string& program, int timeoutMs);

    Kind kind_;
    std::string folder_;
    std::string socket_;
    std::string display_;
    std::string bus_;
    std::optional<RunAs> user_;
    pid_t compositor_ = -1;
    pid_t busDaemon_ = -1;
    std::vector<pid_t> clients_;
};

}  // namespace velorin::testing
