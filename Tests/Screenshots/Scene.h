#pragma once
// The screenshot gallery's scenes. Each feature keeps its scenes in one file
// of its own that registers them when the program starts:
//
//     namespace {
//     const SceneRegistrar pills("controls-pills", [](SceneContext& context) {
//         auto content = std::make_unique<QWidget>();
//         ...
//         return content;
//     });
//     }  // namespace
//
// The gallery renders every scene twice, in the light and the dark
// appearance, on the window floor, into "<name>-light.png" and
// "<name>-dark.png". Motion is instant, so what a scene sets is what shows.

#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Design/Color.h"

#include <QSize>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace velorin::screenshots {

struct SceneContext {
    Appearance appearance = Appearance::light;
    // The simulated desktop the gallery runs on (display settings, apps, defaults, …).
    sim::SimPlatform& sim;
    // The window the scene's content is shown in.
    QWidget* window = nullptr;

    bool isDark() const { return appearance == Appearance::dark; }
    // Runs `step` once the content is shown and laid out, before the picture
    // is taken (to hover, press or focus something).
    void afterShow(std::function<void()> step) { steps.push_back(std::move(step)); }

    std::vector<std::function<void()>> steps;
};

using SceneFactory = std::function<std::unique_ptr<QWidget>(SceneContext& context)>;

struct Scene {
    std::string name;     // file-name safe: letters, digits and hyphens
    SceneFactory make;
    QSize size;           // the window's size; empty for the content's own size hint
};

// Every registered scene, in name order.
std::vector<Scene> scenes();

class SceneRegistrar {
public:
    SceneRegistrar(std::string name, SceneFactory make, QSize size = QSize());
};

}  // namespace velorin::screenshots
