#include "Scene.h"

#include <algorithm>
#include <stdexcept>

namespace velorin::screenshots {

namespace {
// Made on first use: registrars in other files may run before this file's statics.
std::vector<Scene>& registry() {
    static std::vector<Scene> all;
    return all;
}
}  // namespace

std::vector<Scene> scenes() {
    std::vector<Scene> all = registry();
    std::sort(all.begin(), all.end(), [](const Scene& a, const Scene& b) { return a.name < b.name; });
    return all;
}

SceneRegistrar::SceneRegistrar(std::string name, SceneFactory make, QSize size) {
    for (const Scene& s : registry()) {
        if (s.name == name) throw std::logic_error("two screenshot scenes are named " + name);
    }
    registry().push_back({std::move(name), std::move(make), size});
}

}  // namespace velorin::screenshots
