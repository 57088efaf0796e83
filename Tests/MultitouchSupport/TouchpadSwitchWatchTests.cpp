// The watch over real GSettings (on GLib's in-memory backend, with the schema compiled from
// Tests/data/gsettings) and a real kcminputrc in a folder of the test's own.

#include "MultitouchSupport/TouchpadSwitchWatch.h"

#include <gio/gio.h>
#include <gtest/gtest.h>
#include <libevdev/libevdev-uinput.h>
#include <libevdev/libevdev.h>
#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>

#include "MultitouchSupport/EvdevBackend.h"
#include "TempFolder.h"
#include "TouchpadSwitchTold.h"

using namespace velorin::multitouch;
namespace fs = std::filesystem;
using velorin::testing::TempFolder;
using velorin::testing::Told;

// GLib hands a change from the test's thread to the watch's through its own locks, which
// ThreadSanitizer does not see (GLib is not built with it): what GLib's own code reads there
// is not looked at. Our code's accesses still are.
extern "C" const char* __tsan_default_suppressions() {
    return "called_from_lib:libglib-2.0.so\ncalled_from_lib:libgio-2.0.so\ncalled_from_lib:libgobject-2.0.so\n";
}

namespace {

// Written as Plasma writes it: a new file renamed over the old one.
void writeKcminputrc(const std::string& folder, const std::string& text) {
    const std::string temporary = folder + "/kcminputrc.new";
    std::ofstream(temporary) << text;
    fs::rename(temporary, folder + "/kcminputrc");
}

const PadName elan{1267, 12410, "ELAN Touchpad"};
const PadName other{1739, 52710, "Other Touchpad"};

std::string offText(const PadName& pad) {
    return "[Libinput][" + std::to_string(pad.vendor) + "][" + std::to_string(pad.product) + "][" + pad.name +
           "]\nEnabled=false\n";
}

TouchpadSwitchSetup gnomeSetup(const std::string& inputFolder) {
    TouchpadSwitchSetup setup;
    setup.sources = switchSourcesFor("ubuntu:GNOME", "wayland");
    setup.inputFolder = inputFolder;
    setup.schemaFolder = VELORIN_TEST_SCHEMA_DIR;
    return setup;
}

// The test's own handle on the same settings, as the desktop's settings panel would be.
class Settings {
public:
    Settings() {
        GSettingsSchemaSource* source =
            g_settings_schema_source_new_from_directory(VELORIN_TEST_SCHEMA_DIR, nullptr, TRUE, nullptr);
        GSettingsSchema* schema = g_settings_schema_source_lookup(source, gnomeTouchpadSchema, FALSE);
        settings_ = g_settings_new_full(schema, nullptr, nullptr);
        g_settings_schema_unref(schema);
        g_settings_schema_source_unref(source);
        g_settings_reset(settings_, sendEventsKey);
    }
    ~Settings() { g_object_unref(settings_); }
    void set(const char* value) { g_settings_set_string(settings_, sendEventsKey, value); }

private:
    GSettings* settings_ = nullptr;
};

}  // namespace

TEST(TouchpadSwitchWatch, followsGnomesSendEvents) {
    ASSERT_STREQ(std::getenv("GSETTINGS_BACKEND"), "memory");
    TempFolder input;  // no mouse in it
    Settings settings;
    Told told;
    auto watch = followTouchpadSwitch(gnomeSetup(input.path().string()), told.callback());
    ASSERT_NE(watch, nullptr);
    ASSERT_EQ(told.states().size(), 1u);  // told at once
    EXPECT_EQ(told.states()[0], TouchpadSwitch{});

    const TouchpadSwitch off{true, {}, {}};
    settings.set("disabled");
    EXPECT_TRUE(told.waitFor(off));
    settings.set("disabled-on-external-mouse");  // and no mouse: on
    EXPECT_TRUE(told.waitFor(TouchpadSwitch{}));
    settings.set("disabled");
    EXPECT_TRUE(told.waitFor(off));
    settings.set("enabled");
    EXPECT_TRUE(told.waitFor(TouchpadSwitch{}));
    watch.reset();

    // Off when the watch begins: told so at once.
    settings.set("disabled");
    Told again;
    watch = followTouchpadSwitch(gnomeSetup(input.path().string()), again.callback());
    ASSERT_EQ(again.states().size(), 1u);
    EXPECT_EQ(again.states()[0], off);
}

TEST(TouchpadSwitchWatch, followsKcminputrcAsPlasmaRewritesIt) {
    TempFolder config;
    const std::string folder = config.path().string();
    writeKcminputrc(folder, offText(elan));
    TouchpadSwitchSetup setup;
    setup.sources = switchSourcesFor("KDE", "wayland");
    setup.configFolder = folder;
    Told told;
    auto watch = followTouchpadSwitch(setup, told.callback());
    ASSERT_NE(watch, nullptr);
    ASSERT_EQ(told.states().size(), 1u);
    EXPECT_EQ(told.states()[0], (TouchpadSwitch{false, {elan}, {}}));

    writeKcminputrc(folder, offText(other));
    EXPECT_TRUE(told.waitFor(TouchpadSwitch{false, {other}, {}}));
    writeKcminputrc(folder, "[Libinput][1739][52710][Other Touchpad\nEnabled=false\n\x01\x02");
    EXPECT_TRUE(told.waitFor(TouchpadSwitch{}));  // unreadable: on
    std::ofstream(folder + "/kcminputrc", std::ios::app) << "\n" << offText(elan);  // written in place
    EXPECT_TRUE(told.waitFor(TouchpadSwitch{false, {elan}, {}}));
    fs::remove(folder + "/kcminputrc");
    EXPECT_TRUE(told.waitFor(TouchpadSwitch{}));
}

TEST(TouchpadSwitchWatch, nothingIsFollowedWhereTheDesktopKeepsNoSwitchWeCanRead) {
    TempFolder config;
    writeKcminputrc(config.path().string(), offText(elan));
    TempFolder noSchemas;
    struct Case {
        const char* name;
        TouchpadSwitchSetup setup;
    };
    TouchpadSwitchSetup xfce;
    xfce.sources = switchSourcesFor("XFCE", "x11");
    xfce.configFolder = config.path().string();
    xfce.schemaFolder = VELORIN_TEST_SCHEMA_DIR;
    TouchpadSwitchSetup gnomeWithoutSchema = gnomeSetup(config.path().string());
    gnomeWithoutSchema.schemaFolder = noSchemas.path().string();
    TouchpadSwitchSetup cinnamonOfAnotherType = gnomeSetup(config.path().string());
    cinnamonOfAnotherType.sources = switchSourcesFor("X-Cinnamon", "x11");
    TouchpadSwitchSetup kdeWithoutConfig;
    kdeWithoutConfig.sources = switchSourcesFor("KDE", "wayland");
    TouchpadSwitchSetup plasmaX11WithoutServer;
    plasmaX11WithoutServer.sources = switchSourcesFor("KDE", "x11");
    plasmaX11WithoutServer.configFolder = config.path().string();  // its kcminputrc does not hold on X11
    plasmaX11WithoutServer.display = ":" + std::to_string(65000 + getpid() % 500);  // no server there
    TouchpadSwitchSetup x11WithoutDisplay;
    x11WithoutDisplay.sources = switchSourcesFor("KDE", "x11");
    const Case cases[] = {
        {"another desktop", xfce},
        {"GNOME without its schema", gnomeWithoutSchema},
        {"a schema whose key is no string", cinnamonOfAnotherType},
        {"Plasma without a config folder", kdeWithoutConfig},
        {"an X11 session whose server can't be reached", plasmaX11WithoutServer},
        {"an X11 session without a display", x11WithoutDisplay},
    };
    for (const Case& c : cases) {
        Told told;
        EXPECT_EQ(followTouchpadSwitch(c.setup, told.callback()), nullptr) << c.name;
        EXPECT_TRUE(told.states().empty()) << c.name;
    }
}

// Only an event node of the input folder is asked who it is: the X server's word names the
// file, and nothing else is opened on it.
TEST(TouchpadSwitchWatch, anXDevicesNodeIsIdentifiedOnlyInTheInputFolder) {
    TempFolder input;
    TempFolder elsewhere;
    const fs::path folder = input.path();
    std::ofstream(folder / "event3") << "not a device";
    std::ofstream(elsewhere.path() / "event4") << "not a device";
    fs::create_directory(folder / "by-path");
    fs::create_symlink(elsewhere.path() / "event4", folder / "by-path" / "pad-event");
    fs::create_symlink(folder / "event3", folder / "by-path" / "pad-event-ours");
    const std::string cases[] = {
        (folder / "event3").string(),                      // an event node's name, but no evdev device
        (folder / "by-path" / "pad-event-ours").string(),  // a link to it, followed
        (folder / "by-path" / "pad-event").string(),       // a link out of the folder
        (elsewhere.path() / "event4").string(),            // another folder
        (folder / "event9").string(),                      // missing
        (folder / "mouse0").string(),                      // not an event node
        "/dev/null",
    };
    for (const std::string& node : cases) EXPECT_EQ(identityAtNode(folder.string(), node), std::nullopt) << node;
}

TEST(TouchpadSwitchWatch, anXDevicesNodeIsTheEvdevDeviceThere) {
    if (access("/dev/uinput", W_OK) != 0) GTEST_SKIP() << "no writable /dev/uinput here: no virtual device";
    libevdev* description = libevdev_new();
    libevdev_set_name(description, "Velorin Test Pad");
    libevdev_set_id_bustype(description, BUS_VIRTUAL);
    libevdev_set_id_vendor(description, 0x1234);
    libevdev_set_id_product(description, 0x5678);
    libevdev_enable_event_code(description, EV_KEY, BTN_LEFT, nullptr);
    libevdev_uinput* uinput = nullptr;
    const int rc = libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &uinput);
    libevdev_free(description);
    if (rc != 0) GTEST_SKIP() << "the kernel refused a virtual device";
    const std::string node = libevdev_uinput_get_devnode(uinput);
    // udev may still be settling the node's permissions: wait for the device, not for time.
    std::optional<DeviceIdentity> identity;
    for (int i = 0; i < 200 && !identity; ++i) {
        identity = identityAtNode("/dev/input", node);
        if (!identity) usleep(10000);
    }
    libevdev_uinput_destroy(uinput);
    ASSERT_TRUE(identity) << node;
    EXPECT_EQ(identity->name, "Velorin Test Pad");
    EXPECT_EQ(identity->vendor, 0x1234);
    EXPECT_EQ(identity->product, 0x5678);
    EXPECT_EQ(identity->bustype, BUS_VIRTUAL);
}

// A real kernel mouse, where this machine lets us make one.
TEST(TouchpadSwitchWatch, offOnlyWhileAnExternalMouseIsPlugged) {
    if (access("/dev/uinput", W_OK) != 0) GTEST_SKIP() << "no writable /dev/uinput here: no virtual mouse";
    if (externalMousePresent("/dev/input")) GTEST_SKIP() << "a mouse is plugged into this machine";
    Settings settings;
    settings.set("disabled-on-external-mouse");
    Told told;
    auto watch = followTouchpadSwitch(gnomeSetup("/dev/input"), told.callback());
    ASSERT_NE(watch, nullptr);
    EXPECT_EQ(told.states().at(0), TouchpadSwitch{});

    libevdev* description = libevdev_new();
    libevdev_set_name(description, "Velorin Test Mouse");
    libevdev_set_id_bustype(description, BUS_USB);
    libevdev_enable_event_code(description, EV_REL, REL_X, nullptr);
    libevdev_enable_event_code(description, EV_REL, REL_Y, nullptr);
    libevdev_enable_event_code(description, EV_KEY, BTN_LEFT, nullptr);
    libevdev_uinput* uinput = nullptr;
    const int rc = libevdev_uinput_create_from_device(description, LIBEVDEV_UINPUT_OPEN_MANAGED, &uinput);
    libevdev_free(description);
    if (rc != 0) GTEST_SKIP() << "the kernel refused a virtual mouse";
    // Once udev lets us read the new node (its permissions change), the mouse is seen.
    EXPECT_TRUE(told.waitFor(TouchpadSwitch{true, {}, {}}));
    libevdev_uinput_destroy(uinput);
    EXPECT_TRUE(told.waitFor(TouchpadSwitch{}));
}
