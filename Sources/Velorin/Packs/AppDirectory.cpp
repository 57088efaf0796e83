#include "Velorin/Packs/AppDirectory.h"

#include "Velorin/AppIcons.h"
#include "Velorin/AppInfo.h"

namespace velorin {

const AppDirectory& AppDirectory::system() {
    static const AppDirectory directory{
        [](const std::string& id) { return AppIcons::isInstalled(id); },
        [](const std::string& id) { return AppInfo::name(id); },
    };
    return directory;
}

}  // namespace velorin
