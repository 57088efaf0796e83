#include "Velorin/Design/PackStyle.h"

#include "Velorin/Design/Rainbow.h"
#include "Velorin/Design/Theme.h"

#include <algorithm>
#include <array>
#include <utility>

namespace velorin {

namespace {

struct BrandRow {
    std::string_view id;
    std::uint32_t color;
};

constexpr std::array<BrandRow, 35> brand{{
    {"claude", 0xD97757},  {"chatgpt", 0x10A37F},  {"hermes", 0x000001},        {"openclaw", 0xE5484D},
    {"chrome", 0x4285F4},  {"safari", 0x1E8EF5},   {"dia", 0x7FB2EE},           {"arc", 0xFF5A6E},
    {"brave", 0xFB542B},   {"firefox", 0xFF7139},  {"vivaldi", 0xEF3939},       {"comet", 0x20808D},
    {"atlas", 0x000001},   {"zen", 0xF76F53},      {"vscode", 0x1F8AD2},        {"cursor", 0x000001},
    {"zed", 0x000001},     {"windsurf", 0x0FB8A0}, {"jetbrains", 0xFC4F7F},     {"neovim", 0x57A143},
    {"xcode", 0x1F8BF0},   {"terminal", 0x3D52C8}, {"screen-studio", 0x6366F1}, {"blender", 0xEA7600},
    {"unity", 0x000001},   {"figma", 0xA259FF},    {"final-cut", 0x8E5CF6},     {"logic", 0x6E6E73},
    {"davinci", 0xE6533C}, {"obsidian", 0x7C3AED}, {"notion", 0x000001},        {"linear", 0x5E6AD2},
    {"slack", 0x611F69},   {"discord", 0x5865F2},  {"spotify", 0x1DB954},
}};

struct SpotRow {
    std::string_view id;
    float x;
    float y;
    float radius;
};

// Fixed places of some packs' patches, in floor units.
constexpr std::array<SpotRow, 6> floorSpots{{
    {"everyday-mac", 0.1f, 0.2f, 0.3f},
    {"claude", 0.9f, 0.1f, 0.32f},
    {"dia", 0.55f, 0.7f, 0.3f},
    {"zed", 0.08f, 0.95f, 0.3f},
    {"xcode", 0.94f, 0.88f, 0.34f},
    {"terminal", 0.5f, -0.02f, 0.28f},
}};

constexpr std::string_view everydayMac = "everyday-mac";
constexpr std::uint32_t markerFloorColor = 0x8A8F99;

// The six stripes of the striped logo: the rainbow's colours.
ThemeColor stripe(int i) { return Rainbow::color(i); }

std::vector<ThemeColor> stripes(double opacity) {
    std::vector<ThemeColor> out;
    for (int i = 0; i < 6; ++i) out.push_back(stripe(i).opacity(opacity));
    return out;
}

LinearFill vertical(std::vector<ThemeColor> colors) {
    return LinearFill{evenStops(colors), UnitPoint::top(), UnitPoint::bottom()};
}

}  // namespace

std::optional<std::uint32_t> PackStyle::brandColor(std::string_view packId) {
    for (const BrandRow& row : brand)
        if (row.id == packId) return row.color;
    return std::nullopt;
}

std::optional<std::uint32_t> PackStyle::hex(const PackIdentity& pack) {
    if (pack.accent) return pack.accent;
    return brandColor(pack.id);
}

ThemeColor PackStyle::accent(const std::optional<PackIdentity>& pack) {
    if (!pack) return Theme::honey;
    if (pack->id == everydayMac) return stripe(1);
    const auto color = hex(*pack);
    if (!color) return Theme::honey;
    if (*color == blackOrWhite) return ThemeColor::dynamic(0x2A2A2A, 0xE6E7EA);
    return ThemeColor::plain(*color);
}

ThemeColor PackStyle::onFill(const PackIdentity& pack) {
    if (pack.id == "dia") return ThemeColor::plain(0x17191D);
    if (hex(pack) == blackOrWhite) return ThemeColor::dynamic(0xFFFFFF, 0x17191D);
    return ThemeColor::plain(0xFFFFFF);
}

ShapeFill PackStyle::switchFill(const PackIdentity& pack) {
    if (pack.id == everydayMac) return LinearFill{hardBands(stripes(1)), UnitPoint::top(), UnitPoint::bottom()};
    if (pack.id == "claude") return vertical({ThemeColor::plain(0xE58B6A), ThemeColor::plain(0xD06A45)});
    if (pack.id == "dia") {
        return LinearFill{
            evenStops({ThemeColor::plain(0x9CC7F5), ThemeColor::plain(0xFFD45C), ThemeColor::plain(0xF59A3A)}),
            UnitPoint::topLeading(), UnitPoint::bottomTrailing()};
    }
    if (pack.id == "xcode") return vertical({ThemeColor::plain(0x3FA9FF), ThemeColor::plain(0x0A63D6)});
    if (pack.id == "terminal") return vertical({ThemeColor::plain(0x4F6BFF), ThemeColor::plain(0x1D2756)});
    const auto color = hex(pack);
    if (!color) return vertical({Theme::butter, Theme::honey});
    if (*color == blackOrWhite)
        return vertical({ThemeColor::dynamic(0x4A4A4A, 0xFAFAFA), ThemeColor::dynamic(0x161616, 0xC4C7CC)});
    return vertical({ThemeColor::plain(*color, 0.82), ThemeColor::plain(*color)});
}

ShapeFill PackStyle::floodFill(const PackIdentity& pack) {
    if (pack.id == everydayMac) return vertical(stripes(0.24));
    if (pack.id == "dia") {
        return LinearFill{evenStops({ThemeColor::plain(0x9CC7F5, 0.38), ThemeColor::plain(0xFFD45C, 0.3),
                                     ThemeColor::plain(0xF59A3A, 0.22)}),
                          UnitPoint::topTrailing(), UnitPoint::bottomLeading()};
    }
    const double k = hex(pack) == blackOrWhite ? 0.16 : 0.3;
    const ThemeColor color = accent(pack);
    return RadialFill{evenStops({color.opacity(k), color.opacity(0.35 * k)}), UnitPoint::topTrailing(), 0, 520};
}

std::vector<FloorBlob> PackStyle::floorBlobs(const std::vector<std::string>& enabled,
                                             const std::vector<PackIdentity>& packs) {
    std::vector<FloorBlob> blobs;
    for (const std::string& id : enabled) {
        if (int(blobs.size()) == maxFloorBlobs) break;
        const auto pack = std::find_if(packs.begin(), packs.end(), [&](const PackIdentity& p) { return p.id == id; });
        if (pack == packs.end()) continue;

        FloorBlob blob;
        blob.id = id;
        const auto spot =
            std::find_if(floorSpots.begin(), floorSpots.end(), [&](const SpotRow& s) { return s.id == id; });
        if (spot != floorSpots.end()) {
            blob.x = spot->x;
            blob.y = spot->y;
            blob.radius = spot->radius;
        } else {
            const std::uint64_t h = fnv1a(id);
            blob.x = float(double(h & 0xFFFF) / 65535.0);
            blob.y = float(double((h >> 16) & 0xFFFF) / 65535.0);
            blob.radius = derivedSpotRadius;
        }
        const auto color = hex(*pack);
        const std::uint32_t rgb = !color ? 0x000000 : (*color == blackOrWhite ? markerFloorColor : *color);
        blob.color = {float(((rgb >> 16) & 0xFF) / 255.0), float(((rgb >> 8) & 0xFF) / 255.0),
                      float((rgb & 0xFF) / 255.0)};
        blob.rainbow = id == everydayMac;
        blobs.push_back(std::move(blob));
    }
    return blobs;
}

std::vector<FloorBlob> PackStyle::floorBlobs(const std::vector<std::string>& enabled, const std::vector<Pack>& packs) {
    std::vector<PackIdentity> identities;
    identities.reserve(packs.size());
    for (const Pack& pack : packs) identities.push_back(identity(pack));
    return floorBlobs(enabled, identities);
}

std::uint64_t PackStyle::fnv1a(std::string_view text) {
    std::uint64_t h = 14695981039346656037ull;
    for (unsigned char byte : text) {
        h ^= byte;
        h *= 1099511628211ull;
    }
    return h;
}

}  // namespace velorin
