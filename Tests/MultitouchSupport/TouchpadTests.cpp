#include "MultitouchSupport/Touchpad.h"

#include <gtest/gtest.h>
#include <libevdev/libevdev.h>

#include <memory>

using namespace velorin::multitouch;

namespace {

using Device = std::unique_ptr<libevdev, decltype(&libevdev_free)>;

void enableAxis(libevdev* d, unsigned code, int minimum, int maximum) {
    input_absinfo info{};
    info.minimum = minimum;
    info.maximum = maximum;
    ASSERT_EQ(libevdev_enable_event_code(d, EV_ABS, code, &info), 0) << code;
}

// A protocol B touchpad as the kernel describes one, in memory only.
struct Description {
    bool slots = true;
    bool trackingId = true;
    bool positions = true;
    bool pointer = true;
    bool direct = false;
    int xMaximum = 1212;
};

Device describe(const Description& desc) {
    Device d(libevdev_new(), libevdev_free);
    libevdev_set_name(d.get(), "Test Touchpad");
    libevdev_enable_event_code(d.get(), EV_KEY, BTN_TOUCH, nullptr);
    if (desc.slots) enableAxis(d.get(), ABS_MT_SLOT, 0, 4);
    if (desc.trackingId) enableAxis(d.get(), ABS_MT_TRACKING_ID, 0, 65535);
    if (desc.positions) {
        enableAxis(d.get(), ABS_MT_POSITION_X, 0, desc.xMaximum);
        enableAxis(d.get(), ABS_MT_POSITION_Y, 0, 792);
    }
    if (desc.pointer) libevdev_enable_property(d.get(), INPUT_PROP_POINTER);
    if (desc.direct) libevdev_enable_property(d.get(), INPUT_PROP_DIRECT);
    return d;
}

}  // namespace

TEST(Touchpad, onlyPointerDevicesSpeakingProtocolBAreTouchpads) {
    struct Case {
        const char* name;
        Description description;
        bool touchpad;
    };
    const Case cases[] = {
        {"touchpad", {}, true},
        {"touchscreen (direct)", {.direct = true}, false},
        {"pointer and direct", {.pointer = true, .direct = true}, false},
        {"no pointer property", {.pointer = false}, false},
        {"protocol A (no slots)", {.slots = false}, false},
        {"no tracking ids", {.trackingId = false}, false},
        {"no positions", {.positions = false}, false},
        {"empty x range", {.xMaximum = 0}, false},
    };
    for (const auto& c : cases) {
        const Device d = describe(c.description);
        EXPECT_EQ(isMultitouchTouchpad(d.get()), c.touchpad) << c.name;
    }
}

TEST(Touchpad, aMouseIsNoTouchpad) {
    Device d(libevdev_new(), libevdev_free);
    libevdev_enable_event_code(d.get(), EV_REL, REL_X, nullptr);
    libevdev_enable_event_code(d.get(), EV_REL, REL_Y, nullptr);
    libevdev_enable_event_code(d.get(), EV_KEY, BTN_LEFT, nullptr);
    libevdev_enable_property(d.get(), INPUT_PROP_POINTER);
    EXPECT_FALSE(isMultitouchTouchpad(d.get()));
}

TEST(Touchpad, identityNamesTheDeviceWhateverItsNode) {
    const Device d = describe({});
    libevdev_set_phys(d.get(), "i2c-MSFT0001:00");
    libevdev_set_uniq(d.get(), "");
    libevdev_set_id_bustype(d.get(), 0x18);
    libevdev_set_id_vendor(d.get(), 0x06cb);
    libevdev_set_id_product(d.get(), 0xcd3e);
    const DeviceIdentity id = identityOf(d.get());
    EXPECT_EQ(id, (DeviceIdentity{"Test Touchpad", "i2c-MSFT0001:00", "", 0x18, 0x06cb, 0xcd3e}));

    DeviceIdentity other = id;
    other.product = 0x2968;
    EXPECT_NE(id, other);
}

TEST(Touchpad, snapshotReadsTheAxesAndTheSlots) {
    const Device d = describe({});
    enableAxis(d.get(), ABS_MT_PRESSURE, 0, 255);
    const TouchpadSnapshot snapshot = snapshotOf(d.get());
    EXPECT_EQ(snapshot.axes.x, (AxisRange{0, 1212}));
    EXPECT_EQ(snapshot.axes.y, (AxisRange{0, 792}));
    EXPECT_EQ(snapshot.axes.pressure, (AxisRange{0, 255}));
    EXPECT_FALSE(snapshot.axes.touchMajor);
    EXPECT_EQ(snapshot.axes.slotCount, 5);
    ASSERT_EQ(snapshot.slots.size(), 5u);
    for (const auto& slot : snapshot.slots) EXPECT_EQ(slot.trackingId, -1);
}

TEST(Touchpad, snapshotReadsSemiMultitouchAndTheFingerCountHeld) {
    const Device d = describe({.pointer = false});
    libevdev_enable_event_code(d.get(), EV_KEY, BTN_TOOL_FINGER, nullptr);
    libevdev_enable_event_code(d.get(), EV_KEY, BTN_TOOL_TRIPLETAP, nullptr);
    libevdev_enable_property(d.get(), INPUT_PROP_SEMI_MT);
    libevdev_set_event_value(d.get(), EV_KEY, BTN_TOOL_TRIPLETAP, 1);
    libevdev_set_event_value(d.get(), EV_KEY, BTN_TOUCH, 1);
    EXPECT_TRUE(isMultitouchTouchpad(d.get()));  // an older PS/2 pad: a finger tool, no pointer property
    const TouchpadSnapshot snapshot = snapshotOf(d.get());
    EXPECT_TRUE(snapshot.axes.semiMultitouch);
    EXPECT_TRUE(snapshot.axes.touchButton);
    EXPECT_EQ(snapshot.toolFingers, 3);
    EXPECT_TRUE(snapshot.touching);

    libevdev_enable_event_code(d.get(), EV_KEY, BTN_TOOL_PEN, nullptr);
    EXPECT_FALSE(isMultitouchTouchpad(d.get()));  // a tablet
}
