#include "Config/PackCatalog.h"
#include "QtApp.h"
#include "Velorin/Design/Symbols.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

namespace velorin {
namespace {

// Every symbol name the interface draws: gesture kinds, system commands,
// media keys, packs, the settings window's tabs, the kinds of action, the
// key presets, and the symbols of cards, rows, guidance screens and buttons.
const std::vector<std::string> symbolsInUse = {
    // Gesture kinds and the tap overlay.
    "hand.tap",
    "hand.tap.fill",
    "hand.raised",
    "arrow.up.left.and.arrow.down.right",
    "arrow.right",
    // System commands.
    "lock.fill",
    "menubar.dock.rectangle",
    "rectangle.3.group",
    "macwindow.on.rectangle",
    "arrow.left.square.fill",
    "arrow.right.square.fill",
    "moon.zzz.fill",
    "sparkles.tv",
    "circle.lefthalf.filled",
    "sun.max.fill",
    "sun.min.fill",
    // Media keys.
    "playpause.fill",
    "forward.fill",
    "backward.fill",
    "speaker.wave.3.fill",
    "speaker.wave.1.fill",
    "speaker.slash.fill",
    // Packs, and the symbol of a new pack.
    "apple.logo",
    "terminal",
    "sparkles",
    "bubble.left.and.text.bubble.right",
    "bolt.horizontal",
    "ant",
    "globe",
    "safari",
    "chevron.left.forwardslash.chevron.right",
    "hammer",
    "record.circle",
    "cube",
    "cube.transparent",
    "pencil.and.outline",
    "film",
    "pianokeys",
    "film.stack",
    "diamond",
    "doc.text",
    "line.diagonal",
    "number",
    "headphones",
    "music.note",
    "square.stack.3d.up",
    // Tabs of the settings window.
    "square.stack.3d.up.fill",
    "slider.horizontal.3",
    "rectangle.and.hand.point.up.left.fill",
    "gearshape.fill",
    "info.circle.fill",
    // Kinds of action and key presets.
    "app.badge",
    "command",
    "filemenu.and.selection",
    "rectangle.split.2x1",
    "macbook",
    "link",
    "square.2.layers.3d.fill",
    "magnifyingglass",
    "camera.viewfinder",
    "keyboard",
    "doc.fill",
    // Cards, rows, guidance and buttons.
    "exclamationmark.triangle.fill",
    "plus",
    "checkmark.shield.fill",
    "checkmark.circle.fill",
    "questionmark.circle.fill",
    "power",
    "macwindow",
    "arrow.counterclockwise",
    "hand.raised.fingers.spread.fill",
    "ladybug.fill",
    "list.bullet.rectangle.fill",
    "lock.shield.fill",
    "lock.shield",
    "menubar.rectangle",
    "arrow.down.app",
    "chevron.right",
    "xmark",
    "chevron.up.chevron.down",
    "checkmark",
    "arrow.up.arrow.down",
    "xmark.circle.fill",
    "pencil",
    "minus.circle",
};

TEST(SymbolTable, coversEverySymbolTheInterfaceUses) {
    for (const std::string& name : symbolsInUse) EXPECT_TRUE(Symbols::glyph(name).has_value()) << name;
    EXPECT_EQ(Symbols::glyph("no.such.symbol"), std::nullopt);
}

TEST(SymbolTable, coversEveryPacksSymbol) {
    for (const Pack& p : PackCatalog::all())
        EXPECT_TRUE(Symbols::glyph(p.symbol).has_value()) << p.id << ": " << p.symbol;
    EXPECT_TRUE(Symbols::glyph(Pack::newCustom({}).symbol).has_value());
}

TEST(SymbolTable, namesEachSymbolOnceAndNothingUnused) {
    std::set<std::string_view> seen;
    const std::set<std::string> inUse(symbolsInUse.begin(), symbolsInUse.end());
    for (const SymbolGlyph& g : Symbols::table()) {
        EXPECT_TRUE(seen.insert(g.symbol).second) << "twice: " << g.symbol;
        EXPECT_TRUE(inUse.count(std::string(g.symbol))) << "unused: " << g.symbol;
    }
}

// The font package's own list of glyph names and code points.
std::map<std::string, char32_t> fontCodepoints() {
    std::map<std::string, char32_t> out;
    QFile file(QStringLiteral(VELORIN_SYMBOL_CODEPOINTS));
    if (!file.open(QIODevice::ReadOnly)) return out;
    const QString text = QString::fromUtf8(file.readAll());
    static const QRegularExpression entry(QStringLiteral("\"([a-z0-9_]+)\":\\s*([0-9a-f]+),"));
    for (auto it = entry.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out[m.captured(1).toStdString()] = char32_t(m.captured(2).toUInt(nullptr, 16));
    }
    return out;
}

TEST(SymbolTable, pointsAtGlyphsTheFontHas) {
    test::qtApp();
    const auto codepoints = fontCodepoints();
    ASSERT_FALSE(codepoints.empty()) << "the font's code point list is missing";
    const QRawFont font(QStringLiteral(VELORIN_SYMBOL_FONT_PATH), 24);
    ASSERT_TRUE(font.isValid());
    auto check = [&](const SymbolGlyph& g) {
        const auto it = codepoints.find(std::string(g.material));
        ASSERT_NE(it, codepoints.end()) << g.material;
        EXPECT_EQ(it->second, g.codepoint) << g.symbol << " → " << g.material;
        EXPECT_TRUE(font.supportsCharacter(uint(g.codepoint))) << g.material;
    };
    for (const SymbolGlyph& g : Symbols::table()) check(g);
    check(Symbols::unknown);
}

TEST(SymbolDrawing, drawsAVisibleGlyphAndAQuestionMarkForUnknownNames) {
    test::qtApp();
    ASSERT_TRUE(Symbols::fontAvailable());
    EXPECT_EQ(Symbols::text("hand.tap"), QString(QChar(0xe913)));
    EXPECT_EQ(Symbols::text("no.such.symbol"), QString(QChar(0xe8fd)));

    auto inkIn = [](const QPixmap& pixmap) {
        const QImage image = pixmap.toImage();
        int painted = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) painted += qAlpha(image.pixel(x, y)) > 128;
        return painted;
    };
    EXPECT_GT(inkIn(Symbols::pixmap("gearshape.fill", Qt::black, 32)), 100);
    EXPECT_GT(inkIn(Symbols::pixmap("no.such.symbol", Qt::black, 32)), 50);
    const QPixmap sharp = Symbols::pixmap("plus", Qt::black, 20, 2);
    EXPECT_EQ(sharp.size(), QSize(40, 40));
    EXPECT_EQ(sharp.devicePixelRatio(), 2);
}

}  // namespace
}  // namespace velorin
