#include "Velorin/Settings/SettingsContent.h"

#include "Velorin/Design/WaterLayer.h"

namespace velorin {

SettingsContent SettingsContent::standard() {
    SettingsContent content;
    // The water on the GPU where OpenGL works, an empty layer where it does not.
    content.water = [](QWidget* parent) {
        auto* layer = new WaterLayer(parent);
        return WaterSlot{layer, layer};
    };
    return content;
}

}  // namespace velorin
