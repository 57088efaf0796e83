#pragma once
// The water background a window places behind its content: a plain widget
// that never takes mouse events, fed through `WaterSurface`. Where an OpenGL
// 3.3 core context can be made it holds a `WaterView` filling it; where it
// cannot, it holds nothing and draws nothing, so the window never depends on
// OpenGL to work. A test window can feed a recording `WaterSurface` instead.
//
// Layering. The window's water is a `QOpenGLWidget` at the bottom of the
// window: Qt composes every OpenGL widget first and the ordinary widgets'
// backing store over it, so translucent cards, sheets and popovers blend over
// the water in their own order, at no cost beyond the water's own frame.
// A pad that shows clipped water of its own (the trackpad tab, the empty
// shortcut list, the studio) is not a second `QOpenGLWidget` with its
// overlays painted inside its GL paint: its rounded corners would need
// `WA_AlwaysStackOnTop`, which lifts it over every ordinary widget, sheets and
// popovers included. Its layer (made with `Clipped`) renders the water
// offscreen instead, reads it back and paints the image clipped to its shape
// with QPainter; the pad's overlays are ordinary widgets or painting over it,
// so it stacks, clips and overlays as any widget does. Measured with
// WaterBench on Mesa's software rasteriser, for a 360×240 pad: 15.7 ms for
// the water's passes alone; overlays painted in GL +0.2 ms; read back and
// painted as an image +0.6 ms. The same read-back for the whole 820×580
// window would add 1.7 ms a frame, so the window's own water stays a GL widget.

#include "Velorin/Design/WaterInput.h"

#include <QSurfaceFormat>
#include <QWidget>

#include <functional>

namespace velorin {

class WaterPicture;
class WaterView;

class WaterLayer final : public QWidget, public WaterSurface {
    Q_OBJECT

public:
    // OpenGL 3.3 core with an alpha channel: what the water's program needs.
    static QSurfaceFormat surfaceFormat();
    // Makes it every context's default; call before the application object is made.
    static void useSurfaceFormat();

    // `clock`: the water's time in seconds; the platform's uptime when empty.
    explicit WaterLayer(QWidget* parent = nullptr, const QSurfaceFormat& format = surfaceFormat(),
                        std::function<double()> clock = {});

    // A pad's water: clipped to a rectangle with continuous corners of
    // `cornerRadius`, drawn offscreen and painted as an image (`WaterPicture`).
    struct Clipped {
        double cornerRadius = 0;
    };
    WaterLayer(QWidget* parent, Clipped clip, const QSurfaceFormat& format = surfaceFormat(),
               std::function<double()> clock = {});

    void update(const WaterInput& input) override;
    using QWidget::update;

    const WaterInput& input() const { return input_; }
    // The GPU view; null where no OpenGL context could be made.
    WaterView* view() const { return view_; }
    // The clipped water's picture; null for the window's water, and where no context could be made.
    WaterPicture* picture() const { return picture_; }

    // Whether a context of `format` can be made and made current here, on a
    // platform that composes OpenGL widgets into windows.
    static bool canRender(const QSurfaceFormat& format);
    // Whether a context of `format` can be made and made current here at all.
    static bool canMakeContext(const QSurfaceFormat& format);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    WaterInput input_;
    WaterView* view_ = nullptr;
    WaterPicture* picture_ = nullptr;
};

}  // namespace velorin
