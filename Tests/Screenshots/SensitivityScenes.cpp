// The live pad with fingers on it, the trackpad tab with touches and a fired
// gesture, and the sensitivity tab with its preview.

#include "Scene.h"
#include "Velorin/Design/PadStage.h"

#include <memory>

namespace velorin::screenshots {
namespace {

Touch finger(int id, float x, float y) {
    Touch t;
    t.id = id;
    t.state = TouchState::touching;
    t.x = x;
    t.y = y;
    return t;
}

// A pad on a clock of its own, so the scene steps its water frame by frame.
std::unique_ptr<QWidget> padScene(SceneContext& context, std::vector<Touch> touches) {
    auto time = std::make_shared<double>(1000);
    auto holder = std::make_unique<QWidget>();
    holder->setFixedSize(560 + 80, 350 + 80);
    auto* pad = new PadStage(holder.get(), [time] { return *time; });
    pad->setGeometry(40, 30, 560, 350);
    pad->setCornerSize(0.15);
    WaterInput input;
    input.dark = context.isDark();
    input.blobs = {FloorBlob{"a", 0.2f, 0.3f, 0.3f, {0.98f, 0.45f, 0.2f}, false},
                   FloorBlob{"b", 0.75f, 0.7f, 0.3f, {0.25f, 0.55f, 0.98f}, false}};
    pad->update(input);
    context.afterShow([pad, time, input, touches] {
        for (int i = 0; i < 20; ++i) {
            *time += 1.0 / 15;
            pad->drawFrame();
        }
        WaterInput touched = input;
        touched.touches = touches;
        pad->update(touched);
        for (int i = 0; i < 20; ++i) {
            *time += 1.0 / 60;
            pad->drawFrame();
        }
    });
    return holder;
}

const SceneRegistrar padIdle("pad-stage-idle", [](SceneContext& c) { return padScene(c, {}); });
const SceneRegistrar padTouched("pad-stage-three-fingers", [](SceneContext& c) {
    return padScene(c, {finger(1, 0.35f, 0.55f), finger(2, 0.5f, 0.62f), finger(3, 0.65f, 0.56f)});
});

}  // namespace
}  // namespace velorin::screenshots
