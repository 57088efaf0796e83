#include "Recognizer/RecognizerConfig.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace velorin;

namespace {
RecognizerConfig decode(const std::string& text) {
    return RecognizerConfig::fromJson(json::Reader(json::parse(text)));
}
}  // namespace

TEST(RecognizerConfig, defaultsEncodeToTheirShortestNumbers) {
    EXPECT_EQ(RecognizerConfig().toJson().dump(),
              R"({"cornerSize":0.15,"holdDuration":1.2,"holdTravel":0.06,"maxTapDuration":0.3,"maxTravel":0.03,)"
              R"("multiTapInterval":0.25})");
}

TEST(RecognizerConfig, eachMissingOrNullMemberTakesItsOwnDefault) {
    RecognizerConfig corner;
    corner.cornerSize = 0.2f;
    RecognizerConfig hold;
    hold.holdDuration = 2;
    RecognizerConfig negative;
    negative.maxTravel = -1;
    EXPECT_EQ(decode("{}"), RecognizerConfig());
    EXPECT_EQ(decode(R"({"maxTravel":null})"), RecognizerConfig());
    EXPECT_EQ(decode(R"({"cornerSize":0.2,"other":"x"})"), corner);
    EXPECT_EQ(decode(R"({"holdDuration":2})"), hold);
    EXPECT_EQ(decode(R"({"maxTravel":-1})"), negative);  // nothing is clamped
}

TEST(RecognizerConfig, aMemberOfTheWrongKindFails) {
    EXPECT_THROW(decode(R"({"maxTapDuration":"0.3"})"), ConfigDecodeError);
    EXPECT_THROW(decode(R"({"cornerSize":true})"), ConfigDecodeError);
    EXPECT_THROW(decode(R"([])"), ConfigDecodeError);
}

TEST(RecognizerConfig, nonFiniteValuesAreNeverWritten) {
    RecognizerConfig c;
    c.multiTapInterval = NAN;
    EXPECT_THROW(c.toJson(), JsonEncodeError);
}

TEST(Calibration, fitsTapsAndHoldsWithinTheirBounds) {
    using Calibration::fit;
    const RecognizerConfig base;

    const auto a = fit({{0.1, 0.004f}, {0.2, 0.012f}}, {}, base);
    EXPECT_NEAR(a.maxTapDuration, 0.26, 1e-12);
    EXPECT_FLOAT_EQ(a.maxTravel, 0.024f);
    EXPECT_EQ(a.holdDuration, 1.2);
    EXPECT_EQ(a.holdTravel, base.holdTravel);
    EXPECT_EQ(a.multiTapInterval, base.multiTapInterval);
    EXPECT_EQ(a.cornerSize, base.cornerSize);

    const auto b = fit({{1.0, 0}}, {}, base);
    EXPECT_EQ(b.maxTapDuration, 1.2);
    EXPECT_FLOAT_EQ(b.maxTravel, 0.02f);
    EXPECT_DOUBLE_EQ(b.holdDuration, 1.45);  // the base's 1.2 is raised to the floor

    EXPECT_DOUBLE_EQ(fit({{1.0, 0}}, {1.0, 3.0}, base).holdDuration, 1.45);
    EXPECT_DOUBLE_EQ(fit({{0.1, 0}}, {2.0, 3.0}, base).holdDuration, 1.5);
    EXPECT_EQ(fit({}, {0.2}, base), base);

    // The other two bounds: a very short tap, a tap that travelled far.
    const auto c = fit({{0.05, 0.05f}}, {}, base);
    EXPECT_EQ(c.maxTapDuration, 0.15);
    EXPECT_EQ(c.maxTravel, 0.06f);
    EXPECT_DOUBLE_EQ(fit({{0.05, 0}}, {0.4}, base).holdDuration, 0.4);  // the floor is 0.15 + 0.25
}
