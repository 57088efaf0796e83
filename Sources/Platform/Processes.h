#pragma once
// Starting programs. An executable is always given as a path with its
// arguments as separate texts; nothing goes through a shell.

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velorin {

// How a program is started beyond its arguments, for the desktop's launchers.
struct LaunchOptions {
    std::vector<std::pair<std::string, std::string>> environment;  // set for the program, over ours
    std::optional<std::string> workingDirectory;
    // Called on the main thread with the exit status (0 to 255; 128 plus the
    // signal's number when a signal ended it) once the program ended.
    std::function<void(int exitStatus)> exited;
};

class Processes {
public:
    virtual ~Processes() = default;

    // `start` with options; where a platform has none of them, a plain start.
    [[nodiscard]] virtual bool launch(const std::string& executable, const std::vector<std::string>& arguments,
                                      const LaunchOptions& options) {
        (void)options;
        return start(executable, arguments);
    }

    // Starts the executable and returns without waiting for it; false when it
    // could not be started. Its exit is never looked at.
    [[nodiscard]] virtual bool start(const std::string& executable, const std::vector<std::string>& arguments) = 0;

    // Runs the executable with its standard output on a pipe, reads the pipe
    // to its end and waits for the exit (whose status is not examined). The
    // bytes as written; absent when it could not be started. Blocks: call it
    // off the main thread. Safe from any thread.
    virtual std::optional<std::string> runAndReadOutput(const std::string& executable,
                                                        const std::vector<std::string>& arguments) = 0;
};

}  // namespace velorin
