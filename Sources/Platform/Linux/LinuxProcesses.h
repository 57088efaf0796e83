#pragma once
// Processes started with posix_spawn: arguments as separate strings, never a
// shell; every child is reaped.

#include "Platform/Processes.h"

namespace velorin::linux_platform {

class LinuxProcesses : public Processes {
public:
    bool start(const std::string& executable, const std::vector<std::string>& arguments) override;
    std::optional<std::string> runAndReadOutput(const std::string& executable,
                                                const std::vector<std::string>& arguments) override;
};

}  // namespace velorin::linux_platform
