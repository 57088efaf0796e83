#include "Velorin/Packs/PackArtLayer.h"

#include <QLinearGradient>
#include <QPainter>

#include <algorithm>
#include <cmath>

#include "Velorin/Design/Animation.h"
#include "Velorin/Design/Blur.h"
#include "Velorin/Packs/PackArtLayout.h"

namespace velorin {

namespace {

// The picture scaled to fill `frame` (keeping its aspect ratio), centred.
QRectF filling(const QImage& image, const QRectF& frame) {
    const double scale = std::max(frame.width() / image.width(), frame.height() / image.height());
    const QSizeF size(image.width() * scale, image.height() * scale);
    return QRectF(frame.center().x() - size.width() / 2, frame.center().y() - size.height() / 2, size.width(),
                  size.height());
}

// A separable Gaussian over premultiplied ARGB; outside the image is clear.
QImage blurred(const QImage& source, double sigma) {
    if (sigma <= 0) return source;
    const int radius = std::max(1, int(std::ceil(sigma * 3)));
    std::vector<double> kernel(std::size_t(2 * radius + 1));
    double sum = 0;
    for (int i = -radius; i <= radius; ++i) sum += kernel[std::size_t(i + radius)] = std::exp(-(i * i) / (2 * sigma * sigma));
    for (double& k : kernel) k /= sum;

    const int w = source.width();
    const int h = source.height();
    std::vector<double> pass(std::size_t(w) * std::size_t(h) * 4, 0);
    for (int y = 0; y < h; ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            double acc[4] = {0, 0, 0, 0};
            for (int i = -radius; i <= radius; ++i) {
                const int sx = x + i;
                if (sx < 0 || sx >= w) continue;
                const QRgb p = line[sx];
                const double k = kernel[std::size_t(i + radius)];
                acc[0] += k * qAlpha(p);
                acc[1] += k * qRed(p);
                acc[2] += k * qGreen(p);
                acc[3] += k * qBlue(p);
            }
            std::copy(acc, acc + 4, pass.begin() + (std::ptrdiff_t(y) * w + x) * 4);
        }
    }
    QImage out(source.size(), QImage::Format_ARGB32_Premultiplied);
    out.setDevicePixelRatio(source.devicePixelRatio());
    for (int y = 0; y < h; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < w; ++x) {
            double acc[4] = {0, 0, 0, 0};
            for (int i = -radius; i <= radius; ++i) {
                const int sy = y + i;
                if (sy < 0 || sy >= h) continue;
                const double k = kernel[std::size_t(i + radius)];
                const double* p = &pass[(std::size_t(sy) * std::size_t(w) + std::size_t(x)) * 4];
                for (int c = 0; c < 4; ++c) acc[c] += k * p[c];
            }
            const int a = std::clamp(int(std::lround(acc[0])), 0, 255);
            auto channel = [a](double v) { return std::clamp(int(std::lround(v)), 0, a); };
            line[x] = qRgba(channel(acc[1]), channel(acc[2]), channel(acc[3]), a);
        }
    }
    return out;
}

// Moves each pixel's colour away from (or towards) its grey by `amount`.
void saturate(QImage& image, double amount) {
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = line[x];
            const int a = qAlpha(p);
            if (a == 0) continue;
            const double grey = 0.2126 * qRed(p) + 0.7152 * qGreen(p) + 0.0722 * qBlue(p);
            auto channel = [&](int v) { return std::clamp(int(std::lround(grey + amount * (v - grey))), 0, a); };
            line[x] = qRgba(channel(qRed(p)), channel(qGreen(p)), channel(qBlue(p)), a);
        }
    }
}

}  // namespace

PackArtLayer::PackArtLayer(std::vector<QImage> images, bool active, std::function<void()> repaint)
    : images_(std::move(images)), active_(active), repaint_(std::move(repaint)), from_(active ? 1 : 0) {}

PackArtLayer::~PackArtLayer() { stopListening(); }

void PackArtLayer::setActive(bool active) {
    if (active == active_) return;
    const double now = clock_ ? clock_->now() : FrameClock::current().now();
    const double current = activeness();
    active_ = active;
    if (Motion::instant()) {
        stopListening();
        moving_ = false;
        from_ = active ? 1 : 0;
    } else {
        from_ = current;
        start_ = now;
        moving_ = true;
        if (!clock_) {
            clock_ = &FrameClock::current();
            token_ = clock_->addListener([this](double t) { frame(t); });
        }
    }
    if (repaint_) repaint_();
}

double PackArtLayer::activeness() const {
    const double target = active_ ? 1 : 0;
    if (!moving_ || !clock_) return target;
    const double fraction = (clock_->now() - start_) / PackArtLayout::switchSeconds;
    if (fraction >= 1) return target;
    return from_ + (target - from_) * PackArtLayout::easeInOut(fraction);
}

double PackArtLayer::opacity() const {
    const double p = activeness();
    return PackArtLayout::idleOpacity + (PackArtLayout::activeOpacity - PackArtLayout::idleOpacity) * p;
}

double PackArtLayer::saturation() const {
    const double p = activeness();
    return PackArtLayout::idleSaturation + (PackArtLayout::activeSaturation - PackArtLayout::idleSaturation) * p;
}

void PackArtLayer::frame(double now) {
    if (now - start_ >= PackArtLayout::switchSeconds) {
        moving_ = false;
        stopListening();
    }
    if (repaint_) repaint_();
}

void PackArtLayer::stopListening() {
    if (!clock_) return;
    clock_->removeListener(token_);
    clock_ = nullptr;
}

QImage PackArtLayer::render(const std::vector<QImage>& images, QSize size, double devicePixelRatio,
                            double saturation) {
    QImage strip = renderUnsaturated(images, size, devicePixelRatio);
    saturate(strip, saturation);
    return strip;
}

QImage PackArtLayer::renderUnsaturated(const std::vector<QImage>& images, QSize size, double devicePixelRatio) {
    const QSize pixels(int(std::ceil(size.width() * devicePixelRatio)), int(std::ceil(size.height() * devicePixelRatio)));
    QImage strip(pixels, QImage::Format_ARGB32_Premultiplied);
    strip.setDevicePixelRatio(devicePixelRatio);
    strip.fill(Qt::transparent);
    if (images.empty() || size.isEmpty()) return strip;

    const double width = size.width();
    const double height = size.height();
    const auto frames = PackArtLayout::frames(int(images.size()), width);
    {
        QPainter painter(&strip);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (std::size_t i = 0; i < images.size(); ++i) {
            const auto& f = frames[i];
            const QRectF frame(f.x, 0, f.width, height);
            if (!f.fadesIn && !f.fadesOut) {
                painter.save();
                painter.setClipRect(frame);
                painter.drawImage(filling(images[i], frame), images[i]);
                painter.restore();
                continue;
            }
            // Each picture is feathered on its own, then laid over the earlier ones.
            const QSize layerPixels(int(std::ceil(f.width * devicePixelRatio)), pixels.height());
            QImage layer(layerPixels, QImage::Format_ARGB32_Premultiplied);
            layer.setDevicePixelRatio(devicePixelRatio);
            layer.fill(Qt::transparent);
            {
                QPainter lp(&layer);
                lp.setRenderHint(QPainter::SmoothPixmapTransform);
                const QRectF local(0, 0, f.width, height);
                lp.drawImage(filling(images[i], local), images[i]);
                QLinearGradient feather(local.topLeft(), local.topRight());
                feather.setColorAt(0, f.fadesIn ? Qt::transparent : Qt::black);
                feather.setColorAt(PackArtLayout::featherStart, Qt::black);
                feather.setColorAt(PackArtLayout::featherEnd, Qt::black);
                feather.setColorAt(1, f.fadesOut ? Qt::transparent : Qt::black);
                lp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
                lp.fillRect(local, feather);
            }
            painter.drawImage(QPointF(f.x, 0), layer);
        }
    }
    strip = blurred(strip, blurSigma(PackArtLayout::blurRadius) * devicePixelRatio);
    {
        QPainter painter(&strip);
        QLinearGradient fade(QPointF(0, 0), QPointF(width, 0));
        QColor leading(Qt::black);
        leading.setAlphaF(float(PackArtLayout::leadingStrength));
        fade.setColorAt(0, leading);
        fade.setColorAt(PackArtLayout::fullFrom, Qt::black);
        fade.setColorAt(1, Qt::black);
        painter.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        painter.fillRect(QRectF(0, 0, width, height), fade);
    }
    return strip;
}

void PackArtLayer::paint(QPainter& painter, const QRectF& rect) {
    if (images_.empty() || rect.isEmpty()) return;
    const QSize size = rect.size().toSize();
    const double ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    if (size != cachedSize_ || ratio != cachedRatio_) {
        const QImage strip = renderUnsaturated(images_, size, ratio);
        idleStrip_ = strip.copy();
        saturate(idleStrip_, PackArtLayout::idleSaturation);
        activeStrip_ = strip.copy();
        saturate(activeStrip_, PackArtLayout::activeSaturation);
        cachedSize_ = size;
        cachedRatio_ = ratio;
    }
    const double p = activeness();
    const double o = opacity();
    painter.save();
    if (p < 1) {
        painter.setOpacity(painter.opacity() * o * (1 - p));
        painter.drawImage(rect.topLeft(), idleStrip_);
        painter.restore();
        painter.save();
    }
    if (p > 0) {
        painter.setOpacity(painter.opacity() * o * p);
        painter.drawImage(rect.topLeft(), activeStrip_);
    }
    painter.restore();
}

}  // namespace velorin
