#include "Platform/Linux/HyprlandIpc.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

#include <nlohmann/json.hpp>

namespace velorin::linux_platform::hyprland {
namespace {

using nlohmann::json;

std::optional<json> parse(std::string_view text) {
    json j = json::parse(text.begin(), text.end(), nullptr, false);
    if (j.is_discarded()) return std::nullopt;
    return j;
}

std::string text(const json& j, const char* name) {
    const auto it = j.find(name);
    return it != j.end() && it->is_string() ? it->get<std::string>() : std::string();
}

bool flag(const json& j, const char* name) {
    const auto it = j.find(name);
    return it != j.end() && it->is_boolean() && it->get<bool>();
}

std::optional<std::pair<double, double>> pair(const json& j, const char* name) {
    const auto it = j.find(name);
    if (it == j.end() || !it->is_array() || it->size() != 2 || !(*it)[0].is_number() || !(*it)[1].is_number()) {
        return std::nullopt;
    }
    return std::pair{(*it)[0].get<double>(), (*it)[1].get<double>()};
}

std::optional<CompositorWindow> windowOf(const json& c) {
    if (!c.is_object()) return std::nullopt;
    const auto key = addressKey(text(c, "address"));
    if (!key) return std::nullopt;
    CompositorWindow w;
    w.key = *key;
    const auto pid = c.find("pid");
    if (pid != c.end() && pid->is_number_integer()) {
        const auto value = pid->get<std::int64_t>();
        if (value > 0 && value <= INT32_MAX) w.pid = static_cast<std::int32_t>(value);
    }
    w.appId = text(c, "class");
    if (w.appId.empty()) w.appId = text(c, "initialClass");
    w.title = text(c, "title");
    // Minimised windows live on special workspaces, out of sight.
    const auto workspace = c.find("workspace");
    const bool special = workspace != c.end() && workspace->is_object() &&
                         text(*workspace, "name").rfind("special", 0) == 0;
    w.hidden = flag(c, "hidden") || special;
    const auto at = pair(c, "at");
    const auto size = pair(c, "size");
    if (at && size) w.frame = Rect{{at->first, at->second}, {size->first, size->second}};
    return w;
}

}  // namespace

std::optional<std::string> addressKey(std::string_view address) {
    if (address.rfind("0x", 0) == 0 || address.rfind("0X", 0) == 0) address.remove_prefix(2);
    if (address.empty() || address.size() > 16) return std::nullopt;
    std::string key;
    for (char c : address) {
        if (!std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
        key += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return key;
}

std::optional<std::vector<CompositorWindow>> parseClients(std::string_view payload) {
    const auto j = parse(payload);
    if (!j || !j->is_array()) return std::nullopt;
    std::vector<CompositorWindow> windows;
    for (const auto& c : *j) {
        // Windows that are not mapped are not on screen in any way.
        if (c.is_object() && c.contains("mapped") && !flag(c, "mapped")) continue;
        if (auto w = windowOf(c)) windows.push_back(std::move(*w));
    }
    return windows;
}

std::optional<std::optional<std::string>> parseActiveWindow(std::string_view payload) {
    const auto j = parse(payload);
    if (!j || !j->is_object()) return std::nullopt;
    if (j->empty()) return std::optional<std::string>();
    auto key = addressKey(text(*j, "address"));
    if (!key) return std::nullopt;
    return key;
}

void EventReader::add(std::string_view bytes) {
    if (!broken_) buffer_.append(bytes);
}

std::optional<Event> EventReader::next() {
    if (broken_) return std::nullopt;
    const auto end = buffer_.find('\n');
    if (end == std::string::npos) {
        if (buffer_.size() > longestLine) {
            broken_ = true;
            buffer_.clear();
        }
        return std::nullopt;
    }
    const std::string line = buffer_.substr(0, end);
    buffer_.erase(0, end + 1);
    if (line.size() > longestLine) {
        broken_ = true;
        buffer_.clear();
        return std::nullopt;
    }
    const auto split = line.find(">>");
    if (split == std::string::npos) return Event{line, {}};
    return Event{line.substr(0, split), line.substr(split + 2)};
}

bool changesWindows(const Event& event) {
    static const char* names[] = {"activewindowv2", "openwindow", "closewindow", "movewindow",  "movewindowv2",
                                  "minimized",      "changefloatingmode", "activespecial", "workspace", "workspacev2",
                                  "focusedmon"};
    return std::any_of(std::begin(names), std::end(names), [&](const char* n) { return event.name == n; });
}

std::string windowArgument(const std::string& key) { return "address:0x" + key; }

std::string socketFolder(const std::string& runtimeFolder, const std::string& signature) {
    std::error_code ec;
    const std::string current = runtimeFolder + "/hypr/" + signature;
    if (!runtimeFolder.empty() && std::filesystem::is_directory(current, ec)) return current;
    return "/tmp/hypr/" + signature;
}

}  // namespace velorin::linux_platform::hyprland
