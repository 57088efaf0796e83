#include "Recognizer/Gesture.h"

#include <gtest/gtest.h>

#include <unordered_set>

using namespace velorin;
using Corner = Gesture::Corner;

namespace {

Gesture decode(const std::string& text) { return Gesture::fromJson(json::Reader(json::parse(text))); }

std::string decodeError(const std::string& text) {
    try {
        decode(text);
    } catch (const ConfigDecodeError& e) {
        return e.description();
    }
    return "decoded";
}

}  // namespace

TEST(GestureJson, storedFormsDecode) {
    struct Case {
        const char* text;
        Gesture expected;
    };
    const Case cases[] = {
        {R"({"tap":{"count":2,"fingers":3}})", Gesture::tap(3, 2)},
        {R"({"tap":{"fingers":3,"count":2},"note":"x"})", Gesture::tap(3, 2)},
        {R"({"tap":{"fingers":7,"count":9}})", Gesture::tap(7, 9)},
        {R"({"hold":{"fingers":2}})", Gesture::hold(2)},
        {R"({"cornerTap":{"_0":"topLeft"}})", Gesture::cornerTap(Corner::topLeft)},
        {R"({"cornerTap":{"_0":"bottomRight"},"corner":null})", Gesture::cornerTap(Corner::bottomRight)},
    };
    for (const auto& c : cases) EXPECT_EQ(decode(c.text), c.expected) << c.text;
}

TEST(GestureJson, malformedFormsFailWithTheirReason) {
    struct Case {
        const char* text;
        const char* error;
    };
    const Case cases[] = {
        {R"({})", "Invalid number of keys found, expected one."},
        {R"({"tap":{"fingers":1,"count":1},"hold":{"fingers":1}})", "Invalid number of keys found, expected one."},
        // A case member counts by its name even when its value is null.
        {R"({"cornerTap":{"_0":"bottomRight"},"hold":null})", "Invalid number of keys found, expected one."},
        {R"({"tap":null})", "Expected an object but found null (at tap)"},
        {R"({"cornerTap":{"_0":"TopLeft"}})", "Cannot initialize Corner from invalid String value TopLeft (at cornerTap._0)"},
        {R"({"cornerTap":{"corner":"topLeft"}})", "No value for key \"_0\" (at cornerTap)"},
        {R"({"tap":{"fingers":3}})", "No value for key \"count\" (at tap)"},
        {R"({"tap":{"fingers":"3","count":1}})", "Expected an integer but found a string (at tap.fingers)"},
        {R"({"hold":2})", "Expected an object but found a number (at hold)"},
        {R"([])", "Expected an object but found an array"},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeError(c.text), c.error) << c.text;
}

TEST(GestureJson, encodesExactlyThePayloadAndRoundTrips) {
    EXPECT_EQ(Gesture::tap(3, 2).toJson().dump(), R"({"tap":{"count":2,"fingers":3}})");
    EXPECT_EQ(Gesture::hold(2).toJson().dump(), R"({"hold":{"fingers":2}})");
    EXPECT_EQ(Gesture::cornerTap(Corner::topLeft).toJson().dump(), R"({"cornerTap":{"_0":"topLeft"}})");
    for (const Gesture& g : {Gesture::tap(7, 9), Gesture::hold(5), Gesture::cornerTap(Corner::bottomLeft)}) {
        const Gesture back = Gesture::fromJson(json::Reader(g.toJson()));
        EXPECT_EQ(back, g);
        EXPECT_EQ(std::hash<Gesture>{}(back), std::hash<Gesture>{}(g));
    }
}

TEST(Gesture, equalityDistinguishesCasesAndPayloads) {
    EXPECT_NE(Gesture::tap(2, 1), Gesture::hold(2));
    EXPECT_NE(Gesture::tap(2, 1), Gesture::tap(2, 2));
    EXPECT_NE(Gesture::cornerTap(Corner::topLeft), Gesture::cornerTap(Corner::topRight));
    std::unordered_set<Gesture> set{Gesture::tap(1, 1), Gesture::hold(1), Gesture::tap(1, 1)};
    EXPECT_EQ(set.size(), 2u);
}

TEST(Gesture, descriptions) {
    struct Case {
        Gesture gesture;
        const char* text;
    };
    const Case cases[] = {
        {Gesture::tap(3, 2), "3-finger double tap"},
        {Gesture::tap(1, 1), "1-finger single tap"},
        {Gesture::tap(2, 3), "2-finger triple tap"},
        {Gesture::tap(2, 5), "2-finger triple tap"},
        {Gesture::tap(2, 0), "2-finger  tap"},
        {Gesture::tap(2, -4), "2-finger  tap"},
        {Gesture::hold(4), "4-finger hold"},
        {Gesture::cornerTap(Corner::bottomRight), "corner tap (bottomRight)"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.gesture.description(), c.text);
}

TEST(GestureCorner, allCasesInOrderAndRawTextsAreCaseSensitive) {
    const std::vector<Corner> all(Gesture::allCorners.begin(), Gesture::allCorners.end());
    EXPECT_EQ(all, (std::vector<Corner>{Corner::topLeft, Corner::topRight, Corner::bottomLeft, Corner::bottomRight}));
    EXPECT_EQ(Gesture::cornerFromRaw("bottomLeft"), Corner::bottomLeft);
    EXPECT_FALSE(Gesture::cornerFromRaw("BottomLeft"));
}
