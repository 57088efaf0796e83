#include "Velorin/Design/WaterTicker.h"

#include <QEvent>
#include <QWidget>

#include <cmath>

namespace velorin {

WaterTicker::WaterTicker(QWidget* view, std::function<int()> framesPerSecond)
    : QObject(view), view_(view), framesPerSecond_(std::move(framesPerSecond)) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &WaterTicker::tick);
    view_->installEventFilter(this);
}

bool WaterTicker::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (watched == view_) {
        if (type == QEvent::Show) {
            watchWindow();
            refresh();
        } else if (type == QEvent::Hide) {
            refresh();
        } else if (type == QEvent::WindowStateChange) {
            refreshLater();  // the view is a window of its own
        }
    } else if (watched == watchedWindow_) {
        if (type == QEvent::WindowStateChange || type == QEvent::Show || type == QEvent::Hide) refreshLater();
    }
    return QObject::eventFilter(watched, event);
}

void WaterTicker::refreshLater() {
    // After the window has taken its new state.
    QMetaObject::invokeMethod(this, &WaterTicker::refresh, Qt::QueuedConnection);
}

void WaterTicker::watchWindow() {
    QWidget* top = view_->window();
    if (top == watchedWindow_) return;
    if (watchedWindow_) watchedWindow_->removeEventFilter(this);
    watchedWindow_ = top;
    if (top != view_) top->installEventFilter(this);
}

void WaterTicker::refresh() {
    const bool shown = view_->isVisible() && !view_->window()->isMinimized();
    if (!shown) {
        timer_.stop();
        return;
    }
    const int interval = int(std::lround(1000.0 / framesPerSecond_()));
    if (timer_.isActive() && timer_.interval() == interval) return;
    timer_.start(interval);
}

}  // namespace velorin
