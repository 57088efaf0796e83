#pragma once
// Recording a key combination from the keyboard. While it listens, the
// recorder sees every key event of the application before any widget does:
// the first key that is not a modifier on its own (and not a repeat) ends the
// recording, and neither it nor its shortcut override reaches the window, so
// a sheet's default or cancel button never acts on Return or Escape.
//
// A key becomes a macOS virtual key code from its physical position where the
// desktop reports one (so a layout's letters don't matter), else from the key
// Qt names, with the shifted symbols of a US keyboard. The modifiers become
// the macOS form that presses the same keys again in ordinary apps: Ctrl is
// command, Alt option, Shift shift, and Super (the desktop's own key) control.

#include <QObject>

#include <cstdint>
#include <optional>

#include "Actions/KeyCombo.h"

class QKeyEvent;

namespace velorin {

// One key press as the recorder takes it.
struct KeyPress {
    int key = 0;                               // Qt::Key
    Qt::KeyboardModifiers modifiers;           // as Qt reports them
    std::optional<std::uint16_t> physicalKey;  // the virtual key code of its position, when known
    bool autoRepeat = false;
    bool capsLock = false;

    // The press of a Qt key event, its position asked of the platform.
    static KeyPress of(const QKeyEvent& event);
};

struct KeyRecording {
    enum class Outcome {
        ignored,    // a modifier alone, a repeat or a key without a virtual code: keep listening
        cancelled,  // Escape with no modifier and Caps Lock off: stop, record nothing
        recorded,   // stop with `combo`
    };
    Outcome outcome = Outcome::ignored;
    KeyCombo combo;

    bool operator==(const KeyRecording&) const = default;

    static KeyRecording of(const KeyPress& press);
};

// The virtual key code of a Qt key (keypad keys when `keypad`); absent for
// keys that have none.
std::optional<std::uint16_t> virtualKeyForQtKey(int key, bool keypad = false);
// Ctrl → command, Alt → option, Shift → shift, Super → control.
KeyCombo::Modifiers macModifiers(Qt::KeyboardModifiers modifiers);
// Whether the key is a modifier or a lock on its own.
bool isModifierKey(int key);

class KeyRecorder : public QObject {
    Q_OBJECT
public:
    explicit KeyRecorder(QObject* parent = nullptr);
    ~KeyRecorder() override;

    // Starts listening to the whole application; harmless when listening.
    void start();
    // Stops listening; harmless when not.
    void stop();
    bool isListening() const { return listening_; }

signals:
    // The recording ended with a combination (after which it has stopped).
    void recorded(const velorin::KeyCombo& combo);
    // The recording ended, recorded or cancelled.
    void ended();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool listening_ = false;
};

}  // namespace velorin
