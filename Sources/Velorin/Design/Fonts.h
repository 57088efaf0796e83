#pragma once
// The interface's text faces: the desktop's system font at a size given in
// points (one point is one logical pixel, as the design measures), and a
// rounded face for headings where one is installed.

#include <QFont>

namespace velorin {

struct Fonts {
    Fonts() = delete;

    // The system font at `points`, with `weight`.
    static QFont system(double points, QFont::Weight weight = QFont::Normal);
    // A rounded face at `points` where one is installed, else the system font.
    static QFont rounded(double points, QFont::Weight weight = QFont::Normal);
    // The installed rounded family chosen, empty when there is none.
    static QString roundedFamily();
};

}  // namespace velorin
