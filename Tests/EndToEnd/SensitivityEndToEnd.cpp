// The sensitivity and trackpad tabs of the real program, with real pointer input
// and a fed touchpad.

#include <gtest/gtest.h>

#include <cmath>

#include "AppSession.h"

namespace velorin::e2e {
namespace {

// Dragging a slider saves each value it passes; the file ends with the value shown.
TEST(SensitivityEndToEnd, DraggingASliderSavesItsValueAndResetPutsTheDefaultsBack) {
    AppSession app;
    app.click("tab.sensitivity");
    app.waitFor("sensitivityTab");
    ASSERT_TRUE(app.readConfig().is_null());  // a first run writes nothing until a change

    app.drag("sensitivity.slider.0", 0.2, 0.8);  // "Longest tap"
    double stored = 0;
    std::optional<std::string> shown, text;
    EXPECT_TRUE(app.waitUntil([&] {
        const nlohmann::json config = app.readConfig();
        if (!config.is_object() || !config.contains("recognizer")) return false;
        stored = config["recognizer"].value("maxTapDuration", 0.0);
        shown = app.property("sensitivity.slider.0", "value");
        text = app.property("sensitivity.value.0", "text");
        return shown && std::stod(*shown) == stored && stored > 0.6 &&
               text == std::to_string(static_cast<long long>(std::trunc(stored * 1000))) + " ms";
    })) << "stored "
        << stored << ", shown " << shown.value_or("(none)") << ", text " << text.value_or("(none)");

    // The button sits under the sliders: the wheel scrolls the column down to it.
    const Rect above = app.waitFor("sensitivity.value.0");
    app.runClient({"xdotool", "mousemove", std::to_string(above.centerX()), std::to_string(above.centerY()), "click",
                   "--repeat", "10", "--delay", "30", "5"});
    app.click("sensitivity.reset");
    EXPECT_TRUE(app.waitUntil([&] {
        const nlohmann::json config = app.readConfig();
        return config.is_object() && config["recognizer"].value("maxTapDuration", 0.0) == 0.3;
    })) << app.readConfig().dump();
}

// Fingers resting on the touchpad show on the trackpad tab's pad, and leave when they lift.
TEST(SensitivityEndToEnd, FingersOnTheTouchpadShowOnThePadAndLeaveOnLift) {
    AppSession app;
    app.click("tab.trackpad");
    app.waitFor("trackpadTab");
    app.waitFor("padStage/0 fingers");

    app.pad().play(testing::EventScript()
                       .at(0)
                       .land(0, 1, 1200, 1200)
                       .pressure(60)
                       .land(1, 2, 2000, 1250)
                       .pressure(60)
                       .land(2, 3, 2800, 1200)
                       .pressure(60)
                       .fingers(3)
                       .report());
    app.waitFor("padStage/3 fingers");
    app.pad().play(testing::EventScript().at(0).lift(0).lift(1).lift(2).fingers(0).report());
    app.waitFor("padStage/0 fingers");
}

}  // namespace
}  // namespace velorin::e2e
