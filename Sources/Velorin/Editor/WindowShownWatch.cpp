#include "Velorin/Editor/WindowShownWatch.h"

#include <QEvent>

namespace velorin {

WindowShownWatch::WindowShownWatch(QWidget* view, std::function<void(bool shown)> changed)
    : QObject(view), view_(view), changed_(std::move(changed)) {
    view_->installEventFilter(this);
    follow();
    shown_ = window_ && window_->isVisible() && !window_->isMinimized();
}

void WindowShownWatch::follow() {
    QWidget* window = view_->window();
    if (window == window_) return;
    if (window_) window_->removeEventFilter(this);
    window_ = window;
    if (window_ && window_ != view_) window_->installEventFilter(this);
}

bool WindowShownWatch::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::Show:
        case QEvent::Hide:
        case QEvent::WindowStateChange:
        case QEvent::ParentChange:
            if (watched == view_) follow();
            update();
            break;
        default:
            break;
    }
    return QObject::eventFilter(watched, event);
}

void WindowShownWatch::update() {
    // A minimised window still counts as visible to Qt.
    const bool shown = window_ && window_->isVisible() && !window_->isMinimized() && view_->isVisible();
    if (shown == shown_) return;
    shown_ = shown;
    if (changed_) changed_(shown);
}

}  // namespace velorin
