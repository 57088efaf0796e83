// Rows of the built-in packs of the "general" group. Not yet transcribed: each pack is built
// without rows until its rows are written here.

#include "Config/PackRows.h"

namespace velorin::packrows {

Rows everydayMac() { return {}; }
Rows terminal() { return {}; }

}  // namespace velorin::packrows
