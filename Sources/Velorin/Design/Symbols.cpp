#include "Velorin/Design/Symbols.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <iterator>

#ifndef VELORIN_SYMBOL_FONT_PATH
#define VELORIN_SYMBOL_FONT_PATH ""
#endif

namespace velorin {

namespace {

constexpr SymbolGlyph glyphs[] = {
    // Gesture kinds.
    {"hand.tap", "touch_app", 0xe913},
    {"hand.tap.fill", "touch_app", 0xe913},
    {"hand.raised", "pan_tool", 0xe925},
    {"hand.raised.fingers.spread.fill", "back_hand", 0xe764},
    {"arrow.up.left.and.arrow.down.right", "open_in_full", 0xf1ce},
    // System commands.
    {"lock.fill", "lock", 0xe897},
    {"menubar.dock.rectangle", "desktop_windows", 0xe30c},
    {"rectangle.3.group", "dashboard", 0xe871},
    {"macwindow.on.rectangle", "filter_none", 0xe3e0},
    {"arrow.left.square.fill", "arrow_circle_left", 0xeaa7},
    {"arrow.right.square.fill", "arrow_circle_right", 0xeaaa},
    {"moon.zzz.fill", "bedtime", 0xef44},
    {"sparkles.tv", "tv", 0xe333},
    {"circle.lefthalf.filled", "contrast", 0xeb37},
    {"sun.max.fill", "brightness_high", 0xe1ac},
    {"sun.min.fill", "brightness_low", 0xe1ad},
    // Media keys.
    {"playpause.fill", "play_circle", 0xe1c4},
    {"forward.fill", "fast_forward", 0xe01f},
    {"backward.fill", "fast_rewind", 0xe020},
    {"speaker.wave.3.fill", "volume_up", 0xe050},
    {"speaker.wave.1.fill", "volume_down", 0xe04d},
    {"speaker.slash.fill", "volume_off", 0xe04f},
    // Packs.
    {"apple.logo", "apple", 0xea80},
    {"terminal", "terminal", 0xeb8e},
    {"sparkles", "auto_awesome", 0xe65f},
    {"bubble.left.and.text.bubble.right", "forum", 0xe0bf},
    {"bolt.horizontal", "bolt", 0xea0b},
    {"ant", "pest_control", 0xf0fa},
    {"globe", "public", 0xe80b},
    {"safari", "explore", 0xe87a},
    {"chevron.left.forwardslash.chevron.right", "code", 0xe86f},
    {"hammer", "build", 0xe869},
    {"record.circle", "radio_button_checked", 0xe837},
    {"cube", "view_in_ar", 0xe9fe},
    {"cube.transparent", "3d_rotation", 0xe84d},
    {"pencil.and.outline", "draw", 0xe746},
    {"film", "movie", 0xe02c},
    {"pianokeys", "piano", 0xe521},
    {"film.stack", "video_library", 0xe04a},
    {"diamond", "diamond", 0xead5},
    {"doc.text", "description", 0xe873},
    {"line.diagonal", "line_axis", 0xea9a},
    {"number", "tag", 0xe9ef},
    {"headphones", "headphones", 0xf01f},
    {"music.note", "music_note", 0xe405},
    {"square.stack.3d.up", "layers", 0xe53b},
    // Tabs of the settings window.
    {"square.stack.3d.up.fill", "layers", 0xe53b},
    {"slider.horizontal.3", "tune", 0xe429},
    {"rectangle.and.hand.point.up.left.fill", "swipe", 0xe9ec},
    {"gearshape.fill", "settings", 0xe8b8},
    {"info.circle.fill", "info", 0xe88e},
    // Kinds of action.
    {"app.badge", "apps", 0xe5c3},
    {"command", "keyboard_command_key", 0xeae7},
    {"filemenu.and.selection", "menu_open", 0xe9bd},
    {"rectangle.split.2x1", "vertical_split", 0xe949},
    {"macbook", "laptop_mac", 0xe320},
    {"link", "link", 0xe157},
    {"square.2.layers.3d.fill", "auto_awesome_motion", 0xe661},
    {"keyboard", "keyboard", 0xe312},
    {"camera.viewfinder", "screenshot_monitor", 0xec08},
    {"magnifyingglass", "search", 0xe8b6},
    {"doc.fill", "insert_drive_file", 0xe24d},
    // Status, guidance and controls.
    {"arrow.right", "arrow_forward", 0xe5c8},
    {"exclamationmark.triangle.fill", "warning", 0xe002},
    {"checkmark.shield.fill", "verified_user", 0xe8e8},
    {"checkmark.circle.fill", "check_circle", 0xe86c},
    {"questionmark.circle.fill", "help", 0xe887},
    {"power", "power_settings_new", 0xe8ac},
    {"macwindow", "web_asset", 0xe069},
    {"menubar.rectangle", "web", 0xe051},
    {"arrow.down.app", "install_desktop", 0xeb71},
    {"lock.shield", "shield", 0xe9e0},
    {"lock.shield.fill", "security", 0xe32a},
    {"ladybug.fill", "bug_report", 0xe868},
    {"list.bullet.rectangle.fill", "list_alt", 0xe0ee},
    {"arrow.counterclockwise", "replay", 0xe042},
    {"arrow.up.arrow.down", "swap_vert", 0xe8d5},
    {"plus", "add", 0xe145},
    {"minus.circle", "remove_circle_outline", 0xe15d},
    {"pencil", "edit", 0xe3c9},
    {"xmark", "close", 0xe5cd},
    {"xmark.circle.fill", "cancel", 0xe5c9},
    {"checkmark", "check", 0xe5ca},
    {"chevron.right", "chevron_right", 0xe5cc},
    {"chevron.up.chevron.down", "unfold_more", 0xe5d7},
};

constexpr const char* fontFamilyName = "Material Icons";

QString loadedFamily() {
    static const QString family = [] {
        if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return QString();
        const QString path = QStringLiteral(VELORIN_SYMBOL_FONT_PATH);
        if (!path.isEmpty()) {
            const int id = QFontDatabase::addApplicationFont(path);
            if (id >= 0) {
                const QStringList families = QFontDatabase::applicationFontFamilies(id);
                if (!families.isEmpty()) return families.first();
            }
        }
        // Installed for the whole system instead.
        if (QFontDatabase::families().contains(QLatin1String(fontFamilyName)))
            return QString::fromLatin1(fontFamilyName);
        return QString();
    }();
    return family;
}

}  // namespace

std::span<const SymbolGlyph> Symbols::table() { return glyphs; }

std::optional<SymbolGlyph> Symbols::glyph(std::string_view symbol) {
    const auto it =
        std::find_if(std::begin(glyphs), std::end(glyphs), [&](const SymbolGlyph& g) { return g.symbol == symbol; });
    if (it == std::end(glyphs)) return std::nullopt;
    return *it;
}

QString Symbols::text(std::string_view symbol) {
    const SymbolGlyph g = glyph(symbol).value_or(unknown);
    const char32_t cp = g.codepoint;
    return QString::fromUcs4(&cp, 1);
}

QFont Symbols::font(double pixelSize) {
    QFont f(loadedFamily().isEmpty() ? QString::fromLatin1(fontFamilyName) : loadedFamily());
    f.setPixelSize(std::max(1, int(std::lround(pixelSize))));
    f.setStyleStrategy(QFont::NoFontMerging);
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

bool Symbols::fontAvailable() { return !loadedFamily().isEmpty(); }

void Symbols::draw(QPainter& painter, const QRectF& rect, std::string_view symbol, const QColor& color,
                   double pixelSize) {
    painter.save();
    painter.setFont(font(pixelSize));
    painter.setPen(color);
    painter.drawText(rect, Qt::AlignCenter, text(symbol));
    painter.restore();
}

QPixmap Symbols::pixmap(std::string_view symbol, const QColor& color, double size, double devicePixelRatio) {
    const double dpr = devicePixelRatio > 0 ? devicePixelRatio : 1;
    QPixmap pm(QSize(int(std::ceil(size * dpr)), int(std::ceil(size * dpr))));
    pm.setDevicePixelRatio(dpr);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    draw(p, QRectF(0, 0, size, size), symbol, color, size);
    return pm;
}

}  // namespace velorin
