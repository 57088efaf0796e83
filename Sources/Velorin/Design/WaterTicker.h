#pragma once
// The water's frame loop, shared by every way of drawing it: a timer at the
// water's frame rate that runs only while its view and the view's window are
// shown and not minimised, so hidden water costs no timer at all.

#include <QObject>
#include <QPointer>
#include <QTimer>

#include <functional>

class QWidget;

namespace velorin {

class WaterTicker final : public QObject {
    Q_OBJECT

public:
    // `framesPerSecond` is asked again on every `refresh`.
    WaterTicker(QWidget* view, std::function<int()> framesPerSecond);

    // Starts, stops or retimes the timer after anything that can change it.
    void refresh();

    bool isTicking() const { return timer_.isActive(); }
    int interval() const { return timer_.interval(); }  // milliseconds

signals:
    void tick();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void watchWindow();
    void refreshLater();

    QWidget* view_;
    std::function<int()> framesPerSecond_;
    QTimer timer_;
    QPointer<QWidget> watchedWindow_;
};

}  // namespace velorin
