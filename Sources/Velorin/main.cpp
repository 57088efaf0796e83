// The process entry: one instance per user, the desktop's platform, then the
// application until it quits.

#include <QApplication>

#include "Platform/Linux/DesktopEffects.h"
#include "Platform/Linux/LinuxPlatform.h"
#include "Platform/Platform.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/WaterLayer.h"
#include "Velorin/Settings/SettingsContent.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/SingleInstance.h"
#include "Velorin/VelorinApp.h"
#include "Velorin/WindowEffects.h"

// Under LeakSanitizer: libraries that keep their allocations until the process
// ends (the session bus connection, the font caches) are not our leaks; the app
// quits without tearing anything down.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\nleak:libfontconfig.so\n"; }

namespace {

// What the desktop's compositor gives behind the settings window.
velorin::WindowEffects desktopEffects() {
    using velorin::linux_platform::CompositorBackdrop;
    using velorin::linux_platform::DesktopEffects;
    velorin::WindowEffects effects;
    effects.backdrop = [] {
        switch (DesktopEffects::backdrop()) {
            case CompositorBackdrop::none: return velorin::WindowEffects::Backdrop::opaque;
            case CompositorBackdrop::translucent: return velorin::WindowEffects::Backdrop::translucent;
            case CompositorBackdrop::blurred: return velorin::WindowEffects::Backdrop::blurred;
        }
        return velorin::WindowEffects::Backdrop::opaque;
    };
    effects.setBlurBehind = [](QWidget* window, bool on) {
        DesktopEffects::setBlurBehind(static_cast<std::uintptr_t>(window->winId()), on);
    };
    return effects;
}

}  // namespace

int main(int argc, char** argv) {
    // The water's OpenGL contexts take their format from the default, which must be set first.
    velorin::WaterLayer::useSurfaceFormat();
    QApplication application(argc, argv);
    velorin::VelorinApp::setApplicationIdentity();

    velorin::SingleInstance instance("velorin");
    if (instance.handOverToRunningInstance()) return 0;

    velorin::platform::ScopedPlatform platform(velorin::linux_platform::makeLinuxPlatform());
    velorin::VelorinApp app(
        [](velorin::AppModel& model, QWidget* parent) -> QWidget* {
            return new velorin::SettingsView(model, velorin::SettingsContent::standard(), parent);
        },
        desktopEffects());
    QObject::connect(&instance, &velorin::SingleInstance::showRequested,
                     [&app] { app.model().showSettings(std::nullopt); });
    QApplication::exec();
    return 0;
}
