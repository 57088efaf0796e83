#include "XSession.h"

#include "ChildProcess.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string_view>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <xcb/xcb_icccm.h>

namespace velorin::testing {
namespace fs = std::filesystem;
std::optional<std::string> missingProgram(const std::vector<std::string>& programs) {
    for (const auto& program : programs) {
        if (onPath(program).empty()) return program;
    }
    return std::nullopt;
}

XSession::XSession() {
    folder_ = (fs::temp_directory_path() / ("velorin-x-" + std::to_string(getpid()))).string();
    fs::create_directories(folder_);
}

XSession::~XSession() {
    end(windowManager_);
    end(server_);
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

std::optional<std::string> XSession::start() {
    // The server picks a free display number and writes it to this pipe once
    // it accepts connections.
    int ready[2];
    if (pipe2(ready, O_CLOEXEC) != 0) return "no pipe: " + std::string(std::strerror(errno));
    const int serverLog = open((folder_ + "/Xvfb.log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int rc = startChild(server_, "Xvfb",
                              {"Xvfb", "-displayfd", "3", "-screen", "0", "1280x800x24", "-nolisten", "tcp", "-noreset"},
                              environmentWith({}), {{0, -1}, {1, -1}, {2, serverLog}, {3, ready[1]}});
    if (serverLog >= 0) close(serverLog);
    close(ready[1]);
    if (rc != 0) {
        close(ready[0]);
        server_ = -1;
        return "Xvfb did not start: " + std::string(std::strerror(rc));
    }
    std::string number;
    const auto deadline = Clock::now() + std::chrono::seconds(15);
    while (number.find('\n') == std::string::npos && Clock::now() < deadline) {
        pollfd p{ready[0], POLLIN, 0};
        if (poll(&p, 1, 100) <= 0) continue;
        char buf[32];
        const ssize_t n = read(ready[0], buf, sizeof buf);
        if (n <= 0) break;
        number.append(buf, static_cast<std::size_t>(n));
    }
    close(ready[0]);
    if (number.find('\n') == std::string::npos) return "Xvfb gave no display number (see " + folder_ + "/Xvfb.log)";
    displayNumber_ = number.substr(0, number.find('\n'));
    display_ = ":" + displayNumber_;

    // The window manager, with a configuration folder of its own so a user's
    // settings change nothing.
    // VELORIN_TEST_WINDOW_MANAGER runs the same tests under another one, a
    // command with its arguments apart by spaces ("metacity",
    // "dbus-run-session -- xfwm4" for one that needs a session bus).
    const char* chosen = std::getenv("VELORIN_TEST_WINDOW_MANAGER");
    std::vector<std::string> command;
    for (std::string_view rest = chosen && *chosen ? chosen : "openbox"; !rest.empty();) {
        const auto space = rest.find(' ');
        if (space != 0) command.emplace_back(rest.substr(0, space));
        rest = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    }
    if (command.empty()) command.emplace_back("openbox");
    const std::string wmName = command.back();
    const std::string wmLogPath = folder_ + "/" + fs::path(wmName).filename().string() + ".log";
    const int wmLog = open(wmLogPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const int wmRc = startChild(windowManager_, command.front(), command,
                                environmentWith({{"DISPLAY", display_}, {"XDG_CONFIG_HOME", folder_ + "/config"}}),
                                {{0, -1}, {1, -1}, {2, wmLog}});
    if (wmLog >= 0) close(wmLog);
    if (wmRc != 0) {
        windowManager_ = -1;
        return wmName + " did not start: " + std::string(std::strerror(wmRc));
    }
    XClient probe(display_);
    if (!probe.isConnected()) return "cannot connect to Xvfb on " + display_;
    const bool up = waitFor([&] { return probe.supportingWindowManager(); },
                            [&] {
                                if (exited(windowManager_)) windowManager_ = -1;
                                poll(nullptr, 0, 20);
                            });
    if (!up) return wmName + " did not take over " + display_ + " (see " + wmLogPath + ")";
    // Running its event loop, not just started: it manages a window and lets it go.
    const xcb_window_t w = probe.openWindow("ready", "Ready", 1);
    auto managed = [&] {
        const auto list = probe.clientList();
        return std::find(list.begin(), list.end(), w) != list.end();
    };
    const auto nudge = [&] {
        probe.nudgeWindowManager();
        poll(nullptr, 0, 20);
    };
    if (!waitFor(managed, nudge)) return wmName + " never managed a window on " + display_;
    probe.closeWindow(w);
    if (!waitFor([&] { return !managed(); }, nudge)) return wmName + " never let a window go on " + display_;
    return std::nullopt;
}

void XSession::killServer() {
    if (server_ <= 0) return;
    kill(server_, SIGKILL);
    int status = 0;
    waitpid(server_, &status, 0);
    server_ = -1;
    // What a server leaves behind when it cannot clean up after itself.
    std::error_code ec;
    fs::remove("/tmp/.X" + displayNumber_ + "-lock", ec);
    fs::remove("/tmp/.X11-unix/X" + displayNumber_, ec);
}

void XSession::endWindowManager() { end(windowManager_); }

XClient::XClient(const std::string& display) {
    int screen = 0;
    xcb_connection_t* c = xcb_connect(display.c_str(), &screen);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        return;
    }
    if (!xcb_ewmh_init_atoms_replies(&ewmh_, xcb_ewmh_init_atoms(c, &ewmh_), nullptr)) {
        xcb_disconnect(c);
        return;
    }
    connection_ = c;
    root_ = ewmh_.screens[screen]->root;
}

XClient::~XClient() {
    if (!connection_) return;
    xcb_ewmh_connection_wipe(&ewmh_);
    xcb_disconnect(connection_);
}

xcb_window_t XClient::openWindow(const std::string& instance, const std::string& windowClass, std::uint32_t pid,
                                 std::uint16_t width, std::uint16_t height, const std::string& startupId) {
    auto* c = connection_;
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t w = xcb_generate_id(c);
    const std::uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root_, 0, 0, width, height, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                      screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    std::string cls = instance;
    cls.push_back('\0');
    cls += windowClass;
    cls.push_back('\0');
    xcb_icccm_set_wm_class(c, w, static_cast<std::uint32_t>(cls.size()), cls.data());
    xcb_icccm_set_wm_name(c, w, XCB_ATOM_STRING, 8, static_cast<std::uint32_t>(windowClass.size()),
                          windowClass.c_str());
    xcb_ewmh_set_wm_pid(&ewmh_, w, pid);
    xcb_icccm_wm_hints_t hints{};
    xcb_icccm_wm_hints_set_input(&hints, 1);
    xcb_icccm_wm_hints_set_normal(&hints);
    xcb_icccm_set_wm_hints(c, w, &hints);
    if (!startupId.empty()) {
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, std::strlen("_NET_STARTUP_ID"), "_NET_STARTUP_ID"), nullptr);
        if (atom) {
            xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, atom->atom, ewmh_.UTF8_STRING, 8,
                                static_cast<std::uint32_t>(startupId.size()), startupId.data());
            std::free(atom);
        }
    }
    xcb_map_window(c, w);
    xcb_flush(c);
    return w;
}

StartupListener::StartupListener(const std::string& display) {
    int screen = 0;
    xcb_connection_t* c = xcb_connect(display.c_str(), &screen);
    if (!c || xcb_connection_has_error(c)) {
        if (c) xcb_disconnect(c);
        return;
    }
    connection_ = c;
    auto atom = [&](const char* name) {
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(r);
        return a;
    };
    begin_ = atom("_NET_STARTUP_INFO_BEGIN");
    info_ = atom("_NET_STARTUP_INFO");
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screen; ++i) xcb_screen_next(&it);
    // The messages go to the root window with this mask: listeners select it there.
    const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(c, it.data->root, XCB_CW_EVENT_MASK, &mask);
    // Done once the server has it: nothing sent after this is missed.
    std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

StartupListener::~StartupListener() {
    if (connection_) xcb_disconnect(connection_);
}

const std::vector<StartupListener::Received>& StartupListener::messages() {
    if (!connection_) return messages_;
    while (xcb_generic_event_t* e = xcb_poll_for_event(connection_)) {
        if ((e->response_type & ~0x80) == XCB_CLIENT_MESSAGE) {
            const auto* m = reinterpret_cast<xcb_client_message_event_t*>(e);
            if (m->format == 8 && (m->type == begin_ || m->type == info_)) {
                auto it = std::find_if(partial_.begin(), partial_.end(), [&](const auto& p) { return p.sender == m->window; });
                if (m->type == begin_) {
                    if (it != partial_.end()) partial_.erase(it);
                    partial_.push_back({m->window, std::string()});
                    it = std::prev(partial_.end());
                }
                if (it != partial_.end()) {
                    const char* data = reinterpret_cast<const char*>(m->data.data8);
                    const std::size_t n = strnlen(data, 20);
                    it->text.append(data, n);
                    if (n < 20) {  // its nul came: the message is whole
                        messages_.push_back(std::move(*it));
                        partial_.erase(it);
                    }
                }
            }
        }
        std::free(e);
    }
    return messages_;
}

std::optional<std::string> StartupMessage::field(const std::string& key) const {
    for (const auto& [k, v] : fields) {
        if (k == key) return v;
    }
    return std::nullopt;
}

std::optional<StartupMessage> parseStartupMessage(const std::string& text) {
    const auto colon = text.find(':');
    if (colon == std::string::npos) return std::nullopt;
    StartupMessage message{text.substr(0, colon), {}};
    std::size_t i = colon + 1;
    while (i < text.size()) {
        while (i < text.size() && text[i] == ' ') ++i;
        if (i >= text.size()) break;
        const auto eq = text.find('=', i);
        if (eq == std::string::npos) return std::nullopt;
        std::string key = text.substr(i, eq - i), value;
        i = eq + 1;
        bool quoted = false;
        for (; i < text.size(); ++i) {
            const char c = text[i];
            if (c == '\\' && i + 1 < text.size()) {
                value += text[++i];
            } else if (c == '"') {
                quoted = !quoted;
            } else if (c == ' ' && !quoted) {
                break;
            } else {
                value += c;
            }
        }
        message.fields.emplace_back(std::move(key), std::move(value));
    }
    return message;
}

void XClient::closeWindow(xcb_window_t window) {
    xcb_destroy_window(connection_, window);
    xcb_flush(connection_);
}

std::vector<xcb_window_t> XClient::clientList() {
    std::vector<xcb_window_t> out;
    xcb_ewmh_get_windows_reply_t list;
    if (xcb_ewmh_get_client_list_reply(&ewmh_, xcb_ewmh_get_client_list(&ewmh_, 0), &list, nullptr)) {
        out.assign(list.windows, list.windows + list.windows_len);
        xcb_ewmh_get_windows_reply_wipe(&list);
    }
    // Events this client does not ask for still arrive; drop them.
    while (xcb_generic_event_t* e = xcb_poll_for_event(connection_)) std::free(e);
    return out;
}

std::optional<xcb_window_t> XClient::activeWindow() {
    xcb_window_t active = 0;
    if (!xcb_ewmh_get_active_window_reply(&ewmh_, xcb_ewmh_get_active_window(&ewmh_, 0), &active, nullptr) ||
        active == 0) {
        return std::nullopt;
    }
    return active;
}

bool XClient::supportingWindowManager() {
    xcb_window_t check = 0;
    return xcb_ewmh_get_supporting_wm_check_reply(&ewmh_, xcb_ewmh_get_supporting_wm_check(&ewmh_, root_), &check,
                                                  nullptr) &&
           check != 0;
}

bool XClient::showingDesktop() {
    std::uint32_t showing = 0;
    return xcb_ewmh_get_showing_desktop_reply(&ewmh_, xcb_ewmh_get_showing_desktop(&ewmh_, 0), &showing, nullptr) &&
           showing != 0;
}

void XClient::nudgeWindowManager() {
    static std::uint32_t count = 0;
    ++count;
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, std::strlen("_VELORIN_TEST_NUDGE"), "_VELORIN_TEST_NUDGE"),
        nullptr);
    if (!atom) return;
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, root_, atom->atom, XCB_ATOM_CARDINAL, 32, 1, &count);
    std::free(atom);
    xcb_flush(connection_);
}

std::optional<Rect> XClient::outerFrame(xcb_window_t window) {
    auto* c = connection_;
    xcb_window_t top = window;
    for (;;) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, top), nullptr);
        if (!tree) return std::nullopt;
        const xcb_window_t parent = tree->parent;
        std::free(tree);
        if (parent == root_ || parent == 0) break;
        top = parent;
    }
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, top), nullptr);
    if (!g) return std::nullopt;
    const Rect r{{static_cast<double>(g->x), static_cast<double>(g->y)},
                 {static_cast<double>(g->width + 2 * g->border_width),
                  static_cast<double>(g->height + 2 * g->border_width)}};
    std::free(g);
    return r;
}

std::optional<Rect> XClient::clientArea(xcb_window_t window) {
    auto* c = connection_;
    xcb_get_geometry_reply_t* g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr);
    xcb_translate_coordinates_reply_t* t =
        xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, window, root_, 0, 0), nullptr);
    std::optional<Rect> r;
    if (g && t) {
        r = Rect{{static_cast<double>(t->dst_x), static_cast<double>(t->dst_y)},
                 {static_cast<double>(g->width), static_cast<double>(g->height)}};
    }
    std::free(g);
    std::free(t);
    return r;
}

std::optional<Rect> XClient::visibleFrame(xcb_window_t window) {
    auto r = clientArea(window);
    xcb_ewmh_get_extents_reply_t e{};
    if (!r || !xcb_ewmh_get_frame_extents_reply(&ewmh_, xcb_ewmh_get_frame_extents(&ewmh_, window), &e, nullptr)) {
        return r;
    }
    return Rect{{r->origin.x - e.left, r->origin.y - e.top},
                {r->size.width + e.left + e.right, r->size.height + e.top + e.bottom}};
}

std::optional<Rect> XClient::workArea() {
    xcb_ewmh_get_workarea_reply_t areas;
    if (!xcb_ewmh_get_workarea_reply(&ewmh_, xcb_ewmh_get_workarea(&ewmh_, 0), &areas, nullptr)) return std::nullopt;
    std::optional<Rect> r;
    if (areas.workarea_len > 0) {
        const auto& a = areas.workarea[0];
        r = Rect{{static_cast<double>(a.x), static_cast<double>(a.y)},
                 {static_cast<double>(a.width), static_cast<double>(a.height)}};
    }
    xcb_ewmh_get_workarea_reply_wipe(&areas);
    return r;
}

void XClient::requestState(xcb_window_t window, bool add, xcb_atom_t first, xcb_atom_t second) {
    xcb_ewmh_request_change_wm_state(&ewmh_, 0, window, add ? XCB_EWMH_WM_STATE_ADD : XCB_EWMH_WM_STATE_REMOVE,
                                     first, second, XCB_EWMH_CLIENT_SOURCE_TYPE_NORMAL);
    xcb_flush(connection_);
}

bool XClient::hasState(xcb_window_t window, xcb_atom_t state) {
    bool found = false;
    xcb_ewmh_get_atoms_reply_t states;
    if (xcb_ewmh_get_wm_state_reply(&ewmh_, xcb_ewmh_get_wm_state(&ewmh_, window), &states, nullptr)) {
        for (std::uint32_t i = 0; i < states.atoms_len; ++i) found = found || states.atoms[i] == state;
        xcb_ewmh_get_atoms_reply_wipe(&states);
    }
    return found;
}

void XClient::drawOwnDecorations(xcb_window_t window, std::uint32_t left, std::uint32_t right, std::uint32_t top,
                                 std::uint32_t bottom) {
    auto* c = connection_;
    auto atom = [&](const char* name) {
        xcb_intern_atom_reply_t* r =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
        std::free(r);
        return a;
    };
    const std::uint32_t extents[] = {left, right, top, bottom};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, atom("_GTK_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 32, 4,
                        extents);
    // Motif hints: flags MWM_HINTS_DECORATIONS, decorations none.
    const std::uint32_t motif[] = {2, 0, 0, 0, 0};
    const xcb_atom_t motifAtom = atom("_MOTIF_WM_HINTS");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, motifAtom, motifAtom, 32, 5, motif);
    xcb_flush(c);
}

bool waitFor(const std::function<bool()>& done, const std::function<void()>& step, int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!done()) {
        if (Clock::now() > deadline) return false;
        step();
    }
    return true;
}

}  // namespace velorin::testing
