#pragma once
// Small builders shared by the Config tests.

#include <string>
#include <vector>

#include "Config/Binding.h"
#include "Config/Pack.h"

namespace velorin::fixtures {

inline Binding binding(Gesture gesture, Action action, std::vector<std::string> apps = {}, bool enabled = true) {
    return Binding{.id = Uuid::generate(),
                   .gesture = gesture,
                   .action = std::move(action),
                   .enabled = enabled,
                   .apps = std::move(apps),
                   .title = std::nullopt};
}

inline Action press(std::uint16_t keyCode) { return Action::keystroke(KeyCombo(keyCode, KeyCombo::Modifiers::command)); }

inline Pack pack(std::string id, std::vector<Binding> bindings, std::vector<Binding> library = {}) {
    Pack p;
    p.id = std::move(id);
    p.name = "Pack " + p.id;
    p.symbol = "globe";
    p.bindings = std::move(bindings);
    p.library = std::move(library);
    return p;
}

}  // namespace velorin::fixtures
