#pragma once
// One coloured light patch on the floor of the water.

#include <array>
#include <string>

namespace velorin {

struct FloorBlob {
    std::string id;                // identity (a pack id): blobs are matched, faded and ordered by it
    float x = 0;                   // centre, share of the view's width from the left edge
    float y = 0;                   // centre, share of the view's height from the top edge
    float radius = 0;              // share of the view's height; the patch falls off as exp(-d²/radius²)
    std::array<float, 3> color{};  // red, green, blue, 0…1
    bool rainbow = false;          // shows the six rainbow bands instead of `color`

    bool operator==(const FloorBlob&) const = default;
};

}  // namespace velorin
