#pragma once
// Sway's IPC protocol (i3's, extended): framed messages of "i3-ipc", a 32-bit
// payload length and a 32-bit type in the machine's byte order, then a JSON
// payload. Pure functions over bytes and JSON text, so bad input is tested
// without a compositor.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Linux/CompositorWindowSystem.h"

namespace velorin::linux_platform::sway {

enum MessageType : std::uint32_t {
    runCommand = 0,
    subscribe = 2,
    getTree = 4,
    windowEvent = 0x80000003,
    shutdownEvent = 0x80000010,
};

struct Message {
    std::uint32_t type = 0;
    std::string payload;
    bool operator==(const Message&) const = default;
};

std::string encode(std::uint32_t type, std::string_view payload);

// Takes bytes as they arrive and gives whole messages. A stream that is not
// this protocol, or a payload larger than `largestPayload`, breaks the reader
// for good: the connection cannot be trusted to be back in step.
class Reader {
public:
    static constexpr std::uint32_t largestPayload = 64u << 20;
    void add(std::string_view bytes);
    std::optional<Message> next();
    bool broken() const { return broken_; }

private:
    std::string buffer_;
    bool broken_ = false;
};

// The windows of a GET_TREE reply, in the tree's order, and the focused one;
// absent when the reply is not a tree.
struct Tree {
    std::vector<CompositorWindow> windows;
    std::optional<std::string> focused;
};
std::optional<Tree> parseTree(std::string_view json);

// A window event: its change ("focus", "new", "close", ...) and the container's
// key; absent when the payload is not such an event.
struct WindowEvent {
    std::string change;
    std::string key;
};
std::optional<WindowEvent> parseWindowEvent(std::string_view json);

// Whether every command of a RUN_COMMAND reply succeeded.
bool commandsSucceeded(std::string_view json);

// The criteria that pick one container: `[con_id=N]`.
std::string criteria(const std::string& key);

}  // namespace velorin::linux_platform::sway
