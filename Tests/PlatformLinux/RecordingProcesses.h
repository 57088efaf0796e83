#pragma once
// Processes that are only written down, so a test sees what would start.

#include <string>
#include <vector>

#include "Platform/Processes.h"

namespace velorin::testing {

class RecordingProcesses : public Processes {
public:
    struct Start {
        std::string executable;
        std::vector<std::string> arguments;
        bool operator==(const Start&) const = default;
    };
    std::vector<Start> starts;
    std::vector<LaunchOptions> options;  // of each start, in the same order
    bool startsSucceed = true;

    bool start(const std::string& executable, const std::vector<std::string>& arguments) override {
        return launch(executable, arguments, {});
    }
    bool launch(const std::string& executable, const std::vector<std::string>& arguments,
                const LaunchOptions& launchOptions) override {
        starts.push_back({executable, arguments});
        options.push_back(launchOptions);
        return startsSucceed;
    }
    std::optional<std::string> runAndReadOutput(const std::string&, const std::vector<std::string>&) override {
        return std::nullopt;
    }
};

}  // namespace velorin::testing
