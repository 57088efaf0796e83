#include "MultitouchSupport/TouchpadSwitch.h"

#include <gtest/gtest.h>
#include <libevdev/libevdev.h>

using namespace velorin::multitouch;

TEST(TouchpadSwitch, desktopsAreFollowedWhereTheyKeepTheirSwitch) {
    const std::optional<std::string> gnome = gnomeTouchpadSchema;
    const std::optional<std::string> cinnamon = cinnamonTouchpadSchema;
    struct Case {
        const char* desktop;
        const char* session;
        SwitchSources expected;
    };
    const Case cases[] = {
        {"GNOME", "wayland", {gnome, false}},
        {"GNOME", "x11", {gnome, false, true}},
        {"ubuntu:GNOME", "wayland", {gnome, false}},
        {"GNOME-Classic:GNOME", "x11", {gnome, false, true}},
        {"Unity", "x11", {gnome, false, true}},
        {"Budgie:GNOME", "x11", {gnome, false, true}},
        {"X-Cinnamon", "x11", {cinnamon, false, true}},
        {"X-Cinnamon:GNOME", "wayland", {cinnamon, false}},  // its own schema, not GNOME's
        {"KDE", "wayland", {std::nullopt, true}},
        {"KDE", "x11", {std::nullopt, false, true}},  // kcminputrc's pads are KWin's on Wayland only
        {"KDE", "", {}},
        {"KDE", "tty", {}},
        {"XFCE", "x11", {std::nullopt, false, true}},             // the X server's devices tell on any desktop
        {"GNOME-Flashback", "x11", {std::nullopt, false, true}},  // a whole entry, not part of one
        {"GNOME-Flashback", "wayland", {}},
        {"sway", "wayland", {}},
        {"", "wayland", {}},
        {"::", "wayland", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(switchSourcesFor(c.desktop, c.session), c.expected) << c.desktop << " on " << c.session;
    }
}

TEST(TouchpadSwitch, theSessionTypeIsTheSessionsOwnOrThatOfItsDisplay) {
    struct Case {
        const char* type;
        bool wayland;
        bool x;
        const char* expected;
    };
    const Case cases[] = {
        {"x11", false, true, "x11"},
        {"wayland", true, true, "wayland"},
        {"x11", true, true, "x11"},  // said by the session: it holds
        {"wayland", false, false, "wayland"},
        {"tty", false, true, "x11"},     // startx from a console
        {"tty", true, true, "wayland"},  // a compositor from a console, with its guest X server
        {"", false, true, "x11"},        // started outside the session's environment
        {"", true, false, "wayland"},
        {"tty", false, false, "tty"},
        {"", false, false, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sessionTypeOf(c.type, c.wayland, c.x), c.expected)
            << "'" << c.type << "' wayland " << c.wayland << " x " << c.x;
    }
}

TEST(TouchpadSwitch, anXDevicesPropertiesSwitchItOffOnlyOnAPlainWord) {
    using Type = DeviceProperty::Type;
    const auto flags = [](std::vector<std::uint32_t> items) {
        return DeviceProperty{Type::integer, 8, std::move(items)};
    };
    const std::optional<DeviceProperty> none;
    struct Case {
        const char* name;
        std::optional<DeviceProperty> enabled;
        std::optional<DeviceProperty> sendEvents;
        DeviceEvents expected;
    };
    const Case cases[] = {
        {"enabled, libinput sending", flags({1}), flags({0, 0}), DeviceEvents::enabled},
        {"disabled through XInput", flags({0}), flags({0, 0}), DeviceEvents::disabled},
        {"disabled, another driver", flags({0}), none, DeviceEvents::disabled},
        {"libinput's events disabled", flags({1}), flags({1, 0}), DeviceEvents::disabled},
        {"both of libinput's modes: disabled wins", flags({1}), flags({1, 1}), DeviceEvents::disabled},
        {"libinput off while a mouse is there", flags({1}), flags({0, 1}), DeviceEvents::disabledOnExternalMouse},
        {"disabled through XInput beats the mouse", flags({0}), flags({0, 1}), DeviceEvents::disabled},
        {"no properties at all", none, none, DeviceEvents::enabled},
        {"enabled of another format", DeviceProperty{Type::integer, 32, {0}}, none, DeviceEvents::enabled},
        {"enabled of another type", DeviceProperty{Type::string, 8, {0}}, none, DeviceEvents::enabled},
        {"enabled with two items", flags({0, 0}), none, DeviceEvents::enabled},
        {"enabled without items", flags({}), none, DeviceEvents::enabled},
        {"enabled that is no flag", flags({2}), flags({0, 0}), DeviceEvents::enabled},
        {"a send-events mode short of an item", flags({1}), flags({1}), DeviceEvents::enabled},
        {"a send-events mode with an item more", flags({1}), flags({1, 0, 0}), DeviceEvents::enabled},
        {"a send-events mode that is no flag", flags({1}), flags({7, 0}), DeviceEvents::enabled},
        {"a send-events mode of 32 bits", flags({1}), DeviceProperty{Type::integer, 32, {1, 0}}, DeviceEvents::enabled},
        {"a send-events mode cut short", flags({1}), DeviceProperty{Type::other, 8, {1, 0}}, DeviceEvents::enabled},
    };
    for (const Case& c : cases) EXPECT_EQ(deviceEventsOf(c.enabled, c.sendEvents), c.expected) << c.name;
}

TEST(TouchpadSwitch, anXDevicesNodeIsTheAbsolutePathItsDriverGives) {
    using Type = DeviceProperty::Type;
    const auto text = [](const std::string& s, Type type = Type::string, int format = 8) {
        return DeviceProperty{type, format, std::vector<std::uint32_t>(s.begin(), s.end())};
    };
    struct Case {
        const char* name;
        std::optional<DeviceProperty> property;
        std::optional<std::string> node;
    };
    const Case cases[] = {
        {"a node", text("/dev/input/event7"), "/dev/input/event7"},
        {"ending in NULs", text(std::string("/dev/input/event7\0\0", 19)), "/dev/input/event7"},
        {"a link of udev's", text("/dev/input/by-path/platform-i8042-serio-1-event-mouse"),
         "/dev/input/by-path/platform-i8042-serio-1-event-mouse"},
        {"absent", std::nullopt, std::nullopt},
        {"empty", text(""), std::nullopt},
        {"only NULs", text(std::string("\0\0", 2)), std::nullopt},
        {"a relative path", text("event7"), std::nullopt},
        {"a NUL inside", text(std::string("/dev/input/event7\0/x", 20)), std::nullopt},
        {"no string", text("/dev/input/event7", Type::integer), std::nullopt},
        {"cut short", text("/dev/input/event7", Type::other), std::nullopt},
        {"of 32 bits", text("/dev/input/event7", Type::string, 32), std::nullopt},
    };
    for (const Case& c : cases) EXPECT_EQ(deviceNodeOf(c.property), c.node) << c.name;
}

TEST(TouchpadSwitch, sendEventsSwitchesOffWhenDisabledOrWhileAnExternalMouseIsThere) {
    struct Case {
        const char* value;
        bool mouse;
        bool off;
    };
    const Case cases[] = {
        {"enabled", false, false},
        {"enabled", true, false},
        {"disabled", false, true},
        {"disabled-on-external-mouse", false, false},
        {"disabled-on-external-mouse", true, true},
        {"", true, false},
        {"Disabled", false, false},  // GSettings gives the nick exactly; anything else is not ours
        {"something-newer", true, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sendEventsSwitchesOff(c.value, c.mouse), c.off) << c.value << " mouse " << c.mouse;
    }
}

TEST(TouchpadSwitch, kcminputrcSwitchesOffTheTouchpadsItsGroupsName) {
    const PadName elan{1267, 12410, "ELAN1200:00 04F3:3090 Touchpad"};
    const PadName synaptics{1739, 52710, "SYNA2393:00 06CB:CDE6 Touchpad"};
    struct Case {
        const char* name;
        const char* text;
        std::vector<PadName> off;
    };
    const Case cases[] = {
        {"a pad switched off",
         "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\nEnabled=false\nTapToClick=true\n",
         {elan}},
        {"switched on", "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\nEnabled=true\n", {}},
        {"a pad's other settings only", "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\nNaturalScroll=true\n",
         {}},
        {"two pads, one off",
         "[Mouse]\nX11LibInputXAccelProfileFlat=true\n\n"
         "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\nEnabled=true\n\n"
         "[Libinput][1739][52710][SYNA2393:00 06CB:CDE6 Touchpad]\nPointerAcceleration=0.2\nEnabled=false\n",
         {synaptics}},
        {"KConfig's other spellings of false, blanks and CRLF",
         "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\r\n  Enabled = Off \r\n"
         "[Libinput][1739][52710][SYNA2393:00 06CB:CDE6 Touchpad]\nEnabled=0\n",
         {elan, synaptics}},
        {"an immutable key and group",
         "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad][$i]\nEnabled[$i]=false\n", {elan}},
        {"an escaped name", "[Libinput][1][2][Pad\\x5d \\\\ one]\nEnabled=false\n", {{1, 2, "Pad] \\ one"}}},
        {"the last word holds",
         "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\nEnabled=false\nEnabled=true\n", {}},
        {"a group given twice",
         "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\nEnabled=true\n[Other]\n"
         "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\nEnabled=false\n",
         {elan}},
        {"not a pad's group",
         "[Libinput][Defaults]\nEnabled=false\n[Libinput][1267][12410]\nEnabled=false\n[Mouse]\nEnabled=false\n"
         "[libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\nEnabled=false\n",
         {}},
        {"numbers that are not decimal",
         "[Libinput][0x4f3][12410][ELAN]\nEnabled=false\n[Libinput][-1][2][ELAN]\nEnabled=false\n"
         "[Libinput][1267 ][12410][ELAN]\nEnabled=false\n",
         {}},
        {"an unreadable header takes the keys under it out of the group before",
         "[Libinput][1267][12410][ELAN1200:00 04F3:3090 Touchpad]\nEnabled=true\n"
         "[Libinput][1739][52710][SYNA2393:00 06CB:CDE6 Touchpad\nEnabled=false\n",
         {}},
        {"a header with text after it", "[Libinput][1][2][Pad] trailing\nEnabled=false\n", {}},
        {"a value that is no boolean", "[Libinput][1][2][Pad]\nEnabled=nope\nEnabled=\n", {}},
        {"a localised key is another key", "[Libinput][1][2][Pad]\nEnabled[de]=false\n", {}},
        {"a comment", "[Libinput][1][2][Pad]\n#Enabled=false\n", {}},
        {"keys before any group", "Enabled=false\n", {}},
        {"lines without a value, and no newline at the end", "[Libinput][1][2][Pad]\nEnabled\n=false\nEnabled=false",
         {{1, 2, "Pad"}}},
        {"empty", "", {}},
        {"garbage", "\x01\x02[[[]]]\n]\n[\n=\n\\\n[Libinput][1][2][\\", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(kcminputrcPadsOff(c.text), c.off) << c.name;
}

TEST(TouchpadSwitch, isOff_matchesAPadByVendorProductAndName) {
    DeviceIdentity pad;
    pad.name = "ELAN Touchpad";
    pad.vendor = 1267;
    pad.product = 12410;
    pad.phys = "i2c-ELAN1200:00";
    pad.bustype = BUS_I2C;
    DeviceIdentity other = pad;
    other.product = 1;
    DeviceIdentity atAnotherPort = pad;
    atAnotherPort.phys = "usb-0000:00:14.0-2/input0";
    DeviceIdentity onAnotherBus = pad;
    onAnotherBus.bustype = BUS_USB;
    DeviceIdentity anotherSerial = pad;
    anotherSerial.uniq = "2";
    struct Case {
        const char* name;
        TouchpadSwitch state;
        bool off;
    };
    const Case cases[] = {
        {"all on", {}, false},
        {"all off", {true, {}, {}}, true},
        {"this pad off", {false, {{1, 2, "Other"}, {1267, 12410, "ELAN Touchpad"}}, {}}, true},
        {"another vendor", {false, {{1268, 12410, "ELAN Touchpad"}}, {}}, false},
        {"another product", {false, {{1267, 12411, "ELAN Touchpad"}}, {}}, false},
        {"another name", {false, {{1267, 12410, "ELAN Touchpad 2"}}, {}}, false},
        {"this device off", {false, {}, {other, pad}}, true},
        {"this device off, read at another port", {false, {}, {atAnotherPort}}, true},
        {"another device off", {false, {}, {other}}, false},
        {"a device of another bus off", {false, {}, {onAnotherBus}}, false},
        {"a device of another serial off", {false, {}, {anotherSerial}}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.state.isOff(pad), c.off) << c.name;
}

TEST(TouchpadSwitch, anExternalMouseIsAUsbOrBluetoothPointerThatIsNoTouchpad) {
    enum Kind { mouse, relativeOnly, touchpad };
    struct Case {
        const char* name;
        Kind kind;
        int bus;
        bool external;
    };
    const Case cases[] = {
        {"USB mouse", mouse, BUS_USB, true},
        {"Bluetooth mouse", mouse, BUS_BLUETOOTH, true},
        {"trackpoint on the laptop's own bus", mouse, BUS_I8042, false},
        {"virtual pointer", mouse, BUS_VIRTUAL, false},
        {"I2C mouse (a touchpad in mouse mode)", mouse, BUS_I2C, false},
        {"motion without a button", relativeOnly, BUS_USB, false},
        {"USB touchpad with buttons", touchpad, BUS_USB, false},
    };
    for (const Case& c : cases) {
        libevdev* device = libevdev_new();
        libevdev_set_id_bustype(device, c.bus);
        libevdev_enable_event_code(device, EV_REL, REL_X, nullptr);
        libevdev_enable_event_code(device, EV_REL, REL_Y, nullptr);
        if (c.kind != relativeOnly) libevdev_enable_event_code(device, EV_KEY, BTN_LEFT, nullptr);
        if (c.kind == touchpad) {
            input_absinfo x{0, 0, 1000, 0, 0, 10}, slots{0, 0, 4, 0, 0, 0}, ids{0, 0, 65535, 0, 0, 0};
            libevdev_enable_event_code(device, EV_ABS, ABS_MT_SLOT, &slots);
            libevdev_enable_event_code(device, EV_ABS, ABS_MT_TRACKING_ID, &ids);
            libevdev_enable_event_code(device, EV_ABS, ABS_MT_POSITION_X, &x);
            libevdev_enable_event_code(device, EV_ABS, ABS_MT_POSITION_Y, &x);
            libevdev_enable_property(device, INPUT_PROP_POINTER);
        }
        EXPECT_EQ(isExternalMouse(device), c.external) << c.name;
        libevdev_free(device);
    }
}
