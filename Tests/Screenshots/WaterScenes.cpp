// The water behind the settings window: resting over lit floor spots, and
// stirred by a finger and the splash of a fired gesture; a pad's clipped
// water under three fingers. Drawn with OpenGL
// where the display has it (under Xvfb, Mesa's software rasteriser); the
// offscreen platform has none, and the water is then an empty layer.

#include "Scene.h"
#include "Velorin/Design/WaterLayer.h"
#include "Velorin/Design/WaterPicture.h"
#include "Velorin/Design/WaterView.h"

#include <QLabel>
#include <QVBoxLayout>

#include <memory>
#include <optional>

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
    explicit Water(const SceneContext& context, std::optional<WaterLayer::Clipped> clip = {}) {
        // The layer may outlive this record: the clock shares the time.
        auto clock = [time = time] { return *time; };
        layer = clip ? new WaterLayer(nullptr, *clip, WaterLayer::surfaceFormat(), clock)
                     : new WaterLayer(nullptr, WaterLayer::surfaceFormat(), clock);
        input.dark = context.isDark();
        input.blobs = spots();
    }
    // Draws `count` frames of `interval` seconds each.
    void frames(int count, double interval) {
        for (int i = 0; i < count; ++i) {
            *time += interval;
            if (WaterView* view = layer->view()) view->grabFramebuffer();
            if (WaterPicture* picture = layer->picture()) picture->drawFrame();
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

// A pad's water, clipped to its rounded corners, under three resting fingers,
// with a label painted over it as any widget is.
const SceneRegistrar pad(
    "water-pad",
    [](SceneContext& context) {
        auto content = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(content.get());
        layout->setContentsMargins(40, 40, 40, 40);
        auto water = std::make_shared<Water>(context, WaterLayer::Clipped{28});
        water->layer->setFixedSize(360, 240);
        layout->addWidget(water->layer, 0, Qt::AlignCenter);
        auto* label = new QLabel("Three fingers", water->layer);
        label->setStyleSheet("color: white; font-weight: 600");
        label->move(20, 16);
        context.afterShow([water] {
            water->layer->update(water->input);
            water->frames(25, 1.0 / 15);
            water->input.touches = {finger(0.3f, 0.5f), finger(0.5f, 0.55f), finger(0.7f, 0.5f)};
            for (std::size_t i = 0; i < water->input.touches.size(); ++i) water->input.touches[i].id = int(i + 1);
            water->layer->update(water->input);
            water->frames(20, 1.0 / 60);
        });
        return content;
    },
    QSize(440, 320));

}  // namespace
}  // namespace velorin::screenshots
