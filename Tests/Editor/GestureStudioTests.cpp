// The gesture studio offscreen, in a window with its sheet host, on the
// simulated desktop with the real engine: a two-finger tap recorded, a
// keystroke composed in the action popover, saved into My shortcuts and into
// a pack chosen in the target popover; listening that follows the window.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

#include "QtTestApp.h"
#include "RecordingFixture.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Editor/ActionComposer.h"
#include "Velorin/Editor/GestureStudio.h"
#include "Velorin/Editor/GestureStudioSession.h"
#include "Velorin/SheetHost.h"
#include "Velorin/ThemedText.h"

namespace velorin {
namespace {

const Action mute = Action::media(MediaKey::mute);
const Action pressT = Action::keystroke(KeyCombo(17, KeyCombo::Modifiers::command));

class GestureStudioTest : public testing::RecordingFixture {
protected:
    GestureStudioTest() {
        testing::qtApp();
        Motion::setInstant(true);
        AppConfig config = AppConfig::starter();
        config.enabledPacks.clear();
        config.bindings = {testing::binding(Gesture::tap(4, 1), mute)};
        pack = Pack::newCustom({"com.c"});
        pack.name = "Gamma";
        config.savePack(pack);
        writeConfig(config);
        makeModel();
        sim.runUntilIdle();
    }
    ~GestureStudioTest() override {
        delete window;
        Motion::setInstant(false);
    }

    GestureStudio& open() {
        window = new QWidget;
        window->resize(820, 580);
        studio = new GestureStudio(
            *model, std::nullopt, [this] { ++closed; }, window);
        studio->setGeometry(28, 12, 764, 548);
        new SheetHost(window);
        window->show();
        QCoreApplication::processEvents();
        return *studio;
    }
    template <typename T = QWidget>
    T* part(const char* name) const {
        return window->findChild<T*>(name);
    }
    bool shows(const char* name) const { return part(name) && part(name)->isVisible(); }

    Pack pack;
    QWidget* window = nullptr;
    GestureStudio* studio = nullptr;
    int closed = 0;
};

TEST_F(GestureStudioTest, recordsATwoFingerTap_composesAKeystroke_andSavesIntoMyShortcuts) {
    auto& s = open();
    EXPECT_TRUE(s.session().isListening());
    EXPECT_TRUE(shows("studio.listening"));
    EXPECT_TRUE(shows("studio.hint"));
    EXPECT_FALSE(shows("studio.line"));

    tap(2);
    EXPECT_FALSE(shows("studio.listening"));
    EXPECT_TRUE(shows("studio.capsule"));
    EXPECT_TRUE(shows("studio.retry"));
    EXPECT_TRUE(shows("studio.line"));
    EXPECT_FALSE(shows("studio.hint"));
    EXPECT_EQ(part<QAbstractButton>("studio.actionChip")->text(), "Play / Pause");
    EXPECT_EQ(part<QAbstractButton>("studio.targetChip")->text(), "My shortcuts");

    // The action popover: the composer picks a keystroke; the popover closes a moment later.
    QTest::mouseClick(part<QAbstractButton>("studio.actionChip"), Qt::LeftButton);
    ASSERT_NE(s.actionPopover(), nullptr);
    ASSERT_NE(s.composer(), nullptr);
    s.composer()->choose(ActionComposer::Kind::keys);
    s.composer()->pick(pressT);
    EXPECT_EQ(s.session().action(), pressT);
    EXPECT_NE(s.actionPopover(), nullptr);
    sim.advance(0.4);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.actionPopover(), nullptr);
    EXPECT_EQ(part<QAbstractButton>("studio.actionChip")->text(), "Press \u2318T");

    QTest::mouseClick(part<QAbstractButton>("studio.save"), Qt::LeftButton);
    EXPECT_TRUE(shows("studio.saved"));
    const auto& bindings = model->config().bindings;
    ASSERT_EQ(bindings.size(), 2u);
    EXPECT_EQ(bindings[1].gesture, Gesture::tap(2, 1));
    EXPECT_EQ(bindings[1].action, pressT);
    EXPECT_TRUE(bindings[1].apps.empty());
    QTest::keyClick(&s, Qt::Key_Return);  // Save again on the "Saved" card: nothing more
    EXPECT_EQ(model->config().bindings.size(), 2u);
    sim.advance(1);
    EXPECT_EQ(closed, 1);
}

TEST_F(GestureStudioTest, targetPopover_choosesAPackThatIsOff_andSavingSwitchesItOn) {
    auto& s = open();
    tap(3);
    QTest::mouseClick(part<QAbstractButton>("studio.targetChip"), Qt::LeftButton);
    ASSERT_NE(s.targetPopover(), nullptr);
    QAbstractButton* row = nullptr;
    for (auto* candidate : s.targetPopover()->findChildren<QAbstractButton*>("studio.target")) {
        if (candidate->property("packID").toString().toStdString() == pack.id) row = candidate;
    }
    ASSERT_NE(row, nullptr);
    const auto texts = row->findChildren<ThemedText*>();
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[1]->text(), "Pack, off: saving turns it on");
    QTest::mouseClick(row, Qt::LeftButton);
    QCoreApplication::processEvents();
    EXPECT_EQ(s.targetPopover(), nullptr);
    EXPECT_EQ(part<QAbstractButton>("studio.targetChip")->text(), "Gamma");

    QTest::mouseClick(part<QAbstractButton>("studio.save"), Qt::LeftButton);
    EXPECT_TRUE(model->config().isPackEnabled(pack.id));
    ASSERT_EQ(model->config().shortcuts(pack.id).size(), 1u);
    EXPECT_EQ(model->config().shortcuts(pack.id)[0].gesture, Gesture::tap(3, 1));
    EXPECT_EQ(model->config().shortcuts(pack.id)[0].apps, (std::vector<std::string>{"com.c"}));
    EXPECT_EQ(model->config().bindings.size(), 1u);
}

TEST_F(GestureStudioTest, saveWithAnIncompleteAction_opensTheActionPopover) {
    auto& s = open();
    tap(2);
    s.session().setAction(Action::openApp(""));
    EXPECT_EQ(part<QAbstractButton>("studio.actionChip")->text(), "Choose\u2026");
    QTest::mouseClick(part<QAbstractButton>("studio.save"), Qt::LeftButton);
    EXPECT_NE(s.actionPopover(), nullptr);
    EXPECT_EQ(model->config().bindings.size(), 1u);
}

TEST_F(GestureStudioTest, listening_followsTheWindow) {
    auto& s = open();
    window->hide();
    EXPECT_FALSE(s.session().isListening());
    tap(4);
    EXPECT_TRUE(ran(mute)) << "a hidden studio swallowed the gesture";
    window->show();
    EXPECT_TRUE(s.session().isListening());
    window->setWindowState(Qt::WindowMinimized);
    EXPECT_FALSE(s.session().isListening());
    window->setWindowState(Qt::WindowNoState);
    EXPECT_TRUE(s.session().isListening());

    // The close button gives the request back and closes.
    QTest::mouseClick(part<QAbstractButton>("studio.close"), Qt::LeftButton);
    EXPECT_EQ(closed, 1);
    EXPECT_FALSE(s.session().isListening());
}

}  // namespace
}  // namespace velorin
