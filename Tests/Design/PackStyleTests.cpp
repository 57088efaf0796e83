#include "Config/PackCatalog.h"
#include "Velorin/Design/PackStyle.h"
#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Theme.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velorin {
namespace {

const ColorEnvironment light{Appearance::light, QColor(0x00, 0x7A, 0xFF)};
const ColorEnvironment dark{Appearance::dark, QColor(0x00, 0x7A, 0xFF)};

PackIdentity pack(std::string id, std::optional<std::uint32_t> accent = std::nullopt) {
    return {std::move(id), accent};
}

QColor hexColor(std::uint32_t rgb, double opacity = 1) { return Rgba::hex(rgb, opacity).toQColor(); }

TEST(PackStyleAccent, takesTheOwnAccentThenTheBrandThenTheAccentColour) {
    struct Case {
        const char* name;
        std::optional<PackIdentity> pack;
        QColor light;
        QColor dark;
    };
    const QColor honey = light.accent;
    const std::vector<Case> cases = {
        {"no pack", std::nullopt, honey, honey},
        {"brand", pack("chrome"), hexColor(0x4285F4), hexColor(0x4285F4)},
        {"own accent over its brand", pack("chrome", 0x123456), hexColor(0x123456), hexColor(0x123456)},
        {"unknown id", pack("custom-7"), honey, honey},
        {"custom accent", pack("custom-7", 0x5E5CE6), hexColor(0x5E5CE6), hexColor(0x5E5CE6)},
        {"black-or-white brand", pack("cursor"), hexColor(0x2A2A2A), hexColor(0xE6E7EA)},
        {"black-or-white accent", pack("custom-8", 0x000001), hexColor(0x2A2A2A), hexColor(0xE6E7EA)},
        {"everyday-mac is the yellow stripe", pack("everyday-mac", 0xFF0000), Rgba(Rainbow::colors[1]).toQColor(),
         Rgba(Rainbow::colors[1]).toQColor()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PackStyle::accent(c.pack).resolve(light), c.light) << c.name;
        EXPECT_EQ(PackStyle::accent(c.pack).resolve(dark), c.dark) << c.name;
    }
}

TEST(PackStyleBrand, holdsEveryBuiltInPackButEverydayMac) {
    const std::vector<std::pair<std::string, std::uint32_t>> rows = {
        {"claude", 0xD97757},  {"chatgpt", 0x10A37F},  {"hermes", 0x000001},        {"openclaw", 0xE5484D},
        {"chrome", 0x4285F4},  {"safari", 0x1E8EF5},   {"dia", 0x7FB2EE},           {"arc", 0xFF5A6E},
        {"brave", 0xFB542B},   {"firefox", 0xFF7139},  {"vivaldi", 0xEF3939},       {"comet", 0x20808D},
        {"atlas", 0x000001},   {"zen", 0xF76F53},      {"vscode", 0x1F8AD2},        {"cursor", 0x000001},
        {"zed", 0x000001},     {"windsurf", 0x0FB8A0}, {"jetbrains", 0xFC4F7F},     {"neovim", 0x57A143},
        {"xcode", 0x1F8BF0},   {"terminal", 0x3D52C8}, {"screen-studio", 0x6366F1}, {"blender", 0xEA7600},
        {"unity", 0x000001},   {"figma", 0xA259FF},    {"final-cut", 0x8E5CF6},     {"logic", 0x6E6E73},
        {"davinci", 0xE6533C}, {"obsidian", 0x7C3AED}, {"notion", 0x000001},        {"linear", 0x5E6AD2},
        {"slack", 0x611F69},   {"discord", 0x5865F2},  {"spotify", 0x1DB954},
    };
    for (const auto& [id, color] : rows) EXPECT_EQ(PackStyle::brandColor(id), color) << id;
    EXPECT_EQ(PackStyle::brandColor("everyday-mac"), std::nullopt);
    // Every other pack of the catalog has its row.
    for (const Pack& p : PackCatalog::all())
        EXPECT_EQ(PackStyle::brandColor(p.id).has_value(), p.id != "everyday-mac") << p.id;
    EXPECT_EQ(PackStyle::brandColor("Chrome"), std::nullopt);  // ids compare exactly
}

TEST(PackStyleOnFill, isDarkOnDiaAndFollowsTheAppearanceOnBlackOrWhite) {
    EXPECT_EQ(PackStyle::onFill(pack("dia")).resolve(light), hexColor(0x17191D));
    EXPECT_EQ(PackStyle::onFill(pack("dia")).resolve(dark), hexColor(0x17191D));
    EXPECT_EQ(PackStyle::onFill(pack("notion")).resolve(light), hexColor(0xFFFFFF));
    EXPECT_EQ(PackStyle::onFill(pack("notion")).resolve(dark), hexColor(0x17191D));
    EXPECT_EQ(PackStyle::onFill(pack("chrome")).resolve(dark), hexColor(0xFFFFFF));
    EXPECT_EQ(PackStyle::onFill(pack("custom-1")).resolve(dark), hexColor(0xFFFFFF));
}

std::vector<QColor> resolvedStops(const ShapeFill& fill, const ColorEnvironment& env) {
    std::vector<QColor> out;
    const std::vector<GradientStop>* stops = nullptr;
    if (const auto* l = std::get_if<LinearFill>(&fill)) stops = &l->stops;
    if (const auto* r = std::get_if<RadialFill>(&fill)) stops = &r->stops;
    if (stops)
        for (const GradientStop& s : *stops) out.push_back(s.color.resolve(env));
    return out;
}

TEST(PackStyleSwitchFill, decidesByIdBeforeTheColour) {
    struct Case {
        const char* name;
        PackIdentity pack;
        UnitPoint start;
        UnitPoint end;
        std::vector<QColor> light;
        std::vector<QColor> dark;
    };
    const QColor honey = light.accent;
    const QColor butterLight = Theme::butter.resolve(light);
    const QColor butterDark = Theme::butter.resolve(dark);
    const std::vector<Case> cases = {
        {"claude, own accent ignored",
         pack("claude", 0x112233),
         UnitPoint::top(),
         UnitPoint::bottom(),
         {hexColor(0xE58B6A), hexColor(0xD06A45)},
         {hexColor(0xE58B6A), hexColor(0xD06A45)}},
        {"dia",
         pack("dia"),
         UnitPoint::topLeading(),
         UnitPoint::bottomTrailing(),
         {hexColor(0x9CC7F5), hexColor(0xFFD45C), hexColor(0xF59A3A)},
         {hexColor(0x9CC7F5), hexColor(0xFFD45C), hexColor(0xF59A3A)}},
        {"xcode",
         pack("xcode"),
         UnitPoint::top(),
         UnitPoint::bottom(),
         {hexColor(0x3FA9FF), hexColor(0x0A63D6)},
         {hexColor(0x3FA9FF), hexColor(0x0A63D6)}},
        {"terminal",
         pack("terminal"),
         UnitPoint::top(),
         UnitPoint::bottom(),
         {hexColor(0x4F6BFF), hexColor(0x1D2756)},
         {hexColor(0x4F6BFF), hexColor(0x1D2756)}},
        {"no colour",
         pack("custom-2"),
         UnitPoint::top(),
         UnitPoint::bottom(),
         {butterLight, honey},
         {butterDark, honey}},
        {"black-or-white",
         pack("zed"),
         UnitPoint::top(),
         UnitPoint::bottom(),
         {hexColor(0x4A4A4A), hexColor(0x161616)},
         {hexColor(0xFAFAFA), hexColor(0xC4C7CC)}},
        {"a colour",
         pack("spotify"),
         UnitPoint::top(),
         UnitPoint::bottom(),
         {hexColor(0x1DB954, 0.82), hexColor(0x1DB954)},
         {hexColor(0x1DB954, 0.82), hexColor(0x1DB954)}},
    };
    for (const Case& c : cases) {
        const ShapeFill fill = PackStyle::switchFill(c.pack);
        const auto* linear = std::get_if<LinearFill>(&fill);
        ASSERT_NE(linear, nullptr) << c.name;
        EXPECT_EQ(linear->start, c.start) << c.name;
        EXPECT_EQ(linear->end, c.end) << c.name;
        EXPECT_EQ(resolvedStops(fill, light), c.light) << c.name;
        EXPECT_EQ(resolvedStops(fill, dark), c.dark) << c.name;
    }
    // Everyday Mac: six hard bands of the stripes.
    const ShapeFill stripes = PackStyle::switchFill(pack("everyday-mac"));
    const auto& bands = std::get<LinearFill>(stripes);
    ASSERT_EQ(bands.stops.size(), 12u);
    EXPECT_EQ(bands.stops[4].location, 2.0 / 6);
    EXPECT_EQ(bands.stops[5].location, 3.0 / 6);
    EXPECT_EQ(bands.stops[5].color, Rainbow::color(2));
}

TEST(PackStyleFloodFill, isARadialGlowOfTheAccentButForTwoPacks) {
    const ShapeFill chrome = PackStyle::floodFill(pack("chrome"));
    const auto& radial = std::get<RadialFill>(chrome);
    EXPECT_EQ(radial.center, UnitPoint::topTrailing());
    EXPECT_EQ(radial.startRadius, 0);
    EXPECT_EQ(radial.endRadius, 520);
    EXPECT_EQ(resolvedStops(chrome, light), (std::vector<QColor>{hexColor(0x4285F4, 0.3), hexColor(0x4285F4, 0.105)}));

    // Black-or-white brands flood at 0.16 instead of 0.3.
    EXPECT_EQ(resolvedStops(PackStyle::floodFill(pack("cursor")), dark),
              (std::vector<QColor>{hexColor(0xE6E7EA, 0.16), hexColor(0xE6E7EA, 0.056)}));
    // No colour: the accent.
    EXPECT_EQ(resolvedStops(PackStyle::floodFill(pack("custom-3")), light),
              (std::vector<QColor>{hexColor(0x007AFF, 0.3), hexColor(0x007AFF, 0.105)}));

    const ShapeFill dia = PackStyle::floodFill(pack("dia", 0x000001));
    const auto& diaLinear = std::get<LinearFill>(dia);
    EXPECT_EQ(diaLinear.start, UnitPoint::topTrailing());
    EXPECT_EQ(diaLinear.end, UnitPoint::bottomLeading());
    EXPECT_EQ(resolvedStops(dia, light),
              (std::vector<QColor>{hexColor(0x9CC7F5, 0.38), hexColor(0xFFD45C, 0.3), hexColor(0xF59A3A, 0.22)}));

    const ShapeFill mac = PackStyle::floodFill(pack("everyday-mac"));
    const auto& macLinear = std::get<LinearFill>(mac);
    ASSERT_EQ(macLinear.stops.size(), 6u);
    EXPECT_EQ(macLinear.stops[5].location, 1);
    EXPECT_EQ(macLinear.stops[0].color, Rainbow::color(0).opacity(0.24));
}

TEST(PackStyleOfAPack, readsItsIdAndOwnAccent) {
    Pack custom = Pack::newCustom({});
    EXPECT_EQ(PackStyle::accent(&custom).resolve(light), hexColor(0x5E5CE6));
    EXPECT_EQ(PackStyle::accent(nullptr).resolve(light), light.accent);
    const Pack& terminal = PackCatalog::terminal();
    EXPECT_EQ(PackStyle::switchFill(terminal), PackStyle::switchFill(pack("terminal")));
    EXPECT_EQ(PackStyle::floodFill(terminal), PackStyle::floodFill(pack("terminal")));
    EXPECT_EQ(PackStyle::onFill(terminal), PackStyle::onFill(pack("terminal")));
    const auto blobs = PackStyle::floorBlobs({"terminal", custom.id}, PackCatalog::all());
    ASSERT_EQ(blobs.size(), 1u);  // the custom pack is not among the catalog's
    EXPECT_EQ(blobs[0].id, "terminal");
}

TEST(PackStyleFloorSpotHash, isPlainFnv1a) {
    EXPECT_EQ(PackStyle::fnv1a(""), 0xcbf29ce484222325ull);
    EXPECT_EQ(PackStyle::fnv1a("a"), 0xaf63dc4c8601ec8cull);
    EXPECT_EQ(PackStyle::fnv1a("chrome"), 0xd160366ec53e9213ull);
    EXPECT_EQ(PackStyle::fnv1a("custom-1b4e28ba-2fa1-11d2-883f-0016d3cca427"), 0x271f9dde044deea5ull);
}

TEST(PackStyleFloorBlobs, placeColourAndCapThePatches) {
    const std::vector<PackIdentity> packs = {
        pack("everyday-mac"),
        pack("claude"),
        pack("chrome"),
        pack("cursor"),
        pack("custom-1b4e28ba-2fa1-11d2-883f-0016d3cca427"),
        pack("terminal", 0x00FF00),
        pack("spotify"),
        pack("zed"),
        pack("xcode"),
        pack("dia"),
    };
    const auto blobs =
        PackStyle::floorBlobs({"everyday-mac", "gone", "claude", "chrome", "cursor",
                               "custom-1b4e28ba-2fa1-11d2-883f-0016d3cca427", "terminal", "spotify", "zed", "xcode"},
                              packs);
    ASSERT_EQ(blobs.size(), 8u);  // "gone" takes no slot; "xcode", the ninth, is dropped

    struct Expected {
        const char* id;
        float x, y, radius;
        std::uint32_t color;
        bool rainbow;
    };
    const std::vector<Expected> expected = {
        {"everyday-mac", 0.1f, 0.2f, 0.3f, 0x000000, true},
        {"claude", 0.9f, 0.1f, 0.32f, 0xD97757, false},
        {"chrome", 0.5706111f, 0.7704891f, 0.26f, 0x4285F4, false},
        {"cursor", 0.3239643f, 0.7436942f, 0.26f, 0x8A8F99, false},
        {"custom-1b4e28ba-2fa1-11d2-883f-0016d3cca427", 0.9322194f, 0.0168002f, 0.26f, 0x000000, false},
        {"terminal", 0.5f, -0.02f, 0.28f, 0x00FF00, false},
        {"spotify", 0.2215152f, 0.1899901f, 0.26f, 0x1DB954, false},
        {"zed", 0.08f, 0.95f, 0.3f, 0x8A8F99, false},
    };
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const FloorBlob& b = blobs[i];
        const Expected& e = expected[i];
        EXPECT_EQ(b.id, e.id);
        EXPECT_NEAR(b.x, e.x, 1e-6) << e.id;
        EXPECT_NEAR(b.y, e.y, 1e-6) << e.id;
        EXPECT_FLOAT_EQ(b.radius, e.radius) << e.id;
        const Rgba c = Rgba::hex(e.color);
        EXPECT_NEAR(b.color[0], c.red, 1e-6) << e.id;
        EXPECT_NEAR(b.color[1], c.green, 1e-6) << e.id;
        EXPECT_NEAR(b.color[2], c.blue, 1e-6) << e.id;
        EXPECT_EQ(b.rainbow, e.rainbow) << e.id;
    }
    // The same id always lands on the same spot.
    EXPECT_EQ(PackStyle::floorBlobs({"chrome"}, packs)[0], blobs[2]);
    EXPECT_TRUE(PackStyle::floorBlobs({}, packs).empty());
}

}  // namespace
}  // namespace velorin
