#pragma once
// Sway (and compositors that speak its IPC): the windows and the focused one
// from the IPC socket's tree and window events, heard on the Qt event loop;
// window commands as IPC commands on the window's container. A tiled window
// is made floating before it is placed. When the socket closes or
// speaks garbage, nothing is known until a new connection succeeds.

#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "Platform/Linux/CompositorWindowSystem.h"
#include "Platform/Linux/EventSocket.h"
#include "Platform/Linux/SwayIpc.h"

class QLocalSocket;
class QObject;
class QTimer;

namespace velorin::linux_platform {

class SwayWindowSystem : public CompositorWindowSystem {
public:
    // `socketPath`: $SWAYSOCK.
    explicit SwayWindowSystem(std::string socketPath);
    ~SwayWindowSystem() override;

    // Sends commands as they are and waits (bounded) for the answer, for
    // tests and for focusing or hiding a window; whether Sway ran every one.
    // Placements go without waiting (see `send`).
    bool runCommand(const std::string& command);

protected:
    std::optional<Rect> readFrame(const CompositorWindow& window) override;
    void readFrameLater(const CompositorWindow& window, std::function<void(std::optional<Rect>)> done) override;
    bool placeWindow(const Placement& placement) override;
    bool activateWindow(const CompositorWindow& window) override;
    bool minimizeWindow(const CompositorWindow& window) override;

private:
    void readEvents(std::string_view bytes);
    void handle(const sway::Message& message);
    void requestTree();
    std::optional<sway::Message> request(std::uint32_t type, const std::string& payload);
    // A request answered on the event loop, in turn on a connection of its
    // own: `done` hears the reply, or nothing when the connection failed or
    // Sway did not answer in time. False when it can't be sent at all.
    using Replied = std::function<void(std::optional<sway::Message>)>;
    bool send(std::uint32_t type, const std::string& payload, Replied done);
    void sendNext();
    void readReplies();
    void dropLater();

    std::string path_;
    std::unique_ptr<QLocalSocket> requests_;
    struct Queued {
        std::uint32_t type;
        std::string payload;
        Replied done;
    };
    std::deque<Queued> queued_;  // the first is on its way once `awaiting_`
    bool awaiting_ = false;
    std::unique_ptr<QLocalSocket> later_;
    sway::Reader laterReader_;
    std::unique_ptr<QTimer> replyTimer_;
    sway::Reader reader_;
    bool treePending_ = false;
    std::unique_ptr<EventSocket> events_;
};

}  // namespace velorin::linux_platform
