// Rows of the built-in packs of the "browsers" group. Not yet transcribed: each pack is built
// without rows until its rows are written here.

#include "Config/PackRows.h"

namespace velorin::packrows {

Rows chromium() { return {}; }
Rows safari() { return {}; }
Rows dia() { return {}; }
Rows arc() { return {}; }
Rows firefox() { return {}; }
Rows zen() { return {}; }
Rows vivaldi() { return {}; }
Rows comet() { return {}; }
Rows atlas() { return {}; }

}  // namespace velorin::packrows
