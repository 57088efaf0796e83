#pragma once
// A connection to a compositor's event socket on the Qt event loop, made
// again a second after it closes, fails or is dropped as broken.

#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QLocalSocket;
class QTimer;

namespace velorin::linux_platform {

class EventSocket {
public:
    struct Handlers {
        std::function<void()> connected;
        std::function<void(std::string_view)> received;
        std::function<void()> lost;  // after it closed, failed or was dropped
    };
    static constexpr int retryMs = 1000;

    // Connects at once (nothing happens for an empty path).
    EventSocket(std::string path, Handlers handlers);
    ~EventSocket();
    EventSocket(const EventSocket&) = delete;
    EventSocket& operator=(const EventSocket&) = delete;

    bool isOpen() const { return socket_ != nullptr; }
    void write(std::string_view bytes);
    // Ends the connection as one that can't be trusted; `lost` is told.
    void drop();

private:
    void open();
    void close();

    std::string path_;
    Handlers handlers_;
    std::unique_ptr<QLocalSocket> socket_;
    std::unique_ptr<QTimer> retry_;
};

}  // namespace velorin::linux_platform
