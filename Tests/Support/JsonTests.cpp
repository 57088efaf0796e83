#include "Support/Json.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace velorin;

namespace {

std::string errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const ConfigDecodeError& e) {
        return e.description();
    }
    return "no error";
}

}  // namespace

TEST(JsonReader, lenientMembersTakeFallbackForAbsentOrNull) {
    const Json doc = json::parse(R"({"a": null, "b": 2, "s": "x", "t": true})");
    json::Reader r(doc);
    EXPECT_EQ(r.integerOr<int>("a", 7), 7);
    EXPECT_EQ(r.integerOr<int>("missing", 7), 7);
    EXPECT_EQ(r.integerOr<int>("b", 7), 2);
    EXPECT_EQ(r.stringOr("s", "y"), "x");
    EXPECT_TRUE(r.boolOr("t", false));
    EXPECT_FALSE(r.has("a"));
    EXPECT_TRUE(r.has("b"));
}

TEST(JsonReader, wrongKindsFailWithTheCodingPath) {
    const Json doc = json::parse(R"({"list": [{"n": 1}, {"n": "two"}], "f": 1.5, "b": true, "big": 4294967296, "neg": -1})");
    json::Reader r(doc);
    struct Case {
        const char* name;
        std::function<void()> read;
        const char* expected;
    };
    const Case cases[] = {
        {"string for integer", [&] { r.require("list").element(1).integerOr<int>("n", 0); },
         "Expected an integer but found a string (at list[1].n)"},
        {"float for integer", [&] { r.integerOr<int>("f", 0); }, "Expected an integer but found 1.5 (at f)"},
        {"bool for integer", [&] { r.integerOr<int>("b", 0); }, "Expected an integer but found a boolean (at b)"},
        {"bool for number", [&] { r.numberOr("b", 0); }, "Expected a number but found a boolean (at b)"},
        {"out of uint32 range", [&] { r.integerOr<std::uint32_t>("big", 0); }, "Number 4294967296 does not fit (at big)"},
        {"negative for unsigned", [&] { r.integerOr<std::uint32_t>("neg", 0); }, "Number -1 does not fit (at neg)"},
        {"object for array", [&] { r.require("f").array(); }, "Expected an array but found a number (at f)"},
        {"required and absent", [&] { r.require("nope"); }, "No value for key \"nope\""},
    };
    for (const auto& c : cases) EXPECT_EQ(errorOf(c.read), c.expected) << c.name;
}

TEST(JsonReader, syntaxErrorIsADecodeError) {
    EXPECT_NE(errorOf([] { json::parse("{\"a\": "); }).find("isn't valid JSON"), std::string::npos);
}

TEST(JsonReader, numberTooLargeForADoubleIsADecodeError) {
    for (const char* text : {"1e400", "{\"a\": [-1e400]}"}) {
        EXPECT_NE(errorOf([text] { json::parse(text); }).find("isn't valid JSON"), std::string::npos) << text;
    }
}

TEST(JsonWriter, floatsUseTheirShortestTextAndNonFiniteIsRefused) {
    EXPECT_EQ(json::fromFloat(0.03f).dump(), "0.03");
    EXPECT_EQ(json::fromFloat(0.15f).dump(), "0.15");
    EXPECT_EQ(json::fromDouble(0.25).dump(), "0.25");
    EXPECT_THROW(json::fromFloat(NAN), JsonEncodeError);
    EXPECT_THROW(json::fromFloat(INFINITY), JsonEncodeError);
    EXPECT_THROW(json::fromDouble(-INFINITY), JsonEncodeError);
}

TEST(JsonWriter, prettyOutputHasSortedKeys) {
    Json j;
    j["zeta"] = 1;
    j["alpha"] = 2;
    EXPECT_EQ(json::dumpPretty(j), "{\n  \"alpha\": 2,\n  \"zeta\": 1\n}");
}
