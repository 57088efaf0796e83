#include "Platform/Linux/WaylandSession.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

#include <unistd.h>

#include "Platform/Linux/GnomeShellWindowSystem.h"
#include "Platform/Linux/HyprlandWindowSystem.h"
#include "Platform/Linux/KWinWindowSystem.h"
#include "Platform/Linux/SwayWindowSystem.h"
#include "Platform/Linux/X11WindowSystem.h"

namespace velorin::linux_platform {
namespace {

std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// XDG_CURRENT_DESKTOP is a colon-separated list ("ubuntu:GNOME").
bool names(const std::string& list, const std::string& desktop) {
    std::stringstream in(lower(list));
    for (std::string part; std::getline(in, part, ':');) {
        if (part == desktop) return true;
    }
    return false;
}

}  // namespace

SessionDesktop sessionDesktop(const std::function<std::optional<std::string>(const char*)>& variable) {
    auto set = [&](const char* name) {
        const auto value = variable(name);
        return value && !value->empty();
    };
    const std::string type = lower(variable("XDG_SESSION_TYPE").value_or(""));
    const bool wayland = type == "wayland" || (type != "x11" && set("WAYLAND_DISPLAY"));
    if (!wayland) return SessionDesktop::x11;
    if (set("SWAYSOCK")) return SessionDesktop::sway;
    if (set("HYPRLAND_INSTANCE_SIGNATURE")) return SessionDesktop::hyprland;
    const std::string current = variable("XDG_CURRENT_DESKTOP").value_or("");
    if (names(current, "kde")) return SessionDesktop::kwin;
    if (names(current, "gnome")) return SessionDesktop::gnomeShell;
    return SessionDesktop::otherWayland;
}

SessionDesktop sessionDesktop() {
    return sessionDesktop([](const char* name) -> std::optional<std::string> {
        const char* value = std::getenv(name);
        if (!value) return std::nullopt;
        return std::string(value);
    });
}

std::shared_ptr<WindowSystem> makeWaylandWindowSystem(SessionDesktop desktop) {
    const char* sway = std::getenv("SWAYSOCK");
    switch (desktop) {
        case SessionDesktop::sway: return std::make_shared<SwayWindowSystem>(sway ? sway : "");
        case SessionDesktop::hyprland: {
            const char* runtime = std::getenv("XDG_RUNTIME_DIR");
            const char* signature = std::getenv("HYPRLAND_INSTANCE_SIGNATURE");
            return std::make_shared<HyprlandWindowSystem>(
                hyprland::socketFolder(runtime ? runtime : "", signature ? signature : ""));
        }
        case SessionDesktop::kwin: {
            const char* runtime = std::getenv("XDG_RUNTIME_DIR");
            const std::string folder = runtime && *runtime ? runtime : "/tmp";
            return std::make_shared<KWinWindowSystem>(QDBusConnection::sessionBus(),
                                                      folder + "/velorin-kwin-" + std::to_string(getpid()) + ".js");
        }
        case SessionDesktop::gnomeShell: return std::make_shared<GnomeShellWindowSystem>(QDBusConnection::sessionBus());
        case SessionDesktop::x11:
        case SessionDesktop::otherWayland: break;
    }
    // A desktop without a way to learn of its windows: nothing is connected.
    return std::make_shared<X11WindowSystem>(std::make_shared<X11Desktop>(""));
}

DesktopUnits logicalDesktopUnits() {
    const QScreen* p = QGuiApplication::primaryScreen();
    if (!p) return DesktopUnits{};
    const QRect g = p->geometry();
    return DesktopUnits{Rect{{static_cast<double>(g.x()), static_cast<double>(g.y())},
                             {static_cast<double>(g.width()), static_cast<double>(g.height())}},
                        1};
}

}  // namespace velorin::linux_platform
