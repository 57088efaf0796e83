#include "Config/AppConfig.h"

#include <algorithm>

#include "Config/PackCatalog.h"
#include "Config/StoredForms.h"

namespace velorin {

const AppConfig& AppConfig::starter() {
    static const AppConfig config{.enabledPacks = {"everyday-mac", "claude"}};
    return config;
}

std::vector<std::string> AppConfig::migrated(const std::vector<std::string>& ids) {
    std::vector<std::string> out;
    auto add = [&out](const std::string& id) {
        if (std::find(out.begin(), out.end(), id) == out.end()) out.push_back(id);
    };
    const auto& replaced = PackCatalog::replaced();
    for (const auto& id : ids) {
        if (auto it = replaced.find(id); it != replaced.end()) {
            for (const auto& successor : it->second) add(successor);
        } else {
            add(id);
        }
    }
    return out;
}

AppConfig AppConfig::fromJson(const json::Reader& reader) {
    reader.requireObject();
    AppConfig config;

    // Only the stored version decides the migrations below; absent counts as older.
    std::optional<std::int64_t> storedVersion;
    if (auto v = reader.member("version")) storedVersion = v->int64();

    config.isEnabled = reader.boolOr("isEnabled", true);
    if (auto b = reader.member("bindings")) config.bindings = storedforms::readBindings(*b);
    if (auto e = reader.member("enabledPacks")) config.enabledPacks = storedforms::readStrings(*e);
    if (auto c = reader.member("customPacks")) {
        for (const auto& element : c->array()) config.customPacks.push_back(Pack::fromJson(element));
    }
    if (auto o = reader.member("packOverrides")) {
        for (const auto& key : o->keys()) {
            // Every value of the map must be a list: a null here is a wrong value, not an absent key.
            const json::Reader list(o->raw().at(key), o->path() + "." + key);
            config.packOverrides.emplace(key, storedforms::readBindings(list));
        }
    }
    if (auto r = reader.member("recognizer")) config.recognizer = RecognizerConfig::fromJson(*r);

    config.enabledPacks = migrated(config.enabledPacks);
    std::erase_if(config.enabledPacks, [&config](const std::string& id) {
        if (PackCatalog::pack(id)) return false;
        return std::none_of(config.customPacks.begin(), config.customPacks.end(),
                            [&id](const Pack& p) { return p.id == id; });
    });

    // Files before version 5 stored the earlier hold default; it becomes the current one.
    const bool older = !storedVersion || *storedVersion < currentVersion;
    if (older && config.recognizer.holdDuration == RecognizerConfig::previousHoldDuration) {
        config.recognizer.holdDuration = RecognizerConfig{}.holdDuration;
    }

    config.version = currentVersion;
    return config;
}

AppConfig AppConfig::decode(std::string_view text) {
    const Json document = json::parse(text);
    return fromJson(json::Reader(document));
}

Json AppConfig::toJson() const {
    Json out = Json::object();
    out["version"] = version;
    out["isEnabled"] = isEnabled;
    out["bindings"] = storedforms::writeBindings(bindings);
    out["enabledPacks"] = storedforms::writeStrings(enabledPacks);
    Json packs = Json::array();
    for (const auto& p : customPacks) packs.push_back(p.toJson());
    out["customPacks"] = std::move(packs);
    Json overrides = Json::object();
    for (const auto& [id, list] : packOverrides) overrides[id] = storedforms::writeBindings(list);
    out["packOverrides"] = std::move(overrides);
    try {
        out["recognizer"] = recognizer.toJson();
    } catch (const JsonEncodeError& e) {
        throw JsonEncodeError("The sensitivity settings hold a number that is not finite (" + e.description() + ")");
    }
    return out;
}

}  // namespace velorin
