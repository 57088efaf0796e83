#include "Platform/Linux/TouchpadAccess.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <set>

using namespace velorin::linux_platform;
namespace fs = std::filesystem;

namespace {

// Masks as sysfs writes them on a 64-bit kernel.
constexpr const char* touchpadAbs = "260800000000003";       // ABS_X, ABS_Y, slots, tracking ids, positions
constexpr const char* singleTouchAbs = "3";                // ABS_X, ABS_Y only
constexpr const char* fingerKey = "20 0 0 0 0 0";          // BTN_TOOL_FINGER (word 5, bit 5)
constexpr const char* penAndFingerKey = "21 0 0 0 0 0";    // and BTN_TOOL_PEN
constexpr const char* pointer = "1";
constexpr const char* direct = "2";

class SysfsTree {
public:
    SysfsTree() {
        char name[] = "/tmp/velorin-sysfs-XXXXXX";
        root_ = mkdtemp(name);
    }
    ~SysfsTree() { fs::remove_all(root_); }
    void add(const std::string& event, const char* abs, const char* key, const char* properties) {
        const fs::path device = root_ / event / "device";
        fs::create_directories(device / "capabilities");
        std::ofstream(device / "capabilities" / "abs") << abs << "\n";
        std::ofstream(device / "capabilities" / "key") << key << "\n";
        std::ofstream(device / "properties") << properties << "\n";
    }
    std::string path() const { return root_.string(); }

private:
    fs::path root_;
};

}  // namespace

TEST(TouchpadAccess, capabilitiesTellATouchpadFromOtherDevices) {
    struct Case {
        const char* name;
        const char* abs;
        const char* key;
        const char* properties;
        bool touchpad;
    };
    const Case cases[] = {
        {"a touchpad", touchpadAbs, fingerKey, pointer, true},
        {"an older pad: a finger tool, no pointer property", touchpadAbs, fingerKey, "0", true},
        {"a touchscreen", touchpadAbs, fingerKey, direct, false},
        {"a tablet (a pen)", touchpadAbs, penAndFingerKey, "0", false},
        {"a single-touch pad", singleTouchAbs, fingerKey, pointer, false},
        {"nothing readable", "", "", "", false},
        {"garbage", "zz", "zz", "zz", false},
    };
    for (const auto& c : cases) EXPECT_EQ(isTouchpadCapabilities(c.abs, c.key, c.properties), c.touchpad) << c.name;
}

TEST(TouchpadAccess, aTouchpadThatCantBeRead_isListed_otherDevicesAndReadablePadsAreNot) {
    SysfsTree sys;
    sys.add("event3", touchpadAbs, fingerKey, pointer);
    sys.add("event7", touchpadAbs, fingerKey, pointer);
    sys.add("event5", singleTouchAbs, "0", "0");  // a keyboard or mouse: never a permission question
    sys.add("input2", touchpadAbs, fingerKey, pointer);  // the parent device, not an event node
    const std::set<std::string> unreadable{"/dev/input/event3", "/dev/input/event5"};
    const auto readable = [&](const std::string& node) { return unreadable.count(node) == 0; };
    EXPECT_EQ(unreadableTouchpads(sys.path(), "/dev/input", readable), (std::vector<std::string>{"/dev/input/event3"}));
    EXPECT_TRUE(unreadableTouchpads(sys.path(), "/dev/input", [](const std::string&) { return true; }).empty());
    EXPECT_TRUE(unreadableTouchpads("/nonexistent", "/dev/input", [](const std::string&) { return false; }).empty());
}
