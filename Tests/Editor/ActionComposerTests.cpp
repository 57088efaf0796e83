#include <gtest/gtest.h>

#include "ComposerFixture.h"
#include "Velorin/Design/FrameClock.h"
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

TEST_F(ComposerMotionTest, aNewKind_bringsTheCardInRisingAndFading_thenItRestsInPlace) {
    open(Action::media(MediaKey::playPause));
    EXPECT_EQ(composer->cardOpacity(), 1);
    EXPECT_EQ(composer->cardOffset(), 0);
    choose(Kind::system);
    EXPECT_NEAR(composer->cardOpacity(), 0, 1e-9);
    EXPECT_NEAR(composer->cardOffset(), 14, 1e-9);
    clock.advance(0.1);
    EXPECT_GT(composer->cardOpacity(), 0.05);
    EXPECT_LT(composer->cardOffset(), 14);
    EXPECT_GT(composer->cardOffset(), 0);
    clock.advance(3);
    EXPECT_EQ(composer->cardOpacity(), 1);
    EXPECT_EQ(composer->cardOffset(), 0);

    // A pick within the kind keeps the card where it is.
    firstOff()->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(composer->cardOffset(), 0);
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

TEST_F(ComposerMotionTest, aNewCombination_scalesItsCapsInFrom085AndFadesThem) {
    open(Action::keystroke(KeyCombo()));
    ASSERT_NE(caps(), nullptr);
    EXPECT_EQ(caps()->capsScale(), 1);
    firstOff()->click();
    QCoreApplication::processEvents();
    EXPECT_NEAR(caps()->capsScale(), 0.85, 1e-9);
    EXPECT_NEAR(caps()->capsOpacity(), 0, 1e-9);
    clock.advance(0.08);
    EXPECT_GT(caps()->capsScale(), 0.85);
    EXPECT_GT(caps()->capsOpacity(), 0);
    clock.advance(3);
    EXPECT_EQ(caps()->capsScale(), 1);
    EXPECT_EQ(caps()->capsOpacity(), 1);
}

TEST_F(ComposerMotionTest, reduceMotion_showsEveryChangeInPlaceAtOnce) {
    sim.displaySettings().setReduceMotion(true);
    open(Action::keystroke(KeyCombo()));
    auto* preset = firstOff();
    preset->click();
    QCoreApplication::processEvents();
    EXPECT_EQ(caps()->capsScale(), 1);
    EXPECT_EQ(caps()->capsOpacity(), 1);
    EXPECT_EQ(preset->iconScale(), 1);
    choose(Kind::media);
    EXPECT_EQ(composer->cardOpacity(), 1);
    EXPECT_EQ(composer->cardOffset(), 0);
}

}  // namespace
}  // namespace velorin
