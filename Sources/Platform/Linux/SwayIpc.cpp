#include "Platform/Linux/SwayIpc.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <nlohmann/json.hpp>

namespace velorin::linux_platform::sway {
namespace {

using nlohmann::json;

constexpr std::string_view magic = "i3-ipc";
constexpr std::size_t headerSize = 14;

std::optional<json> parse(std::string_view text) {
    json j = json::parse(text.begin(), text.end(), nullptr, false);
    if (j.is_discarded()) return std::nullopt;
    return j;
}

std::optional<std::int64_t> integer(const json& j, const char* name) {
    const auto it = j.find(name);
    if (it == j.end() || !it->is_number_integer()) return std::nullopt;
    return it->get<std::int64_t>();
}

std::string text(const json& j, const char* name) {
    const auto it = j.find(name);
    return it != j.end() && it->is_string() ? it->get<std::string>() : std::string();
}

std::optional<Rect> rect(const json& j, const char* name) {
    const auto it = j.find(name);
    if (it == j.end() || !it->is_object()) return std::nullopt;
    const json& r = *it;
    for (const char* field : {"x", "y", "width", "height"}) {
        if (!r.contains(field) || !r[field].is_number()) return std::nullopt;
    }
    return Rect{{r["x"].get<double>(), r["y"].get<double>()}, {r["width"].get<double>(), r["height"].get<double>()}};
}

// A container that holds an app's window: Sway gives it an app id (Wayland)
// or window properties (XWayland).
bool isView(const json& node) {
    return (node.contains("app_id") && !node["app_id"].is_null()) || node.contains("window_properties");
}

void collect(const json& node, bool scratch, Tree& tree, int depth) {
    // Trees are shallow; a deeper one is not Sway's.
    if (depth > 64 || !node.is_object()) return;
    const std::string type = text(node, "type");
    if (type == "workspace" && text(node, "name") == "__i3_scratch") scratch = true;
    const auto id = integer(node, "id");
    if (id && (type == "con" || type == "floating_con") && isView(node)) {
        CompositorWindow w;
        w.key = std::to_string(*id);
        w.pid = static_cast<std::int32_t>(integer(node, "pid").value_or(0));
        w.appId = text(node, "app_id");
        if (w.appId.empty() && node.contains("window_properties") && node["window_properties"].is_object()) {
            w.appId = text(node["window_properties"], "class");
        }
        w.title = text(node, "name");
        w.hidden = scratch;
        // The container's rectangle leaves out its title bar, which sits above it.
        if (auto r = rect(node, "rect")) {
            const double title = rect(node, "deco_rect").value_or(Rect{}).size.height;
            const Rect frame{{r->origin.x, r->origin.y - title}, {r->size.width, r->size.height + title}};
            // Numbers that overflow on the way give no frame rather than an infinite one.
            if (std::isfinite(frame.origin.y) && std::isfinite(frame.size.width) && std::isfinite(frame.size.height) &&
                std::isfinite(frame.origin.x)) {
                w.frame = frame;
            }
        }
        const auto focused = node.find("focused");
        if (focused != node.end() && focused->is_boolean() && focused->get<bool>()) tree.focused = w.key;
        tree.windows.push_back(std::move(w));
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        const auto it = node.find(children);
        if (it == node.end() || !it->is_array()) continue;
        for (const auto& child : *it) collect(child, scratch, tree, depth + 1);
    }
}

}  // namespace

std::string encode(std::uint32_t type, std::string_view payload) {
    std::string out(magic);
    const auto length = static_cast<std::uint32_t>(payload.size());
    char header[8];
    std::memcpy(header, &length, 4);
    std::memcpy(header + 4, &type, 4);
    out.append(header, 8);
    out.append(payload);
    return out;
}

void Reader::add(std::string_view bytes) {
    if (!broken_) buffer_.append(bytes);
}

std::optional<Message> Reader::next() {
    if (broken_) return std::nullopt;
    // Even a partial header shows whether the stream is ours.
    const std::size_t prefix = std::min(buffer_.size(), magic.size());
    if (buffer_.compare(0, prefix, magic.substr(0, prefix)) != 0) {
        broken_ = true;
        buffer_.clear();
        return std::nullopt;
    }
    if (buffer_.size() < headerSize) return std::nullopt;
    std::uint32_t length = 0, type = 0;
    std::memcpy(&length, buffer_.data() + 6, 4);
    std::memcpy(&type, buffer_.data() + 10, 4);
    if (length > largestPayload) {
        broken_ = true;
        buffer_.clear();
        return std::nullopt;
    }
    if (buffer_.size() < headerSize + length) return std::nullopt;
    Message m{type, buffer_.substr(headerSize, length)};
    buffer_.erase(0, headerSize + length);
    return m;
}

std::optional<Tree> parseTree(std::string_view payload) {
    const auto j = parse(payload);
    if (!j || !j->is_object() || text(*j, "type") != "root") return std::nullopt;
    Tree tree;
    collect(*j, false, tree, 0);
    return tree;
}

std::optional<WindowEvent> parseWindowEvent(std::string_view payload) {
    const auto j = parse(payload);
    if (!j || !j->is_object()) return std::nullopt;
    WindowEvent e{text(*j, "change"), {}};
    const auto container = j->find("container");
    if (e.change.empty() || container == j->end() || !container->is_object()) return std::nullopt;
    const auto id = integer(*container, "id");
    if (!id) return std::nullopt;
    e.key = std::to_string(*id);
    return e;
}

bool commandsSucceeded(std::string_view payload) {
    const auto j = parse(payload);
    if (!j || !j->is_array() || j->empty()) return false;
    for (const auto& result : *j) {
        if (!result.is_object() || !result.contains("success") || result["success"] != true) return false;
    }
    return true;
}

std::string criteria(const std::string& key) { return "[con_id=" + key + "]"; }

}  // namespace velorin::linux_platform::sway
