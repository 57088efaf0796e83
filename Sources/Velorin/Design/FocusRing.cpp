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

FocusRing::FocusRing(QWidget* control) : control_(control) { control->installEventFilter(this); }

bool FocusRing::movedByKeyboard(Qt::FocusReason reason) {
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

bool FocusRing::shows() const { return byKeyboard_ && control_->hasFocus(); }

bool FocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == control_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (!withTheWindow(reason)) byKeyboard_ = event->type() == QEvent::FocusIn && movedByKeyboard(reason);
        control_->update();
    }
    return false;
}

}  // namespace velorin
