// Any bytes from a compositor's IPC socket (Sway's framed messages, Hyprland's
// replies and event lines): the readers give back exactly what was framed, stay
// broken once out of step, and the windows they read carry a usable key and a
// frame of finite numbers, whatever the compositor (or whatever holds its socket)
// sends. The first byte chooses how the bytes arrive, as one read or in pieces.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "Platform/Linux/HyprlandIpc.h"
#include "Platform/Linux/SwayIpc.h"

using namespace velorin::linux_platform;
using velorin::Rect;

namespace {

void checkWindow(const CompositorWindow& w) {
    if (w.key.empty()) std::abort();
    if (w.frame) {
        const Rect& r = *w.frame;
        if (!std::isfinite(r.origin.x) || !std::isfinite(r.origin.y) || !std::isfinite(r.size.width) ||
            !std::isfinite(r.size.height)) {
            std::abort();
        }
    }
}

void checkSwayPayload(std::string_view payload) {
    if (const auto tree = sway::parseTree(payload)) {
        bool focusedFound = !tree->focused;
        for (const auto& w : tree->windows) {
            checkWindow(w);
            if (tree->focused && w.key == *tree->focused) focusedFound = true;
        }
        if (!focusedFound) std::abort();  // the focused window is one of the tree's
    }
    if (const auto event = sway::parseWindowEvent(payload)) {
        if (event->change.empty() || event->key.empty()) std::abort();
    }
    (void)sway::commandsSucceeded(payload);
}

void checkSway(std::string_view bytes, std::size_t piece) {
    sway::Reader reader;
    std::size_t offset = 0;  // how much of `bytes` the messages so far framed
    bool everBroken = false;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        reader.add(bytes.substr(at, piece));
        while (const auto message = reader.next()) {
            if (everBroken) std::abort();
            const std::string framed = sway::encode(message->type, message->payload);
            if (bytes.substr(offset, framed.size()) != framed) std::abort();
            offset += framed.size();
            checkSwayPayload(message->payload);
        }
        if (reader.broken()) everBroken = true;
        if (everBroken && !reader.broken()) std::abort();
    }
}

void checkHyprland(std::string_view bytes, std::size_t piece) {
    if (const auto windows = hyprland::parseClients(bytes)) {
        for (const auto& w : *windows) checkWindow(w);
    }
    if (const auto active = hyprland::parseActiveWindow(bytes); active && *active && (*active)->empty()) std::abort();
    if (const auto key = hyprland::addressKey(bytes)) {
        for (char c : *key) {
            if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) std::abort();
        }
    }
    hyprland::EventReader reader;
    std::size_t lines = 0;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        reader.add(bytes.substr(at, piece));
        while (const auto event = reader.next()) {
            if (event->name.size() + event->data.size() > hyprland::EventReader::longestLine) std::abort();
            if (event->name.find('\n') != std::string::npos || event->data.find('\n') != std::string::npos) std::abort();
            ++lines;
        }
    }
    std::size_t newlines = 0;
    for (char c : bytes) newlines += c == '\n';
    if (lines > newlines) std::abort();  // every event is one whole line
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t piece = data[0] % 16 == 0 ? size : data[0] % 16;
    const std::string_view bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    checkSway(bytes, piece);
    checkSwayPayload(bytes);
    checkHyprland(bytes, piece);
    return 0;
}
