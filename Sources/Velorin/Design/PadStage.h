#pragma once
// The live pad: a picture of the trackpad in which the water moves under the
// fingers resting on the real trackpad, the four corner-tap zones over it,
// its rim, and a chip counting the fingers. It is fed by its owner: the
// water's input (the live touches, the last fired date, the floor spots, the
// appearance) through `WaterSurface`, and the corner size. The touches are
// drawn by the water alone; the pad adds no marks of its own for them.
//
// The pad keeps a width to height ratio of 1.6, fitted to the space it is
// given (at most 560 points wide, at its top-left), and casts a soft shadow.
// Its water is a clipped water layer (drawn offscreen, ticking only while
// shown); where no OpenGL context can be made the pad shows the floor colour.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/CornerZones.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/OverlayShadow.h"
#include "Velorin/Design/WaterInput.h"

#include <QSurfaceFormat>
#include <QWidget>

#include <functional>
#include <string>

namespace velorin {

class Chip;
class WaterLayer;

class PadStage final : public QWidget, public WaterSurface {
    Q_OBJECT

public:
    static constexpr double aspectRatio = 1.6;  // width to height
    static constexpr double maxWidth = 560;     // points
    static constexpr double cornerRadius = 28;  // points, continuous corners
    static constexpr double rimWidth = 1.5;
    static constexpr double chipInset = 14;        // points from the top-left corner
    static constexpr double shadowOpacity = 0.22;  // of Theme.shadow
    static constexpr double shadowRadius = 24;
    static constexpr QPointF shadowOffset{0, 10};
    static constexpr const char* chipSymbol = "hand.raised.fingers.spread.fill";

    // `clock`: the water's time in seconds; the platform's uptime when empty.
    explicit PadStage(QWidget* parent = nullptr, std::function<double()> clock = {});
    PadStage(QWidget* parent, const QSurfaceFormat& format, std::function<double()> clock = {});
    ~PadStage() override;

    // The water's input; the chip counts its touches.
    void update(const WaterInput& input) override;
    using QWidget::update;
    const WaterInput& input() const { return input_; }

    double cornerSize() const { return zones_.size; }
    void setCornerSize(double size);
    const CornerZones& cornerZones() const { return zones_; }

    // The number of live touches, and the chip's text for it ("0 fingers",
    // "1 finger", "2 fingers", …).
    int fingers() const { return int(input_.touches.size()); }
    static std::string fingerText(int count);
    Chip* fingerChip() const { return chip_; }
    WaterLayer* water() const { return water_; }

    // The pad's rectangle in the widget: the largest of ratio 1.6 that fits,
    // at most 560 points wide, at the top-left.
    QRectF padRect() const;
    static QSizeF fittedSize(const QSizeF& offered);
    QPainterPath shape() const;

    // Draws one frame of the water now (its timer does this while the pad is shown).
    void drawFrame();

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    class Overlay;

    void refreshChip();
    void layoutLayers();

    WaterInput input_;
    CornerZones zones_;
    WaterLayer* water_ = nullptr;
    Overlay* overlay_ = nullptr;  // the zones and the rim, over the water
    Chip* chip_ = nullptr;
    AnimatedValue<double> lit_;  // 0 no finger down … 1 fingers down: the chip's look
    OverlayShadow shadow_;
    DisplayObserver display_;
};

}  // namespace velorin
