#include "Platform/Sim/SimPlatform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velorin {
namespace {

TEST(DefaultsCoercion, typedReads) {
    struct Case {
        const char* name;
        std::optional<PropertyValue> value;
        bool asBool;
        double asDouble;
    };
    const Case cases[] = {
        {"absent", std::nullopt, false, 0},
        {"true", PropertyValue{true}, true, 1},
        {"false", PropertyValue{false}, false, 0},
        {"number 0", PropertyValue{0.0}, false, 0},
        {"number 0.35", PropertyValue{0.35}, true, 0.35},
        {"text YES", PropertyValue{std::string("YES")}, true, 0},
        {"text true any case", PropertyValue{std::string("True")}, true, 0},
        {"text no", PropertyValue{std::string("no")}, false, 0},
        {"text number", PropertyValue{std::string(" 2.5 ")}, true, 2.5},
        {"text zero", PropertyValue{std::string("0")}, false, 0},
        {"text not a number", PropertyValue{std::string("2.5x")}, false, 0},
        {"empty text", PropertyValue{std::string()}, false, 0},
        {"data", PropertyValue{PropertyData{1, 2}}, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Defaults::boolValue(c.value), c.asBool);
        EXPECT_EQ(Defaults::doubleValue(c.value), c.asDouble);
    }
}

TEST(SimDefaultsTest, ownKeys_readWriteRemove_andTellObservers) {
    sim::SimPlatform sim;
    Defaults& defaults = sim.platform().defaults();
    std::vector<std::string> changed;
    ObserverToken token = defaults.addObserver([&](const std::string& key) { changed.push_back(key); });

    EXPECT_FALSE(defaults.boolForKey("showTapsOnScreen"));
    EXPECT_EQ(defaults.doubleForKey("windowSeeThrough"), 0);
    defaults.set("showTapsOnScreen", true);
    defaults.set("windowSeeThrough", 0.4);
    defaults.set("VelorinSettingsWindow", std::string("{{0, 0}, {820, 580}}"));
    EXPECT_TRUE(defaults.boolForKey("showTapsOnScreen"));
    EXPECT_EQ(defaults.doubleForKey("windowSeeThrough"), 0.4);
    EXPECT_EQ(defaults.stringForKey("VelorinSettingsWindow"), std::optional<std::string>("{{0, 0}, {820, 580}}"));
    EXPECT_EQ(defaults.stringForKey("windowSeeThrough"), std::nullopt);
    defaults.remove("showTapsOnScreen");
    defaults.remove("never-set");
    EXPECT_FALSE(defaults.object("showTapsOnScreen"));
    EXPECT_EQ(changed, (std::vector<std::string>{"showTapsOnScreen", "windowSeeThrough", "VelorinSettingsWindow",
                                                 "showTapsOnScreen"}));
    defaults.removeObserver(token);
    defaults.set("windowSeeThrough", 0.1);
    EXPECT_EQ(changed.size(), 4u);
}

TEST(SimDefaultsTest, otherDomains_areAbsentUntilSet_andApartFromOwnKeys) {
    sim::SimPlatform sim;
    Defaults& defaults = sim.platform().defaults();
    const std::string trackpad = "com.apple.AppleMultitouchTrackpad";
    EXPECT_FALSE(defaults.boolForKey("TrackpadThreeFingerDrag", trackpad));
    sim.defaults().setInDomain(trackpad, "TrackpadThreeFingerDrag", true);
    EXPECT_TRUE(defaults.boolForKey("TrackpadThreeFingerDrag", trackpad));
    EXPECT_FALSE(defaults.boolForKey("TrackpadThreeFingerDrag", "com.apple.driver.AppleBluetoothMultitouch.trackpad"));
    EXPECT_FALSE(defaults.object("TrackpadThreeFingerDrag"));
    sim.defaults().setInDomain(trackpad, "TrackpadThreeFingerDrag", std::nullopt);
    EXPECT_FALSE(defaults.object("TrackpadThreeFingerDrag", trackpad));
}

}  // namespace
}  // namespace velorin
