#include "Platform/Sim/SimProcesses.h"

namespace velorin::sim {
namespace {

std::string commandLine(const std::string& executable, const std::vector<std::string>& arguments) {
    std::string line = executable;
    for (const auto& argument : arguments) line += " " + argument;
    return line;
}

}  // namespace

bool SimProcesses::canStart(const std::string& executable) {
    if (failures_.shouldFail(FailurePoint::processStart)) return false;
    std::lock_guard lock(mutex_);
    return !unstartable_.count(executable);
}

bool SimProcesses::start(const std::string& executable, const std::vector<std::string>& arguments) {
    if (!canStart(executable)) {
        journal_.write("start failed " + executable);
        return false;
    }
    std::lock_guard lock(mutex_);
    started_.push_back({executable, arguments});
    journal_.write("start " + commandLine(executable, arguments));
    return true;
}

std::optional<std::string> SimProcesses::runAndReadOutput(const std::string& executable,
                                                          const std::vector<std::string>& arguments) {
    if (!canStart(executable)) {
        journal_.write("run failed " + executable);
        return std::nullopt;
    }
    std::lock_guard lock(mutex_);
    runs_.push_back({executable, arguments});
    journal_.write("run " + commandLine(executable, arguments));
    auto it = outputs_.find(ProcessLaunch{executable, arguments});
    return it == outputs_.end() ? std::string() : it->second;
}

void SimProcesses::setUnstartable(const std::string& executable, bool unstartable) {
    std::lock_guard lock(mutex_);
    if (unstartable) {
        unstartable_.insert(executable);
    } else {
        unstartable_.erase(executable);
    }
}

void SimProcesses::setOutput(const std::string& executable, const std::vector<std::string>& arguments,
                             std::string output) {
    std::lock_guard lock(mutex_);
    outputs_[ProcessLaunch{executable, arguments}] = std::move(output);
}

std::vector<ProcessLaunch> SimProcesses::started() const {
    std::lock_guard lock(mutex_);
    return started_;
}

std::vector<ProcessLaunch> SimProcesses::runs() const {
    std::lock_guard lock(mutex_);
    return runs_;
}

void SimProcesses::clearRecords() {
    std::lock_guard lock(mutex_);
    started_.clear();
    runs_.clear();
}

}  // namespace velorin::sim
