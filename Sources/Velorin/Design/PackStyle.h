#pragma once
// A pack's visual identity: its colour (its own accent, else its brand's),
// the fills made from it, and where its light patch lies on the water floor.
// All of it depends only on a pack's id and own accent; the overloads that
// take a `Pack` read those two.

#include "Config/Pack.h"
#include "Velorin/Design/Color.h"
#include "Velorin/Design/Fill.h"
#include "Velorin/Design/FloorBlob.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velorin {

struct PackIdentity {
    std::string id;
    std::optional<std::uint32_t> accent;  // 0xRRGGBB

    bool operator==(const PackIdentity&) const = default;
};

struct PackStyle {
    PackStyle() = delete;

    // Stands for a black-or-white brand; never drawn as a colour.
    static constexpr std::uint32_t blackOrWhite = 0x000001;
    static constexpr int maxFloorBlobs = 8;
    static constexpr float derivedSpotRadius = 0.26f;

    // The brand colour of a built-in pack, if it has one.
    static std::optional<std::uint32_t> brandColor(std::string_view packId);
    // The pack's own accent, else its brand colour.
    static std::optional<std::uint32_t> hex(const PackIdentity& pack);

    // The pack's colour for tints, shadows and glows; the accent colour for no pack.
    static ThemeColor accent(const std::optional<PackIdentity>& pack);
    // The colour of text and symbols drawn on the pack's fill.
    static ThemeColor onFill(const PackIdentity& pack);
    // The gradient of the pack's enable switch and its chips.
    static ShapeFill switchFill(const PackIdentity& pack);
    // The flood behind the pack's card.
    static ShapeFill floodFill(const PackIdentity& pack);

    // The light patches for the enabled packs, in `enabled` order, at most 8;
    // ids with no pack in `packs` are skipped.
    static std::vector<FloorBlob> floorBlobs(const std::vector<std::string>& enabled,
                                             const std::vector<PackIdentity>& packs);

    static PackIdentity identity(const Pack& pack) { return {pack.id, pack.accent}; }
    static ThemeColor accent(const Pack* pack) {
        return pack ? accent(std::optional<PackIdentity>(identity(*pack))) : accent(std::nullopt);
    }
    static ThemeColor onFill(const Pack& pack) { return onFill(identity(pack)); }
    static ShapeFill switchFill(const Pack& pack) { return switchFill(identity(pack)); }
    static ShapeFill floodFill(const Pack& pack) { return floodFill(identity(pack)); }
    static std::vector<FloorBlob> floorBlobs(const std::vector<std::string>& enabled, const std::vector<Pack>& packs);

    // 64-bit FNV-1a of the bytes of `text`; places the patch of a pack without a fixed spot.
    static std::uint64_t fnv1a(std::string_view text);
};

}  // namespace velorin
