#include "FakeHyprland.h"

#include <filesystem>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace velorin::testing {
namespace {

int listenAt(const std::string& path) {
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.copy(address.sun_path, sizeof(address.sun_path) - 1);
    unlink(path.c_str());
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(fd, 16) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

void writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

FakeHyprland::FakeHyprland(std::string folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
    commands_ = listenAt(folder_ + "/.socket.sock");
    events_ = listenAt(folder_ + "/.socket2.sock");
    if (pipe2(wake_, O_CLOEXEC) != 0) wake_[0] = wake_[1] = -1;
    thread_ = std::thread([this] { run(); });
}

FakeHyprland::~FakeHyprland() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    if (wake_[1] >= 0) (void)write(wake_[1], "x", 1);
    thread_.join();
    for (int fd : {commands_, events_, wake_[0], wake_[1]}) {
        if (fd >= 0) close(fd);
    }
    for (int fd : listeners_) close(fd);
    for (const auto& [request, fds] : held_) {
        for (int fd : fds) close(fd);
    }
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
}

void FakeHyprland::setAnswer(const std::string& request, std::string answer) {
    std::lock_guard lock(mutex_);
    answers_[request] = std::move(answer);
}

void FakeHyprland::hold(const std::string& request) {
    std::lock_guard lock(mutex_);
    held_[request];
}

void FakeHyprland::release(const std::string& request) {
    std::lock_guard lock(mutex_);
    const auto it = held_.find(request);
    if (it == held_.end()) return;
    const auto answer = answers_.find(request);
    for (int fd : it->second) {
        writeAll(fd, answer != answers_.end() ? answer->second : "ok");
        close(fd);
    }
    held_.erase(it);
}

std::vector<std::string> FakeHyprland::requests() {
    std::lock_guard lock(mutex_);
    return requests_;
}

void FakeHyprland::clearRequests() {
    std::lock_guard lock(mutex_);
    requests_.clear();
}

void FakeHyprland::send(const std::string& bytes) {
    std::lock_guard lock(mutex_);
    for (int fd : listeners_) writeAll(fd, bytes);
}

std::size_t FakeHyprland::listeners() {
    std::lock_guard lock(mutex_);
    return listeners_.size();
}

void FakeHyprland::closeListeners() {
    std::lock_guard lock(mutex_);
    for (int fd : listeners_) close(fd);
    listeners_.clear();
}

void FakeHyprland::run() {
    while (true) {
        pollfd fds[3] = {{commands_, POLLIN, 0}, {events_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (poll(fds, 3, 50) < 0) continue;
        {
            std::lock_guard lock(mutex_);
            if (stopping_) return;
        }
        if (fds[1].revents & POLLIN) {
            const int fd = accept4(events_, nullptr, nullptr, SOCK_CLOEXEC);
            std::lock_guard lock(mutex_);
            if (fd >= 0) listeners_.push_back(fd);
        }
        if (fds[0].revents & POLLIN) {
            const int fd = accept4(commands_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd < 0) continue;
            // One request per connection, as the compositor takes them.
            char buffer[8192];
            pollfd in{fd, POLLIN, 0};
            std::string request;
            if (poll(&in, 1, 1000) > 0) {
                const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
                if (n > 0) request.assign(buffer, static_cast<std::size_t>(n));
            }
            std::string answer;
            {
                std::lock_guard lock(mutex_);
                requests_.push_back(request);
                if (const auto held = held_.find(request); held != held_.end()) {
                    held->second.push_back(fd);
                    continue;
                }
                const auto it = answers_.find(request);
                if (it != answers_.end()) {
                    answer = it->second;
                } else if (request.rfind("dispatch ", 0) == 0) {
                    answer = "ok";
                } else {
                    answer = "unknown request";
                }
            }
            writeAll(fd, answer);
            close(fd);
        }
    }
}

}  // namespace velorin::testing
