#pragma once
// One shortcut: a gesture tied to an action, on or off, for every app or a list of apps.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "Actions/Action.h"
#include "Recognizer/Gesture.h"
#include "Support/Json.h"
#include "Support/Uuid.h"

namespace velorin {

struct Binding {
    Uuid id{};
    Gesture gesture;
    Action action;
    bool enabled = true;
    std::vector<std::string> apps{};   // bundle identifiers, exact text; empty means every app
    std::optional<std::string> title{};  // the catalog's rows carry their title

    bool isGlobal() const { return apps.empty(); }

    // Whether it works with `frontApp` in front; with no front app known only a
    // binding for every app does.
    bool applies(std::optional<std::string_view> frontApp) const;

    Json toJson() const;
    static Binding fromJson(const json::Reader& reader);

    bool operator==(const Binding&) const = default;
};

// Where a binding that won the resolution for the front app came from. Never stored.
class BindingSource {
public:
    struct FromPack {
        std::string id;
        std::string name;  // the pack's name when it was resolved
        bool operator==(const FromPack&) const = default;
    };
    struct Mine {
        bool operator==(const Mine&) const = default;
    };
    using Payload = std::variant<FromPack, Mine>;  // index = case number

    static BindingSource pack(std::string id, std::string name) {
        return BindingSource(FromPack{std::move(id), std::move(name)});
    }
    static BindingSource mine() { return BindingSource(Mine{}); }

    const Payload& payload() const { return payload_; }
    const FromPack* asPack() const { return std::get_if<FromPack>(&payload_); }
    bool isMine() const { return std::holds_alternative<Mine>(payload_); }

    bool operator==(const BindingSource&) const = default;

private:
    explicit BindingSource(Payload payload) : payload_(std::move(payload)) {}
    Payload payload_;
};

}  // namespace velorin

template <>
struct std::hash<velorin::Binding> {
    std::size_t operator()(const velorin::Binding& b) const noexcept;
};
