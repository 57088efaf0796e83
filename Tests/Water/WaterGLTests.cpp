// The water's GPU side on Mesa's software OpenGL: the programs, the uniform
// block as the driver lays it out, the simulation step against a CPU
// reference, the orientation of the drawn image, the frame loop, and the
// quiet failure without OpenGL.

#include "Platform/Sim/SimPlatform.h"
#include "Velorin/Design/Chip.h"
#include "Velorin/Design/PadStage.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/WaterLayer.h"
#include "Velorin/Design/WaterPicture.h"
#include "Velorin/Design/WaterRenderer.h"
#include "Velorin/Design/WaterView.h"

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <random>

extern "C" const char* __lsan_default_suppressions() {
    // Fontconfig, D-Bus (the xcb platform) and Mesa's drivers keep allocations for the life of the process.
    return "leak:libfontconfig.so\nleak:swrast_dri.so\nleak:libLLVM\nleak:libGLX_mesa.so\nleak:libX11.so\nleak:libdbus-"
           "1.so\n";
}

namespace velorin {
namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "WaterGLTests";
    static char* argv[] = {name, nullptr};
    static QApplication* made = [] {
        WaterLayer::useSurfaceFormat();
        return new QApplication(argc, argv);
    }();
    return *made;
}

// A current OpenGL 3.3 core context on an offscreen surface.
class GLContext : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        context.setFormat(WaterLayer::surfaceFormat());
        ASSERT_TRUE(context.create()) << "no OpenGL context: the water's tests need Xvfb with Mesa";
        surface.setFormat(context.format());
        surface.create();
        ASSERT_TRUE(context.makeCurrent(&surface));
        gl.initializeOpenGLFunctions();
    }
    void TearDown() override {
        if (QOpenGLContext::currentContext() == &context) {
            renderer.release();
            context.doneCurrent();
        }
    }

    QApplication& application = app();  // before the surface
    QOpenGLContext context;
    QOffscreenSurface surface;
    QOpenGLExtraFunctions gl;
    WaterRenderer renderer;
};

TEST_F(GLContext, programsCompileAndTheirUniformBlockIsTheRecordsLayout) {
    ASSERT_TRUE(renderer.build()) << renderer.error();
    EXPECT_TRUE(renderer.error().empty());
    struct Member {
        const char* name;
        std::size_t offset;
        int stride;  // 0 for a single vector
    };
    const std::vector<Member> members = {
        {"size", offsetof(WaterUniforms, size), 0},
        {"counts", offsetof(WaterUniforms, counts), 0},
        {"tune", offsetof(WaterUniforms, tune), 0},
        {"base", offsetof(WaterUniforms, base), 0},
        {"fingers[0]", offsetof(WaterUniforms, fingers), int(sizeof(Float4))},
        {"blobPos[0]", offsetof(WaterUniforms, blobPos), int(sizeof(Float4))},
        {"blobCol[0]", offsetof(WaterUniforms, blobCol), int(sizeof(Float4))},
    };
    for (const unsigned program : {renderer.stepProgram(), renderer.drawProgram()}) {
        SCOPED_TRACE(program == renderer.stepProgram() ? "step" : "draw");
        const unsigned block = gl.glGetUniformBlockIndex(program, "Uniforms");
        ASSERT_NE(block, GL_INVALID_INDEX);
        GLint dataSize = 0;
        gl.glGetActiveUniformBlockiv(program, block, GL_UNIFORM_BLOCK_DATA_SIZE, &dataSize);
        EXPECT_EQ(dataSize, GLint(sizeof(WaterUniforms)));
        for (const Member& m : members) {
            GLuint index = GL_INVALID_INDEX;
            gl.glGetUniformIndices(program, 1, &m.name, &index);
            ASSERT_NE(index, GL_INVALID_INDEX) << m.name;
            GLint offset = -1;
            GLint stride = -1;
            GLint inBlock = -1;
            gl.glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_OFFSET, &offset);
            gl.glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_ARRAY_STRIDE, &stride);
            gl.glGetActiveUniformsiv(program, 1, &index, GL_UNIFORM_BLOCK_INDEX, &inBlock);
            EXPECT_EQ(offset, GLint(m.offset)) << m.name;
            EXPECT_EQ(stride, m.stride) << m.name;
            EXPECT_EQ(inBlock, GLint(block)) << m.name;
        }
    }
}

TEST_F(GLContext, aProgramThatFailsToCompileIsLoggedOnceAndBuildsNothing) {
    static QStringList messages;
    messages.clear();
    const QtMessageHandler previous =
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) { messages << text; });
    WaterRenderer::Sources broken = WaterRenderer::Sources::water();
    broken.draw += "this is not GLSL";
    EXPECT_FALSE(renderer.build(broken));
    EXPECT_FALSE(renderer.isBuilt());
    EXPECT_FALSE(renderer.error().empty());
    WaterRenderer again;
    EXPECT_FALSE(again.build(broken));
    qInstallMessageHandler(previous);
    const QStringList failures = messages.filter("Velorin water shaders failed to compile: ");
    ASSERT_EQ(failures.size(), 1) << messages.join("\n").toStdString();
    EXPECT_TRUE(failures[0].startsWith("Velorin water shaders failed to compile: "));
    EXPECT_GT(failures[0].size(), QString("Velorin water shaders failed to compile: ").size());
    // Nothing is drawn, and no pass touches a missing object.
    EXPECT_FALSE(renderer.ensureState(QSize(16, 16)));
    renderer.step(3);
    EXPECT_TRUE(renderer.readField().empty());
}

// The step, written out on the CPU over the design's grid (row 0 at the top).
std::vector<WaterRenderer::Cell> referenceStep(const std::vector<WaterRenderer::Cell>& field, QSize grid,
                                               const WaterUniforms& u) {
    const int w = grid.width();
    const int h = grid.height();
    auto at = [&](int x, int y) {
        x = std::clamp(x, 0, w - 1);
        y = std::clamp(y, 0, h - 1);
        return field[std::size_t(y * w + x)][0];
    };
    const float aspect = u.size.x / u.size.y;
    std::vector<WaterRenderer::Cell> out(field.size());
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const float now = at(x, y);
            const float before = field[std::size_t(y * w + x)][1];
            const float around = at(x + 1, y) + at(x - 1, y) + at(x, y + 1) + at(x, y - 1);
            float next = now + (now - before) * u.tune.x + u.tune.y * (around - 4 * now);
            next = next + (around / 4 - next) * 0.012f;
            next = next * 0.9992f;
            const float ux = (float(x) + 0.5f) / float(w);
            const float uy = (float(y) + 0.5f) / float(h);
            for (int i = 0; i < int(u.counts.x); ++i) {
                const Float4& f = u.fingers[std::size_t(i)];
                const float dx = (ux - f.x) * aspect;
                const float dy = uy - f.y;
                const float wgt = std::exp(-(dx * dx + dy * dy) / (f.z * f.z));
                next = next + (-f.w - next) * 0.3f * wgt;
            }
            out[std::size_t(y * w + x)] = {std::clamp(next, -4.0f, 4.0f), now};
        }
    }
    return out;
}

TEST_F(GLContext, aSimulationStepEqualsTheReferenceStep) {
    ASSERT_TRUE(renderer.build()) << renderer.error();
    // Not square and not symmetric, so a flipped axis or a swapped neighbour shows.
    const QSize grid(37, 23);
    ASSERT_TRUE(renderer.ensureState(grid));
    std::mt19937 random(7);
    std::uniform_real_distribution<float> height(-1, 1);
    std::vector<WaterRenderer::Cell> field(std::size_t(grid.width() * grid.height()));
    for (auto& cell : field) cell = {height(random), height(random)};
    field[0] = {3.99f, -3.99f};                        // top-left: would overshoot, clamps at 4
    field[std::size_t(grid.width() - 1)] = {2.5f, 0};  // top-right
    field.back() = {-3.9f, 3.9f};                      // bottom-right: clamps at -4
    renderer.writeField(field);
    field = renderer.readField();  // as the half floats hold it

    WaterUniforms u;
    u.size = {370, 230, 0, 0};
    u.counts = {2, 0, 1.0f / float(grid.width()), 1.0f / float(grid.height())};
    u.tune = {0.982f, 0.24f, 0, 1};
    u.fingers[0] = {0.2f, 0.25f, 0.08f, 0.32f};  // a finger, top-left
    u.fingers[1] = {0.8f, 0.7f, 0.1f, -0.6f};    // a splash, bottom-right
    renderer.setUniforms(u);

    for (int step = 1; step <= 2; ++step) {
        SCOPED_TRACE(step);
        const auto expected = referenceStep(field, grid, u);
        renderer.step(1);
        const auto actual = renderer.readField();
        ASSERT_EQ(actual.size(), expected.size());
        int wrong = 0;
        for (std::size_t i = 0; i < actual.size(); ++i) {
            for (std::size_t c = 0; c < 2; ++c) {
                const float tolerance = 2e-3f + 1e-3f * std::abs(expected[i][c]);  // half floats
                if (std::abs(actual[i][c] - expected[i][c]) > tolerance && wrong++ < 5) {
                    ADD_FAILURE() << "cell " << i % std::size_t(grid.width()) << "," << i / std::size_t(grid.width())
                                  << " channel " << c << ": " << actual[i][c] << " != " << expected[i][c];
                }
            }
        }
        EXPECT_EQ(wrong, 0);
        if (step == 1) {
            EXPECT_FLOAT_EQ(actual[0][0], 4.0f);
            EXPECT_FLOAT_EQ(actual.back()[0], -4.0f);
        }
        field = actual;
    }
}

TEST_F(GLContext, aNewGridStartsFlatAndTheSameGridKeepsItsWaves) {
    ASSERT_TRUE(renderer.build());
    ASSERT_TRUE(renderer.ensureState(QSize(20, 16)));
    std::vector<WaterRenderer::Cell> field(20 * 16, WaterRenderer::Cell{0.5f, 0.25f});
    renderer.writeField(field);
    ASSERT_TRUE(renderer.ensureState(QSize(20, 16)));
    EXPECT_EQ(renderer.readField()[5][0], 0.5f);
    ASSERT_TRUE(renderer.ensureState(QSize(24, 16)));
    const auto flat = renderer.readField();
    ASSERT_EQ(flat.size(), 24u * 16u);
    EXPECT_TRUE(std::all_of(flat.begin(), flat.end(), [](const auto& c) { return c[0] == 0 && c[1] == 0; }));
}

Touch touchAt(float x, float y) {
    Touch t;
    t.id = 1;
    t.state = TouchState::touching;
    t.x = x;
    t.y = y;
    return t;
}

// A shown water view on a clock the test moves.
class ViewFixture : public ::testing::Test {
protected:
    void SetUp() override {
        app();
        view = std::make_unique<WaterView>(nullptr, [this] { return time; });
        view->resize(400, 300);
        view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
        view->grabFramebuffer();  // the first frame: no step
        ASSERT_TRUE(view->isBuilt()) << view->renderer().error();
    }

    // Frames of 1/60 s, as the active rate draws them, or of `interval`.
    QImage frames(int count, double interval = 1.0 / 60) {
        QImage last;
        for (int i = 0; i < count; ++i) {
            time += interval;
            last = view->grabFramebuffer();
        }
        return last;
    }

    std::vector<WaterRenderer::Cell> field() {
        view->makeCurrent();
        auto cells = view->renderer().readField();
        view->doneCurrent();
        return cells;
    }

    float heightAt(const std::vector<WaterRenderer::Cell>& cells, double x, double y) {
        const QSize grid = WaterModel::gridSize(view->size());
        const int cx = int(x * grid.width());
        const int cy = int(y * grid.height());
        return cells[std::size_t(cy * grid.width() + cx)][0];
    }

    double time = 100;
    std::unique_ptr<WaterView> view;
};

TEST_F(ViewFixture, aSplashRaisesTheFieldWhereTheLastFingerWas) {
    // A touch near the pad's far left corner: the top-left of the view.
    WaterInput input;
    input.touches = {touchAt(0.25f, 0.8f)};
    view->update(input);
    frames(1);
    EXPECT_LT(heightAt(field(), 0.25, 0.2), -0.05);  // the finger dents it
    input.touches.clear();
    input.fired = dateFromSecondsSince1970(1000);
    view->update(input);
    frames(8);
    const auto cells = field();
    EXPECT_GT(heightAt(cells, 0.25, 0.2), 0.2);
    // Nowhere near the mirrored places.
    EXPECT_NEAR(heightAt(cells, 0.25, 0.8), 0, 0.01);
    EXPECT_NEAR(heightAt(cells, 0.75, 0.2), 0, 0.01);
}

TEST_F(ViewFixture, theImageIsNotFlipped) {
    WaterInput input;
    input.dark = true;
    input.blobs = {FloorBlob{"red", 0.2f, 0.2f, 0.12f, {1, 0, 0}, false}};
    view->update(input);
    const QImage image = frames(20, 1.0 / 15);  // the patch fades in
    auto redness = [&](double x, double y) {
        const QColor c = image.pixelColor(int(x * image.width()), int(y * image.height()));
        return c.redF() - c.blueF();
    };
    EXPECT_GT(redness(0.2, 0.2), 0.1);
    EXPECT_LT(redness(0.2, 0.8), 0.02);
    EXPECT_LT(redness(0.8, 0.2), 0.02);
}

TEST_F(ViewFixture, opacityDecidesHowSolidCalmWaterIs) {
    struct Case {
        double opacity;
        int alpha;
    };
    for (const Case c : {Case{1, 255}, Case{0.5, 128}, Case{0, 0}}) {
        SCOPED_TRACE(c.opacity);
        WaterInput input;
        input.opacity = c.opacity;
        view->update(input);
        const QImage image = frames(1);
        EXPECT_NEAR(image.pixelColor(200, 150).alpha(), c.alpha, 1);
        EXPECT_NEAR(image.pixelColor(10, 290).alpha(), c.alpha, 1);
    }
}

// Flat water with a light floor, no patches and no touch energy, at the
// centre of a subpixel (where it is fully lit), written out on the CPU.
QColor calmPixel(int px, int py, QSize view) {
    const double w = view.width();
    const double h = view.height();
    auto floorAt = [&](double x, double y) {
        const double lx = x * (w / h) * 0.8;
        const double ly = y * 0.8;
        const double t = std::clamp(std::hypot(lx, ly) / 1.3, 0.0, 1.0);
        const double light = 0.04 * (1 - t * t * (3 - 2 * t));
        return std::array<double, 3>{0.835 + light, 0.855 + light, 0.885 + light};
    };
    const double ux = (px + 0.5) / w;
    const double uy = (py + 0.5) / h;
    const double cellX = std::floor(ux * w / 15);
    const double cellY = std::floor(uy * h / 15);
    const int sub = std::min(int(3 * (ux * w / 15 - cellX)), 2);
    const auto here = floorAt(ux, uy);
    const auto source = floorAt((cellX + 0.5) * 15 / w, (cellY + 0.5) * 15 / h);
    std::array<double, 3> out{};
    for (int c = 0; c < 3; ++c) {
        const double calm = source[std::size_t(c)] * (0.22 + (c == sub ? 2.9 : 0));
        out[std::size_t(c)] = std::clamp(here[std::size_t(c)] + (calm - here[std::size_t(c)]) * 0.34, 0.0, 1.0);
    }
    return QColor::fromRgbF(float(out[0]), float(out[1]), float(out[2]));
}

TEST_F(ViewFixture, calmWaterShowsTheLitFloorUnderAFaintSubpixelScreen) {
    view->update(WaterInput{});
    const QImage image = frames(1);
    // Centres of a red, a green and a blue subpixel, near the light and far from it.
    for (const QPoint p : {QPoint(2, 7), QPoint(7, 7), QPoint(12, 7), QPoint(302, 157), QPoint(307, 157),
                           QPoint(312, 292), QPoint(47, 142)}) {
        SCOPED_TRACE(QString("%1,%2").arg(p.x()).arg(p.y()).toStdString());
        const QColor actual = image.pixelColor(p);
        const QColor expected = calmPixel(p.x(), p.y(), view->size());
        EXPECT_NEAR(actual.red(), expected.red(), 3);
        EXPECT_NEAR(actual.green(), expected.green(), 3);
        EXPECT_NEAR(actual.blue(), expected.blue(), 3);
    }
}

TEST_F(ViewFixture, theFrameTimerFollowsActivityAndStopsWhileHidden) {
    // Nothing has happened yet: the first frame already rests.
    EXPECT_TRUE(view->isTicking());
    EXPECT_EQ(view->framesPerSecond(), 12);
    WaterInput input;
    input.dark = true;
    view->update(input);
    EXPECT_EQ(view->framesPerSecond(), 60);
    EXPECT_EQ(view->frameInterval(), 17);
    frames(1, 5.9);
    EXPECT_EQ(view->framesPerSecond(), 60);
    frames(1, 0.2);
    EXPECT_EQ(view->framesPerSecond(), 12);
    EXPECT_EQ(view->frameInterval(), 83);
    EXPECT_TRUE(view->isTicking());

    input.touches = {touchAt(0.5f, 0.5f)};
    view->update(input);
    EXPECT_EQ(view->framesPerSecond(), 60);

    input.touches.clear();
    input.reduceMotion = true;
    view->update(input);
    frames(1);
    frames(1, 6.5);
    EXPECT_EQ(view->framesPerSecond(), 2);
    EXPECT_EQ(view->frameInterval(), 500);

    view->hide();
    EXPECT_FALSE(view->isTicking());
    view->showMinimized();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !view->isTicking(); }, 2000));
    view->showNormal();
    EXPECT_TRUE(QTest::qWaitFor([&] { return view->isTicking(); }, 2000));
}

TEST_F(ViewFixture, theTimerDrawsFramesOnItsOwn) {
    QSignalSpy drawn(view.get(), &WaterView::frameDrawn);
    EXPECT_TRUE(drawn.wait(2000));
    EXPECT_TRUE(view->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(view->focusPolicy(), Qt::NoFocus);
}

TEST(WaterLayerTest, withoutAContextTheWindowStillWorksAndNothingIsDrawn) {
    app();
    QSurfaceFormat impossible = WaterLayer::surfaceFormat();
    impossible.setVersion(9, 9);
    QWidget window;
    window.resize(300, 200);
    window.setStyleSheet("background: rgb(10, 200, 30)");
    window.setAutoFillBackground(true);
    auto* layer = new WaterLayer(&window, impossible);
    layer->setGeometry(window.rect());
    auto* button = new QPushButton("Press", &window);
    button->setObjectName("press");
    button->setGeometry(100, 80, 100, 40);
    button->raise();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(layer->view(), nullptr);
    WaterInput input;
    input.touches = {touchAt(0.5f, 0.5f)};
    layer->update(input);
    EXPECT_EQ(layer->input(), input);

    // The window's own background shows where the water would be, and the button works.
    const QImage shot = window.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 20), QColor(10, 200, 30));
    QSignalSpy clicked(button, &QPushButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicked.count(), 1);
}

TEST(WaterLayerTest, withAContextTheLayerHoldsAViewFillingItThatMissesTheMouse) {
    app();
    sim::SimPlatform sim;  // the view's clock
    QWidget window;
    window.resize(300, 200);
    auto* layer = new WaterLayer(&window);
    layer->resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(layer->view(), nullptr);
    EXPECT_EQ(layer->view()->geometry(), layer->rect());
    EXPECT_TRUE(layer->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(window.childAt(150, 100), nullptr);
    layer->resize(320, 220);
    EXPECT_EQ(layer->view()->size(), QSize(320, 220));
    WaterInput input;
    input.dark = true;
    layer->update(input);
    EXPECT_EQ(layer->view()->model().input(), input);
}

TEST(WaterLayerTest, movedToAnotherWindowTheWaterBuildsAgainAndDraws) {
    app();
    sim::SimPlatform sim;
    QWidget first;
    QWidget second;
    for (QWidget* w : {&first, &second}) w->resize(200, 150);
    auto* layer = new WaterLayer(&first);
    layer->resize(200, 150);
    first.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&first));
    ASSERT_NE(layer->view(), nullptr);
    layer->view()->grabFramebuffer();
    ASSERT_TRUE(layer->view()->isBuilt());
    // A new window gives the view a new context.
    layer->setParent(&second);
    layer->show();
    second.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&second));
    const int before = layer->view()->framesDrawn();
    const QImage image = layer->view()->grabFramebuffer();
    EXPECT_TRUE(layer->view()->isBuilt());
    EXPECT_GT(layer->view()->framesDrawn(), before);
    EXPECT_EQ(image.pixelColor(100, 75).alpha(), 255);
}

// A half-transparent red card.
class Card final : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override { QPainter(this).fillRect(rect(), QColor(255, 0, 0, 128)); }
};

// What the X server shows of the window: the water composed with the widgets over it.
TEST(WaterLayerTest, ordinaryWidgetsOverTheWaterBlendAboveIt) {
    app();
    sim::SimPlatform sim;
    QWidget window;
    window.resize(300, 200);
    auto* layer = new WaterLayer(&window);
    layer->resize(window.size());
    auto* card = new Card(&window);
    card->setGeometry(150, 0, 150, 200);
    card->hide();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(layer->view(), nullptr);
    auto shot = [&] {
        QSignalSpy swapped(layer->view(), &QOpenGLWidget::frameSwapped);
        layer->view()->QOpenGLWidget::update();
        EXPECT_TRUE(swapped.wait(3000));
        QTest::qWait(50);
        return window.screen()->grabWindow(window.winId()).toImage();
    };
    const QImage bare = shot();
    card->show();
    const QImage covered = shot();
    for (const QPoint p : {QPoint(200, 50), QPoint(251, 152)}) {
        const QColor water = bare.pixelColor(p);
        const QColor under = covered.pixelColor(p);
        EXPECT_GT(water.alpha(), 0);
        EXPECT_NEAR(under.red(), (255 + water.red()) / 2, 3);
        EXPECT_NEAR(under.green(), water.green() / 2, 3);
        EXPECT_NEAR(under.blue(), water.blue() / 2, 3);
    }
    // Beside the card the water is untouched.
    EXPECT_EQ(covered.pixelColor(60, 100), bare.pixelColor(60, 100));
}

// A pad's water: drawn offscreen, painted clipped to its rounded shape, the
// right way up, and only while shown.
TEST(WaterPictureTest, aPadsWaterIsPaintedClippedToItsCornersAndTheRightWayUp) {
    app();
    sim::SimPlatform sim;
    double time = 100;
    QWidget window;
    window.resize(300, 200);
    auto* layer = new WaterLayer(&window, WaterLayer::Clipped{28}, WaterLayer::surfaceFormat(), [&] { return time; });
    layer->setGeometry(window.rect());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_EQ(layer->view(), nullptr);
    WaterPicture* picture = layer->picture();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->geometry(), layer->rect());
    EXPECT_TRUE(picture->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_TRUE(picture->isTicking());

    WaterInput input;
    input.dark = true;
    input.blobs = {FloorBlob{"red", 0.2f, 0.2f, 0.12f, {1, 0, 0}, false}};
    layer->update(input);
    for (int i = 0; i < 20; ++i) {  // the patch fades in
        time += 1.0 / 15;
        picture->drawFrame();
    }
    ASSERT_TRUE(picture->canDraw());
    EXPECT_EQ(picture->image().size(), QSize(300, 200) * picture->devicePixelRatioF());

    // Only what the picture paints, on nothing.
    QImage shown(picture->size() * picture->devicePixelRatioF(), QImage::Format_ARGB32_Premultiplied);
    shown.setDevicePixelRatio(picture->devicePixelRatioF());
    shown.fill(Qt::transparent);
    picture->render(&shown, {}, {}, QWidget::RenderFlags());
    auto at = [&](double x, double y) { return shown.pixelColor(int(x * shown.width()), int(y * shown.height())); };
    auto redness = [&](double x, double y) { return at(x, y).redF() - at(x, y).blueF(); };
    EXPECT_GT(redness(0.2, 0.2), 0.1);
    EXPECT_LT(redness(0.2, 0.8), 0.02);
    EXPECT_EQ(at(0.5, 0.5).alpha(), 255);
    // Outside the rounded corners nothing is painted; inside an edge's middle, the water is.
    EXPECT_EQ(shown.pixelColor(1, 1).alpha(), 0);
    EXPECT_EQ(shown.pixelColor(shown.width() - 2, shown.height() - 2).alpha(), 0);
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, 1).alpha(), 255);

    QSignalSpy drawn(picture, &WaterPicture::frameDrawn);
    EXPECT_TRUE(drawn.wait(2000));  // the timer draws on its own
    window.hide();
    EXPECT_FALSE(picture->isTicking());
}

TEST(WaterPictureTest, withoutAContextThePadDrawsNothingAndKeepsWorking) {
    app();
    sim::SimPlatform sim;
    QSurfaceFormat impossible = WaterLayer::surfaceFormat();
    impossible.setVersion(9, 9);
    QWidget window;
    window.resize(200, 100);
    auto* layer = new WaterLayer(&window, WaterLayer::Clipped{28}, impossible);
    layer->setGeometry(window.rect());
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    EXPECT_EQ(layer->picture(), nullptr);
    WaterInput input;
    input.touches = {touchAt(0.5f, 0.5f)};
    layer->update(input);
    EXPECT_EQ(layer->input(), input);

    // A picture whose context fails on its first frame stays empty.
    WaterPicture picture(nullptr, impossible, 10);
    picture.resize(100, 80);
    picture.drawFrame();
    EXPECT_FALSE(picture.canDraw());
    EXPECT_TRUE(picture.image().isNull());
    EXPECT_EQ(picture.framesDrawn(), 0);
}

// The live pad: its zones, rim and chip lie over its water, not beneath it.
TEST(PadStageTest, theCornerZonesAndTheChipAreDrawnOverTheWater) {
    app();
    sim::SimPlatform sim;
    Motion::setInstant(true);
    double time = 100;
    QWidget window;
    window.resize(460, 300);
    auto* pad = new PadStage(&window, [&] { return time; });
    pad->setGeometry(20, 20, 400, 250);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(pad->water()->picture(), nullptr);
    WaterInput input;
    input.touches = {touchAt(0.5f, 0.5f)};
    pad->update(input);
    auto shot = [&] {
        for (int i = 0; i < 3; ++i) {
            time += 1.0 / 60;
            pad->drawFrame();
        }
        QImage image(pad->size(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        pad->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    };
    pad->setCornerSize(0);
    const QImage bare = shot();
    ASSERT_TRUE(pad->water()->picture()->canDraw());
    pad->setCornerSize(0.15);
    const QImage zoned = shot();
    // Inside the bottom-right zone (60 × 37.5, 8 points in) the fill lightens the water.
    const QPoint inZone(400 - 8 - 30, 250 - 8 - 18);
    EXPECT_GT(zoned.pixelColor(inZone).lightness(), bare.pixelColor(inZone).lightness());
    // The chip, lit by the finger, sits 14 points in from the top-left corner.
    const QColor chip = zoned.pixelColor(14 + 4, 14 + pad->fingerChip()->height() / 2);
    EXPECT_GT(chip.redF() - chip.blueF(), 0.5);
    Motion::setInstant(false);
}

}  // namespace
}  // namespace velorin
