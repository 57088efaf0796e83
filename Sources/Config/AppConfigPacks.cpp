// The operations on packs and the effective bindings of AppConfig.

#include <algorithm>

#include "Config/AppConfig.h"
#include "Config/PackCatalog.h"

namespace velorin {
namespace {

// A pack as resolution reads it, without copying it.
struct PackView {
    const std::string* id;
    const std::string* name;
    const std::vector<Binding>* bindings;
};

bool contains(const std::vector<std::string>& list, std::string_view id) {
    return std::find(list.begin(), list.end(), id) != list.end();
}

}  // namespace

std::vector<Pack> AppConfig::allPacks() const {
    std::vector<Pack> out;
    out.reserve(PackCatalog::all().size() + customPacks.size());
    for (const Pack& p : PackCatalog::all()) {
        auto edited = packOverrides.find(p.id);
        if (edited == packOverrides.end()) {
            out.push_back(p);
        } else {
            Pack q = p;
            q.bindings = edited->second;
            q.library.clear();
            out.push_back(std::move(q));
        }
    }
    out.insert(out.end(), customPacks.begin(), customPacks.end());
    return out;
}

std::optional<Pack> AppConfig::pack(std::string_view id) const {
    if (const Pack* builtIn = PackCatalog::pack(id)) {
        Pack p = *builtIn;
        if (auto edited = packOverrides.find(id); edited != packOverrides.end()) {
            p.bindings = edited->second;
            p.library.clear();
        }
        return p;
    }
    for (const Pack& p : customPacks) {
        if (p.id == id) return p;
    }
    return std::nullopt;
}

std::vector<Binding> AppConfig::shortcuts(std::string_view id) const {
    if (auto edited = packOverrides.find(id); edited != packOverrides.end()) return edited->second;
    auto p = pack(id);
    if (!p) return {};
    std::vector<Binding> list = std::move(p->bindings);
    list.insert(list.end(), p->library.begin(), p->library.end());
    return list;
}

void AppConfig::setShortcuts(std::vector<Binding> list, std::string_view id) {
    for (Pack& p : customPacks) {
        if (p.id == id) {
            // The list came from shortcuts(of:), which already holds the spares after the
            // shortcuts; keeping them as spares too would repeat them on every edit.
            p.bindings = std::move(list);
            p.library.clear();
            return;
        }
    }
    const Pack* builtIn = PackCatalog::pack(id);
    if (!builtIn) return;
    const bool isCatalogs = list.size() == builtIn->bindings.size() + builtIn->library.size() &&
                            std::equal(builtIn->bindings.begin(), builtIn->bindings.end(), list.begin()) &&
                            std::equal(builtIn->library.begin(), builtIn->library.end(),
                                       list.begin() + static_cast<std::ptrdiff_t>(builtIn->bindings.size()));
    if (isCatalogs) {
        if (auto edited = packOverrides.find(id); edited != packOverrides.end()) packOverrides.erase(edited);
    } else {
        packOverrides.insert_or_assign(std::string(id), std::move(list));
    }
}

bool AppConfig::isCustomized(std::string_view id) const { return packOverrides.find(id) != packOverrides.end(); }

void AppConfig::resetPack(std::string_view id) {
    if (auto edited = packOverrides.find(id); edited != packOverrides.end()) packOverrides.erase(edited);
}

void AppConfig::savePack(Pack pack) {
    for (Pack& p : customPacks) {
        if (p.id == pack.id) {
            p = std::move(pack);
            return;
        }
    }
    customPacks.push_back(std::move(pack));
}

void AppConfig::removePack(std::string_view id) {
    std::erase_if(customPacks, [id](const Pack& p) { return p.id == id; });
    std::erase_if(enabledPacks, [id](const std::string& e) { return e == id; });
}

bool AppConfig::isPackEnabled(std::string_view id) const { return contains(enabledPacks, id); }

void AppConfig::setPack(std::string_view id, bool enabled) {
    std::erase_if(enabledPacks, [id](const std::string& e) { return e == id; });
    if (enabled) enabledPacks.emplace_back(id);
}

AppConfig::Resolution AppConfig::resolved(std::optional<std::string_view> frontApp,
                                          const std::vector<Pack>* catalog) const {
    Resolution result;
    if (!isEnabled) return result;

    // The enabled packs in precedence order, as allPacks() would list them (or as the
    // given catalog does), looked up without building allPacks().
    auto find = [&](std::string_view id) -> std::optional<PackView> {
        if (catalog) {
            for (const Pack& p : *catalog) {
                if (p.id == id) return PackView{&p.id, &p.name, &p.bindings};
            }
            return std::nullopt;
        }
        if (const Pack* p = PackCatalog::pack(id)) {
            auto edited = packOverrides.find(id);
            return PackView{&p->id, &p->name, edited == packOverrides.end() ? &p->bindings : &edited->second};
        }
        for (const Pack& p : customPacks) {
            if (p.id == id) return PackView{&p.id, &p.name, &p.bindings};
        }
        return std::nullopt;
    };
    std::vector<PackView> packs;
    packs.reserve(enabledPacks.size());
    for (const auto& id : enabledPacks) {
        if (auto view = find(id)) packs.push_back(*view);
    }

    auto takes = [&](const Binding& b, bool forEveryApp) {
        return b.enabled && b.isGlobal() == forEveryApp && b.applies(frontApp) && !result.contains(b.gesture);
    };
    for (const bool forEveryApp : {false, true}) {
        for (const Binding& b : bindings) {
            if (takes(b, forEveryApp)) result.emplace(b.gesture, ResolvedBinding{b.action, BindingSource::mine()});
        }
        for (const PackView& p : packs) {
            for (const Binding& b : *p.bindings) {
                if (takes(b, forEveryApp)) {
                    result.emplace(b.gesture, ResolvedBinding{b.action, BindingSource::pack(*p.id, *p.name)});
                }
            }
        }
    }
    return result;
}

std::unordered_map<Gesture, Action> AppConfig::activeBindings(std::optional<std::string_view> frontApp,
                                                              const std::vector<Pack>* catalog) const {
    std::unordered_map<Gesture, Action> out;
    for (auto& [gesture, winner] : resolved(frontApp, catalog)) out.emplace(gesture, std::move(winner.action));
    return out;
}

std::unordered_set<Uuid> AppConfig::conflicts() const {
    std::unordered_set<Uuid> out;
    std::vector<const Binding*> earlier;
    for (const Binding& b : bindings) {
        if (!b.enabled) continue;
        for (const Binding* e : earlier) {
            if (e->gesture == b.gesture && scopesOverlap(b.apps, e->apps)) {
                out.insert(b.id);
                break;
            }
        }
        earlier.push_back(&b);
    }
    return out;
}

bool AppConfig::scopesOverlap(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    if (a.empty() && b.empty()) return true;
    if (a.empty() || b.empty()) return false;
    return std::any_of(a.begin(), a.end(), [&b](const std::string& app) { return contains(b, app); });
}

}  // namespace velorin
