#pragma once
// The frosted card that holds every group of settings and every pack: its
// content padded on every edge and stretched to the full width, on glass
// (a translucent material, a warm-white veil and a tint), with an optional
// flood of colour that grows from near the top-right corner, optional
// artwork clipped to the card, a rainbow lamp that follows the pointer, two
// hairline rims and a soft shadow that deepens on hover.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Color.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Fill.h"
#include "Velorin/Design/OverlayShadow.h"

#include <QPointF>
#include <QWidget>

#include <functional>
#include <optional>

class QPainter;
class QVBoxLayout;

namespace velorin {

class GlassCard : public QWidget {
    Q_OBJECT

public:
    // Paints the card's artwork into the card's rectangle; the card clips it to its shape.
    using Art = std::function<void(QPainter& painter, const QRectF& card, const ColorEnvironment& environment)>;

    static constexpr double defaultPadding = 16;  // points
    static constexpr double defaultRadius = 22;   // points
    static constexpr double floodInsetRight = 40;  // the flood's centre, points in from the right edge
    static constexpr double floodInsetTop = 28;    // and down from the top
    static constexpr double drainedFloodScale = 0.001;
    static constexpr Spring floodSpring{0.7, 0.8, 0};
    static constexpr double restingShadowOpacity = 0.14;
    static constexpr double hoveringShadowOpacity = 0.26;
    static constexpr double lampSize = 340;        // points
    static constexpr double lampRadius = 170;      // points, where the lamp's spot fades out
    static constexpr double lampTurnPerPoint = 0.6;  // degrees per point of pointer x + y
    static constexpr double hoverInDuration = 0.18;   // seconds
    static constexpr double hoverOutDuration = 0.35;  // seconds

    explicit GlassCard(QWidget* parent = nullptr);
    GlassCard(double padding, double radius, ThemeColor tint, QWidget* parent = nullptr);
    ~GlassCard() override;

    double padding() const { return padding_; }
    void setPadding(double padding);
    double radius() const { return radius_; }
    void setRadius(double radius);
    const ShapeFill& tint() const { return tint_; }
    void setTint(const ShapeFill& tint);
    // No value: no flood layer at all; false: drained; true: filled.
    std::optional<bool> flood() const { return flood_; }
    void setFlood(std::optional<bool> flood);
    // No value: the butter glow.
    const std::optional<ShapeFill>& floodFill() const { return floodFill_; }
    void setFloodFill(const std::optional<ShapeFill>& fill);
    bool hasArt() const { return static_cast<bool>(art_); }
    // Replaces the artwork; an empty function removes it.
    void setArt(Art art);

    // The layout the content goes in (margins are the padding).
    QVBoxLayout* contentLayout() const { return layout_; }
    // Adds `widget` to the content.
    void addContent(QWidget* widget);

    // Where the card stands now, for tests and the gallery.
    bool isHovering() const { return hovering_; }
    QPointF pointer() const { return pointer_; }
    double hoverAmount() const { return hover_.value(); }  // 0…1, how far the hover fade has gone
    double floodScale() const { return floodScale_.value(); }
    double shadowOpacity() const;
    // Whether the rainbow lamp is drawn (hovered and motion allowed).
    bool showsLamp() const;

    QPainterPath shape() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void pointerMoved(QPointF position);
    void paintFlood(QPainter& painter, const QRectF& rect, const ColorEnvironment& environment);
    void paintLamp(QPainter& painter, const QRectF& rect, const ColorEnvironment& environment);

    double padding_ = defaultPadding;
    double radius_ = defaultRadius;
    ShapeFill tint_ = ThemeColor::clear();
    std::optional<bool> flood_;
    std::optional<ShapeFill> floodFill_;
    Art art_;
    QVBoxLayout* layout_ = nullptr;

    bool hovering_ = false;
    QPointF pointer_;
    AnimatedValue<double> hover_;
    AnimatedValue<double> floodScale_;
    OverlayShadow shadow_;
    DisplayObserver display_;
};

}  // namespace velorin
