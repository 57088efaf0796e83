#include "Config/AppConfig.h"

#include <gtest/gtest.h>

#include <cmath>

#include "Config/PackCatalog.h"
#include "ConfigTestSupport.h"

using namespace velorin;

namespace {

std::string decodeError(const std::string& text) {
    try {
        AppConfig::decode(text);
    } catch (const ConfigDecodeError& e) {
        return e.description();
    }
    return "no error";
}

}  // namespace

TEST(AppConfigDocument, emptyObjectReadsAsDefaultsNotAsTheStarter) {
    const AppConfig c = AppConfig::decode("{}");
    EXPECT_EQ(c.version, 5);
    EXPECT_TRUE(c.isEnabled);
    EXPECT_TRUE(c.bindings.empty());
    EXPECT_TRUE(c.enabledPacks.empty());
    EXPECT_TRUE(c.customPacks.empty());
    EXPECT_TRUE(c.packOverrides.empty());
    EXPECT_EQ(c.recognizer, RecognizerConfig{});
    EXPECT_NE(c, AppConfig::starter());
}

TEST(AppConfigDocument, nullKeysReadAsTheirDefaults) {
    const AppConfig c = AppConfig::decode(
        R"({"version": null, "isEnabled": null, "bindings": null, "enabledPacks": null, "customPacks": null,
            "packOverrides": null, "recognizer": null})");
    EXPECT_EQ(c, AppConfig::decode("{}"));
}

TEST(AppConfigDocument, starterHasTwoPacksOnAndDefaultTuning) {
    const AppConfig& s = AppConfig::starter();
    EXPECT_EQ(s.version, 5);
    EXPECT_TRUE(s.isEnabled);
    EXPECT_TRUE(s.bindings.empty());
    EXPECT_EQ(s.enabledPacks, (std::vector<std::string>{"everyday-mac", "claude"}));
    EXPECT_TRUE(s.customPacks.empty());
    EXPECT_TRUE(s.packOverrides.empty());
    EXPECT_EQ(s.recognizer, RecognizerConfig{});
    EXPECT_EQ(&AppConfig::starter(), &s);
}

TEST(AppConfigDocument, enabledPacksAreMigratedDedupedAndPruned) {
    const AppConfig c =
        AppConfig::decode(R"({"enabledPacks": ["browser", "safari", "claude", "claude", "no-such-pack"]})");
    EXPECT_EQ(c.enabledPacks, (std::vector<std::string>{"chrome", "safari", "dia", "arc", "brave", "claude"}));
}

TEST(AppConfigDocument, enabledCustomPackStaysOnOnlyWhenTheDocumentHoldsIt) {
    EXPECT_EQ(AppConfig::decode(R"({"enabledPacks": ["custom-1", "claude"],
                                    "customPacks": [{"id": "custom-1", "name": "Mine"}]})")
                  .enabledPacks,
              (std::vector<std::string>{"custom-1", "claude"}));
    EXPECT_EQ(AppConfig::decode(R"({"enabledPacks": ["custom-1", "claude"]})").enabledPacks,
              std::vector<std::string>{"claude"});
    // Ids are exact texts.
    EXPECT_TRUE(AppConfig::decode(R"({"enabledPacks": ["Claude", "CUSTOM-1"],
                                     "customPacks": [{"id": "custom-1", "name": "Mine"}]})")
                    .enabledPacks.empty());
}

TEST(AppConfigDocument, migratedReplacesRetiredIdsAndKeepsFirstPlaces) {
    struct Case {
        std::vector<std::string> in;
        std::vector<std::string> out;
    };
    const Case cases[] = {
        {{}, {}},
        {{"code-editors", "vscode", "claude"}, {"vscode", "cursor", "zed", "windsurf", "jetbrains", "neovim", "claude"}},
        {{"zed", "code-editors"}, {"zed", "vscode", "cursor", "windsurf", "jetbrains", "neovim"}},
        {{"browser", "browser"}, {"chrome", "safari", "dia", "arc", "brave"}},
        {{"x", "x", "y"}, {"x", "y"}},  // migration alone keeps unknown ids; the document's pruning drops them
    };
    for (const auto& c : cases) EXPECT_EQ(AppConfig::migrated(c.in), c.out);
}

TEST(AppConfigDocument, earlierHoldDefaultIsReplacedOnlyInOlderDocuments) {
    struct Case {
        const char* version;  // member text, or nullptr for no member
        double stored;
        double expected;
    };
    const Case cases[] = {
        {nullptr, 1.5, 1.2}, {"4", 1.5, 1.2}, {"0", 1.5, 1.2}, {"-3", 1.5, 1.2}, {"null", 1.5, 1.2},
        {"5", 1.5, 1.5},     {"7", 1.5, 1.5}, {nullptr, 1.6, 1.6}, {"4", 1.6, 1.6}, {"4", 1.2, 1.2},
    };
    for (const auto& c : cases) {
        std::string doc = "{";
        if (c.version) doc += std::string(R"("version": )") + c.version + ", ";
        doc += R"("recognizer": {"holdDuration": )" + Json(c.stored).dump() + R"(, "maxTapDuration": 1.5}})";
        const AppConfig config = AppConfig::decode(doc);
        EXPECT_EQ(config.recognizer.holdDuration, c.expected) << doc;
        EXPECT_EQ(config.recognizer.maxTapDuration, 1.5) << "only the hold duration migrates";
        EXPECT_EQ(config.version, 5) << doc;
    }
    // An older document without a recogniser has nothing stored to migrate.
    EXPECT_EQ(AppConfig::decode(R"({"version": 3})").recognizer, RecognizerConfig{});
}

TEST(AppConfigDocument, wrongValuesFailTheWholeRead) {
    struct Case {
        const char* text;
        const char* where;
    };
    const Case cases[] = {
        {"null", ""},
        {"[]", ""},
        {R"("config")", ""},
        {"", ""},
        {R"({"isEnabled": "no"})", "isEnabled"},
        {R"({"version": "5"})", "version"},
        {R"({"version": 5.5})", "version"},
        {R"({"bindings": {}})", "bindings"},
        {R"({"bindings": [{"id": "x"}]})", "bindings[0].id"},
        {R"({"enabledPacks": ["claude", 2]})", "enabledPacks[1]"},
        {R"({"customPacks": [{"id": "custom-1", "name": "Mine", "category": "Work"}]})", "customPacks[0].category"},
        {R"({"packOverrides": []})", "packOverrides"},
        {R"({"packOverrides": {"claude": null}})", "packOverrides.claude"},
        {R"({"packOverrides": {"claude": [{}]}})", "packOverrides.claude[0]"},
        {R"({"recognizer": "fast"})", "recognizer"},
        {R"({"recognizer": {"maxTapDuration": "0.3"}})", "recognizer.maxTapDuration"},
        {R"({"isEnabled": true,})", ""},
    };
    for (const auto& c : cases) {
        const std::string error = decodeError(c.text);
        EXPECT_NE(error, "no error") << c.text;
        if (*c.where) {
            EXPECT_NE(error.find(std::string("(at ") + c.where + ")"), std::string::npos) << error;
        }
    }
}

TEST(AppConfigDocument, overridesOfAnyIdAreKeptAndWrittenBack) {
    const AppConfig c = AppConfig::decode(R"({"packOverrides": {"retired-pack": [], "claude": []}})");
    ASSERT_EQ(c.packOverrides.size(), 2u);
    EXPECT_TRUE(c.packOverrides.at("retired-pack").empty());
    EXPECT_EQ(c.toJson().at("packOverrides"), Json::parse(R"({"claude": [], "retired-pack": []})"));
}

TEST(AppConfigDocument, writesEverySevenKeysAndReadsBackEqual) {
    AppConfig c = AppConfig::starter();
    c.isEnabled = false;
    c.bindings = {fixtures::binding(Gesture::tap(3, 2), fixtures::press(8), {"com.apple.Safari"}),
                  fixtures::binding(Gesture::cornerTap(Gesture::Corner::bottomLeft), Action::system(SystemCommand::lockScreen))};
    c.bindings[1].title = "Lock";
    Pack mine = Pack::newCustom({"com.figma.Desktop"});
    mine.bindings = {fixtures::binding(Gesture::hold(3), fixtures::press(2), {"com.figma.Desktop"})};
    c.customPacks = {mine};
    c.enabledPacks = {mine.id, "claude"};
    c.packOverrides["claude"] = {fixtures::binding(Gesture::tap(4, 1), Action::openApp("com.anthropic.claudefordesktop", true))};
    c.recognizer.maxTravel = 0.03f;
    c.recognizer.cornerSize = 0.2f;

    const Json written = c.toJson();
    std::vector<std::string> keys;
    for (const auto& [k, v] : written.items()) keys.push_back(k);
    EXPECT_EQ(keys, (std::vector<std::string>{"bindings", "customPacks", "enabledPacks", "isEnabled", "packOverrides",
                                              "recognizer", "version"}));
    EXPECT_EQ(written.at("version"), 5);
    EXPECT_EQ(AppConfig::decode(json::dumpPretty(written)), c);
}

TEST(AppConfigDocument, higherVersionIsReadAndWrittenAsFive) {
    const AppConfig c = AppConfig::decode(R"({"version": 7})");
    EXPECT_EQ(c.version, 5);
    EXPECT_EQ(c.toJson().at("version"), 5);
}

TEST(AppConfigDocument, numbersThatAreNotFiniteAreNeverWritten) {
    for (double bad : {NAN, INFINITY, -INFINITY}) {
        AppConfig c;
        c.recognizer.holdDuration = bad;
        EXPECT_THROW(c.toJson(), JsonEncodeError);
        AppConfig f;
        f.recognizer.cornerSize = static_cast<float>(bad);
        EXPECT_THROW(f.toJson(), JsonEncodeError);
    }
}

TEST(AppConfigDocument, equalityComparesEveryField) {
    const AppConfig base = AppConfig::starter();
    std::vector<AppConfig> changed(7, base);
    changed[0].version = 4;
    changed[1].isEnabled = false;
    changed[2].bindings.push_back(fixtures::binding(Gesture::hold(2), fixtures::press(1)));
    changed[3].enabledPacks = {"claude", "everyday-mac"};
    changed[4].customPacks.push_back(Pack::newCustom({}));
    changed[5].packOverrides["claude"] = {};
    changed[6].recognizer.multiTapInterval = 0.3;
    for (std::size_t i = 0; i < changed.size(); ++i) EXPECT_NE(changed[i], base) << i;
}
