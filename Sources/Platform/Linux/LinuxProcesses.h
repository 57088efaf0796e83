#pragma once
// Processes started with posix_spawn: arguments as separate strings, never a
// shell. A started program runs in a session of its own, so a signal to our
// process group or the end of our terminal leaves it running; one reaper
// thread collects every child that ends.

#include <memory>

#include "Platform/MainQueue.h"
#include "Platform/Processes.h"

namespace velorin::linux_platform {

class LinuxProcesses : public Processes {
public:
    // `queue`: where exit handlers run (the main thread); none, no handler runs.
    explicit LinuxProcesses(std::shared_ptr<MainQueue> queue = nullptr);
    ~LinuxProcesses() override;

    bool start(const std::string& executable, const std::vector<std::string>& arguments) override;
    bool launch(const std::string& executable, const std::vector<std::string>& arguments,
                const LaunchOptions& options) override;
    std::optional<std::string> runAndReadOutput(const std::string& executable,
                                                const std::vector<std::string>& arguments) override;

private:
    class Reaper;
    std::shared_ptr<MainQueue> queue_;
    std::unique_ptr<Reaper> reaper_;
};

}  // namespace velorin::linux_platform
