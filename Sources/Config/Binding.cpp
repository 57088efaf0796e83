#include "Config/Binding.h"

#include <algorithm>

#include "Config/StoredForms.h"

namespace velorin {

bool Binding::applies(std::optional<std::string_view> frontApp) const {
    if (apps.empty()) return true;
    if (!frontApp) return false;
    return std::find(apps.begin(), apps.end(), *frontApp) != apps.end();
}

Json Binding::toJson() const {
    Json out = Json::object();
    out["id"] = id.string();
    out["gesture"] = gesture.toJson();
    out["action"] = action.toJson();
    out["enabled"] = enabled;
    out["apps"] = storedforms::writeStrings(apps);
    if (title) out["title"] = *title;
    return out;
}

Binding Binding::fromJson(const json::Reader& reader) {
    reader.requireObject();
    const json::Reader idReader = reader.require("id");
    const auto id = Uuid::parse(idReader.string());
    if (!id) idReader.fail("Attempted to decode UUID from invalid UUID string.");

    Binding b{.id = *id,
              .gesture = Gesture::fromJson(reader.require("gesture")),
              .action = Action::fromJson(reader.require("action")),
              .enabled = reader.boolOr("enabled", true),
              .apps = {},
              .title = std::nullopt};
    if (auto apps = reader.member("apps")) b.apps = storedforms::readStrings(*apps);
    if (auto title = reader.member("title")) b.title = title->string();
    return b;
}

}  // namespace velorin

std::size_t std::hash<velorin::Binding>::operator()(const velorin::Binding& b) const noexcept {
    velorin::storedforms::Hasher h;
    h.feed(std::hash<velorin::Uuid>{}(b.id));
    h.feed(std::hash<velorin::Gesture>{}(b.gesture));
    h.feed(std::hash<velorin::Action>{}(b.action));
    h.feedByte(b.enabled ? 1 : 0);
    h.feed(b.apps);
    if (b.title) {
        h.feedByte(1);
        h.feed(std::string_view(*b.title));
    } else {
        h.feedByte(0);
    }
    return h.value();
}
