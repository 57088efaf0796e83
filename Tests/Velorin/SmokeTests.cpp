#include <gtest/gtest.h>

#include <QAction>
#include <QIcon>
#include <QImage>
#include <QApplication>
#include <QMenu>
#include <QTimer>

#include "AppModelFixture.h"
#include "QtTestApp.h"
#include "Velorin/MenuBarExtra.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/VelorinApp.h"

namespace velorin {
namespace {

class Smoke : public testing::AppModelFixture {
protected:
    Smoke() { testing::qtApp(); }
};

// The program's own composition of the settings window.
QWidget* makeSettingsView(AppModel& model, QWidget* parent) {
    return new SettingsView(model, SettingsContent::standard(), parent);
}

QAction* actionTitled(QMenu& menu, const QString& title) {
    for (QAction* action : menu.actions()) {
        if (action->text() == title) return action;
    }
    return nullptr;
}

TEST_F(Smoke, theWholeApp_startsAndQuitsFromItsMenu) {
    VelorinApp app(makeSettingsView);
    sim.runUntilIdle();
    auto& menu = *app.menuBar().menu();
    ASSERT_NE(actionTitled(menu, "Velorin Enabled"), nullptr);
    EXPECT_EQ(app.menuBar().iconSymbol(), "hand.tap.fill");
    if (!MenuBarExtra::isTrayAvailable()) {
        // Without a tray the settings window is how the app is reached.
        ASSERT_NE(app.model().settingsWindow(), nullptr);
    }

    QTimer::singleShot(0, [&] { actionTitled(menu, "Quit Velorin")->trigger(); });
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_FALSE(std::filesystem::exists(configFile()));
}

TEST_F(Smoke, theApplicationsIdentity_namesItsDesktopEntryAndDrawsItsIcon) {
    VelorinApp::setApplicationIdentity();
    EXPECT_EQ(QApplication::applicationName(), "Velorin");
    EXPECT_EQ(QGuiApplication::desktopFileName(), "velorin");
    const QImage icon = QApplication::windowIcon().pixmap(32, 32).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_GT(icon.pixelColor(16, 16).alpha(), 0);  // drawn, not an empty pixmap
}

TEST_F(Smoke, theMenu_followsTheModel) {
    VelorinApp app(makeSettingsView);
    auto& menu = *app.menuBar().menu();
    QAction* enabled = actionTitled(menu, "Velorin Enabled");
    ASSERT_NE(enabled, nullptr);
    EXPECT_TRUE(enabled->isChecked());
    EXPECT_EQ(enabled->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    EXPECT_EQ(actionTitled(menu, "Settings\u2026")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Comma));
    EXPECT_EQ(actionTitled(menu, "Quit Velorin")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    EXPECT_EQ(actionTitled(menu, "Check for Updates\u2026"), nullptr);

    enabled->trigger();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(app.model().config().isEnabled);
    EXPECT_EQ(app.menuBar().iconSymbol(), "hand.tap");
    enabled = actionTitled(menu, "Velorin Enabled");
    EXPECT_FALSE(enabled->isChecked());
    EXPECT_TRUE(std::filesystem::exists(configFile()));

    actionTitled(menu, "Show Taps on Screen")->trigger();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(sim.defaults().boolForKey("showTapsOnScreen"));
    EXPECT_TRUE(actionTitled(menu, "Show Taps on Screen")->isChecked());

    actionTitled(menu, "Shortcut Packs\u2026")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(app.model().selectedTab.get(), SettingsTab::packs);
    ASSERT_NE(app.model().settingsWindow(), nullptr);
}

}  // namespace
}  // namespace velorin
