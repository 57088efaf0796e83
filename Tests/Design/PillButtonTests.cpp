#include "ControlFixture.h"
#include "Velorin/Design/PillButton.h"

#include <QSignalSpy>
#include <QTest>

namespace velorin {
namespace {

using test::ControlTest;

struct PillCase {
    const char* name;
    bool primary;
    bool pressed;
    double level;
    bool white;
    QSizeF scale;
};

TEST(PillButtonStyleTest, levelTextAndSquashFollowPressAndPrimary) {
    const PillCase cases[] = {
        {"plain at rest", false, false, 0, false, {1, 1}},
        {"primary at rest", true, false, 0.4, true, {1, 1}},
        {"plain pressed", false, true, 1.15, true, {1.05, 0.9}},
        {"primary pressed", true, true, 1.15, true, {1.05, 0.9}},
    };
    for (const PillCase& c : cases) {
        const PillButtonStyle style{c.primary};
        EXPECT_DOUBLE_EQ(style.liquidLevel(c.pressed), c.level) << c.name;
        EXPECT_EQ(style.whiteText(c.pressed), c.white) << c.name;
        EXPECT_EQ(style.textColor(c.pressed), c.white ? Theme::onAccent : Theme::ink) << c.name;
        EXPECT_EQ(style.scale(c.pressed), c.scale) << c.name;
    }
    EXPECT_DOUBLE_EQ(PillButtonStyle::opacity(false), 0.45);
    EXPECT_DOUBLE_EQ(PillButtonStyle::opacity(true), 1);
}

class PillButtonTest : public ControlTest {
protected:
    PillButton* make(const QString& text, bool primary = false) {
        auto* b = new PillButton(text, primary, &window);
        b->resize(b->sizeHint());
        return b;
    }
};

TEST_F(PillButtonTest, sizesToItsLabelWithItsPadding) {
    PillButton* shortOne = make("OK");
    PillButton* longOne = make("Save Shortcut");
    EXPECT_GT(longOne->sizeHint().width(), shortOne->sizeHint().width());
    const QFontMetricsF metrics(shortOne->font());
    EXPECT_GE(shortOne->pillRect().width(), metrics.horizontalAdvance("OK") + 30 - 1);
    EXPECT_GE(shortOne->sizeHint().height(), int(metrics.height()) + 16);
    EXPECT_EQ(shortOne->font().pixelSize(), 13);
    EXPECT_EQ(shortOne->font().weight(), QFont::DemiBold);
}

TEST_F(PillButtonTest, pressingFillsAndSquashesAndLettingGoPlaysOneHapticAndOneSplash) {
    PillButton* b = make("Cancel");
    QSignalSpy clicked(b, &QAbstractButton::clicked);
    QTest::mousePress(b, Qt::LeftButton);
    settle();
    EXPECT_DOUBLE_EQ(b->liquidLevel(), 1.15);
    EXPECT_EQ(b->squash(), QSizeF(1.05, 0.9));
    EXPECT_TRUE(haptics().empty());
    EXPECT_EQ(b->splashes(), 0);
    QTest::mouseRelease(b, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
    EXPECT_EQ(b->splashes(), 1);
    EXPECT_TRUE(b->splash().burst().start().has_value());
    settle();
    EXPECT_DOUBLE_EQ(b->liquidLevel(), 0);
    EXPECT_EQ(b->squash(), QSizeF(1, 1));
}

TEST_F(PillButtonTest, aPrimaryPillStandsFortyPercentFullAndReturnsThere) {
    PillButton* b = make("Save", true);
    EXPECT_DOUBLE_EQ(b->liquidLevel(), 0.4);
    QTest::mouseClick(b, Qt::LeftButton);
    settle();
    EXPECT_DOUBLE_EQ(b->liquidLevel(), 0.4);
    b->setPrimary(false);
    settle();
    EXPECT_DOUBLE_EQ(b->liquidLevel(), 0);
}

TEST_F(PillButtonTest, aReleaseOffThePillStillSplashesAndTicksButDoesNotFire) {
    PillButton* b = make("Cancel");
    window.resize(400, 200);
    QSignalSpy clicked(b, &QAbstractButton::clicked);
    QTest::mousePress(b, Qt::LeftButton);
    QTest::mouseMove(b, QPoint(300, 150));
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(300, 150));
    EXPECT_EQ(clicked.count(), 0);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
    EXPECT_EQ(b->splashes(), 1);
}

TEST_F(PillButtonTest, theKeyboardPressesItToo) {
    PillButton* b = make("Done");
    QSignalSpy clicked(b, &QAbstractButton::clicked);
    QTest::keyClick(b, Qt::Key_Space);
    EXPECT_EQ(clicked.count(), 1);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 1);
}

TEST_F(PillButtonTest, aDisabledPillIsFadedButKeepsItsShape) {
    Motion::setInstant(true);
    PillButton* enabled = make("Save", true);
    PillButton* disabled = make("Save", true);
    disabled->setEnabled(false);
    const QImage on = paint(*enabled);
    const QImage off = paint(*disabled);
    const QPoint inside(enabled->width() / 2, 4);
    EXPECT_GT(test::distance(on.pixelColor(inside), Qt::white), test::distance(off.pixelColor(inside), Qt::white) + 30);
    // The same shape: outside the capsule both leave the background alone.
    EXPECT_EQ(on.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_EQ(off.pixelColor(1, 1), QColor(Qt::white));
    EXPECT_NE(off.pixelColor(inside), QColor(Qt::white));
    QTest::mouseClick(disabled, Qt::LeftButton);
    EXPECT_TRUE(haptics().empty());
}

TEST_F(PillButtonTest, aSymbolStandsBeforeTheTextAndAButtonThatTicksItselfIsQuietOnRelease) {
    PillButton* b = make("Reset");
    const int plain = b->sizeHint().width();
    b->setSymbol("arrow.counterclockwise");
    EXPECT_EQ(b->sizeHint().width() - plain, int(PillButtonStyle::fontPoints + PillButton::symbolSpacing));
    b->setTicks(false);
    QTest::mouseClick(b, Qt::LeftButton);
    EXPECT_EQ(hapticCount(HapticPattern::alignment), 0);
    EXPECT_EQ(b->splashes(), 1);  // it still splashes
}

}  // namespace
}  // namespace velorin
