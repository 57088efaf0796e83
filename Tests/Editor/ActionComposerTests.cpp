#include <gtest/gtest.h>

#include "ComposerFixture.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/GlidingFrame.h"
#include "Velorin/Design/Theme.h"

#include <algorithm>
#include <cmath>
#include "Velorin/Editor/KeyListenButton.h"
#include "Velorin/Editor/Keycaps.h"

namespace velorin {
namespace {

TEST_F(ActionComposerTest, choosingEachKind_setsItsDefaultAction_withoutChosen) {
    const std::vector<std::pair<Kind, Action>> cases{
        {Kind::app, Action::openApp("", true)},
        {Kind::keys, Action::keystroke(KeyCombo(49, KeyCombo::Modifiers::command))},
        {Kind::menu, Action::menuItem(MenuCommand())},
        {Kind::window, Action::window(WindowCommand::leftHalf)},
        {Kind::media, Action::media(MediaKey::playPause)},
        {Kind::system, Action::system(SystemCommand::lockScreen)},
        {Kind::open, Action::open("")},
        {Kind::shortcut, Action::shortcut("")},
    };
    for (const auto& [kind, expected] : cases) {
        // Start from an action of another kind, with options of its own.
        open(kind == Kind::window ? Action::media(MediaKey::mute) : Action::window(WindowCommand::center));
        pill(kind)->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(stored, expected) << ComposerRules::texts(kind).pill;
        EXPECT_EQ(composer->kind(), kind);
        EXPECT_EQ(chosen, 0);
        EXPECT_EQ(composer->splashes(), 1);
        EXPECT_EQ(composer->findChild<ThemedText*>("composer.title")->text().toStdString(),
                  ComposerRules::texts(kind).title);
    }
}

TEST_F(ActionComposerTest, choosingTheCurrentKind_changesNothing) {
    open(Action::window(WindowCommand::center));
    const auto before = haptics();
    pill(Kind::window)->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(edits, 0);
    EXPECT_EQ(stored, Action::window(WindowCommand::center));
    EXPECT_EQ(haptics(), before);
    EXPECT_EQ(composer->splashes(), 0);
}

TEST_F(ActionComposerTest, choosingAKindAgain_givesItsDefault_notTheEarlierValue) {
    open(Action::media(MediaKey::mute));
    pill(Kind::window)->click();
    QCoreApplication::processEvents();
    pill(Kind::media)->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(stored, Action::media(MediaKey::playPause));
    EXPECT_EQ(composer->splashes(), 2);
}

TEST_F(ActionComposerTest, tileGrids_showExactlyTheCurrentValueOn_andAPickWritesThenCallsChosen) {
    struct Case {
        Action start;
        std::vector<QString> titles;
        QString on;
        QString tap;
        Action picked;
    };
    const std::vector<Case> cases{
        {Action::window(WindowCommand::center),
         {"Left half", "Right half", "Top half", "Bottom half", "Fill screen", "Center", "Next display"},
         "Center",
         "Next display",
         Action::window(WindowCommand::nextDisplay)},
        {Action::media(MediaKey::mute),
         {"Play / Pause", "Next track", "Previous track", "Volume up", "Volume down", "Mute"},
         "Mute",
         "Volume up",
         Action::media(MediaKey::volumeUp)},
        {Action::system(SystemCommand::darkMode),
         {"Lock screen", "Show desktop", "Mission Control", "App windows", "Space to the left", "Space to the right",
          "Sleep display", "Screen saver", "Light / dark mode", "Brightness up", "Brightness down"},
         "Light / dark mode",
         "Sleep display",
         Action::system(SystemCommand::sleepDisplay)},
    };
    for (const auto& c : cases) {
        open(c.start);
        std::vector<QString> titles;
        for (auto* t : tiles()) titles.push_back(t->title());
        EXPECT_EQ(titles, c.titles);
        EXPECT_EQ(onTiles(), std::vector<QString>{c.on});
        auto* panelBefore = composer->panel();
        const auto hapticsBefore = haptics();
        tile(c.tap)->click();
        QCoreApplication::processEvents();
        EXPECT_EQ(stored, c.picked);
        EXPECT_EQ(chosenAfterWrite, std::vector<Action>{c.picked});
        EXPECT_EQ(haptics(), hapticsBefore + 1);
        EXPECT_EQ(onTiles(), std::vector<QString>{c.tap});
        // Same kind: the panel stays and is updated in place.
        EXPECT_EQ(composer->panel(), panelBefore);
        chosen = 0;
        chosenAfterWrite.clear();
    }
}

TEST_F(ActionComposerTest, pickingTheCurrentTile_stillGivesFeedbackAndChosen) {
    open(Action::window(WindowCommand::leftHalf));
    const auto before = haptics();
    tile("Left half")->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(haptics(), before + 1);
    EXPECT_EQ(stored, Action::window(WindowCommand::leftHalf));
}

TEST_F(ActionComposerTest, aCallersChange_showsAtOnce) {
    open(Action::window(WindowCommand::leftHalf));
    auto* panelBefore = composer->panel();
    composer->setAction(Action::window(WindowCommand::maximize));
    EXPECT_EQ(onTiles(), std::vector<QString>{"Fill screen"});
    EXPECT_EQ(composer->panel(), panelBefore);
    composer->setAction(Action::media(MediaKey::next));
    EXPECT_EQ(composer->kind(), Kind::media);
    EXPECT_NE(composer->panel(), panelBefore);
    EXPECT_EQ(onTiles(), std::vector<QString>{"Next track"});
    EXPECT_EQ(pill(Kind::media)->property("on").toBool(), true);
    EXPECT_EQ(pill(Kind::window)->property("on").toBool(), false);
    EXPECT_EQ(edits, 0);
}

// Motion on a clock the test turns by hand; the fixture's instant motion is
// off while it lives.
class ComposerMotionTest : public ActionComposerTest {
protected:
    ComposerMotionTest() {
        FrameClock::install(&clock);
        Motion::setInstant(false);
    }
    ~ComposerMotionTest() override {
        window.reset();
        FrameClock::install(nullptr);
    }
    Keycaps* caps() const { return composer->panel()->findChild<Keycaps*>("composer.keycaps"); }
    composer::OptionTile* firstOff() const {
        for (auto* t : tiles()) {
            if (!t->isOn()) return t;
        }
        return nullptr;
    }

    ManualFrameClock clock{5};
};

TEST_F(ComposerMotionTest, aNewKind_crossFadesTheCards_andGlidesTheCardsHeight_onTheKindSpring) {
    const Spring kindSpring{0.45, 0.8, 0};
    open(Action::media(MediaKey::playPause));
    EXPECT_EQ(composer->cardOpacity(), 1);
    EXPECT_EQ(composer->cardOffset(), 0);
    EXPECT_EQ(composer->leavingCardOpacity(), 0);
    const double mediaHeight = composer->cardHeight();
    choose(Kind::system);
    EXPECT_NEAR(composer->cardOpacity(), 0, 1e-9);
    EXPECT_NEAR(composer->cardOffset(), 14, 1e-9);
    EXPECT_NEAR(composer->leavingCardOpacity(), 1, 1e-9) << "the old card stands where it was";
    EXPECT_NEAR(composer->cardHeight(), mediaHeight, 1e-9) << "the height sets off from the old card's";

    // Where the eleven Mac commands bring the card to rest.
    auto* frame = composer->findChild<GlidingFrame*>("composer.frame");
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->isGliding());
    const double target = frame->contentHeight();
    EXPECT_GT(target, mediaHeight + 40) << "eleven tiles take more rows than six";

    double elapsed = 0;
    for (double t : {0.05, 0.12, 0.3}) {
        clock.advance(t - elapsed);
        elapsed = t;
        const double p = evaluateSpring(kindSpring, 0, 1, 0, t).value;
        EXPECT_NEAR(composer->cardOpacity(), std::clamp(p, 0.0, 1.0), 1e-9) << t;
        EXPECT_NEAR(composer->cardOffset(), 14 * (1 - p), 1e-9) << t;
        EXPECT_NEAR(composer->leavingCardOpacity(), std::clamp(1 - p, 0.0, 1.0), 1e-9) << t;
        EXPECT_NEAR(composer->cardHeight(), mediaHeight + (target - mediaHeight) * p, 1e-6) << t;
    }
    clock.advance(3);
    EXPECT_EQ(composer->cardOpacity(), 1);
    EXPECT_EQ(composer->cardOffset(), 0);
    EXPECT_EQ(composer->leavingCardOpacity(), 0) << "the old card is gone once the new one rests";
    EXPECT_NEAR(composer->cardHeight(), target, 1e-9);

    // A pick within the kind keeps the card where it is.
    firstOff()->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(composer->cardOffset(), 0);
    EXPECT_EQ(composer->leavingCardOpacity(), 0);
}

TEST_F(ComposerMotionTest, optionSymbolsBounceOnEveryChangeOfOn_diagramsAndFirstShowingDoNot) {
    open(Action::media(MediaKey::playPause));
    for (auto* t : tiles()) EXPECT_EQ(t->iconScale(), 1) << t->title().toStdString();
    auto* wasOn = tile(onTiles().at(0));
    auto* next = firstOff();
    next->click();
    QCoreApplication::processEvents();
    EXPECT_LT(next->iconScale(), 1);
    EXPECT_LT(wasOn->iconScale(), 1);
    clock.advance(3);
    EXPECT_EQ(next->iconScale(), 1);
    EXPECT_EQ(wasOn->iconScale(), 1);

    choose(Kind::window);
    clock.advance(3);
    auto* diagram = firstOff();
    diagram->click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(diagram->isOn());
    EXPECT_EQ(diagram->iconScale(), 1);
}

TEST(CapsSwap, oldCapsShrinkAndFadeAsNewOnesGrowIn_andTheRoomHoldsBoth) {
    struct Case {
        double progress;
        CapsSwap::Look entering;
        CapsSwap::Look leaving;
    };
    for (const Case& c : std::vector<Case>{
             {0, {0.85, 0}, {1, 1}},
             {0.5, {0.925, 0.5}, {0.925, 0.5}},
             {1, {1, 1}, {0.85, 0}},
             {1.1, {1.015, 1}, {0.835, 0}},  // a swing past rest: the new caps grow past full size
             {-0.05, {0.8425, 0}, {1.0075, 1}},
         }) {
        const auto in = CapsSwap::entering(c.progress);
        const auto out = CapsSwap::leaving(c.progress);
        EXPECT_NEAR(in.scale, c.entering.scale, 1e-12) << c.progress;
        EXPECT_NEAR(in.opacity, c.entering.opacity, 1e-12) << c.progress;
        EXPECT_NEAR(out.scale, c.leaving.scale, 1e-12) << c.progress;
        EXPECT_NEAR(out.opacity, c.leaving.opacity, 1e-12) << c.progress;
    }
    struct Room {
        double progress, oldWidth, newWidth, width;
    };
    for (const Room& r : std::vector<Room>{
             {0, 100, 200, 185},      // the new caps at 0.85 about their middle reach 185
             {0.5, 100, 200, 192.5},  // ... at 0.925, 192.5, more than the midway 150
             {0.95, 100, 200, 199.25},  // still the new caps, now nearly whole
             {0, 200, 100, 200},      // the old caps, still whole
             {0.5, 200, 100, 192.5},  // the old caps at 0.925
             {1, 200, 100, 100},      // the old caps gone: the new width
             {1.2, 200, 100, 101.5},  // past rest: the grown new caps, beyond the springing room
             {0.5, 100, 100.5, 100.25},  // caps of nearly one width: the springing room
             {1, 120, 120, 120},
         }) {
        EXPECT_NEAR(CapsSwap::width(r.progress, r.oldWidth, r.newWidth), r.width, 1e-9)
            << r.progress << " " << r.oldWidth << " to " << r.newWidth;
    }
}

// Combinations that change again mid-swap: the caps already leaving carry on
// along their own spring and are gone only once they have faded out.
TEST(CapsSwaps, aChangeMidSwap_letsTheLeavingCapsFinishLeaving) {
    const Spring spring{0.4, 0.65, 0};
    ManualFrameClock clock{5};
    FrameClock::install(&clock);
    const bool wasInstant = Motion::instant();
    Motion::setInstant(false);
    const KeyCombo a = KeyCombo::spotlight, b = KeyCombo::screenshot, c = KeyCombo::missionControl;
    auto presence = [&](double from, double to, double t) { return evaluateSpring(spring, from, to, 0, t).value; };
    {
        CapsSwaps swaps(a);
        swaps.show(b, spring);
        clock.advance(0.05);
        ASSERT_GT(swaps.entrance(), 0);
        ASSERT_LT(swaps.entrance(), 1);
        swaps.show(c, spring);
        EXPECT_NEAR(swaps.leaving().at(1).presence, presence(0, 1, 0.05), 1e-9) << "b leaves from where it stood";
        double elapsed = 0.05;  // since the first change
        for (double t : {0.05, 0.1, 0.2}) {
            clock.advance(t - elapsed);
            elapsed = t;
            const auto leaving = swaps.leaving();
            ASSERT_EQ(leaving.size(), 2u) << t;
            EXPECT_EQ(leaving[0].combo, a) << t;
            EXPECT_NEAR(leaving[0].presence, presence(1, 0, t), 1e-9) << t << ": the first caps go on leaving";
            EXPECT_NEAR(leaving[0].look.opacity, std::clamp(presence(1, 0, t), 0.0, 1.0), 1e-9) << t;
            EXPECT_EQ(leaving[1].combo, b) << t;
            EXPECT_EQ(swaps.current(), c);
            EXPECT_NEAR(swaps.entrance(), presence(0, 1, t - 0.05), 1e-9) << t;
        }
        clock.advance(3);
        EXPECT_TRUE(swaps.leaving().empty()) << "gone once they rest";
        EXPECT_FALSE(swaps.isSwapping());
        EXPECT_EQ(swaps.entrance(), 1);
    }
    {
        // A combination that comes back while it leaves turns round where it stands.
        CapsSwaps swaps(a);
        swaps.show(b, spring);
        clock.advance(0.08);
        const double aStands = swaps.leaving().at(0).presence;
        swaps.show(a, spring);
        EXPECT_EQ(swaps.current(), a);
        EXPECT_NEAR(swaps.entrance(), aStands, 1e-9);
        ASSERT_EQ(swaps.leaving().size(), 1u);
        EXPECT_EQ(swaps.leaving()[0].combo, b);
        // Without motion every set on its way out goes at once.
        swaps.show(c, std::nullopt);
        EXPECT_TRUE(swaps.leaving().empty());
        EXPECT_EQ(swaps.entrance(), 1);
        EXPECT_EQ(swaps.current(), c);
    }
    Motion::setInstant(wasInstant);
    FrameClock::install(nullptr);
}

TEST_F(ComposerMotionTest, aNewCombination_swapsTheCaps_andTheirRoomSprings_onTheKeysSpring) {
    const Spring keysSpring{0.4, 0.65, 0};
    open(Action::keystroke(KeyCombo::spotlight));
    ASSERT_NE(caps(), nullptr);
    EXPECT_EQ(caps()->capsScale(), 1);
    EXPECT_FALSE(caps()->leavingCombo().has_value());
    const int spotlightWidth = caps()->width();
    // Screenshot: three caps replace two.
    tile("Screenshot")->click();
    QCoreApplication::processEvents();
    ASSERT_EQ(caps()->leavingCombo(), KeyCombo::spotlight);
    EXPECT_NEAR(caps()->capsScale(), 0.85, 1e-9);
    EXPECT_NEAR(caps()->capsOpacity(), 0, 1e-9);
    EXPECT_NEAR(caps()->leavingLook().opacity, 1, 1e-9);
    double elapsed = 0;
    for (double t : {0.04, 0.1, 0.2}) {
        clock.advance(t - elapsed);
        elapsed = t;
        QCoreApplication::processEvents();
        const double p = evaluateSpring(keysSpring, 0, 1, 0, t).value;
        EXPECT_NEAR(caps()->capsScale(), 0.85 + 0.15 * p, 1e-9) << t;
        EXPECT_NEAR(caps()->leavingLook().scale, 1 - 0.15 * p, 1e-9) << t;
        EXPECT_NEAR(caps()->leavingLook().opacity, std::clamp(1 - p, 0.0, 1.0), 1e-9) << t;
        // The row gives the caps the room they need as they go.
        const double newWidth = caps()->capRects().back().right();
        EXPECT_EQ(caps()->width(), int(std::ceil(CapsSwap::width(p, spotlightWidth, newWidth)))) << t;
    }
    clock.advance(3);
    QCoreApplication::processEvents();
    EXPECT_EQ(caps()->capsScale(), 1);
    EXPECT_EQ(caps()->capsOpacity(), 1);
    EXPECT_FALSE(caps()->leavingCombo().has_value()) << "the old caps are gone at rest";
    EXPECT_EQ(caps()->width(), int(std::ceil(caps()->capRects().back().right())));
    EXPECT_GT(caps()->width(), spotlightWidth);
}

// The record button's width follows its text on the caps' spring, both when
// recording starts and when it ends; under Reduce Motion it is there at once.
TEST_F(ComposerMotionTest, theRecordButtonsWidthFollowsItsText_unlessMotionIsReduced) {
    const Spring keysSpring{0.4, 0.65, 0};
    for (bool reduced : {false, true}) {
        sim.displaySettings().setReduceMotion(reduced);
        open(Action::keystroke(KeyCombo::spotlight));
        auto* button = composer->panel()->findChild<KeyListenButton*>("composer.recordKeys");
        ASSERT_NE(button, nullptr);
        const double idle = button->sizeHint().width();
        button->start();
        clock.advance(3);
        const double listening = button->sizeHint().width();
        ASSERT_GT(listening, idle + 40) << "the listening text is the longer";
        button->stop();  // as a recorded key or a second press ends it
        for (const auto& [from, to] : {std::pair{listening, idle}, std::pair{idle, listening}}) {
            double elapsed = 0;
            for (double t : {0.0, 0.05, 0.12}) {
                clock.advance(t - elapsed);
                elapsed = t;
                const double p = reduced ? 1 : evaluateSpring(keysSpring, 0, 1, 0, t).value;
                EXPECT_NEAR(button->sizeHint().width(), from + (to - from) * p, 1.0)
                    << (reduced ? "reduced" : "moving") << " from " << from << " at " << t;
            }
            clock.advance(3);
            EXPECT_EQ(button->sizeHint().width(), to);
            EXPECT_FALSE(button->isGlidingWidth());
            if (to == idle) button->start();
        }
        button->stop();
        window.reset();
    }
}

TEST_F(ComposerMotionTest, reduceMotion_showsEveryChangeInPlaceAtOnce) {
    sim.displaySettings().setReduceMotion(true);
    open(Action::keystroke(KeyCombo()));
    auto* preset = firstOff();
    preset->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(caps()->capsScale(), 1);
    EXPECT_EQ(caps()->capsOpacity(), 1);
    EXPECT_FALSE(caps()->leavingCombo().has_value());
    EXPECT_EQ(preset->iconScale(), 1);
    auto* frame = composer->findChild<GlidingFrame*>("composer.frame");
    choose(Kind::system);
    EXPECT_EQ(composer->cardOpacity(), 1);
    EXPECT_EQ(composer->cardOffset(), 0);
    EXPECT_EQ(composer->leavingCardOpacity(), 0) << "no old card lingers";
    EXPECT_FALSE(frame->isGliding());
    EXPECT_EQ(composer->cardHeight(), frame->contentHeight()) << "the height is the new card's at once";
}

}  // namespace
}  // namespace velorin
