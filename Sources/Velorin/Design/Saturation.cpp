#include "Velorin/Design/Saturation.h"

#include <algorithm>

namespace velorin {

namespace {
constexpr double redWeight = 0.2126;
constexpr double greenWeight = 0.7152;
constexpr double blueWeight = 0.0722;
}  // namespace

Rgba saturated(const Rgba& color, double saturation) {
    const double grey = redWeight * color.red + greenWeight * color.green + blueWeight * color.blue;
    auto adjust = [&](double c) { return std::clamp(grey + saturation * (c - grey), 0.0, 1.0); };
    return {adjust(color.red), adjust(color.green), adjust(color.blue), color.alpha};
}

QImage saturated(const QImage& image, double saturation) {
    QImage out = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (saturation == 1) return out;
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            const int a = qAlpha(p);
            if (a == 0) continue;
            // Premultiplied components stay premultiplied: the grey is a weighted sum of them.
            const double r = qRed(p), g = qGreen(p), b = qBlue(p);
            const double grey = redWeight * r + greenWeight * g + blueWeight * b;
            auto adjust = [&](double c) {
                return int(std::clamp(grey + saturation * (c - grey), 0.0, double(a)) + 0.5);
            };
            line[x] = qRgba(adjust(r), adjust(g), adjust(b), a);
        }
    }
    return out;
}

}  // namespace velorin
