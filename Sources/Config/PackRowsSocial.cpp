// Rows of the built-in packs of the "social" group. Not yet transcribed: each pack is built
// without rows until its rows are written here.

#include "Config/PackRows.h"

namespace velorin::packrows {

Rows slack() { return {}; }
Rows discord() { return {}; }
Rows spotify() { return {}; }

}  // namespace velorin::packrows
