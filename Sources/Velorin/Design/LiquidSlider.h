#pragma once
// The slider of the settings window: it edits a number within a closed
// range, shows the value in a small bubble while dragged, and moves with a
// horizontal two-finger scroll (or a tilted wheel) while the pointer rests
// on it. The filled part of its track is liquid whose edge wobbles with the
// speed of the drag and rings down when the drag ends. Reaching either end
// ticks once. The arrow keys move it by a wheel line, Page Up and Page Down
// by a tenth, Home and End to the ends.
//
// The knob's centre travels from one end of the track to the other, and the
// track is inset by half a knob on each side so the knob never leaves the
// slider's own rectangle.

#include "Velorin/Design/Animated.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/FocusRing.h"
#include "Velorin/Design/Spring.h"
#include "Velorin/Design/WaveFill.h"

#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

namespace velorin {

// The slider's arithmetic, apart from any widget.
struct LiquidSliderRules {
    LiquidSliderRules() = delete;

    static constexpr double scrollSpan = 420;      // points of scroll that cross the whole range
    static constexpr double wheelLinePoints = 8;   // points one wheel line stands for
    static constexpr double wobbleSaturation = 600;  // points per second of drag that give full wobble
    static constexpr double bubbleLead = 24;        // points the bubble starts left of the knob's centre
    static constexpr double bubbleRoom = 48;        // points the bubble stays short of the track's end

    // Where `value` lies in the range, 0…1; 0 for a range of no width.
    static double fraction(double value, double lower, double upper);
    // The value at `x` points along a track `width` points wide (clamped to the ends).
    static double valueAt(double x, double width, double lower, double upper);
    // `value` moved by a scroll of `delta` points, clamped to the range.
    static double nudged(double value, double delta, double lower, double upper);
    // The scroll a wheel event stands for, in points, or none when it isn't
    // mostly horizontal (then it scrolls the page). Wheel lines count 8
    // points; the sign undoes the system's natural-scrolling inversion.
    static std::optional<double> scrollDelta(double dx, double dy, bool precise, bool inverted);
    // Whether moving from `current` to `next` arrives at an end (and so ticks).
    static bool arrivesAtEnd(double current, double next, double lower, double upper);
    // 0…1 from the distance a drag is predicted to travel.
    static double wobble(double predictedTravel);
    // How far right of the track's start the bubble stands.
    static double bubbleOffset(double fraction, double trackWidth);
};

class LiquidSlider : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double value READ value)

public:
    using Format = std::function<QString(double)>;

    static constexpr double sliderHeight = 28;     // points
    static constexpr double trackHeight = 10;      // points
    static constexpr double knobDiameter = 22;     // points
    static constexpr double knobStroke = 2.5;      // points, 4 while dragging
    static constexpr double draggingKnobStroke = 4;
    static constexpr double draggingKnobScale = 1.15;
    static constexpr double waveAmplitude = 2.5;   // points at full wobble
    static constexpr double wavePhasePerUnit = 40;  // radians per unit of the value
    static constexpr double bubbleRise = 28;       // points the bubble floats above its place
    static constexpr double bubbleStartScale = 0.4;
    static constexpr Spring ringDown{0.8, 0.3, 0};
    // How far ahead a drag's end is predicted from its speed, in seconds.
    static constexpr double predictionHorizon = 0.25;

    explicit LiquidSlider(QWidget* parent = nullptr);
    LiquidSlider(double value, double lower, double upper, Format format = {}, QWidget* parent = nullptr);
    ~LiquidSlider() override;

    double value() const { return value_; }
    // Sets the value from outside (clamped to the range; no tick).
    void setValue(double value);
    double lower() const { return lower_; }
    double upper() const { return upper_; }
    // Bounds given the wrong way round are swapped.
    void setRange(double lower, double upper);
    void setFormat(Format format);
    QString valueText() const;

    // Moves the value by a scroll of `delta` points, as a scroll over it does.
    void nudge(double delta);

    // Where the slider stands now, for tests and the gallery.
    bool isDragging() const { return dragging_; }
    double fraction() const { return LiquidSliderRules::fraction(value_, lower_, upper_); }
    double wobble() const { return wobble_.value(); }
    double bubblePresence() const { return bubble_.value(); }
    WaveFill wave() const;
    QRectF trackRect() const;
    QRectF knobRect() const;
    QRectF bubbleRect() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged(double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    class Bubble;
    void userValue(double next);
    void dragTo(double x, double timestamp);
    void endDrag();

    double value_ = 0;
    double lower_ = 0;
    double upper_ = 1;
    Format format_;
    bool dragging_ = false;
    FocusRing focusRing_{this};
    double lastX_ = 0;
    double lastTime_ = -1;
    AnimatedValue<double> wobble_;
    AnimatedValue<double> grow_;    // 0 at rest, 1 while dragging: the knob
    AnimatedValue<double> bubble_;  // 0 hidden, 1 shown
    std::unique_ptr<Bubble> bubbleEffect_;
    DisplayObserver display_;
};

}  // namespace velorin
