#include "Velorin/Settings/SettingsContent.h"

#include "Velorin/Design/WaterLayer.h"
#include "Velorin/Packs/PacksTab.h"
#include "Velorin/Settings/AboutTab.h"
#include "Velorin/Editor/GestureStudio.h"
#include "Velorin/Settings/GeneralTab.h"
#include "Velorin/Settings/SensitivityTab.h"
#include "Velorin/Settings/ShortcutsTab.h"
#include "Velorin/Settings/TrackpadTab.h"

namespace velorin {

SettingsContent SettingsContent::standard() {
    SettingsContent content;
    content.tabs[SettingsTab::packs] = [](AppModel& model, QWidget* parent) { return new PacksTab(model, parent); };
    content.tabs[SettingsTab::sensitivity] = [](AppModel& model, QWidget* parent) {
        return new SensitivityTab(model, parent);
    };
    content.tabs[SettingsTab::trackpad] = [](AppModel& model, QWidget* parent) { return new TrackpadTab(model, parent); };
    content.tabs[SettingsTab::general] = [](AppModel& model, QWidget* parent) { return new GeneralTab(model, parent); };
    content.tabs[SettingsTab::shortcuts] = [](AppModel& model, QWidget* parent) { return new ShortcutsTab(model, parent); };
    content.studio = [](AppModel& model, std::function<void()> done, QWidget* parent) {
        return new GestureStudio(model, std::nullopt, std::move(done), parent);
    };
    content.tabs[SettingsTab::about] = [](AppModel& model, QWidget* parent) { return new AboutTab(model, parent); };
    // The water on the GPU where OpenGL works, an empty layer where it does not.
    content.water = [](QWidget* parent) {
        auto* layer = new WaterLayer(parent);
        return WaterSlot{layer, layer};
    };
    return content;
}

}  // namespace velorin
