#include "Platform/Linux/DesktopEffects.h"

#include <QGuiApplication>

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

namespace velorin::linux_platform {

namespace {

constexpr const char* blurAtomName = "_KDE_NET_WM_BLUR_BEHIND_REGION";

xcb_connection_t* qtConnection() {
    if (!qGuiApp || QGuiApplication::platformName() != "xcb") return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_atom_t atom(xcb_connection_t* c, const std::string& name, bool onlyIfExists) {
    auto cookie = xcb_intern_atom(c, onlyIfExists ? 1 : 0, static_cast<uint16_t>(name.size()), name.c_str());
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(c, cookie, nullptr);
    if (!reply) return XCB_ATOM_NONE;
    const xcb_atom_t result = reply->atom;
    std::free(reply);
    return result;
}

xcb_window_t firstRoot(xcb_connection_t* c) {
    const xcb_setup_t* setup = xcb_get_setup(c);
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(setup);
    return it.rem ? it.data->root : xcb_window_t(XCB_WINDOW_NONE);
}

bool compositing(xcb_connection_t* c) {
    const xcb_atom_t selection = atom(c, "_NET_WM_CM_S0", false);
    if (selection == XCB_ATOM_NONE) return false;
    xcb_get_selection_owner_reply_t* reply =
        xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    if (!reply) return false;
    const bool owned = reply->owner != XCB_WINDOW_NONE;
    std::free(reply);
    return owned;
}

// KWin lists the blur property among the root window's supported hints while
// its blur effect is loaded.
bool blurSupported(xcb_connection_t* c) {
    const xcb_atom_t blur = atom(c, blurAtomName, true);
    const xcb_atom_t supported = atom(c, "_NET_SUPPORTED", true);
    const xcb_window_t root = firstRoot(c);
    if (blur == XCB_ATOM_NONE || supported == XCB_ATOM_NONE || root == XCB_WINDOW_NONE) return false;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, root, supported, XCB_ATOM_ATOM, 0, 4096), nullptr);
    if (!reply) return false;
    bool found = false;
    if (reply->format == 32) {
        const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
        const int count = xcb_get_property_value_length(reply) / 4;
        for (int i = 0; i < count && !found; ++i) found = atoms[i] == blur;
    }
    std::free(reply);
    return found;
}

}  // namespace

CompositorBackdrop DesktopEffects::backdrop() {
    if (!qGuiApp) return CompositorBackdrop::none;
    // Every Wayland compositor composites; its blur protocols are not ours to speak.
    if (QGuiApplication::platformName().startsWith("wayland")) return CompositorBackdrop::translucent;
    xcb_connection_t* c = qtConnection();
    if (!c || !compositing(c)) return CompositorBackdrop::none;
    return blurSupported(c) ? CompositorBackdrop::blurred : CompositorBackdrop::translucent;
}

bool DesktopEffects::setBlurBehind(std::uintptr_t window, bool on) {
    xcb_connection_t* c = qtConnection();
    if (!c || window == 0) return false;
    const xcb_atom_t blur = atom(c, blurAtomName, false);
    if (blur == XCB_ATOM_NONE) return false;
    const auto id = static_cast<xcb_window_t>(window);
    if (on) {
        // An empty region blurs behind the whole window.
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, id, blur, XCB_ATOM_CARDINAL, 32, 0, nullptr);
    } else {
        xcb_delete_property(c, id, blur);
    }
    xcb_flush(c);
    return true;
}

}  // namespace velorin::linux_platform
