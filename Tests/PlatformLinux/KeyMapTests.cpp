#include "Platform/Linux/KeyMap.h"

#include <gtest/gtest.h>

#include <linux/input-event-codes.h>

#include "Actions/KeyCombo.h"

using namespace velorin;
using namespace velorin::linux_platform;

TEST(KeyMap, everyNamedKeyHasALinuxKey) {
    for (const auto& [code, name] : KeyCombo::names()) {
        EXPECT_TRUE(linuxKeyCode(code)) << "key " << code << " (" << name << ")";
    }
    EXPECT_FALSE(linuxKeyCode(200));
}

TEST(KeyMap, positionsAreThoseOfTheAnsiLayout) {
    const std::pair<std::uint16_t, int> cases[] = {
        {0, KEY_A},         {8, KEY_C},      {12, KEY_Q},      {36, KEY_ENTER}, {48, KEY_TAB},
        {49, KEY_SPACE},    {51, KEY_BACKSPACE}, {53, KEY_ESC}, {117, KEY_DELETE}, {122, KEY_F1},
        {111, KEY_F12},     {123, KEY_LEFT}, {124, KEY_RIGHT}, {125, KEY_DOWN},  {126, KEY_UP},
        {50, KEY_GRAVE},    {42, KEY_BACKSLASH}, {21, KEY_4},  {23, KEY_5},
    };
    for (const auto& [mac, linux] : cases) EXPECT_EQ(linuxKeyCode(mac), linux) << mac;
}

TEST(KeyMap, aLinuxKeyGivesBackTheMacKeyAtItsPosition) {
    // Every key the table maps goes back to a code that maps to it again.
    for (int linux = 0; linux < 256; ++linux) {
        if (auto mac = macVirtualKey(linux)) {
            EXPECT_EQ(linuxKeyCode(*mac), linux) << linux;
        }
    }
    EXPECT_EQ(macVirtualKey(KEY_K), 40);
    EXPECT_EQ(macVirtualKey(KEY_KPENTER), 76);  // the keypad's Enter, not the portable's
    EXPECT_EQ(macVirtualKey(KEY_SYSRQ), std::nullopt);
    // Toolkits report XKB keycodes, 8 above the Linux codes.
    EXPECT_EQ(macVirtualKeyForScanCode(KEY_K + 8), 40);
    EXPECT_EQ(macVirtualKeyForScanCode(KEY_F5 + 8), 96);
    EXPECT_EQ(macVirtualKeyForScanCode(0), std::nullopt);
    EXPECT_EQ(macVirtualKeyForScanCode(7), std::nullopt);
}

TEST(KeyMap, modifiersWrapTheKeyInOrder) {
    const LinuxCombination combination{{KEY_LEFTCTRL, KEY_LEFTSHIFT}, KEY_T};
    EXPECT_EQ(keyWrites(combination, true),
              (std::vector<KeyWrite>{{KEY_LEFTCTRL, 1}, {KEY_LEFTSHIFT, 1}, {KEY_T, 1}}));
    EXPECT_EQ(keyWrites(combination, false),
              (std::vector<KeyWrite>{{KEY_T, 0}, {KEY_LEFTSHIFT, 0}, {KEY_LEFTCTRL, 0}}));
    EXPECT_EQ(keyWrites({{}, KEY_LEFTMETA}, true), (std::vector<KeyWrite>{{KEY_LEFTMETA, 1}}));
}

TEST(KeyMap, systemDefinedDataWordsGiveMediaAndBrightnessKeys) {
    auto event = [](std::int64_t keyType, bool down, std::int16_t subtype = 8) {
        SystemDefinedEvent e;
        e.subtype = subtype;
        // The runner sign-extends the 32-bit word.
        e.data1 = static_cast<std::int32_t>((static_cast<std::uint32_t>(keyType) << 16) | (down ? 0xA00u : 0xB00u));
        return e;
    };
    const std::tuple<std::int64_t, bool, std::optional<KeyWrite>> cases[] = {
        {16, true, KeyWrite{KEY_PLAYPAUSE, 1}},    {16, false, KeyWrite{KEY_PLAYPAUSE, 0}},
        {17, true, KeyWrite{KEY_NEXTSONG, 1}},     {18, true, KeyWrite{KEY_PREVIOUSSONG, 1}},
        {0, true, KeyWrite{KEY_VOLUMEUP, 1}},      {1, true, KeyWrite{KEY_VOLUMEDOWN, 1}},
        {7, false, KeyWrite{KEY_MUTE, 0}},         {2, true, KeyWrite{KEY_BRIGHTNESSUP, 1}},
        {3, true, KeyWrite{KEY_BRIGHTNESSDOWN, 1}}, {99, true, std::nullopt},
    };
    for (const auto& [type, down, expected] : cases) EXPECT_EQ(systemKeyWrite(event(type, down)), expected) << type;
    EXPECT_FALSE(systemKeyWrite(event(16, true, 7)));
    SystemDefinedEvent noState = event(16, true);
    noState.data1 = 16 << 16;
    EXPECT_FALSE(systemKeyWrite(noState));
}
