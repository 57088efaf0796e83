#include "Velorin/Design/WaterPicture.h"

#include "Platform/Platform.h"
#include "Velorin/Design/ContinuousShape.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QPainter>

#include <cmath>

namespace velorin {

WaterPicture::WaterPicture(QWidget* parent, const QSurfaceFormat& format, double cornerRadius, Clock clock)
    : QWidget(parent),
      format_(format),
      cornerRadius_(cornerRadius),
      clock_(clock ? std::move(clock) : Clock([] { return platform::current().clock().systemUptime(); })),
      model_(clock_()) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    connect(&ticker_, &WaterTicker::tick, this, &WaterPicture::drawFrame);
}

WaterPicture::~WaterPicture() { releaseGL(); }

void WaterPicture::update(const WaterInput& input) {
    model_.update(input, clock_());
    ticker_.refresh();
}

void WaterPicture::setCornerRadius(double radius) {
    if (radius == cornerRadius_) return;
    cornerRadius_ = radius;
    QWidget::update();
}

bool WaterPicture::makeCurrent() {
    if (failed_) return false;
    if (!context_) {
        context_ = std::make_unique<QOpenGLContext>();
        context_->setFormat(format_);
        surface_ = std::make_unique<QOffscreenSurface>();
        bool made = context_->create() && WaterRenderer::suits(context_->format(), format_);
        if (made) {
            surface_->setFormat(context_->format());
            surface_->create();
            made = surface_->isValid() && context_->makeCurrent(surface_.get());
        }
        if (!made || !renderer_.build()) {
            // Without a context, or with programs that don't build (logged once
            // by the renderer), the picture stays empty for the whole run.
            if (made) context_->doneCurrent();
            failed_ = true;
            surface_.reset();
            context_.reset();
            return false;
        }
        return true;
    }
    return context_->makeCurrent(surface_.get());
}

void WaterPicture::drawFrame() {
    const double ratio = devicePixelRatioF();
    const QSize pixels(int(std::lround(width() * ratio)), int(std::lround(height() * ratio)));
    if (width() <= 1 || height() <= 1 || !makeCurrent()) return;
    const QSizeF points(width(), height());
    if (!target_ || target_->size() != pixels) {
        target_.reset();
        auto made = std::make_unique<QOpenGLFramebufferObject>(pixels);
        if (made->isValid()) target_ = std::move(made);
    }
    // A framebuffer or texture that can't be made now is tried again on the next frame.
    if (!target_ || !renderer_.ensureState(WaterModel::gridSize(points))) {
        context_->doneCurrent();
        return;
    }
    const WaterModel::Frame frame = model_.frame(clock_(), points, renderer_.grid());
    renderer_.setUniforms(frame.uniforms);
    renderer_.step(frame.steps);
    renderer_.draw(target_->handle(), pixels);
    image_ = target_->toImage();  // premultiplied, turned from OpenGL's bottom-up rows
    image_.setDevicePixelRatio(ratio);
    context_->doneCurrent();
    ++framesDrawn_;
    ticker_.refresh();
    QWidget::update();
    emit frameDrawn();
}

void WaterPicture::releaseGL() {
    if (!context_ || !context_->makeCurrent(surface_.get())) return;
    renderer_.release();
    target_.reset();
    context_->doneCurrent();
}

void WaterPicture::paintEvent(QPaintEvent*) {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setClipPath(continuousRoundedRect(QRectF(rect()), cornerRadius_));
    painter.drawImage(QRectF(rect()), image_);
}

}  // namespace velorin
