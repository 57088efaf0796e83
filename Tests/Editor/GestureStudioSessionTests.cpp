// The gesture studio's session on the simulated desktop with the real engine:
// listening holds the engine's recording request (no shortcut runs), which
// gestures it takes, saving once into My shortcuts or a pack, the one-shot
// delays in virtual time and tied to the session, and listening that follows
// the settings window's visibility.

#include <gtest/gtest.h>

#include "RecordingFixture.h"
#include "Velorin/Editor/GestureStudioRules.h"
#include "Velorin/Editor/GestureStudioSession.h"

namespace velorin {
namespace {

class GestureStudioSessionTest : public testing::RecordingFixture {
protected:
    GestureStudioSessionTest() {
        AppConfig config = AppConfig::starter();
        config.enabledPacks.clear();
        config.bindings = {testing::binding(Gesture::tap(2, 1), Action::media(MediaKey::mute))};
        pack = Pack::newCustom({"com.c"});
        pack.name = "Gamma";
        config.savePack(pack);
        writeConfig(config);
        makeModel();
        sim.runUntilIdle();
        configToken = model->engine().config().observe([this](const AppConfig&) { ++assignments; });
    }
    ~GestureStudioSessionTest() override {
        session.reset();
        model->engine().config().unobserve(configToken);
    }

    GestureStudioSession& open(std::optional<std::string> packID = std::nullopt) {
        session = std::make_unique<GestureStudioSession>(*model, std::move(packID), [this] { ++closed; });
        session->listen();
        return *session;
    }
    bool muteRan() const { return ran(Action::media(MediaKey::mute)); }

    Pack pack;
    int assignments = 0;
    int closed = 0;
    Observable<AppConfig>::Token configToken = 0;
    std::unique_ptr<GestureStudioSession> session;
};

TEST_F(GestureStudioSessionTest, listening_catchesATwoFingerTap_andRunsNoShortcut) {
    auto& studio = open();
    EXPECT_TRUE(studio.isListening());
    tap(2);
    EXPECT_EQ(studio.gesture(), Gesture::tap(2, 1));
    EXPECT_FALSE(studio.isListening());
    EXPECT_FALSE(muteRan());
    EXPECT_EQ(studio.splashes(), 1);
    ASSERT_EQ(sim.haptics().performed().size(), 1u);
    EXPECT_EQ(sim.haptics().performed()[0].pattern, HapticPattern::alignment);
    EXPECT_EQ(studio.clash(), "One of your shortcuts already uses 2-finger tap everywhere.");

    // Caught: the next tap runs its shortcut again.
    tap(2);
    EXPECT_TRUE(muteRan());
}

TEST_F(GestureStudioSessionTest, oneFingerTapsAreIgnored_aCornerTapIsTaken) {
    auto& studio = open();
    tap(1, 2);  // a one-finger double tap
    EXPECT_FALSE(studio.gesture());
    EXPECT_TRUE(studio.isListening());
    EXPECT_EQ(studio.splashes(), 0);
    EXPECT_TRUE(sim.haptics().performed().empty());

    cornerTap();
    EXPECT_EQ(studio.gesture(), Gesture::cornerTap(Gesture::Corner::topLeft));
}

TEST_F(GestureStudioSessionTest, save_intoMyShortcuts_once_thenClosesAfterItsDelay) {
    auto& studio = open();
    studio.save();  // without a gesture: nothing
    EXPECT_EQ(assignments, 0);
    tap(3);
    studio.save();
    studio.save();  // a second press on the "Saved" card adds nothing
    EXPECT_TRUE(studio.saved());
    EXPECT_EQ(assignments, 1);
    const auto& bindings = model->config().bindings;
    ASSERT_EQ(bindings.size(), 2u);
    EXPECT_EQ(bindings[1].gesture, Gesture::tap(3, 1));
    EXPECT_EQ(bindings[1].action, GestureStudioRules::startingAction());
    EXPECT_TRUE(bindings[1].apps.empty());
    EXPECT_EQ(ConfigStore(configFile()).load().bindings, bindings);

    sim.advance(0.94);
    EXPECT_EQ(closed, 0);
    sim.advance(0.02);
    EXPECT_EQ(closed, 1);
    sim.advance(5);
    EXPECT_EQ(closed, 1);
}

TEST_F(GestureStudioSessionTest, save_intoAPackThatIsOff_isOneAssignment) {
    auto& studio = open(pack.id);
    EXPECT_EQ(studio.targetName(), "Gamma");
    tap(3);
    studio.save();
    EXPECT_EQ(assignments, 1);
    EXPECT_TRUE(model->config().isPackEnabled(pack.id));
    ASSERT_EQ(model->config().shortcuts(pack.id).size(), 1u);
    EXPECT_EQ(model->config().shortcuts(pack.id)[0].apps, (std::vector<std::string>{"com.c"}));
    EXPECT_EQ(model->config().bindings.size(), 1u);
}

TEST_F(GestureStudioSessionTest, incompleteAction_opensTheActionPopoverInsteadOfSaving) {
    auto& studio = open();
    tap(3);
    studio.setAction(Action::openApp(""));
    studio.save();
    EXPECT_TRUE(studio.choosingAction());
    EXPECT_FALSE(studio.saved());
    EXPECT_EQ(assignments, 0);
}

TEST_F(GestureStudioSessionTest, retry_clearsOnlyTheGesture) {
    auto& studio = open(pack.id);
    tap(3);
    studio.setAction(Action::window(WindowCommand::center));
    studio.listen();
    EXPECT_FALSE(studio.gesture());
    EXPECT_TRUE(studio.isListening());
    EXPECT_EQ(studio.action(), Action::window(WindowCommand::center));
    EXPECT_EQ(studio.target(), pack.id);
}

TEST_F(GestureStudioSessionTest, delays_swellAndCloseInVirtualTime) {
    auto& studio = open();
    studio.chooseTarget(pack.id);
    EXPECT_EQ(studio.target(), pack.id);
    EXPECT_TRUE(studio.bump());
    sim.advance(0.21);
    EXPECT_TRUE(studio.bump());
    sim.advance(0.02);
    EXPECT_FALSE(studio.bump());

    studio.setChoosingAction(true);
    studio.actionChosen();
    sim.advance(0.34);
    EXPECT_TRUE(studio.choosingAction());
    sim.advance(0.02);
    EXPECT_FALSE(studio.choosingAction());
    EXPECT_TRUE(studio.bump());
}

TEST_F(GestureStudioSessionTest, aClosedStudiosDelays_neverReachTheNextOne) {
    open();
    tap(3);
    session->save();
    // Closed by its button before its own delay ran; a new studio opens at once.
    session->close();
    const int firstClosed = closed;
    open();
    sim.advance(2);
    EXPECT_EQ(closed, firstClosed) << "the first studio's delay fired after it was gone";
    EXPECT_TRUE(session->isListening());
}

TEST_F(GestureStudioSessionTest, hiddenWindow_stopsListening_andShowingItListensAgainWithoutAGesture) {
    auto& studio = open();
    studio.windowHidden();
    EXPECT_FALSE(studio.isListening());
    tap(2);
    EXPECT_TRUE(muteRan()) << "a hidden studio must not swallow gestures";
    studio.windowShown();
    EXPECT_TRUE(studio.isListening());
    tap(3);
    EXPECT_EQ(studio.gesture(), Gesture::tap(3, 1));

    // With a gesture caught, showing the window again does not throw it away.
    studio.windowHidden();
    studio.windowShown();
    EXPECT_FALSE(studio.isListening());
    EXPECT_EQ(studio.gesture(), Gesture::tap(3, 1));
}

TEST_F(GestureStudioSessionTest, destroyedSession_cancelsItsRequest) {
    open();
    session.reset();
    tap(2);
    EXPECT_TRUE(muteRan());
}

}  // namespace
}  // namespace velorin
