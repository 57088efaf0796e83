#include "Velorin/TrayIcon.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "Velorin/Design/Symbols.h"

namespace velorin {

namespace {

const QColor glyphColor(250, 250, 250);
const QColor outlineColor(20, 20, 24);

}  // namespace

namespace {

QImage blankImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

}  // namespace

QImage TrayIcon::image(std::string_view symbol, bool on, int size) {
    QImage image = blankImage(size);
    // The glyph a little smaller than the square, so its outline fits.
    const double outline = std::max(1.0, size / 14.0);
    const int inner = std::max(1, int(std::lround(size - 2 * outline)));
    const QPixmap glyph = Symbols::pixmap(symbol, glyphColor, inner);
    const QPixmap shade = Symbols::pixmap(symbol, outlineColor, inner);
    const QPointF at((size - inner) / 2.0, (size - inner) / 2.0);

    QPainter painter(&image);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    // The outline: the dark glyph spread around the light one.
    constexpr int directions = 16;
    for (int i = 0; i < directions; ++i) {
        const double angle = 2 * std::numbers::pi * i / directions;
        painter.drawPixmap(at + QPointF(outline * std::cos(angle), outline * std::sin(angle)), shade);
    }
    painter.drawPixmap(at, glyph);
    painter.end();
    if (on) return image;

    // Faded as one picture, so the outline does not show through the glyph.
    QImage faded = blankImage(size);
    QPainter fade(&faded);
    fade.setOpacity(offOpacity);
    fade.drawImage(0, 0, image);
    fade.end();
    return faded;
}

QIcon TrayIcon::icon(std::string_view symbol, bool on) {
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64}) icon.addPixmap(QPixmap::fromImage(image(symbol, on, size)));
    return icon;
}

}  // namespace velorin
