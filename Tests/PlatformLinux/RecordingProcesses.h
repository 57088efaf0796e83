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

    bool start(const std::string& executable, const std::vector<std::string>& arguments) override {
        starts.push_back({executable, arguments});
        return true;
    }
    std::optional<std::string> runAndReadOutput(const std::string&, const std::vector<std::string>&) override {
        return std::nullopt;
    }
};

}  // namespace velorin::testing
