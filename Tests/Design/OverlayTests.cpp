#include "Platform/Sim/SimPlatform.h"
#include "QtApp.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/EffectsOverlay.h"
#include "Velorin/Design/Fade.h"
#include "Velorin/Design/FrameClock.h"
#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/ReadableOnWater.h"
#include "Velorin/Design/Theme.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <array>

#include <gtest/gtest.h>

namespace velorin {
namespace {

// Paints a red square reaching `reach` points beyond its host on every side.
class Spill final : public OverlayEffect {
public:
    Spill(QWidget* host, double reach) : OverlayEffect(host), reach_(reach) {}
    QRectF area() const override {
        return QRectF(QPointF(0, 0), host()->size()).adjusted(-reach_, -reach_, reach_, reach_);
    }
    void paint(QPainter& painter) override { painter.fillRect(area(), Qt::red); }

private:
    double reach_;
};

class OverlayFixture : public ::testing::Test {
protected:
    void SetUp() override {
        test::qtApp();
        window.resize(200, 200);
        window.setStyleSheet(QStringLiteral("background: white"));
        window.setAutoFillBackground(true);
    }
    QColor pixel(int x, int y) { return window.grab().toImage().pixelColor(x, y); }

    sim::SimPlatform sim;
    QApplication& app = test::qtApp();  // before any widget
    QWidget window;
};

TEST_F(OverlayFixture, effectsPaintBeyondTheirHostAboveTheContent) {
    auto* host = new QWidget(&window);
    host->setGeometry(50, 50, 20, 20);
    window.show();
    Spill spill(host, 10);
    spill.refresh();
    EXPECT_EQ(pixel(45, 45), QColor(Qt::red));
    EXPECT_EQ(pixel(75, 60), QColor(Qt::red));
    EXPECT_NE(pixel(85, 60), QColor(Qt::red));

    // A sibling added later still lies below the overlay.
    auto* later = new QWidget(&window);
    later->setAutoFillBackground(true);
    later->setGeometry(0, 0, 200, 48);
    later->show();
    EXPECT_EQ(pixel(45, 45), QColor(Qt::red));

    // The effect follows its host.
    host->move(120, 120);
    EXPECT_NE(pixel(45, 55), QColor(Qt::red));
    EXPECT_EQ(pixel(115, 115), QColor(Qt::red));
}

// A faded host's effects fade with it, with its parents' fades and with the
// opacity effects it is drawn through.
TEST_F(OverlayFixture, effectsFadeWithTheirHostAndItsParents) {
    auto* group = new QWidget(&window);
    group->setGeometry(0, 0, 200, 200);
    auto* host = new QWidget(group);
    host->setGeometry(50, 50, 20, 20);
    window.show();
    Spill spill(host, 10);
    spill.refresh();
    setFade(group, 0.5);
    EXPECT_NEAR(pixel(45, 45).green(), 128, 3) << "half of the red over white";
    setFade(host, 0.5);
    EXPECT_DOUBLE_EQ(fadeOf(host), 0.25);
    EXPECT_NEAR(pixel(45, 45).green(), 191, 3);
    setFade(group, 0);
    EXPECT_EQ(pixel(45, 45), QColor(Qt::white));
    setFade(group, 1);
    setFade(host, 1);
    EXPECT_EQ(pixel(45, 45), QColor(Qt::red));

    // An opacity effect the host is drawn through fades its effects as well.
    auto* effect = new QGraphicsOpacityEffect(group);
    effect->setOpacity(0.5);
    group->setGraphicsEffect(effect);
    EXPECT_NEAR(pixel(45, 45).green(), 128, 3);
    effect->setOpacity(0);
    EXPECT_EQ(pixel(45, 45), QColor(Qt::white));
}

TEST_F(OverlayFixture, theOverlayCoversTheWindowAndNeverTakesTheMouse) {
    auto* host = new QWidget(&window);
    window.show();
    EffectsOverlay* overlay = EffectsOverlay::of(host);
    EXPECT_EQ(overlay, EffectsOverlay::of(&window));
    EXPECT_TRUE(overlay->testAttribute(Qt::WA_TransparentForMouseEvents));
    EXPECT_EQ(overlay->geometry(), window.rect());
    window.resize(300, 250);
    EXPECT_EQ(overlay->geometry(), QRect(0, 0, 300, 250));
}

TEST_F(OverlayFixture, anEffectLeavesWithItsLifetimeOrItsHost) {
    auto* host = new QWidget(&window);
    host->setGeometry(10, 10, 10, 10);
    window.show();
    EffectsOverlay* overlay = EffectsOverlay::of(host);
    {
        Spill spill(host, 4);
        spill.refresh();
        EXPECT_EQ(overlay->effects().size(), 1u);
    }
    EXPECT_TRUE(overlay->effects().empty());

    Spill orphan(host, 4);
    orphan.refresh();
    delete host;
    EXPECT_EQ(orphan.host(), nullptr);
    EXPECT_NE(pixel(12, 12), QColor(Qt::red));
}

TEST_F(OverlayFixture, anEffectInAScrollAreaStaysInsideItsViewport) {
    auto* scroll = new QScrollArea(&window);
    scroll->setGeometry(20, 20, 100, 100);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    content->resize(100, 400);
    auto* host = new QWidget(content);
    host->setGeometry(30, 5, 20, 20);
    scroll->setWidget(content);
    window.show();
    Spill spill(host, 12);
    spill.refresh();
    EXPECT_EQ(pixel(60, 30), QColor(Qt::red));
    EXPECT_NE(pixel(60, 15), QColor(Qt::red));  // above the viewport

    // Scrolled away, it is not drawn at all.
    scroll->verticalScrollBar()->setValue(200);
    EXPECT_NE(pixel(60, 30), QColor(Qt::red));
}

TEST_F(OverlayFixture, aCoveringLayerHidesTheEffectsBeneathItButNotItsOwn) {
    auto* content = new QWidget(&window);
    content->setGeometry(window.rect());
    auto* host = new QWidget(content);
    host->setGeometry(50, 50, 20, 20);
    auto* sheet = new QWidget(&window);  // later, so above the content
    sheet->setGeometry(45, 45, 100, 100);
    auto* inner = new QWidget(sheet);
    inner->setGeometry(50, 50, 20, 20);
    window.show();
    Spill below(host, 10);
    below.refresh();
    Spill own(inner, 4);
    own.refresh();
    EXPECT_EQ(pixel(60, 60), QColor(Qt::red));  // an unmarked widget covers nothing

    EffectsOverlay::setCoversEffects(sheet);
    EXPECT_NE(pixel(60, 60), QColor(Qt::red));
    EXPECT_EQ(pixel(42, 60), QColor(Qt::red));    // beyond the sheet's edge
    EXPECT_EQ(pixel(117, 117), QColor(Qt::red));  // the sheet's own effects stay

    sheet->hide();
    EXPECT_EQ(pixel(60, 60), QColor(Qt::red));
    sheet->show();
    EffectsOverlay::setCoversEffects(sheet, false);
    EXPECT_EQ(pixel(60, 60), QColor(Qt::red));
}

// Splashes run on the default frame clock: the simulated desktop's main
// queue and uptime, so virtual time drives them.
class SplashFixture : public OverlayFixture {
protected:
    FrameClock& clock() { return FrameClock::current(); }
};

TEST_F(SplashFixture, aSplashAnimatesOnTheClockWhileItRuns) {
    auto* host = new QWidget(&window);
    host->setGeometry(60, 60, 60, 30);
    window.show();
    PixelSplash splash(host, [](double low, double high) { return (low + high) / 2; });
    splash.update(0, false, false);
    EXPECT_FALSE(clock().hasListeners());
    splash.update(1, false, false);
    EXPECT_TRUE(clock().hasListeners());
    sim.advance(0.2);
    // Every particle starts from the middle of the view and flies left (angle π).
    const QImage image = window.grab().toImage();
    int coloured = 0;
    for (int y = 40; y < 140; ++y)
        for (int x = 30; x < 150; ++x) coloured += image.pixelColor(x, y) != QColor(Qt::white);
    EXPECT_GT(coloured, 0);
    EXPECT_TRUE(clock().hasListeners());
    sim.advance(0.7);
    EXPECT_FALSE(clock().hasListeners());
    EXPECT_FALSE(splash.burst().isRunning(clock().now()));
}

TEST_F(SplashFixture, theFirstTriggerAWidgetGives_neverSplashes) {
    auto* host = new QWidget(&window);
    window.show();
    PixelSplash splash(host);
    splash.update(3, false, false);
    EXPECT_FALSE(clock().hasListeners());
    EXPECT_FALSE(splash.burst().isRunning(clock().now()));
    splash.update(4, false, false);
    EXPECT_TRUE(splash.burst().isRunning(clock().now()));
}

TEST_F(SplashFixture, underReduceMotionASplashNeverStarts) {
    sim.displaySettings().setReduceMotion(true);
    auto* host = new QWidget(&window);
    window.show();
    PixelSplash splash(host);
    splash.update(0, false, false);
    splash.update(1, false, false);
    EXPECT_FALSE(clock().hasListeners());
    EXPECT_FALSE(splash.burst().isRunning(clock().now()));
}

// --- Text that stays readable on the water. ---

class HaloFixture : public ::testing::Test {
protected:
    sim::SimPlatform sim;
    void SetUp() override {
        test::qtApp();
        HaloText::clearCache();
        font.setPixelSize(20);
        font.setBold(true);
    }
    QFont font;
};

TEST_F(HaloFixture, haloesTheTextInTheFloorColourAndFadesOut) {
    const QColor milk = Theme::milk.resolve(Display::colorEnvironment());
    const QImage image =
        HaloText::image(QStringLiteral("I"), font, QSizeF(20, 30), Qt::AlignCenter, Qt::black, milk, 1);
    const int m = haloMargin();
    ASSERT_EQ(image.size(), QSize(20 + 2 * m, 30 + 2 * m));

    // Find the glyph's stem on the middle row, then look just beside it.
    const int row = m + 15;
    int stemRight = -1;
    for (int x = 0; x < image.width(); ++x)
        if (qAlpha(image.pixel(x, row)) == 255 && qGray(image.pixel(x, row)) < 40) stemRight = x;
    ASSERT_GE(stemRight, 0) << "no text drawn";
    const QColor beside = image.pixelColor(stemRight + 2, row);
    EXPECT_GT(beside.alpha(), 128);
    EXPECT_NEAR(beside.red(), milk.red(), 12);
    EXPECT_NEAR(beside.blue(), milk.blue(), 12);
    // Fainter further out, nothing at the image's corner.
    EXPECT_LT(image.pixelColor(stemRight + 14, row).alpha(), beside.alpha());
    EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);
}

TEST_F(HaloFixture, rendersEachTextOncePerSize) {
    const QColor milk(0xD5, 0xDA, 0xE2);
    const QImage first =
        HaloText::image(QStringLiteral("Packs"), font, QSizeF(80, 24), Qt::AlignLeft, Qt::black, milk, 1);
    EXPECT_EQ(HaloText::cachedCount(), 1);
    const QImage again =
        HaloText::image(QStringLiteral("Packs"), font, QSizeF(80, 24), Qt::AlignLeft, Qt::black, milk, 1);
    EXPECT_EQ(again.cacheKey(), first.cacheKey());
    EXPECT_EQ(HaloText::cachedCount(), 1);
    HaloText::image(QStringLiteral("Packs"), font, QSizeF(120, 24), Qt::AlignLeft, Qt::black, milk, 1);
    HaloText::image(QStringLiteral("Packs"), font, QSizeF(80, 24), Qt::AlignLeft, Qt::black, milk, 2);
    HaloText::image(QStringLiteral("About"), font, QSizeF(80, 24), Qt::AlignLeft, Qt::black, milk, 1);
    EXPECT_EQ(HaloText::cachedCount(), 4);
}

// Other halos than the water's: a soft dark shadow without offset.
TEST_F(HaloFixture, otherHalosAreTheirOwnImagesWithTheirOwnReach) {
    const std::array<Halo, 1> shadow{{{6, 0.5}}};
    const QImage water =
        HaloText::image(QStringLiteral("I"), font, QSizeF(20, 30), Qt::AlignCenter, Qt::white, Qt::black, 1);
    const QImage shadowed =
        HaloText::image(QStringLiteral("I"), font, QSizeF(20, 30), Qt::AlignCenter, Qt::white, Qt::black, 1, shadow);
    EXPECT_NE(shadowed.cacheKey(), water.cacheKey());
    EXPECT_EQ(HaloText::cachedCount(), 2);
    const int m = haloMargin(shadow);
    EXPECT_EQ(m, 9);
    ASSERT_EQ(shadowed.size(), QSize(20 + 2 * m, 30 + 2 * m));
    // Beside the white stem lies the shadow: black, at most half covered.
    const int row = m + 15;
    int stemRight = -1;
    for (int x = 0; x < shadowed.width(); ++x)
        if (qAlpha(shadowed.pixel(x, row)) == 255 && qGray(shadowed.pixel(x, row)) > 220) stemRight = x;
    ASSERT_GE(stemRight, 0) << "no text drawn";
    const QColor beside = shadowed.pixelColor(stemRight + 3, row);
    EXPECT_GT(beside.alpha(), 20);
    EXPECT_LE(beside.alpha(), 128);
    EXPECT_LT(qGray(beside.rgb()), 30);
    EXPECT_EQ(shadowed.pixelColor(0, 0).alpha(), 0);
}

TEST_F(HaloFixture, theEffectPutsTheHalosBehindAWidget) {
    QWidget window;
    window.resize(200, 80);
    window.setAutoFillBackground(true);
    QPalette palette;
    palette.setColor(QPalette::Window, Qt::black);
    window.setPalette(palette);
    auto* label = new QLabel(QStringLiteral("IIII"), &window);
    label->setFont(font);
    QPalette text;
    text.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(text);
    label->setGeometry(40, 20, 100, 40);
    forceAppearance(&window, Appearance::light);
    label->setGraphicsEffect(new ReadableOnWaterEffect);
    window.show();
    const QImage image = window.grab().toImage();
    // On a black window with black text only the halo shows: light pixels round the text.
    int light = 0;
    for (int y = 20; y < 60; ++y)
        for (int x = 40; x < 140; ++x) light += qGray(image.pixel(x, y)) > 150;
    EXPECT_GT(light, 20);
}

}  // namespace
}  // namespace velorin
