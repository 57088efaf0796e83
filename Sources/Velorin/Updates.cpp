#include "Velorin/Updates.h"

#include "Platform/Bundle.h"

namespace velorin {

Updates::Updates(Bundle& bundle, const Framework& framework) {
    // A feed value of any kind, even an empty one, turns updating on.
    if (bundle.objectForInfoDictionaryKey(feedKey) && framework) controller_ = framework();
}

}  // namespace velorin
