#include "Velorin/Settings/SettingsContent.h"

#include "Velorin/Settings/AboutTab.h"
#include "Velorin/Settings/GeneralTab.h"

namespace velorin {

SettingsContent SettingsContent::standard() {
    SettingsContent content;
    content.tabs[SettingsTab::general] = [](AppModel& model, QWidget* parent) { return new GeneralTab(model, parent); };
    content.tabs[SettingsTab::about] = [](AppModel& model, QWidget* parent) { return new AboutTab(model, parent); };
    return content;
}

}  // namespace velorin
