// The main road of the settings window through the real engine: on the My
// shortcuts tab "Add Shortcut" opens the studio over the window, a two-finger
// tap is caught, Save stores it, the studio closes by itself, and the next
// two-finger tap runs the new shortcut.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "QtTestApp.h"
#include "RecordingFixture.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Editor/GestureStudio.h"
#include "Velorin/Editor/GestureStudioSession.h"
#include "Velorin/Settings/SettingsContent.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/Settings/ShortcutsTab.h"

namespace velorin {
namespace {

class StudioIntegrationTest : public testing::RecordingFixture {
protected:
    StudioIntegrationTest() {
        testing::qtApp();
        Motion::setInstant(true);
    }
    ~StudioIntegrationTest() override {
        delete view;
        Motion::setInstant(false);
    }
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    SettingsView* view = nullptr;
};

TEST_F(StudioIntegrationTest, addShortcut_recordSave_andTheNewShortcutRuns) {
    AppConfig config = AppConfig::starter();
    config.enabledPacks.clear();
    config.bindings.clear();
    writeConfig(config);
    makeModel();
    sim.runUntilIdle();
    model->selectedTab.set(SettingsTab::shortcuts);
    view = new SettingsView(*model, SettingsContent::standard());
    view->resize(820, 580);
    view->show();
    settle();
    auto* tab = qobject_cast<ShortcutsTab*>(view->tabView());
    ASSERT_NE(tab, nullptr);
    EXPECT_TRUE(tab->showsEmptyState());

    QTest::mouseClick(tab->findChild<QAbstractButton*>("shortcuts.add"), Qt::LeftButton);
    settle();
    auto* studio = qobject_cast<GestureStudio*>(view->studio());
    ASSERT_NE(studio, nullptr);
    EXPECT_TRUE(studio->session().isListening());

    tap(2);
    EXPECT_EQ(studio->session().gesture(), Gesture::tap(2, 1));
    EXPECT_FALSE(model->engine().lastFired().get()) << "the caught tap ran nothing";
    QTest::mouseClick(studio->findChild<QAbstractButton*>("studio.save"), Qt::LeftButton);
    sim.advance(1);
    settle();
    EXPECT_FALSE(model->studioOpen.get());
    EXPECT_EQ(view->studio(), nullptr);

    // Written to the file, listed on the tab, and run by the engine.
    const AppConfig saved = ConfigStore(configFile()).load();
    ASSERT_EQ(saved.bindings.size(), 1u);
    EXPECT_EQ(saved.bindings[0].gesture, Gesture::tap(2, 1));
    EXPECT_EQ(saved.bindings[0].action, Action::media(MediaKey::playPause));
    EXPECT_FALSE(tab->showsEmptyState());
    EXPECT_NE(tab->row(saved.bindings[0].id), nullptr);
    tap(2);
    ASSERT_TRUE(model->engine().lastFired().get());
    EXPECT_EQ(model->engine().lastFired().get()->action, Action::media(MediaKey::playPause));
    EXPECT_EQ(model->engine().lastFired().get()->source, std::string("My shortcut"));
}

}  // namespace
}  // namespace velorin
