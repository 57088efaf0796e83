#pragma once
// Simulated processes: records every start and run, gives scripted outputs.
// Any executable starts unless it is made unstartable or a failure is set.

#include "Platform/Processes.h"
#include "Platform/Sim/SimFailures.h"
#include "Platform/Sim/SimJournal.h"

#include <compare>
#include <map>
#include <mutex>
#include <set>

namespace velorin::sim {

struct ProcessLaunch {
    std::string executable;
    std::vector<std::string> arguments;
    auto operator<=>(const ProcessLaunch&) const = default;
};

// Thread-safe.
class SimProcesses : public Processes {
public:
    SimProcesses(SimFailures& failures, SimJournal& journal) : failures_(failures), journal_(journal) {}

    bool start(const std::string& executable, const std::vector<std::string>& arguments) override;
    std::optional<std::string> runAndReadOutput(const std::string& executable,
                                                const std::vector<std::string>& arguments) override;

    // The test side.
    void setUnstartable(const std::string& executable, bool unstartable = true);
    // What a run of exactly this command line writes (empty unless set).
    void setOutput(const std::string& executable, const std::vector<std::string>& arguments, std::string output);
    // The processes started (by `start`) and run (by `runAndReadOutput`)
    // successfully, in order.
    std::vector<ProcessLaunch> started() const;
    std::vector<ProcessLaunch> runs() const;
    void clearRecords();

private:
    bool canStart(const std::string& executable);

    SimFailures& failures_;
    SimJournal& journal_;
    mutable std::mutex mutex_;
    std::set<std::string> unstartable_;
    std::map<ProcessLaunch, std::string> outputs_;
    std::vector<ProcessLaunch> started_;
    std::vector<ProcessLaunch> runs_;
};

}  // namespace velorin::sim
