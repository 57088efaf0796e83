#pragma once
// Where a pack's pictures lie in the strip behind its card: side by side,
// each but the first reaching 20 points back under its neighbour and 20 past
// its own slot, feathered where they overlap. And the strip's look: dim,
// fading towards the leading edge, more colourful while the pack is on.

#include <vector>

namespace velorin {

struct PackArtLayout {
    PackArtLayout() = delete;

    static constexpr double overlap = 20;        // points reached past each side of a slot
    static constexpr double featherStart = 0.18;  // share of a picture's width it fades in over
    static constexpr double featherEnd = 0.82;
    static constexpr double blurRadius = 1.5;
    static constexpr double leadingStrength = 0.45;  // the strip's opacity at the leading edge…
    static constexpr double fullFrom = 0.6;          // …rising to full at this share of the width
    static constexpr double activeSaturation = 1.15;
    static constexpr double idleSaturation = 0.35;
    static constexpr double activeOpacity = 0.3;
    static constexpr double idleOpacity = 0.14;
    static constexpr double switchSeconds = 0.6;  // ease-in-out between the two looks

    struct Frame {
        double x = 0;
        double width = 0;
        bool fadesIn = false;   // clear at its leading edge
        bool fadesOut = false;  // clear at its trailing edge
        bool operator==(const Frame&) const = default;
    };

    // The frames of `count` pictures in a strip `width` points wide.
    static std::vector<Frame> frames(int count, double width);

    // The standard ease-in-out curve, cubic Bézier (0.42, 0) (0.58, 1).
    static double easeInOut(double fraction);
};

}  // namespace velorin
