#pragma once
// Colours that resolve themselves for the view drawing them: a light and a
// dark value, or the user's accent colour (and the lighter form of it), each
// with an opacity. Views keep these values and resolve them at paint time, so
// a change of appearance or accent recolours everything on its next paint.

#include <QColor>

#include <cstdint>

namespace velorin {

enum class Appearance { light, dark };

// What a colour is resolved against: the appearance of the view that draws it
// and the user's accent colour.
struct ColorEnvironment {
    Appearance appearance = Appearance::light;
    QColor accent = QColor(0x00, 0x7A, 0xFF);

    bool isDark() const { return appearance == Appearance::dark; }
    bool operator==(const ColorEnvironment&) const = default;
};

// One sRGB colour with straight (not premultiplied) opacity, components 0…1.
struct Rgba {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;

    // 0xRRGGBB: bits 16-23 red, 8-15 green, 0-7 blue, each divided by 255.
    static constexpr Rgba hex(std::uint32_t rgb, double opacity = 1) {
        return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, opacity};
    }
    QColor toQColor() const;
    static Rgba from(const QColor& color);
    bool operator==(const Rgba&) const = default;
};

// Blends `color` toward `other` by `fraction` (0 keeps it, 1 gives `other`),
// every component including opacity.
Rgba blended(const Rgba& color, double fraction, const Rgba& other);

class ThemeColor {
public:
    enum class Kind {
        fixed,   // its light value in the light appearance, its dark value in the dark one
        accent,  // the user's accent colour
        butter,  // the accent blended toward white: 0.28 in light, 0.12 in dark
    };

    constexpr ThemeColor() = default;

    static constexpr ThemeColor dynamic(Rgba light, Rgba dark) { return ThemeColor(Kind::fixed, light, dark); }
    // Both values from 0xRRGGBB, each with its own opacity.
    static constexpr ThemeColor dynamic(std::uint32_t light, std::uint32_t dark, double lightOpacity = 1,
                                        double darkOpacity = 1) {
        return dynamic(Rgba::hex(light, lightOpacity), Rgba::hex(dark, darkOpacity));
    }
    // The same colour in both appearances.
    static constexpr ThemeColor plain(Rgba color) { return dynamic(color, color); }
    static constexpr ThemeColor plain(std::uint32_t rgb, double opacity = 1) { return plain(Rgba::hex(rgb, opacity)); }
    static constexpr ThemeColor accent() { return ThemeColor(Kind::accent, {}, {}); }
    static constexpr ThemeColor butter() { return ThemeColor(Kind::butter, {}, {}); }
    static constexpr ThemeColor clear() { return plain(Rgba{0, 0, 0, 0}); }

    // The same colour with its opacity multiplied by `factor`.
    constexpr ThemeColor opacity(double factor) const {
        ThemeColor copy = *this;
        copy.opacity_ *= factor;
        return copy;
    }

    Rgba resolveRgba(const ColorEnvironment& environment) const;
    QColor resolve(const ColorEnvironment& environment) const { return resolveRgba(environment).toQColor(); }

    constexpr Kind kind() const { return kind_; }
    constexpr Rgba light() const { return light_; }
    constexpr Rgba dark() const { return dark_; }
    constexpr double opacityFactor() const { return opacity_; }

    bool operator==(const ThemeColor&) const = default;

private:
    constexpr ThemeColor(Kind kind, Rgba light, Rgba dark) : kind_(kind), light_(light), dark_(dark) {}

    Kind kind_ = Kind::fixed;
    Rgba light_{};
    Rgba dark_{};
    double opacity_ = 1;
};

}  // namespace velorin
