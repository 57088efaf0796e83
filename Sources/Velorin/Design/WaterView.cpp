#include "Velorin/Design/WaterView.h"

#include "Platform/Platform.h"

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
    connect(&ticker_, &WaterTicker::tick, this, [this] { QOpenGLWidget::update(); });
}

WaterView::~WaterView() {
    releaseGL();
    // The base class ends the context after this part of the view is gone.
    if (context()) disconnect(context(), nullptr, this, nullptr);
}

double WaterView::now() const { return clock_(); }

void WaterView::update(const WaterInput& input) {
    model_.update(input, now());
    ticker_.refresh();
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
    ticker_.refresh();
    emit frameDrawn();
}

}  // namespace velorin
