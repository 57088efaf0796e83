// The shortcut editor sheet offscreen, on the simulated desktop with the real
// engine: recording through the record button (no shortcut runs meanwhile,
// every way out gives the request back), the clash warning against the
// user's own list or a pack's, and what Add, Save and Cancel hand back.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QTest>

#include "QtTestApp.h"
#include "RecordingFixture.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/LiquidSwitch.h"
#include "Velorin/Design/LiquidToggle.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Editor/AppScopePicker.h"
#include "Velorin/Editor/BindingEditor.h"
#include "Velorin/Editor/GesturePicker.h"
#include "Velorin/ThemedText.h"

namespace velorin {
namespace {

const Action mute = Action::media(MediaKey::mute);

class BindingEditorTest : public testing::RecordingFixture {
public:
    BindingEditorTest() {
        testing::qtApp();
        Motion::setInstant(true);
        AppConfig config = AppConfig::starter();
        config.enabledPacks.clear();
        config.bindings = {testing::binding(Gesture::tap(3, 1), mute)};
        writeConfig(config);
        makeModel();
        sim.runUntilIdle();
    }
    ~BindingEditorTest() override {
        delete window;
        Motion::setInstant(false);
    }

    BindingEditor& open(Binding draft, bool isNew = false,
                        std::optional<std::vector<Binding>> siblings = std::nullopt) {
        window = new QWidget;
        window->resize(820, 700);
        editor = new BindingEditor(
            *model, std::move(draft), isNew, std::move(siblings),
            [this](std::optional<Binding> result) { results.push_back(std::move(result)); }, window);
        editor->resize(780, 680);
        window->show();
        return *editor;
    }
    template <typename T = QWidget>
    T* part(const char* name) const {
        return editor->findChild<T*>(name);
    }
    QString text(const char* name) const { return part<ThemedText>(name)->text(); }
    bool clashShown() const { return part("editor.clash")->isVisibleTo(editor); }

    QWidget* window = nullptr;
    BindingEditor* editor = nullptr;
    std::vector<std::optional<Binding>> results;
};

Binding fresh(Gesture gesture, std::vector<std::string> apps = {}) {
    return Binding{Uuid::generate(), gesture,     Action::window(WindowCommand::center), true,
                   std::move(apps),  std::nullopt};
}

TEST_F(BindingEditorTest, recordButton_takesTheNextGesture_andNoShortcutRunsMeanwhile) {
    auto& sheet = open(fresh(Gesture::tap(2, 1)));
    EXPECT_EQ(part<QAbstractButton>("editor.record")->text(), "Record Gesture");
    QTest::mouseClick(part<QAbstractButton>("editor.record"), Qt::LeftButton);
    EXPECT_TRUE(sheet.isRecording());
    EXPECT_EQ(text("editor.recordingText"), "Do the gesture on your trackpad now\u2026");
    EXPECT_EQ(part<QAbstractButton>("editor.record")->text(), "Cancel");
    EXPECT_FALSE(part("editor.gesturePicker")->isEnabled());
    EXPECT_TRUE(part("editor.composer")->isEnabled());

    tap(3);  // bound to Mute, but the editor holds the request
    EXPECT_FALSE(ran(mute));
    EXPECT_FALSE(sheet.isRecording());
    EXPECT_EQ(sheet.draft().gesture, Gesture::tap(3, 1));
    EXPECT_EQ(text("editor.recordingText"), "3-finger tap");
    EXPECT_EQ(part<GesturePicker>("editor.gesturePicker")->gesture(), Gesture::tap(3, 1));
    EXPECT_TRUE(part("editor.gesturePicker")->isEnabled());
    EXPECT_TRUE(clashShown()) << "the recorded gesture is the own Mute shortcut's";

    // A corner tap, recorded, switches the header's symbol.
    QTest::mouseClick(part<QAbstractButton>("editor.record"), Qt::LeftButton);
    cornerTap();
    EXPECT_EQ(part<SymbolTile>("editor.tile")->symbol(), "arrow.up.left.and.arrow.down.right");
    EXPECT_EQ(text("editor.recordingText"), "Corner tap: top left");
    EXPECT_TRUE(results.empty());
}

TEST_F(BindingEditorTest, everyWayOut_givesTheRequestBack) {
    const struct {
        const char* name;
        std::function<void(BindingEditorTest&)> leave;
        std::optional<bool> handsBack;  // absent: done is not called
    } ways[] = {
        {"the recording row's Cancel",
         [](BindingEditorTest& t) { t.part<QAbstractButton>("editor.record")->click(); },
         {}},
        {"the footer's Cancel", [](BindingEditorTest& t) { t.part<QAbstractButton>("editor.cancel")->click(); }, false},
        {"Save", [](BindingEditorTest& t) { t.part<QAbstractButton>("editor.confirm")->click(); }, true},
        {"Escape", [](BindingEditorTest& t) { QTest::keyClick(t.editor, Qt::Key_Escape); }, false},
        {"Return", [](BindingEditorTest& t) { QTest::keyClick(t.editor, Qt::Key_Return); }, true},
        {"the sheet going away", [](BindingEditorTest& t) { t.editor->hide(); }, {}},
        {"the window closing", [](BindingEditorTest& t) { t.window->close(); }, {}},
        {"the window minimised", [](BindingEditorTest& t) { t.window->setWindowState(Qt::WindowMinimized); }, {}},
    };
    for (const auto& way : ways) {
        delete window;
        window = nullptr;
        results.clear();
        const Binding draft = fresh(Gesture::hold(2));
        auto& sheet = open(draft);
        sheet.toggleRecording();
        ASSERT_TRUE(sheet.isRecording()) << way.name;
        way.leave(*this);
        EXPECT_FALSE(sheet.isRecording()) << way.name;
        tap(3);
        EXPECT_TRUE(ran(mute)) << way.name << ": the engine still held the request";
        EXPECT_EQ(sheet.draft().gesture, Gesture::hold(2)) << way.name;
        if (way.handsBack) {
            ASSERT_EQ(results.size(), 1u) << way.name;
            EXPECT_EQ(results[0].has_value(), *way.handsBack) << way.name;
            if (results[0]) {
                EXPECT_EQ(*results[0], draft) << way.name << ": the gesture from before recording";
            }
        } else {
            EXPECT_TRUE(results.empty()) << way.name;
        }
    }
}

TEST_F(BindingEditorTest, confirm_handsBackTheWholeDraft_titleAndButtonFollowIsNew) {
    Binding draft = fresh(Gesture::tap(2, 2), {"com.a"});
    draft.title = "Kept as it came";
    auto& sheet = open(draft, true);
    EXPECT_EQ(text("editor.title"), "New shortcut");
    EXPECT_EQ(part<QAbstractButton>("editor.confirm")->text(), "Add");
    auto* kind = part<GesturePicker>("editor.gesturePicker")->kindMenu();
    kind->setCurrentIndex(1);  // Hold: three fingers
    emit kind->activated(1);
    part<LiquidToggle>("editor.enabled")->liquidSwitch()->click();
    part<QAbstractButton>("editor.confirm")->click();
    ASSERT_EQ(results.size(), 1u);
    Binding expected = draft;
    expected.gesture = Gesture::hold(3);
    expected.enabled = false;
    EXPECT_EQ(results[0], expected);
    EXPECT_EQ(part<SymbolTile>("editor.tile")->symbol(), "hand.raised");
    EXPECT_FALSE(sheet.isRecording());

    delete window;
    window = nullptr;
    open(draft, false);
    EXPECT_EQ(text("editor.title"), "Edit shortcut");
    EXPECT_EQ(part<QAbstractButton>("editor.confirm")->text(), "Save");
}

TEST_F(BindingEditorTest, clash_againstTheOwnListOrThePacksSiblings_withTheirWording) {
    // Its own stored copy does not clash.
    open(model->config().bindings[0]);
    EXPECT_FALSE(clashShown());

    delete window;
    window = nullptr;
    open(fresh(Gesture::tap(3, 1)));
    EXPECT_TRUE(clashShown());
    EXPECT_EQ(text("editor.clash"), "Another of your shortcuts already uses this gesture in the same apps.");
    // Limited to an app, it no longer clashes with the shortcut for every app.
    auto* scope = part<AppScopePicker>("editor.scope");
    emit scope->appsEdited({"com.a"});
    EXPECT_FALSE(clashShown());
    // The own list changes elsewhere: the warning follows.
    AppConfig config = model->config();
    config.bindings[0].apps = {"com.a"};
    model->setConfig(config);
    EXPECT_TRUE(clashShown());
    EXPECT_TRUE(part("editor.confirm")->isEnabled());

    // With siblings, only they count, and the wording is the pack's.
    delete window;
    window = nullptr;
    open(fresh(Gesture::tap(3, 1)), false, std::vector<Binding>{});
    EXPECT_FALSE(clashShown());
    delete window;
    window = nullptr;
    open(fresh(Gesture::hold(5)), false, std::vector<Binding>{fresh(Gesture::hold(5))});
    EXPECT_TRUE(clashShown());
    EXPECT_EQ(text("editor.clash"), "Another shortcut in this pack already uses this gesture in the same apps.");
}

}  // namespace
}  // namespace velorin
