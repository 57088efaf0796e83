#include "Velorin/Design/WaterView.h"

#include "Platform/Platform.h"

#include <QEvent>
#include <QOpenGLContext>

#include <cmath>

namespace velorin {

WaterView::WaterView(QWidget* parent, Clock clock)
    : QOpenGLWidget(parent),
      clock_(clock ? std::move(clock) : Clock([] { return platform::current().clock().systemUptime(); })),
      model_(clock_()) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setUpdateBehavior(QOpenGLWidget::NoPartialUpdate);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, [this] { QOpenGLWidget::update(); });
}

WaterView::~WaterView() {
    releaseGL();
    // The base class ends the context after this part of the view is gone.
    if (context()) disconnect(context(), nullptr, this, nullptr);
}

double WaterView::now() const { return clock_(); }

void WaterView::update(const WaterInput& input) {
    model_.update(input, now());
    refreshTimer();
}

void WaterView::initializeGL() {
    // A new context (first show, or a move to another window) starts from scratch.
    renderer_.release();
    renderer_.build();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &WaterView::releaseGL, Qt::UniqueConnection);
}

void WaterView::releaseGL() {
    if (!context() || !renderer_.isBuilt()) return;
    makeCurrent();
    renderer_.release();
    doneCurrent();
}

void WaterView::paintGL() {
    const QSize pixels(int(std::lround(width() * devicePixelRatioF())),
                       int(std::lround(height() * devicePixelRatioF())));
    const QSizeF points(width(), height());
    const QSize grid = WaterModel::gridSize(points);
    const bool drawable = width() > 1 && height() > 1 && renderer_.isBuilt() && renderer_.ensureState(grid);
    if (!drawable) {
        // Nothing changes on a skipped frame; the view stays transparent.
        renderer_.draw(defaultFramebufferObject(), pixels);
        return;
    }
    const WaterModel::Frame frame = model_.frame(now(), points, renderer_.grid());
    renderer_.setUniforms(frame.uniforms);
    renderer_.step(frame.steps);
    renderer_.draw(defaultFramebufferObject(), pixels);
    ++framesDrawn_;
    refreshTimer();
    emit frameDrawn();
}

void WaterView::showEvent(QShowEvent* event) {
    QOpenGLWidget::showEvent(event);
    watchWindow();
    refreshTimer();
}

void WaterView::hideEvent(QHideEvent* event) {
    QOpenGLWidget::hideEvent(event);
    refreshTimer();
}

void WaterView::changeEvent(QEvent* event) {
    QOpenGLWidget::changeEvent(event);
    // When the view is a window of its own.
    if (event->type() == QEvent::WindowStateChange)
        QMetaObject::invokeMethod(this, &WaterView::refreshTimer, Qt::QueuedConnection);
}

bool WaterView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == watchedWindow_) {
        switch (event->type()) {
            case QEvent::WindowStateChange:
            case QEvent::Show:
            case QEvent::Hide:
                // After the window has taken its new state.
                QMetaObject::invokeMethod(this, &WaterView::refreshTimer, Qt::QueuedConnection);
                break;
            default:
                break;
        }
    }
    return QOpenGLWidget::eventFilter(watched, event);
}

void WaterView::watchWindow() {
    QWidget* top = window();
    if (top == watchedWindow_) return;
    if (watchedWindow_) watchedWindow_->removeEventFilter(this);
    watchedWindow_ = top;
    if (top != this) top->installEventFilter(this);
}

void WaterView::refreshTimer() {
    const bool shown = isVisible() && !window()->isMinimized();
    if (!shown) {
        timer_.stop();
        return;
    }
    const int interval = int(std::lround(1000.0 / model_.framesPerSecond()));
    if (timer_.isActive() && timer_.interval() == interval) return;
    timer_.start(interval);
}

}  // namespace velorin
