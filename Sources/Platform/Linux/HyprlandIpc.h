#pragma once
// Hyprland's IPC: a command socket that takes one request per connection
// ("j/clients", "j/activewindow", "dispatch …") and answers with JSON or "ok",
// and an event socket of lines "NAME>>DATA". Pure functions over its texts,
// so bad input is tested without a compositor.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Linux/CompositorWindowSystem.h"

namespace velorin::linux_platform::hyprland {

// Window addresses are written "0x5581…" in JSON and "5581…" in events: the
// key is the lower-case hexadecimal digits alone; absent when it is not hex.
std::optional<std::string> addressKey(std::string_view address);

// The mapped windows of a "j/clients" reply; absent when it is not one.
std::optional<std::vector<CompositorWindow>> parseClients(std::string_view json);
// The key of the window in a "j/activewindow" reply, inside: absent for no
// window ("{}"); outside: absent for an answer that is not this reply.
std::optional<std::optional<std::string>> parseActiveWindow(std::string_view json);

struct Event {
    std::string name;
    std::string data;
};
// Takes bytes as they arrive and gives whole lines. A line longer than
// `longestLine` breaks the reader for good.
class EventReader {
public:
    static constexpr std::size_t longestLine = 1u << 16;
    void add(std::string_view bytes);
    std::optional<Event> next();
    bool broken() const { return broken_; }

private:
    std::string buffer_;
    bool broken_ = false;
};

// Whether the event can change the windows, their state or the focus.
bool changesWindows(const Event& event);

// The dispatcher's window argument: "address:0x…".
std::string windowArgument(const std::string& key);

// The folder of the instance's sockets: under the runtime folder (current
// releases) when it is there, else under /tmp (older ones).
std::string socketFolder(const std::string& runtimeFolder, const std::string& signature);

}  // namespace velorin::linux_platform::hyprland
