#pragma once
// Text drawn straight on the water stays legible through three soft halos of
// the window-floor colour (`Theme.milk`) without offset, applied in order:
// radius 1.5, radius 4, and radius 9 at 0.8 opacity. Each halo is cast by
// everything below it, the earlier halos included.
//
// `HaloText` draws a text with its halos (these, or others such as a soft
// shadow without offset), rendering each text once per size, colours and
// halos; `ReadableOnWaterEffect` puts the halos behind any widget.

#include "Velorin/Design/Color.h"

#include <QFont>
#include <QGraphicsEffect>
#include <QImage>
#include <QString>

#include <array>
#include <span>

class QPainter;

namespace velorin {

struct Halo {
    double radius = 0;  // points
    double opacity = 1;
};

inline constexpr std::array<Halo, 3> readableOnWaterHalos{{{1.5, 1}, {4, 1}, {9, 0.8}}};
// Halos applied in order, each cast by everything below it.
using Halos = std::span<const Halo>;

// Points of room the halos need around their content.
int haloMargin(Halos halos = readableOnWaterHalos);

// `image` (premultiplied ARGB, with room around its content) with the
// halos of `haloColor` added beneath it.
QImage withHalos(const QImage& image, const QColor& haloColor, Halos halos = readableOnWaterHalos);

class HaloText {
public:
    HaloText() = delete;

    // `text` laid out in a box of `size` with `flags` (Qt alignment and
    // wrapping), with its halos, on a transparent image reaching `haloMargin`
    // beyond the box on every side. Cached per text, font, box, flags,
    // colours, halos and pixel density.
    static QImage image(const QString& text, const QFont& font, const QSizeF& size, int flags, const QColor& color,
                        const QColor& haloColor, double devicePixelRatio, Halos halos = readableOnWaterHalos);

    // Draws `text` in `rect` with its halos in the window-floor colour of `environment`.
    static void draw(QPainter& painter, const QRectF& rect, int flags, const QString& text, const QFont& font,
                     const QColor& color, const ColorEnvironment& environment);
    // Draws `text` in `rect` with `halos` of `haloColor`.
    static void draw(QPainter& painter, const QRectF& rect, int flags, const QString& text, const QFont& font,
                     const QColor& color, const QColor& haloColor, Halos halos);

    static int cachedCount();
    static void clearCache();
};

// The halos behind a whole widget (a label, a header): the widget is drawn as
// usual and the halos are cast by what it draws. The halo colour follows the
// widget's appearance.
class ReadableOnWaterEffect final : public QGraphicsEffect {
    Q_OBJECT

public:
    explicit ReadableOnWaterEffect(QObject* parent = nullptr);

    QRectF boundingRectFor(const QRectF& rect) const override;

protected:
    void draw(QPainter* painter) override;

private:
    qint64 sourceKey_ = 0;
    QRgb haloKey_ = 0;
    QImage cached_;
};

}  // namespace velorin
