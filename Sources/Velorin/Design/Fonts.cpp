#include "Velorin/Design/Fonts.h"

#include <QFontDatabase>
#include <QGuiApplication>

#include <algorithm>
#include <cmath>

namespace velorin {

namespace {
// Rounded faces found on Linux desktops, best first.
constexpr const char* roundedFamilies[] = {
    "SF Pro Rounded", "Nunito", "Varela Round", "M PLUS Rounded 1c", "Quicksand", "Comfortaa", "Arial Rounded MT Bold",
};
}  // namespace

QFont Fonts::system(double points, QFont::Weight weight) {
    QFont font = QGuiApplication::font();
    // Qt's pixel sizes are whole; the design's half points round to the nearer pixel.
    font.setPixelSize(std::max(1, int(std::lround(points))));
    font.setWeight(weight);
    return font;
}

QString Fonts::roundedFamily() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* name : roundedFamilies) {
            if (installed.contains(QString::fromLatin1(name), Qt::CaseInsensitive)) return QString::fromLatin1(name);
        }
        return QString();
    }();
    return family;
}

QFont Fonts::rounded(double points, QFont::Weight weight) {
    QFont font = system(points, weight);
    if (const QString family = roundedFamily(); !family.isEmpty()) font.setFamily(family);
    return font;
}

}  // namespace velorin
