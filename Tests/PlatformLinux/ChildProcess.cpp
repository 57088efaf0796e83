#include "ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velorin::testing {
namespace {

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    for (auto& t : texts) out.push_back(t.data());
    out.push_back(nullptr);
    return out;
}

}  // namespace

void end(pid_t& pid) {
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    int status = 0;
    const auto deadline = Clock::now() + std::chrono::seconds(5);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            break;
        }
        poll(nullptr, 0, 10);
    }
    pid = -1;
}

bool exited(pid_t pid) {
    int status = 0;
    return waitpid(pid, &status, WNOHANG) == pid;
}

std::vector<std::string> environmentWith(const std::vector<std::pair<std::string, std::string>>& changes,
                                         const std::vector<std::string>& without) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const auto& [name, value] : changes) replaced = replaced || entry.rfind(name + "=", 0) == 0;
        for (const auto& name : without) replaced = replaced || entry.rfind(name + "=", 0) == 0;
        if (!replaced) env.push_back(entry);
    }
    for (const auto& [name, value] : changes) env.push_back(name + "=" + value);
    return env;
}

std::string onPath(const std::string& program) {
    if (program.find('/') != std::string::npos) return access(program.c_str(), X_OK) == 0 ? program : std::string();
    const char* path = std::getenv("PATH");
    const std::string dirs = path ? path : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= dirs.size()) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        const std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && access((dir + "/" + program).c_str(), X_OK) == 0) return dir + "/" + program;
        start = end + 1;
    }
    return {};
}

int startChild(pid_t& pid, const std::string& program, std::vector<std::string> args, std::vector<std::string> env,
               const std::vector<std::pair<int, int>>& files, std::optional<RunAs> user,
               const std::string& workingFolder) {
    const std::string path = onPath(program);
    if (path.empty()) return ENOENT;
    auto argv = pointers(args);
    auto envp = pointers(env);
    const int devNull = open("/dev/null", O_RDWR | O_CLOEXEC);
    const pid_t parent = getpid();
    pid = fork();
    if (pid < 0) {
        close(devNull);
        return errno;
    }
    if (pid == 0) {
        // Only calls that are safe between fork and exec from here on.
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0 || getppid() != parent) _exit(127);
        for (const auto& [child, ours] : files) {
            const int from = ours >= 0 ? ours : devNull;
            // dup2 onto itself keeps close-on-exec; clear it instead.
            if (from == child ? fcntl(child, F_SETFD, 0) < 0 : dup2(from, child) < 0) _exit(127);
        }
        if (!workingFolder.empty() && chdir(workingFolder.c_str()) != 0) _exit(127);
        if (user && (setgroups(0, nullptr) != 0 || setgid(user->gid) != 0 || setuid(user->uid) != 0)) _exit(127);
        // Changing the user clears the death signal.
        if (user && prctl(PR_SET_PDEATHSIG, SIGKILL) != 0) _exit(127);
        execve(path.c_str(), argv.data(), envp.data());
        _exit(127);
    }
    close(devNull);
    return 0;
}

}  // namespace velorin::testing
