#include "Velorin/Design/WaterLayer.h"

#include "Velorin/Design/WaterPicture.h"
#include "Velorin/Design/WaterRenderer.h"
#include "Velorin/Design/WaterView.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QResizeEvent>

namespace velorin {

QSurfaceFormat WaterLayer::surfaceFormat() {
    QSurfaceFormat format;
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(3, 3);
    format.setProfile(QSurfaceFormat::CoreProfile);
    format.setAlphaBufferSize(8);
    format.setDepthBufferSize(0);
    format.setStencilBufferSize(8);  // QPainter clips with it on a GL target
    return format;
}

void WaterLayer::useSurfaceFormat() { QSurfaceFormat::setDefaultFormat(surfaceFormat()); }

bool WaterLayer::canRender(const QSurfaceFormat& format) {
    // These platforms can make a context (offscreen does, with a display) but
    // cannot compose an OpenGL widget into a window: Qt crashes flushing it.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return false;
    return canMakeContext(format);
}

bool WaterLayer::canMakeContext(const QSurfaceFormat& format) {
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create()) return false;
    if (!WaterRenderer::suits(context.format(), format)) return false;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface)) return false;
    context.doneCurrent();
    return true;
}

WaterLayer::WaterLayer(QWidget* parent, const QSurfaceFormat& format, std::function<double()> clock) : QWidget(parent) {
    setObjectName("water");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    if (canRender(format)) {
        view_ = new WaterView(this, std::move(clock));
        view_->setFormat(format);
        view_->setGeometry(rect());
    }
}

WaterLayer::WaterLayer(QWidget* parent, Clipped clip, const QSurfaceFormat& format, std::function<double()> clock)
    : QWidget(parent) {
    setObjectName("water");
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    if (canMakeContext(format)) {
        picture_ = new WaterPicture(this, format, clip.cornerRadius, std::move(clock));
        picture_->setGeometry(rect());
    }
}

void WaterLayer::update(const WaterInput& input) {
    input_ = input;
    if (view_) view_->update(input);
    if (picture_) picture_->update(input);
}

void WaterLayer::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (view_) view_->setGeometry(rect());
    if (picture_) picture_->setGeometry(rect());
}

}  // namespace velorin
