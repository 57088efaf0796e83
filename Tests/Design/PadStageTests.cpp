#include "ControlFixture.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Design/CornerZones.h"
#include "Velorin/Design/PadStage.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Theme.h"
#include "Velorin/Design/WaterLayer.h"

#include <cmath>
#include <limits>

namespace velorin {
namespace {

using test::ControlTest;
using test::distance;

Touch down(int id, float x, float y) {
    Touch t;
    t.id = id;
    t.state = TouchState::touching;
    t.x = x;
    t.y = y;
    return t;
}

WaterInput withFingers(int count) {
    WaterInput input;
    for (int i = 0; i < count; ++i) input.touches.push_back(down(i + 1, 0.1f * float(i + 1), 0.5f));
    return input;
}

TEST(CornerZonesTest, eachZoneIsTheCornerSizeOfThePadKeptEightPointsInFromItsCorner) {
    const CornerZones zones{0.15};
    const auto r = zones.zones(QSizeF(400, 250));
    const QRectF expected[] = {
        {8, 8, 60, 37.5},
        {400 - 8 - 60, 8, 60, 37.5},
        {8, 250 - 8 - 37.5, 60, 37.5},
        {400 - 8 - 60, 250 - 8 - 37.5, 60, 37.5},
    };
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_DOUBLE_EQ(r[std::size_t(i)].x(), expected[i].x());
        EXPECT_DOUBLE_EQ(r[std::size_t(i)].y(), expected[i].y());
        EXPECT_DOUBLE_EQ(r[std::size_t(i)].width(), expected[i].width());
        EXPECT_DOUBLE_EQ(r[std::size_t(i)].height(), expected[i].height());
    }
}

TEST(CornerZonesTest, aSizeThatIsNotAFiniteFractionDrawsNoZones) {
    // A hand-edited configuration file can hold any number.
    for (double size : {0.0, -0.2, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()}) {
        SCOPED_TRACE(size);
        for (const QRectF& zone : CornerZones{size}.zones(QSizeF(400, 250))) EXPECT_TRUE(zone.isEmpty());
    }
}

TEST(PadStageTest, theChipCountsFingersInWords) {
    const std::pair<int, const char*> cases[] = {{0, "0 fingers"}, {1, "1 finger"}, {2, "2 fingers"}, {6, "6 fingers"}};
    for (const auto& [count, text] : cases) EXPECT_EQ(PadStage::fingerText(count), text);
}

TEST(PadStageTest, thePadKeepsItsRatioWithinTheSpaceOfferedAndNeverExceedsItsWidth) {
    struct Case {
        QSizeF offered;
        QSizeF pad;
    };
    const Case cases[] = {
        {{400, 250}, {400, 250}},   // exactly the ratio
        {{400, 1000}, {400, 250}},  // tall: the width decides
        {{800, 160}, {256, 160}},   // wide: the height decides
        {{900, 900}, {560, 350}},   // at most 560 wide
        {{0, 300}, {0, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.offered.width());
        EXPECT_EQ(PadStage::fittedSize(c.offered), c.pad);
    }
}

class PadStageWidgetTest : public ControlTest {
protected:
    PadStageWidgetTest() {
        pad = new PadStage(&window, [this] { return time; });
        pad->resize(400, 250);
    }

    double time = 10;
    PadStage* pad = nullptr;
};

TEST_F(PadStageWidgetTest, theChipLightsUpWhileFingersAreDownAndReturnsToItsLightTintAtZero) {
    Motion::setInstant(true);
    const ColorEnvironment env = colorEnvironmentFor(pad);
    Chip* chip = pad->fingerChip();
    EXPECT_EQ(chip->text(), "0 fingers");
    EXPECT_EQ(chip->pos(), QPoint(14, 14));
    EXPECT_EQ(chip->systemImage(), std::optional<std::string>(PadStage::chipSymbol));
    const auto tintOf = [&] { return std::get<ThemeColor>(chip->tint()).resolve(env); };
    EXPECT_LE(distance(tintOf(), Theme::warmWhite.resolve(env)), 1);
    EXPECT_LE(distance(chip->foreground().resolve(env), Theme::ink.resolve(env)), 1);

    pad->update(withFingers(2));
    EXPECT_EQ(pad->fingers(), 2);
    EXPECT_EQ(chip->text(), "2 fingers");
    EXPECT_LE(distance(tintOf(), Rainbow::colors[2].toQColor()), 1);
    EXPECT_LE(distance(chip->foreground().resolve(env), Qt::white), 1);

    pad->update(withFingers(0));
    EXPECT_EQ(chip->text(), "0 fingers");
    EXPECT_LE(distance(tintOf(), Theme::warmWhite.resolve(env)), 1);
}

TEST_F(PadStageWidgetTest, theChipsLookMovesWithTheSnappySpring) {
    pad->update(withFingers(1));
    EXPECT_EQ(pad->fingerChip()->text(), "1 finger");  // the text changes at once
    clock.advance(0.05);
    const ColorEnvironment env = colorEnvironmentFor(pad);
    const QColor midway = std::get<ThemeColor>(pad->fingerChip()->tint()).resolve(env);
    EXPECT_GT(distance(midway, Theme::warmWhite.resolve(env)), 2);
    EXPECT_GT(distance(midway, Rainbow::colors[2].toQColor()), 2);
    settle();
    EXPECT_LE(distance(std::get<ThemeColor>(pad->fingerChip()->tint()).resolve(env), Rainbow::colors[2].toQColor()), 1);
}

TEST_F(PadStageWidgetTest, theFloorShowsWhereNoWaterCanBeDrawnAndTheZonesAndRimLieOverIt) {
    Motion::setInstant(true);
    pad->setCornerSize(0.15);
    window.resize(400, 250);
    const QImage image = paint(*pad, Qt::black);
    const ColorEnvironment env = colorEnvironmentFor(pad);
    if (!pad->water()->picture()) {
        // Mid-pad: the floor colour.
        EXPECT_LE(distance(image.pixelColor(200, 200), Theme::milk.resolve(env)), 2);
    }
    // Outside the rounded corner: untouched.
    EXPECT_EQ(image.pixelColor(1, 1), QColor(Qt::black));
    // Inside a corner zone (away from the chip): lighter than the floor beside it.
    const QColor zone = image.pixelColor(400 - 8 - 30, 250 - 8 - 18);
    const QColor outside = image.pixelColor(400 - 8 - 30, 250 - 8 - 45);
    EXPECT_GE(zone.lightness(), outside.lightness());
}

TEST_F(PadStageWidgetTest, theWaterIsFedTheOwnersInputAsGiven) {
    WaterInput input = withFingers(3);
    input.fired = dateFromSecondsSince1970(5);
    input.dark = true;
    pad->update(input);
    EXPECT_EQ(pad->input(), input);
    EXPECT_EQ(pad->water()->input(), input);
}

}  // namespace
}  // namespace velorin
