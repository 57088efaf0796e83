#pragma once
// Hyprland: the windows and the active one from the command socket, read
// again whenever the event socket tells of a change, all on the Qt event loop;
// window commands through the command socket's dispatchers (a tiled window is
// made floating before it is resized). When the event socket closes or speaks
// garbage, nothing is known until a new connection succeeds.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Linux/CompositorWindowSystem.h"
#include "Platform/Linux/EventSocket.h"
#include "Platform/Linux/HyprlandIpc.h"

class QObject;

namespace velorin::linux_platform {

class HyprlandWindowSystem : public CompositorWindowSystem {
public:
    // `socketFolder`: the folder of the instance's ".socket.sock" and ".socket2.sock".
    explicit HyprlandWindowSystem(std::string socketFolder);
    ~HyprlandWindowSystem() override;

    // One request on the command socket, waited for (bounded); its answer.
    std::optional<std::string> call(const std::string& request);

protected:
    std::optional<Rect> readFrame(const CompositorWindow& window) override;
    void readFrameLater(const CompositorWindow& window, std::function<void(std::optional<Rect>)> done) override;
    bool placeWindow(const Placement& placement) override;
    bool activateWindow(const CompositorWindow& window) override;
    bool minimizeWindow(const CompositorWindow& window) override;

private:
    void readEvents(std::string_view bytes);
    void refresh();
    void ask(const std::string& request, std::function<void(std::optional<std::string>)> done);
    bool dispatch(const std::string& arguments);
    // Sends the dispatchers one after another, each once the last said "ok";
    // a refusal, or no answer in time, refuses the placement.
    void dispatchInTurn(std::shared_ptr<const std::vector<std::string>> steps, std::size_t next, std::uint64_t serial);

    std::string folder_;
    hyprland::EventReader reader_;
    bool refreshing_ = false;
    bool refreshAgain_ = false;
    std::shared_ptr<int> generation_;  // a new one per connection: late answers of an old one are dropped
    std::unique_ptr<EventSocket> events_;
    std::unique_ptr<QObject> asking_;  // the parent of the requests on their way
};

}  // namespace velorin::linux_platform
