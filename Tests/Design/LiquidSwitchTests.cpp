#include "ControlFixture.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/LiquidToggle.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Design/WaveFill.h"

#include <QAccessible>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

namespace velorin {
namespace {

using test::ControlTest;

class LiquidSwitchTest : public ControlTest {
protected:
    LiquidSwitch* make(bool on, std::optional<ShapeFill> fill = std::nullopt) {
        auto* s = new LiquidSwitch(on, std::move(fill), &window);
        s->resize(s->sizeHint());
        return s;
    }
    QPoint centre(QWidget* w) { return w->rect().center(); }
};

TEST_F(LiquidSwitchTest, isFortySixByTwentySixAndOffInTheRainbowLookByDefault) {
    LiquidSwitch s;
    EXPECT_EQ(s.sizeHint(), QSize(46, 26));
    EXPECT_FALSE(s.isOn());
    EXPECT_TRUE(s.isRainbow());
    EXPECT_FALSE(s.fill().has_value());
}

TEST_F(LiquidSwitchTest, aClickTogglesOnceWithOneHapticAndTheLiquidRunsIn) {
    LiquidSwitch* s = make(false);
    QSignalSpy clicked(s, &QAbstractButton::clicked);
    QTest::mouseClick(s, Qt::LeftButton, {}, centre(s));
    EXPECT_TRUE(s->isOn());
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
    EXPECT_EQ(haptics().size(), 1u);
    // The value is exact at once; the liquid and the slosh follow their springs.
    EXPECT_LT(s->level(), 0.5);
    EXPECT_DOUBLE_EQ(s->slosh(), 1);
    settle();
    EXPECT_DOUBLE_EQ(s->level(), 1);
    EXPECT_DOUBLE_EQ(s->slosh(), 0);
    EXPECT_EQ(s->currentKnobSize(), LiquidSwitch::knobSize);
}

TEST_F(LiquidSwitchTest, theKnobStretchesWhilePressedAndAReleaseOffTheSwitchStillToggles) {
    LiquidSwitch* s = make(true);
    window.resize(300, 100);
    QTest::mousePress(s, Qt::LeftButton, {}, centre(s));
    settle();
    EXPECT_EQ(s->currentKnobSize(), LiquidSwitch::pressedKnobSize);
    EXPECT_TRUE(s->isOn());
    EXPECT_EQ(haptics().size(), 0u);  // pressing plays nothing
    QTest::mouseMove(s, QPoint(200, 80));
    QTest::mouseRelease(s, Qt::LeftButton, {}, QPoint(200, 80));
    EXPECT_FALSE(s->isOn());
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
    settle();
    EXPECT_EQ(s->currentKnobSize(), LiquidSwitch::knobSize);
}

TEST_F(LiquidSwitchTest, spaceTogglesFromTheKeyboard) {
    LiquidSwitch* s = make(false);
    QTest::keyClick(s, Qt::Key_Space);
    EXPECT_TRUE(s->isOn());
    QTest::keyClick(s, Qt::Key_Space);
    EXPECT_FALSE(s->isOn());
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 2);
    EXPECT_EQ(s->focusPolicy(), Qt::TabFocus);
}

TEST_F(LiquidSwitchTest, aValueSetFromOutsideMovesTheLiquidWithoutHapticOrSplash) {
    LiquidSwitch* s = make(false);
    QSignalSpy toggled(s, &QAbstractButton::toggled);
    s->setOn(true);
    s->setOn(true);
    EXPECT_EQ(toggled.count(), 1);
    EXPECT_TRUE(haptics().empty());
    EXPECT_EQ(s->splashes(), 0);
    settle();
    EXPECT_DOUBLE_EQ(s->level(), 1);
}

TEST_F(LiquidSwitchTest, theRainbowLookSplashesDrainingWhenItTurnsOffAndAFillNeverSplashes) {
    LiquidSwitch* rainbow = make(false);
    QTest::mouseClick(rainbow, Qt::LeftButton, {}, centre(rainbow));
    EXPECT_EQ(rainbow->splashes(), 1);
    ASSERT_EQ(rainbow->splash().burst().seeds().size(), std::size_t(PixelBurst::splashCount));
    QTest::mouseClick(rainbow, Qt::LeftButton, {}, centre(rainbow));
    EXPECT_EQ(rainbow->splashes(), 2);
    EXPECT_EQ(rainbow->splash().burst().seeds().size(), std::size_t(PixelBurst::drainCount));

    LiquidSwitch* filled = make(false, ThemeColor::plain(0xFF0000));
    QTest::mouseClick(filled, Qt::LeftButton, {}, centre(filled));
    EXPECT_TRUE(filled->isOn());
    EXPECT_EQ(filled->splashes(), 0);
    EXPECT_FALSE(filled->splash().burst().start().has_value());
}

TEST_F(LiquidSwitchTest, underReduceMotionTheEdgeStaysStraightWhileTheLevelStillMoves) {
    sim.displaySettings().setReduceMotion(true);
    LiquidSwitch* s = make(false);
    QTest::mouseClick(s, Qt::LeftButton, {}, centre(s));
    clock.advance(0.05);
    EXPECT_GT(s->slosh(), 0);
    EXPECT_DOUBLE_EQ(s->wave().amplitude, 0);
    EXPECT_GT(s->level(), 0);
    EXPECT_LT(s->level(), 1);
    sim.displaySettings().setReduceMotion(false);
    EXPECT_GT(s->wave().amplitude, 0);
}

TEST(WaveFillTest, theEdgeIsStraightWithoutAmplitudeAndBulgesByItOtherwise) {
    const QRectF rect(0, 0, 46, 26);
    const QPainterPath flat = WaveFill{0.5, 0, 0}.path(rect);
    EXPECT_EQ(flat.boundingRect(), QRectF(0, 0, 23, 26));
    EXPECT_TRUE(flat.contains(QPointF(22.5, 13)));
    EXPECT_FALSE(flat.contains(QPointF(23.5, 13)));

    // Full and sloshing: one sine period top to bottom, up to 3 points past the right edge.
    const QPainterPath full = WaveFill{1, 3, 0}.path(rect);
    EXPECT_NEAR(full.boundingRect().right(), 49, 1e-9);
    EXPECT_TRUE(full.contains(QPointF(48, 26.0 / 4)));       // the crest a quarter down
    EXPECT_FALSE(full.contains(QPointF(44, 26.0 * 3 / 4)));  // the trough three quarters down
    EXPECT_TRUE(full.contains(QPointF(42, 26.0 * 3 / 4)));

    // Empty: only the bulge of the wave is left.
    const QPainterPath empty = WaveFill{0, 3, 0}.path(rect);
    EXPECT_NEAR(empty.boundingRect().right(), 3, 1e-9);
    EXPECT_FALSE(empty.contains(QPointF(1, 26.0 * 3 / 4)));
}

// A nil fill draws the rainbow bands (green at the top, blue at the bottom); a fill draws itself.
TEST_F(LiquidSwitchTest, aNilFillDrawsTheRainbowAndAFillDrawsItsColour) {
    Motion::setInstant(true);
    LiquidSwitch* rainbow = make(true);
    LiquidSwitch* red = make(true, ThemeColor::plain(0xFF0000));
    const QImage r = paint(*rainbow);
    const QImage f = paint(*red);
    // Left of the knob, near the top and near the bottom of the capsule.
    const QColor top = r.pixelColor(13, 2);
    const QColor bottom = r.pixelColor(13, 23);
    EXPECT_GT(top.green(), top.red() + 40) << "the top band is green";
    EXPECT_GT(bottom.blue(), bottom.red() + 40) << "the bottom band is blue";
    EXPECT_GT(test::distance(top, bottom), 60);
    const QColor fillTop = f.pixelColor(13, 4);
    const QColor fillBottom = f.pixelColor(13, 22);
    EXPECT_GT(fillTop.red(), 200);
    EXPECT_LT(fillTop.green(), 60);
    EXPECT_LT(test::distance(fillTop, fillBottom), 10);
}

TEST_F(LiquidSwitchTest, aDisabledSwitchIsFaded) {
    Motion::setInstant(true);
    LiquidSwitch* enabled = make(true, ThemeColor::plain(0x000000));
    LiquidSwitch* disabled = make(true, ThemeColor::plain(0x000000));
    disabled->setEnabled(false);
    const QColor on = paint(*enabled).pixelColor(12, 13);
    const QColor off = paint(*disabled).pixelColor(12, 13);
    EXPECT_LT(on.red(), 30);
    EXPECT_GT(off.red(), 100) << "faded toward the white behind it";
    QTest::mouseClick(disabled, Qt::LeftButton, {}, centre(disabled));
    EXPECT_TRUE(disabled->isOn());
    EXPECT_TRUE(haptics().empty());
}

TEST_F(LiquidSwitchTest, isOfferedAsAToggleToAssistiveTechnology) {
    LiquidSwitch* s = make(true);
    s->setAccessibleName(QStringLiteral("Everyday"));
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(s);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::CheckBox);
    EXPECT_TRUE(a->state().checkable);
    EXPECT_TRUE(a->state().checked);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Everyday"));
    ASSERT_NE(a->actionInterface(), nullptr);
    a->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_FALSE(s->isOn());
}

TEST_F(LiquidSwitchTest, theToggleShowsItsLabelThenARainbowSwitch) {
    LiquidToggle toggle(QStringLiteral("Launch at login"), true);
    QSignalSpy toggled(&toggle, &LiquidToggle::toggled);
    QSignalSpy clicked(&toggle, &LiquidToggle::clicked);
    EXPECT_EQ(toggle.label()->text(), QStringLiteral("Launch at login"));
    EXPECT_TRUE(toggle.liquidSwitch()->isRainbow());
    EXPECT_TRUE(toggle.isOn());
    EXPECT_EQ(toggle.liquidSwitch()->accessibleName(), QStringLiteral("Launch at login"));
    toggle.resize(300, 40);
    toggle.show();
    EXPECT_LT(toggle.label()->geometry().right(), toggle.liquidSwitch()->geometry().left());
    QTest::mouseClick(toggle.liquidSwitch(), Qt::LeftButton);
    EXPECT_FALSE(toggle.isOn());
    EXPECT_EQ(toggled.count(), 1);
    EXPECT_EQ(clicked.count(), 1);
    toggle.setOn(true);
    EXPECT_EQ(toggled.count(), 2);
    EXPECT_EQ(clicked.count(), 1);
    // Only the switch toggles.
    QTest::mouseClick(toggle.label(), Qt::LeftButton);
    EXPECT_TRUE(toggle.isOn());
}

}  // namespace
}  // namespace velorin
