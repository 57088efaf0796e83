// Which desktop's window system the platform picks from the session's
// environment.

#include <gtest/gtest.h>

#include <map>

#include "Platform/Linux/WaylandSession.h"

using namespace velorin::linux_platform;

TEST(WaylandSession, theDesktopComesFromTheSessionsEnvironment) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> environment;
        SessionDesktop expected;
    };
    const Case cases[] = {
        {"nothing set", {}, SessionDesktop::x11},
        {"an X11 session", {{"XDG_SESSION_TYPE", "x11"}, {"DISPLAY", ":0"}}, SessionDesktop::x11},
        {"X11 even with a nested Wayland display", {{"XDG_SESSION_TYPE", "x11"}, {"WAYLAND_DISPLAY", "wayland-1"}},
         SessionDesktop::x11},
        {"i3 on X11 keeps EWMH", {{"XDG_SESSION_TYPE", "x11"}, {"I3SOCK", "/run/i3"}, {"SWAYSOCK", "/run/s"}},
         SessionDesktop::x11},
        {"sway", {{"XDG_SESSION_TYPE", "wayland"}, {"SWAYSOCK", "/run/user/1000/sway-ipc.sock"}},
         SessionDesktop::sway},
        {"sway without a session type", {{"WAYLAND_DISPLAY", "wayland-1"}, {"SWAYSOCK", "/tmp/s"}},
         SessionDesktop::sway},
        {"hyprland", {{"WAYLAND_DISPLAY", "wayland-1"}, {"HYPRLAND_INSTANCE_SIGNATURE", "abc_1_2"}},
         SessionDesktop::hyprland},
        {"plasma", {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "KDE"}}, SessionDesktop::kwin},
        {"ubuntu's gnome", {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "ubuntu:GNOME"}},
         SessionDesktop::gnomeShell},
        {"an empty sway socket is none", {{"XDG_SESSION_TYPE", "wayland"}, {"SWAYSOCK", ""}},
         SessionDesktop::otherWayland},
        {"a name that only contains gnome", {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "GNOME-Flashback"}},
         SessionDesktop::otherWayland},
        {"another compositor", {{"XDG_SESSION_TYPE", "wayland"}, {"XDG_CURRENT_DESKTOP", "wlroots"}},
         SessionDesktop::otherWayland},
    };
    for (const auto& c : cases) {
        const auto read = [&](const char* name) -> std::optional<std::string> {
            const auto it = c.environment.find(name);
            if (it == c.environment.end()) return std::nullopt;
            return it->second;
        };
        EXPECT_EQ(sessionDesktop(read), c.expected) << c.what;
    }
}
