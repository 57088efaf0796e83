#pragma once
// Chooses a gesture by hand from pop-up menus: its kind (tap, hold, corner
// tap) and, by kind, the number of fingers, the number of taps or the corner.
// The gesture belongs to the caller: `setGesture` shows the caller's value,
// and a pick emits `gesturePicked` with a whole new gesture (and shows it).
// Nothing else changes it.

#include <QWidget>

#include "Recognizer/Gesture.h"

class QComboBox;
class QHBoxLayout;

namespace velorin {

class GesturePicker : public QWidget {
    Q_OBJECT
public:
    explicit GesturePicker(QWidget* parent = nullptr);
    ~GesturePicker() override;

    const Gesture& gesture() const { return gesture_; }
    // Shows the caller's gesture; emits nothing.
    void setGesture(const Gesture& gesture);

    // The menus, by object name: "gesturePicker.kind", "gesturePicker.fingers",
    // "gesturePicker.count", "gesturePicker.corner".
    QComboBox* kindMenu() const { return kind_; }
    QComboBox* fingerMenu() const { return fingers_; }
    QComboBox* countMenu() const { return count_; }
    QComboBox* cornerMenu() const { return corner_; }

signals:
    // The user picked a menu item that changes the gesture; `gesture` is the new value.
    void gesturePicked(const velorin::Gesture& gesture);

private:
    void pick(const Gesture& gesture);
    void showGesture();

    Gesture gesture_;
    QHBoxLayout* row_ = nullptr;
    QComboBox* kind_ = nullptr;
    QComboBox* fingers_ = nullptr;
    QComboBox* count_ = nullptr;
    QComboBox* corner_ = nullptr;
};

}  // namespace velorin
