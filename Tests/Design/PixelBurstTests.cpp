#include "Velorin/Design/PixelBurst.h"
#include "Velorin/Design/Rainbow.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace velorin {
namespace {

// Hands out the middle of every range, and counts the draws.
struct MidRandom {
    int* draws;
    double operator()(double low, double high) const {
        ++*draws;
        return (low + high) / 2;
    }
};

class PixelBurstTest : public ::testing::Test {
protected:
    PixelBurst burst(int trigger = 0) { return PixelBurst(trigger, PixelBurst::splashDuration, MidRandom{&draws}); }
    int draws = 0;
};

TEST_F(PixelBurstTest, theFirstTriggerNeverFiresAndEachChangeDoes) {
    PixelBurst b = burst(3);
    EXPECT_FALSE(b.update(3, false, false, false, 10));
    EXPECT_FALSE(b.isRunning(10));
    EXPECT_TRUE(b.particles(10, QSizeF(100, 100)).empty());
    EXPECT_TRUE(b.update(4, false, false, false, 10));
    EXPECT_TRUE(b.isRunning(10));
    EXPECT_FALSE(b.update(4, false, false, false, 10.1));  // the same value again
}

// Without a starting value, whatever comes first is only taken, whatever it is.
TEST_F(PixelBurstTest, withoutAStartingValue_theFirstTriggerIsOnlyTaken) {
    for (int first : {0, 3, -1}) {
        PixelBurst b(std::nullopt, PixelBurst::splashDuration, MidRandom{&draws});
        EXPECT_FALSE(b.update(first, false, false, false, 10)) << first;
        EXPECT_FALSE(b.isRunning(10)) << first;
        EXPECT_TRUE(b.update(first + 1, false, false, false, 10)) << first;
    }
}

TEST_F(PixelBurstTest, countsAndSeedRangesFollowTheVariant) {
    struct Case {
        bool drain;
        bool drip;
        std::size_t count;
        double down;
    };
    const std::vector<Case> cases = {
        {false, false, 30, 0.5},
        {true, false, 46, 0.55},
        {false, true, 7, 0.5},
        {true, true, 7, 0.55},
    };
    int trigger = 0;
    for (const Case& c : cases) {
        PixelBurst b = burst(trigger);
        ASSERT_TRUE(b.update(++trigger, c.drain, c.drip, false, 0));
        ASSERT_EQ(b.seeds().size(), c.count);
        EXPECT_EQ(b.seeds()[0], (BurstSeed{0.5, c.down, std::numbers::pi, 0.7}));
    }
}

TEST_F(PixelBurstTest, reduceMotionCountsTheTriggerButDrawsNothing) {
    PixelBurst b = burst(0);
    EXPECT_FALSE(b.update(1, false, false, true, 0));
    EXPECT_FALSE(b.isRunning(0));
    EXPECT_EQ(draws, 0);
    // The counter moved on: turning motion back on does not replay it.
    EXPECT_FALSE(b.update(1, false, false, false, 1));
    EXPECT_TRUE(b.update(2, false, false, false, 1));
}

TEST_F(PixelBurstTest, particlesMoveAndFadeAsTheTableSays) {
    const QSizeF canvas(172, 112);  // a 100 × 40 view with 36 points round it
    struct Case {
        const char* name;
        bool drain;
        bool drip;
        double dx;
        double dy;
        double side;
        QColor color;
    };
    const double p = 0.5;
    const double angle = std::numbers::pi;  // cos −1, sin 0
    const double speed = 0.7;
    const int trigger = 1;
    auto rainbow = [](int i) { return Rgba(Rainbow::colors[std::size_t(i % 6)]); };
    auto subpixel = [](int i) { return Rgba(Rainbow::rgb[std::size_t(i % 3)]); };
    auto faded = [](Rgba c, double opacity) {
        c.alpha = opacity;
        return c.toQColor();
    };
    const std::vector<Case> cases = {
        {"splash", false, false, 34 * p * speed * std::cos(angle), 30 * p * p + 26 * p * speed * std::sin(angle), 3,
         faded(rainbow(0 + trigger), 0.5)},
        {"drain", true, false, 6 * p * std::cos(angle), 8 * p + 40 * p * p * speed, 2.5, faded(subpixel(0), 0.5)},
        {"drip", false, true, 5 * p * std::cos(angle), 4 * p + 46 * p * p * speed, 2.5,
         faded(rainbow(0 + trigger), 0.5)},
        {"drip and drain", true, true, 5 * p * std::cos(angle), 4 * p + 46 * p * p * speed, 2.5,
         faded(subpixel(0), 0.5)},
    };
    for (const Case& c : cases) {
        PixelBurst b = burst(0);
        b.update(trigger, c.drain, c.drip, false, 2.0);
        const auto particles = b.particles(2.0 + 0.4, canvas);
        ASSERT_FALSE(particles.empty()) << c.name;
        const double down = c.drain ? 0.55 : 0.5;
        const BurstParticle& first = particles[0];
        EXPECT_NEAR(first.rect.x(), 100 * 0.5 + 36 + c.dx, 1e-9) << c.name;
        EXPECT_NEAR(first.rect.y(), 40 * down + 36 + c.dy, 1e-9) << c.name;
        EXPECT_EQ(first.rect.width(), c.side) << c.name;
        EXPECT_EQ(first.rect.height(), c.side + 1) << c.name;
        EXPECT_EQ(first.color, c.color) << c.name;
    }
}

TEST_F(PixelBurstTest, coloursFollowTheirIndexAndTheTrigger) {
    PixelBurst b = burst(0);
    b.update(4, false, false, false, 0);
    const auto particles = b.particles(0.1, QSizeF(100, 100));
    ASSERT_EQ(particles.size(), 30u);
    for (int i = 0; i < 8; ++i) {
        Rgba expected = Rainbow::colors[std::size_t((i + 4) % 6)];
        expected.alpha = 1 - 0.1 / 0.8;
        EXPECT_EQ(particles[std::size_t(i)].color, expected.toQColor()) << i;
    }
}

TEST_F(PixelBurstTest, aBurstDrawsForItsDurationAndEndsOnItsOwnSchedule) {
    PixelBurst b = burst(0);
    b.update(1, false, false, false, 5.0);
    EXPECT_FALSE(b.particles(5.79, QSizeF(80, 80)).empty());
    EXPECT_TRUE(b.particles(5.8, QSizeF(80, 80)).empty());
    EXPECT_TRUE(b.isRunning(5.849));
    EXPECT_FALSE(b.isRunning(5.85));

    // A newer trigger restarts with new seeds and runs its whole length,
    // even past the moment the first burst would have been cleared.
    b.update(2, false, false, false, 5.5);
    EXPECT_EQ(*b.start(), 5.5);
    EXPECT_TRUE(b.isRunning(5.9));
    EXPECT_FALSE(b.particles(6.2, QSizeF(80, 80)).empty());
    EXPECT_FALSE(b.isRunning(6.35));
}

TEST(PixelBurstSystemRandom, staysInsideClosedRanges) {
    const PixelBurst::Random random = PixelBurst::systemRandom();
    for (int i = 0; i < 1000; ++i) {
        const double v = random(0.2, 0.9);
        EXPECT_GE(v, 0.2);
        EXPECT_LE(v, 0.9);
    }
}

// Bursts share the system's generator: every burst, of one view or of two,
// still scatters its pixels afresh, inside the ranges.
TEST(PixelBurstSystemRandom, burstsOfOneAndOfTwoViewsDiffer) {
    PixelBurst first(0);
    PixelBurst second(0);
    ASSERT_TRUE(first.update(1, false, false, false, 0));
    const std::vector<BurstSeed> once = first.seeds();
    ASSERT_TRUE(first.update(2, false, false, false, 1));
    ASSERT_TRUE(second.update(1, false, false, false, 0));
    EXPECT_NE(once, first.seeds());
    EXPECT_NE(once, second.seeds());
    for (const BurstSeed& s : second.seeds()) {
        EXPECT_GE(s.across, 0);
        EXPECT_LE(s.across, 1);
        EXPECT_GE(s.speed, 0.4);
        EXPECT_LE(s.speed, 1);
    }
}

}  // namespace
}  // namespace velorin
