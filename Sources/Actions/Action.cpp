#include "Actions/Action.h"

#include <array>
#include <vector>

#include "Actions/Hashing.h"

namespace velorin {
namespace {

template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

constexpr std::array<Action::Kind, 8> allKinds = {
    Action::Kind::openApp, Action::Kind::keystroke, Action::Kind::window, Action::Kind::media,
    Action::Kind::menuItem, Action::Kind::system, Action::Kind::open, Action::Kind::shortcut,
};

std::string childPath(const std::string& parent, std::string_view key) {
    return parent.empty() ? std::string(key) : parent + "." + std::string(key);
}

std::string joinedPath(const std::vector<std::string>& path) {
    std::string text;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (i > 0) text += " \u25B8 ";
        text += path[i];
    }
    return text;
}

Json wrapped(const Json& value) {
    Json inner = Json::object();
    inner["_0"] = value;
    return inner;
}

}  // namespace

std::string_view caseName(Action::Kind kind) {
    switch (kind) {
        case Action::Kind::openApp: return "openApp";
        case Action::Kind::keystroke: return "keystroke";
        case Action::Kind::window: return "window";
        case Action::Kind::media: return "media";
        case Action::Kind::menuItem: return "menuItem";
        case Action::Kind::system: return "system";
        case Action::Kind::open: return "open";
        case Action::Kind::shortcut: return "shortcut";
    }
    return {};
}

std::string Action::description() const {
    return std::visit(
        Overloaded{
            [](const OpenApp& p) { return (p.toggle ? "Toggle " : "Open ") + p.bundleID; },
            [](const Keystroke& p) { return "Press " + p.combo.description(); },
            [](const Window& p) { return "Window: " + std::string(rawValue(p.command)); },
            [](const Media& p) { return "Media: " + std::string(rawValue(p.key)); },
            [](const MenuItem& p) { return "Menu: " + joinedPath(p.command.path); },
            [](const System& p) { return "System: " + std::string(rawValue(p.command)); },
            [](const Open& p) { return "Open " + p.url; },
            [](const Shortcut& p) { return "Shortcut: " + p.name; },
        },
        payload_);
}

Json Action::toJson() const {
    Json inner = std::visit(
        Overloaded{
            [](const OpenApp& p) {
                Json j = Json::object();
                j["bundleID"] = p.bundleID;
                j["toggle"] = p.toggle;
                return j;
            },
            [](const Keystroke& p) { return wrapped(p.combo.toJson()); },
            [](const Window& p) { return wrapped(velorin::toJson(p.command)); },
            [](const Media& p) { return wrapped(velorin::toJson(p.key)); },
            [](const MenuItem& p) { return wrapped(p.command.toJson()); },
            [](const System& p) { return wrapped(velorin::toJson(p.command)); },
            [](const Open& p) {
                Json j = Json::object();
                j["url"] = p.url;
                return j;
            },
            [](const Shortcut& p) {
                Json j = Json::object();
                j["name"] = p.name;
                return j;
            },
        },
        payload_);
    Json outer = Json::object();
    outer[std::string(caseName(kind()))] = std::move(inner);
    return outer;
}

Action Action::fromJson(const json::Reader& reader) {
    reader.requireObject();
    // Members with other names don't count; one with a null value does.
    std::optional<Kind> found;
    int count = 0;
    for (Kind k : allKinds) {
        if (reader.raw().contains(caseName(k))) {
            found = k;
            ++count;
        }
    }
    if (count != 1) reader.fail("Invalid number of keys found, expected one.");

    const std::string key(caseName(*found));
    const json::Reader inner(reader.raw()[key], childPath(reader.path(), key));
    inner.requireObject();
    switch (*found) {
        case Kind::openApp:
            return openApp(inner.require("bundleID").string(), inner.require("toggle").boolean());
        case Kind::keystroke: return keystroke(KeyCombo::fromJson(inner.require("_0")));
        case Kind::window: return window(decodeStoredEnum<WindowCommand>(inner.require("_0")));
        case Kind::media: return media(decodeStoredEnum<MediaKey>(inner.require("_0")));
        case Kind::menuItem: return menuItem(MenuCommand::fromJson(inner.require("_0")));
        case Kind::system: return system(decodeStoredEnum<SystemCommand>(inner.require("_0")));
        case Kind::open: return open(inner.require("url").string());
        case Kind::shortcut: return shortcut(inner.require("name").string());
    }
    reader.fail("Invalid number of keys found, expected one.");
}

}  // namespace velorin

std::size_t std::hash<velorin::Action>::operator()(const velorin::Action& action) const noexcept {
    using velorin::Action;
    using velorin::detail::hashFeed;
    std::size_t seed = 0;
    hashFeed(seed, action.payload().index());
    std::visit(
        velorin::Overloaded{
            [&](const Action::OpenApp& p) {
                hashFeed(seed, p.bundleID);
                hashFeed(seed, p.toggle);
            },
            [&](const Action::Keystroke& p) { hashFeed(seed, p.combo); },
            [&](const Action::Window& p) { hashFeed(seed, p.command); },
            [&](const Action::Media& p) { hashFeed(seed, p.key); },
            [&](const Action::MenuItem& p) { hashFeed(seed, p.command); },
            [&](const Action::System& p) { hashFeed(seed, p.command); },
            [&](const Action::Open& p) { hashFeed(seed, p.url); },
            [&](const Action::Shortcut& p) { hashFeed(seed, p.name); },
        },
        action.payload());
    return seed;
}
