#include "Platform/Sim/SimPlatform.h"
#include "QtApp.h"
#include "Velorin/Design/Animation.h"
#include "Velorin/Design/AppBadge.h"
#include "Velorin/Design/Display.h"
#include "Velorin/Design/PackTile.h"
#include "Velorin/Design/RetroAppleTile.h"
#include "Velorin/Design/Saturation.h"
#include "Velorin/Design/SymbolTile.h"
#include "Velorin/Design/Theme.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <map>

namespace velorin {
namespace {

QImage solid(const QColor& color, int side = 64) {
    QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
    image.fill(color);
    return image;
}

// A lookup over a fixed table of icons and names that counts its icon questions.
struct FakeApps {
    std::map<std::string, QImage> icons;
    std::map<std::string, std::string> names;
    int iconQuestions = 0;

    AppLookup lookup() {
        return {[this](const std::string& id) -> std::optional<QImage> {
                    ++iconQuestions;
                    const auto it = icons.find(id);
                    if (it == icons.end()) return std::nullopt;
                    return it->second;
                },
                [this](const std::string& id) {
                    const auto it = names.find(id);
                    return it == names.end() ? std::string() : it->second;
                }};
    }
};

Pack pack(std::string id, std::string symbol, std::vector<std::string> iconApps = {},
          std::optional<std::uint32_t> accent = std::nullopt) {
    Pack p;
    p.id = std::move(id);
    p.name = "Pack " + p.id;
    p.symbol = std::move(symbol);
    p.iconApps = std::move(iconApps);
    p.accent = accent;
    return p;
}

class PackVisualFixture : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(200, 160);
        QPalette palette = window.palette();
        palette.setColor(QPalette::Window, Qt::white);
        window.setPalette(palette);
        window.setAutoFillBackground(true);
    }
    void TearDown() override { Motion::setInstant(false); }

    QImage grab() { return window.grab().toImage(); }

    QApplication& app = test::qtApp();
    sim::SimPlatform sim;
    QWidget window;
    FakeApps apps;
};

void expectNear(const QColor& actual, const QColor& expected, int tolerance, const char* what) {
    EXPECT_NEAR(actual.red(), expected.red(), tolerance) << what;
    EXPECT_NEAR(actual.green(), expected.green(), tolerance) << what;
    EXPECT_NEAR(actual.blue(), expected.blue(), tolerance) << what;
}

// --- App badges. ---

TEST_F(PackVisualFixture, aBadgeShowsTheAppsIconFillingItsFrame) {
    apps.icons["com.linear"] = solid(QColor(0x5E, 0x6A, 0xD2));
    apps.names["com.linear"] = "Linear";
    auto* badge = new AppBadge(apps.lookup(), "com.linear", 20, &window);
    badge->move(40, 40);
    window.show();
    EXPECT_TRUE(badge->hasIcon());
    EXPECT_TRUE(badge->letter().isEmpty());
    EXPECT_EQ(badge->sizeHint(), QSize(20, 20));
    EXPECT_EQ(badge->accessibleName(), QStringLiteral("Linear"));
    const QImage image = grab();
    // The icon is 1.15 times the badge, so it reaches its very corners; nothing spills beyond.
    expectNear(image.pixelColor(40, 40), QColor(0x5E, 0x6A, 0xD2), 2, "corner");
    EXPECT_EQ(image.pixelColor(39, 39), QColor(Qt::white));
}

TEST_F(PackVisualFixture, withoutAnIconABadgeShowsTheNamesFirstCharacter) {
    struct Case {
        std::string name;
        QString letter;
    };
    const std::vector<Case> cases = {
        {"Claude", QStringLiteral("C")},
        {"école", QStringLiteral("é")},  // no change of case
        {"zed", QStringLiteral("z")},
        {"e\u0301clair", QStringLiteral("e\u0301")},  // a letter with its combining accent
        {"\U0001F44D\U0001F3FDok", QStringLiteral("\U0001F44D\U0001F3FD")},
        {"", QString()},  // an empty name shows an empty disc
    };
    for (const Case& c : cases) {
        apps.names["x.app"] = c.name;
        AppBadge badge(apps.lookup(), "x.app", 24);
        EXPECT_FALSE(badge.hasIcon());
        EXPECT_EQ(badge.letter(), c.letter) << c.name;
    }
    // A lookup that knows nothing gives no icon and the empty name.
    AppBadge bare(AppLookup{}, "com.example.app", 24);
    EXPECT_FALSE(bare.hasIcon());
    EXPECT_TRUE(bare.letter().isEmpty());
}

TEST_F(PackVisualFixture, theLetteredBadgeIsADiscOfTheSecondSurface) {
    apps.names["x.app"] = "";
    auto* badge = new AppBadge(apps.lookup(), "x.app", 40, &window);
    badge->move(20, 20);
    window.show();
    const QImage image = grab();
    const QColor cream = Theme::cream.resolve(Display::colorEnvironment());
    expectNear(image.pixelColor(40, 40), cream, 2, "centre");
    EXPECT_EQ(image.pixelColor(21, 21), QColor(Qt::white));  // outside the disc
    EXPECT_GE(image.pixelColor(40, 20).lightness(), 248);    // the disc is 2 points smaller than the badge

    // In the dark appearance the disc is the dark second surface.
    forceAppearance(&window, Appearance::dark);
    badge->repaint();
    const ColorEnvironment dark{Appearance::dark, Display::colorEnvironment().accent};
    expectNear(grab().pixelColor(40, 40), Theme::cream.resolve(dark), 2, "dark centre");
}

TEST_F(PackVisualFixture, aBadgeLooksAgainOnlyWhenItsAppChanges) {
    apps.names["a.app"] = "Alpha";
    apps.names["b.app"] = "Beta";
    AppBadge badge(apps.lookup(), "a.app", 20);
    const int asked = apps.iconQuestions;
    badge.setBundleID("a.app");
    EXPECT_EQ(apps.iconQuestions, asked);
    badge.setBundleID("b.app");
    EXPECT_EQ(apps.iconQuestions, asked + 1);
    EXPECT_EQ(badge.letter(), QStringLiteral("B"));
    badge.setEdge(30);
    EXPECT_EQ(badge.sizeHint(), QSize(30, 30));
}

// --- Pack tiles. ---

TEST_F(PackVisualFixture, aTileShowsTheFirstIconItsAppsHaveElseItsLogoOrSymbol) {
    apps.icons["second.app"] = solid(Qt::red);
    apps.icons["third.app"] = solid(Qt::green);
    struct Case {
        const char* name;
        Pack pack;
        PackTile::Look look;
        std::string iconApp;
    };
    const std::vector<Case> cases = {
        {"first app with an icon wins", pack("p", "terminal", {"missing.app", "second.app", "third.app"}),
         PackTile::Look::icon, "second.app"},
        {"no icon, the logo", pack("everyday-mac", "apple.logo", {"missing.app"}), PackTile::Look::retroApple, ""},
        {"no icon, a symbol", pack("q", "terminal", {"missing.app"}), PackTile::Look::symbol, ""},
        {"no apps at all", pack("r", "globe"), PackTile::Look::symbol, ""},
        {"an icon beats the logo", pack("s", "apple.logo", {"third.app"}), PackTile::Look::icon, "third.app"},
    };
    for (const Case& c : cases) {
        PackTile tile(apps.lookup(), c.pack, true, 44);
        EXPECT_EQ(tile.look(), c.look) << c.name;
        EXPECT_EQ(tile.iconApp(), c.iconApp) << c.name;
        EXPECT_EQ(tile.findChild<RetroAppleTile*>() != nullptr, c.look == PackTile::Look::retroApple) << c.name;
        auto* symbol = tile.findChild<SymbolTile*>();
        EXPECT_EQ(symbol != nullptr, c.look == PackTile::Look::symbol) << c.name;
        if (symbol) {
            EXPECT_EQ(symbol->symbol(), c.pack.symbol) << c.name;
            EXPECT_TRUE(symbol->isActive()) << c.name;
        }
        EXPECT_EQ(tile.sizeHint(), QSize(44, 44)) << c.name;
        EXPECT_EQ(tile.accessibleName(), QString::fromStdString(c.pack.name)) << c.name;
    }
}

TEST_F(PackVisualFixture, aTileChangesItsLookWithItsPackAndAsksForIconsOnlyWhenItsAppsChange) {
    apps.icons["icon.app"] = solid(Qt::red);
    PackTile tile(apps.lookup(), pack("p", "apple.logo", {"none.app"}), false, 44);
    EXPECT_EQ(tile.look(), PackTile::Look::retroApple);
    const int asked = apps.iconQuestions;

    Pack renamed = pack("p", "apple.logo", {"none.app"});
    renamed.name = "Renamed";
    tile.setPack(renamed);
    EXPECT_EQ(apps.iconQuestions, asked);
    EXPECT_EQ(tile.accessibleName(), QStringLiteral("Renamed"));

    Pack symbolic = renamed;
    symbolic.symbol = "terminal";
    tile.setPack(symbolic);
    EXPECT_EQ(tile.look(), PackTile::Look::symbol);
    EXPECT_EQ(tile.findChild<RetroAppleTile*>(), nullptr);

    Pack withIcon = symbolic;
    withIcon.iconApps = {"icon.app"};
    tile.setPack(withIcon);
    EXPECT_GT(apps.iconQuestions, asked);
    EXPECT_EQ(tile.look(), PackTile::Look::icon);
    EXPECT_EQ(tile.findChild<SymbolTile*>(), nullptr);
}

TEST_F(PackVisualFixture, activeChangesBlendWithTheWobbleSpringAndReachTheChildTiles) {
    auto* tile = new PackTile(apps.lookup(), pack("everyday-mac", "apple.logo"), false, 44, &window);
    window.show();
    tile->setActive(true);
    auto* retro = tile->findChild<RetroAppleTile*>();
    ASSERT_NE(retro, nullptr);
    EXPECT_TRUE(retro->isActive());
    EXPECT_NEAR(retro->activeAmount(), 0, 1e-9);
    sim.advance(0.1);
    EXPECT_GT(retro->activeAmount(), 0);
    EXPECT_LT(retro->activeAmount(), 1);
    // The wobble spring swings past before it settles.
    double highest = 0;
    for (int i = 0; i < 60; ++i) {
        sim.advance(1.0 / 60);
        highest = std::max(highest, retro->activeAmount());
    }
    EXPECT_GT(highest, 1);
    sim.advance(3);
    EXPECT_NEAR(retro->activeAmount(), 1, 1e-3);

    Motion::setInstant(true);
    tile->setActive(false);
    EXPECT_EQ(retro->activeAmount(), 0);
    EXPECT_EQ(tile->activeAmount(), 0);
}

TEST_F(PackVisualFixture, anIdleIconIsMutedAndAnActiveOneGlowsInThePacksAccent) {
    Motion::setInstant(true);
    apps.icons["red.app"] = solid(QColor(220, 40, 40));
    auto* tile = new PackTile(apps.lookup(), pack("p", "terminal", {"red.app"}, 0x1DB954), false, 40, &window);
    tile->move(80, 40);
    window.show();

    QImage image = grab();
    // Idle: saturation 0.75 at opacity 0.9 over the white window.
    const Rgba muted = saturated(Rgba::from(QColor(220, 40, 40)), PackTile::idleSaturation);
    const QColor idle = blended(Rgba{1, 1, 1, 1}, 0.9, muted).toQColor();
    expectNear(image.pixelColor(100, 60), idle, 3, "idle icon");
    EXPECT_EQ(image.pixelColor(100, 90), QColor(Qt::white));  // no glow below it

    tile->setActive(true);
    image = grab();
    expectNear(image.pixelColor(100, 60), QColor(220, 40, 40), 2, "active icon");
    // The icon reaches 2 points beyond the tile on each side (1.1 times its edge), on the overlay.
    expectNear(image.pixelColor(79, 60), QColor(220, 40, 40), 2, "icon beyond the tile");
    // Below it, the glow in the pack's own accent (green).
    const QColor glow = image.pixelColor(100, 86);
    EXPECT_LT(glow.red(), 250);
    EXPECT_GT(glow.green(), glow.red());
}

TEST_F(PackVisualFixture, aSymbolTileOfAPackGlowsInItsAccentWhileActive) {
    Motion::setInstant(true);
    auto* tile = new PackTile(apps.lookup(), pack("claude", "sparkles"), true, 40, &window);
    tile->move(80, 40);
    window.show();
    // Claude's brand colour, 0xD97757, glows below the tile.
    const QColor glow = grab().pixelColor(100, 85);
    EXPECT_LT(glow.blue(), 250);
    EXPECT_GT(glow.red(), glow.blue());

    tile->setActive(false);
    EXPECT_EQ(grab().pixelColor(100, 85), QColor(Qt::white));
}

TEST_F(PackVisualFixture, iconsScaleWithHighQualityFilteringAtTwiceTheDensity) {
    Motion::setInstant(true);
    // A checkerboard of 2-pixel squares in a 128-pixel icon: scaled once to the
    // tile's device pixels, it averages out to an even grey.
    QImage checks(128, 128, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x) checks.setPixel(x, y, ((x / 2 + y / 2) % 2) ? 0xFF000000 : 0xFFFFFFFF);
    apps.icons["checks.app"] = checks;
    auto* tile = new PackTile(apps.lookup(), pack("p", "terminal", {"checks.app"}), true, 40, &window);
    tile->move(80, 40);
    window.show();

    QImage image(window.size() * 2, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(2);
    image.fill(Qt::white);
    window.render(&image);
    // 44 logical points of icon cover 88 device pixels: high-quality filtering, no aliasing.
    const QColor middle = image.pixelColor(200, 120);
    EXPECT_NEAR(middle.red(), 128, 20);
    EXPECT_NEAR(middle.green(), middle.red(), 2);
}

// --- The striped logo tile. ---

// The colour in the middle of the longest coloured run on row `y` (the logo's
// edges are blended with the white around them).
std::optional<QColor> stripeOnRow(const QImage& image, int y, int left, int right) {
    int bestStart = -1, bestLength = 0, start = -1;
    for (int x = left; x <= right; ++x) {
        const QColor c = x < right ? image.pixelColor(x, y) : QColor(Qt::white);
        const bool coloured = c.hsvSaturation() > 60 && c.value() > 60;
        if (coloured && start < 0) start = x;
        if (!coloured && start >= 0) {
            if (x - start > bestLength) {
                bestLength = x - start;
                bestStart = start;
            }
            start = -1;
        }
    }
    if (bestLength < 3) return std::nullopt;
    return image.pixelColor(bestStart + bestLength / 2, y);
}

TEST_F(PackVisualFixture, theLogoTileStripesItsLogoTopToBottomOnWhite) {
    Motion::setInstant(true);
    forceAppearance(&window, Appearance::dark);  // the tile stays white in the dark
    auto* tile = new RetroAppleTile(true, 96, &window);
    tile->move(50, 30);
    window.show();
    const QImage image = grab();
    EXPECT_EQ(image.pixelColor(60, 40), QColor(Qt::white));  // inside the square, outside the logo

    // Rows through the middle of the six bands of the logo's frame (0.68 of the edge, centred).
    const double top = 30 + 96 * (1 - RetroAppleTile::logoHeightShare) / 2;
    const double band = 96 * RetroAppleTile::logoHeightShare / 6;
    int found = 0;
    for (int i = 0; i < 6; ++i) {
        const int y = int(top + band * (i + 0.5));
        const auto colour = stripeOnRow(image, y, 50, 146);
        if (!colour) continue;  // the logo may not reach this band's row
        ++found;
        expectNear(*colour, RetroAppleTile::stripes[std::size_t(i)].toQColor(), 12, "band");
    }
    EXPECT_GE(found, 4);
}

TEST_F(PackVisualFixture, anIdleLogoTileIsMutedAndCastsNoGlow) {
    Motion::setInstant(true);
    auto* tile = new RetroAppleTile(false, 96, &window);
    tile->move(50, 20);
    window.show();
    QImage image = grab();
    const int y =
        int(20 + 96 * (1 - RetroAppleTile::logoHeightShare) / 2 + 96 * RetroAppleTile::logoHeightShare * 3.5 / 6);
    const auto idle = stripeOnRow(image, y, 50, 146);  // the red band
    ASSERT_TRUE(idle.has_value());
    expectNear(*idle, saturated(RetroAppleTile::stripes[3], RetroAppleTile::idleSaturation).toQColor(), 12, "idle");
    EXPECT_EQ(image.pixelColor(98, 120), QColor(Qt::white));  // below the tile

    tile->setActive(true);
    image = grab();
    expectNear(*stripeOnRow(image, y, 50, 146), RetroAppleTile::stripes[3].toQColor(), 12, "active");
    const QColor glow = image.pixelColor(98, 120);  // blue glow below
    EXPECT_LT(glow.red(), 252);
    EXPECT_GT(glow.blue(), glow.red());
}

}  // namespace
}  // namespace velorin
