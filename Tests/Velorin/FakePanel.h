#pragma once
// An overlay panel that records what the overlay asks of it.

#include <optional>
#include <vector>

#include "Velorin/TapOverlay.h"

namespace velorin::testing {

struct FakePanel : OverlayPanel {
    Size size() const override { return TapOverlay::panelSize; }
    void setFrameOrigin(Point p) override { origin = p; }
    double alphaValue() const override { return alpha; }
    void setAlphaValue(double a) override {
        alpha = a;
        fading = false;
    }
    void fadeAlphaValue(double a, double duration) override {
        alpha = a;
        fading = true;
        fadeDurations.push_back(duration);
    }
    void orderFrontRegardless() override {
        visible = true;
        ++orderedFront;
    }
    void orderOut() override {
        visible = false;
        fading = false;
    }
    bool isVisible() const override { return visible; }

    std::optional<Point> origin;
    double alpha = 1;
    bool visible = false;
    bool fading = false;
    int orderedFront = 0;
    std::vector<double> fadeDurations;
};

}  // namespace velorin::testing
