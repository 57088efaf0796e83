#pragma once
// Focus rings are for keyboard focus only. A control keeps one `FocusRing`,
// tells it of its focus events and draws its ring while `shows` answers true:
// focus moved by the keyboard (Tab, Shift-Tab, a shortcut) shows the ring;
// focus given by a click, by code or by the window opening shows none. Focus
// that only leaves with its window (another window or a popup taking over)
// comes back as it was.

#include <Qt>

class QFocusEvent;
class QWidget;

namespace velorin {

class FocusRing {
public:
    static bool movedByKeyboard(Qt::FocusReason reason);

    // Call from the control's focusInEvent and focusOutEvent.
    void focusIn(const QFocusEvent& event);
    void focusOut(const QFocusEvent& event);

    // Whether `control`, which keeps this ring, draws it now.
    bool shows(const QWidget& control) const;

private:
    bool byKeyboard_ = false;
};

}  // namespace velorin
