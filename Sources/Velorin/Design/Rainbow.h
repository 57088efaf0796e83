#pragma once
// The rainbow family of effects: the six-colour palette and the three
// subpixel colours, hard-banded rainbow fills, the faint subpixel grain, the
// wavy top of the rainbow liquid, and the glassy capsule behind pills and
// tabs. Geometry is given by pure functions; the painters draw from them.

#include "Platform/Clock.h"
#include "Velorin/Design/Color.h"
#include "Velorin/Design/Fill.h"
#include "Velorin/Design/Shadow.h"
#include "Velorin/Design/Spring.h"

#include <QPainterPath>
#include <QRectF>

#include <array>
#include <vector>

class QPainter;

namespace velorin {

struct Rainbow {
    Rainbow() = delete;

    // Green, yellow, orange, red, purple, blue.
    static constexpr std::array<Rgba, 6> colors{{
        {0.38, 0.73, 0.27, 1},
        {0.99, 0.72, 0.15, 1},
        {0.96, 0.51, 0.12, 1},
        {0.88, 0.23, 0.24, 1},
        {0.59, 0.24, 0.59, 1},
        {0.01, 0.62, 0.86, 1},
    }};
    // Red, green and blue subpixels.
    static constexpr std::array<Rgba, 3> rgb{{
        {1.0, 0.24, 0.28, 1},
        {0.24, 1.0, 0.43, 1},
        {0.24, 0.47, 1.0, 1},
    }};

    static ThemeColor color(int index);     // `colors`, wrapping round
    static ThemeColor subpixel(int index);  // `rgb`, wrapping round
    // Top to bottom, each of the six colours held flat over a sixth.
    static LinearFill bands();
};

// --- Pixel grain: one red, green and blue stripe every 4 points. ---

struct GrainStripe {
    QRectF rect;
    int channel = 0;  // 0 red, 1 green, 2 blue

    bool operator==(const GrainStripe&) const = default;
};

inline constexpr double grainPitch = 4;          // points from one triple to the next
inline constexpr double grainStripeWidth = 0.8;  // points

// The stripes over a canvas of `size`: for x = 0, 4, 8, … below the width,
// stripes at x, x + 1 and x + 2, full height. None for a zero width.
std::vector<GrainStripe> pixelGrainStripes(const QSizeF& size);
// The grain over `rect`, screen-blended onto what lies below, each stripe at `strength` opacity.
void paintPixelGrain(QPainter& painter, const QRectF& rect, double strength);

// --- The rainbow liquid. ---

// The liquid's outline: its top at `level` of the height from the bottom,
// a sine of `amplitude` points with 2.2 periods across the width, through
// 25 points; everything below the top is inside.
QPainterPath waveTopPath(const QRectF& rect, double level, double phase, double amplitude);

// Seconds since 2001-01-01 00:00 UTC, the liquid's clock. It is near 10⁹:
// keep it in a double, never a float.
double secondsSinceReferenceDate(Date date);

// Rainbow bands filling a shape up to a level under a moving wavy top. The
// wave moves while the level is above 0 and motion is allowed; otherwise it
// stands at its last phase. A full liquid (level 1 or more) has a flat top.
class RainbowLiquid {
public:
    static constexpr double tickInterval = 1.0 / 30;    // seconds between wave frames, at least
    static constexpr double phaseRate = 2.2;            // radians per second
    static constexpr double waveAmplitude = 2.5;        // points
    static constexpr double troughAllowance = 3;        // points of bands above the level
    static constexpr Spring levelSpring{0.5, 0.62, 0};  // how level changes move

    // `now` is in seconds since the reference date.
    explicit RainbowLiquid(double level = 0, double now = 0);

    double level() const { return level_; }
    void setLevel(double level) { level_ = level; }
    bool reduceMotion() const { return reduceMotion_; }
    void setReduceMotion(bool on) { reduceMotion_ = on; }

    // Whether the wave moves (so whoever draws it wants frames).
    bool isRunning() const { return level_ > 0 && !reduceMotion_; }
    // A frame at `now` (seconds since the reference date); kept only while running.
    void tick(double now);

    double phase() const;      // radians, reduced to one turn
    double amplitude() const;  // points
    // The bands' frame in a canvas of `size`: full width, clamp(level, 0.01, 1)
    // of the height plus 3 points, standing on the bottom edge.
    QRectF bandsRect(const QSizeF& size) const;
    QPainterPath outline(const QSizeF& size) const;

    void paint(QPainter& painter, const QRectF& rect, const ColorEnvironment& environment) const;

private:
    double level_;
    bool reduceMotion_ = false;
    double time_;
};

// --- Rainbow glass: the capsule background of pills and tabs. ---

// What stands for the system's ultra-thin material: a thin veil of the raised surface colour.
inline constexpr ThemeColor ultraThinMaterial = ThemeColor::dynamic(0xF5F7FA, 0x1D2027, 0.45, 0.55);

// The capsule glass's layers over `rect`, back to front: material, veil,
// grain, sheen and rim. Its shadow reaches beyond the capsule: paint
// `rainbowGlassShadow` first where there is room (the effects overlay).
void paintRainbowGlass(QPainter& painter, const QRectF& rect, bool dark, bool solid,
                       const ColorEnvironment& environment);
ShadowStyle rainbowGlassShadow(const ColorEnvironment& environment);

}  // namespace velorin
