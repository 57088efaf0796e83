#include "MultitouchSupport/TouchpadSwitchXInput.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <array>
#include <cstdlib>
#include <cstring>

namespace velorin::multitouch {

namespace {

constexpr const char* deviceNodeName = "Device Node";
constexpr const char* deviceEnabledName = "Device Enabled";
constexpr const char* sendEventsName = "libinput Send Events Mode Enabled";

// In 4-byte units: far beyond a path or a few flags; a longer value is not one of ours.
constexpr std::uint32_t propertyLimit = 1024;

template <typename T>
struct Freed {
    T* reply;
    ~Freed() { std::free(reply); }
};

std::optional<DeviceProperty> propertyOf(const xcb_input_xi_get_property_reply_t* reply) {
    if (!reply || reply->type == XCB_ATOM_NONE) return std::nullopt;
    DeviceProperty property;
    property.format = reply->format;
    if (reply->type == XCB_ATOM_INTEGER) property.type = DeviceProperty::Type::integer;
    if (reply->type == XCB_ATOM_STRING) property.type = DeviceProperty::Type::string;
    // Cut short: neither a flag nor a whole path.
    if (reply->bytes_after != 0) property.type = DeviceProperty::Type::other;
    // The items follow the reply as they came, `num_items` of `format` bits.
    const auto* data = static_cast<const std::uint8_t*>(xcb_input_xi_get_property_items(reply));
    for (std::uint32_t i = 0; i < reply->num_items; ++i) {
        switch (reply->format) {
            case 8:
                property.items.push_back(data[i]);
                break;
            case 16: {
                std::uint16_t v;
                std::memcpy(&v, data + 2 * i, sizeof v);
                property.items.push_back(v);
                break;
            }
            case 32: {
                std::uint32_t v;
                std::memcpy(&v, data + 4 * i, sizeof v);
                property.items.push_back(v);
                break;
            }
            default:
                return property;
        }
    }
    return property;
}

}  // namespace

struct XInputDevices::Connection {
    xcb_connection_t* c = nullptr;
    std::uint8_t opcode = 0;
    std::array<xcb_atom_t, 3> atoms{};  // node, enabled, send events

    ~Connection() {
        if (c) xcb_disconnect(c);
    }
};

std::unique_ptr<XInputDevices> XInputDevices::connect(const std::string& display) {
    auto connection = std::make_unique<Connection>();
    int screenNumber = 0;
    connection->c = xcb_connect(display.c_str(), &screenNumber);
    xcb_connection_t* c = connection->c;
    if (xcb_connection_has_error(c)) return nullptr;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(c, &xcb_input_id);
    if (!extension || !extension->present) return nullptr;
    connection->opcode = extension->major_opcode;
    Freed<xcb_input_xi_query_version_reply_t> version{
        xcb_input_xi_query_version_reply(c, xcb_input_xi_query_version(c, 2, 0), nullptr)};
    if (!version.reply || version.reply->major_version < 2) return nullptr;

    // Made when missing: a driver that comes later names its properties with the same atoms.
    const char* names[] = {deviceNodeName, deviceEnabledName, sendEventsName};
    xcb_intern_atom_cookie_t cookies[3];
    for (int i = 0; i < 3; ++i) {
        cookies[i] = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(names[i])), names[i]);
    }
    for (int i = 0; i < 3; ++i) {
        Freed<xcb_intern_atom_reply_t> atom{xcb_intern_atom_reply(c, cookies[i], nullptr)};
        if (!atom.reply) return nullptr;
        connection->atoms[static_cast<std::size_t>(i)] = atom.reply->atom;
    }

    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    if (!screens.rem) return nullptr;
    struct {
        xcb_input_event_mask_t head;
        std::uint32_t mask;
    } mask{{XCB_INPUT_DEVICE_ALL, 1}, XCB_INPUT_XI_EVENT_MASK_PROPERTY | XCB_INPUT_XI_EVENT_MASK_HIERARCHY};
    xcb_generic_error_t* error =
        xcb_request_check(c, xcb_input_xi_select_events_checked(c, screens.data->root, 1, &mask.head));
    if (error) {
        std::free(error);
        return nullptr;
    }
    return std::unique_ptr<XInputDevices>(new XInputDevices(std::move(connection)));
}

XInputDevices::XInputDevices(std::unique_ptr<Connection> connection) : connection_(std::move(connection)) {}

XInputDevices::~XInputDevices() = default;

int XInputDevices::fd() const { return xcb_get_file_descriptor(connection_->c); }

bool XInputDevices::broken() const { return xcb_connection_has_error(connection_->c) != 0; }

bool XInputDevices::takeEvents() {
    bool relevant = false;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_->c)) {
        if ((event->response_type & 0x7f) == XCB_GE_GENERIC) {
            const auto* generic = reinterpret_cast<const xcb_ge_generic_event_t*>(event);
            if (generic->extension == connection_->opcode) {
                if (generic->event_type == XCB_INPUT_HIERARCHY) relevant = true;
                if (generic->event_type == XCB_INPUT_PROPERTY) {
                    const auto* changed = reinterpret_cast<const xcb_input_property_event_t*>(event);
                    for (const xcb_atom_t atom : connection_->atoms) {
                        if (changed->property == atom) relevant = true;
                    }
                }
            }
        }
        std::free(event);
    }
    return relevant;
}

std::vector<XInputDevice> XInputDevices::devices() {
    xcb_connection_t* c = connection_->c;
    std::vector<XInputDevice> found;
    Freed<xcb_input_xi_query_device_reply_t> list{
        xcb_input_xi_query_device_reply(c, xcb_input_xi_query_device(c, XCB_INPUT_DEVICE_ALL), nullptr)};
    if (!list.reply) return found;

    // Every question first, then every answer: one round trip for all devices.
    struct Asked {
        std::array<xcb_input_xi_get_property_cookie_t, 3> cookies;
    };
    std::vector<Asked> asked;
    for (auto it = xcb_input_xi_query_device_infos_iterator(list.reply); it.rem; xcb_input_xi_device_info_next(&it)) {
        // Master devices are the server's own; only the others are read from a node.
        if (it.data->type == XCB_INPUT_DEVICE_TYPE_MASTER_POINTER ||
            it.data->type == XCB_INPUT_DEVICE_TYPE_MASTER_KEYBOARD) {
            continue;
        }
        Asked a{};
        for (std::size_t i = 0; i < 3; ++i) {
            a.cookies[i] = xcb_input_xi_get_property(c, it.data->deviceid, 0, connection_->atoms[i], XCB_ATOM_ANY, 0,
                                                     propertyLimit);
        }
        asked.push_back(a);
    }
    for (const Asked& a : asked) {
        std::array<std::optional<DeviceProperty>, 3> properties;
        bool gone = false;
        for (std::size_t i = 0; i < 3; ++i) {
            xcb_generic_error_t* error = nullptr;
            Freed<xcb_input_xi_get_property_reply_t> reply{xcb_input_xi_get_property_reply(c, a.cookies[i], &error)};
            if (error) {
                gone = true;  // went away since it was listed
                std::free(error);
            }
            properties[i] = propertyOf(reply.reply);
        }
        if (gone) continue;
        const auto node = deviceNodeOf(properties[0]);
        if (!node) continue;
        found.push_back({*node, deviceEventsOf(properties[1], properties[2])});
    }
    return found;
}

}  // namespace velorin::multitouch
