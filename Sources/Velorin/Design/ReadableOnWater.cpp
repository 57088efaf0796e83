#include "Velorin/Design/ReadableOnWater.h"

#include "Velorin/Design/Blur.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/Theme.h"

#include <QCache>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace velorin {

namespace {

// Rendered texts with their halos, cost in kilobytes.
QCache<QString, QImage>& textCache() {
    static QCache<QString, QImage> cache(8 * 1024);
    return cache;
}

QString textKey(const QString& text, const QFont& font, const QSizeF& size, int flags, const QColor& color,
                const QColor& halo, double dpr, Halos halos) {
    QString key = QStringLiteral("%1\x1f%2\x1f%3x%4\x1f%5\x1f%6\x1f%7\x1f%8")
                      .arg(text, font.key())
                      .arg(std::round(size.width() * 4) / 4)
                      .arg(std::round(size.height() * 4) / 4)
                      .arg(flags)
                      .arg(color.rgba(), 0, 16)
                      .arg(halo.rgba(), 0, 16)
                      .arg(dpr);
    for (const Halo& h : halos) key += QStringLiteral("\x1f%1/%2").arg(h.radius).arg(h.opacity);
    return key;
}

}  // namespace

int haloMargin(Halos halos) {
    double reach = 0;
    for (const Halo& h : halos) reach += blurReach(h.radius);
    return int(std::ceil(reach));
}

QImage withHalos(const QImage& image, const QColor& haloColor, Halos halos) {
    const double dpr = image.devicePixelRatio();
    QImage layered = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    layered.setDevicePixelRatio(dpr);
    for (const Halo& halo : halos) {
        QColor c = haloColor;
        c.setAlphaF(float(c.alphaF() * halo.opacity));
        QImage next = tinted(blurredAlpha(layered, blurSigma(halo.radius) * dpr), c);
        next.setDevicePixelRatio(1);
        QImage top = layered;
        top.setDevicePixelRatio(1);
        {
            QPainter p(&next);
            p.drawImage(0, 0, top);
        }
        next.setDevicePixelRatio(dpr);
        layered = next;
    }
    return layered;
}

QImage HaloText::image(const QString& text, const QFont& font, const QSizeF& size, int flags, const QColor& color,
                       const QColor& haloColor, double devicePixelRatio, Halos halos) {
    const double dpr = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const QString key = textKey(text, font, size, flags, color, haloColor, dpr, halos);
    if (QImage* cached = textCache().object(key)) return *cached;

    const int margin = haloMargin(halos);
    const QSizeF logical(size.width() + 2 * margin, size.height() + 2 * margin);
    QImage canvas(QSize(int(std::ceil(logical.width() * dpr)), int(std::ceil(logical.height() * dpr))),
                  QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(dpr);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setFont(font);
        p.setPen(color);
        p.drawText(QRectF(QPointF(margin, margin), size), flags, text);
    }
    QImage result = withHalos(canvas, haloColor, halos);
    textCache().insert(key, new QImage(result), std::max<qsizetype>(1, result.sizeInBytes() / 1024));
    return result;
}

void HaloText::draw(QPainter& painter, const QRectF& rect, int flags, const QString& text, const QFont& font,
                    const QColor& color, const ColorEnvironment& environment) {
    draw(painter, rect, flags, text, font, color, Theme::milk.resolve(environment), readableOnWaterHalos);
}

void HaloText::draw(QPainter& painter, const QRectF& rect, int flags, const QString& text, const QFont& font,
                    const QColor& color, const QColor& haloColor, Halos halos) {
    const double dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage img = image(text, font, rect.size(), flags, color, haloColor, dpr, halos);
    const int margin = haloMargin(halos);
    painter.drawImage(rect.topLeft() - QPointF(margin, margin), img);
}

int HaloText::cachedCount() { return int(textCache().count()); }
void HaloText::clearCache() { textCache().clear(); }

ReadableOnWaterEffect::ReadableOnWaterEffect(QObject* parent) : QGraphicsEffect(parent) {}

QRectF ReadableOnWaterEffect::boundingRectFor(const QRectF& rect) const {
    const int m = haloMargin();
    return rect.adjusted(-m, -m, m, m);
}

void ReadableOnWaterEffect::draw(QPainter* painter) {
    QPoint offset;
    const QPixmap source = sourcePixmap(Qt::DeviceCoordinates, &offset, QGraphicsEffect::PadToEffectiveBoundingRect);
    if (source.isNull()) return;
    QWidget* widget = qobject_cast<QWidget*>(parent());
    const QColor halo = Theme::milk.resolve(colorEnvironmentFor(widget));
    if (cached_.isNull() || source.cacheKey() != sourceKey_ || halo.rgba() != haloKey_) {
        // Device coordinates: the halos' radii are in points, so blur by the device's pixel density.
        QImage image = source.toImage();
        image.setDevicePixelRatio(painter->device() ? painter->device()->devicePixelRatioF() : 1.0);
        cached_ = withHalos(image, halo);
        cached_.setDevicePixelRatio(1);
        sourceKey_ = source.cacheKey();
        haloKey_ = halo.rgba();
    }
    painter->save();
    painter->setWorldTransform(QTransform());
    painter->drawImage(offset, cached_);
    painter->restore();
}

}  // namespace velorin
