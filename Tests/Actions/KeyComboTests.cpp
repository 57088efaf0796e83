#include "Actions/KeyCombo.h"

#include <gtest/gtest.h>

#include <set>
#include <unordered_set>

using namespace velorin;
using M = KeyCombo::Modifiers;

namespace {

std::string decodeError(const std::string& text) {
    try {
        const Json doc = json::parse(text);
        KeyCombo::fromJson(json::Reader(doc, "key"));
    } catch (const ConfigDecodeError& e) {
        return e.description();
    }
    return "decoded";
}

}  // namespace

TEST(KeyComboDescription, glyphsInFixedOrderThenFnThenName) {
    struct Case {
        KeyCombo combo;
        const char* text;
    };
    const Case cases[] = {
        {{49, {}}, "Space"},
        {{36, {}}, "\u21A9"},
        {{48, {}}, "\u21E5"},
        {{51, M::command}, "\u2318\u232B"},
        {{53, {}}, "\u238B"},
        {{123, M::control}, "\u2303\u2190"},
        {{124, M::control}, "\u2303\u2192"},
        {{21, {M::command, M::shift}}, "\u21E7\u23184"},
        {{200, M::control}, "\u2303key 200"},
        {{122, M::function}, "fn F1"},
        {{0, {M::command, M::shift, M::option, M::control, M::function}}, "\u2303\u2325\u21E7\u2318fn A"},
        {{10, {}}, "key 10"},
        {{42, M::option}, "\u2325\\"},
        {{50, {}}, "`"},
        {{126, M(0xE0)}, "\u2191"},  // meaningless bits are not shown
        {{115, M::command}, "\u2318key 115"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.combo.description(), c.text) << c.combo.keyCode;
}

TEST(KeyComboDescription, presetsHaveTheirTexts) {
    EXPECT_EQ(KeyCombo::missionControl.description(), "\u2303\u2191");
    EXPECT_EQ(KeyCombo::appExpose.description(), "\u2303\u2193");
    EXPECT_EQ(KeyCombo::spotlight.description(), "\u2318Space");
    EXPECT_EQ(KeyCombo::screenshot.description(), "\u21E7\u23184");
    EXPECT_EQ(KeyCombo::screenshot, (KeyCombo{21, M(3)}));
}

TEST(KeyComboNames, tableHasSixtyEightKeysAndIsStable) {
    const auto& names = KeyCombo::names();
    EXPECT_EQ(names.size(), 68u);
    EXPECT_EQ(&names, &KeyCombo::names());
    std::set<std::string> distinct;
    for (const auto& [code, name] : names) distinct.insert(name);
    EXPECT_EQ(distinct.size(), 68u) << "two codes share a name";
    int letters = 0;
    for (char c = 'A'; c <= 'Z'; ++c) letters += distinct.count(std::string(1, c)) ? 1 : 0;
    EXPECT_EQ(letters, 26);
    EXPECT_EQ(KeyCombo::name(45), "N");
    EXPECT_EQ(KeyCombo::name(111), "F12");
    EXPECT_EQ(KeyCombo::name(42), "\\");
    EXPECT_FALSE(KeyCombo::name(10));
    EXPECT_FALSE(KeyCombo::name(117));
}

TEST(KeyComboModifiers, setOperationsKeepEveryBit) {
    M m{M::command, M::shift};
    EXPECT_EQ(m.rawValue, 3);
    EXPECT_TRUE(m.contains(M::command));
    EXPECT_FALSE(m.contains(M::option));
    EXPECT_TRUE(M(M::shift).isSubset(m));
    EXPECT_TRUE(m.isDisjoint(M::control));
    m.insert(M(0x80));
    EXPECT_EQ(m.rawValue, 0x83);
    m.remove(M::command);
    EXPECT_EQ(m.rawValue, 0x82);
    EXPECT_EQ((m ^ M::shift).rawValue, 0x80);
    EXPECT_EQ((m & M(0x0F)).rawValue, 0x02);
    EXPECT_TRUE(M().isEmpty());
    // Equality and hashing see the whole byte, meaningless bits included.
    EXPECT_NE((KeyCombo{1, M(0x20)}), (KeyCombo{1, M()}));
    std::unordered_set<KeyCombo> set{{1, M(0x20)}, {1, M()}, {1, M()}};
    EXPECT_EQ(set.size(), 2u);
}

TEST(KeyComboStoredForm, decodesAndWritesBackUnchanged) {
    struct Case {
        const char* json;
        KeyCombo combo;
    };
    const Case cases[] = {
        {R"({"keyCode":8,"modifiers":9})", {8, {M::command, M::control}}},
        {R"({"keyCode":65535,"modifiers":255})", {65535, M(255)}},
        {R"({"keyCode":0,"modifiers":32})", {0, M(32)}},
    };
    for (const auto& c : cases) {
        const Json doc = json::parse(c.json);
        const KeyCombo decoded = KeyCombo::fromJson(json::Reader(doc));
        EXPECT_EQ(decoded, c.combo) << c.json;
        EXPECT_EQ(decoded.toJson().dump(), c.json);
    }
    // Unknown members are ignored.
    const Json extra = json::parse(R"({"keyCode":1,"modifiers":0,"other":true})");
    EXPECT_EQ(KeyCombo::fromJson(json::Reader(extra)), (KeyCombo{1, {}}));
}

TEST(KeyComboStoredForm, outOfRangeOrMissingFails) {
    struct Case {
        const char* json;
        const char* error;
    };
    const Case cases[] = {
        {R"({"keyCode":1,"modifiers":256})", "Number 256 does not fit (at key.modifiers)"},
        {R"({"keyCode":1,"modifiers":-1})", "Number -1 does not fit (at key.modifiers)"},
        {R"({"keyCode":65536,"modifiers":0})", "Number 65536 does not fit (at key.keyCode)"},
        {R"({"keyCode":1})", "No value for key \"modifiers\" (at key)"},
        {R"({"modifiers":1})", "No value for key \"keyCode\" (at key)"},
        {R"({"keyCode":"1","modifiers":0})", "Expected an integer but found a string (at key.keyCode)"},
        {R"({"keyCode":1.5,"modifiers":0})", "Expected an integer but found 1.5 (at key.keyCode)"},
        {R"([1, 0])", "Expected an object but found an array (at key)"},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeError(c.json), c.error) << c.json;
}
