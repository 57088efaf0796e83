// The water's costs on whatever OpenGL the display gives (run under xvfb-run
// for Mesa's software rasteriser): one frame at 820×580 in a real window
// (steps, shading, Qt's composition), the GPU passes alone, the two ways a
// pad's clipped water can reach the screen, and the CPU the process uses
// while an open window's water rests at 12 frames a second.
//
//   xvfb-run -a -s "-screen 0 1280x800x24" build/default/bench/WaterBench

#include <benchmark/benchmark.h>

#include "Velorin/Design/WaterLayer.h"
#include "Velorin/Design/WaterModel.h"
#include "Velorin/Design/WaterRenderer.h"
#include "Velorin/Design/WaterView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QOpenGLPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <vector>

using namespace velorin;

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "WaterBench";
    static char* argv[] = {name, nullptr};
    static QApplication* made = [] {
        setenv("QT_QPA_PLATFORM", "xcb", 0);
        WaterLayer::useSurfaceFormat();
        return new QApplication(argc, argv);
    }();
    return *made;
}

// What an active window shows: two fingers down, a few lit packs.
WaterInput busyInput() {
    WaterInput input;
    for (int i = 0; i < 2; ++i) {
        Touch t;
        t.id = i + 1;
        t.state = TouchState::touching;
        t.x = 0.3f + 0.3f * float(i);
        t.y = 0.5f;
        input.touches.push_back(t);
    }
    input.blobs = {FloorBlob{"a", 0.2f, 0.3f, 0.2f, {0.9f, 0.3f, 0.2f}, false},
                   FloorBlob{"b", 0.7f, 0.6f, 0.25f, {0.2f, 0.5f, 0.9f}, false},
                   FloorBlob{"c", 0.5f, 0.2f, 0.2f, {}, true}};
    return input;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double uptime() { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); }

double processSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

// An offscreen context with the water's programs, drawing into a framebuffer of `size`.
struct Offscreen {
    explicit Offscreen(QSize size) : pixels(size) {
        app();
        context.setFormat(WaterLayer::surfaceFormat());
        context.create();
        surface.setFormat(context.format());
        surface.create();
        context.makeCurrent(&surface);
        gl.initializeOpenGLFunctions();
        renderer.build();
        QOpenGLFramebufferObjectFormat format;
        format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
        target = std::make_unique<QOpenGLFramebufferObject>(size, format);
        model.update(busyInput(), time);
    }
    ~Offscreen() {
        renderer.release();
        target.reset();
        context.doneCurrent();
    }
    // One frame, 1/60 s after the last, finished on the GPU.
    void frame() {
        time += 1.0 / 60;
        model.update(busyInput(), time);
        const QSize grid = WaterModel::gridSize(pixels);
        renderer.ensureState(grid);
        const auto f = model.frame(time, pixels, grid);
        renderer.setUniforms(f.uniforms);
        renderer.step(f.steps);
        renderer.draw(target->handle(), pixels);
        gl.glFinish();
    }

    QSize pixels;
    QOpenGLContext context;
    QOffscreenSurface surface;
    QOpenGLExtraFunctions gl;
    WaterRenderer renderer;
    WaterModel model{0};
    double time = 0;
    std::unique_ptr<QOpenGLFramebufferObject> target;
};

// What a pad draws over its water: the finger dots and a label.
void paintOverlays(QPainter& painter, QSize size) {
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 255, 255, 160));
    for (int i = 0; i < 3; ++i)
        painter.drawEllipse(QPointF(size.width() * (0.25 + 0.25 * i), size.height() * 0.5), 14, 14);
    painter.setPen(Qt::black);
    painter.drawText(QRect(QPoint(0, 0), size), Qt::AlignBottom | Qt::AlignHCenter, "Tap with three fingers");
}

// A real 820×580 window: the view steps and shades, then Qt composes the window.
void BM_WaterWindowFrame(benchmark::State& state) {
    app();
    double time = 0;
    QWidget window;
    window.resize(820, 580);
    auto* layer = new WaterLayer(&window, WaterLayer::surfaceFormat(), uptime);
    layer->resize(window.size());
    WaterView* view = layer->view();
    if (!view) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never shown");
        return;
    }
    int swapped = 0;
    QObject::connect(view, &QOpenGLWidget::frameSwapped, [&] { ++swapped; });
    std::vector<double> times;
    for (auto _ : state) {
        time += 1.0 / 60;
        layer->update(busyInput());
        const int before = swapped;
        const auto start = std::chrono::steady_clock::now();
        view->QOpenGLWidget::update();
        while (swapped == before) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        times.push_back(seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["median_ms"] = median(times) * 1e3;
    state.SetLabel(reinterpret_cast<const char*>(view->context()->functions()->glGetString(GL_RENDERER)));
    (void)time;
}
BENCHMARK(BM_WaterWindowFrame)->Iterations(200)->UseManualTime()->Unit(benchmark::kMillisecond);

// The GPU passes alone, into a framebuffer of the given size.
void BM_WaterPasses(benchmark::State& state) {
    Offscreen water(QSize(int(state.range(0)), int(state.range(1))));
    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        water.frame();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        times.push_back(seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["median_ms"] = median(times) * 1e3;
}
BENCHMARK(BM_WaterPasses)
    ->Args({820, 580})
    ->Args({360, 240})
    ->Iterations(200)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// Layering (a): the pad's overlays painted inside its own GL paint, with QPainter on the framebuffer.
void BM_PadOverlaysInGLPaint(benchmark::State& state) {
    const QSize size(int(state.range(0)), int(state.range(1)));
    Offscreen water(size);
    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        water.frame();
        water.target->bind();
        QOpenGLPaintDevice device(size);
        {
            QPainter painter(&device);
            paintOverlays(painter, size);
        }
        water.gl.glFinish();
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        times.push_back(seconds);
        state.SetIterationTime(seconds);
    }
    state.counters["median_ms"] = median(times) * 1e3;
}
BENCHMARK(BM_PadOverlaysInGLPaint)->Args({360, 240})->Iterations(200)->UseManualTime()->Unit(benchmark::kMillisecond);

// Layering (b): the water rendered offscreen, read back, and painted as an
// image with a rounded clip and the overlays, as an ordinary widget paints.
void BM_PadWaterAsImage(benchmark::State& state) {
    const QSize size(int(state.range(0)), int(state.range(1)));
    Offscreen water(size);
    QImage image(size, QImage::Format_RGBA8888_Premultiplied);
    QImage widget(size, QImage::Format_ARGB32_Premultiplied);
    std::vector<double> times;
    std::vector<double> readback;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        water.frame();
        const auto rendered = std::chrono::steady_clock::now();
        water.target->bind();
        water.gl.glReadPixels(0, 0, size.width(), size.height(), GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
        {
            QPainter painter(&widget);
            painter.setRenderHint(QPainter::Antialiasing);
            QPainterPath rounded;
            rounded.addRoundedRect(QRectF(QPointF(0, 0), size), 18, 18);
            painter.setClipPath(rounded);
            // The framebuffer's rows run bottom-up.
            painter.drawImage(QPointF(0, 0), image.mirrored(false, true));
            paintOverlays(painter, size);
        }
        const auto end = std::chrono::steady_clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        times.push_back(seconds);
        readback.push_back(std::chrono::duration<double>(end - rendered).count());
        state.SetIterationTime(seconds);
    }
    state.counters["median_ms"] = median(times) * 1e3;
    state.counters["image_ms"] = median(readback) * 1e3;
}
BENCHMARK(BM_PadWaterAsImage)
    ->Args({360, 240})
    ->Args({820, 580})
    ->Iterations(200)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

// An open 820×580 window whose water rests (12 frames a second): the process's
// CPU time over 30 s of real time, as a share of one core.
void BM_WaterIdleCpu(benchmark::State& state) {
    app();
    QWidget window;
    window.resize(820, 580);
    auto* layer = new WaterLayer(&window, WaterLayer::surfaceFormat(), uptime);
    layer->resize(window.size());
    if (!layer->view()) {
        state.SkipWithError("no OpenGL context");
        return;
    }
    layer->update(WaterInput{});
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was never shown");
        return;
    }
    QTest::qWait(200);  // the first frame rests at once: nothing has happened
    const double seconds = double(state.range(0));
    for (auto _ : state) {
        const int framesBefore = layer->view()->framesDrawn();
        const double cpuStart = processSeconds();
        QElapsedTimer wall;
        wall.start();
        while (wall.elapsed() < qint64(seconds * 1000))
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        const double cpu = processSeconds() - cpuStart;
        state.SetIterationTime(double(wall.elapsed()) / 1000);
        state.counters["cpu_percent"] = 100 * cpu / (double(wall.elapsed()) / 1000);
        state.counters["fps"] = (layer->view()->framesDrawn() - framesBefore) / (double(wall.elapsed()) / 1000);
    }
}
BENCHMARK(BM_WaterIdleCpu)->Arg(30)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

}  // namespace
