#pragma once
// A private headless Sway for tests, with Wayland clients (foot terminals
// with an app id of the test's choosing). Sway refuses to run as root, so a
// root test runs it, and its clients, as an unprivileged user it creates.

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace velorin::testing {

class SwaySession {
public:
    SwaySession();
    ~SwaySession();  // ends the clients and the compositor
    SwaySession(const SwaySession&) = delete;
    SwaySession& operator=(const SwaySession&) = delete;

    // Starts Sway (one 1280×800 output) and waits until its IPC socket is up;
    // the reason when that failed.
    std::optional<std::string> start();
    // Ends the compositor alone, as when it crashes; start() starts it again.
    void stop();
    const std::string& socketPath() const { return socket_; }

    // Starts a foot terminal with this app id; its process id, or -1.
    pid_t openClient(const std::string& appId);
    void closeClient(pid_t pid);

private:
    std::string folder_;
    std::string socket_;
    std::string display_;
    std::optional<RunAs> user_;
    pid_t sway_ = -1;
    std::vector<pid_t> clients_;
};

}  // namespace velorin::testing
