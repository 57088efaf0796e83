#pragma once
// Water drawn offscreen and painted as an image, clipped to a rounded shape:
// the clipped water of a pad (the trackpad tab, the empty shortcut list, the
// studio). It stacks, clips and takes overlays as any ordinary widget does,
// where an OpenGL widget would have to stand above every other widget to get
// rounded corners (see `WaterLayer`). It owns its own context, made on the
// first frame; without one it draws nothing. Like the window's water it
// takes no mouse events and ticks only while shown.

#include "Velorin/Design/WaterInput.h"
#include "Velorin/Design/WaterModel.h"
#include "Velorin/Design/WaterRenderer.h"
#include "Velorin/Design/WaterTicker.h"

#include <QImage>
#include <QSurfaceFormat>
#include <QWidget>

#include <functional>
#include <memory>

class QOffscreenSurface;
class QOpenGLContext;
class QOpenGLFramebufferObject;

namespace velorin {

class WaterPicture final : public QWidget, public WaterSurface {
    Q_OBJECT

public:
    // The water's clock, in seconds (the platform's uptime when empty).
    using Clock = std::function<double()>;

    WaterPicture(QWidget* parent, const QSurfaceFormat& format, double cornerRadius, Clock clock = {});
    ~WaterPicture() override;

    void update(const WaterInput& input) override;
    using QWidget::update;

    double cornerRadius() const { return cornerRadius_; }
    void setCornerRadius(double radius);

    // Steps and shades one frame now and repaints. The timer calls it; tests may too.
    void drawFrame();

    bool isTicking() const { return ticker_.isTicking(); }
    int framesPerSecond() const { return model_.framesPerSecond(); }
    // False once a context could not be made: the picture stays empty.
    bool canDraw() const { return !failed_; }
    int framesDrawn() const { return framesDrawn_; }
    // The latest frame, premultiplied, at the widget's pixel size.
    const QImage& image() const { return image_; }
    const WaterModel& model() const { return model_; }

signals:
    void frameDrawn();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool makeCurrent();
    void releaseGL();

    QSurfaceFormat format_;
    double cornerRadius_;
    Clock clock_;
    WaterModel model_;
    WaterRenderer renderer_;
    std::unique_ptr<QOpenGLContext> context_;
    std::unique_ptr<QOffscreenSurface> surface_;
    std::unique_ptr<QOpenGLFramebufferObject> target_;
    QImage image_;
    bool failed_ = false;
    int framesDrawn_ = 0;
    WaterTicker ticker_{this, [this] { return model_.framesPerSecond(); }};
};

}  // namespace velorin
