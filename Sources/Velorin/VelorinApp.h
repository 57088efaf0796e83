#pragma once
// The application: the one application model and the menu-bar extra. Where
// the desktop has no tray to show the menu in, the settings window opens at
// start so the app stays reachable.

#include <memory>

#include "Velorin/SettingsWindowWidget.h"

namespace velorin {

class AppModel;
class MenuBarExtra;

class VelorinApp {
public:
    // Needs a QApplication and an installed platform; the settings window's
    // content comes from the composition.
    // `effects` says what the desktop does behind the window (absent: nothing).
    explicit VelorinApp(SettingsWindowWidget::ContentFactory makeSettingsContent, WindowEffects effects = {});
    ~VelorinApp();

    // The names the desktop knows the process by: the application's name and
    // its desktop entry ("velorin.desktop"), and the icon of its windows.
    // Before the first window.
    static void setApplicationIdentity();
    VelorinApp(const VelorinApp&) = delete;
    VelorinApp& operator=(const VelorinApp&) = delete;

    AppModel& model() const { return *model_; }
    MenuBarExtra& menuBar() const { return *menuBar_; }

private:
    std::unique_ptr<AppModel> model_;
    std::unique_ptr<MenuBarExtra> menuBar_;
};

}  // namespace velorin
