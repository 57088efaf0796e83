// The process entry: one instance per user, the desktop's platform, then the
// application until it quits.

#include <QApplication>

#include "Platform/Linux/LinuxPlatform.h"
#include "Platform/Platform.h"
#include "Velorin/AppModel.h"
#include "Velorin/Design/WaterLayer.h"
#include "Velorin/Settings/SettingsView.h"
#include "Velorin/SingleInstance.h"
#include "Velorin/VelorinApp.h"

int main(int argc, char** argv) {
    // The water's OpenGL contexts take their format from the default, which must be set first.
    velorin::WaterLayer::useSurfaceFormat();
    QApplication application(argc, argv);
    QApplication::setApplicationName("Velorin");
    QApplication::setApplicationDisplayName("Velorin");
    QApplication::setDesktopFileName("velorin");

    velorin::SingleInstance instance("velorin");
    if (instance.handOverToRunningInstance()) return 0;

    velorin::platform::ScopedPlatform platform(velorin::linux_platform::makeLinuxPlatform());
    velorin::VelorinApp app([](velorin::AppModel& model, QWidget* parent) -> QWidget* {
        return new velorin::SettingsView(model, parent);
    });
    QObject::connect(&instance, &velorin::SingleInstance::showRequested,
                     [&app] { app.model().showSettings(std::nullopt); });
    QApplication::exec();
    return 0;
}
