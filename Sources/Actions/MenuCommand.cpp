#include "Actions/MenuCommand.h"

#include "Actions/Hashing.h"

namespace velorin {

Json MenuCommand::toJson() const {
    Json j = Json::object();
    j["path"] = path;
    if (key) j["key"] = key->toJson();
    return j;
}

MenuCommand MenuCommand::fromJson(const json::Reader& reader) {
    reader.requireObject();
    MenuCommand command;
    for (const auto& title : reader.require("path").array()) command.path.push_back(title.string());
    if (auto k = reader.member("key")) command.key = KeyCombo::fromJson(*k);
    return command;
}

}  // namespace velorin

std::size_t std::hash<velorin::MenuCommand>::operator()(const velorin::MenuCommand& c) const noexcept {
    using velorin::detail::hashFeed;
    std::size_t seed = 0;
    hashFeed(seed, c.path.size());
    for (const auto& title : c.path) hashFeed(seed, title);
    if (c.key) {
        hashFeed(seed, 1);
        hashFeed(seed, c.key->keyCode);
        hashFeed(seed, c.key->modifiers.rawValue);
    } else {
        hashFeed(seed, 0);
    }
    return seed;
}
