#include "Platform/Linux/LinuxProcesses.h"

#include <cerrno>
#include <cstring>
#include <map>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "Platform/Linux/Translations.h"

extern char** environ;

namespace velorin::linux_platform {
namespace {

std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> out;
    for (auto& t : texts) out.push_back(t.data());
    out.push_back(nullptr);
    return out;
}

// Ours, with `changes` set over it.
std::vector<std::string> environmentWith(const std::vector<std::pair<std::string, std::string>>& changes) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e) {
        const std::string_view entry = *e;
        bool replaced = false;
        for (const auto& [name, value] : changes) {
            replaced = replaced || (entry.size() > name.size() && entry.substr(0, name.size()) == name &&
                                    entry[name.size()] == '=');
        }
        if (!replaced) env.emplace_back(entry);
    }
    for (const auto& [name, value] : changes) env.push_back(name + "=" + value);
    return env;
}

// A path is run as given; a bare name is looked up in PATH.
int spawn(pid_t* pid, const std::string& executable, const std::vector<std::string>& arguments,
          const posix_spawn_file_actions_t* actions, const posix_spawnattr_t* attributes,
          const std::vector<std::pair<std::string, std::string>>& environment = {}) {
    std::vector<std::string> argTexts{executable};
    argTexts.insert(argTexts.end(), arguments.begin(), arguments.end());
    auto args = pointers(argTexts);
    std::vector<std::string> envTexts;
    std::vector<char*> env;
    char** envp = environ;
    if (!environment.empty()) {
        envTexts = environmentWith(environment);
        env = pointers(envTexts);
        envp = env.data();
    }
    if (executable.find('/') != std::string::npos) {
        return posix_spawn(pid, executable.c_str(), actions, attributes, args.data(), envp);
    }
    return posix_spawnp(pid, executable.c_str(), actions, attributes, args.data(), envp);
}

int exitStatusOf(int status) {
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
    return 255;
}

}  // namespace

// One thread that waits for every started child through its pidfd, and a
// wake-up descriptor for new children and for the end.
class LinuxProcesses::Reaper {
public:
    explicit Reaper(std::shared_ptr<MainQueue> queue) : queue_(std::move(queue)) {}
    ~Reaper() {
        if (!thread_.joinable()) return;
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake();
        thread_.join();
        for (auto& [fd, child] : children_) close(fd);
        if (wake_ >= 0) close(wake_);
    }

    void add(pid_t pid, std::function<void(int)> exited) {
        const int fd = static_cast<int>(syscall(SYS_pidfd_open, pid, 0));
        if (fd < 0) {
            // No pidfd (an old kernel): this child gets a waiting thread of its own.
            std::thread([pid, exited = std::move(exited), queue = queue_] {
                int status = 0;
                while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
                }
                if (exited && queue) queue->async([exited, s = exitStatusOf(status)] { exited(s); });
            }).detach();
            return;
        }
        std::lock_guard lock(mutex_);
        if (!thread_.joinable()) {
            wake_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
            thread_ = std::thread([this] { run(); });
        }
        fcntl(fd, F_SETFD, FD_CLOEXEC);
        children_[fd] = Child{pid, std::move(exited)};
        wake();
    }

private:
    struct Child {
        pid_t pid;
        std::function<void(int)> exited;
    };

    void wake() {
        if (wake_ < 0) return;
        const std::uint64_t one = 1;
        (void)!write(wake_, &one, sizeof one);
    }

    void run() {
        for (;;) {
            std::vector<pollfd> fds;
            {
                std::lock_guard lock(mutex_);
                if (stopping_) return;
                fds.push_back({wake_, POLLIN, 0});
                for (const auto& [fd, child] : children_) fds.push_back({fd, POLLIN, 0});
            }
            if (poll(fds.data(), fds.size(), -1) < 0 && errno != EINTR) return;
            if (fds[0].revents & POLLIN) {
                std::uint64_t count = 0;
                (void)!read(wake_, &count, sizeof count);
            }
            for (std::size_t i = 1; i < fds.size(); ++i) {
                if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
                Child child;
                {
                    std::lock_guard lock(mutex_);
                    auto it = children_.find(fds[i].fd);
                    if (it == children_.end()) continue;
                    child = std::move(it->second);
                    children_.erase(it);
                }
                int status = 0;
                while (waitpid(child.pid, &status, 0) < 0 && errno == EINTR) {
                }
                close(fds[i].fd);
                if (child.exited && queue_) {
                    queue_->async([exited = std::move(child.exited), s = exitStatusOf(status)] { exited(s); });
                }
            }
        }
    }

    std::shared_ptr<MainQueue> queue_;
    std::mutex mutex_;
    std::map<int, Child> children_;  // by pidfd
    bool stopping_ = false;
    int wake_ = -1;
    std::thread thread_;
};

LinuxProcesses::LinuxProcesses(std::shared_ptr<MainQueue> queue)
    : queue_(std::move(queue)), reaper_(std::make_unique<Reaper>(queue_)) {}

LinuxProcesses::~LinuxProcesses() = default;

bool LinuxProcesses::start(const std::string& executable, const std::vector<std::string>& arguments) {
    return launch(executable, arguments, {});
}

bool LinuxProcesses::launch(const std::string& executable, const std::vector<std::string>& arguments,
                            const LaunchOptions& options) {
    const auto counterpart = processCounterpart(executable, arguments);
    const std::string& program = counterpart ? counterpart->executable : executable;
    const std::vector<std::string>& args = counterpart ? counterpart->arguments : arguments;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (options.workingDirectory) posix_spawn_file_actions_addchdir_np(&actions, options.workingDirectory->c_str());
    // A session of its own: no controlling terminal, no share in our process
    // group's signals. The signals we ignore or block are the child's defaults.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attributes, &none);
    posix_spawnattr_setsigdefault(&attributes, &all);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int rc = spawn(&pid, program, args, &actions, &attributes, options.environment);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) return false;
    reaper_->add(pid, options.exited);
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
    const int rc = spawn(&pid, executable, arguments, &actions, nullptr);
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
