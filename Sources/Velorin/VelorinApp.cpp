#include "Velorin/VelorinApp.h"

#include <QApplication>
#include <QIcon>

#include "Velorin/AppModel.h"
#include "Velorin/MenuBarExtra.h"
#include "Velorin/SettingsWindowWidget.h"
#include "Velorin/TapOverlayWindow.h"

namespace velorin {

VelorinApp::VelorinApp(SettingsWindowWidget::ContentFactory makeSettingsContent, WindowEffects effects) {
    // The menu is the app; closing the settings window only hides it.
    QApplication::setQuitOnLastWindowClosed(false);
    AppModel::Parts parts;
    parts.makeSettingsWindow = [makeSettingsContent = std::move(makeSettingsContent),
                                effects = std::move(effects)](AppModel& model) {
        return std::make_unique<SettingsWindowWidget>(model, makeSettingsContent, effects);
    };
    parts.makeOverlayPanel = [](TapBadgeState& state) { return std::make_unique<TapOverlayWindow>(state); };
    // No update framework on this platform: no updater, no "Check for Updates…".
    model_ = std::make_unique<AppModel>(std::move(parts));
    menuBar_ = std::make_unique<MenuBarExtra>(*model_);
    if (!MenuBarExtra::isTrayAvailable()) model_->showSettings(std::nullopt);
}

VelorinApp::~VelorinApp() = default;

void VelorinApp::setApplicationIdentity() {
    QApplication::setApplicationName("Velorin");
    // No display name: Qt would append it to every window title.
    QApplication::setDesktopFileName("velorin");
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/velorin/velorin.svg")));
}

}  // namespace velorin
