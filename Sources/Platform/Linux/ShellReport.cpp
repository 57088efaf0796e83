#include "Platform/Linux/ShellReport.h"

#include <cmath>

#include <nlohmann/json.hpp>

namespace velorin::linux_platform::shell {
namespace {

using nlohmann::json;

std::string text(const json& j, const char* name) {
    const auto it = j.find(name);
    if (it == j.end()) return {};
    if (it->is_string()) return it->get<std::string>();
    return {};
}

}  // namespace

std::optional<Report> parseReport(std::string_view payload) {
    const json j = json::parse(payload.begin(), payload.end(), nullptr, false);
    if (j.is_discarded() || !j.is_object()) return std::nullopt;
    const auto list = j.find("windows");
    if (list == j.end() || !list->is_array()) return std::nullopt;
    Report report;
    for (const auto& w : *list) {
        if (!w.is_object()) continue;
        CompositorWindow window;
        window.key = text(w, "id");
        if (window.key.empty()) continue;
        const auto pid = w.find("pid");
        if (pid != w.end() && pid->is_number_integer()) {
            const auto value = pid->get<std::int64_t>();
            if (value > 0 && value <= INT32_MAX) window.pid = static_cast<std::int32_t>(value);
        }
        window.appId = text(w, "appId");
        window.title = text(w, "title");
        const auto hidden = w.find("hidden");
        window.hidden = hidden != w.end() && hidden->is_boolean() && hidden->get<bool>();
        const auto frame = w.find("frame");
        if (frame != w.end() && frame->is_array() && frame->size() == 4) {
            bool numbers = true;
            for (const auto& v : *frame) numbers = numbers && v.is_number() && std::isfinite(v.get<double>());
            if (numbers) {
                window.frame = Rect{{(*frame)[0].get<double>(), (*frame)[1].get<double>()},
                                    {(*frame)[2].get<double>(), (*frame)[3].get<double>()}};
            }
        }
        report.windows.push_back(std::move(window));
    }
    const std::string active = text(j, "active");
    if (!active.empty()) report.active = active;
    return report;
}

std::string command(const std::string& op, const std::string& id) { return json{{"op", op}, {"id", id}}.dump(); }

std::string placeCommand(const std::string& id, const Rect& frame, std::uint64_t serial) {
    return json{{"op", "place"},
                {"id", id},
                {"serial", std::to_string(serial)},
                {"x", std::lround(frame.origin.x)},
                {"y", std::lround(frame.origin.y)},
                {"width", std::lround(frame.size.width)},
                {"height", std::lround(frame.size.height)}}
        .dump();
}

}  // namespace velorin::linux_platform::shell
