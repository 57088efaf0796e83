#include "Platform/Linux/KeyMap.h"

#include <algorithm>
#include <array>
#include <utility>

#include <linux/input-event-codes.h>

namespace velorin::linux_platform {
namespace {

// macOS virtual key code → Linux key code (ANSI layout positions).
constexpr std::array<std::pair<std::uint16_t, int>, 120> keyTable{{
    {0, KEY_A},          {1, KEY_S},          {2, KEY_D},           {3, KEY_F},
    {4, KEY_H},          {5, KEY_G},          {6, KEY_Z},           {7, KEY_X},
    {8, KEY_C},          {9, KEY_V},          {10, KEY_102ND},      {11, KEY_B},
    {12, KEY_Q},         {13, KEY_W},         {14, KEY_E},          {15, KEY_R},
    {16, KEY_Y},         {17, KEY_T},         {18, KEY_1},          {19, KEY_2},
    {20, KEY_3},         {21, KEY_4},         {22, KEY_6},          {23, KEY_5},
    {24, KEY_EQUAL},     {25, KEY_9},         {26, KEY_7},          {27, KEY_MINUS},
    {28, KEY_8},         {29, KEY_0},         {30, KEY_RIGHTBRACE}, {31, KEY_O},
    {32, KEY_U},         {33, KEY_LEFTBRACE}, {34, KEY_I},          {35, KEY_P},
    {36, KEY_ENTER},     {37, KEY_L},         {38, KEY_J},          {39, KEY_APOSTROPHE},
    {40, KEY_K},         {41, KEY_SEMICOLON}, {42, KEY_BACKSLASH},  {43, KEY_COMMA},
    {44, KEY_SLASH},     {45, KEY_N},         {46, KEY_M},          {47, KEY_DOT},
    {48, KEY_TAB},       {49, KEY_SPACE},     {50, KEY_GRAVE},      {51, KEY_BACKSPACE},
    {52, KEY_KPENTER},   {53, KEY_ESC},       {54, KEY_RIGHTCTRL},  {55, KEY_LEFTCTRL},
    {56, KEY_LEFTSHIFT}, {57, KEY_CAPSLOCK},  {58, KEY_LEFTALT},    {59, KEY_LEFTMETA},
    {60, KEY_RIGHTSHIFT}, {61, KEY_RIGHTALT}, {62, KEY_RIGHTMETA},  {64, KEY_F17},
    {65, KEY_KPDOT},     {67, KEY_KPASTERISK}, {69, KEY_KPPLUS},    {71, KEY_NUMLOCK},
    {72, KEY_VOLUMEUP},  {73, KEY_VOLUMEDOWN}, {74, KEY_MUTE},      {75, KEY_KPSLASH},
    {76, KEY_KPENTER},   {78, KEY_KPMINUS},   {79, KEY_F18},        {80, KEY_F19},
    {81, KEY_KPEQUAL},   {82, KEY_KP0},       {83, KEY_KP1},        {84, KEY_KP2},
    {85, KEY_KP3},       {86, KEY_KP4},       {87, KEY_KP5},        {88, KEY_KP6},
    {89, KEY_KP7},       {90, KEY_F20},       {91, KEY_KP8},        {92, KEY_KP9},
    {93, KEY_YEN},       {94, KEY_RO},        {95, KEY_KPCOMMA},    {96, KEY_F5},
    {97, KEY_F6},        {98, KEY_F7},        {99, KEY_F3},         {100, KEY_F8},
    {101, KEY_F9},       {102, KEY_MUHENKAN}, {103, KEY_F11},       {104, KEY_HENKAN},
    {105, KEY_F13},      {106, KEY_F16},      {107, KEY_F14},       {109, KEY_F10},
    {110, KEY_COMPOSE},  {111, KEY_F12},      {113, KEY_F15},       {114, KEY_INSERT},
    {115, KEY_HOME},     {116, KEY_PAGEUP},   {117, KEY_DELETE},    {118, KEY_F4},
    {119, KEY_END},      {120, KEY_F2},       {121, KEY_PAGEDOWN},  {122, KEY_F1},
    {123, KEY_LEFT},     {124, KEY_RIGHT},    {125, KEY_DOWN},      {126, KEY_UP},
}};

// The modifier keys any combination can press.
constexpr std::array<int, 4> modifierKeys{KEY_LEFTCTRL, KEY_LEFTMETA, KEY_LEFTALT, KEY_LEFTSHIFT};

// Keys with no macOS key code that the desktop's shortcuts press (Print).
constexpr std::array<int, 1> desktopOnlyKeys{KEY_SYSRQ};

// The media and brightness keys by their system key type.
constexpr std::array<std::pair<std::int64_t, int>, 10> systemKeyTable{{
    {0, KEY_VOLUMEUP},
    {1, KEY_VOLUMEDOWN},
    {2, KEY_BRIGHTNESSUP},
    {3, KEY_BRIGHTNESSDOWN},
    {7, KEY_MUTE},
    {16, KEY_PLAYPAUSE},
    {17, KEY_NEXTSONG},
    {18, KEY_PREVIOUSSONG},
    {19, KEY_FASTFORWARD},
    {20, KEY_REWIND},
}};

constexpr std::int16_t auxControlButtonsSubtype = 8;

}  // namespace

std::optional<int> linuxKeyCode(std::uint16_t macVirtualKey) {
    for (const auto& [mac, code] : keyTable) {
        if (mac == macVirtualKey) return code;
    }
    return std::nullopt;
}

std::optional<std::uint16_t> macVirtualKey(int linuxKey) {
    // The later of two codes for one key is the one keyboards send (keypad
    // Enter is 76; 52 is an old portable's).
    std::optional<std::uint16_t> found;
    for (const auto& [mac, code] : keyTable) {
        if (code == linuxKey) found = mac;
    }
    return found;
}

std::optional<std::uint16_t> macVirtualKeyForScanCode(std::uint32_t nativeScanCode) {
    if (nativeScanCode < xkbKeycodeOffset) return std::nullopt;
    return macVirtualKey(static_cast<int>(nativeScanCode - xkbKeycodeOffset));
}

std::vector<KeyWrite> keyWrites(const LinuxCombination& combination, bool down) {
    std::vector<KeyWrite> writes;
    if (down) {
        for (int m : combination.modifiers) writes.push_back({m, 1});
        writes.push_back({combination.key, 1});
    } else {
        writes.push_back({combination.key, 0});
        for (auto it = combination.modifiers.rbegin(); it != combination.modifiers.rend(); ++it) {
            writes.push_back({*it, 0});
        }
    }
    return writes;
}

std::optional<KeyWrite> systemKeyWrite(const SystemDefinedEvent& event) {
    if (event.type != 14 || event.subtype != auxControlButtonsSubtype) return std::nullopt;
    // The data word is sign-extended from 32 bits: read the low 32 bits only.
    const auto word = static_cast<std::uint32_t>(event.data1);
    const std::int64_t keyType = (word >> 16) & 0xFFFF;
    const std::uint32_t state = (word >> 8) & 0xFF;
    if (state != 0xA && state != 0xB) return std::nullopt;
    for (const auto& [type, code] : systemKeyTable) {
        if (type == keyType) return KeyWrite{code, state == 0xA ? 1 : 0};
    }
    return std::nullopt;
}

std::vector<int> allLinuxKeys() {
    std::vector<int> keys;
    for (const auto& [mac, code] : keyTable) keys.push_back(code);
    keys.insert(keys.end(), modifierKeys.begin(), modifierKeys.end());
    keys.insert(keys.end(), desktopOnlyKeys.begin(), desktopOnlyKeys.end());
    for (const auto& [type, code] : systemKeyTable) keys.push_back(code);
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

}  // namespace velorin::linux_platform
