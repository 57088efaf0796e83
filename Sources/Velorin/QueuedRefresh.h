#pragma once
// A refresh run on the next turn of the event loop, once however often it was
// asked for before then: views refresh after a change this way, never inside
// the handler that made it (which may belong to a widget the refresh replaces).
// A refresh still pending when its context goes is dropped with it.

#include <QObject>

#include <functional>
#include <utility>

namespace velorin {

class QueuedRefresh {
public:
    QueuedRefresh(QObject* context, std::function<void()> refresh) : context_(context), refresh_(std::move(refresh)) {}
    QueuedRefresh(const QueuedRefresh&) = delete;
    QueuedRefresh& operator=(const QueuedRefresh&) = delete;

    void schedule() {
        if (pending_) return;
        pending_ = true;
        QMetaObject::invokeMethod(
            context_,
            [this] {
                pending_ = false;
                refresh_();
            },
            Qt::QueuedConnection);
    }
    bool isPending() const { return pending_; }

private:
    QObject* context_;
    std::function<void()> refresh_;
    bool pending_ = false;
};

}  // namespace velorin
