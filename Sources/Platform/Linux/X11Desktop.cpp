#include "Platform/Linux/X11Desktop.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <poll.h>

#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>
#include <xcb/xcb_icccm.h>

#include "Platform/Linux/StartupNotification.h"

namespace velorin::linux_platform {

struct X11Desktop::State {
    xcb_connection_t* connection = nullptr;
    xcb_ewmh_connection_t ewmh{};
    bool ewmhReady = false;
    int screenNumber = 0;
    xcb_window_t root = 0;
    xcb_atom_t gtkFrameExtents = XCB_ATOM_NONE;
    xcb_atom_t wmChangeState = XCB_ATOM_NONE;
    xcb_atom_t startupId = XCB_ATOM_NONE;
    std::string displayName;
    // The windows iconified to show the desktop for a window manager that
    // cannot show it itself, given back on the next toggle.
    std::vector<xcb_window_t> iconifiedForDesktop;
    // Startup notification's own connection: waiting there for the event that
    // carries the time takes no event from the main connection's reader.
    xcb_connection_t* feedback = nullptr;
    xcb_window_t feedbackWindow = 0;
    xcb_atom_t startupInfoBegin = XCB_ATOM_NONE, startupInfo = XCB_ATOM_NONE, timestamp = XCB_ATOM_NONE;
};

namespace {
template <typename T>
struct Freed {
    T* p;
    ~Freed() { std::free(p); }
};

xcb_intern_atom_cookie_t internAtom(xcb_connection_t* c, const char* name) {
    return xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
}

xcb_atom_t atomReply(xcb_connection_t* c, xcb_intern_atom_cookie_t cookie) {
    Freed<xcb_intern_atom_reply_t> r{xcb_intern_atom_reply(c, cookie, nullptr)};
    return r.p ? r.p->atom : xcb_atom_t{XCB_ATOM_NONE};
}

// Four CARDINALs: left, right, top, bottom.
FrameEdges edgesReply(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    Freed<xcb_get_property_reply_t> r{xcb_get_property_reply(c, cookie, nullptr)};
    if (!r.p || r.p->format != 32 || xcb_get_property_value_length(r.p) < 16) return {};
    const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(r.p));
    return {static_cast<double>(v[0]), static_cast<double>(v[1]), static_cast<double>(v[2]),
            static_cast<double>(v[3])};
}

using SteadyClock = std::chrono::steady_clock;

// Within a pixel: frames in points are rounded to pixels on the way.
bool near(double a, double b) { return std::abs(a - b) <= 1; }
bool near(Point a, Point b) { return near(a.x, b.x) && near(a.y, b.y); }
bool near(Size a, Size b) { return near(a.width, b.width) && near(a.height, b.height); }

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
    state_->displayName = name;
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(c, &state_->ewmh);
    state_->ewmhReady = xcb_ewmh_init_atoms_replies(&state_->ewmh, cookies, nullptr) != 0;
    if (!state_->ewmhReady) return;
    state_->root = state_->ewmh.screens[screen]->root;
    const auto gtk = internAtom(c, "_GTK_FRAME_EXTENTS");
    const auto change = internAtom(c, "WM_CHANGE_STATE");
    const auto startup = internAtom(c, "_NET_STARTUP_ID");
    state_->gtkFrameExtents = atomReply(c, gtk);
    state_->wmChangeState = atomReply(c, change);
    state_->startupId = atomReply(c, startup);
    // Activation and client-list changes arrive as property changes on the root.
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, state_->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
}

X11Desktop::~X11Desktop() {
    if (state_->feedback) xcb_disconnect(state_->feedback);
    if (state_->ewmhReady) xcb_ewmh_connection_wipe(&state_->ewmh);
    if (state_->connection) xcb_disconnect(state_->connection);
}

bool X11Desktop::isConnected() const {
    return state_->connection && state_->ewmhReady && !xcb_connection_has_error(state_->connection);
}

int X11Desktop::fileDescriptor() const { return isConnected() ? xcb_get_file_descriptor(state_->connection) : -1; }

// The four requests that describe a window, sent together so that many
// windows cost one round trip rather than four each.
struct X11Desktop::DescribeCookies {
    xcb_window_t window;
    xcb_get_property_cookie_t pid, windowClass, name, state, startupId;
};

X11Desktop::DescribeCookies X11Desktop::requestDescription(std::uint32_t window) {
    auto* c = state_->connection;
    auto& e = state_->ewmh;
    return {window,
            xcb_ewmh_get_wm_pid(&e, window),
            xcb_icccm_get_wm_class(c, window),
            xcb_ewmh_get_wm_name(&e, window),
            xcb_ewmh_get_wm_state(&e, window),
            xcb_get_property(c, 0, window, state_->startupId, XCB_GET_PROPERTY_TYPE_ANY, 0, 256)};
}

X11Window X11Desktop::collectDescription(const DescribeCookies& k) {
    auto* c = state_->connection;
    auto& e = state_->ewmh;
    X11Window w;
    w.id = k.window;
    std::uint32_t pid = 0;
    if (xcb_ewmh_get_wm_pid_reply(&e, k.pid, &pid, nullptr)) w.pid = static_cast<std::int32_t>(pid);
    xcb_icccm_get_wm_class_reply_t cls;
    if (xcb_icccm_get_wm_class_reply(c, k.windowClass, &cls, nullptr)) {
        w.instance = cls.instance_name ? cls.instance_name : "";
        w.windowClass = cls.class_name ? cls.class_name : "";
        xcb_icccm_get_wm_class_reply_wipe(&cls);
    }
    xcb_ewmh_get_utf8_strings_reply_t title;
    if (xcb_ewmh_get_wm_name_reply(&e, k.name, &title, nullptr)) {
        w.title.assign(title.strings, title.strings_len);
        xcb_ewmh_get_utf8_strings_reply_wipe(&title);
    }
    xcb_ewmh_get_atoms_reply_t states;
    if (xcb_ewmh_get_wm_state_reply(&e, k.state, &states, nullptr)) {
        for (std::uint32_t i = 0; i < states.atoms_len; ++i) {
            if (states.atoms[i] == e._NET_WM_STATE_HIDDEN) w.hidden = true;
        }
        xcb_ewmh_get_atoms_reply_wipe(&states);
    }
    Freed<xcb_get_property_reply_t> startup{xcb_get_property_reply(c, k.startupId, nullptr)};
    if (startup.p && startup.p->format == 8) {
        w.startupId.assign(static_cast<const char*>(xcb_get_property_value(startup.p)),
                           static_cast<std::size_t>(xcb_get_property_value_length(startup.p)));
    }
    return w;
}

std::optional<X11Window> X11Desktop::describe(std::uint32_t window) {
    if (!isConnected() || window == 0) return std::nullopt;
    return collectDescription(requestDescription(window));
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
    std::vector<DescribeCookies> cookies;
    cookies.reserve(list.windows_len);
    for (std::uint32_t i = 0; i < list.windows_len; ++i) {
        if (list.windows[i] != 0) cookies.push_back(requestDescription(list.windows[i]));
    }
    xcb_ewmh_get_windows_reply_wipe(&list);
    out.reserve(cookies.size());
    for (const auto& k : cookies) out.push_back(collectDescription(k));
    return out;
}

std::optional<Rect> X11Desktop::outerFrame(std::uint32_t window) {
    auto* c = state_->connection;
    // The window manager's frame is the client's ancestor just below the root.
    xcb_window_t top = window;
    for (int depth = 0; depth < 16; ++depth) {
        Freed<xcb_query_tree_reply_t> tree{xcb_query_tree_reply(c, xcb_query_tree(c, top), nullptr)};
        if (!tree.p) return std::nullopt;
        if (tree.p->parent == state_->root || tree.p->parent == XCB_WINDOW_NONE) break;
        top = tree.p->parent;
    }
    Freed<xcb_get_geometry_reply_t> geo{xcb_get_geometry_reply(c, xcb_get_geometry(c, top), nullptr)};
    if (!geo.p) return std::nullopt;
    // A child of the root: its position is its border's outer corner, in root pixels.
    const double border = geo.p->border_width;
    return Rect{{static_cast<double>(geo.p->x), static_cast<double>(geo.p->y)},
                {geo.p->width + 2 * border, geo.p->height + 2 * border}};
}

std::optional<WindowParts> X11Desktop::parts(std::uint32_t window) {
    if (!isConnected() || window == 0) return std::nullopt;
    auto* c = state_->connection;
    // All four asked at once: one round trip.
    const auto geoCookie = xcb_get_geometry(c, window);
    const auto posCookie = xcb_translate_coordinates(c, window, state_->root, 0, 0);
    const auto decoCookie = xcb_ewmh_get_frame_extents(&state_->ewmh, window);
    const auto shadowCookie =
        xcb_get_property(c, 0, window, state_->gtkFrameExtents, XCB_ATOM_CARDINAL, 0, 4);
    Freed<xcb_get_geometry_reply_t> geo{xcb_get_geometry_reply(c, geoCookie, nullptr)};
    Freed<xcb_translate_coordinates_reply_t> pos{xcb_translate_coordinates_reply(c, posCookie, nullptr)};
    xcb_ewmh_get_extents_reply_t ext{};
    const bool decorated = xcb_ewmh_get_frame_extents_reply(&state_->ewmh, decoCookie, &ext, nullptr) != 0;
    const FrameEdges shadow = edgesReply(c, shadowCookie);
    if (!geo.p || !pos.p) return std::nullopt;
    WindowParts p;
    p.client = Rect{{static_cast<double>(pos.p->dst_x), static_cast<double>(pos.p->dst_y)},
                    {static_cast<double>(geo.p->width), static_cast<double>(geo.p->height)}};
    std::optional<FrameEdges> declared;
    if (decorated) {
        declared = FrameEdges{static_cast<double>(ext.left), static_cast<double>(ext.right),
                              static_cast<double>(ext.top), static_cast<double>(ext.bottom)};
    }
    const auto outer = outerFrame(window);
    if (!outer) return std::nullopt;
    p.decorations = decorationsWithin(p.client, *outer, declared);
    p.shadow = shadow;
    return p;
}

std::optional<Rect> X11Desktop::frame(std::uint32_t window) {
    const auto p = parts(window);
    if (!p) return std::nullopt;
    return p->visibleFrame();
}

bool X11Desktop::leaveFixedStates(std::uint32_t window) {
    auto& e = state_->ewmh;
    auto fixedStates = [&] {
        std::vector<xcb_atom_t> found;
        xcb_ewmh_get_atoms_reply_t states;
        if (xcb_ewmh_get_wm_state_reply(&e, xcb_ewmh_get_wm_state(&e, window), &states, nullptr)) {
            for (std::uint32_t i = 0; i < states.atoms_len; ++i) {
                const xcb_atom_t a = states.atoms[i];
                if (a == e._NET_WM_STATE_MAXIMIZED_VERT || a == e._NET_WM_STATE_MAXIMIZED_HORZ ||
                    a == e._NET_WM_STATE_FULLSCREEN) {
                    found.push_back(a);
                }
            }
            xcb_ewmh_get_atoms_reply_wipe(&states);
        }
        return found;
    };
    const auto found = fixedStates();
    if (found.empty()) return true;
    // A maximised, tiled (maximised one way) or full-screen window stays where
    // the window manager keeps it: it leaves that state first.
    for (std::size_t i = 0; i < found.size(); i += 2) {
        xcb_ewmh_request_change_wm_state(&e, state_->screenNumber, window, XCB_EWMH_WM_STATE_REMOVE, found[i],
                                         i + 1 < found.size() ? found[i + 1] : xcb_atom_t{XCB_ATOM_NONE},
                                         XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER);
    }
    xcb_flush(state_->connection);
    const auto deadline = SteadyClock::now() + settleTime;
    while (SteadyClock::now() < deadline) {
        if (!isConnected()) return false;
        if (fixedStates().empty()) return true;
        poll(nullptr, 0, 5);
    }
    return false;
}

bool X11Desktop::settles(std::uint32_t window, const Rect& before, const std::function<bool(const Rect&)>& reached) {
    // Window managers answer a request by configuring the window, or not at
    // all: wait for the frame to get there, to change and hold still (the
    // window manager placed it its own way), or for the time to run out.
    const auto deadline = SteadyClock::now() + settleTime;
    std::optional<Rect> last;
    int steady = 0;
    for (;;) {
        if (!isConnected()) return false;
        const auto now = frame(window);
        if (!now) return false;
        if (reached(*now)) return true;
        const bool moved = !(near(now->origin, before.origin) && near(now->size, before.size));
        steady = last && *last == *now ? steady + 1 : 0;
        last = now;
        if (moved && steady >= 10) return true;
        if (SteadyClock::now() >= deadline) return moved;
        poll(nullptr, 0, 5);
    }
}

bool X11Desktop::moveFrame(std::uint32_t window, Point topLeft) {
    if (!isConnected()) return false;
    if (!leaveFixedStates(window)) return false;
    const auto p = parts(window);
    if (!p) return false;
    const Rect before = p->visibleFrame();
    const Point target{static_cast<double>(std::lround(topLeft.x)), static_cast<double>(std::lround(topLeft.y))};
    const Point outer = p->outerOrigin(target);
    // North-west gravity places the outer frame's corner at the given point.
    const auto flags = static_cast<xcb_ewmh_moveresize_window_opt_flags_t>(XCB_EWMH_MOVERESIZE_WINDOW_X |
                                                                            XCB_EWMH_MOVERESIZE_WINDOW_Y);
    // The coordinates travel as 32-bit words; negative ones keep their sign.
    xcb_ewmh_request_moveresize_window(&state_->ewmh, state_->screenNumber, window, XCB_GRAVITY_NORTH_WEST,
                                       XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, flags,
                                       static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(outer.x))),
                                       static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(outer.y))), 0,
                                       0);
    xcb_flush(state_->connection);
    return settles(window, before, [&](const Rect& now) { return near(now.origin, target); });
}

bool X11Desktop::resizeFrame(std::uint32_t window, Size size) {
    if (!isConnected()) return false;
    if (!leaveFixedStates(window)) return false;
    const auto p = parts(window);
    if (!p) return false;
    // The request sizes the client; the frame adds the decorations around it
    // and takes off the shadow inside it.
    const Size client = p->clientSize(size);
    const long w = std::lround(client.width);
    const long h = std::lround(client.height);
    if (w < 1 || h < 1 || w > 32767 || h > 32767) return false;
    const Rect before = p->visibleFrame();
    const Size expected = p->visibleSize(
        constrainedClientSize({static_cast<double>(w), static_cast<double>(h)}, sizeHints(window)));
    const auto flags = static_cast<xcb_ewmh_moveresize_window_opt_flags_t>(XCB_EWMH_MOVERESIZE_WINDOW_WIDTH |
                                                                            XCB_EWMH_MOVERESIZE_WINDOW_HEIGHT);
    xcb_ewmh_request_moveresize_window(&state_->ewmh, state_->screenNumber, window, XCB_GRAVITY_NORTH_WEST,
                                       XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER, flags, 0, 0,
                                       static_cast<std::uint32_t>(w), static_cast<std::uint32_t>(h));
    xcb_flush(state_->connection);
    return settles(window, before, [&](const Rect& now) { return near(now.size, expected); });
}

SizeHints X11Desktop::sizeHints(std::uint32_t window) {
    auto* c = state_->connection;
    xcb_size_hints_t h{};
    SizeHints out;
    if (!xcb_icccm_get_wm_normal_hints_reply(c, xcb_icccm_get_wm_normal_hints(c, window), &h, nullptr)) return out;
    auto size = [](std::int32_t w, std::int32_t hh) { return Size{static_cast<double>(w), static_cast<double>(hh)}; };
    if (h.flags & XCB_ICCCM_SIZE_HINT_P_MIN_SIZE) out.minimum = size(h.min_width, h.min_height);
    if (h.flags & XCB_ICCCM_SIZE_HINT_P_MAX_SIZE) out.maximum = size(h.max_width, h.max_height);
    if (h.flags & XCB_ICCCM_SIZE_HINT_BASE_SIZE) out.base = size(h.base_width, h.base_height);
    if (h.flags & XCB_ICCCM_SIZE_HINT_P_RESIZE_INC) out.increment = size(h.width_inc, h.height_inc);
    return out;
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
    if (state_->wmChangeState == XCB_ATOM_NONE) return false;
    xcb_client_message_event_t ev{};
    ev.response_type = XCB_CLIENT_MESSAGE;
    ev.format = 32;
    ev.window = window;
    ev.type = state_->wmChangeState;
    ev.data.data32[0] = XCB_ICCCM_WM_STATE_ICONIC;
    xcb_send_event(c, 0, state_->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&ev));
    xcb_flush(c);
    return true;
}

bool X11Desktop::supports(xcb_atom_t hint) {
    auto& e = state_->ewmh;
    xcb_ewmh_get_atoms_reply_t supported;
    if (!xcb_ewmh_get_supported_reply(&e, xcb_ewmh_get_supported(&e, state_->screenNumber), &supported, nullptr)) {
        return false;
    }
    const bool found = std::find(supported.atoms, supported.atoms + supported.atoms_len, hint) !=
                       supported.atoms + supported.atoms_len;
    xcb_ewmh_get_atoms_reply_wipe(&supported);
    return found;
}

bool X11Desktop::toggleShowingDesktop() {
    if (!isConnected()) return false;
    if (!supports(state_->ewmh._NET_SHOWING_DESKTOP)) return toggleDesktopByIconifying();
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

bool X11Desktop::toggleDesktopByIconifying() {
    auto& e = state_->ewmh;
    auto& iconified = state_->iconifiedForDesktop;
    const auto clients = clientWindows();
    auto stillHidden = [&](xcb_window_t w) {
        return std::any_of(clients.begin(), clients.end(), [&](const X11Window& c) { return c.id == w && c.hidden; });
    };
    if (std::any_of(iconified.begin(), iconified.end(), stillHidden)) {
        // Mapping an iconified window makes it normal again; bottom first, so
        // the stack comes back as it was.
        for (const xcb_window_t w : iconified) {
            if (stillHidden(w)) xcb_map_window(state_->connection, w);
        }
        xcb_flush(state_->connection);
        iconified.clear();
        return true;
    }
    iconified.clear();
    for (const auto& c : clients) {
        if (c.hidden) continue;
        // Panels and the desktop itself stay.
        bool kept = false;
        xcb_ewmh_get_atoms_reply_t types;
        if (xcb_ewmh_get_wm_window_type_reply(&e, xcb_ewmh_get_wm_window_type(&e, c.id), &types, nullptr)) {
            for (std::uint32_t i = 0; i < types.atoms_len; ++i) {
                kept = kept || types.atoms[i] == e._NET_WM_WINDOW_TYPE_DOCK ||
                       types.atoms[i] == e._NET_WM_WINDOW_TYPE_DESKTOP;
            }
            xcb_ewmh_get_atoms_reply_wipe(&types);
        }
        if (kept) continue;
        if (iconify(c.id)) iconified.push_back(c.id);
    }
    return true;
}

bool X11Desktop::openFeedbackConnection() {
    if (state_->feedback) return !xcb_connection_has_error(state_->feedback);
    if (!isConnected()) return false;
    int screen = 0;
    xcb_connection_t* c = xcb_connect(state_->displayName.c_str(), &screen);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        return false;
    }
    state_->feedback = c;
    // Never mapped: it names the messages' sender and takes the property
    // changes that tell the time.
    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t values[] = {1, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, state_->root, -1, -1, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    state_->feedbackWindow = window;
    const auto begin = internAtom(c, "_NET_STARTUP_INFO_BEGIN");
    const auto info = internAtom(c, "_NET_STARTUP_INFO");
    const auto timestamp = internAtom(c, "_VELORIN_TIMESTAMP");
    state_->startupInfoBegin = atomReply(c, begin);
    state_->startupInfo = atomReply(c, info);
    state_->timestamp = atomReply(c, timestamp);
    return !xcb_connection_has_error(c) && state_->startupInfoBegin != XCB_ATOM_NONE &&
           state_->startupInfo != XCB_ATOM_NONE;
}

int X11Desktop::screenNumber() const { return state_->screenNumber; }

std::optional<std::uint32_t> X11Desktop::serverTime() {
    if (!openFeedbackConnection()) return std::nullopt;
    auto* c = state_->feedback;
    // Appending nothing changes nothing, yet the server reports the change
    // with its time.
    xcb_change_property(c, XCB_PROP_MODE_APPEND, state_->feedbackWindow, state_->timestamp, XCB_ATOM_STRING, 8, 0,
                        nullptr);
    xcb_flush(c);
    const auto deadline = SteadyClock::now() + std::chrono::seconds(1);
    while (SteadyClock::now() < deadline) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            std::optional<std::uint32_t> time;
            if ((event->response_type & ~0x80) == XCB_PROPERTY_NOTIFY) {
                const auto* p = reinterpret_cast<xcb_property_notify_event_t*>(event);
                if (p->window == state_->feedbackWindow && p->atom == state_->timestamp) time = p->time;
            }
            std::free(event);
            if (time) return time;
        }
        if (xcb_connection_has_error(c)) return std::nullopt;
        pollfd p{xcb_get_file_descriptor(c), POLLIN, 0};
        poll(&p, 1, 50);
    }
    return std::nullopt;
}

std::optional<std::uint32_t> X11Desktop::currentDesktop() {
    if (!isConnected()) return std::nullopt;
    std::uint32_t desktop = 0;
    if (!xcb_ewmh_get_current_desktop_reply(&state_->ewmh,
                                            xcb_ewmh_get_current_desktop(&state_->ewmh, state_->screenNumber),
                                            &desktop, nullptr)) {
        return std::nullopt;
    }
    return desktop;
}

bool X11Desktop::broadcastStartupMessage(std::string_view message) {
    if (!openFeedbackConnection()) return false;
    auto* c = state_->feedback;
    bool first = true;
    for (const auto& piece : startupMessagePieces(message)) {
        xcb_client_message_event_t ev{};
        ev.response_type = XCB_CLIENT_MESSAGE;
        ev.format = 8;
        ev.window = state_->feedbackWindow;
        ev.type = first ? state_->startupInfoBegin : state_->startupInfo;
        std::memcpy(ev.data.data8, piece.data(), piece.size());
        xcb_send_event(c, 0, state_->root, XCB_EVENT_MASK_PROPERTY_CHANGE, reinterpret_cast<const char*>(&ev));
        first = false;
    }
    xcb_flush(c);
    return !xcb_connection_has_error(c);
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
