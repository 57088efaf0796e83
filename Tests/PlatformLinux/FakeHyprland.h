#pragma once
// A stand-in for Hyprland's two sockets, answering on a thread of its own
// (the adapter waits for some answers): the command socket answers each
// request from a table ("dispatch …" with "ok" unless told otherwise) and
// records it; the event socket sends the lines a test gives it.

#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace velorin::testing {

class FakeHyprland {
public:
    explicit FakeHyprland(std::string folder);
    ~FakeHyprland();
    FakeHyprland(const FakeHyprland&) = delete;
    FakeHyprland& operator=(const FakeHyprland&) = delete;

    const std::string& folder() const { return folder_; }
    void setAnswer(const std::string& request, std::string answer);
    // Takes this request but answers it only when released (never, if not),
    // as a compositor that hangs does.
    void hold(const std::string& request);
    void release(const std::string& request);
    std::vector<std::string> requests();
    void clearRequests();
    // Sends bytes to every connected event listener.
    void send(const std::string& bytes);
    std::size_t listeners();
    // Closes every event connection, as a compositor that ends does.
    void closeListeners();

private:
    void run();
    std::string folder_;
    int commands_ = -1;
    int events_ = -1;
    int wake_[2] = {-1, -1};
    std::mutex mutex_;
    std::map<std::string, std::string> answers_;
    std::vector<std::string> requests_;
    std::vector<int> listeners_;
    std::map<std::string, std::vector<int>> held_;  // request → connections waiting, or a request to hold
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace velorin::testing
