#include "MultitouchSupport/Touchpad.h"

#include <libevdev/libevdev.h>

namespace velorin::multitouch {

namespace {

std::string text(const char* s) { return s ? std::string(s) : std::string(); }

std::optional<AxisRange> rangeOf(const libevdev* device, unsigned code) {
    const input_absinfo* info = libevdev_get_abs_info(device, code);
    if (!info) return std::nullopt;
    return AxisRange{info->minimum, info->maximum};
}

bool usable(const std::optional<AxisRange>& range) { return range && range->maximum > range->minimum; }

}  // namespace

bool isMultitouchTouchpad(const libevdev* device) {
    for (unsigned code : {ABS_MT_SLOT, ABS_MT_TRACKING_ID, ABS_MT_POSITION_X, ABS_MT_POSITION_Y}) {
        if (!libevdev_has_event_code(device, EV_ABS, code)) return false;
    }
    if (libevdev_has_property(device, INPUT_PROP_DIRECT)) return false;
    // Older PS/2 pads do not set INPUT_PROP_POINTER; like udev, take a finger tool without a
    // pen as a touchpad.
    const bool fingerTool = libevdev_has_event_code(device, EV_KEY, BTN_TOOL_FINGER) &&
                            !libevdev_has_event_code(device, EV_KEY, BTN_TOOL_PEN);
    if (!libevdev_has_property(device, INPUT_PROP_POINTER) && !fingerTool) return false;
    return usable(rangeOf(device, ABS_MT_POSITION_X)) && usable(rangeOf(device, ABS_MT_POSITION_Y));
}

bool isExternalMouse(const libevdev* device) {
    if (isMultitouchTouchpad(device)) return false;
    if (!libevdev_has_event_code(device, EV_REL, REL_X) || !libevdev_has_event_code(device, EV_REL, REL_Y) ||
        !libevdev_has_event_code(device, EV_KEY, BTN_LEFT)) {
        return false;
    }
    const int bus = libevdev_get_id_bustype(device);
    return bus == BUS_USB || bus == BUS_BLUETOOTH;
}

bool samePad(const DeviceIdentity& a, const DeviceIdentity& b) {
    return a.name == b.name && a.uniq == b.uniq && a.bustype == b.bustype && a.vendor == b.vendor &&
           a.product == b.product;
}

DeviceIdentity identityOf(const libevdev* device) {
    DeviceIdentity id;
    id.name = text(libevdev_get_name(device));
    id.phys = text(libevdev_get_phys(device));
    id.uniq = text(libevdev_get_uniq(device));
    id.bustype = libevdev_get_id_bustype(device);
    id.vendor = libevdev_get_id_vendor(device);
    id.product = libevdev_get_id_product(device);
    return id;
}

TouchpadSnapshot snapshotOf(const libevdev* device) {
    TouchpadSnapshot snapshot;
    TouchpadAxes& axes = snapshot.axes;
    axes.x = rangeOf(device, ABS_MT_POSITION_X).value_or(AxisRange{});
    axes.y = rangeOf(device, ABS_MT_POSITION_Y).value_or(AxisRange{});
    if (libevdev_has_event_code(device, EV_ABS, ABS_MT_PRESSURE)) axes.pressure = rangeOf(device, ABS_MT_PRESSURE);
    if (libevdev_has_event_code(device, EV_ABS, ABS_MT_TOUCH_MAJOR)) {
        axes.touchMajor = rangeOf(device, ABS_MT_TOUCH_MAJOR);
    }
    axes.semiMultitouch = libevdev_has_property(device, INPUT_PROP_SEMI_MT);
    axes.touchButton = libevdev_has_event_code(device, EV_KEY, BTN_TOUCH);
    snapshot.touching = libevdev_get_event_value(device, EV_KEY, BTN_TOUCH) != 0;
    const unsigned tools[] = {BTN_TOOL_FINGER, BTN_TOOL_DOUBLETAP, BTN_TOOL_TRIPLETAP, BTN_TOOL_QUADTAP,
                              BTN_TOOL_QUINTTAP};
    for (int fingers = 1; fingers <= maxToolFingers; ++fingers) {
        if (libevdev_get_event_value(device, EV_KEY, tools[fingers - 1]) != 0) snapshot.toolFingers = fingers;
    }
    const int slots = libevdev_get_num_slots(device);
    axes.slotCount = slots > 0 ? slots : 1;
    snapshot.currentSlot = slots > 0 ? libevdev_get_current_slot(device) : 0;
    for (int s = 0; s < slots; ++s) {
        auto value = [&](unsigned code) { return libevdev_get_slot_value(device, static_cast<unsigned>(s), code); };
        SlotValues v;
        v.trackingId = value(ABS_MT_TRACKING_ID);
        if (v.trackingId < 0) v.trackingId = -1;
        v.x = value(ABS_MT_POSITION_X);
        v.y = value(ABS_MT_POSITION_Y);
        v.pressure = value(ABS_MT_PRESSURE);
        v.touchMajor = value(ABS_MT_TOUCH_MAJOR);
        v.toolType = value(ABS_MT_TOOL_TYPE);
        snapshot.slots.push_back(v);
    }
    return snapshot;
}

}  // namespace velorin::multitouch
