#include "Platform/Linux/LinuxProcesses.h"

#include <cerrno>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Platform/Linux/Translations.h"

extern char** environ;

namespace velorin::linux_platform {
namespace {

std::vector<char*> argv(const std::string& executable, const std::vector<std::string>& arguments) {
    std::vector<char*> out;
    out.push_back(const_cast<char*>(executable.c_str()));
    for (const auto& a : arguments) out.push_back(const_cast<char*>(a.c_str()));
    out.push_back(nullptr);
    return out;
}

// A path is run as given; a bare name is looked up in PATH.
int spawn(pid_t* pid, const std::string& executable, const std::vector<std::string>& arguments,
          const posix_spawn_file_actions_t* actions) {
    auto args = argv(executable, arguments);
    if (executable.find('/') != std::string::npos) {
        return posix_spawn(pid, executable.c_str(), actions, nullptr, args.data(), environ);
    }
    return posix_spawnp(pid, executable.c_str(), actions, nullptr, args.data(), environ);
}

void reapInBackground(pid_t pid) {
    std::thread([pid] {
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace

bool LinuxProcesses::start(const std::string& executable, const std::vector<std::string>& arguments) {
    const auto counterpart = processCounterpart(executable, arguments);
    const std::string& program = counterpart ? counterpart->executable : executable;
    const std::vector<std::string>& args = counterpart ? counterpart->arguments : arguments;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    pid_t pid = 0;
    const int rc = spawn(&pid, program, args, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    reapInBackground(pid);
    return true;
}

std::optional<std::string> LinuxProcesses::runAndReadOutput(const std::string& executable,
                                                            const std::vector<std::string>& arguments) {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    pid_t pid = 0;
    const int rc = spawn(&pid, executable, arguments, &actions);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
        close(fds[0]);
        return std::nullopt;
    }
    std::string output;
    char buf[4096];
    for (;;) {
        const ssize_t n = read(fds[0], buf, sizeof buf);
        if (n > 0) {
            output.append(buf, static_cast<std::size_t>(n));
        } else if (n == 0 || errno != EINTR) {
            break;
        }
    }
    close(fds[0]);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return output;
}

}  // namespace velorin::linux_platform
