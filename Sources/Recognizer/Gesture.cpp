#include "Recognizer/Gesture.h"

#include <algorithm>

namespace velorin {
namespace {

constexpr std::array<std::string_view, 4> cornerNames{"topLeft", "topRight", "bottomLeft", "bottomRight"};
constexpr std::array<const char*, 4> countWords{"", "single", "double", "triple"};

}  // namespace

std::string_view Gesture::rawValue(Corner corner) { return cornerNames[static_cast<std::size_t>(corner)]; }

std::optional<Gesture::Corner> Gesture::cornerFromRaw(std::string_view raw) {
    for (std::size_t i = 0; i < cornerNames.size(); ++i) {
        if (cornerNames[i] == raw) return static_cast<Corner>(i);
    }
    return std::nullopt;
}

std::string Gesture::description() const {
    struct Visitor {
        std::string operator()(const Tap& t) const {
            // Counts above three read as triple; a stored count below zero (only a hand-edited file
            // holds one) reads like zero rather than indexing outside the word list.
            const auto index = static_cast<std::size_t>(std::clamp(t.count, 0, 3));
            return std::to_string(t.fingers) + "-finger " + countWords[index] + " tap";
        }
        std::string operator()(const Hold& h) const { return std::to_string(h.fingers) + "-finger hold"; }
        std::string operator()(const CornerTap& c) const {
            return "corner tap (" + std::string(rawValue(c.corner)) + ")";
        }
    };
    return std::visit(Visitor{}, payload_);
}

Json Gesture::toJson() const {
    struct Visitor {
        Json operator()(const Tap& t) const { return {{"tap", {{"fingers", t.fingers}, {"count", t.count}}}}; }
        Json operator()(const Hold& h) const { return {{"hold", {{"fingers", h.fingers}}}}; }
        Json operator()(const CornerTap& c) const {
            return {{"cornerTap", {{"_0", std::string(rawValue(c.corner))}}}};
        }
    };
    return std::visit(Visitor{}, payload_);
}

Gesture Gesture::fromJson(const json::Reader& reader) {
    reader.requireObject();
    // A case member counts by its name, whatever its value: a null one is a payload of the wrong kind.
    const Json& object = reader.raw();
    const auto present = [&](const std::string& key) { return object.contains(key); };
    if (int(present("tap")) + int(present("hold")) + int(present("cornerTap")) != 1) {
        reader.fail("Invalid number of keys found, expected one.");
    }
    const auto payload = [&](const std::string& key) {
        const json::Reader inner(object.at(key), reader.path().empty() ? key : reader.path() + "." + key);
        inner.requireObject();
        return inner;
    };
    if (present("tap")) {
        const auto tap = payload("tap");
        return Gesture::tap(tap.require("fingers").integer<int>(), tap.require("count").integer<int>());
    }
    if (present("hold")) return Gesture::hold(payload("hold").require("fingers").integer<int>());
    const auto raw = payload("cornerTap").require("_0");
    const auto value = cornerFromRaw(raw.string());
    if (!value) raw.fail("Cannot initialize Corner from invalid String value " + raw.string());
    return Gesture::cornerTap(*value);
}

}  // namespace velorin

std::size_t std::hash<velorin::Gesture>::operator()(const velorin::Gesture& g) const noexcept {
    using G = velorin::Gesture;
    std::size_t h = g.payload().index();
    auto mix = [&h](std::size_t v) { h ^= v + 0x9e3779b97f4a7c15ull + (h << 6) + (h >> 2); };
    if (const auto* t = g.asTap()) {
        mix(std::hash<int>{}(t->fingers));
        mix(std::hash<int>{}(t->count));
    } else if (const auto* hd = g.asHold()) {
        mix(std::hash<int>{}(hd->fingers));
    } else if (const auto* c = g.asCornerTap()) {
        mix(std::hash<std::string_view>{}(G::rawValue(c->corner)));
    }
    return h;
}
