#include "ControlFixture.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Design/NumericText.h"
#include "Velorin/Design/PulseDot.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Design/TabHeader.h"
#include "Velorin/Design/Theme.h"

#include <QFontMetricsF>

namespace velorin {
namespace {

using test::ControlTest;

class SmallControlTest : public ControlTest {};

TEST_F(SmallControlTest, aChipWithoutASymbolShowsOnlyItsTextAndALongTextIsShortenedInTheMiddle) {
    Chip plain(QStringLiteral("Safari"), std::nullopt, Theme::inkFaint, Theme::ink);
    Chip withSymbol(QStringLiteral("Safari"), std::string("hand.tap"), Theme::inkFaint, Theme::ink);
    const QFontMetricsF metrics(plain.font());
    EXPECT_EQ(plain.sizeHint().width(), int(std::ceil(16 + metrics.horizontalAdvance("Safari"))));
    EXPECT_EQ(withSymbol.sizeHint().width() - plain.sizeHint().width(), 13);  // 9-point symbol and 4 of spacing
    EXPECT_EQ(plain.font().pixelSize(), 11);
    EXPECT_EQ(plain.accessibleName(), QStringLiteral("Safari"));

    Chip longOne(QStringLiteral("Tap with three fingers in the top left corner"), std::nullopt, Theme::inkFaint,
                 Theme::ink);
    longOne.resize(110, longOne.sizeHint().height());
    const QString shown = longOne.shownText();
    EXPECT_TRUE(shown.contains(QChar(0x2026)));
    EXPECT_TRUE(shown.startsWith(QStringLiteral("Tap")));
    EXPECT_TRUE(shown.endsWith(QStringLiteral("er")));
}

TEST_F(SmallControlTest, aSymbolTileOfFortyDrawsAnEighteenPointSymbolOnATwelvePointEightCorner) {
    SymbolTile tile("hand.tap", false, 40);
    EXPECT_DOUBLE_EQ(tile.symbolPixelSize(), 18);
    EXPECT_DOUBLE_EQ(tile.cornerRadius(), 12.8);
    EXPECT_EQ(tile.sizeHint(), QSize(40, 40));
}

TEST_F(SmallControlTest, aSymbolTileBlendsToItsActiveLookAndBouncesOnEveryChange) {
    SymbolTile tile("hand.tap", false, 40);
    tile.setActive(true);
    EXPECT_DOUBLE_EQ(tile.symbolScale(), SymbolTile::bounceStart);
    clock.advance(0.1);
    EXPECT_GT(tile.activeAmount(), 0);
    settle();
    EXPECT_DOUBLE_EQ(tile.activeAmount(), 1);
    EXPECT_DOUBLE_EQ(tile.symbolScale(), 1);
    tile.setActive(false);
    EXPECT_DOUBLE_EQ(tile.symbolScale(), SymbolTile::bounceStart);
}

// The tile's fill: the accent gradient when active, the second surface tone when not.
TEST_F(SmallControlTest, anActiveTileIsDrawnInTheAccentAndAnIdleOneInCream) {
    Motion::setInstant(true);
    SymbolTile active("hand.tap", true, 40);
    SymbolTile idle("hand.tap", false, 40);
    active.resize(40, 40);
    idle.resize(40, 40);
    const ColorEnvironment env = Display::colorEnvironment();
    EXPECT_LT(test::distance(paint(idle).pixelColor(6, 20), Theme::cream.resolve(env)), 3);
    EXPECT_LT(test::distance(paint(active).pixelColor(34, 30), Theme::honey.resolve(env)), 40);
}

TEST_F(SmallControlTest, aPulseDotPulsesOnceShownAndStandsStillUnderReduceMotion) {
    PulseDot dot(Theme::success, &window);
    EXPECT_EQ(dot.sizeHint(), QSize(7, 7));
    EXPECT_FALSE(dot.isPulsing());
    window.show();
    EXPECT_TRUE(dot.isPulsing());
    clock.advance(0.7);
    EXPECT_GT(dot.haloScale(), 1.5);
    EXPECT_LT(dot.haloFade(), 0.5);
    clock.advance(0.75);  // the pulse starts again without reversing
    EXPECT_LT(dot.haloScale(), 1.3);
    window.hide();
    EXPECT_FALSE(dot.isPulsing());

    sim.displaySettings().setReduceMotion(true);
    window.show();
    EXPECT_FALSE(dot.isPulsing());
    EXPECT_EQ(clock.listenerCount(), 0u);
    clock.advance(0.7);
    EXPECT_DOUBLE_EQ(dot.haloScale(), 1);
    EXPECT_DOUBLE_EQ(dot.haloFade(), 1);

    // Switched off while shown, the halo starts moving at once.
    sim.displaySettings().setReduceMotion(false);
    EXPECT_TRUE(dot.isPulsing());
    clock.advance(0.7);
    EXPECT_GT(dot.haloScale(), 1.5);
}

// Without motion (the gallery) the halo stands still partway out, where a
// picture shows it; Reduce Motion still keeps it at rest under the dot.
TEST_F(SmallControlTest, aPulseDotWithoutMotionShowsItsHaloPartwayOut) {
    Motion::setInstant(true);
    PulseDot dot(Theme::success, &window);
    window.show();
    EXPECT_EQ(clock.listenerCount(), 0u) << "a still halo asks for no frames";
    EXPECT_GT(dot.haloScale(), 1.5);
    EXPECT_LT(dot.haloScale(), PulseDot::haloGrowth);
    EXPECT_GT(dot.haloFade(), 0.1);
    const double scale = dot.haloScale();
    clock.advance(0.3);
    EXPECT_DOUBLE_EQ(dot.haloScale(), scale);

    sim.displaySettings().setReduceMotion(true);
    EXPECT_DOUBLE_EQ(dot.haloScale(), 1);
    EXPECT_DOUBLE_EQ(dot.haloFade(), 1);
}

TEST_F(SmallControlTest, aTabHeaderWrapsItsSubtitleOntoAsManyLinesAsItNeeds) {
    TabHeader header(QStringLiteral("Sensitivity"),
                     QStringLiteral("How long a tap may last, how far fingers may move and how quickly taps follow "
                                    "each other."));
    EXPECT_TRUE(header.hasHeightForWidth());
    EXPECT_GT(header.heightForWidth(150), header.heightForWidth(900));
    EXPECT_EQ(header.titleFont().pixelSize(), 26);
    EXPECT_EQ(header.titleFont().weight(), QFont::Bold);
    EXPECT_EQ(header.subtitleFont().pixelSize(), 13);
    EXPECT_EQ(header.accessibleName(), QStringLiteral("Sensitivity"));
    TabHeader bare(QStringLiteral("About"), QString());
    EXPECT_EQ(bare.heightForWidth(400), int(std::ceil(QFontMetricsF(bare.titleFont()).height() + 4)));
}

TEST_F(SmallControlTest, aNumberRollsToItsNewTextOnItsSpringAndAPlainChangeShowsAtOnce) {
    auto* number = new NumericText(QFont(), Theme::ink, &window);
    number->setText("3");
    window.show();
    number->show();
    number->rollTo("4", Theme::snappy);
    EXPECT_EQ(number->text(), "4");
    EXPECT_EQ(number->previousText(), "3");
    EXPECT_TRUE(number->isRolling());
    EXPECT_DOUBLE_EQ(number->progress(), 0);
    clock.advance(0.05);
    EXPECT_GT(number->progress(), 0);
    EXPECT_LT(number->progress(), 1);
    settle();
    EXPECT_FALSE(number->isRolling());
    EXPECT_DOUBLE_EQ(number->progress(), 1);

    number->setText("5");
    EXPECT_FALSE(number->isRolling());
    // Hidden, a roll just shows the text.
    number->hide();
    number->rollTo("6", Theme::snappy);
    EXPECT_FALSE(number->isRolling());
    EXPECT_EQ(number->text(), "6");
}

}  // namespace
}  // namespace velorin
