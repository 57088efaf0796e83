#include "Platform/Linux/StartupNotification.h"

#include <algorithm>

#include <unistd.h>

namespace velorin::linux_platform {

std::string startupValue(std::string_view value) {
    if (!value.empty() && value.find_first_of(" \"\\") == std::string_view::npos) return std::string(value);
    std::string out = "\"";
    for (const char c : value) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

std::string startupMessage(std::string_view type, const StartupFields& fields) {
    std::string out(type);
    out += ':';
    for (const auto& [key, value] : fields) out += " " + key + "=" + startupValue(value);
    return out;
}

std::vector<StartupPiece> startupMessagePieces(std::string_view message) {
    std::string bytes(message.substr(0, message.find('\0')));
    bytes += '\0';
    std::vector<StartupPiece> pieces;
    for (std::size_t at = 0; at < bytes.size(); at += 20) {
        StartupPiece piece{};
        const std::size_t n = std::min<std::size_t>(20, bytes.size() - at);
        std::copy_n(bytes.data() + at, n, piece.begin());
        pieces.push_back(piece);
    }
    return pieces;
}

std::string startupId(unsigned launch, std::uint32_t serverTime) {
    // The host too: apps of several machines can share one X server.
    char host[256] = {};
    if (gethostname(host, sizeof host - 1) != 0) host[0] = '\0';
    std::string name = host;
    std::replace_if(name.begin(), name.end(), [](char c) { return c == ' ' || c == '"' || c == '\\'; }, '_');
    return "velorin-" + (name.empty() ? std::string() : name + "-") + std::to_string(getpid()) + "-" + std::to_string(launch) + "_TIME" + std::to_string(serverTime);
}

}  // namespace velorin::linux_platform
