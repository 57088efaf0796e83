#include "Velorin/Design/Blur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace velorin {

namespace {

// Widths of three box blurs whose repetition approximates a Gaussian of `sigma`.
std::array<int, 3> boxWidths(double sigma) {
    constexpr int passes = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0) --lower;
    lower = std::max(lower, 1);
    const int upper = lower + 2;
    const double m =
        (12 * sigma * sigma - passes * lower * lower - 4 * passes * lower - 3 * passes) / (-4.0 * lower - 4);
    const int lowerCount = int(std::lround(m));
    std::array<int, 3> widths{};
    for (int i = 0; i < passes; ++i) widths[i] = i < lowerCount ? lower : upper;
    return widths;
}

// One box blur of half-width `r` along rows of `src` into `dst`; outside is 0.
void boxPass(const std::vector<float>& src, std::vector<float>& dst, int width, int height, int r, bool horizontal) {
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    const float scale = 1.0f / float(2 * r + 1);
    for (int line = 0; line < lines; ++line) {
        auto at = [&](int i) -> float {
            if (i < 0 || i >= length) return 0.0f;
            return horizontal ? src[std::size_t(line) * width + i] : src[std::size_t(i) * width + line];
        };
        float sum = 0;
        for (int i = -r; i <= r; ++i) sum += at(i);
        for (int i = 0; i < length; ++i) {
            const std::size_t index = horizontal ? std::size_t(line) * width + i : std::size_t(i) * width + line;
            dst[index] = sum * scale;
            sum += at(i + r + 1) - at(i - r);
        }
    }
}

}  // namespace

double blurSigma(double radius) { return std::max(0.0, radius) / 2; }
double blurReach(double radius) { return std::max(0.0, radius) * 1.5; }

QImage blurredAlpha(const QImage& mask, double sigma) {
    QImage alpha = mask.convertToFormat(QImage::Format_Alpha8);
    alpha.setDevicePixelRatio(mask.devicePixelRatio());
    if (alpha.isNull() || !(sigma > 0.2)) return alpha;
    const int width = alpha.width();
    const int height = alpha.height();
    std::vector<float> a(std::size_t(width) * height);
    std::vector<float> b(a.size());
    for (int y = 0; y < height; ++y) {
        const uchar* row = alpha.constScanLine(y);
        for (int x = 0; x < width; ++x) a[std::size_t(y) * width + x] = row[x];
    }
    for (int box : boxWidths(sigma)) {
        const int r = (box - 1) / 2;
        if (r <= 0) continue;
        boxPass(a, b, width, height, r, true);
        boxPass(b, a, width, height, r, false);
    }
    for (int y = 0; y < height; ++y) {
        uchar* row = alpha.scanLine(y);
        for (int x = 0; x < width; ++x)
            row[x] = uchar(std::clamp(std::lround(a[std::size_t(y) * width + x]), 0L, 255L));
    }
    return alpha;
}

QImage tinted(const QImage& mask, const QColor& color) {
    const QImage alpha = mask.convertToFormat(QImage::Format_Alpha8);
    QImage out(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(mask.devicePixelRatio());
    const QColor c = color.toRgb();
    const double ca = c.alphaF();
    for (int y = 0; y < alpha.height(); ++y) {
        const uchar* src = alpha.constScanLine(y);
        auto* dst = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < alpha.width(); ++x) {
            const double coverage = src[x] / 255.0 * ca;
            dst[x] = qRgba(int(std::lround(c.red() * coverage)), int(std::lround(c.green() * coverage)),
                           int(std::lround(c.blue() * coverage)), int(std::lround(255 * coverage)));
        }
    }
    return out;
}

}  // namespace velorin
