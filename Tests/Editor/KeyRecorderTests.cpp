#include <gtest/gtest.h>

#include <QAction>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include <linux/input-event-codes.h>

#include "QtTestApp.h"
#include "Platform/Linux/KeyMap.h"
#include "Platform/Linux/KeyRules.h"
#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Editor/KeyRecorder.h"

namespace velorin {
namespace {

using M = KeyCombo::Modifiers;
using Outcome = KeyRecording::Outcome;

KeyPress press(int key, Qt::KeyboardModifiers modifiers = {}, std::optional<std::uint16_t> physical = std::nullopt) {
    KeyPress p;
    p.key = key;
    p.modifiers = modifiers;
    p.physicalKey = physical;
    return p;
}

TEST(KeyRecording, translatesQtKeysAndModifiers_intoTheMacForm) {
    struct Case {
        const char* name;
        KeyPress press;
        KeyRecording result;
    };
    const Qt::KeyboardModifiers ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const std::vector<Case> cases{
        {"ctrl shift K", press(Qt::Key_K, ctrlShift), {Outcome::recorded, KeyCombo(40, {M::command, M::shift})}},
        {"alt tab", press(Qt::Key_Tab, Qt::AltModifier), {Outcome::recorded, KeyCombo(48, M::option)}},
        {"super K is control", press(Qt::Key_K, Qt::MetaModifier), {Outcome::recorded, KeyCombo(40, M::control)}},
        {"F5 alone", press(Qt::Key_F5), {Outcome::recorded, KeyCombo(96, {})}},
        {"shift 1 gives !", press(Qt::Key_Exclam, Qt::ShiftModifier), {Outcome::recorded, KeyCombo(18, M::shift)}},
        {"shift / gives ?", press(Qt::Key_Question, Qt::ShiftModifier), {Outcome::recorded, KeyCombo(44, M::shift)}},
        {"shift tab", press(Qt::Key_Backtab, Qt::ShiftModifier), {Outcome::recorded, KeyCombo(48, M::shift)}},
        {"keypad 1", press(Qt::Key_1, Qt::KeypadModifier), {Outcome::recorded, KeyCombo(83, {})}},
        {"keypad enter", press(Qt::Key_Enter, Qt::KeypadModifier), {Outcome::recorded, KeyCombo(76, {})}},
        {"return", press(Qt::Key_Return), {Outcome::recorded, KeyCombo(36, {})}},
        {"up arrow", press(Qt::Key_Up, Qt::MetaModifier), {Outcome::recorded, KeyCombo(126, M::control)}},
        {"plain escape cancels", press(Qt::Key_Escape), {Outcome::cancelled, {}}},
        {"escape with ctrl", press(Qt::Key_Escape, Qt::ControlModifier), {Outcome::recorded, KeyCombo(53, M::command)}},
        {"shift alone", press(Qt::Key_Shift, Qt::ShiftModifier), {}},
        {"ctrl alone", press(Qt::Key_Control, Qt::ControlModifier), {}},
        {"super alone", press(Qt::Key_Super_L, Qt::MetaModifier), {}},
        {"caps lock alone", press(Qt::Key_CapsLock), {}},
        {"a key without a code", press(Qt::Key_MediaPlay), {}},
        // The physical position wins over the key a layout names.
        {"azerty A at Q's place", press(Qt::Key_A, Qt::ControlModifier, 12), {Outcome::recorded, KeyCombo(12, M::command)}},
    };
    for (const auto& c : cases) EXPECT_EQ(KeyRecording::of(c.press), c.result) << c.name;

    KeyPress repeat = press(Qt::Key_K, Qt::ControlModifier);
    repeat.autoRepeat = true;
    EXPECT_EQ(KeyRecording::of(repeat).outcome, Outcome::ignored);
    KeyPress capsEscape = press(Qt::Key_Escape);
    capsEscape.capsLock = true;
    EXPECT_EQ(KeyRecording::of(capsEscape), (KeyRecording{Outcome::recorded, KeyCombo(53, {})}));
}

// What is recorded presses the same keys again in an ordinary app.
TEST(KeyRecording, roundTrip_theRecordedCombinationPressesThePressedKeysAgain) {
    using linux_platform::DesktopKind;
    using linux_platform::KeyStyle;
    using linux_platform::LinuxCombination;
    struct Case {
        const char* name;
        KeyPress press;
        LinuxCombination pressedAgain;
    };
    const std::vector<Case> cases{
        {"ctrl shift K", press(Qt::Key_K, Qt::ControlModifier | Qt::ShiftModifier), {{KEY_LEFTCTRL, KEY_LEFTSHIFT}, KEY_K}},
        {"ctrl C", press(Qt::Key_C, Qt::ControlModifier), {{KEY_LEFTCTRL}, KEY_C}},
        {"alt F4", press(Qt::Key_F4, Qt::AltModifier), {{KEY_LEFTALT}, KEY_F4}},
        {"ctrl alt T", press(Qt::Key_T, Qt::ControlModifier | Qt::AltModifier), {{KEY_LEFTCTRL, KEY_LEFTALT}, KEY_T}},
        {"shift ?", press(Qt::Key_Question, Qt::ShiftModifier), {{KEY_LEFTSHIFT}, KEY_SLASH}},
        {"F5", press(Qt::Key_F5), {{}, KEY_F5}},
        {"ctrl super K", press(Qt::Key_K, Qt::ControlModifier | Qt::MetaModifier), {{KEY_LEFTCTRL, KEY_LEFTMETA}, KEY_K}},
    };
    for (const auto& c : cases) {
        const KeyRecording recorded = KeyRecording::of(c.press);
        ASSERT_EQ(recorded.outcome, Outcome::recorded) << c.name;
        std::uint64_t flags = 0;
        if (recorded.combo.modifiers.contains(M::command)) flags |= event_flags::command;
        if (recorded.combo.modifiers.contains(M::option)) flags |= event_flags::alternate;
        if (recorded.combo.modifiers.contains(M::shift)) flags |= event_flags::shift;
        if (recorded.combo.modifiers.contains(M::control)) flags |= event_flags::control;
        auto linux = linux_platform::linuxCombination(recorded.combo.keyCode, flags, KeyStyle::ordinary,
                                                      DesktopKind::other);
        ASSERT_TRUE(linux) << c.name;
        auto sorted = [](LinuxCombination l) {
            std::sort(l.modifiers.begin(), l.modifiers.end());
            return l;
        };
        EXPECT_EQ(sorted(*linux), sorted(c.pressedAgain)) << c.name;
        // The position also survives: the physical key gives the same code.
        EXPECT_EQ(linux_platform::macVirtualKey(c.pressedAgain.key), recorded.combo.keyCode) << c.name;
    }
}

class KeyRecorderTest : public ::testing::Test {
protected:
    KeyRecorderTest() { testing::qtApp(); }

    sim::SimPlatform sim;
};

TEST_F(KeyRecorderTest, recordsTheFirstKey_andSwallowsIt_soADialogNeitherAcceptsNorRejects) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* ok = new QPushButton("OK", &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    layout->addWidget(ok);
    auto* close = new QAction(&dialog);
    close->setShortcut(QKeySequence("Ctrl+W"));
    dialog.addAction(close);
    QSignalSpy accepted(&dialog, &QDialog::accepted);
    QSignalSpy rejected(&dialog, &QDialog::rejected);
    QSignalSpy triggered(close, &QAction::triggered);
    dialog.show();
    QApplication::setActiveWindow(&dialog);

    KeyRecorder recorder;
    QSignalSpy recorded(&recorder, &KeyRecorder::recorded);
    QSignalSpy ended(&recorder, &KeyRecorder::ended);
    const std::vector<std::pair<QKeySequence, KeyCombo>> cases{
        {QKeySequence(Qt::Key_Return), KeyCombo(36, {})},
        {QKeySequence(Qt::CTRL | Qt::Key_W), KeyCombo(13, M::command)},
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_K), KeyCombo(40, {M::command, M::shift})},
    };
    for (const auto& [keys, combo] : cases) {
        recorder.start();
        QTest::keySequence(&dialog, keys);
        EXPECT_FALSE(recorder.isListening());
        ASSERT_FALSE(recorded.isEmpty());
        EXPECT_EQ(recorded.takeLast().at(0).value<KeyCombo>(), combo);
    }
    EXPECT_EQ(ended.size(), 3);
    EXPECT_EQ(accepted.size(), 0);
    EXPECT_EQ(triggered.size(), 0);

    // A plain Escape ends the recording with nothing, and the dialog stays.
    recorder.start();
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(recorder.isListening());
    EXPECT_TRUE(recorded.isEmpty());
    EXPECT_EQ(rejected.size(), 0);
    EXPECT_TRUE(dialog.isVisible());

    // Not listening, keys reach the dialog again.
    QTest::keyClick(&dialog, Qt::Key_Return);
    EXPECT_EQ(accepted.size(), 1);
}

TEST_F(KeyRecorderTest, modifierPressesAndRepeatsKeepItListening) {
    QWidget target;
    target.show();
    KeyRecorder recorder;
    QSignalSpy recorded(&recorder, &KeyRecorder::recorded);
    recorder.start();
    QTest::keyPress(&target, Qt::Key_Control, Qt::ControlModifier);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_K, Qt::ControlModifier, "k", true);
    QCoreApplication::sendEvent(&target, &repeat);
    EXPECT_TRUE(recorder.isListening());
    EXPECT_TRUE(recorded.isEmpty());
    QTest::keyClick(&target, Qt::Key_K, Qt::ControlModifier);
    ASSERT_EQ(recorded.size(), 1);
    EXPECT_EQ(recorded.at(0).at(0).value<KeyCombo>(), KeyCombo(40, M::command));
}

TEST_F(KeyRecorderTest, thePhysicalKeyOfTheDesktopWins) {
    sim.eventSystem().setScanCode(24 + 8, 12);  // the key at Q's place
    QWidget target;
    target.show();
    KeyRecorder recorder;
    QSignalSpy recorded(&recorder, &KeyRecorder::recorded);
    recorder.start();
    QKeyEvent event(QEvent::KeyPress, Qt::Key_A, Qt::ControlModifier, 24 + 8, 0, 0, "a");
    QCoreApplication::sendEvent(&target, &event);
    ASSERT_EQ(recorded.size(), 1);
    EXPECT_EQ(recorded.at(0).at(0).value<KeyCombo>(), KeyCombo(12, M::command));
}

}  // namespace
}  // namespace velorin
