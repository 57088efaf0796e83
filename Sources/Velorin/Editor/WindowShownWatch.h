#pragma once
// Tells a view that listens for a gesture when the window it sits in stops
// being seen (closed, hidden or minimised) and when it is seen again, so the
// view can give the engine's recording request back while nobody watches.
// It follows the view's top-level window, whichever that is when the view is
// shown.

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>

namespace velorin {

class WindowShownWatch final : public QObject {
public:
    // `changed(shown)` is called on every change of whether the window is seen.
    WindowShownWatch(QWidget* view, std::function<void(bool shown)> changed);

    bool isShown() const { return shown_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    void update();

    QWidget* view_;
    std::function<void(bool)> changed_;
    QPointer<QWidget> window_;
    bool shown_ = false;
};

}  // namespace velorin
