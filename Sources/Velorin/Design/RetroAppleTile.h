#pragma once
// The tile of the whole-desktop pack: a logo striped in the six rainbow
// colours on a white rounded square, glowing blue and yellow beneath when
// active. Changes of `active` blend with the wobble spring.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Color.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/OverlayShadow.h"
#include "Velorin/Design/Rainbow.h"

#include <QPainterPath>
#include <QWidget>

#include <array>

namespace velorin {

class RetroAppleTile final : public QWidget {
    Q_OBJECT

public:
    // Green, yellow, orange, red, purple, blue: the rainbow's own six.
    static constexpr const std::array<Rgba, 6>& stripes = Rainbow::colors;
    static constexpr double logoWidthShare = 0.58;   // of the edge
    static constexpr double logoHeightShare = 0.68;  // of the edge
    static constexpr double cornerShare = 0.26;      // of the edge
    static constexpr double idleSaturation = 0.75;
    static constexpr double glowOpacity = 0.3;

    explicit RetroAppleTile(QWidget* parent = nullptr);
    RetroAppleTile(bool active, double size, QWidget* parent = nullptr);

    bool isActive() const { return active_; }
    void setActive(bool active);
    double edge() const { return size_; }
    void setEdge(double size);

    // Now: how far the active look has blended in (0…1, beyond while the spring overshoots).
    double activeAmount() const { return activeAmount_.value(); }

    // The tile's square and the striped logo's outline within a tile of `size` at `origin`.
    static QPainterPath tileShape(const QPointF& origin, double size);
    static QPainterPath logoShape(const QPointF& origin, double size);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QPointF origin() const;
    void refreshGlow();

    bool active_ = false;
    double size_ = 44;
    AnimatedValue<double> activeAmount_;
    OverlayShadow blueGlow_;
    OverlayShadow yellowGlow_;
    DisplayObserver display_;
};

}  // namespace velorin
