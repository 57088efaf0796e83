#include "ControlFixture.h"
#include "Velorin/Design/GlassCard.h"

#include <QEnterEvent>
#include <QHoverEvent>
#include <QLabel>
#include <QPainter>
#include <QTest>
#include <QVBoxLayout>

namespace velorin {
namespace {

using test::ControlTest;

class GlassCardTest : public ControlTest {
protected:
    GlassCardTest() {
        card = new GlassCard(16, 20, ThemeColor::clear(), &window);
        card->setGeometry(10, 10, 300, 160);
        window.resize(400, 300);
    }
    void enter(QPointF at) {
        QEnterEvent e(at, at, card->mapToGlobal(at));
        QApplication::sendEvent(card, &e);
    }
    void leave() {
        QEvent e(QEvent::Leave);
        QApplication::sendEvent(card, &e);
    }
    GlassCard* card = nullptr;
};

TEST_F(GlassCardTest, defaultsToNoFloodNoFillAndNoArt) {
    GlassCard plain;
    EXPECT_FALSE(plain.flood().has_value());
    EXPECT_FALSE(plain.floodFill().has_value());
    EXPECT_FALSE(plain.hasArt());
    EXPECT_EQ(plain.tint(), ShapeFill(ThemeColor::clear()));
}

TEST_F(GlassCardTest, itsContentIsPaddedOnEveryEdgeAndSpansTheWidth) {
    auto* label = new QLabel(QStringLiteral("Content"));
    card->addContent(label);
    window.show();
    card->contentLayout()->activate();
    EXPECT_EQ(label->geometry().left(), 16);
    EXPECT_EQ(label->geometry().top(), 16);
    EXPECT_EQ(label->geometry().width(), 300 - 32);
    card->setPadding(8);
    card->contentLayout()->activate();
    EXPECT_EQ(label->geometry().left(), 8);
}

TEST_F(GlassCardTest, aFloodGrowsFromItsPointAndDrainsBackWhileNilHasNoLayer) {
    EXPECT_FALSE(card->flood().has_value());
    card->setFlood(false);
    EXPECT_DOUBLE_EQ(card->floodScale(), GlassCard::drainedFloodScale);  // present, but a speck
    card->setFlood(true);
    clock.advance(0.1);
    EXPECT_GT(card->floodScale(), 0.01);
    EXPECT_LT(card->floodScale(), 1);
    settle();
    EXPECT_DOUBLE_EQ(card->floodScale(), 1);
    card->setFlood(false);
    settle();
    EXPECT_DOUBLE_EQ(card->floodScale(), GlassCard::drainedFloodScale);
}

// The flood is drawn about the point 40 from the right and 28 from the top:
// part way through, near that point is flooded and the far corner is not.
TEST_F(GlassCardTest, aGrowingFloodIsCentredFortyFromTheRightAndTwentyEightFromTheTop) {
    card->setFloodFill(ShapeFill(ThemeColor::plain(0xFF0000)));
    card->setFlood(false);
    card->setFlood(true);
    clock.advance(0.05);
    const double scale = card->floodScale();
    ASSERT_GT(scale, 0.02);
    ASSERT_LT(scale, 0.3);
    const QImage image = paint(*card);
    const QColor nearPoint = image.pixelColor(300 - 40, 28);
    const QColor farCorner = image.pixelColor(20, 150);
    EXPECT_GT(nearPoint.red(), nearPoint.green() + 100);
    EXPECT_LT(farCorner.red(), farCorner.green() + 30);
}

TEST_F(GlassCardTest, hoveringDeepensTheShadowAndLightsTheLampWhichFollowsThePointer) {
    EXPECT_DOUBLE_EQ(card->shadowOpacity(), GlassCard::restingShadowOpacity);
    enter(QPointF(50, 40));
    EXPECT_TRUE(card->isHovering());
    clock.advance(GlassCard::hoverInDuration);
    EXPECT_DOUBLE_EQ(card->shadowOpacity(), GlassCard::hoveringShadowOpacity);
    EXPECT_TRUE(card->showsLamp());

    QHoverEvent move(QEvent::HoverMove, QPointF(120, 60), card->mapToGlobal(QPointF(120, 60)), QPointF(50, 40));
    QApplication::sendEvent(card, &move);
    EXPECT_EQ(card->pointer(), QPointF(120, 60));
    EXPECT_DOUBLE_EQ(card->hoverAmount(), 1);  // moving inside starts no new fade

    leave();
    EXPECT_FALSE(card->isHovering());
    clock.advance(0.1);
    EXPECT_GT(card->hoverAmount(), 0);
    clock.advance(GlassCard::hoverOutDuration);
    EXPECT_DOUBLE_EQ(card->shadowOpacity(), GlassCard::restingShadowOpacity);
    EXPECT_FALSE(card->showsLamp());
}

TEST_F(GlassCardTest, underReduceMotionAHoveredCardHasNoLampButStillDeepensItsShadow) {
    sim.displaySettings().setReduceMotion(true);
    enter(QPointF(50, 40));
    settle(1);
    EXPECT_FALSE(card->showsLamp());
    EXPECT_DOUBLE_EQ(card->shadowOpacity(), GlassCard::hoveringShadowOpacity);
}

TEST_F(GlassCardTest, artIsDrawnInsideTheCardShapeOnly) {
    Motion::setInstant(true);
    card->setArt([](QPainter& painter, const QRectF& rect, const ColorEnvironment&) {
        painter.fillRect(rect, QColor(0, 0, 255));
    });
    EXPECT_TRUE(card->hasArt());
    const QImage image = paint(*card);
    EXPECT_GT(image.pixelColor(150, 80).blue(), 150);
    EXPECT_LT(image.pixelColor(150, 80).red(), 120);
    EXPECT_EQ(image.pixelColor(0, 0), QColor(Qt::white)) << "the rounded corner clips it";
    card->setArt({});
    EXPECT_FALSE(card->hasArt());
}

}  // namespace
}  // namespace velorin

namespace velorin {
namespace {

// The pointer moving over the card's content still moves the lamp.
TEST_F(GlassCardTest, theLampFollowsThePointerOverTheContentToo) {
    auto* label = new QLabel(QStringLiteral("Some content that fills the card"));
    label->setMinimumHeight(100);
    card->addContent(label);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QPoint overLabel = label->mapTo(&window, QPoint(20, 20));
    QTest::mouseMove(window.windowHandle(), overLabel);
    QTest::mouseMove(window.windowHandle(), overLabel + QPoint(30, 5));
    EXPECT_TRUE(card->isHovering());
    EXPECT_EQ(card->pointer(), QPointF(card->mapFrom(&window, overLabel + QPoint(30, 5))));
    QTest::mouseMove(window.windowHandle(), QPoint(395, 295));
    EXPECT_FALSE(card->isHovering());
}

}  // namespace
}  // namespace velorin
