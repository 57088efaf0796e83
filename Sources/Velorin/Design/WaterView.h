#pragma once
// The water drawn with OpenGL: a `QOpenGLWidget` that owns the GPU state
// (`WaterRenderer`) and the CPU side (`WaterModel`), and runs the frame loop.
// Its timer ticks at the model's frame rate (60, 12 when idle, 2 with Reduce
// Motion) and not at all while the view or its window is hidden or
// minimised. It takes no mouse events and no focus. Views do not make it
// themselves: `WaterLayer` makes one where OpenGL works.

#include "Velorin/Design/WaterInput.h"
#include "Velorin/Design/WaterModel.h"
#include "Velorin/Design/WaterRenderer.h"
#include "Velorin/Design/WaterTicker.h"

#include <QOpenGLWidget>

#include <functional>

namespace velorin {

class WaterView final : public QOpenGLWidget, public WaterSurface {
    Q_OBJECT

public:
    // The water's clock, in seconds (the platform's uptime unless a test sets one).
    using Clock = std::function<double()>;

    explicit WaterView(QWidget* parent = nullptr, Clock clock = {});
    ~WaterView() override;

    void update(const WaterInput& input) override;
    using QOpenGLWidget::update;

    // Whether the frame timer runs, and its rate.
    bool isTicking() const { return ticker_.isTicking(); }
    int frameInterval() const { return ticker_.interval(); }  // milliseconds
    int framesPerSecond() const { return model_.framesPerSecond(); }
    // Built: the programs compiled; false when the view draws nothing.
    bool isBuilt() const { return renderer_.isBuilt(); }
    // Frames drawn (stepped and shaded) so far.
    int framesDrawn() const { return framesDrawn_; }

    const WaterModel& model() const { return model_; }
    // The GPU side, for tests; call with the view's context current.
    WaterRenderer& renderer() { return renderer_; }

signals:
    void frameDrawn();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    double now() const;
    void releaseGL();

    Clock clock_;
    WaterModel model_;
    WaterRenderer renderer_;
    WaterTicker ticker_{this, [this] { return model_.framesPerSecond(); }};
    int framesDrawn_ = 0;
};

}  // namespace velorin
