#pragma once
// Starting programs. An executable is always given as a path with its
// arguments as separate texts; nothing goes through a shell.

#include <optional>
#include <string>
#include <vector>

namespace velorin {

class Processes {
public:
    virtual ~Processes() = default;

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
