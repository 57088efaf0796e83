#include "Velorin/Design/Shadow.h"

#include "Velorin/Design/Blur.h"

#include <QCache>
#include <QPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace velorin {

namespace {

// Blurred masks kept for reuse, by shape, radius and pixel density (cost in kilobytes).
QCache<QString, QImage>& maskCache() {
    static QCache<QString, QImage> cache(16 * 1024);
    return cache;
}

QString maskKey(const QPainterPath& shape, double radius, double dpr) {
    const QRectF bounds = shape.boundingRect();
    QString key = QStringLiteral("%1:%2:%3:").arg(radius).arg(dpr).arg(int(shape.fillRule()));
    key.reserve(key.size() + shape.elementCount() * 16);
    for (int i = 0; i < shape.elementCount(); ++i) {
        const QPainterPath::Element e = shape.elementAt(i);
        key += QStringLiteral("%1,%2,%3;")
                   .arg(int(e.type))
                   .arg(std::round((e.x - bounds.x()) * 100) / 100)
                   .arg(std::round((e.y - bounds.y()) * 100) / 100);
    }
    return key;
}

}  // namespace

QMargins shadowMargins(double radius, QPointF offset) {
    const double reach = blurReach(radius);
    auto side = [](double v) { return std::max(0, int(std::ceil(v - 1e-9))); };
    return QMargins(side(reach - offset.x()), side(reach - offset.y()), side(reach + offset.x()),
                    side(reach + offset.y()));
}

QMargins shadowMargins(const ShadowStyle& shadow) { return shadowMargins(shadow.radius, shadow.offset); }

void paintShadow(QPainter& painter, const QPainterPath& shape, const ShadowStyle& shadow, bool outsideOnly) {
    if (shape.isEmpty() || shadow.color.alpha() == 0) return;
    const double dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double reach = std::ceil(blurReach(shadow.radius)) + 1;
    const QRectF bounds = shape.boundingRect();
    const QRectF area = bounds.adjusted(-reach, -reach, reach, reach);

    const QString key = maskKey(shape, shadow.radius, dpr);
    QImage* cached = maskCache().object(key);
    QImage mask;
    if (cached) {
        mask = *cached;
    } else {
        QImage coverage(QSize(int(std::ceil(area.width() * dpr)), int(std::ceil(area.height() * dpr))),
                        QImage::Format_Alpha8);
        coverage.fill(0);
        {
            QPainter p(&coverage);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(dpr, dpr);
            p.translate(-area.topLeft());
            p.fillPath(shape, Qt::black);
        }
        mask = blurredAlpha(coverage, blurSigma(shadow.radius) * dpr);
        mask.setDevicePixelRatio(dpr);
        maskCache().insert(key, new QImage(mask), std::max<qsizetype>(1, mask.sizeInBytes() / 1024));
    }

    painter.save();
    if (outsideOnly) {
        QPainterPath outside;
        outside.addRect(area.translated(shadow.offset).united(bounds).adjusted(-1, -1, 1, 1));
        painter.setClipPath(outside.subtracted(shape), Qt::IntersectClip);
    }
    painter.drawImage(area.topLeft() + shadow.offset, tinted(mask, shadow.color));
    painter.restore();
}

}  // namespace velorin
