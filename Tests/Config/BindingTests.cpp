#include "Config/Binding.h"

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"

using namespace velorin;

namespace {

const char* const uuidText = "3F2504E0-4F89-41D3-9A0C-0305E82C3301";

Binding decode(const std::string& text) {
    const Json doc = json::parse(text);
    return Binding::fromJson(json::Reader(doc));
}

std::string decodeError(const std::string& text) {
    try {
        decode(text);
    } catch (const ConfigDecodeError& e) {
        return e.description();
    }
    return "no error";
}

std::string minimal(const std::string& extra = "") {
    return std::string(R"({"id": ")") + uuidText +
           R"(", "gesture": {"tap": {"fingers": 3, "count": 1}}, "action": {"media": {"_0": "playPause"}})" + extra +
           "}";
}

}  // namespace

TEST(BindingStoredForm, absentAndNullKeysTakeTheirDefaults) {
    for (const std::string extra : {"", R"(, "enabled": null, "title": null, "apps": null)"}) {
        const Binding b = decode(minimal(extra));
        EXPECT_EQ(b.id.string(), uuidText);
        EXPECT_EQ(b.gesture, Gesture::tap(3, 1));
        EXPECT_EQ(b.action, Action::media(MediaKey::playPause));
        EXPECT_TRUE(b.enabled) << extra;
        EXPECT_TRUE(b.apps.empty()) << extra;
        EXPECT_FALSE(b.title) << extra;
    }
}

TEST(BindingStoredForm, writesEveryKeyButAnAbsentTitle) {
    const Json written = decode(minimal()).toJson();
    EXPECT_EQ(written.at("enabled"), true);
    EXPECT_EQ(written.at("apps"), Json::array());
    EXPECT_FALSE(written.contains("title"));
    EXPECT_EQ(written.at("id"), uuidText);

    Binding titled = decode(minimal(R"(, "title": "Open Claude from anywhere", "apps": ["com.apple.Safari"])"));
    EXPECT_EQ(titled.toJson().at("title"), "Open Claude from anywhere");
    EXPECT_EQ(decode(titled.toJson().dump()), titled);
}

TEST(BindingStoredForm, readsLowerCaseIdsAndWritesUpperCase) {
    std::string text = minimal();
    const std::string lower = "3f2504e0-4f89-41d3-9a0c-0305e82c3301";
    text.replace(text.find(uuidText), lower.size(), lower);
    const Binding b = decode(text);
    EXPECT_EQ(b.toJson().at("id"), uuidText);
}

TEST(BindingStoredForm, wrongValuesFailTheRead) {
    struct Case {
        const char* name;
        std::string text;
        const char* path;  // where the error points
    };
    const Case cases[] = {
        {"no id", R"({"gesture": {"hold": {"fingers": 3}}, "action": {"media": {"_0": "next"}}})", ""},
        {"id not a UUID", R"({"id": "not-a-uuid", "gesture": {"hold": {"fingers": 3}}, "action": {"media": {"_0": "next"}}})",
         "id"},
        {"id of the wrong length", std::string(R"({"id": ")") + uuidText + R"(0", "gesture": {"hold": {"fingers": 3}}, "action": {"media": {"_0": "next"}}})",
         "id"},
        {"apps a number", minimal(R"(, "apps": 3)"), "apps"},
        {"apps holding a number", minimal(R"(, "apps": ["com.apple.Safari", 3])"), "apps[1]"},
        {"enabled a string", minimal(R"(, "enabled": "yes")"), "enabled"},
        {"title a number", minimal(R"(, "title": 1)"), "title"},
        {"no gesture", std::string(R"({"id": ")") + uuidText + R"(", "action": {"media": {"_0": "next"}}})", ""},
        {"gesture with two kinds",
         std::string(R"({"id": ")") + uuidText +
             R"(", "gesture": {"hold": {"fingers": 3}, "tap": {"fingers": 1, "count": 1}}, "action": {"media": {"_0": "next"}}})",
         "gesture"},
        {"unknown action", std::string(R"({"id": ")") + uuidText + R"(", "gesture": {"hold": {"fingers": 3}}, "action": {"fly": {}}})",
         "action"},
    };
    for (const auto& c : cases) {
        const std::string error = decodeError(c.text);
        EXPECT_NE(error, "no error") << c.name;
        if (*c.path) {
            EXPECT_NE(error.find(std::string("(at ") + c.path), std::string::npos) << c.name << ": " << error;
        }
    }
}

TEST(BindingStoredForm, unknownKeysAreIgnored) {
    const Binding b = decode(minimal(R"(, "note": {"anything": [1, 2]})"));
    EXPECT_FALSE(b.toJson().contains("note"));
}

TEST(BindingScope, appliesToTheFrontApp) {
    const Binding everywhere = fixtures::binding(Gesture::tap(3, 1), fixtures::press(0));
    const Binding safari = fixtures::binding(Gesture::tap(3, 1), fixtures::press(0), {"com.apple.Safari"});
    const Binding two = fixtures::binding(Gesture::tap(3, 1), fixtures::press(0), {"com.figma.Desktop", "com.apple.Safari"});
    struct Case {
        const Binding* binding;
        std::optional<std::string_view> front;
        bool applies;
    };
    const Case cases[] = {
        {&everywhere, std::nullopt, true},
        {&everywhere, "com.apple.Safari", true},
        {&safari, std::nullopt, false},
        {&safari, "com.apple.Safari", true},
        {&safari, "com.apple.safari", false},
        {&safari, "com.apple.Safari ", false},
        {&two, "com.apple.Safari", true},
        {&two, "com.google.Chrome", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.binding->applies(c.front), c.applies) << c.front.value_or("(none)");
    }
    EXPECT_TRUE(everywhere.isGlobal());
    EXPECT_FALSE(safari.isGlobal());
}

TEST(BindingValue, bindingsThatDifferOnlyInIdAreDistinct) {
    const Binding a = fixtures::binding(Gesture::hold(3), fixtures::press(1), {"com.apple.Safari"});
    Binding b = a;
    EXPECT_EQ(a, b);
    EXPECT_EQ(std::hash<Binding>{}(a), std::hash<Binding>{}(b));
    b.id = Uuid::generate();
    EXPECT_NE(a, b);

    Binding titled = a;
    titled.title = "";
    EXPECT_NE(a, titled);  // an empty title is still a title
}

TEST(BindingSourceValue, casesAndPayloads) {
    EXPECT_EQ(BindingSource::mine(), BindingSource::mine());
    EXPECT_EQ(BindingSource::pack("claude", "Claude"), BindingSource::pack("claude", "Claude"));
    EXPECT_NE(BindingSource::pack("claude", "Claude"), BindingSource::pack("claude", "Claude (mine)"));
    EXPECT_NE(BindingSource::pack("claude", "Claude"), BindingSource::mine());
    ASSERT_NE(BindingSource::pack("a", "b").asPack(), nullptr);
    EXPECT_EQ(BindingSource::pack("a", "b").asPack()->name, "b");
    EXPECT_TRUE(BindingSource::mine().isMine());
    EXPECT_EQ(BindingSource::mine().asPack(), nullptr);
}
