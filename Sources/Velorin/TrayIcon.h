#pragma once
// The tray icon's picture. The panel's colour is not known (trays rarely say
// it, and it need not follow the app's palette), so the glyph is light with a
// dark outline: it reads on dark and light panels alike. Switched off, the
// whole mark is fainter.

#include <QIcon>
#include <QImage>

#include <string_view>

namespace velorin {

struct TrayIcon {
    TrayIcon() = delete;

    static constexpr double offOpacity = 0.45;

    // `symbol` at `size` pixels square; `on` whether gestures are on.
    static QImage image(std::string_view symbol, bool on, int size);
    // Every size trays ask for.
    static QIcon icon(std::string_view symbol, bool on);
};

}  // namespace velorin
