// The General and About tabs and the permission banner on the simulated
// desktop with the real engine: the banner following the trust flag, the
// copy button's pasteboard text, launch at login, the see-through slider
// shared with the window, the trackpad's state, the cheat sheet.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>

#include "AppModelFixture.h"
#include "QtTestApp.h"
#include "TouchInput/MultitouchError.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Design/LiquidSlider.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/LiquidToggle.h"
#include "Velorin/PermissionBanner.h"
#include "Velorin/Settings/AboutTab.h"
#include "Velorin/Settings/GeneralTab.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/ThemedText.h"

namespace velorin {
namespace {

class TabsTest : public testing::AppModelFixture {
protected:
    TabsTest() {
        testing::qtApp();
        Motion::setInstant(true);
    }
    ~TabsTest() override {
        delete general;
        delete about;
        Motion::setInstant(false);
    }
    GeneralTab& makeGeneral() {
        if (!model) makeModel();
        general = new GeneralTab(*model);
        general->resize(764, 540);
        general->show();
        return *general;
    }
    AboutTab& makeAbout() {
        if (!model) makeModel();
        about = new AboutTab(*model);
        about->resize(764, 540);
        about->show();
        return *about;
    }
    // Runs the queued refreshes.
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    template <typename T = QWidget>
    T* find(QWidget* in, const char* name) const {
        return in->findChild<T*>(name);
    }

    GeneralTab* general = nullptr;
    AboutTab* about = nullptr;
};

TEST_F(TabsTest, permissionPart_followsTheTrustFlag) {
    sim.accessibility().setTrusted(false);
    auto& tab = makeGeneral();
    model->engine().refreshPermissions();
    settle();
    EXPECT_NE(find(&tab, "permissionBanner"), nullptr);
    EXPECT_NE(find(&tab, "general.stillNotWorking"), nullptr);
    EXPECT_EQ(find(&tab, "general.granted"), nullptr);

    // "Request Access" reads the trust again: once granted, only the granted card remains.
    sim.accessibility().setTrusted(true);
    find<QAbstractButton>(&tab, "permission.request")->click();
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(model->engine().accessibilityTrusted().get());
    EXPECT_EQ(find(&tab, "permissionBanner"), nullptr);
    EXPECT_EQ(find(&tab, "general.stillNotWorking"), nullptr);
    ASSERT_NE(find(&tab, "general.granted"), nullptr);

    // The engine's own re-reading takes it away again.
    sim.accessibility().setTrusted(false);
    model->engine().refreshPermissions();
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_NE(find(&tab, "permissionBanner"), nullptr);
    EXPECT_EQ(find(&tab, "general.granted"), nullptr);
}

TEST_F(TabsTest, banner_opensTheSettingsPage) {
    makeModel();
    PermissionBanner banner(*model);
    sim.takeJournal();
    banner.settingsButton()->click();
    const auto journal = sim.takeJournal();
    EXPECT_FALSE(journal.empty());  // the workspace opened the permissions page
    EXPECT_EQ(banner.requestButton()->text(), "Request Access");
    EXPECT_EQ(banner.settingsButton()->text(), "Open System Settings");
}

TEST_F(TabsTest, copy_leavesExactlyTheResetCommandOnThePasteboard) {
    sim.accessibility().setTrusted(false);
    sim.pasteboard().setString("something else");
    auto& tab = makeGeneral();
    model->engine().refreshPermissions();
    settle();
    auto* details = find(&tab, "general.disclosureDetails");
    ASSERT_NE(details, nullptr);
    EXPECT_FALSE(details->isVisible());  // closed at first
    find<QAbstractButton>(&tab, "general.disclosure")->click();
    EXPECT_TRUE(details->isVisible());
    EXPECT_EQ(find<QLabel>(&tab, "general.resetCommand")->text(), "tccutil reset Accessibility com.quillmere.velorin");

    sim.haptics().clearRecords();
    find<QAbstractButton>(&tab, "general.copy")->click();
    EXPECT_EQ(sim.pasteboard().string(), "tccutil reset Accessibility com.quillmere.velorin");
    const auto performed = sim.haptics().performed();
    ASSERT_FALSE(performed.empty());
    EXPECT_EQ(performed.front(), (sim::HapticFeedback{HapticPattern::alignment, HapticPerformanceTime::now}));
}

TEST_F(TabsTest, launchAtLogin_registersAndUnregisters_andAFailureShowsInTheSharedSlot) {
    auto& tab = makeGeneral();
    LiquidToggle* toggle = tab.launchToggle();
    EXPECT_FALSE(toggle->isOn());
    toggle->liquidSwitch()->click();
    settle();
    EXPECT_EQ(sim.loginItems().status(), LoginItemStatus::enabled);
    EXPECT_TRUE(toggle->isOn());
    EXPECT_FALSE(model->saveError.get());

    sim.loginItems().failNext("The operation couldn't be completed.");
    toggle->liquidSwitch()->click();
    settle();
    EXPECT_EQ(model->saveError.get(), "Launch at login: The operation couldn't be completed.");
    EXPECT_TRUE(toggle->isOn());  // the system's answer: still registered
    EXPECT_EQ(sim.loginItems().status(), LoginItemStatus::enabled);

    toggle->liquidSwitch()->click();
    settle();
    EXPECT_EQ(sim.loginItems().status(), LoginItemStatus::notRegistered);
    EXPECT_FALSE(toggle->isOn());
    EXPECT_FALSE(model->saveError.get());
}

TEST_F(TabsTest, seeThroughSlider_writesTheDefault_andTheWindowFollowsAtOnce) {
    makeModel();
    SettingsView view(*model, SettingsContent::standard());
    view.resize(820, 580);
    model->selectedTab.set(SettingsTab::general);
    auto* tab = qobject_cast<GeneralTab*>(view.tabView());
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->seeThroughValue()->text(), "Off");
    tab->seeThroughSlider()->setValue(0.35);
    EXPECT_DOUBLE_EQ(sim.defaults().doubleForKey("windowSeeThrough"), 0.35);
    EXPECT_EQ(tab->seeThroughValue()->text(), "35%");
    EXPECT_EQ(view.layers(), (WindowLayers{Backdrop::desktop, 1 - 0.35}));
    EXPECT_FALSE(std::filesystem::exists(configFile()));  // nothing here touches the configuration

    // Stored elsewhere: the slider and the label follow, the label unclamped.
    sim.defaults().set("windowSeeThrough", PropertyValue(0.8));
    EXPECT_EQ(tab->seeThroughValue()->text(), "80%");
    EXPECT_EQ(tab->seeThroughSlider()->value(), 0.6);
    EXPECT_DOUBLE_EQ(sim.defaults().doubleForKey("windowSeeThrough"), 0.8);  // the slider wrote nothing back

    sim.displaySettings().setReduceTransparency(true);
    EXPECT_FALSE(tab->seeThroughSlider()->isEnabled());
    EXPECT_EQ(tab->seeThroughNote()->text(), "Off because Reduce Transparency is on in System Settings.");
    EXPECT_EQ(tab->seeThroughValue()->text(), "80%");
    sim.displaySettings().setReduceTransparency(false);
    EXPECT_TRUE(tab->seeThroughSlider()->isEnabled());
    EXPECT_EQ(tab->seeThroughNote()->text(),
              "Lets your desktop show softly through the water. Cards stay frosted so text is easy to read.");
}

TEST_F(TabsTest, trackpadCard_listeningStoppedOrTheStartError) {
    touchpad->failure = MultitouchError::noDevices();
    auto& tab = makeGeneral();
    EXPECT_FALSE(model->engine().isRunning().get());
    EXPECT_EQ(tab.trackpadStatus()->text().toStdString(), *model->engine().startError().get());
    delete general;
    general = nullptr;
    model.reset();

    touchpad->failure.reset();
    auto& running = makeGeneral();
    EXPECT_EQ(running.trackpadStatus()->text(), "Listening");
    model->engine().stop();
    EXPECT_EQ(running.trackpadStatus()->text(), "Stopped");
}

TEST_F(TabsTest, about_versionFromTheBundle) {
    sim.bundle().setInfo("CFBundleShortVersionString", PropertyValue(std::string("0.1.0")));
    auto& tab = makeAbout();
    EXPECT_EQ(tab.versionChip()->text(), "Version 0.1.0");
    delete about;
    about = nullptr;
    sim.bundle().setInfo("CFBundleShortVersionString", std::nullopt);
    EXPECT_EQ(makeAbout().versionChip()->text(), "Version dev");
}

TEST_F(TabsTest, about_cheatSheetFollowsTheConfiguration_rowsKeptByGesture) {
    AppConfig empty;
    writeConfig(empty);
    auto& tab = makeAbout();
    EXPECT_TRUE(tab.emptyText()->isVisible());
    EXPECT_FALSE(tab.cheatSheet()->isVisible());

    AppConfig config = model->config();
    config.bindings = {testing::binding(Gesture::tap(4, 1), Action::media(MediaKey::mute)),
                       testing::binding(Gesture::hold(3), Action::media(MediaKey::next))};
    model->setConfig(config);
    settle();
    ASSERT_TRUE(tab.cheatSheet()->isVisible());
    EXPECT_FALSE(tab.emptyText()->isVisible());
    auto rows = tab.cheatSheet()->rowWidgets();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->accessibleName(), "3-finger hold → Next track (Mine)");
    EXPECT_EQ(rows[1]->accessibleName(), "4-finger tap → Mute (Mine)");
    QPointer<QWidget> hold = rows[0];

    config.bindings.push_back(testing::binding(Gesture::tap(2, 1), Action::media(MediaKey::playPause)));
    config.bindings[0].apps = {"com.apple.Safari"};  // the 4-finger tap: no longer everywhere
    model->setConfig(config);
    settle();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    rows = tab.cheatSheet()->rowWidgets();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0]->accessibleName(), "2-finger tap → Play / Pause (Mine)");
    EXPECT_EQ(rows[1], hold.data());  // updated in place, not made again

    config.isEnabled = false;
    model->setConfig(config);
    settle();
    EXPECT_TRUE(tab.emptyText()->isVisible());
}

TEST_F(TabsTest, cheatSheet_columnsAdaptToTheWidth) {
    AppConfig config;
    for (int fingers = 1; fingers <= 5; ++fingers) {
        config.bindings.push_back(testing::binding(Gesture::tap(fingers, 1), Action::media(MediaKey::mute)));
    }
    writeConfig(config);
    auto& tab = makeAbout();
    CheatSheetGrid* grid = tab.cheatSheet();
    grid->resize(700, grid->heightForWidth(700));
    EXPECT_EQ(grid->columns(), 2);
    auto rows = grid->rowWidgets();
    EXPECT_EQ(rows[1]->x(), rows[0]->width() + CheatSheetGrid::columnSpacing);
    EXPECT_EQ(rows[2]->y(), rows[0]->height() + CheatSheetGrid::rowSpacing);
    grid->resize(600, grid->heightForWidth(600));
    EXPECT_EQ(grid->columns(), 1);
    EXPECT_EQ(grid->heightForWidth(600), 5 * rows[0]->height() + 4 * CheatSheetGrid::rowSpacing);
}

}  // namespace
}  // namespace velorin
