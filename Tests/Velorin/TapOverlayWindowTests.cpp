#include <gtest/gtest.h>

#include <QApplication>

#include "Platform/Sim/SimPlatform.h"
#include "QtTestApp.h"
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

}  // namespace
}  // namespace velorin
