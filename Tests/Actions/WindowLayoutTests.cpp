#include "Actions/WindowLayout.h"

#include <gtest/gtest.h>

#include <limits>

using namespace velorin;

namespace {

Rect R(double x, double y, double w, double h) { return Rect{{x, y}, {w, h}}; }

std::string show(const std::optional<Rect>& r) {
    if (!r) return "nothing";
    return "(" + std::to_string(r->origin.x) + ", " + std::to_string(r->origin.y) + ", " +
           std::to_string(r->size.width) + ", " + std::to_string(r->size.height) + ")";
}

// Screen arrangements, as visible frames in Accessibility coordinates.
const std::vector<Rect> laptop = {R(0, 25, 1440, 875)};  // under a 25-point menu bar
const std::vector<Rect> oddWidth = {R(0, 0, 1439, 900)};
const std::vector<Rect> fractional = {R(0.5, 24.25, 1439.5, 875.5)};
const std::vector<Rect> leftOfPrimary = {R(0, 0, 1440, 900), R(-1439, 0, 1439, 900)};  // its centre line at -719.5
const std::vector<Rect> bigAndSmall = {R(0, 0, 2560, 1440), R(2560, 0, 1280, 720)};

}  // namespace

TEST(WindowLayout, targetPerCommandAndArrangement) {
    struct Case {
        const char* name;
        WindowCommand command;
        Rect window;
        std::vector<Rect> screens;
        std::optional<Rect> target;
    };
    const Rect small = R(100, 100, 400, 300);
    const Case cases[] = {
        {"left half", WindowCommand::leftHalf, small, laptop, R(0, 25, 720, 875)},
        {"right half", WindowCommand::rightHalf, small, laptop, R(720, 25, 720, 875)},
        {"top half rounds the centre line", WindowCommand::topHalf, small, laptop, R(0, 25, 1440, 438)},
        {"bottom half meets the top half", WindowCommand::bottomHalf, small, laptop, R(0, 463, 1440, 437)},
        {"odd width: left half takes the rounded middle", WindowCommand::leftHalf, small, oddWidth,
         R(0, 0, 720, 900)},
        {"odd width: right half is one narrower", WindowCommand::rightHalf, small, oddWidth, R(720, 0, 719, 900)},
        {"maximize keeps fractional edges", WindowCommand::maximize, small, fractional,
         R(0.5, 24.25, 1439.5, 875.5)},
        {"halves round fractional edges", WindowCommand::leftHalf, small, fractional, R(1, 24, 719, 876)},
        {"left of the primary, halves round away from zero", WindowCommand::leftHalf, R(-1000, 100, 400, 300),
         leftOfPrimary, R(-1439, 0, 719, 900)},
        {"left of the primary, the right half meets it", WindowCommand::rightHalf, R(-1000, 100, 400, 300),
         leftOfPrimary, R(-720, 0, 720, 900)},
        {"center keeps the size", WindowCommand::center, small, laptop, R(520, 313, 400, 300)},
        {"center of a larger window gives the screen", WindowCommand::center, R(-50, 0, 2000, 1000), laptop,
         R(0, 25, 1440, 875)},
        {"next display to a smaller screen halves the size", WindowCommand::nextDisplay, R(256, 144, 1280, 720),
         bigAndSmall, R(2688, 72, 640, 360)},
        {"next display wraps to the first and doubles", WindowCommand::nextDisplay, R(2688, 72, 640, 360),
         bigAndSmall, R(256, 144, 1280, 720)},
        {"next display never beyond the target", WindowCommand::nextDisplay, R(2560, 0, 1600, 720), bigAndSmall,
         R(0, 0, 2560, 1440)},
        {"next display keeps an offset off the screen", WindowCommand::nextDisplay, R(-256, 144, 1280, 720),
         bigAndSmall, R(2432, 72, 640, 360)},
        {"next display with one screen", WindowCommand::nextDisplay, small, laptop, std::nullopt},
        {"half of the screen the window overlaps most", WindowCommand::rightHalf, R(2400, 0, 400, 300),
         bigAndSmall, R(3200, 0, 640, 720)},
        {"a screen of no width has no layout", WindowCommand::leftHalf, small, {R(0, 0, 0, 900)}, std::nullopt},
        {"a screen of no height has no layout", WindowCommand::center, small, {R(0, 0, 1440, 0)}, std::nullopt},
        {"no moving onto a screen of no area", WindowCommand::nextDisplay, small,
         {R(0, 0, 1440, 900), R(1440, 0, 0, 0)}, std::nullopt},
        {"a window of no finite size", WindowCommand::center,
         R(0, 0, std::numeric_limits<double>::quiet_NaN(), 10), laptop, std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(show(WindowLayout::frame(c.command, c.window, c.screens)), show(c.target)) << c.name;
    }
}

TEST(WindowLayout, noScreensGiveNothingForEveryCommand) {
    for (auto command : allCases<WindowCommand>()) {
        EXPECT_EQ(WindowLayout::frame(command, R(0, 0, 100, 100), {}), std::nullopt) << rawValue(command);
    }
}

TEST(WindowLayout, windowBelongsToTheScreenItOverlapsMostOrIsNearest) {
    const std::vector<Rect> pair = {R(0, 0, 1000, 1000), R(1000, 0, 1000, 1000)};
    struct Case {
        const char* name;
        Rect window;
        std::optional<std::size_t> index;
    };
    const Case cases[] = {
        {"more on the first", R(850, 0, 200, 100), 0},
        {"more on the second", R(950, 0, 200, 100), 1},
        {"equal overlap: the earlier screen", R(900, 0, 200, 100), 0},
        {"off every screen: the nearest centre", R(2500, 400, 10, 10), 1},
        {"off every screen at equal distances: the earlier", R(995, -600, 10, 10), 0},
        {"touching an edge is no overlap", R(-100, 0, 100, 100), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(WindowLayout::screenIndex(c.window, pair), c.index) << c.name;
    EXPECT_EQ(WindowLayout::screenIndex(R(0, 0, 1, 1), {}), std::nullopt);
}

TEST(WindowLayout, screenRectanglesTurnToAccessibilityCoordinates) {
    EXPECT_EQ(WindowLayout::axRect(R(0, 0, 1440, 875), 900), R(0, 25, 1440, 875));
    EXPECT_EQ(WindowLayout::axRect(R(0, 900, 1280, 800), 900), R(0, -800, 1280, 800));  // above the primary
    EXPECT_EQ(WindowLayout::axRect(R(1440, -300, 1920, 1080), 900), R(1440, 120, 1920, 1080));
}
