// The water behind the settings window: resting over lit floor spots, and
// stirred by a finger and the splash of a fired gesture. Drawn with OpenGL
// where the display has it (under Xvfb, Mesa's software rasteriser); the
// offscreen platform has none, and the water is then an empty layer.

#include "Scene.h"
#include "Velorin/Design/WaterLayer.h"
#include "Velorin/Design/WaterView.h"

#include <memory>

namespace velorin::screenshots {
namespace {

constexpr QSize waterWindow(820 + 56, 580 + 56);

// The floor spots of four enabled packs, one of them the rainbow.
std::vector<FloorBlob> spots() {
    return {FloorBlob{"apps", 0.18f, 0.22f, 0.22f, {0.98f, 0.45f, 0.2f}, false},
            FloorBlob{"media", 0.78f, 0.3f, 0.2f, {0.25f, 0.55f, 0.98f}, false},
            FloorBlob{"rainbow", 0.5f, 0.72f, 0.24f, {}, true},
            FloorBlob{"windows", 0.86f, 0.82f, 0.16f, {0.35f, 0.8f, 0.45f}, false}};
}

Touch finger(float x, float y) {
    Touch t;
    t.id = 1;
    t.state = TouchState::touching;
    t.x = x;
    t.y = y;
    return t;
}

// A water layer on a clock of its own, so a scene can step it frame by frame.
struct Water {
    explicit Water(const SceneContext& context) {
        // The layer may outlive this record: the clock shares the time.
        layer = new WaterLayer(nullptr, WaterLayer::surfaceFormat(), [time = time] { return *time; });
        input.dark = context.isDark();
        input.blobs = spots();
    }
    // Draws `count` frames of `interval` seconds each.
    void frames(int count, double interval) {
        WaterView* view = layer->view();
        if (!view) return;
        for (int i = 0; i < count; ++i) {
            *time += interval;
            view->grabFramebuffer();
        }
    }

    std::shared_ptr<double> time = std::make_shared<double>(1000);
    WaterLayer* layer = nullptr;
    WaterInput input;
};

const SceneRegistrar rest(
    "water-rest",
    [](SceneContext& context) {
        auto water = std::make_shared<Water>(context);
        water->layer->update(water->input);
        context.afterShow([water] { water->frames(25, 1.0 / 15); });  // the spots fade in
        return std::unique_ptr<QWidget>(water->layer);
    },
    waterWindow);

const SceneRegistrar splash(
    "water-splash",
    [](SceneContext& context) {
        auto water = std::make_shared<Water>(context);
        water->layer->update(water->input);
        context.afterShow([water] {
            water->frames(25, 1.0 / 15);
            // A finger near the pad's far left, held a moment, then a gesture fires.
            water->input.touches = {finger(0.3f, 0.7f)};
            water->layer->update(water->input);
            water->frames(12, 1.0 / 60);
            water->input.touches.clear();
            water->input.fired = dateFromSecondsSince1970(1);
            water->layer->update(water->input);
            water->frames(40, 1.0 / 60);
        });
        return std::unique_ptr<QWidget>(water->layer);
    },
    waterWindow);

}  // namespace
}  // namespace velorin::screenshots
