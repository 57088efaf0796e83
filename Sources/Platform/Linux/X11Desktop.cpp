#include "Platform/Linux/X11Desktop.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>
#include <xcb/xcb_icccm.h>

namespace velorin::linux_platform {

struct X11Desktop::State {
    xcb_connection_t* connection = nullptr;
    xcb_ewmh_connection_t ewmh{};
    bool ewmhReady = false;
    int screenNumber = 0;
    xcb_window_t root = 0;
};

namespace {
template <typename T>
struct Freed {
    T* p;
    ~Freed() { std::free(p); }
};
}  // namespace

X11Desktop::X11Desktop(const char* display) : state_(std::make_unique<State>()) {
    const char* name = display ? display : std::getenv("DISPLAY");
    if (!name || !*name) return;
    int screen = 0;
    xcb_connection_t* c = xcb_connect(name, &screen);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        return;
    }
    state_->connection = c;
    state_->screenNumber = screen;
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(c, &state_->ewmh);
    state_->ewmhReady = xcb_ewmh_init_atoms_replies(&state_->ewmh, cookies, nullptr) != 0;
    if (!state_->ewmhReady) return;
    state_->root = state_->ewmh.screens[screen]->root;
    // Activation and client-list changes arrive as property changes on the root.
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, state_->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
}

X11Desktop::~X11Desktop() {
    if (state_->ewmhReady) xcb_ewmh_connection_wipe(&state_->ewmh);
    if (state_->connection) xcb_disconnect(state_->connection);
}

bool X11Desktop::isConnected() const {
    return state_->connection && state_->ewmhReady && !xcb_connection_has_error(state_->connection);
}

int X11Desktop::fileDescriptor() const { return isConnected() ? xcb_get_file_descriptor(state_->connection) : -1; }

std::optional<X11Window> X11Desktop::describe(std::uint32_t window) {
    if (!isConnected() || window == 0) return std::nullopt;
    auto* c = state_->connection;
    auto& e = state_->ewmh;
    X11Window w;
    w.id = window;
    std::uint32_t pid = 0;
    if (xcb_ewmh_get_wm_pid_reply(&e, xcb_ewmh_get_wm_pid(&e, window), &pid, nullptr)) {
        w.pid = static_cast<std::int32_t>(pid);
    }
    xcb_icccm_get_wm_class_reply_t cls;
    if (xcb_icccm_get_wm_class_reply(c, xcb_icccm_get_wm_class(c, window), &cls, nullptr)) {
        w.instance = cls.instance_name ? cls.instance_name : "";
        w.windowClass = cls.class_name ? cls.class_name : "";
        xcb_icccm_get_wm_class_reply_wipe(&cls);
    }
    xcb_ewmh_get_utf8_strings_reply_t title;
    if (xcb_ewmh_get_wm_name_reply(&e, xcb_ewmh_get_wm_name(&e, window), &title, nullptr)) {
        w.title.assign(title.strings, title.strings_len);
        xcb_ewmh_get_utf8_strings_reply_wipe(&title);
    }
    xcb_ewmh_get_atoms_reply_t states;
    if (xcb_ewmh_get_wm_state_reply(&e, xcb_ewmh_get_wm_state(&e, window), &states, nullptr)) {
        for (std::uint32_t i = 0; i < states.atoms_len; ++i) {
            if (states.atoms[i] == e._NET_WM_STATE_HIDDEN) w.hidden = true;
        }
        xcb_ewmh_get_atoms_reply_wipe(&states);
    }
    return w;
}

std::optional<X11Window> X11Desktop::activeWindow() {
    if (!isConnected()) return std::nullopt;
    xcb_window_t active = 0;
    if (!xcb_ewmh_get_active_window_reply(&state_->ewmh,
                                          xcb_ewmh_get_active_window(&state_->ewmh, state_->screenNumber), &active,
                                          nullptr)) {
        return std::nullopt;
    }
    return describe(active);
}

std::vector<X11Window> X11Desktop::clientWindows() {
    std::vector<X11Window> out;
    if (!isConnected()) return out;
    auto& e = state_->ewmh;
    xcb_ewmh_get_windows_reply_t list;
    if (!xcb_ewmh_get_client_list_stacking_reply(&e, xcb_ewmh_get_client_list_stacking(&e, state_->screenNumber),
                                                 &list, nullptr) &&
        !xcb_ewmh_get_client_list_reply(&e, xcb_ewmh_get_client_list(&e, state_->screenNumber), &list, nullptr)) {
        return out;
    }
    for (std::uint32_t i = 0; i < list.windows_len; ++i) {
        if (auto w = describe(list.windows[i])) out.push_back(std::move(*w));
    }
    xcb_ewmh_get_windows_reply_wipe(&list);
    return out;
}

std::optional<Rect> X11Desktop::frame(std::uint32_t window) {
    if (!isConnected()) return std::nullopt;
    auto* c = state_->connection;
    Freed<xcb_get_geometry_reply_t> geo{xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr)};
    if (!geo.p) return std::nullopt;
    Freed<xcb_translate_coordinates_reply_t> pos{
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, state_->root, 0, 0), nullptr)};
    if (!pos.p) return std::nullopt;
    xcb_ewmh_get_extents_reply_t ext{};
    if (!xcb_ewmh_get_frame_extents_reply(&state_->ewmh, xcb_ewmh_get_frame_extents(&state_->ewmh, window), &ext,
                                          nullptr)) {
        ext = {};
    }
    return Rect{{static_cast<double>(pos.p->dst_x) - ext.left, static_cast<double>(pos.p->dst_y) - ext.top},
                {static_cast<double>(geo.p->width) + ext.left + ext.right,
                 static_cast<double>(geo.p->height) + ext.top + ext.bottom}};
}

bool X11Desktop::moveFrame(std::uint32_t window, Point topLeft) {
    if (!isConnected()) return false;
    // North-west gravity places the outer frame's corner at the given point.
    const auto flags = static_cast<xcb_ewmh_moveresize_window_opt_flags_t>(XCB_EWMH_MOVERESIZE_WINDOW_X |
                                                                            XCB_EWMH_MOVERESIZE_WINDOW_Y);
    // The coordinates travel as 32-bit words; negative ones keep their sign.
    xcb_ewmh_request_moveresize_window(&state_->ewmh, state_->screenNumber, window, XCB_GRAVITY_NORTH_WEST,
                                       XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, flags,
                                       static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(topLeft.x))),
                                       static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(topLeft.y))), 0,
                                       0);
    xcb_flush(state_->connection);
    return true;
}

bool X11Desktop::resizeFrame(std::uint32_t window, Size size) {
    if (!isConnected()) return false;
    xcb_ewmh_get_extents_reply_t ext{};
    if (!xcb_ewmh_get_frame_extents_reply(&state_->ewmh, xcb_ewmh_get_frame_extents(&state_->ewmh, window), &ext,
                                          nullptr)) {
        ext = {};
    }
    // The request sizes the client; the frame adds the decorations around it.
    const long w = std::lround(size.width - ext.left - ext.right);
    const long h = std::lround(size.height - ext.top - ext.bottom);
    if (w < 1 || h < 1 || w > 32767 || h > 32767) return false;
    const auto flags = static_cast<xcb_ewmh_moveresize_window_opt_flags_t>(XCB_EWMH_MOVERESIZE_WINDOW_WIDTH |
                                                                            XCB_EWMH_MOVERESIZE_WINDOW_HEIGHT);
    xcb_ewmh_request_moveresize_window(&state_->ewmh, state_->screenNumber, window, XCB_GRAVITY_NORTH_WEST,
                                       XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, flags, 0, 0,
                                       static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h));
    xcb_flush(state_->connection);
    return true;
}

bool X11Desktop::activate(std::uint32_t window) {
    if (!isConnected()) return false;
    xcb_ewmh_request_change_active_window(&state_->ewmh, state_->screenNumber, window,
                                          XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, XCB_CURRENT_TIME, 0);
    xcb_flush(state_->connection);
    return true;
}

bool X11Desktop::iconify(std::uint32_t window) {
    if (!isConnected()) return false;
    auto* c = state_->connection;
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen("WM_CHANGE_STATE"), "WM_CHANGE_STATE"), nullptr);
    if (!atom) return false;
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = window;
    ev.type = atom->atom;
    ev.data.data32[0] = XCB_ICCCM_WM_STATE_ICONIC;
    std::free(atom);
    xcb_send_event(c, 0, state_->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    xcb_flush(c);
    return true;
}

bool X11Desktop::toggleShowingDesktop() {
    if (!isConnected()) return false;
    std::uint32_t showing = 0;
    xcb_ewmh_get_showing_desktop_reply(&state_->ewmh, xcb_ewmh_get_showing_desktop(&state_->ewmh, state_->screenNumber),
                                       &showing, nullptr);
    // Written out here: the helper library's request names no window, and
    // window managers take this message only when it names the root.
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = state_->root;
    ev.type = state_->ewmh._NET_SHOWING_DESKTOP;
    ev.data.data32[0] = showing ? 0 : 1;
    xcb_send_event(state_->connection, 0, state_->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    xcb_flush(state_->connection);
    return true;
}

void X11Desktop::processEvents(const std::function<void(Change)>& changed, bool readSocket) {
    if (!isConnected()) return;
    auto* c = state_->connection;
    while (xcb_generic_event_t* event = readSocket ? xcb_poll_for_event(c) : xcb_poll_for_queued_event(c)) {
        if ((event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY) {
            const auto* p = reinterpret_cast<xcb_property_notify_event_t*>(event);
            if (p->window == state_->root) {
                if (p->atom == state_->ewmh._NET_ACTIVE_WINDOW) changed(Change::activeWindow);
                if (p->atom == state_->ewmh._NET_CLIENT_LIST) changed(Change::clientList);
            }
        }
        std::free(event);
    }
}

}  // namespace velorin::linux_platform
