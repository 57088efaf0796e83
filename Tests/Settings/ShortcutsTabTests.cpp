// The My shortcuts tab offscreen, on the simulated desktop with the real
// engine: groups and their headings, rows that switch, delete and mark
// conflicts in place (kept by id, their chips shaking once), writes aimed at
// a shortcut's id, the empty state, the permission banner and the editor sheet.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QTest>

#include "AppModelFixture.h"
#include "QtTestApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Editor/BindingEditor.h"
#include "Velorin/Editor/GesturePicker.h"
#include "Velorin/Settings/BindingRow.h"
#include "Velorin/Settings/GroupHeading.h"
#include "Velorin/Settings/ShortcutsTab.h"
#include "Velorin/SheetHost.h"

namespace velorin {
namespace {

using Apps = std::vector<std::string>;

Binding own(Gesture gesture, Apps apps = {}, bool enabled = true) {
    return Binding{Uuid::generate(), gesture, Action::media(MediaKey::mute), enabled, std::move(apps), std::nullopt};
}

class ShortcutsTabTest : public testing::AppModelFixture {
protected:
    ShortcutsTabTest() {
        testing::qtApp();
        Motion::setInstant(true);
    }
    ~ShortcutsTabTest() override {
        delete window;
        Motion::setInstant(false);
    }
    ShortcutsTab& open(std::vector<Binding> bindings) {
        AppConfig config = AppConfig::starter();
        config.enabledPacks.clear();
        config.bindings = std::move(bindings);
        writeConfig(config);
        makeModel();
        model->engine().refreshPermissions();
        sim.runUntilIdle();
        window = new QWidget;
        window->resize(820, 900);
        // A plain stand-in for the live pad: these tests need no water.
        tab = new ShortcutsTab(*model, window, [](AppModel&, QWidget* parent) { return new QWidget(parent); });
        tab->setGeometry(0, 0, 820, 900);
        new SheetHost(window);
        window->show();
        return *tab;
    }
    // Runs the queued refreshes and the deletions they leave.
    static void settle() {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    const std::vector<Binding>& bindings() const { return model->config().bindings; }
    void clickSwitch(const Uuid& id) {
        tab->row(id)->findChild<LiquidSwitch*>("row.switch")->click();
        settle();
    }
    void menu(const Uuid& id, const char* action) {
        tab->row(id)->contextMenu()->findChild<QAction*>(action)->trigger();
        settle();
    }
    bool duplicateShown(const Uuid& id) const {
        return tab->row(id)->findChild<QWidget*>("row.duplicate")->isVisibleTo(tab->row(id));
    }

    QWidget* window = nullptr;
    ShortcutsTab* tab = nullptr;
};

TEST_F(ShortcutsTabTest, groups_everyAppFirst_thenInOrderOfFirstAppearance_withTheirHeadings) {
    const Binding ba = own(Gesture::tap(3, 1), {"com.b", "com.a"});
    const Binding every = own(Gesture::tap(2, 2));
    const Binding ab = own(Gesture::hold(3), {"com.a", "com.b"});
    const Binding seven = own(Gesture::hold(4), {"com.a1", "com.a2", "com.a3", "com.a4", "com.a5", "com.a6", "com.a7"});
    auto& t = open({ba, every, ab, seven});
    const std::vector<QWidget*> expected = {t.heading({}),  t.row(every.id), t.heading({"com.a", "com.b"}),
                                            t.row(ba.id),   t.row(ab.id),    t.heading(seven.apps),
                                            t.row(seven.id)};
    EXPECT_EQ(t.listed(), expected);
    EXPECT_FALSE(t.showsEmptyState());
    EXPECT_EQ(t.heading({})->text(), "Everywhere");
    EXPECT_EQ(t.heading({})->count(), 1);
    EXPECT_EQ(t.heading({"com.a", "com.b"})->text(), "Only in a, b");
    EXPECT_EQ(t.heading({"com.a", "com.b"})->count(), 2);
    EXPECT_EQ(t.heading(seven.apps)->badges(), 5);
    EXPECT_EQ(t.heading(seven.apps)->text(), "Only in a1, a2, a3, a4, a5, a6, a7");
}

TEST_F(ShortcutsTabTest, rows_switchDeleteAndMarkConflicts_inPlace) {
    const Binding first = own(Gesture::tap(3, 1));
    const Binding hidden = own(Gesture::tap(3, 1));
    const Binding other = own(Gesture::hold(2), {"com.a"});
    auto& t = open({first, hidden, other});
    BindingRow* hiddenRow = t.row(hidden.id);
    BindingRow* otherRow = t.row(other.id);
    EXPECT_FALSE(duplicateShown(first.id));
    EXPECT_TRUE(duplicateShown(hidden.id));
    EXPECT_EQ(hiddenRow->shakes(), 1);

    // An unrelated change refreshes the list without re-shaking the chip.
    clickSwitch(other.id);
    EXPECT_FALSE(bindings()[2].enabled);
    EXPECT_EQ(t.row(other.id), otherRow);
    EXPECT_DOUBLE_EQ(otherRow->opacity(), BindingRow::disabledOpacity);
    EXPECT_FALSE(otherRow->findChild<SymbolTile*>("row.tile")->isActive());
    EXPECT_EQ(hiddenRow->shakes(), 1);
    EXPECT_EQ(t.listed()[4], otherRow) << "a switched-off shortcut keeps its place";

    // Switching the first off lifts the mark; back on, the chip comes into view and shakes again.
    clickSwitch(first.id);
    EXPECT_FALSE(duplicateShown(hidden.id));
    clickSwitch(first.id);
    EXPECT_TRUE(duplicateShown(hidden.id));
    EXPECT_EQ(hiddenRow->shakes(), 2);

    // Deleting the first: the others keep their rows and order.
    menu(first.id, "row.delete");
    EXPECT_EQ(bindings(), (std::vector<Binding>{hidden, model->config().bindings[1]}));
    EXPECT_EQ(t.row(first.id), nullptr);
    EXPECT_EQ(t.row(hidden.id), hiddenRow);
    EXPECT_EQ(t.row(other.id), otherRow);
    EXPECT_FALSE(duplicateShown(hidden.id));

    // When the last one goes, the empty state takes the list's place.
    menu(hidden.id, "row.delete");
    menu(other.id, "row.delete");
    EXPECT_TRUE(bindings().empty());
    EXPECT_TRUE(t.showsEmptyState());
    EXPECT_TRUE(t.listed().empty());
}

TEST_F(ShortcutsTabTest, aRow_writesByItsId_evenWhenTheListMovedBeforeItsRefresh) {
    const Binding a = own(Gesture::tap(3, 1));
    const Binding b = own(Gesture::tap(2, 1));
    auto& t = open({a, b});
    BindingRow* rowB = t.row(b.id);
    // Another view puts a shortcut first; before the tab's queued refresh runs, b's switch is flipped.
    AppConfig moved = model->config();
    const Binding c = own(Gesture::hold(5));
    moved.bindings.insert(moved.bindings.begin(), c);
    model->setConfig(moved);
    rowB->findChild<LiquidSwitch*>("row.switch")->click();
    EXPECT_EQ(bindings(), (std::vector<Binding>{c, a, {b.id, b.gesture, b.action, false, b.apps, b.title}}));

    // And a row whose shortcut is gone writes nothing.
    AppConfig without = model->config();
    without.bindings.erase(without.bindings.begin() + 1);  // a
    model->setConfig(without);
    const AppConfig before = model->config();
    t.row(a.id)->findChild<LiquidSwitch*>("row.switch")->click();
    t.remove(a.id);
    EXPECT_EQ(model->config(), before);
    settle();
    EXPECT_EQ(t.row(a.id), nullptr);
}

TEST_F(ShortcutsTabTest, emptyState_andTheAddButton_openTheStudio) {
    auto& t = open({});
    EXPECT_TRUE(t.showsEmptyState());
    EXPECT_FALSE(t.findChild<QWidget*>("shortcuts.list")->isVisible());
    QWidget* pad = t.findChild<QWidget*>("shortcuts.pad");
    ASSERT_NE(pad, nullptr);
    QTest::mouseClick(pad, Qt::LeftButton, {}, pad->rect().center());
    EXPECT_TRUE(model->studioOpen.get());
    model->studioOpen.set(false);
    QTest::mouseClick(t.findChild<QAbstractButton*>("shortcuts.add"), Qt::LeftButton);
    EXPECT_TRUE(model->studioOpen.get());
    EXPECT_TRUE(bindings().empty()) << "a shortcut is never made here";
}

TEST_F(ShortcutsTabTest, permissionBanner_showsWhileTheAccessIsMissing) {
    sim.accessibility().setTrusted(false);
    auto& t = open({own(Gesture::tap(3, 1))});
    EXPECT_NE(t.findChild<QWidget*>("shortcuts.banner"), nullptr);
    sim.accessibility().setTrusted(true);
    model->engine().refreshPermissions();
    settle();
    EXPECT_EQ(t.findChild<QWidget*>("shortcuts.banner"), nullptr);
}

TEST_F(ShortcutsTabTest, editor_savesInPlace_orAtTheEndWhenDeletedMeanwhile_cancelChangesNothing) {
    const Binding a = own(Gesture::tap(3, 1));
    const Binding b = own(Gesture::tap(2, 1));
    auto& t = open({a, b});
    QTest::mouseDClick(t.row(a.id), Qt::LeftButton);
    ASSERT_NE(t.editor(), nullptr);
    EXPECT_FALSE(t.editor()->isNew());
    EXPECT_EQ(t.editor()->draft(), a);
    auto* fingers = t.editor()->findChild<GesturePicker*>("editor.gesturePicker")->fingerMenu();
    fingers->setCurrentIndex(4);
    emit fingers->activated(4);  // five fingers
    t.editor()->findChild<QAbstractButton*>("editor.confirm")->click();
    settle();
    EXPECT_EQ(t.editor(), nullptr);
    ASSERT_EQ(bindings().size(), 2u);
    EXPECT_EQ(bindings()[0].id, a.id);
    EXPECT_EQ(bindings()[0].gesture, Gesture::tap(5, 1));

    // Deleted while its editor is open: saving brings it back at the end.
    menu(a.id, "row.edit");
    ASSERT_NE(t.editor(), nullptr);
    AppConfig without = model->config();
    without.bindings.erase(without.bindings.begin());
    model->setConfig(without);
    settle();
    t.editor()->confirm();
    settle();
    ASSERT_EQ(bindings().size(), 2u);
    EXPECT_EQ(bindings()[0].id, b.id);
    EXPECT_EQ(bindings()[1].id, a.id);

    // Cancel writes nothing.
    const AppConfig before = model->config();
    t.edit(b.id);
    t.editor()->cancel();
    settle();
    EXPECT_EQ(model->config(), before);
    EXPECT_EQ(t.editor(), nullptr);
}

}  // namespace
}  // namespace velorin
