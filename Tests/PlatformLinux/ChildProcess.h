#pragma once
// Starting and ending the helper programs of tests (display servers,
// compositors, window managers, clients) without a shell.

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace velorin::testing {

using Clock = std::chrono::steady_clock;

// The program's path on PATH; empty when it is not there.
std::string onPath(const std::string& program);

// This process's environment with `changes` set (an empty value is kept as
// set; see `without` for removing).
std::vector<std::string> environmentWith(const std::vector<std::pair<std::string, std::string>>& changes,
                                         const std::vector<std::string>& without = {});

// The user a child runs as instead of this process's.
struct RunAs {
    uid_t uid = 0;
    gid_t gid = 0;
};

// Starts a child that the kernel ends when this process ends, even by a
// crash, so no server outlives its test. `files` maps child descriptors to
// ours (-1: /dev/null). The error number when it could not start.
int startChild(pid_t& pid, const std::string& program, std::vector<std::string> args, std::vector<std::string> env,
               const std::vector<std::pair<int, int>>& files, std::optional<RunAs> user = std::nullopt,
               const std::string& workingFolder = {});

// Ends a child: politely first, then for certain; sets `pid` to -1.
void end(pid_t& pid);
bool exited(pid_t pid);

}  // namespace velorin::testing
