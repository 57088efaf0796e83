// The watch over a real X server (the Xvfb that the test runs under): Xvfb has no libinput
// devices, so the test gives its own input devices the properties a driver gives and changes
// them as a desktop's touchpad settings do, and the nodes are identified from a table.

#include <gtest/gtest.h>
#include <unistd.h>
#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>

#include "MultitouchSupport/TouchpadSwitchWatch.h"
#include "MultitouchSupport/TouchpadSwitchXInput.h"
#include "TempFolder.h"
#include "TouchpadSwitchTold.h"

using namespace velorin::multitouch;
using velorin::testing::TempFolder;
using velorin::testing::Told;

namespace {

// The test's own client, in the part of a desktop's touchpad settings or of `xinput`.
class Settings {
public:
    Settings() : c_(xcb_connect(nullptr, nullptr)) {
        if (xcb_connection_has_error(c_)) return;
        std::free(xcb_input_xi_query_version_reply(c_, xcb_input_xi_query_version(c_, 2, 0), nullptr));
        auto* list = xcb_input_xi_query_device_reply(c_, xcb_input_xi_query_device(c_, XCB_INPUT_DEVICE_ALL), nullptr);
        if (!list) return;
        for (auto it = xcb_input_xi_query_device_infos_iterator(list); it.rem; xcb_input_xi_device_info_next(&it)) {
            const std::string name(xcb_input_xi_device_info_name(it.data),
                                   static_cast<std::size_t>(xcb_input_xi_device_info_name_length(it.data)));
            devices_[name] = it.data->deviceid;
        }
        std::free(list);
    }
    ~Settings() { xcb_disconnect(c_); }

    bool connected() const { return !xcb_connection_has_error(c_); }
    std::optional<xcb_input_device_id_t> device(const std::string& name) const {
        const auto it = devices_.find(name);
        if (it == devices_.end()) return std::nullopt;
        return it->second;
    }
    // Whether the server took it.
    bool set(xcb_input_device_id_t device, const char* property, xcb_atom_t type, std::vector<std::uint8_t> items) {
        const auto count = static_cast<std::uint32_t>(items.size());
        items.resize((items.size() + 3) / 4 * 4);  // XCB copies the request's padding from the items too
        return check(xcb_input_xi_change_property_checked(c_, device, XCB_PROP_MODE_REPLACE, 8, atom(property), type,
                                                          count, items.data()));
    }
    bool setNode(xcb_input_device_id_t device, const std::string& node) {
        return set(device, "Device Node", XCB_ATOM_STRING, std::vector<std::uint8_t>(node.begin(), node.end()));
    }
    bool remove(xcb_input_device_id_t device, const char* property) {
        return check(xcb_input_xi_delete_property_checked(c_, device, atom(property)));
    }

private:
    xcb_atom_t atom(const char* name) {
        auto* reply = xcb_intern_atom_reply(
            c_, xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(reply);
        return a;
    }
    bool check(xcb_void_cookie_t cookie) {
        xcb_generic_error_t* error = xcb_request_check(c_, cookie);
        std::free(error);
        return !error;
    }

    xcb_connection_t* c_;
    std::map<std::string, xcb_input_device_id_t> devices_;
};

DeviceIdentity pad(const char* name, int product) {
    DeviceIdentity identity;
    identity.name = name;
    identity.bustype = 0x18;  // I2C
    identity.vendor = 1267;
    identity.product = product;
    return identity;
}

const DeviceIdentity elan = pad("ELAN1200:00 04F3:3090 Touchpad", 12432);
const DeviceIdentity second = pad("ELAN0501:00 04F3:3060 Touchpad", 12384);

constexpr const char* enabled = "Device Enabled";
constexpr const char* sendEvents = "libinput Send Events Mode Enabled";

TouchpadSwitchSetup plasmaX11(const std::string& inputFolder) {
    TouchpadSwitchSetup setup;
    setup.sources = switchSourcesFor("KDE", "x11");
    setup.display = std::getenv("DISPLAY");
    setup.inputFolder = inputFolder;
    // The nodes the devices claim, as the pads there would answer.
    setup.identify = [](const std::string& node) -> std::optional<DeviceIdentity> {
        if (node == "/dev/input/event7") return elan;
        if (node == "/dev/input/event9") return second;
        return std::nullopt;
    };
    return setup;
}

class XInputSwitch : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "runs under xvfb-run";
        ASSERT_TRUE(settings_.connected());
        // Xvfb's own input devices: unlike its XTEST ones, the server lets them be disabled.
        const auto m = settings_.device("Xvfb mouse");
        const auto k = settings_.device("Xvfb keyboard");
        const auto t = settings_.device("Virtual core XTEST pointer");
        ASSERT_TRUE(m && k && t);
        mouse_ = *m;
        keyboard_ = *k;
        xtest_ = *t;
    }
    void TearDown() override {
        for (const auto device : {mouse_, keyboard_, xtest_}) {
            settings_.remove(device, "Device Node");
            settings_.remove(device, sendEvents);
        }
        settings_.set(mouse_, enabled, XCB_ATOM_INTEGER, {1});
        settings_.set(keyboard_, enabled, XCB_ATOM_INTEGER, {1});
    }

    Settings settings_;
    xcb_input_device_id_t mouse_ = 0, keyboard_ = 0, xtest_ = 0;
    TempFolder input_;  // no mouse in it
};

}  // namespace

TEST_F(XInputSwitch, followsTheDevicesPropertiesAsTheDesktopChangesThem) {
    ASSERT_TRUE(settings_.setNode(mouse_, "/dev/input/event7"));
    ASSERT_TRUE(settings_.set(mouse_, sendEvents, XCB_ATOM_INTEGER, {0, 0}));
    Told told;
    auto watch = followTouchpadSwitch(plasmaX11(input_.path().string()), told.callback());
    ASSERT_NE(watch, nullptr);
    ASSERT_EQ(told.states().size(), 1u);  // told at once
    EXPECT_EQ(told.states()[0], TouchpadSwitch{});

    const TouchpadSwitch elanOff{false, {}, {elan}};
    struct Step {
        const char* name;
        std::function<bool()> change;
        TouchpadSwitch expected;
    };
    const Step steps[] = {
        {"libinput's events disabled",
         [&] {
             return settings_.set(mouse_, sendEvents, XCB_ATOM_INTEGER, {1, 0});
         },
         elanOff},
        {"and enabled",
         [&] {
             return settings_.set(mouse_, sendEvents, XCB_ATOM_INTEGER, {0, 0});
         },
         {}},
        {"the device disabled", [&] { return settings_.set(mouse_, enabled, XCB_ATOM_INTEGER, {0}); }, elanOff},
        {"and enabled again", [&] { return settings_.set(mouse_, enabled, XCB_ATOM_INTEGER, {1}); }, {}},
        {"libinput's events disabled again",
         [&] {
             return settings_.set(mouse_, sendEvents, XCB_ATOM_INTEGER, {1, 0});
         },
         elanOff},
        {"off only while a mouse is there, and none is",
         [&] {
             return settings_.set(mouse_, sendEvents, XCB_ATOM_INTEGER, {0, 1});
         },
         {}},
        {"(back to disabled)",
         [&] {
             return settings_.set(mouse_, sendEvents, XCB_ATOM_INTEGER, {1, 0});
         },
         elanOff},
        {"a second pad disabled too",
         [&] {
             return settings_.setNode(keyboard_, "/dev/input/event9") &&
                    settings_.set(keyboard_, enabled, XCB_ATOM_INTEGER, {0});
         },
         {false, {}, {elan, second}}},
        {"the first pad's node gone", [&] { return settings_.remove(mouse_, "Device Node"); }, {false, {}, {second}}},
        {"a node no pad answers", [&] { return settings_.setNode(keyboard_, "/dev/input/event12"); }, {}},
        {"a device that can't be disabled, with its events off",
         [&] {
             return settings_.setNode(xtest_, "/dev/input/event9") &&
                    settings_.set(xtest_, sendEvents, XCB_ATOM_INTEGER, {1, 0});
         },
         {false, {}, {second}}},
        {"its property removed", [&] { return settings_.remove(xtest_, sendEvents); }, {}},
    };
    for (const Step& step : steps) {
        ASSERT_TRUE(step.change()) << step.name;
        EXPECT_TRUE(told.waitFor(step.expected)) << step.name;
    }
}

TEST_F(XInputSwitch, aPadOffWhenTheWatchBeginsIsToldSoAtOnce) {
    ASSERT_TRUE(settings_.setNode(mouse_, "/dev/input/event9"));
    ASSERT_TRUE(settings_.set(mouse_, enabled, XCB_ATOM_INTEGER, {0}));
    Told told;
    auto watch = followTouchpadSwitch(plasmaX11(input_.path().string()), told.callback());
    ASSERT_NE(watch, nullptr);
    ASSERT_EQ(told.states().size(), 1u);
    EXPECT_EQ(told.states()[0], (TouchpadSwitch{false, {}, {second}}));
}

TEST_F(XInputSwitch, devicesListTheirNodesAndWhatTheirPropertiesSay) {
    auto devices = XInputDevices::connect(std::getenv("DISPLAY"));
    ASSERT_NE(devices, nullptr);
    EXPECT_TRUE(devices->devices().empty());  // Xvfb's devices name no node
    ASSERT_TRUE(settings_.setNode(mouse_, "/dev/input/event7"));
    ASSERT_TRUE(settings_.setNode(xtest_, "/dev/input/event9"));
    ASSERT_TRUE(settings_.set(xtest_, sendEvents, XCB_ATOM_INTEGER, {0, 1}));
    const std::vector<XInputDevice> expected = {{"/dev/input/event7", DeviceEvents::enabled},
                                                {"/dev/input/event9", DeviceEvents::disabledOnExternalMouse}};
    auto found = devices->devices();
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.node < b.node; });
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(devices->takeEvents());  // the changes were told
    EXPECT_FALSE(devices->broken());
}
