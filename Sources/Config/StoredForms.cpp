#include "Config/StoredForms.h"

namespace velorin::storedforms {

std::vector<std::string> readStrings(const json::Reader& reader) {
    std::vector<std::string> out;
    for (const auto& element : reader.array()) out.push_back(element.string());
    return out;
}

Json writeStrings(const std::vector<std::string>& values) {
    Json out = Json::array();
    for (const auto& v : values) out.push_back(v);
    return out;
}

std::vector<Binding> readBindings(const json::Reader& reader) {
    std::vector<Binding> out;
    for (const auto& element : reader.array()) out.push_back(Binding::fromJson(element));
    return out;
}

Json writeBindings(const std::vector<Binding>& bindings) {
    Json out = Json::array();
    for (const auto& b : bindings) out.push_back(b.toJson());
    return out;
}

}  // namespace velorin::storedforms
