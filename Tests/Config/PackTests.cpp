#include "Config/Pack.h"

#include <gtest/gtest.h>

#include <cctype>

#include "ConfigTestSupport.h"

using namespace velorin;

namespace {

Pack decode(const std::string& text) {
    const Json doc = json::parse(text);
    return Pack::fromJson(json::Reader(doc));
}

bool decodes(const std::string& text) {
    try {
        decode(text);
        return true;
    } catch (const ConfigDecodeError&) {
        return false;
    }
}

bool isCustomId(const std::string& id) {
    if (id.rfind("custom-", 0) != 0 || id.size() != 7 + 36) return false;
    const std::string uuid = id.substr(7);
    if (!Uuid::parse(uuid)) return false;
    for (char c : uuid) {
        if (std::isupper(static_cast<unsigned char>(c))) return false;
    }
    return true;
}

}  // namespace

TEST(PackCategory, casesTitlesAndRawTexts) {
    struct Case {
        Pack::Category category;
        const char* raw;
        const char* title;
    };
    const Case cases[] = {
        {Pack::Category::general, "general", "General"},   {Pack::Category::ai, "ai", "AI"},
        {Pack::Category::browsers, "browsers", "Browsers"}, {Pack::Category::code, "code", "Code"},
        {Pack::Category::creative, "creative", "Creative"}, {Pack::Category::work, "work", "Notes & work"},
        {Pack::Category::social, "social", "Chat & music"},
    };
    const auto& all = allCases<Pack::Category>();
    ASSERT_EQ(all.size(), std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(all[i], cases[i].category);
        EXPECT_EQ(rawValue(cases[i].category), cases[i].raw);
        EXPECT_EQ(Pack::title(cases[i].category), cases[i].title);
        EXPECT_EQ(fromRawValue<Pack::Category>(cases[i].raw), cases[i].category);
    }
    for (const char* other : {"Work", "General", "", "music"}) {
        EXPECT_FALSE(fromRawValue<Pack::Category>(other)) << other;
    }
}

TEST(PackStoredForm, onlyIdAndNameReadWithDefaults) {
    const Pack p = decode(R"({"id": "custom-x", "name": "Mine"})");
    EXPECT_EQ(p.id, "custom-x");
    EXPECT_EQ(p.name, "Mine");
    EXPECT_EQ(p.summary, "");
    EXPECT_EQ(p.symbol, "square.stack.3d.up");
    EXPECT_TRUE(p.apps.empty());
    EXPECT_TRUE(p.bindings.empty());
    EXPECT_TRUE(p.library.empty());
    EXPECT_TRUE(p.iconApps.empty());
    EXPECT_EQ(p.category, Pack::Category::general);
    EXPECT_FALSE(p.custom);
    EXPECT_FALSE(p.accent);

    const Json written = p.toJson();
    for (const char* key :
         {"id", "name", "summary", "symbol", "apps", "bindings", "library", "iconApps", "category", "custom"}) {
        EXPECT_TRUE(written.contains(key)) << key;
    }
    EXPECT_FALSE(written.contains("accent"));
    EXPECT_EQ(written.at("category"), "general");
}

TEST(PackStoredForm, missingIconAppsTakeThePacksApps) {
    EXPECT_EQ(decode(R"({"id": "a", "name": "A", "apps": ["com.figma.Desktop"]})").iconApps,
              std::vector<std::string>{"com.figma.Desktop"});
    EXPECT_EQ(decode(R"({"id": "a", "name": "A", "apps": ["com.figma.Desktop"], "iconApps": null})").iconApps,
              std::vector<std::string>{"com.figma.Desktop"});
    EXPECT_TRUE(decode(R"({"id": "a", "name": "A", "apps": ["com.figma.Desktop"], "iconApps": []})").iconApps.empty());
}

TEST(PackStoredForm, valuesAcceptedAndRefused) {
    struct Case {
        const char* members;
        bool decodes;
    };
    const Case cases[] = {
        {R"("category": "work")", true},
        {R"("category": "Work")", false},
        {R"("category": 3)", false},
        {R"("accent": 0)", true},
        {R"("accent": 4294967295)", true},
        {R"("accent": 4294967296)", false},
        {R"("accent": -1)", false},
        {R"("accent": 1.5)", false},
        {R"("accent": "0x5E5CE6")", false},
        {R"("custom": "true")", false},
        {R"("apps": "com.figma.Desktop")", false},
        {R"("bindings": [{}])", false},
        {R"("library": {})", false},
        {R"("summary": null, "symbol": null, "custom": null, "accent": null)", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(decodes(std::string(R"({"id": "a", "name": "A", )") + c.members + "}"), c.decodes) << c.members;
    }
    EXPECT_FALSE(decodes(R"({"name": "A"})"));
    EXPECT_FALSE(decodes(R"({"id": "a"})"));
    EXPECT_FALSE(decodes(R"({"id": 1, "name": "A"})"));
    EXPECT_EQ(decode(R"({"id": "a", "name": "A", "category": "work"})").category, Pack::Category::work);
    EXPECT_EQ(decode(R"({"id": "a", "name": "A", "accent": 4294967295})").accent, 4294967295u);
}

TEST(PackStoredForm, roundTripKeepsEveryField) {
    Pack p = fixtures::pack("custom-abc",
                           {fixtures::binding(Gesture::tap(3, 2), fixtures::press(3), {"com.apple.Safari"})},
                           {fixtures::binding(Gesture::hold(4), Action::media(MediaKey::next), {}, false)});
    p.summary = "Mine.";
    p.apps = {"com.apple.Safari"};
    p.iconApps = {"com.apple.Safari", "com.figma.Desktop"};
    p.category = Pack::Category::social;
    p.custom = true;
    p.accent = 0x000001;
    EXPECT_EQ(decode(p.toJson().dump()), p);
    EXPECT_EQ(std::hash<Pack>{}(decode(p.toJson().dump())), std::hash<Pack>{}(p));
}

TEST(PackNewCustom, isAnEmptyPackOfTheUsersOwn) {
    const std::vector<std::string> apps{"com.apple.Safari", "com.figma.Desktop"};
    const Pack p = Pack::newCustom(apps);
    EXPECT_TRUE(isCustomId(p.id)) << p.id;
    EXPECT_EQ(p.name, "");
    EXPECT_EQ(p.summary, "");
    EXPECT_EQ(p.symbol, "square.stack.3d.up");
    EXPECT_EQ(p.apps, apps);
    EXPECT_EQ(p.iconApps, apps);
    EXPECT_TRUE(p.bindings.empty());
    EXPECT_TRUE(p.library.empty());
    EXPECT_EQ(p.category, Pack::Category::general);
    EXPECT_TRUE(p.custom);
    EXPECT_EQ(p.accent, 0x5E5CE6u);
    EXPECT_NE(Pack::newCustom(apps).id, p.id);
}

TEST(PackDuplicated, copiesShortcutsThenSparesWithNewIds) {
    const Binding on = fixtures::binding(Gesture::tap(3, 1), fixtures::press(17), {"com.apple.Safari"});
    const Binding spareOff = fixtures::binding(Gesture::tap(5, 1), fixtures::press(13), {"com.apple.Safari"}, false);
    Binding spareOn = fixtures::binding(Gesture::hold(4), fixtures::press(14), {}, true);
    spareOn.title = "Reopen";
    Pack source = fixtures::pack("safari", {on}, {spareOff, spareOn});
    source.name = "Safari";
    source.summary = "Tabs.";
    source.apps = {"com.apple.Safari"};
    source.iconApps = {"com.apple.Safari"};
    source.category = Pack::Category::browsers;

    const Pack copy = source.duplicated();
    EXPECT_TRUE(isCustomId(copy.id)) << copy.id;
    EXPECT_EQ(copy.name, "Safari (mine)");
    EXPECT_EQ(copy.summary, source.summary);
    EXPECT_EQ(copy.symbol, source.symbol);
    EXPECT_EQ(copy.apps, source.apps);
    EXPECT_EQ(copy.iconApps, source.iconApps);
    EXPECT_EQ(copy.category, Pack::Category::browsers);
    EXPECT_TRUE(copy.custom);
    EXPECT_EQ(copy.accent, 0x5E5CE6u);
    EXPECT_TRUE(copy.library.empty());

    const std::vector<Binding> expected{on, spareOff, spareOn};
    ASSERT_EQ(copy.bindings.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        Binding withSourceId = copy.bindings[i];
        EXPECT_NE(withSourceId.id, expected[i].id);
        withSourceId.id = expected[i].id;
        EXPECT_EQ(withSourceId, expected[i]) << i;  // everything else unchanged, enabled state included
    }

    EXPECT_EQ(copy.duplicated().name, "Safari (mine) (mine)");
    source.accent = 0x112233;
    EXPECT_EQ(source.duplicated().accent, 0x112233u);
}
