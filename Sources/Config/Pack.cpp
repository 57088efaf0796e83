#include "Config/Pack.h"

#include "Config/StoredForms.h"
#include "Support/Uuid.h"

namespace velorin {
namespace {

std::string newCustomId() { return "custom-" + Uuid::generate().lowercased(); }

}  // namespace

std::string_view rawValue(Pack::Category category) {
    using Category = Pack::Category;
    switch (category) {
        case Category::general: return "general";
        case Category::ai: return "ai";
        case Category::browsers: return "browsers";
        case Category::code: return "code";
        case Category::creative: return "creative";
        case Category::work: return "work";
        case Category::social: return "social";
    }
    return "general";
}

std::string_view Pack::title(Category category) {
    switch (category) {
        case Category::general: return "General";
        case Category::ai: return "AI";
        case Category::browsers: return "Browsers";
        case Category::code: return "Code";
        case Category::creative: return "Creative";
        case Category::work: return "Notes & work";
        case Category::social: return "Chat & music";
    }
    return "General";
}

Pack Pack::newCustom(std::vector<std::string> apps) {
    Pack p;
    p.id = newCustomId();
    p.symbol = std::string(customSymbol);
    p.iconApps = apps;
    p.apps = std::move(apps);
    p.category = Category::general;
    p.custom = true;
    p.accent = customAccent;
    return p;
}

Pack Pack::duplicated() const {
    Pack copy;
    copy.id = newCustomId();
    copy.name = name + " (mine)";
    copy.summary = summary;
    copy.symbol = symbol;
    copy.apps = apps;
    copy.iconApps = iconApps;
    copy.category = category;
    copy.bindings.reserve(bindings.size() + library.size());
    for (const auto* list : {&bindings, &library}) {
        for (Binding b : *list) {
            b.id = Uuid::generate();
            copy.bindings.push_back(std::move(b));
        }
    }
    copy.custom = true;
    copy.accent = accent.value_or(customAccent);
    return copy;
}

Json Pack::toJson() const {
    Json out = Json::object();
    out["id"] = id;
    out["name"] = name;
    out["summary"] = summary;
    out["symbol"] = symbol;
    out["apps"] = storedforms::writeStrings(apps);
    out["bindings"] = storedforms::writeBindings(bindings);
    out["library"] = storedforms::writeBindings(library);
    out["iconApps"] = storedforms::writeStrings(iconApps);
    out["category"] = std::string(rawValue(category));
    out["custom"] = custom;
    if (accent) out["accent"] = *accent;
    return out;
}

Pack Pack::fromJson(const json::Reader& reader) {
    reader.requireObject();
    Pack p;
    p.id = reader.require("id").string();
    p.name = reader.require("name").string();
    p.summary = reader.stringOr("summary", "");
    p.symbol = reader.stringOr("symbol", std::string(customSymbol));
    if (auto apps = reader.member("apps")) p.apps = storedforms::readStrings(*apps);
    if (auto bindings = reader.member("bindings")) p.bindings = storedforms::readBindings(*bindings);
    if (auto library = reader.member("library")) p.library = storedforms::readBindings(*library);
    if (auto iconApps = reader.member("iconApps")) {
        p.iconApps = storedforms::readStrings(*iconApps);
    } else {
        p.iconApps = p.apps;  // an older pack draws the icons of the apps it is for
    }
    if (auto category = reader.member("category")) p.category = decodeStoredEnum<Category>(*category);
    p.custom = reader.boolOr("custom", false);
    if (auto accent = reader.member("accent")) p.accent = accent->uint32();
    return p;
}

}  // namespace velorin

std::size_t std::hash<velorin::Pack>::operator()(const velorin::Pack& p) const noexcept {
    velorin::storedforms::Hasher h;
    h.feed(std::string_view(p.id));
    h.feed(std::string_view(p.name));
    h.feed(std::string_view(p.summary));
    h.feed(std::string_view(p.symbol));
    h.feed(p.apps);
    for (const auto* list : {&p.bindings, &p.library}) {
        h.feed(list->size());
        for (const auto& b : *list) h.feed(std::hash<velorin::Binding>{}(b));
    }
    h.feed(p.iconApps);
    h.feed(velorin::rawValue(p.category));
    h.feedByte(p.custom ? 1 : 0);
    if (p.accent) {
        h.feedByte(1);
        h.feed(static_cast<std::size_t>(*p.accent));
    } else {
        h.feedByte(0);
    }
    return h.value();
}
