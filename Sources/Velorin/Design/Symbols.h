#pragma once
// The interface names its symbols as the system symbol set names them
// ("hand.tap", "gearshape.fill", …). Those symbols don't exist here: this one
// table maps every symbol name the interface uses to a glyph of the Material
// Icons font, so the code keeps the symbols' own names.

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QRectF>
#include <QString>

#include <optional>
#include <span>
#include <string_view>

class QPainter;

namespace velorin {

struct SymbolGlyph {
    std::string_view symbol;    // the symbol's name
    std::string_view material;  // the Material Icons glyph that stands for it
    char32_t codepoint = 0;     // that glyph's code point in the font

    bool operator==(const SymbolGlyph&) const = default;
};

struct Symbols {
    Symbols() = delete;

    // Every symbol the interface uses, in no particular order.
    static std::span<const SymbolGlyph> table();
    static std::optional<SymbolGlyph> glyph(std::string_view symbol);

    // What is drawn for a name missing from the table: a visible question mark, never a blank.
    static constexpr SymbolGlyph unknown{"", "help_outline", 0xe8fd};

    // The glyph as text in the symbol font (the unknown glyph for an unknown name).
    static QString text(std::string_view symbol);

    // The symbol font at `pixelSize`; it is loaded on first use (needs a
    // running Qt GUI application).
    static QFont font(double pixelSize);
    // Whether the font could be found.
    static bool fontAvailable();

    // Draws `symbol` centred in `rect` at `pixelSize`, in `color`.
    static void draw(QPainter& painter, const QRectF& rect, std::string_view symbol, const QColor& color,
                     double pixelSize);
    // `symbol` on a transparent square of `size` points at `devicePixelRatio`.
    static QPixmap pixmap(std::string_view symbol, const QColor& color, double size, double devicePixelRatio = 1);
};

}  // namespace velorin
