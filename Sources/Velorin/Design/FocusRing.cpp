#include "Velorin/Design/FocusRing.h"

#include <QFocusEvent>
#include <QWidget>

namespace velorin {

namespace {
// The window lost or regained the focus as a whole: the control's own focus did not move.
bool withTheWindow(Qt::FocusReason reason) {
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}
}  // namespace

bool FocusRing::movedByKeyboard(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

void FocusRing::focusIn(const QFocusEvent& event) {
    if (!withTheWindow(event.reason())) byKeyboard_ = movedByKeyboard(event.reason());
}

void FocusRing::focusOut(const QFocusEvent& event) {
    if (!withTheWindow(event.reason())) byKeyboard_ = false;
}

bool FocusRing::shows(const QWidget& control) const { return byKeyboard_ && control.hasFocus(); }

}  // namespace velorin
