#include "Actions/Action.h"

#include <gtest/gtest.h>

#include <unordered_set>

using namespace velorin;
using M = KeyCombo::Modifiers;

namespace {

Action decode(const std::string& text) {
    const Json doc = json::parse(text);
    return Action::fromJson(json::Reader(doc, "bindings[0].action"));
}

std::string decodeError(const std::string& text) {
    try {
        decode(text);
    } catch (const ConfigDecodeError& e) {
        return e.description();
    }
    return "decoded";
}

// One action of every case, with the exact stored text of each.
struct StoredCase {
    Action action;
    const char* json;
};
const StoredCase everyCase[] = {
    {Action::openApp("com.apple.Safari", false), R"({"openApp":{"bundleID":"com.apple.Safari","toggle":false}})"},
    {Action::openApp("com.apple.Notes", true), R"({"openApp":{"bundleID":"com.apple.Notes","toggle":true}})"},
    {Action::keystroke({8, M::command}), R"({"keystroke":{"_0":{"keyCode":8,"modifiers":1}}})"},
    {Action::window(WindowCommand::nextDisplay), R"({"window":{"_0":"nextDisplay"}})"},
    {Action::media(MediaKey::volumeDown), R"({"media":{"_0":"volumeDown"}})"},
    {Action::menuItem({{"File", "Export", "PDF…"}, KeyCombo{35, {M::command, M::shift}}}),
     R"({"menuItem":{"_0":{"key":{"keyCode":35,"modifiers":3},"path":["File","Export","PDF…"]}}})"},
    {Action::menuItem({{"Edit", "Paste"}}), R"({"menuItem":{"_0":{"path":["Edit","Paste"]}}})"},
    {Action::system(SystemCommand::brightnessDown), R"({"system":{"_0":"brightnessDown"}})"},
    {Action::open("  ~/Documents "), R"({"open":{"url":"  ~/Documents "}})"},
    {Action::shortcut("Morning"), R"({"shortcut":{"name":"Morning"}})"},
};

}  // namespace

TEST(ActionStoredForm, everyCaseWritesItsFormAndReadsBack) {
    for (const auto& c : everyCase) {
        EXPECT_EQ(c.action.toJson().dump(), c.json);
        EXPECT_EQ(decode(c.json), c.action) << c.json;
    }
}

TEST(ActionStoredForm, lenientReads) {
    struct Case {
        const char* name;
        const char* json;
        Action expected;
    };
    const Case cases[] = {
        {"unknown outer members don't count", R"({"note":1,"open":{"url":"x"},"extra":{"shortcut":{}}})",
         Action::open("x")},
        {"unknown inner members are ignored", R"({"shortcut":{"name":"A","icon":3}})", Action::shortcut("A")},
        {"menu key null is no key", R"({"menuItem":{"_0":{"path":["A"],"key":null}}})",
         Action::menuItem({{"A"}})},
        {"empty menu path", R"({"menuItem":{"_0":{"path":[]}}})", Action::menuItem({})},
        {"open text is kept untrimmed", R"({"open":{"url":" \n"}})", Action::open(" \n")},
    };
    for (const auto& c : cases) EXPECT_EQ(decode(c.json), c.expected) << c.name;
    // A menu command without a key is written back without "key".
    EXPECT_EQ(decode(R"({"menuItem":{"_0":{"path":["A"],"key":null}}})").toJson().dump(),
              R"({"menuItem":{"_0":{"path":["A"]}}})");
}

TEST(ActionStoredForm, malformedFormsFailWithTheirReason) {
    struct Case {
        const char* name;
        const char* json;
        const char* error;
    };
    const Case cases[] = {
        {"no known member", R"({"launch":{"bundleID":"a"}})",
         "Invalid number of keys found, expected one. (at bindings[0].action)"},
        {"empty object", R"({})", "Invalid number of keys found, expected one. (at bindings[0].action)"},
        {"two known members", R"({"open":{"url":"a"},"shortcut":{"name":"b"}})",
         "Invalid number of keys found, expected one. (at bindings[0].action)"},
        {"a null member still counts", R"({"open":null,"shortcut":{"name":"b"}})",
         "Invalid number of keys found, expected one. (at bindings[0].action)"},
        {"not an object", R"("open")", "Expected an object but found a string (at bindings[0].action)"},
        {"payload not an object", R"({"open":"https://a"})",
         "Expected an object but found a string (at bindings[0].action.open)"},
        {"payload null", R"({"open":null})", "Expected an object but found null (at bindings[0].action.open)"},
        {"openApp without toggle", R"({"openApp":{"bundleID":"a"}})",
         "No value for key \"toggle\" (at bindings[0].action.openApp)"},
        {"openApp toggle of wrong kind", R"({"openApp":{"bundleID":"a","toggle":1}})",
         "Expected a boolean but found a number (at bindings[0].action.openApp.toggle)"},
        {"window case in another letter case", R"({"window":{"_0":"LeftHalf"}})",
         "Cannot initialize WindowCommand from invalid String value LeftHalf (at bindings[0].action.window._0)"},
        {"unknown media key", R"({"media":{"_0":"stop"}})",
         "Cannot initialize MediaKey from invalid String value stop (at bindings[0].action.media._0)"},
        {"unknown system command", R"({"system":{"_0":"reboot"}})",
         "Cannot initialize SystemCommand from invalid String value reboot (at bindings[0].action.system._0)"},
        {"keystroke without payload", R"({"keystroke":{}})",
         "No value for key \"_0\" (at bindings[0].action.keystroke)"},
        {"keystroke modifiers out of range", R"({"keystroke":{"_0":{"keyCode":1,"modifiers":300}}})",
         "Number 300 does not fit (at bindings[0].action.keystroke._0.modifiers)"},
        {"menu path missing", R"({"menuItem":{"_0":{}}})",
         "No value for key \"path\" (at bindings[0].action.menuItem._0)"},
        {"menu title not text", R"({"menuItem":{"_0":{"path":["File",2]}}})",
         "Expected a string but found a number (at bindings[0].action.menuItem._0.path[1])"},
        {"open without url", R"({"open":{}})", "No value for key \"url\" (at bindings[0].action.open)"},
        {"shortcut name of wrong kind", R"({"shortcut":{"name":false}})",
         "Expected a string but found a boolean (at bindings[0].action.shortcut.name)"},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeError(c.json), c.error) << c.name;
}

TEST(ActionStoredForm, invalidKeyCountMessageAtTheRoot) {
    try {
        const Json doc = json::parse("{}");
        Action::fromJson(json::Reader(doc));
        FAIL() << "decoded";
    } catch (const ConfigDecodeError& e) {
        EXPECT_EQ(e.message(), "Invalid number of keys found, expected one.");
        EXPECT_EQ(e.path(), "");
        EXPECT_EQ(e.description(), "Invalid number of keys found, expected one.");
    }
}

TEST(ActionDescription, oneLinePerCase) {
    struct Case {
        Action action;
        const char* text;
    };
    const Case cases[] = {
        {Action::openApp("com.apple.Safari", false), "Open com.apple.Safari"},
        {Action::openApp("com.apple.Safari", true), "Toggle com.apple.Safari"},
        {Action::keystroke({200, {}}), "Press key 200"},
        {Action::keystroke(KeyCombo::screenshot), "Press \u21E7\u23184"},
        {Action::window(WindowCommand::leftHalf), "Window: leftHalf"},
        {Action::media(MediaKey::playPause), "Media: playPause"},
        {Action::menuItem({{"View", "Zoom In"}}), "Menu: View \u25B8 Zoom In"},
        {Action::menuItem({{"File", "Export", "PDF"}}), "Menu: File \u25B8 Export \u25B8 PDF"},
        {Action::menuItem({}), "Menu: "},
        {Action::system(SystemCommand::darkMode), "System: darkMode"},
        {Action::open(" example.com"), "Open  example.com"},
        {Action::shortcut("Morning"), "Shortcut: Morning"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.action.description(), c.text);
}

TEST(ActionValue, equalityAndHashingFollowCaseAndPayload) {
    EXPECT_NE(Action::openApp("a", false), Action::openApp("a", true));
    EXPECT_NE(Action::open("x"), Action::shortcut("x"));
    EXPECT_NE(Action::menuItem({{"A", "B"}}), Action::menuItem({{"A", "B"}, KeyCombo{1, {}}}));
    EXPECT_EQ(Action::menuItem({{"A", "B"}}), Action::menuItem({{"A", "B"}, std::nullopt}));
    EXPECT_EQ(Action::keystroke({1, M::command}).kind(), Action::Kind::keystroke);
    ASSERT_NE(Action::media(MediaKey::mute).as<Action::Media>(), nullptr);
    EXPECT_EQ(Action::media(MediaKey::mute).as<Action::Media>()->key, MediaKey::mute);
    EXPECT_EQ(Action::media(MediaKey::mute).as<Action::Window>(), nullptr);

    std::unordered_set<Action> set;
    for (const auto& c : everyCase) set.insert(c.action);
    for (const auto& c : everyCase) set.insert(decode(c.json));
    EXPECT_EQ(set.size(), std::size(everyCase));
    EXPECT_EQ(std::hash<Action>{}(Action::menuItem({{"A"}, KeyCombo{2, M::shift}})),
              std::hash<Action>{}(Action::menuItem({{"A"}, KeyCombo{2, M::shift}})));
}

TEST(CommandEnums, casesInDeclarationOrderWithTheirStoredTexts) {
    std::vector<std::string> window, media, system;
    for (auto c : allCases<WindowCommand>()) window.emplace_back(rawValue(c));
    for (auto c : allCases<MediaKey>()) media.emplace_back(rawValue(c));
    for (auto c : allCases<SystemCommand>()) system.emplace_back(rawValue(c));
    EXPECT_EQ(window, (std::vector<std::string>{"leftHalf", "rightHalf", "topHalf", "bottomHalf", "maximize",
                                                "center", "nextDisplay"}));
    EXPECT_EQ(media, (std::vector<std::string>{"playPause", "next", "previous", "volumeUp", "volumeDown", "mute"}));
    EXPECT_EQ(system, (std::vector<std::string>{"lockScreen", "showDesktop", "missionControl", "appWindows",
                                                "spaceLeft", "spaceRight", "sleepDisplay", "screenSaver", "darkMode",
                                                "brightnessUp", "brightnessDown"}));
    for (auto c : allCases<SystemCommand>()) EXPECT_EQ(fromRawValue<SystemCommand>(rawValue(c)), c);
    EXPECT_EQ(fromRawValue<WindowCommand>("Center"), std::nullopt);
    EXPECT_EQ(fromRawValue<MediaKey>(""), std::nullopt);
}

TEST(CommandEnums, mediaKeysCarryTheirAuxiliaryKeyTypes) {
    const std::pair<MediaKey, int> expected[] = {
        {MediaKey::playPause, 16}, {MediaKey::next, 17}, {MediaKey::previous, 18},
        {MediaKey::volumeUp, 0},   {MediaKey::volumeDown, 1}, {MediaKey::mute, 7},
    };
    for (auto [key, type] : expected) EXPECT_EQ(nxKeyType(key), type) << rawValue(key);
}

TEST(MenuCommandValue, titleIsTheLastElement) {
    EXPECT_EQ((MenuCommand{{"File", "Save"}}).title(), "Save");
    EXPECT_EQ(MenuCommand{}.title(), "");
}
