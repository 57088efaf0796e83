#include "Velorin/Settings/SettingsContent.h"

namespace velorin {

SettingsContent SettingsContent::standard() {
    SettingsContent content;
    return content;
}

}  // namespace velorin
