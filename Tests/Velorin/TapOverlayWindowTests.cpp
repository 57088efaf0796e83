#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>

#include "Platform/Sim/SimPlatform.h"
#include "QtTestApp.h"
#include "Velorin/Design/Fonts.h"
#include "Velorin/TapBadge.h"
#include "Velorin/TapOverlay.h"
#include "Velorin/TapOverlayWindow.h"

namespace velorin {
namespace {

Engine::Fired tapRecord() {
    return Engine::Fired{Gesture::tap(2, 1), Action::media(MediaKey::mute), "My shortcut", std::nullopt, Date{}};
}

TapOverlay::PanelFactory realWindow() {
    return [](TapBadgeState& state) { return std::make_unique<TapOverlayWindow>(state); };
}

class TapOverlayWindowTest : public ::testing::Test {
protected:
    TapOverlayWindowTest() {
        testing::qtApp();
        sim.defaults().set(TapOverlay::showTapsKey, PropertyValue(true));
    }
    sim::SimPlatform sim;
};

// The badge window observes the overlay's state; the overlay going away with
// the window on screen (as at quit) must not touch what it has already freed.
TEST_F(TapOverlayWindowTest, destroyingTheOverlayWithABadgeShown_isClean) {
    auto overlay = std::make_unique<TapOverlay>(realWindow());
    overlay->show(tapRecord());
    ASSERT_NE(overlay->panel(), nullptr);
    EXPECT_TRUE(overlay->panel()->isVisible());
    QCoreApplication::processEvents();
    overlay.reset();
    QCoreApplication::processEvents();
}

// The badge's names are in the rounded face (installed with the project's
// packages) at 17 points: semibold for the gesture, regular for the action.
TEST_F(TapOverlayWindowTest, theBadgesTexts_useTheRoundedFace) {
    ASSERT_FALSE(Fonts::roundedFamily().isEmpty());
    struct Case {
        const char* name;
        QFont font;
        QFont::Weight weight;
    };
    const Case cases[] = {
        {"gesture", TapBadge::gestureFont(), QFont::DemiBold},
        {"action", TapBadge::actionFont(), QFont::Normal},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.font.family(), Fonts::roundedFamily()) << c.name;
        EXPECT_EQ(QFontInfo(c.font).family(), Fonts::roundedFamily()) << c.name;
        EXPECT_EQ(c.font.pixelSize(), 17) << c.name;
        EXPECT_EQ(c.font.weight(), c.weight) << c.name;
    }
}

// Qt places windows on one desktop whose origin is wherever its screens put
// it; the primary screen, from which the badge's origin is measured, need not
// be there.
TEST(QtWindowPosition, perScreenArrangement) {
    const QSize panel(560, 120);
    const QtScreenGeometry alone{QRect(0, 0, 1440, 900), 1};
    // A laptop to the right of an external display that sits lower.
    const QtScreenGeometry laptop{QRect(1920, 180, 1440, 900), 1};
    const QtScreenGeometry external{QRect(0, 0, 1920, 1080), 1};
    const QtScreenGeometry laptopHiDpi{QRect(1920, 0, 1440, 900), 2};
    const QtScreenGeometry externalHiDpi{QRect(0, 0, 960, 540), 2};
    struct Case {
        const char* name;
        std::vector<QtScreenGeometry> screens;
        Point origin;
        QPoint expected;
    };
    const Case cases[] = {
        {"one screen", {alone}, {440, 48}, {440, 732}},
        {"the primary screen right of Qt's origin", {laptop, external}, {440, 48}, {2360, 912}},
        {"on the other screen, left of the primary", {laptop, external}, {-1240, 48}, {680, 912}},
        {"scaled screens", {laptopHiDpi, externalHiDpi}, {440, 48}, {2360, 732}},
        {"no screens", {}, {10, 20}, {10, -140}},
    };
    for (const auto& c : cases) EXPECT_EQ(qtWindowPosition(c.origin, panel, c.screens), c.expected) << c.name;
}

}  // namespace
}  // namespace velorin
