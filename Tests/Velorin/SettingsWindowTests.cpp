#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QAbstractButton>
#include <QPushButton>
#include <QScreen>

#include "AppModelFixture.h"
#include "QtTestApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Settings/SaveNotice.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/SettingsWindowWidget.h"
#include "Velorin/TapBadge.h"
#include "Velorin/TapOverlayWindow.h"

namespace velorin {
namespace {

class SettingsWindowTest : public testing::AppModelFixture {
protected:
    SettingsWindowTest() { testing::qtApp(); }

    AppModel& makeModelWithWindow() {
        auto p = parts();
        p.makeSettingsWindow = [this](AppModel& m) {
            ++windowsMade;
            return std::make_unique<SettingsWindowWidget>(
                m, [](AppModel& model, QWidget* parent) -> QWidget* {
                    return new SettingsView(model, SettingsContent::standard(), parent);
                });
        };
        model = std::make_unique<AppModel>(std::move(p));
        return *model;
    }
    SettingsWindowWidget* widget() const { return dynamic_cast<SettingsWindowWidget*>(model->settingsWindow()); }
    bool liveTouches() const { return model->engine().showsLiveTouches().get(); }
};

TEST_F(SettingsWindowTest, twoCalls_buildOneWindowAndBringItForward) {
    auto& m = makeModelWithWindow();
    m.showSettings(SettingsTab::general);
    auto* first = widget();
    ASSERT_NE(first, nullptr);
    m.showSettings(std::nullopt);
    EXPECT_EQ(widget(), first);
    EXPECT_EQ(windowsMade, 1);
    EXPECT_TRUE(first->isVisible());
    EXPECT_TRUE(first->isWindow());
    EXPECT_EQ(first->windowTitle(), "Velorin Settings");
    EXPECT_EQ(qobject_cast<SettingsView*>(first->content())->shownTab(), SettingsTab::general);
}

TEST_F(SettingsWindowTest, firstOpening_isCentredAtItsSizeAndCannotShrinkBelowTheMinimum) {
    auto& m = makeModelWithWindow();
    m.showSettings(std::nullopt);
    auto* w = widget();
    EXPECT_EQ(w->size(), QSize(820, 580));
    EXPECT_EQ(w->minimumSize(), QSize(720, 520));
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((w->geometry().center() - available.center()).manhattanLength(), 2);  // rounding of odd sizes
    w->resize(600, 400);
    EXPECT_EQ(w->size(), QSize(720, 520));
}

TEST_F(SettingsWindowTest, closeMinimiseAndRestore_switchLiveTouches) {
    auto& m = makeModelWithWindow();
    m.showSettings(std::nullopt);
    auto* w = widget();
    EXPECT_TRUE(liveTouches());

    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_FALSE(liveTouches());
    EXPECT_TRUE(m.engine().liveTouches().get().empty());
    m.showSettings(std::nullopt);
    EXPECT_EQ(widget(), w);  // kept, not rebuilt
    EXPECT_TRUE(w->isVisible());
    EXPECT_TRUE(liveTouches());

    w->setWindowState(w->windowState() | Qt::WindowMinimized);
    EXPECT_FALSE(liveTouches());
    w->setWindowState(w->windowState() & ~Qt::WindowMinimized);
    EXPECT_TRUE(liveTouches());

    w->setWindowState(w->windowState() | Qt::WindowMinimized);
    EXPECT_FALSE(liveTouches());
    m.showSettings(SettingsTab::about);  // restores it
    EXPECT_FALSE(w->isMinimized());
    EXPECT_TRUE(liveTouches());

    // Hidden other than by closing or minimising: live touches stay on.
    w->hide();
    EXPECT_TRUE(liveTouches());
}

TEST_F(SettingsWindowTest, savedFrame_isRestoredByTheNextProcess) {
    auto& m = makeModelWithWindow();
    m.showSettings(std::nullopt);
    widget()->setGeometry(QRect(QPoint(40, 60), QSize(900, 650)));
    const QRect moved = widget()->geometry();
    widget()->close();
    model.reset();

    auto& again = makeModelWithWindow();
    again.showSettings(std::nullopt);
    EXPECT_EQ(widget()->geometry(), moved);
}

TEST_F(SettingsWindowTest, view_followsAndSetsTheModel) {
    auto& m = makeModelWithWindow();
    m.showSettings(SettingsTab::trackpad);
    auto* view = qobject_cast<SettingsView*>(widget()->content());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->shownTab(), SettingsTab::trackpad);
    EXPECT_FALSE(view->notice().isShowing());

    view->findChild<QAbstractButton*>("tab.shortcuts")->click();
    EXPECT_EQ(m.selectedTab.get(), SettingsTab::shortcuts);
    EXPECT_EQ(view->shownTab(), SettingsTab::shortcuts);

    m.saveError.set("Couldn't save settings: disk full");
    EXPECT_TRUE(view->notice().isShowing());
    EXPECT_EQ(view->notice().text(), "Couldn't save settings: disk full");
    m.saveError.set(std::nullopt);
    EXPECT_FALSE(view->notice().isShowing());
}

class OverlayWindowTest : public ::testing::Test {
protected:
    OverlayWindowTest() { testing::qtApp(); }
    ~OverlayWindowTest() override { FrameClock::install(nullptr); }
    sim::SimPlatform sim;
    ManualFrameClock clock;
};

TEST_F(OverlayWindowTest, panel_floatsClickThroughWithoutFocus) {
    TapBadgeState state;
    TapOverlayWindow window(state);
    const auto flags = window.windowFlags();
    EXPECT_TRUE(flags.testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(flags.testFlag(Qt::WindowTransparentForInput));
    EXPECT_TRUE(flags.testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_TRUE(window.testAttribute(Qt::WA_TranslucentBackground));
    EXPECT_EQ(window.size(), (Size{560, 120}));

    // Bottom-left convention in, Qt's top-left out: 48 above the bottom of Qt's screen.
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    window.setFrameOrigin({440, 48});
    EXPECT_EQ(window.pos(), QPoint(screen.x() + 440, screen.y() + screen.height() - 48 - 120));

    window.orderFrontRegardless();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(QApplication::activeWindow(), nullptr);
    window.orderOut();
    EXPECT_FALSE(window.isVisible());
}

TEST_F(OverlayWindowTest, fade_readsItsTargetAtOnceAndStopsWhenShownAgain) {
    FrameClock::install(&clock);
    TapBadgeState state;
    TapOverlayWindow window(state);
    window.orderFrontRegardless();
    window.fadeAlphaValue(0, 0.25);
    EXPECT_EQ(window.alphaValue(), 0);
    clock.advance(0.1);
    EXPECT_GT(window.windowOpacity(), 0.0);
    EXPECT_LT(window.windowOpacity(), 1.0);
    window.setAlphaValue(1);
    EXPECT_EQ(window.alphaValue(), 1);
    clock.advance(0.3);
    EXPECT_EQ(window.windowOpacity(), 1.0);
}

TEST_F(OverlayWindowTest, everyNewBadge_replaysTheRipple) {
    FrameClock::install(&clock);
    TapBadgeState state;
    TapBadge badge(state);
    clock.advance(1);
    EXPECT_EQ(badge.rippleProgress(), 1);
    state.count.set(1);
    EXPECT_EQ(badge.rippleProgress(), 0);
    clock.advance(0.3);
    EXPECT_GT(badge.rippleProgress(), 0.5);  // eased out: more than half way at half time
    EXPECT_LT(badge.rippleProgress(), 1);
    clock.advance(0.31);
    EXPECT_EQ(badge.rippleProgress(), 1);
}

}  // namespace
}  // namespace velorin
