#include <gtest/gtest.h>

#include "FakePanel.h"
#include "Platform/Sim/SimPlatform.h"
#include "Velorin/TapOverlay.h"

namespace velorin {
namespace {

using testing::FakePanel;

Engine::Fired fired(Gesture gesture, std::optional<Action> action, std::optional<std::string> error = std::nullopt) {
    return Engine::Fired{gesture, std::move(action), "My shortcut", std::move(error), Date{}};
}

class TapOverlayTest : public ::testing::Test {
protected:
    TapOverlayTest()
        : overlay([this](TapBadgeState&) {
              ++panelsMade;
              auto panel = std::make_unique<FakePanel>();
              this->panel = panel.get();
              return panel;
          }) {}

    void showTaps(bool on) { sim.defaults().set(TapOverlay::showTapsKey, PropertyValue(on)); }
    // Moves virtual time to `t` seconds after the test's start.
    void at(double t) { sim.mainQueue().advanceTo(start + t); }

    sim::SimPlatform sim;
    double start = sim.clock().systemUptime();
    int panelsMade = 0;
    FakePanel* panel = nullptr;
    TapOverlay overlay;
};

TEST_F(TapOverlayTest, switchedOff_buildsNothingAndCountsNothing) {
    overlay.show(fired(Gesture::tap(3, 2), Action::system(SystemCommand::missionControl)));
    EXPECT_EQ(panelsMade, 0);
    EXPECT_EQ(overlay.panel(), nullptr);
    EXPECT_EQ(overlay.state().count.get(), 0);
    EXPECT_EQ(overlay.state().gesture.get(), "");
    EXPECT_EQ(sim.mainQueue().pendingCount(), 0u);
}

TEST_F(TapOverlayTest, badge_showsTheRecordsNamesAndSymbol) {
    showTaps(true);
    struct Case {
        const char* name;
        Engine::Fired record;
        const char* gesture;
        const char* symbol;
        const char* action;
        bool failed;
    };
    const Case cases[] = {
        {"tap", fired(Gesture::tap(3, 2), Action::system(SystemCommand::missionControl)), "3-finger double tap",
         "hand.tap", "Mission Control", false},
        {"failed hold", fired(Gesture::hold(2), Action::window(WindowCommand::leftHalf), "No window"), "2-finger hold",
         "hand.raised", "Window \u2192 left half", true},
        {"corner without action", fired(Gesture::cornerTap(Gesture::Corner::bottomRight), std::nullopt),
         "Corner tap: bottom right", "arrow.up.left.and.arrow.down.right", "\u2013", false},
    };
    int count = 0;
    for (const auto& c : cases) {
        overlay.show(c.record);
        const auto& state = overlay.state();
        EXPECT_EQ(state.gesture.get(), c.gesture) << c.name;
        EXPECT_EQ(state.symbol.get(), c.symbol) << c.name;
        EXPECT_EQ(state.action.get(), c.action) << c.name;
        EXPECT_EQ(state.failed.get(), c.failed) << c.name;
        EXPECT_EQ(state.count.get(), ++count) << c.name;
    }
    EXPECT_EQ(panelsMade, 1);
    EXPECT_EQ(panel->orderedFront, 3);
}

TEST_F(TapOverlayTest, aRepeatedBadge_stillCountsSoTheRippleReplays) {
    showTaps(true);
    int told = 0;
    const_cast<TapBadgeState&>(overlay.state()).count.observe([&](const int&) { ++told; });
    const auto record = fired(Gesture::tap(2, 1), Action::media(MediaKey::mute));
    overlay.show(record);
    overlay.show(record);
    EXPECT_EQ(told, 2);
}

// One line of a timeline: at `t` seconds, optionally show a badge, then check the panel.
// Times just past a deadline carry a small margin, as sums of seconds round.
struct Step {
    double t;
    bool show;
    bool visible;
    double alpha;
    bool fading;
};

class TapOverlayTimeline : public TapOverlayTest {
public:
    void run(const std::vector<Step>& steps, const char* name) {
        showTaps(true);
        for (const auto& step : steps) {
            at(step.t);
            if (step.show) overlay.show(fired(Gesture::tap(3, 1), Action::media(MediaKey::playPause)));
            ASSERT_NE(panel, nullptr) << name;
            EXPECT_EQ(panel->visible, step.visible) << name << " at " << step.t;
            EXPECT_EQ(panel->alpha, step.alpha) << name << " at " << step.t;
            EXPECT_EQ(panel->fading, step.fading) << name << " at " << step.t;
        }
    }
};

TEST_F(TapOverlayTimeline, hidesAfterTheLastBadgeWithAFade) {
    run({{0, true, true, 1, false},
         {1.5999, false, true, 1, false},
         {1.6, false, true, 0, true},  // the fade begins
         {1.8499, false, true, 0, true},
         {1.8501, false, false, 0, false}},  // and ends out of sight
        "one badge");
    EXPECT_EQ(panel->fadeDurations, std::vector<double>{0.25});
}

TEST_F(TapOverlayTimeline, aSecondBadge_movesTheHideBack) {
    run({{0, true, true, 1, false},
         {1.0, true, true, 1, false},
         {1.6, false, true, 1, false},  // not 1.6 after the first
         {2.5999, false, true, 1, false},
         {2.6001, false, true, 0, true},
         {2.8501, false, false, 0, false}},
        "two badges one second apart");
    EXPECT_EQ(panelsMade, 1);
}

TEST_F(TapOverlayTimeline, aBadgeDuringTheFade_keepsThePanelOnScreen) {
    run({{0, true, true, 1, false},
         {1.6, false, true, 0, true},
         {1.7, true, true, 1, false},    // the fade stops
         {1.85, false, true, 1, false},  // its end finds the panel back at full alpha
         {3.2999, false, true, 1, false},
         {3.3001, false, true, 0, true},
         {3.5501, false, false, 0, false}},
        "badge during the fade");
}

TEST_F(TapOverlayTimeline, switchingOffWhileShown_letsTheBadgeFadeAsScheduled) {
    showTaps(true);
    at(0);
    overlay.show(fired(Gesture::tap(3, 1), std::nullopt));
    showTaps(false);
    at(1.0);
    overlay.show(fired(Gesture::tap(4, 1), std::nullopt));  // ignored
    EXPECT_EQ(overlay.state().count.get(), 1);
    at(1.8501);
    EXPECT_FALSE(panel->visible);
}

TEST_F(TapOverlayTest, thePanel_goesOnTheScreenUnderThePointer) {
    showTaps(true);
    const Screen left{Rect{{0, 0}, {1440, 900}}, Rect{{0, 70}, {1440, 805}}};
    const Screen right{Rect{{1440, -200}, {1920, 1080}}, Rect{{1440, -200}, {1920, 1055}}};
    sim.screens().setScreens({left, right});
    sim.screens().setMouseLocation({2000, 100});
    overlay.show(fired(Gesture::tap(2, 1), std::nullopt));
    ASSERT_TRUE(panel->origin);
    EXPECT_EQ(*panel->origin, (Point{1440 + 960 - 280, -200 + 48}));

    // Without any screen, the panel stays where it stood.
    sim.screens().setScreens({});
    overlay.show(fired(Gesture::tap(2, 1), std::nullopt));
    EXPECT_EQ(*panel->origin, (Point{1440 + 960 - 280, -200 + 48}));
    EXPECT_TRUE(panel->visible);
}

TEST(OverlayPlacement, perScreenArrangement) {
    const Screen main{Rect{{0, 0}, {1440, 900}}, Rect{{0, 0}, {1440, 875}}};
    const Screen docked{Rect{{0, 0}, {1440, 900}}, Rect{{80, 70}, {1360, 805}}};
    const Screen right{Rect{{1440, 0}, {1920, 1080}}, Rect{{1440, 0}, {1920, 1080}}};
    const Screen below{Rect{{0, -1080}, {1920, 1080}}, Rect{{0, -1080}, {1920, 1050}}};
    const Size panel{560, 120};
    struct Case {
        const char* name;
        std::vector<Screen> screens;
        std::optional<Screen> mainScreen;
        Point mouse;
        std::optional<Point> origin;
    };
    const Case cases[] = {
        {"one screen", {main}, main, {720, 450}, Point{440, 48}},
        {"a dock at the bottom and side raises and centres it", {docked}, docked, {10, 10}, Point{480, 118}},
        {"the pointer on the second screen", {main, right}, main, {1500, 500}, Point{2120, 48}},
        {"the shared edge belongs to the screen to the right", {main, right}, main, {1440, 500}, Point{2120, 48}},
        {"a screen below the primary one", {main, below}, main, {100, -500}, Point{680, -1032}},
        {"a pointer on no screen takes the main screen", {main, right}, right, {-50, -50}, Point{2120, 48}},
        {"no screen under the pointer and no main screen", {main}, std::nullopt, {-50, -50}, std::nullopt},
        {"no screens at all", {}, std::nullopt, {0, 0}, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(overlayOrigin(c.screens, c.mainScreen, c.mouse, panel), c.origin) << c.name;
    }
}

}  // namespace
}  // namespace velorin
