#include "Velorin/Design/ContinuousShape.h"
#include "Velorin/Design/Fill.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Shadow.h"
#include "Velorin/Design/Theme.h"

#include <QConicalGradient>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <gtest/gtest.h>

namespace velorin {
namespace {

const ColorEnvironment light{Appearance::light, QColor(0x00, 0x7A, 0xFF)};

TEST(ContinuousRoundedRect, keepsItsBoundsAndEasesItsCorners) {
    const QRectF rect(10, 20, 200, 100);
    const QPainterPath path = continuousRoundedRect(rect, 20);
    const QRectF bounds = path.boundingRect();
    EXPECT_NEAR(bounds.left(), 10, 1e-6);
    EXPECT_NEAR(bounds.top(), 20, 1e-6);
    EXPECT_NEAR(bounds.width(), 200, 1e-6);
    EXPECT_NEAR(bounds.height(), 100, 1e-6);

    // The curve eases in along the edge: points a circular corner would
    // already hold are still outside…
    QPainterPath circular;
    circular.addRoundedRect(rect, 20, 20);
    for (const QPointF p : {QPointF(10 + 22, 20.05), QPointF(10 + 15, 20.75)}) {
        EXPECT_TRUE(circular.contains(p));
        EXPECT_FALSE(path.contains(p));
    }
    EXPECT_TRUE(path.contains(QPointF(10 + 31, 20.05)));
    // …while at the diagonal the corner is cut about as deep as a circular one.
    EXPECT_FALSE(path.contains(QPointF(10 + 5, 20 + 5)));
    EXPECT_TRUE(path.contains(QPointF(10 + 7, 20 + 7)));
    EXPECT_TRUE(path.contains(rect.center()));
}

TEST(ContinuousRoundedRect, fallsBackToCircularCornersWhenTooSmall) {
    const QRectF rect(0, 0, 46, 26);
    QPainterPath capsule;
    capsule.addRoundedRect(rect, 13, 13);
    const QPainterPath path = continuousCapsule(rect);
    for (const QPointF p : {QPointF(2, 2), QPointF(4, 13), QPointF(13, 0.5), QPointF(44, 24), QPointF(23, 13)})
        EXPECT_EQ(path.contains(p), capsule.contains(p)) << p.x() << "," << p.y();
    // A radius larger than the shape allows is capped at the capsule.
    EXPECT_EQ(continuousRoundedRect(rect, 500).boundingRect(), rect);
    EXPECT_TRUE(continuousRoundedRect(QRectF(), 5).isEmpty());
}

TEST(GradientStopsTest, hardBandsGetDistinctStopsAtTheirSharedEdges) {
    const QGradientStops stops = gradientStops(Rainbow::bands().stops, light);
    ASSERT_EQ(stops.size(), 12);
    for (int i = 1; i < stops.size(); ++i) EXPECT_LT(stops[i - 1].first, stops[i].first) << i;
    EXPECT_EQ(stops.front().first, 0);
    EXPECT_EQ(stops.back().first, 1);
    for (int band = 0; band < 6; ++band) {
        const QColor c = Rgba(Rainbow::colors[std::size_t(band)]).toQColor();
        EXPECT_EQ(stops[2 * band].second, c);
        EXPECT_EQ(stops[2 * band + 1].second, c);
        EXPECT_NEAR(stops[2 * band].first, band / 6.0, 1e-4);
        EXPECT_NEAR(stops[2 * band + 1].first, (band + 1) / 6.0, 1e-4);
    }
    // Qt keeps every stop (it would drop one of two at the same place).
    QLinearGradient g(0, 0, 0, 1);
    g.setStops(stops);
    EXPECT_EQ(g.stops().size(), 12);
}

TEST(GradientStopsTest, evenStopsSpreadColoursFromZeroToOne) {
    const auto stops = evenStops({Theme::butter, Theme::honey, Theme::ink});
    ASSERT_EQ(stops.size(), 3u);
    EXPECT_EQ(stops[0].location, 0);
    EXPECT_EQ(stops[1].location, 0.5);
    EXPECT_EQ(stops[2].location, 1);
}

TEST(BrushTest, placesGradientsInTheShapesBounds) {
    const QRectF rect(10, 10, 100, 50);
    const QBrush linear =
        brush(LinearFill{evenStops({Theme::ink, Theme::milk}), UnitPoint::topLeading(), UnitPoint::bottomTrailing()},
              rect, light);
    const auto* lg = static_cast<const QLinearGradient*>(linear.gradient());
    ASSERT_NE(lg, nullptr);
    EXPECT_EQ(lg->start(), QPointF(10, 10));
    EXPECT_EQ(lg->finalStop(), QPointF(110, 60));

    const QBrush radial =
        brush(RadialFill{evenStops({Theme::honey, Theme::honey.opacity(0.35)}), UnitPoint::topTrailing(), 0, 520}, rect,
              light);
    const auto* rg = static_cast<const QRadialGradient*>(radial.gradient());
    ASSERT_NE(rg, nullptr);
    EXPECT_EQ(rg->center(), QPointF(110, 10));
    EXPECT_EQ(rg->radius(), 520);
    EXPECT_EQ(rg->focalRadius(), 0);

    EXPECT_EQ(brush(Theme::success, rect, light).color(), QColor(0x2E, 0x8B, 0x4E));
}

TEST(BrushTest, angularFillsRunClockwiseOnScreen) {
    // Red at the start (trailing side), green a quarter turn clockwise (below the centre on screen).
    const AngularFill fill{
        {{ThemeColor::plain(0xFF0000), 0}, {ThemeColor::plain(0x00FF00), 0.25}, {ThemeColor::plain(0x0000FF), 1}},
        UnitPoint::center(),
        0};
    const QBrush b = brush(fill, QRectF(0, 0, 100, 100), light);
    const auto* cg = static_cast<const QConicalGradient*>(b.gradient());
    ASSERT_NE(cg, nullptr);
    // Qt counts counter-clockwise: a quarter turn clockwise is three quarters round its way.
    const QGradientStops stops = cg->stops();
    ASSERT_EQ(stops.size(), 3);
    EXPECT_EQ(stops[0].second, QColor(0, 0, 255));
    EXPECT_NEAR(stops[1].first, 0.75, 1e-9);
    EXPECT_EQ(stops[1].second, QColor(0, 255, 0));
    EXPECT_EQ(stops[2].second, QColor(255, 0, 0));
    EXPECT_EQ(brush(AngularFill{fill.stops, UnitPoint::center(), 30}, QRectF(0, 0, 10, 10), light).gradient()->type(),
              QGradient::ConicalGradient);
    EXPECT_NEAR(static_cast<const QConicalGradient*>(
                    brush(AngularFill{fill.stops, UnitPoint::center(), 30}, QRectF(0, 0, 10, 10), light).gradient())
                    ->angle(),
                330, 1e-9);
}

TEST(ShadowMarginsTest, reachBeyondTheShapeByTheBlurAndTheOffset) {
    struct Case {
        double radius;
        QPointF offset;
        QMargins margins;
    };
    const std::vector<Case> cases = {
        {0, QPointF(0, 0), QMargins(0, 0, 0, 0)},      {8, QPointF(0, 4), QMargins(12, 8, 12, 16)},
        {16, QPointF(0, 7), QMargins(24, 17, 24, 31)}, {2, QPointF(0, 30), QMargins(3, 0, 3, 33)},
        {7, QPointF(-2, 2), QMargins(13, 9, 9, 13)},
    };
    for (const Case& c : cases) EXPECT_EQ(shadowMargins(c.radius, c.offset), c.margins) << c.radius;
}

TEST(PaintShadowTest, darkensAroundTheShapeAndLeavesTheShapeAlone) {
    QImage image(100, 100, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainterPath card;
    card.addRect(30, 30, 40, 40);
    {
        QPainter p(&image);
        paintShadow(p, card, ShadowStyle{QColor(0, 0, 0, 200), 8, QPointF(0, 6)});
    }
    EXPECT_EQ(image.pixelColor(50, 50), QColor(Qt::white));             // inside: untouched
    EXPECT_LT(qGray(image.pixel(50, 73)), 200);                         // just below: dark (the offset pushes it down)
    EXPECT_LT(qGray(image.pixel(50, 73)), qGray(image.pixel(50, 27)));  // darker below than above
    EXPECT_EQ(image.pixelColor(50, 95), QColor(Qt::white));             // beyond its reach
    EXPECT_EQ(image.pixelColor(5, 5), QColor(Qt::white));

    // Painted behind instead, the shadow covers the shape's area too.
    QImage behind(100, 100, QImage::Format_ARGB32_Premultiplied);
    behind.fill(Qt::white);
    {
        QPainter p(&behind);
        paintShadow(p, card, ShadowStyle{QColor(0, 0, 0, 200), 8, QPointF(0, 6)}, false);
    }
    EXPECT_LT(qGray(behind.pixel(50, 50)), 200);
}

TEST(RainbowGlassTest, staysInsideItsCapsule) {
    QImage image(120, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        paintRainbowGlass(p, QRectF(10, 5, 100, 30), false, true, light);
    }
    EXPECT_EQ(qAlpha(image.pixel(11, 6)), 0);  // the capsule's rounded end leaves the corner clear
    EXPECT_EQ(qAlpha(image.pixel(5, 20)), 0);
    EXPECT_GT(qAlpha(image.pixel(60, 20)), 200);  // solid glass: nearly opaque warm white
    EXPECT_GT(qGray(image.pixel(60, 20)), 200);
    EXPECT_EQ(rainbowGlassShadow(light), (ShadowStyle{Theme::shadow.opacity(0.18).resolve(light), 8, QPointF(0, 4)}));
}

}  // namespace
}  // namespace velorin
