#pragma once
// The text of X11 startup notification: the messages a launcher broadcasts so
// that the desktop shows launch feedback (a busy cursor, a task-bar button)
// until the app's window appears, and the id the launched app is handed in
// DESKTOP_STARTUP_ID, whose "_TIME" part is the X server time of the launch
// that the window manager weighs against focus stealing.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velorin::linux_platform {

// A value as a message carries it: as it is, or in double quotes when it holds
// a space, a double quote or a backslash (or is empty), with each quote and
// backslash escaped by a backslash.
std::string startupValue(std::string_view value);

// "type: KEY=value KEY=value", the keys in the order given.
using StartupFields = std::vector<std::pair<std::string, std::string>>;
std::string startupMessage(std::string_view type, const StartupFields& fields);

// The message in the pieces its client messages carry, 20 bytes each: its
// bytes and then one nul that ends it, the last piece filled up with nuls. A
// nul inside the text would end it early, so none is kept.
using StartupPiece = std::array<char, 20>;
std::vector<StartupPiece> startupMessagePieces(std::string_view message);

// A launch's id: unique to this process and launch, and "_TIME" with the X
// server time of the launch (0 asks that the app not take the focus).
std::string startupId(unsigned launch, std::uint32_t serverTime);

}  // namespace velorin::linux_platform
