#include "ControlFixture.h"
#include "Velorin/Design/LiquidSlider.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace velorin {
namespace {

using test::ControlTest;
using Rules = LiquidSliderRules;

TEST(LiquidSliderRulesTest, fractionAndValueStayInTheRangeAndAZeroWidthRangeNeverDivides) {
    EXPECT_DOUBLE_EQ(Rules::fraction(0.25, 0, 1), 0.25);
    EXPECT_DOUBLE_EQ(Rules::fraction(-3, 0, 1), 0);
    EXPECT_DOUBLE_EQ(Rules::fraction(9, 0, 1), 1);
    EXPECT_DOUBLE_EQ(Rules::fraction(2, 2, 2), 0);
    EXPECT_DOUBLE_EQ(Rules::valueAt(50, 200, 10, 20), 12.5);
    EXPECT_DOUBLE_EQ(Rules::valueAt(-5, 200, 10, 20), 10);
    EXPECT_DOUBLE_EQ(Rules::valueAt(0, 200, 10, 20), 10);
    EXPECT_DOUBLE_EQ(Rules::valueAt(250, 200, 10, 20), 20);
    EXPECT_DOUBLE_EQ(Rules::valueAt(30, 0, 10, 20), 10);
    EXPECT_DOUBLE_EQ(Rules::valueAt(30, 200, 5, 5), 5);
    EXPECT_DOUBLE_EQ(Rules::nudged(0.5, 42, 0, 1), 0.6);
    EXPECT_DOUBLE_EQ(Rules::nudged(0.5, 420, 0, 1), 1);
    EXPECT_DOUBLE_EQ(Rules::nudged(0.5, -420, 0, 1), 0);
    EXPECT_DOUBLE_EQ(Rules::nudged(5, 100, 5, 5), 5);
}

struct ScrollCase {
    const char* name;
    double dx, dy;
    bool precise, inverted;
    std::optional<double> delta;
};

TEST(LiquidSliderRulesTest, onlyMostlyHorizontalScrollsCountAndTheSignUndoesNaturalScrolling) {
    const ScrollCase cases[] = {
        {"precise, natural", 12, 3, true, true, 12},
        {"precise, classic", 12, 3, true, false, -12},
        {"a wheel line counts 8 points", -1, 0, false, false, 8},
        {"a wheel line, natural", -1, 0, false, true, -8},
        {"no horizontal part", 0, 0, true, true, std::nullopt},
        {"vertical as large as horizontal", 5, -5, true, true, std::nullopt},
        {"mostly vertical", 2, 9, true, true, std::nullopt},
    };
    for (const ScrollCase& c : cases) EXPECT_EQ(Rules::scrollDelta(c.dx, c.dy, c.precise, c.inverted), c.delta) << c.name;
}

TEST(LiquidSliderRulesTest, theBubbleStaysOverTheTrackAndTheWobbleSaturates) {
    EXPECT_DOUBLE_EQ(Rules::bubbleOffset(0, 200), 0);
    EXPECT_DOUBLE_EQ(Rules::bubbleOffset(0.1, 200), 0);
    EXPECT_DOUBLE_EQ(Rules::bubbleOffset(0.5, 200), 76);
    EXPECT_DOUBLE_EQ(Rules::bubbleOffset(1, 200), 152);  // 48 points before the end
    EXPECT_DOUBLE_EQ(Rules::wobble(0), 0);
    EXPECT_DOUBLE_EQ(Rules::wobble(-75), 0.5);
    EXPECT_DOUBLE_EQ(Rules::wobble(1000), 1);
    EXPECT_TRUE(Rules::arrivesAtEnd(0.9, 1, 0, 1));
    EXPECT_FALSE(Rules::arrivesAtEnd(1, 1, 0, 1));
    EXPECT_FALSE(Rules::arrivesAtEnd(0.2, 0.5, 0, 1));
}

class LiquidSliderTest : public ControlTest {
protected:
    LiquidSliderTest() {
        slider = new LiquidSlider(0.5, 0, 1, [](double v) { return QString::number(v, 'f', 1); }, &window);
        slider->setGeometry(0, 50, 222, 28);  // a track of 200 points from x = 11
        window.resize(300, 120);
    }
    QPoint at(double fraction) const { return QPoint(int(std::lround(11 + 200 * fraction)), 14); }
    void wheel(QPoint pixels, QPoint angle, bool inverted = false) {
        QWheelEvent e(QPointF(100, 14), slider->mapToGlobal(QPointF(100, 14)), pixels, angle, Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, inverted);
        QApplication::sendEvent(slider, &e);
        lastWheelAccepted = e.isAccepted();
    }
    LiquidSlider* slider = nullptr;
    bool lastWheelAccepted = false;
};

TEST_F(LiquidSliderTest, isTwentyEightPointsHighAndTakesTheWidthOffered) {
    EXPECT_EQ(slider->sizeHint().height(), 28);
    EXPECT_EQ(slider->sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(slider->trackRect(), QRectF(11, 9, 200, 10));
    EXPECT_EQ(slider->knobRect().center(), QPointF(111, 14));
}

TEST_F(LiquidSliderTest, aClickWithoutMovementJumpsToTheClickAndShowsTheBubbleWhileDown) {
    QSignalSpy changed(slider, &LiquidSlider::valueChanged);
    QTest::mousePress(slider, Qt::LeftButton, {}, at(0.25));
    EXPECT_DOUBLE_EQ(slider->value(), 0.25);
    EXPECT_TRUE(slider->isDragging());
    settle(1);
    EXPECT_DOUBLE_EQ(slider->bubblePresence(), 1);
    EXPECT_EQ(slider->valueText(), QStringLiteral("0.3"));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, at(0.25));
    EXPECT_FALSE(slider->isDragging());
    settle();
    EXPECT_DOUBLE_EQ(slider->bubblePresence(), 0);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(haptics().empty());
}

TEST_F(LiquidSliderTest, draggingPastAnEndPinsTheValueWithOneHapticOnArrival) {
    QTest::mousePress(slider, Qt::LeftButton, {}, at(0.9));
    QTest::mouseMove(slider, at(1.2));
    EXPECT_DOUBLE_EQ(slider->value(), 1);
    QTest::mouseMove(slider, at(1.5));
    QTest::mouseMove(slider, at(1.1));
    EXPECT_DOUBLE_EQ(slider->value(), 1);
    EXPECT_EQ(hapticCount(HapticPattern::levelChange), 1);
    QTest::mouseMove(slider, at(-0.3));
    EXPECT_DOUBLE_EQ(slider->value(), 0);
    EXPECT_EQ(hapticCount(HapticPattern::levelChange), 2);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, at(-0.3));
    EXPECT_EQ(haptics().size(), 2u);
}

TEST_F(LiquidSliderTest, aFastDragWobblesTheEdgeWhichRingsDownAfterwards) {
    QTest::mousePress(slider, Qt::LeftButton, {}, at(0.2));
    QTest::mouseMove(slider, at(0.3), 10);
    QTest::mouseMove(slider, at(0.6), 10);
    EXPECT_GT(slider->wobble(), 0.5);
    EXPECT_GT(slider->wave().amplitude, 1);
    QTest::mouseRelease(slider, Qt::LeftButton, {}, at(0.6));
    settle();
    EXPECT_DOUBLE_EQ(slider->wobble(), 0);
    EXPECT_DOUBLE_EQ(slider->wave().amplitude, 0);
}

TEST_F(LiquidSliderTest, underReduceMotionTheEdgeStaysStraightButTheBubbleAndHapticsRemain) {
    sim.displaySettings().setReduceMotion(true);
    QTest::mousePress(slider, Qt::LeftButton, {}, at(0.2));
    QTest::mouseMove(slider, at(0.3), 10);
    QTest::mouseMove(slider, at(1.0), 10);
    EXPECT_GT(slider->wobble(), 0);
    EXPECT_DOUBLE_EQ(slider->wave().amplitude, 0);
    settle(1);
    EXPECT_DOUBLE_EQ(slider->bubblePresence(), 1);
    EXPECT_EQ(hapticCount(HapticPattern::levelChange), 1);
}

TEST_F(LiquidSliderTest, horizontalScrollsNudgeTheValueAndVerticalOnesPassOn) {
    slider->setValue(0);
    wheel(QPoint(420, 0), QPoint(), true);
    EXPECT_TRUE(lastWheelAccepted);
    EXPECT_DOUBLE_EQ(slider->value(), 1);
    EXPECT_EQ(hapticCount(HapticPattern::levelChange), 1);
    wheel(QPoint(50, 0), QPoint(), true);  // already at the end: nothing, no tick
    EXPECT_EQ(hapticCount(HapticPattern::levelChange), 1);

    slider->setValue(0.5);
    wheel(QPoint(), QPoint(-120, 0));  // one wheel line
    EXPECT_NEAR(slider->value(), 0.5 + 8.0 / 420, 1e-12);
    wheel(QPoint(3, -10), QPoint(), true);
    EXPECT_FALSE(lastWheelAccepted);
    EXPECT_NEAR(slider->value(), 0.5 + 8.0 / 420, 1e-12);
}

TEST_F(LiquidSliderTest, theKeysMoveTheValueAndTickAtTheEnds) {
    slider->setValue(0.5);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_NEAR(slider->value(), 0.5 + 8.0 / 420, 1e-12);
    QTest::keyClick(slider, Qt::Key_Left);
    QTest::keyClick(slider, Qt::Key_Left);
    EXPECT_NEAR(slider->value(), 0.5 - 8.0 / 420, 1e-12);
    QTest::keyClick(slider, Qt::Key_PageUp);
    EXPECT_NEAR(slider->value(), 0.6 - 8.0 / 420, 1e-12);
    QTest::keyClick(slider, Qt::Key_End);
    EXPECT_DOUBLE_EQ(slider->value(), 1);
    QTest::keyClick(slider, Qt::Key_End);
    QTest::keyClick(slider, Qt::Key_Home);
    EXPECT_DOUBLE_EQ(slider->value(), 0);
    EXPECT_EQ(hapticCount(HapticPattern::levelChange), 2);
}

TEST_F(LiquidSliderTest, aRangeOfNoWidthHoldsItsOneValueWithoutDividingByZero) {
    slider->setRange(3, 3);
    EXPECT_DOUBLE_EQ(slider->value(), 3);
    EXPECT_DOUBLE_EQ(slider->fraction(), 0);
    QTest::mousePress(slider, Qt::LeftButton, {}, at(0.7));
    QTest::mouseRelease(slider, Qt::LeftButton, {}, at(0.7));
    wheel(QPoint(100, 0), QPoint(), true);
    QTest::keyClick(slider, Qt::Key_Right);
    EXPECT_DOUBLE_EQ(slider->value(), 3);
    EXPECT_TRUE(std::isfinite(slider->knobRect().x()));
    EXPECT_TRUE(std::isfinite(slider->wave().level));
    EXPECT_TRUE(haptics().empty());
}

TEST_F(LiquidSliderTest, valuesFromOutsideAreClampedAndBoundsTheWrongWayRoundAreSwapped) {
    slider->setValue(7);
    EXPECT_DOUBLE_EQ(slider->value(), 1);
    slider->setValue(std::nan(""));
    EXPECT_DOUBLE_EQ(slider->value(), 1);
    slider->setRange(10, 2);
    EXPECT_DOUBLE_EQ(slider->lower(), 2);
    EXPECT_DOUBLE_EQ(slider->upper(), 10);
    EXPECT_DOUBLE_EQ(slider->value(), 2);
    EXPECT_TRUE(haptics().empty());
}

TEST_F(LiquidSliderTest, isOfferedAsASliderOverTheSameValueAndRange) {
    slider->setRange(0, 2);
    slider->setValue(0.5);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(slider);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Slider);
    QAccessibleValueInterface* v = a->valueInterface();
    ASSERT_NE(v, nullptr);
    EXPECT_DOUBLE_EQ(v->currentValue().toDouble(), 0.5);
    EXPECT_DOUBLE_EQ(v->minimumValue().toDouble(), 0);
    EXPECT_DOUBLE_EQ(v->maximumValue().toDouble(), 2);
    v->setCurrentValue(1.5);
    EXPECT_DOUBLE_EQ(slider->value(), 1.5);
    EXPECT_EQ(a->text(QAccessible::Value), QStringLiteral("1.5"));
}

TEST_F(LiquidSliderTest, aDisabledSliderIsFadedAndIgnoresTheUser) {
    Motion::setInstant(true);
    slider->setValue(1);
    const QColor on = paint(*slider).pixelColor(60, 14);
    slider->setEnabled(false);
    const QColor off = paint(*slider).pixelColor(60, 14);
    EXPECT_GT(test::distance(on, Qt::white), test::distance(off, Qt::white) + 30);
    QTest::mousePress(slider, Qt::LeftButton, {}, at(0.2));
    EXPECT_DOUBLE_EQ(slider->value(), 1);
}

}  // namespace
}  // namespace velorin
